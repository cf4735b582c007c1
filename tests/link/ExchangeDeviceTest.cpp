// The exchange routines over a real serial port on the simulator's
// pseudo-terminal: what each sends, what it accepts, and the one red text
// each failure shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "RecordingFrontEnd.h"
#include "SimulatorFixture.h"
#include "StatusTextLiterals.h"
#include "link/Exchange.h"
#include "link/QtSerialPort.h"
#include "model/FactoryImage.h"

namespace vkm::test {
namespace {

constexpr uint8_t kUntouched = 0xAA;

class ExchangeDeviceTest : public SimulatorTest {
 protected:
  // Starts a simulator and opens its terminal as the configurator's port.
  bool Connect(const std::vector<std::string>& args) {
    sim = StartSimulator(args);
    if (sim == nullptr) return false;
    portName = QString::fromStdString(sim->Port());
    if (!port.Open(portName)) {
      ADD_FAILURE() << "cannot open " << sim->Port();
      return false;
    }
    exchange = std::make_unique<Exchange>(port, portName, report);
    return true;
  }

  void TearDown() override {
    exchange.reset();
    port.Close();
    SimulatorTest::TearDown();
  }

  SimulatorProcess* sim = nullptr;
  QString portName;
  QtSerialPort port;
  RecordingReport report;
  std::unique_ptr<Exchange> exchange;
};

TEST_F(ExchangeDeviceTest, EachRoutineSucceedsAndShowsNothing) {
  ASSERT_TRUE(Connect({}));

  std::array<uint8_t, 88> identity{};
  ASSERT_TRUE(exchange->SwitchToBinary());
  ASSERT_TRUE(exchange->RequestRecord(5, identity.data(), 88));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(identity.data())), "VKM410");
  EXPECT_EQ(identity[20], 0x00);
  EXPECT_EQ(identity[21], 0x01);

  const uint8_t apply[] = {0x00};
  ASSERT_TRUE(exchange->SwitchToBinary());
  EXPECT_TRUE(exchange->SendCommand(15, apply, 1));

  // The whole image out and back: 14 blocks each way.
  const ConfigurationImage image = MarkedImage();
  ASSERT_TRUE(exchange->SwitchToBinary());
  ASSERT_TRUE(exchange->WriteArea(1, 0, image.data(), kImageSize));
  EXPECT_EQ(report.Maxima(), std::vector<int>{3520});
  EXPECT_EQ(report.Positions(), BlockPositions(3520));

  report.Clear();
  ConfigurationImage read{};
  ASSERT_TRUE(exchange->SwitchToBinary());
  ASSERT_TRUE(exchange->ReadArea(1, 0, read.data(), kImageSize));
  EXPECT_EQ(read, image);
  EXPECT_EQ(report.Maxima(), std::vector<int>{3520});
  EXPECT_EQ(report.Positions(), BlockPositions(3520));
  EXPECT_TRUE(report.Texts().empty()) << ::testing::PrintToString(report.Texts());

  // Frames as the controller saw them: one each for the record and the
  // command, then 13 full blocks and a 192-byte one each way.
  std::vector<LoggedFrame> writes;
  std::vector<LoggedFrame> reads;
  for (const LoggedFrame& frame : sim->Frames()) {
    if (frame.command == 6) writes.push_back(frame);
    if (frame.command == 7) reads.push_back(frame);
  }
  EXPECT_EQ(sim->Commands().size(), 2u + 14u + 14u);
  ASSERT_EQ(writes.size(), 14u);
  ASSERT_EQ(reads.size(), 14u);
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(writes[i].size, 267) << i;
    EXPECT_EQ(writes[i].note, "write area 1 at " + std::to_string(256 * i) + " x256: done");
    EXPECT_EQ(reads[i].size, 13) << i;
  }
  EXPECT_EQ(writes[13].size, 203);
  EXPECT_EQ(writes[13].note, "write area 1 at 3328 x192: done");
  EXPECT_EQ(reads[13].note, "read area 1 at 3328 x192: done");
}

