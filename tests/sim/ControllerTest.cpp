#include "vkm-sim/Controller.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "SimTestSupport.h"

namespace vkm::sim::test {
namespace {

using namespace std::chrono_literals;
using namespace std::string_view_literals;

class ControllerTest : public ControllerFixture {};

// --- Identity and live records -----------------------------------------------

TEST_F(ControllerTest, IdentityRecordHoldsEveryFieldInItsPlace) {
  Start();
  const Bytes reply = Ask({0x05, 0x05, 0x00, 0x00, 0xFB});
  ASSERT_EQ(reply.size(), 93u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0x05, 0x05, 88, 0x00}));
  const Bytes record = PayloadOf(reply, 5, 88);
  ASSERT_EQ(record.size(), 88u);

  Bytes expected = Cat(Text("VKM410"), Bytes(3, 0));
  expected = Cat(expected, Cat(Text("G"), Bytes(8, 0)));
  expected = Cat(expected, {0x00, 0x01, 0x00, 0x01, 0x00, 0x01});
  expected = Cat(expected, Cat(Text("2026-01-15"), Bytes(2, 0)));
  expected = Cat(expected, Cat(Text("7"), Bytes(3, 0)));
  expected = Cat(expected, Bytes(16, 0));
  expected = Cat(expected, Cat(Text("356938035643809"), Bytes(1, 0)));
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 72), expected);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NE(GetLe(record, 72 + 4 * i, 4), 0u) << "identifier number " << i;
}

TEST_F(ControllerTest, IdentityRecordCarriesTheConfiguredTexts) {
  setup.deviceName = "ABCDEFGHI";  // fills the field, no terminator left
  setup.modification = "\xC1";     // a Cyrillic letter in code page 1251
  setup.firmware = 0x0A0B;
  setup.imei = "123";
  Start();
  const Bytes record = PayloadOf(Ask(Request(5)), 5, 88);
  ASSERT_EQ(record.size(), 88u);
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 9), Text("ABCDEFGHI"));
  EXPECT_EQ(Bytes(record.begin() + 9, record.begin() + 18), Cat({0xC1}, Bytes(8, 0)));
  EXPECT_EQ(GetLe(record, 20, 2), 0x0A0Bu);
  EXPECT_EQ(GetLe(record, 18, 2), 0x0100u);
  EXPECT_EQ(Bytes(record.begin() + 56, record.begin() + 72), Cat(Text("123"), Bytes(13, 0)));
}

TEST_F(ControllerTest, RecordRequestsAreAnsweredWithRecordsOfTheirSize) {
  Start();
  const struct {
    uint8_t command;
    std::size_t size;
  } cases[] = {{5, 88}, {12, 36}, {14, 12}, {21, 28}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    EXPECT_EQ(PayloadOf(Ask(Request(c.command)), c.command, c.size).size(), c.size);
  }
}

TEST_F(ControllerTest, StateRecordShowsABenchControllerAndItsRunningClock) {
  setup.clock = {26, 1, 15, 12, 0, 0};
  Start();
  Wait(90s);
  const Bytes state = PayloadOf(Ask(Request(12)), 12, 36);
  ASSERT_EQ(state.size(), 36u);
  EXPECT_EQ(Bytes(state.begin(), state.begin() + 6), (Bytes{26, 1, 15, 12, 1, 30}));
  EXPECT_EQ(state[30], 8) << "registered in the home network";
  EXPECT_LE(state[25] & 0x1F, 31);
  EXPECT_GT(state[25] & 0x1F, 0) << "some signal";
  EXPECT_GE(state[22], 110) << "mains around 12 V";
  EXPECT_LE(state[24], 100) << "battery connected";
  EXPECT_EQ(state[27] & 0x03, 0x03) << "temperature and balance present";
  EXPECT_EQ(state[27] & 0x04, 0) << "SIM 1";
  EXPECT_EQ(state[26], 0);
  EXPECT_EQ(state[28], 0);
  EXPECT_EQ(state[29], 0);
  for (std::size_t k = 0; k < 7; ++k) EXPECT_LE(GetLe(state, 6 + 2 * k, 2), 4095u);
  const auto temperature = static_cast<int8_t>(state[31]);
  EXPECT_GT(temperature, -40);
  EXPECT_LT(temperature, 90);
  EXPECT_GT(std::bit_cast<float>(GetLe(state, 32, 4)), 0.0f);
}

