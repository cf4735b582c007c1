#include "vkm-sim/FaultPlan.h"

#include <gtest/gtest.h>

#include "SimTestSupport.h"

namespace vkm::sim::test {
namespace {

using Kind = FaultWhen::Kind;

TEST(FaultSpecTest, ReadsEveryKindAndEveryWhen) {
  const struct {
    const char* text;
    Fault fault;
  } cases[] = {
      {"noreply", {FaultKind::NoReply, {Kind::EveryFrame, 0, 0}}},
      {"short@3", {FaultKind::Short, {Kind::FrameNumber, 3, 0}}},
      {"badcheck@cmd:7", {FaultKind::BadCheck, {Kind::Command, 0, 7}}},
      {"echo-command@cmd:0", {FaultKind::EchoCommand, {Kind::Command, 0, 0}}},
      {"echo-address@cmd:255:1", {FaultKind::EchoAddress, {Kind::CommandOccurrence, 1, 255}}},
      {"echo-count@cmd:7:14", {FaultKind::EchoCount, {Kind::CommandOccurrence, 14, 7}}},
      {"flash@12", {FaultKind::Flash, {Kind::FrameNumber, 12, 0}}},
      {"password@cmd:17", {FaultKind::Password, {Kind::Command, 0, 17}}},
      {"refuse", {FaultKind::Refuse, {Kind::EveryFrame, 0, 0}}},
      {"corrupt@cmd:7:2", {FaultKind::Corrupt, {Kind::CommandOccurrence, 2, 7}}},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto fault = ParseFault(c.text, error);
    ASSERT_TRUE(fault.has_value()) << c.text << ": " << error;
    EXPECT_EQ(*fault, c.fault) << c.text;
  }
}

TEST(FaultSpecTest, RejectsMalformedSpecsWithAReason) {
  const char* cases[] = {"",          "slow",         "Short",        "short@",        "short@0",
                         "short@x",   "short@-1",     "short@3x",     "short@cmd:",    "short@cmd:256",
                         "short@cmd:5:0", "short@cmd:5:", "short@cmd:5:1:2", "short@cmd:x", "short@3@4",
                         "@3",        "short@ 3"};
  for (const char* text : cases) {
    std::string error;
    EXPECT_FALSE(ParseFault(text, error).has_value()) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(FaultSpecTest, DescribesThePlan) {
  FaultPlan plan;
  EXPECT_EQ(plan.Describe(), "fault plan: none");
  std::string error;
  plan.Add(*ParseFault("noreply@2", error));
  plan.Add(*ParseFault("echo-count@cmd:7:3", error));
  plan.Add(*ParseFault("short", error));
  plan.Add(*ParseFault("flash@cmd:6", error));
  EXPECT_EQ(plan.Describe(),
            "fault plan:\n"
            "  noreply on request frame 2\n"
            "  echo-count on frame 3 with command 7\n"
            "  short on every request frame\n"
            "  flash on every frame with command 6");
}

// --- Faults applied to the controller's replies --------------------------------

class FaultTest : public ControllerFixture {
 protected:
  void StartWith(std::initializer_list<const char*> texts) {
    FaultPlan plan;
    for (const char* text : texts) {
      std::string error;
      const auto fault = ParseFault(text, error);
      ASSERT_TRUE(fault.has_value()) << error;
      plan.Add(*fault);
    }
    Start(plan);
  }

  // The same request to a controller without faults, for comparison.
  Bytes CleanReply(const Bytes& request) {
    Controller clean(setup, {}, now);
    clean.Receive(Text("BINARY\r"), now);
    const auto exchanges = clean.Receive(request, now);
    return exchanges.size() == 1 ? exchanges[0].reply : Bytes{};
  }
};

TEST_F(FaultTest, NoReplyLosesTheRequestItHits) {
  StartWith({"noreply@2"});
  EXPECT_EQ(Ask(Request(5)).size(), 93u);
  const auto lost = Send(WriteRequest(6, 0, Bytes(16, 0xEE)));
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_TRUE(lost[0].reply.empty());
  EXPECT_EQ(lost[0].frameNumber, 2u);
  EXPECT_EQ(controller->Area(1)[0], FactoryImage()[0]) << "not carried out";
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 0, Bytes(16, 0xEE))), 6, 0, 16), kDone) << "the retry goes through";
  EXPECT_EQ(controller->Area(1)[0], 0xEE);
}

TEST_F(FaultTest, LineFaultsSpoilTheWholeReply) {
  const Bytes identity = Request(5);
  const Bytes clean = CleanReply(identity);
  ASSERT_EQ(clean.size(), 93u);

  StartWith({"short@1", "badcheck@2", "echo-command@3", "echo-command@4", "badcheck@4"});
  EXPECT_EQ(Ask(identity), Bytes(clean.begin(), clean.begin() + 46));

  const Bytes badCheck = Ask(identity);
  ASSERT_EQ(badCheck.size(), 93u);
  EXPECT_EQ(Bytes(badCheck.begin(), badCheck.end() - 1), Bytes(clean.begin(), clean.end() - 1));
  EXPECT_NE(badCheck.back(), clean.back());

  const Bytes echo = Ask(identity);
  ASSERT_EQ(echo.size(), 93u);
  EXPECT_EQ(echo[1], 6);
  EXPECT_EQ(echo.back(), Check(echo, 1, 91)) << "only the echo is wrong";
  EXPECT_TRUE(std::equal(echo.begin() + 2, echo.end() - 1, clean.begin() + 2));

  const Bytes both = Ask(identity);
  EXPECT_EQ(both[1], 6);
  EXPECT_NE(both.back(), Check(both, 1, 91));
}

