#include "vkm-sim/Options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SimTestSupport.h"
#include "vkm-sim/Calendar.h"
#include "vkm-sim/ImageFile.h"
#include "vkm-sim/LinePacing.h"

namespace vkm::sim::test {
namespace {

using namespace std::chrono_literals;

std::optional<Options> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string reason;
  auto options = ParseOptions(args, reason);
  if (error) *error = reason;
  return options;
}

TEST(OptionsTest, DefaultsDescribeAFactoryVkm410) {
  const auto options = Parse({});
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(options->setup.deviceName, "VKM410");
  EXPECT_EQ(options->setup.modification, "G");
  EXPECT_EQ(options->setup.firmware, 0x0100);
  EXPECT_EQ(options->setup.imei.size(), 15u);
  EXPECT_EQ(options->setup.resetDelay, 1800s);
  EXPECT_FALSE(options->link || options->image || options->lineRate || options->verbose || options->help);
  EXPECT_TRUE(options->faults.Empty());
}

TEST(OptionsTest, ReadsEveryOption) {
  const auto options = Parse({"--link", "/tmp/port", "--image", "a.cnt", "--device-name", "ВКМ-1",
                              "--modification=H", "--firmware", "0A0b", "--imei", "490154203237518", "--fault",
                              "noreply@2", "--fault=short@cmd:5", "--line-rate", "--reset-delay", "2.5",
                              "--verbose"});
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(options->link, std::filesystem::path("/tmp/port"));
  EXPECT_EQ(options->image, std::filesystem::path("a.cnt"));
  EXPECT_EQ(options->setup.deviceName, "\xC2\xCA\xCC-1") << "code page 1251";
  EXPECT_EQ(options->setup.modification, "H");
  EXPECT_EQ(options->setup.firmware, 0x0A0B);
  EXPECT_EQ(options->setup.imei, "490154203237518");
  ASSERT_EQ(options->faults.Faults().size(), 2u);
  EXPECT_EQ(options->faults.Faults()[0].what, FaultKind::NoReply);
  EXPECT_EQ(options->faults.Faults()[1].when.command, 5);
  EXPECT_TRUE(options->lineRate);
  EXPECT_EQ(options->setup.resetDelay, 2500ms);
  EXPECT_TRUE(options->verbose);

  const auto hexPrefix = Parse({"--firmware", "0x101", "--reset-delay=0", "--device-name", ""});
  ASSERT_TRUE(hexPrefix.has_value());
  EXPECT_EQ(hexPrefix->setup.firmware, 0x0101);
  EXPECT_EQ(hexPrefix->setup.resetDelay, 0ms);
  EXPECT_EQ(hexPrefix->setup.deviceName, "");
}

TEST(OptionsTest, RejectsBadArgumentsWithAReason) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"extra"},
      {"--link"},
      {"--image", ""},
      {"--firmware", "12345"},
      {"--firmware", "xyz"},
      {"--firmware", ""},
      {"--imei", "12a"},
      {"--imei", "1234567890123456"},
      {"--imei", ""},
      {"--device-name", "ABCDEFGHIJ"},
      {"--modification", "ЖЖЖЖЖЖЖЖЖЖ"},
      {"--reset-delay", "-1"},
      {"--reset-delay", "abc"},
      {"--reset-delay", "nan"},
      {"--fault", "bogus"},
      {"--fault", "short@0"},
      {"--fault"},
      {"--line-rate=1"},
  };
  for (const auto& args : cases) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error).has_value()) << ::testing::PrintToString(args);
    EXPECT_FALSE(error.empty()) << ::testing::PrintToString(args);
  }
}

TEST(LinePacingTest, CountsBothFramesAtAboutHalfAMillisecondPerByte) {
  EXPECT_EQ(LineRateDelay(5, 93), 51960us);
  EXPECT_EQ(LineRateDelay(267, 13), 146600us);
  EXPECT_EQ(LineRateDelay(0, 0), 1000us);
}

TEST(CalendarTest, CountsSecondsSince2000WithEveryFourthYearLeap) {
  const struct {
    int64_t seconds;
    CalendarTime time;
  } cases[] = {
      {0, {0, 1, 1, 0, 0, 0}},
      {86399, {0, 1, 1, 23, 59, 59}},
      {5097600, {0, 2, 29, 0, 0, 0}},
      {5184000, {0, 3, 1, 0, 0, 0}},
      {31622400, {1, 1, 1, 0, 0, 0}},
      {(365 * 100 + 25) * int64_t{86400} - 1, {99, 12, 31, 23, 59, 59}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromSecondsSince2000(c.seconds), c.time) << c.seconds;
    EXPECT_EQ(SecondsSince2000(c.time), c.seconds) << c.seconds;
  }
  EXPECT_TRUE(IsValid({4, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsValid({1, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsValid({0, 6, 31, 0, 0, 0}));
}

class ImageFileTest : public ::testing::Test {
 protected:
  ImageFileTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vkm-sim-image-XXXXXX").string();
    dir_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ImageFileTest() override {
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  std::filesystem::path Write(const Bytes& content) {
    const auto path = dir_ / "file.cnt";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                static_cast<std::streamsize>(content.size()));
    return path;
  }

  static Bytes FileOf(const ConfigurationImage& image) {
    Bytes content = Text("[VKMControllerConfiguration_v01.00]");
    content.insert(content.end(), image.begin(), image.end());
    content.push_back(CheckByte(image));
    return content;
  }

  std::filesystem::path dir_;
};

TEST_F(ImageFileTest, ReadsTheImageOfAConfigurationFile) {
  ASSERT_FALSE(dir_.empty());
  ConfigurationImage image = FactoryImage();
  image[132] = 'k';
  image[3519] = 0x77;
  std::string error;
  const auto loaded = LoadImageFile(Write(FileOf(image)), error);
  ASSERT_TRUE(loaded.has_value()) << error;
  EXPECT_EQ(*loaded, image);
}

TEST_F(ImageFileTest, RejectsAWrongSizeOrCheckByte) {
  ASSERT_FALSE(dir_.empty());
  const Bytes good = FileOf(FactoryImage());
  Bytes badCheck = good;
  badCheck.back() ^= 0x01;
  Bytes spoiledImage = good;
  spoiledImage[35 + 100] ^= 0x10;
  const Bytes cases[] = {badCheck, spoiledImage, Bytes(good.begin(), good.end() - 1), Cat(good, {0}), Bytes{}};
  for (const Bytes& content : cases) {
    std::string error;
    EXPECT_FALSE(LoadImageFile(Write(content), error).has_value()) << content.size();
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_FALSE(LoadImageFile(dir_ / "missing.cnt", error).has_value());
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vkm::sim::test