TEST_F(ControllerTest, ClockCommandSetsTheClockThatTheRecordsShow) {
  Start();
  EXPECT_EQ(ResultOf(13, {24, 2, 29, 23, 59, 30}), kDone);
  Wait(45s);
  const Bytes state = PayloadOf(Ask(Request(12)), 12, 36);
  ASSERT_EQ(state.size(), 36u);
  EXPECT_EQ(Bytes(state.begin(), state.begin() + 6), (Bytes{24, 3, 1, 0, 0, 15}));

  const Bytes gps = PayloadOf(Ask(Request(21)), 21, 28);
  ASSERT_EQ(gps.size(), 28u);
  // 2024-03-01 00:00:15: 24 years (6 of them leap) and 31 + 29 days.
  EXPECT_EQ(GetLe(gps, 0, 4), static_cast<uint32_t>((24 * 365 + 6 + 60) * 86400 + 15));
}

TEST_F(ControllerTest, ClockCommandRefusesImpossibleTimes) {
  Start();
  const Bytes cases[] = {
      {25, 2, 29, 0, 0, 0},  // no leap year
      {24, 13, 1, 0, 0, 0},  {24, 0, 1, 0, 0, 0}, {24, 4, 31, 0, 0, 0}, {24, 1, 1, 24, 0, 0},
      {24, 1, 1, 0, 60, 0},  {24, 1, 1, 0, 0, 60}, {100, 1, 1, 0, 0, 0}, {24, 1, 1, 0, 0},  // five bytes
  };
  for (const Bytes& payload : cases) EXPECT_EQ(ResultOf(13, payload), kRefused) << ::testing::PrintToString(payload);
}

TEST_F(ControllerTest, GpsRecordReportsAFix) {
  Start();
  const Bytes gps = PayloadOf(Ask(Request(21)), 21, 28);
  ASSERT_EQ(gps.size(), 28u);
  EXPECT_EQ(gps[24] & 0x07, 2) << "data valid";
  EXPECT_GE(gps[24] >> 3, 4) << "satellites";
  const float latitude = std::bit_cast<float>(GetLe(gps, 4, 4));
  const float longitude = std::bit_cast<float>(GetLe(gps, 8, 4));
  EXPECT_GT(latitude, -90.0f);
  EXPECT_LT(latitude, 90.0f);
  EXPECT_NE(latitude, 0.0f);
  EXPECT_GT(longitude, -180.0f);
  EXPECT_LT(longitude, 180.0f);
}

TEST_F(ControllerTest, KeyReaderHasNoKey) {
  Start();
  const Bytes keys = PayloadOf(Ask(Request(14)), 14, 12);
  ASSERT_EQ(keys.size(), 12u);
  EXPECT_NE(keys[8] & 0x03, 0x03);
}

TEST_F(ControllerTest, ControlCommandsChangeTheLiveState) {
  Start();
  const struct {
    Bytes command;
    uint8_t result;
    uint8_t mode, inputs, outputs;
  } steps[] = {
      {{0, 0, 0}, kDone, 2, 0x00, 0x00},      {{2, 3, 1}, kDone, 2, 0x00, 0x08},
      {{2, 0, 5}, kDone, 2, 0x00, 0x09},      {{2, 3, 2}, kDone, 2, 0x00, 0x01},
      {{4, 6, 0}, kDone, 2, 0x40, 0x01},      {{1, 0, 0}, kDone, 0, 0x40, 0x01},
      {{2, 6, 1}, kRefused, 0, 0x40, 0x01},   {{2, 0, 0}, kRefused, 0, 0x40, 0x01},
      {{2, 0, 17}, kRefused, 0, 0x40, 0x01},  {{4, 7, 0}, kRefused, 0, 0x40, 0x01},
      {{3, 0, 0}, kRefused, 0, 0x40, 0x01},   {{0, 0}, kRefused, 0, 0x40, 0x01},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::PrintToString(step.command));
    EXPECT_EQ(ResultOf(20, step.command), step.result);
    const Bytes state = PayloadOf(Ask(Request(12)), 12, 36);
    ASSERT_EQ(state.size(), 36u);
    EXPECT_EQ(state[26], step.mode);
    EXPECT_EQ(state[28], step.inputs);
    EXPECT_EQ(state[29], step.outputs);
  }
  const Bytes state = PayloadOf(Ask(Request(12)), 12, 36);
  ASSERT_EQ(state.size(), 36u);
  EXPECT_GT(GetLe(state, 6 + 12, 2), GetLe(state, 6, 2)) << "the active input 7 reads higher than idle input 1";
}