TEST_F(FaultTest, BlockEchoFaultsChangeOnlyBlockReplies) {
  StartWith({"echo-address", "echo-count@cmd:6"});
  EXPECT_EQ(Ask(Request(5)), CleanReply(Request(5))) << "a record has no block header";
  EXPECT_EQ(Ask(Request(15, {0})), CleanReply(Request(15, {0})));

  const Bytes read = Ask(ReadRequest(7, 256, 256));
  const Bytes payload = PayloadOf(read, 7, 262);
  ASSERT_EQ(payload.size(), 262u);
  EXPECT_EQ(GetLe(payload, 0, 4), 257u);
  EXPECT_EQ(GetLe(payload, 4, 2), 256u) << "echo-count hits command 6 only";
  EXPECT_TRUE(std::equal(payload.begin() + 6, payload.end(), FactoryImage().begin() + 256));

  const Bytes ack = PayloadOf(Ask(WriteRequest(6, 0xFF, Bytes(192, 1))), 6, 8);
  ASSERT_EQ(ack.size(), 8u);
  EXPECT_EQ(GetLe(ack, 0, 4), 0x100u);
  EXPECT_EQ(GetLe(ack, 4, 2), 193u);
  EXPECT_EQ(ack[6], kDone);
  EXPECT_EQ(controller->Area(1)[0xFF], 1) << "the write itself was carried out";
}

TEST_F(FaultTest, CorruptChangesReadDataInAValidFrame) {
  StartWith({"corrupt"});
  EXPECT_EQ(Ask(Request(5)), CleanReply(Request(5))) << "only block data is changed";
  const Bytes read = Ask(ReadRequest(7, 0, 16));
  const Bytes payload = PayloadOf(read, 7, 22);
  ASSERT_EQ(payload.size(), 22u);
  EXPECT_EQ(read.back(), Check(read, 1, read.size() - 2)) << "the frame itself is sound";
  EXPECT_EQ(payload[6], FactoryImage()[0] ^ 0x01);
  EXPECT_TRUE(std::equal(payload.begin() + 7, payload.end(), FactoryImage().begin() + 1));
  EXPECT_EQ(controller->Area(1)[0], FactoryImage()[0]) << "the memory itself is intact";
}

TEST_F(FaultTest, ResultFaultsRefuseWithoutCarryingOut) {
  StartWith({"flash@cmd:6", "password@cmd:17", "refuse@cmd:7", "refuse@cmd:16", "flash@cmd:5"});
  EXPECT_EQ(AckResult(Ask(WriteRequest(6, 0, Bytes(16, 0xEE))), 6, 0, 16), kFlashFault);
  EXPECT_EQ(controller->Area(1)[0], FactoryImage()[0]);

  EXPECT_EQ(ResultOf(17, Bytes(9, 0)), kPasswordNeeded);
  EXPECT_FALSE(controller->Authorised());

  EXPECT_EQ(AckResult(Ask(ReadRequest(7, 0, 256)), 7, 0, 256), kRefused) << "a refused read in the short shape";
  EXPECT_EQ(ResultOf(16, {0}), kRefused);
  EXPECT_TRUE(controller->InBinaryMode()) << "no restart";
  EXPECT_EQ(Ask(Request(5)), CleanReply(Request(5))) << "a record has no result code";
  EXPECT_EQ(ResultOf(15, {0}), kDone);
}

TEST_F(FaultTest, CountsFramesOverAllAndPerCommand) {
  StartWith({"noreply@cmd:7:2", "short@5"});
  const auto first = Send(Cat(ReadRequest(7, 0, 16), Request(5)));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].reply.size(), 27u);
  EXPECT_EQ(first[1].reply.size(), 93u);
  // A frame with a wrong check byte is no request and is not counted.
  Bytes spoiled = ReadRequest(7, 0, 16);
  spoiled.back() ^= 1;
  EXPECT_TRUE(Send(spoiled).empty());
  EXPECT_TRUE(Ask(ReadRequest(7, 0, 16)).empty()) << "second read, frame 3";
  EXPECT_EQ(Ask(ReadRequest(7, 0, 16)).size(), 27u) << "third read, frame 4";
  EXPECT_EQ(Ask(Request(5)).size(), 46u) << "frame 5";
  EXPECT_EQ(Ask(Request(5)).size(), 93u) << "frame 6";
}

}  // namespace
}  // namespace vkm::sim::test
