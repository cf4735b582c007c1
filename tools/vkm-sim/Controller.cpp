#include "vkm-sim/Controller.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace vkm::sim {
namespace {

// The memory transfer commands: area id, and whether the command reads.
struct AreaCommand {
  uint8_t command;
  int area;
  bool read;
};
constexpr AreaCommand kAreaCommands[] = {
    {6, 1, false},  {7, 1, true},   {1, 2, false},  {2, 2, true},  {3, 3, false},
    {4, 3, true},   {8, 4, false},  {9, 4, true},   {18, 5, false}, {19, 5, true},
    {22, 6, false}, {23, 6, true},  {10, 7, false}, {11, 7, true},
};

// Identity fields that no option changes.
constexpr uint16_t kHardwareVersion = 0x0100;
constexpr uint16_t kBootLoaderVersion = 0x0100;
constexpr char kManufactureDate[] = "2026-01-15";
constexpr char kCountryCode[] = "7";
constexpr uint32_t kUniqueId[4] = {0x3A1F0C52, 0x00C0FFEE, 0x5EED1234, 0x0410B00B};

// A controller on the bench: mains present, battery charged, registered in
// its home network, GPS with a fix.
constexpr uint8_t kSupplyDecivolts = 126;
constexpr uint8_t kBatteryPercent = 85;
constexpr uint8_t kSignalQuality = 21;
constexpr uint8_t kStateFlags = 0x03;  // temperature and balance present, SIM 1
constexpr uint8_t kGsmRegisteredHome = 8;
constexpr int8_t kBoardTemperature = 24;
constexpr float kBalance = 152.40f;
constexpr uint16_t kInputIdleLevel = 420;
constexpr uint16_t kInputActiveLevel = 3700;
constexpr float kLatitude = 55.755826f;
constexpr float kLongitude = 37.617300f;
constexpr float kAltitude = 156.0f;
constexpr uint8_t kGpsFixWithNineSatellites = 2 | 9 << 3;

constexpr std::size_t kOutputs = 6;
constexpr std::size_t kInputs = 7;

uint32_t GetLe(std::span<const uint8_t> bytes, std::size_t offset, std::size_t width) {
  uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = value << 8 | bytes[offset + i];
  return value;
}

template <std::size_t N>
void PutLe(std::array<uint8_t, N>& bytes, std::size_t offset, uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

template <std::size_t N>
void PutText(std::array<uint8_t, N>& bytes, std::size_t offset, std::size_t width, std::string_view text) {
  std::copy_n(text.begin(), std::min(text.size(), width), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::vector<uint8_t> ResultReply(uint8_t command, uint8_t result) {
  const uint8_t payload[] = {result};
  return BuildFrame(command, payload);
}

std::vector<uint8_t> BlockAck(uint8_t command, uint32_t address, uint16_t count, uint8_t result) {
  std::array<uint8_t, 8> header{};
  PutLe(header, 0, address, 4);
  PutLe(header, 4, count, 2);
  header[6] = result;
  return BuildFrame(command, header);
}

std::string ResultNote(uint8_t result) {
  switch (result) {
    case kDone: return "done";
    case kFlashFault: return "FLASH fault (1)";
    case kPasswordNeeded: return "password needed (2)";
    default: return "refused (" + std::to_string(result) + ")";
  }
}

std::string Hex(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

}  // namespace

Controller::Controller(const ControllerSetup& setup, FaultPlan faults, TimePoint now)
    : faults_(std::move(faults)),
      configuration_(setup.image),
      deviceName_(setup.deviceName),
      modification_(setup.modification),
      firmware_(setup.firmware),
      imei_(setup.imei),
      clockBase_(SecondsSince2000(setup.clock)),
      clockSetAt_(now),
      resetDelay_(setup.resetDelay) {}

std::vector<Exchange> Controller::Receive(std::span<const uint8_t> bytes, TimePoint now) {
  Tick(now);
  parser_.Push(bytes, now);
  std::vector<Exchange> exchanges;
  while (auto frame = parser_.Next()) exchanges.push_back(Serve(*frame, now));
  return exchanges;
}

void Controller::Tick(TimePoint now) {
  if (!watch_) return;
  const TimePoint deadline = watch_->start + resetDelay_;
  if (now >= deadline) {
    const bool alive = deadline - watch_->lastIdentity <= kIdentityGap;
    watch_.reset();
    if (alive) {
      std::fill_n(configuration_.begin() + kAdminPasswordOffset, kAdminPasswordSize, uint8_t{0});
      Notify("reset watch completed: administrative password cleared");
    } else {
      Notify("reset watch cancelled: no identity request for more than 5 s");
    }
  } else if (now - watch_->lastIdentity > kIdentityGap) {
    watch_.reset();
    Notify("reset watch cancelled: no identity request for more than 5 s");
  }
}

Exchange Controller::Serve(const Frame& frame, TimePoint now) {
  Exchange exchange;
  exchange.frameNumber = ++frames_;
  exchange.command = frame.command;
  exchange.requestSize = frame.Size();
  const uint64_t occurrence = ++framesPerCommand_[frame.command];
  const std::vector<FaultKind> kinds = faults_.Select(exchange.frameNumber, frame.command, occurrence);

  std::string prefix = "#" + std::to_string(exchange.frameNumber) + " cmd " + std::to_string(frame.command) +
                       " (" + std::to_string(exchange.requestSize) + " bytes): ";
  if (LosesRequest(kinds)) {
    exchange.note = prefix + "lost (fault noreply)";
    return exchange;
  }
  Handled handled = Execute(frame, ImposedResultCode(kinds), now);
  const std::size_t intact = handled.reply.size();
  SpoilReply(handled.reply, handled.shape, kinds);
  exchange.reply = std::move(handled.reply);
  exchange.note = prefix + handled.note + " -> " + std::to_string(exchange.reply.size()) + " bytes";
  if (!kinds.empty()) {
    exchange.note += " (faults:";
    for (FaultKind kind : kinds) exchange.note += " " + std::string(FaultName(kind));
    exchange.note += intact == exchange.reply.size() ? ")" : ", cut from " + std::to_string(intact) + ")";
  }
  if (handled.restart) {
    authorised_ = false;
    watch_.reset();
    parser_.EnterTextMode();
  }
  return exchange;
}

Controller::Handled Controller::Execute(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now) {
  for (const AreaCommand& entry : kAreaCommands)
    if (entry.command == frame.command) return BlockTransfer(frame, entry.area, entry.read, imposed);

  switch (frame.command) {
    case kIdentify: {
      if (watch_) watch_->lastIdentity = now;
      const auto record = IdentityRecord();
      return {BuildFrame(frame.command, record), ReplyShape::Record, "identity"};
    }
    case kState: {
      const auto record = StateRecord(now);
      return {BuildFrame(frame.command, record), ReplyShape::Record, "controller state"};
    }
    case kKeyReader: {
      const auto record = KeyReaderRecord();
      return {BuildFrame(frame.command, record), ReplyShape::Record, "key reader state"};
    }
    case kGps: {
      const auto record = GpsRecord(now);
      return {BuildFrame(frame.command, record), ReplyShape::Record, "GPS state"};
    }
    case kSetClock: return HandleSetClock(frame, imposed, now);
    case kApplyConfiguration: {
      const bool wellFormed = frame.payload == std::vector<uint8_t>{0x00};
      const uint8_t result = imposed.value_or(wellFormed ? kDone : kRefused);
      return {ResultReply(frame.command, result), ReplyShape::Result, "apply configuration: " + ResultNote(result)};
    }
    case kRestart: return HandleRestart(frame, imposed);
    case kPassword: return HandlePassword(frame, imposed, now);
    case kControl: return HandleControl(frame, imposed);
    default: {
      const uint8_t result = imposed.value_or(kRefused);
      return {ResultReply(frame.command, result), ReplyShape::Result, "unknown command: " + ResultNote(result)};
    }
  }
}

Controller::Handled Controller::BlockTransfer(const Frame& frame, int area, bool read,
                                              std::optional<uint8_t> imposed) {
  const std::span<const uint8_t> payload = frame.payload;
  const uint32_t address = payload.size() >= 4 ? GetLe(payload, 0, 4) : 0;
  const auto count = static_cast<uint16_t>(payload.size() >= 6 ? GetLe(payload, 4, 2) : 0);
  const std::span<uint8_t> memory = Memory(area);

  uint8_t result = kDone;
  if (imposed) {
    result = *imposed;
  } else if (!AccessAllowed()) {
    result = kPasswordNeeded;
  } else if (memory.empty() || count == 0 || count > kMaxBlock ||
             static_cast<uint64_t>(address) + count > memory.size() ||
             payload.size() != (read ? std::size_t{8} : count + std::size_t{6})) {
    result = kRefused;
  }

  std::string note = std::string(read ? "read" : "write") + " area " + std::to_string(area) + " at " +
                     std::to_string(address) + " x" + std::to_string(count) + ": " + ResultNote(result);
  if (result != kDone) return {BlockAck(frame.command, address, count, result), ReplyShape::BlockAck, note};

  if (!read) {
    std::copy(payload.begin() + 6, payload.end(), memory.begin() + address);
    return {BlockAck(frame.command, address, count, kDone), ReplyShape::BlockAck, note};
  }
  std::vector<uint8_t> data(6 + std::size_t{count});
  std::copy_n(payload.begin(), 6, data.begin());
  std::copy_n(memory.begin() + address, count, data.begin() + 6);
  return {BuildFrame(frame.command, data), ReplyShape::BlockData, note};
}

Controller::Handled Controller::HandlePassword(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now) {
  const auto reply = [&](uint8_t result, const std::string& note) {
    return Handled{ResultReply(frame.command, result), ReplyShape::Result, "password " + note + ": " + ResultNote(result)};
  };
  if (imposed) return reply(*imposed, "(fault)");

  const std::string password = Password();
  if (password.empty()) {
    authorised_ = true;
    return reply(kDone, "(none set)");
  }
  std::vector<uint8_t> expected(password.begin(), password.end());
  expected.resize(kAdminPasswordSize, 0);
  if (frame.payload == expected) {
    authorised_ = true;
    return reply(kDone, "accepted");
  }
  const bool empty = frame.payload.size() == kAdminPasswordSize &&
                     std::all_of(frame.payload.begin(), frame.payload.end(), [](uint8_t b) { return b == 0; });
  if (empty) {
    watch_ = ResetWatch{now, now};
    return reply(kPasswordNeeded, "empty, reset watch started");
  }
  return reply(kPasswordNeeded, "wrong");
}

Controller::Handled Controller::HandleControl(const Frame& frame, std::optional<uint8_t> imposed) {
  const auto reply = [&](uint8_t result) {
    return Handled{ResultReply(frame.command, result), ReplyShape::Result,
                   "control " + Hex(frame.payload) + ": " + ResultNote(result)};
  };
  if (imposed) return reply(*imposed);
  if (frame.payload.size() != 3) return reply(kRefused);

  const uint8_t what = frame.payload[0];
  const uint8_t object = frame.payload[1];
  const uint8_t action = frame.payload[2];
  switch (what) {
    case 0: securityMode_ = 2; return reply(kDone);
    case 1: securityMode_ = 0; return reply(kDone);
    case 2:
      if (object >= kOutputs || action < 1 || action > 16) return reply(kRefused);
      // A scenario starts by switching its output on.
      if (action == 2)
        outputs_ = static_cast<uint8_t>(outputs_ & ~(1u << object));
      else
        outputs_ = static_cast<uint8_t>(outputs_ | 1u << object);
      return reply(kDone);
    case 4:
      if (object >= kInputs) return reply(kRefused);
      inputs_ = static_cast<uint8_t>(inputs_ | 1u << object);
      return reply(kDone);
    default: return reply(kRefused);
  }
}

Controller::Handled Controller::HandleSetClock(const Frame& frame, std::optional<uint8_t> imposed, TimePoint now) {
  uint8_t result = kRefused;
  if (imposed) {
    result = *imposed;
  } else if (frame.payload.size() == 6) {
    const std::vector<uint8_t>& p = frame.payload;
    const CalendarTime time{p[0], p[1], p[2], p[3], p[4], p[5]};
    if (IsValid(time)) {
      clockBase_ = SecondsSince2000(time);
      clockSetAt_ = now;
      result = kDone;
    }
  }
  return {ResultReply(frame.command, result), ReplyShape::Result,
          "set clock " + Hex(frame.payload) + ": " + ResultNote(result)};
}

Controller::Handled Controller::HandleRestart(const Frame& frame, std::optional<uint8_t> imposed) {
  uint8_t result = kDone;
  if (imposed)
    result = *imposed;
  else if (!AccessAllowed())
    result = kPasswordNeeded;
  else if (frame.payload != std::vector<uint8_t>{0x00})
    result = kRefused;
  Handled handled{ResultReply(frame.command, result), ReplyShape::Result, "restart: " + ResultNote(result) + (result == kDone ? ", back to text mode" : "")};
  handled.restart = result == kDone;
  return handled;
}

std::span<uint8_t> Controller::Memory(int id) {
  switch (id) {
    case 1: return configuration_;
    case 4: return modeMemory_;
    case 5: return systemParameters_;
    default: return {};
  }
}

std::span<const uint8_t> Controller::Area(int id) const {
  switch (id) {
    case 1: return configuration_;
    case 4: return modeMemory_;
    case 5: return systemParameters_;
    default: return {};
  }
}

std::string Controller::Password() const {
  const auto begin = configuration_.begin() + kAdminPasswordOffset;
  const auto end = std::find(begin, begin + (kAdminPasswordSize - 1), uint8_t{0});
  return std::string(begin, end);
}

int64_t Controller::ClockSeconds(TimePoint now) const {
  return clockBase_ + std::chrono::duration_cast<std::chrono::seconds>(now - clockSetAt_).count();
}

void Controller::Notify(const std::string& text) const {
  if (notice_) notice_(text);
}

std::array<uint8_t, kIdentitySize> Controller::IdentityRecord() const {
  std::array<uint8_t, kIdentitySize> record{};
  PutText(record, 0, 9, deviceName_);
  PutText(record, 9, 9, modification_);
  PutLe(record, 18, kHardwareVersion, 2);
  PutLe(record, 20, firmware_, 2);
  PutLe(record, 22, kBootLoaderVersion, 2);
  PutText(record, 24, 11, kManufactureDate);
  PutText(record, 36, 3, kCountryCode);
  // Bytes 40..55: not bound to any identifier.
  PutText(record, 56, 15, imei_);
  for (std::size_t i = 0; i < 4; ++i) PutLe(record, 72 + 4 * i, kUniqueId[i], 4);
  return record;
}

std::array<uint8_t, kStateSize> Controller::StateRecord(TimePoint now) const {
  std::array<uint8_t, kStateSize> record{};
  const CalendarTime time = FromSecondsSince2000(ClockSeconds(now));
  const int fields[] = {time.year, time.month, time.day, time.hour, time.minute, time.second};
  for (std::size_t i = 0; i < 6; ++i) record[i] = static_cast<uint8_t>(fields[i]);
  for (std::size_t k = 0; k < kInputs; ++k) {
    const bool active = (inputs_ >> k & 1) != 0;
    PutLe(record, 6 + 2 * k, active ? kInputActiveLevel : static_cast<uint16_t>(kInputIdleLevel + 12 * k), 2);
  }
  record[22] = kSupplyDecivolts;
  record[24] = kBatteryPercent;
  record[25] = kSignalQuality;
  record[26] = securityMode_;
  record[27] = kStateFlags;
  record[28] = inputs_;
  record[29] = outputs_;
  record[30] = kGsmRegisteredHome;
  record[31] = static_cast<uint8_t>(kBoardTemperature);
  PutLe(record, 32, std::bit_cast<uint32_t>(kBalance), 4);
  return record;
}

std::array<uint8_t, kKeyReaderSize> Controller::KeyReaderRecord() const {
  // No key on the reader: the valid-key bits of byte 8 are clear.
  return {};
}

std::array<uint8_t, kGpsSize> Controller::GpsRecord(TimePoint now) const {
  std::array<uint8_t, kGpsSize> record{};
  PutLe(record, 0, static_cast<uint32_t>(ClockSeconds(now)), 4);
  PutLe(record, 4, std::bit_cast<uint32_t>(kLatitude), 4);
  PutLe(record, 8, std::bit_cast<uint32_t>(kLongitude), 4);
  PutLe(record, 12, std::bit_cast<uint32_t>(kAltitude), 4);
  // Standing still: speed and course zero.
  record[24] = kGpsFixWithNineSatellites;
  return record;
}

}  // namespace vkm::sim