TEST_F(ControllerTest, ApplyAndUnknownCommandsAreAnsweredWithAResult) {
  Start();
  EXPECT_EQ(ResultOf(15, {0x00}), kDone);
  EXPECT_EQ(ResultOf(15, {}), kRefused);
  EXPECT_EQ(ResultOf(30), kRefused);
  EXPECT_EQ(ResultOf(0, {1, 2}), kRefused);
}

// --- Memory areas ---------------------------------------------------------------

TEST_F(ControllerTest, BlockWriteIsAcknowledgedAndReadsBack) {
  Start();
  Bytes data(256);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 1);

  const Bytes ack = Ask(WriteRequest(6, 3072, data));
  const Bytes expectedAck = {0x05, 0x06, 0x08, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00};
  ASSERT_EQ(ack.size(), 13u);
  EXPECT_EQ(Bytes(ack.begin(), ack.end() - 1), expectedAck);
  EXPECT_EQ(ack.back(), Check(ack, 1, 11));

  const Bytes reply = Ask(ReadRequest(7, 3072, 256));
  const Bytes payload = PayloadOf(reply, 7, 262);
  ASSERT_EQ(reply.size(), 267u);
  EXPECT_EQ(Bytes(payload.begin(), payload.begin() + 6), BlockHeader(3072, 256));
  EXPECT_EQ(Bytes(payload.begin() + 6, payload.end()), data);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), controller->Area(1).begin() + 3072));
}

TEST_F(ControllerTest, AreasStartWithTheImageAndZeros) {
  setup.image[3519] = 0x5A;
  Start();
  ASSERT_EQ(controller->Area(1).size(), 3520u);
  EXPECT_TRUE(std::equal(setup.image.begin(), setup.image.end(), controller->Area(1).begin()));
  const Bytes last = PayloadOf(Ask(ReadRequest(7, 3328, 192)), 7, 198);
  ASSERT_EQ(last.size(), 198u);
  EXPECT_EQ(last.back(), 0x5A);
  EXPECT_EQ(PayloadOf(Ask(ReadRequest(9, 0, 10)), 9, 16), Cat(BlockHeader(0, 10), Bytes(10, 0)));
  EXPECT_EQ(PayloadOf(Ask(ReadRequest(19, 0, 24)), 19, 30), Cat(BlockHeader(0, 24), Bytes(24, 0)));
}

TEST_F(ControllerTest, TheWholeImageTravelsInFourteenBlocks) {
  Start();
  // The pattern puts a password into block 0; the password step before the
  // transfer keeps the session open for the blocks after it.
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kDone);
  Bytes image(3520);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i % 251);
  for (std::size_t offset = 0; offset < image.size(); offset += 256) {
    const std::size_t n = std::min<std::size_t>(256, image.size() - offset);
    const auto address = static_cast<uint32_t>(offset);
    EXPECT_EQ(AckResult(Ask(WriteRequest(6, address, Bytes(image.begin() + offset, image.begin() + offset + n))), 6,
                        address, static_cast<uint16_t>(n)),
              kDone);
  }
  EXPECT_TRUE(std::equal(image.begin(), image.end(), controller->Area(1).begin()));
}