TEST_F(ExchangeDeviceTest, AnAreaIdOutsideTheMapFailsBeforeAnyFrame) {
  ASSERT_TRUE(Connect({}));
  std::array<uint8_t, 24> data{};
  data.fill(kUntouched);
  for (int area : {0, 8}) {
    for (bool write : {true, false}) {
      SCOPED_TRACE(std::string(write ? "write" : "read") + " area " + std::to_string(area));
      report.Clear();
      ASSERT_TRUE(exchange->SwitchToBinary());
      const bool done =
          write ? exchange->WriteArea(area, 0, data.data(), 24) : exchange->ReadArea(area, 0, data.data(), 24);
      EXPECT_FALSE(done);
      EXPECT_EQ(report.Texts(), std::vector<ShownText>{Red(kBadArea)});
      EXPECT_EQ(report.Maxima(), std::vector<int>{24});
      EXPECT_EQ(report.Positions(), std::vector<int>{0});
    }
  }
  EXPECT_EQ(data[0], kUntouched);
  EXPECT_TRUE(sim->Frames().empty()) << sim->Log();
}

TEST_F(ExchangeDeviceTest, ALostReplyIsMadeUpByTheNextAttempt) {
  ASSERT_TRUE(Connect({"--fault", "noreply@cmd:15:1"}));
  const uint8_t apply[] = {0x00};
  ASSERT_TRUE(exchange->SwitchToBinary());
  EXPECT_TRUE(exchange->SendCommand(15, apply, 1));
  EXPECT_TRUE(report.Texts().empty()) << ::testing::PrintToString(report.Texts());
  EXPECT_EQ(sim->CountFrames(15), 2);
}

TEST_F(ExchangeDeviceTest, AFailedBlockKeepsTheBlocksAlreadyAcknowledged) {
  ASSERT_TRUE(Connect({"--fault", "flash@cmd:6:3"}));
  const ConfigurationImage image = MarkedImage();
  ASSERT_TRUE(exchange->SwitchToBinary());
  EXPECT_FALSE(exchange->WriteArea(1, 0, image.data(), kImageSize));
  EXPECT_EQ(report.Texts(), std::vector<ShownText>{Red(kFlash)});
  EXPECT_EQ(report.Positions(), (std::vector<int>{0, 256, 512}));
  EXPECT_EQ(sim->CountFrames(6), 3) << "no block is sent again";

  ConfigurationImage read{};
  ASSERT_TRUE(exchange->SwitchToBinary());
  ASSERT_TRUE(exchange->ReadArea(1, 0, read.data(), kImageSize));
  ConfigurationImage expected = FactoryImage();
  std::copy_n(image.begin(), 512, expected.begin());
  EXPECT_EQ(read, expected);
}

// One failure of one routine: the simulator's faults, the text, and how
// many times the request went out (three attempts when the reply does not
// come whole, one otherwise).
enum class Routine { Record, Command, Write, Read };

struct FailureCase {
  const char* name;
  Routine routine;
  std::vector<std::string> faults;
  const char* text;
  int frames;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class ExchangeFailureTest : public ExchangeDeviceTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExchangeFailureTest, ShowsOneRedTextAndLeavesTheDestinationAlone) {
  const FailureCase& c = GetParam();
  std::vector<std::string> args;
  for (const std::string& fault : c.faults) args.insert(args.end(), {"--fault", fault});
  ASSERT_TRUE(Connect(args));

  std::array<uint8_t, 24> data{};
  data.fill(kUntouched);
  const uint8_t apply[] = {0x00};
  ASSERT_TRUE(exchange->SwitchToBinary());
  bool done = true;
  int command = 0;
  switch (c.routine) {
    case Routine::Record:
      command = 14;
      done = exchange->RequestRecord(14, data.data(), 12);
      break;
    case Routine::Command:
      command = 15;
      done = exchange->SendCommand(15, apply, 1);
      break;
    case Routine::Write:
      command = 18;
      done = exchange->WriteArea(5, 0, data.data(), 24);
      break;
    case Routine::Read:
      command = 19;
      done = exchange->ReadArea(5, 0, data.data(), 24);
      break;
  }
  EXPECT_FALSE(done);
  EXPECT_EQ(report.Texts(), std::vector<ShownText>{Red(c.text)});
  EXPECT_EQ(sim->CountFrames(command), c.frames) << sim->Log();
  EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](uint8_t byte) { return byte == kUntouched; }));
  if (c.routine == Routine::Write || c.routine == Routine::Read) {
    EXPECT_EQ(report.Positions(), std::vector<int>{0}) << "the block was not counted";
  }
}

