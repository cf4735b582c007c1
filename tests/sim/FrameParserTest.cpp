#include "vkm-sim/FrameParser.h"

#include <gtest/gtest.h>

#include "SimTestSupport.h"

namespace vkm::sim::test {
namespace {

using namespace std::chrono_literals;

const Bytes kIdentityRequest = {0x05, 0x05, 0x00, 0x00, 0xFB};
const Bytes kRestartRequest = {0x05, 0x10, 0x01, 0x00, 0x00, 0xEF};

class FrameParserTest : public ::testing::Test {
 protected:
  void Push(const Bytes& bytes) { parser.Push(bytes, now); }

  // Every frame the parser can give now.
  std::vector<Frame> Drain() {
    std::vector<Frame> frames;
    while (auto frame = parser.Next()) frames.push_back(*frame);
    return frames;
  }

  FrameParser parser;
  FrameParser::TimePoint now = FrameParser::TimePoint{} + 1h;
};

TEST(BuildFrameTest, MatchesTheKnownRequests) {
  EXPECT_EQ(BuildFrame(5, {}), kIdentityRequest);
  const uint8_t zero[] = {0};
  EXPECT_EQ(BuildFrame(16, zero), kRestartRequest);
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(BuildFrame(0x61, abc), (Bytes{0x05, 0x61, 0x03, 0x00, 'a', 'b', 'c', Check({0x61, 0x03, 0x00, 'a', 'b', 'c'}, 0, 5)}));
}

TEST_F(FrameParserTest, IgnoresFramesUntilTheModeSwitch) {
  Push(kIdentityRequest);
  EXPECT_TRUE(Drain().empty());
  EXPECT_FALSE(parser.InBinaryMode());

  Push(Cat(Text("BINARY\r"), kIdentityRequest));
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(parser.InBinaryMode());
  EXPECT_EQ(frames[0].command, 5);
  EXPECT_TRUE(frames[0].payload.empty());
  EXPECT_EQ(frames[0].Size(), 5u);
}

TEST_F(FrameParserTest, AssemblesTheModeSwitchAndFramesFromPieces) {
  Push(Text("noiseBIN"));
  EXPECT_TRUE(Drain().empty());
  Push(Text("ARY"));
  EXPECT_TRUE(Drain().empty());
  EXPECT_FALSE(parser.InBinaryMode());
  Push(Text("\r"));
  EXPECT_TRUE(Drain().empty());
  EXPECT_TRUE(parser.InBinaryMode());

  const Bytes write = WriteRequest(6, 3328, Bytes(192, 0xA5));
  ASSERT_EQ(write.size(), 203u);
  Push(Bytes(write.begin(), write.begin() + 3));
  EXPECT_TRUE(Drain().empty());
  Push(Bytes(write.begin() + 3, write.begin() + 100));
  EXPECT_TRUE(Drain().empty());
  Push(Bytes(write.begin() + 100, write.end()));
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 6);
  EXPECT_EQ(frames[0].payload, Bytes(write.begin() + 4, write.end() - 1));
}

TEST_F(FrameParserTest, ANearMissOfTheModeSwitchDoesNotCount) {
  Push(Text("BINARY\n"));
  Push(Text("binary\r"));
  Push(Text("BINAR Y\r"));
  Push(kIdentityRequest);
  EXPECT_TRUE(Drain().empty());
  EXPECT_FALSE(parser.InBinaryMode());
}

TEST_F(FrameParserTest, InBinaryModeSkipsTheModeSwitchAndOtherNoise) {
  Push(Text("BINARY\r"));
  Push(Cat(Cat(Text("BINARY\r"), {0x00, 0xFF, 0x42}), Cat(kIdentityRequest, Text("BINARY\r"))));
  Push(kRestartRequest);
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].command, 5);
  EXPECT_EQ(frames[1].command, 16);
  EXPECT_EQ(frames[1].payload, Bytes{0x00});
}

TEST_F(FrameParserTest, DropsAFrameWithAWrongCheckByteAndReadsTheNext) {
  Push(Text("BINARY\r"));
  Bytes spoiled = kIdentityRequest;
  spoiled.back() = 0xFA;
  Push(Cat(spoiled, kRestartRequest));
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 16);
  EXPECT_EQ(parser.RejectedFrames(), 1u);
}

TEST_F(FrameParserTest, AStartByteWithAnImpossibleLengthIsNoFrame) {
  Push(Text("BINARY\r"));
  // Length 0x0128 = 296 is beyond any frame of the protocol.
  Push(Cat({0x05, 0x07, 0x28, 0x01}, kIdentityRequest));
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 5);
}

TEST_F(FrameParserTest, AnUnfinishedFrameIsAbandonedAfterTheLineWentQuiet) {
  Push(Text("BINARY\r"));
  // A stray start byte: on its own it would take the next request as its
  // command, length and payload.
  Push({0x05});
  now += 100ms;
  Push(kIdentityRequest);
  EXPECT_TRUE(Drain().empty());

  now += FrameParser::kStaleGap + 1ms;
  Push(kIdentityRequest);
  const auto frames = Drain();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].command, 5);
}

TEST_F(FrameParserTest, BackInTextModeItWaitsForTheModeSwitchAgain) {
  Push(Text("BINARY\r"));
  Push(kIdentityRequest);
  ASSERT_EQ(Drain().size(), 1u);
  parser.EnterTextMode();
  Push(kIdentityRequest);
  EXPECT_TRUE(Drain().empty());
  Push(Cat(Text("BINARY\r"), kIdentityRequest));
  EXPECT_EQ(Drain().size(), 1u);
}

}  // namespace
}  // namespace vkm::sim::test