TEST_F(ControllerTest, BlocksOutsideAnAreaOrOfRefusedAreasGetResultThree) {
  Start();
  const struct {
    const char* name;
    uint8_t command;
    uint32_t address;
    uint16_t count;
    uint8_t result;
  } cases[] = {
      {"last block of area 1", 6, 3328, 192, kDone},
      {"one byte beyond area 1", 6, 3329, 192, kRefused},
      {"address beyond area 1", 6, 3520, 1, kRefused},
      {"address near 2^32", 6, 0xFFFFFFFF, 1, kRefused},
      {"count zero", 6, 0, 0, kRefused},
      {"count 257", 6, 0, 257, kRefused},
      {"area 4 whole", 8, 0, 10, kDone},
      {"area 4 eleven bytes", 8, 0, 11, kRefused},
      {"area 5 whole", 18, 0, 24, kDone},
      {"area 5 from 1", 18, 1, 24, kRefused},
      {"area 2", 1, 0, 16, kRefused},
      {"area 3", 3, 0, 16, kRefused},
      {"area 6", 22, 0, 16, kRefused},
      {"area 7", 10, 0, 16, kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> before(controller->Area(1).begin(), controller->Area(1).end());
    EXPECT_EQ(AckResult(Ask(WriteRequest(c.command, c.address, Bytes(c.count, 0xEE))), c.command, c.address, c.count),
              c.result);
    if (c.result != kDone) {
      EXPECT_TRUE(std::equal(before.begin(), before.end(), controller->Area(1).begin())) << "nothing written";
    }

    // The read command is the write command + 1; refused reads come back in
    // the 13-byte acknowledgement shape.
    const auto read = static_cast<uint8_t>(c.command + 1);
    const Bytes reply = Ask(ReadRequest(read, c.address, c.count));
    if (c.result == kDone) {
      EXPECT_EQ(reply.size(), c.count + 11u);
    } else {
      EXPECT_EQ(AckResult(reply, read, c.address, c.count), c.result);
    }
  }
}

TEST_F(ControllerTest, MalformedBlockRequestsAreRefused) {
  Start();
  // A write whose count does not match its data.
  Bytes payload = Cat(BlockHeader(0, 10), Bytes(9, 1));
  EXPECT_EQ(AckResult(Ask(Request(6, payload)), 6, 0, 10), kRefused);
  // A read request with six header bytes instead of eight.
  EXPECT_EQ(AckResult(Ask(Request(7, BlockHeader(0, 10))), 7, 0, 10), kRefused);
}

// --- Password ---------------------------------------------------------------------

TEST_F(ControllerTest, WithAPasswordMemoryAndRestartWaitForIt) {
  SetPasswordField("abc\0xyz"sv);
  Start();
  EXPECT_EQ(controller->Password(), "abc");
  EXPECT_EQ(AckResult(Ask(ReadRequest(7, 0, 256)), 7, 0, 256), kPasswordNeeded);
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 0, Bytes(16, 1))), 6, 0, 16), kPasswordNeeded);
  EXPECT_EQ(controller->Area(1)[0], FactoryImage()[0]);
  EXPECT_EQ(AckResult(Ask(ReadRequest(2, 0, 16)), 2, 0, 16), kPasswordNeeded) << "before the area is looked at";
  EXPECT_EQ(AckResult(Ask(WriteRequest(18, 0, Bytes(24, 1))), 18, 0, 24), kPasswordNeeded);
  EXPECT_EQ(ResultOf(16, {0}), kPasswordNeeded);
  EXPECT_TRUE(controller->InBinaryMode()) << "no restart";
  // What needs no password.
  EXPECT_EQ(PayloadOf(Ask(Request(5)), 5, 88).size(), 88u);
  EXPECT_EQ(ResultOf(15, {0}), kDone);
  EXPECT_EQ(ResultOf(13, {26, 1, 1, 0, 0, 0}), kDone);
  EXPECT_EQ(ResultOf(20, {0, 0, 0}), kDone);
}