const FailureCase kFailures[] = {
    {"RecordNoReply", Routine::Record, {"noreply@cmd:14"}, kNoReply, 3},
    {"RecordShort", Routine::Record, {"short@cmd:14"}, kNoValidReply, 3},
    {"RecordBadCheckBeforeWrongEcho", Routine::Record, {"badcheck@cmd:14", "echo-command@cmd:14"}, kCode2, 1},
    {"RecordWrongCommand", Routine::Record, {"echo-command@cmd:14"}, kCode3, 1},

    {"CommandNoReply", Routine::Command, {"noreply@cmd:15"}, kNoReply, 3},
    {"CommandShort", Routine::Command, {"short@cmd:15"}, kNoValidReply, 3},
    {"CommandBadCheckBeforeWrongEcho", Routine::Command, {"badcheck@cmd:15", "echo-command@cmd:15"}, kCode2, 1},
    {"CommandWrongCommandWithResultZero", Routine::Command, {"echo-command@cmd:15"}, kCode3, 1},
    {"CommandFlash", Routine::Command, {"flash@cmd:15"}, kFlash, 1},
    {"CommandPassword", Routine::Command, {"password@cmd:15"}, kPasswordNeeded, 1},
    {"CommandPasswordDecidesOverWrongEcho", Routine::Command, {"password@cmd:15", "echo-command@cmd:15"}, kPasswordNeeded, 1},
    {"CommandRefused", Routine::Command, {"refuse@cmd:15"}, kCode3, 1},

    {"WriteNoReply", Routine::Write, {"noreply@cmd:18"}, kNoReply, 3},
    {"WriteShort", Routine::Write, {"short@cmd:18"}, kNoValidReply, 3},
    {"WriteBadCheckBeforeWrongEcho", Routine::Write, {"badcheck@cmd:18", "echo-address@cmd:18"}, kCode2, 1},
    {"WriteWrongCommand", Routine::Write, {"echo-command@cmd:18"}, kCode3, 1},
    {"WriteWrongAddress", Routine::Write, {"echo-address@cmd:18"}, kCode3, 1},
    {"WriteWrongCount", Routine::Write, {"echo-count@cmd:18"}, kCode3, 1},
    {"WriteFlash", Routine::Write, {"flash@cmd:18"}, kFlash, 1},
    {"WritePasswordIsARefusal", Routine::Write, {"password@cmd:18"}, kCode3, 1},
    {"WriteRefused", Routine::Write, {"refuse@cmd:18"}, kCode3, 1},

    {"ReadNoReply", Routine::Read, {"noreply@cmd:19"}, kCode1, 3},
    {"ReadShort", Routine::Read, {"short@cmd:19"}, kCode1, 3},
    {"ReadRefusedWithAnAcknowledgement", Routine::Read, {"password@cmd:19"}, kCode1, 3},
    {"ReadBadCheckBeforeWrongEcho", Routine::Read, {"badcheck@cmd:19", "echo-count@cmd:19"}, kCode2, 1},
    {"ReadWrongCommand", Routine::Read, {"echo-command@cmd:19"}, kCode3, 1},
    {"ReadWrongAddress", Routine::Read, {"echo-address@cmd:19"}, kCode3, 1},
    {"ReadWrongCount", Routine::Read, {"echo-count@cmd:19"}, kCode3, 1},
};

INSTANTIATE_TEST_SUITE_P(Faults, ExchangeFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace vkm::test