TEST_F(ControllerTest, OnlyTheExactPasswordOpensTheSessionUntilARestart) {
  SetPasswordField("abc\0xyz"sv);
  Start();
  const Bytes wrong[] = {
      Cat(Text("abd"), Bytes(6, 0)),
      Cat(Text("ab"), Bytes(7, 0)),
      Cat(Text("abc\0xyz"sv), Bytes(2, 0)),  // the field as stored, not the text
      Cat(Text("abc"), Bytes(5, 0)),       // eight bytes
      Cat(Text("abc"), Bytes(7, 0)),       // ten bytes
      Cat(Text("ABC"), Bytes(6, 0)),
  };
  for (const Bytes& payload : wrong) {
    EXPECT_EQ(ResultOf(17, payload), kPasswordNeeded) << ::testing::PrintToString(payload);
    EXPECT_FALSE(controller->Authorised());
  }
  EXPECT_FALSE(controller->ResetWatchRunning());

  EXPECT_EQ(ResultOf(17, Cat(Text("abc"), Bytes(6, 0))), kDone);
  EXPECT_TRUE(controller->Authorised());
  EXPECT_EQ(Ask(ReadRequest(7, 0, 256)).size(), 267u);
  EXPECT_EQ(ResultOf(17, Cat(Text("zzz"), Bytes(6, 0))), kPasswordNeeded);
  EXPECT_EQ(Ask(ReadRequest(7, 0, 256)).size(), 267u) << "a later wrong password does not close the session";

  EXPECT_EQ(Ask({0x05, 0x10, 0x01, 0x00, 0x00, 0xEF}), (Bytes{0x05, 0x10, 0x01, 0x00, 0x00, 0xEF}));
  EXPECT_FALSE(controller->Authorised());
  EXPECT_FALSE(controller->InBinaryMode());
  EXPECT_TRUE(Send(Request(5)).empty()) << "restarted: waits for the mode switch";
  EXPECT_TRUE(Send(Text("BINARY\r")).empty());
  EXPECT_EQ(AckResult(Ask(ReadRequest(7, 0, 256)), 7, 0, 256), kPasswordNeeded);
}

TEST_F(ControllerTest, AnEightCharacterPasswordIgnoresTheNinthByte) {
  SetPasswordField("12345678Z");
  Start();
  EXPECT_EQ(controller->Password(), "12345678");
  EXPECT_EQ(ResultOf(17, Text("12345678Z")), kPasswordNeeded);
  EXPECT_EQ(ResultOf(17, Cat(Text("12345678"), {0})), kDone);
}

TEST_F(ControllerTest, WithoutAPasswordEverythingIsOpenAndAnyPasswordIsAccepted) {
  Start();
  EXPECT_EQ(controller->Password(), "");
  EXPECT_EQ(Ask(ReadRequest(7, 0, 256)).size(), 267u);
  EXPECT_EQ(ResultOf(17, Text("whatever")), kDone);
  EXPECT_EQ(ResultOf(17, {}), kDone);
  EXPECT_FALSE(controller->ResetWatchRunning());
}

TEST_F(ControllerTest, ASessionThatProgramsAPasswordKeepsWriting) {
  Start();
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kDone);
  Bytes first(FactoryImage().begin(), FactoryImage().begin() + 256);
  std::memcpy(first.data() + 132, "pw", 2);
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 0, first)), 6, 0, 256), kDone);
  EXPECT_EQ(controller->Password(), "pw");
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 256, Bytes(256, 0))), 6, 256, 256), kDone);

  EXPECT_EQ(ResultOf(16, {0}), kDone);
  Send(Text("BINARY\r"));
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 256, Bytes(256, 0))), 6, 256, 256), kPasswordNeeded);
  EXPECT_EQ(ResultOf(17, Cat(Text("pw"), Bytes(7, 0))), kDone);
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 256, Bytes(256, 0))), 6, 256, 256), kDone);
}

TEST_F(ControllerTest, RestartNeedsItsOneZeroByte) {
  Start();
  EXPECT_EQ(ResultOf(16, {}), kRefused);
  EXPECT_EQ(ResultOf(16, {1}), kRefused);
  EXPECT_TRUE(controller->InBinaryMode());
}

TEST_F(ControllerTest, FramesAfterARestartInTheSameChunkWaitForTheModeSwitch) {
  Start();
  const auto exchanges = Send(Cat(Cat(Request(16, {0}), Request(5)), Cat(Text("BINARY\r"), Request(12))));
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0].command, 16);
  EXPECT_EQ(exchanges[1].command, 12);
  EXPECT_EQ(exchanges[1].frameNumber, 2u);
}

// --- Reset watch ----------------------------------------------------------------------

struct WatchCase {
  const char* name;
  std::vector<int> identitySeconds;  // after the empty password
  int endSecond;                     // time of the last tick
  bool cleared;
};

class ResetWatchTest : public ControllerFixture, public ::testing::WithParamInterface<WatchCase> {};

std::vector<int> Every(int step, int first, int last) {
  std::vector<int> times;
  for (int t = first; t <= last; t += step) times.push_back(t);
  return times;
}

TEST_P(ResetWatchTest, ClearsThePasswordOnlyWhileIdentityRequestsKeepComing) {
  const WatchCase& c = GetParam();
  SetPasswordField("secret");
  setup.resetDelay = 60s;
  Start();
  const TimePoint start = now;
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kPasswordNeeded);
  EXPECT_TRUE(controller->ResetWatchRunning());

  for (int second : c.identitySeconds) {
    now = start + std::chrono::seconds(second);
    ASSERT_EQ(PayloadOf(Ask(Request(5)), 5, 88).size(), 88u);
    // Other requests do not keep the watch going, nor stop it.
    ASSERT_EQ(PayloadOf(Ask(Request(12)), 12, 36).size(), 36u);
  }
  controller->Tick(start + std::chrono::seconds(c.endSecond));

  const auto field = controller->Area(1).subspan(kAdminPasswordOffset, kAdminPasswordSize);
  if (c.cleared) {
    EXPECT_TRUE(std::all_of(field.begin(), field.end(), [](uint8_t b) { return b == 0; }));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("password cleared"), std::string::npos) << notices[0];
    now = start + std::chrono::seconds(c.endSecond);
    EXPECT_EQ(Ask(ReadRequest(7, 0, 256)).size(), 267u) << "open without a password";
  } else {
    EXPECT_EQ(controller->Password(), "secret");
    EXPECT_TRUE(notices.empty() || notices[0].find("cancelled") != std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResetWatchTest,
    ::testing::Values(WatchCase{"every4s", Every(4, 4, 60), 60, true},
                      WatchCase{"every5sExactly", Every(5, 5, 60), 60, true},
                      WatchCase{"lastRequestFourSecondsBeforeTheEnd", Every(4, 4, 56), 61, true},
                      WatchCase{"oneGapOf6s", [] {
                                  auto times = Every(4, 4, 12);
                                  const auto rest = Every(4, 18, 60);
                                  times.insert(times.end(), rest.begin(), rest.end());
                                  return times;
                                }(),
                                70, false},
                      WatchCase{"firstRequestAfter6s", Every(4, 6, 62), 70, false},
                      WatchCase{"requestsStopTooEarly", Every(4, 4, 52), 70, false},
                      WatchCase{"notLongEnough", Every(4, 4, 56), 59, false}),
    [](const ::testing::TestParamInfo<WatchCase>& param) { return std::string(param.param.name); });

TEST_F(ControllerTest, ResetWatchNotYetOverKeepsRunning) {
  SetPasswordField("secret");
  setup.resetDelay = 60s;
  Start();
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kPasswordNeeded);
  for (int i = 0; i < 14; ++i) {
    Wait(4s);
    Ask(Request(5));
  }
  EXPECT_TRUE(controller->ResetWatchRunning());
  EXPECT_EQ(controller->Password(), "secret");
}

TEST_F(ControllerTest, ARestartOrANewEmptyPasswordStartsTheWatchAfresh) {
  SetPasswordField("secret");
  setup.resetDelay = 20s;
  Start();
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kPasswordNeeded);
  for (int i = 0; i < 3; ++i) {
    Wait(4s);
    Ask(Request(5));
  }
  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kPasswordNeeded);  // at 12 s: the 20 s start again
  for (int i = 0; i < 3; ++i) {
    Wait(4s);
    Ask(Request(5));
  }
  controller->Tick(now);  // 24 s after the first, 12 s after the second
  EXPECT_EQ(controller->Password(), "secret");
  EXPECT_TRUE(controller->ResetWatchRunning());

  EXPECT_EQ(ResultOf(17, Cat(Text("secret"), Bytes(3, 0))), kDone);
  EXPECT_EQ(ResultOf(16, {0}), kDone);
  EXPECT_FALSE(controller->ResetWatchRunning());
}

}  // namespace
}  // namespace vkm::sim::test
