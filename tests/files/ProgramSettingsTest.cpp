#include "files/ProgramSettings.h"

#include <gtest/gtest.h>

#include "FileTestSupport.h"

namespace vkm {
namespace {

using ProgramSettingsTest = test::TempDirTest;

#ifdef _WIN32
constexpr char kPort[] = "COM4";
constexpr char kForeignPort[] = "ttyS0";
#else
constexpr char kPort[] = "ttyS4";
constexpr char kForeignPort[] = "COM4";
#endif

TEST_F(ProgramSettingsTest, FileLayout) {
  ASSERT_EQ(SaveProgramSettings(Path("s.cfg"), kPort), 0);
  const std::string expected = std::string("[VKMProgCfg]") + kPort + std::string(8 - sizeof kPort + 1, '\0') +
                               std::string("\x86\x42\xB8\x20", 4);
  EXPECT_EQ(ReadAll(Path("s.cfg")), expected);
}

TEST_F(ProgramSettingsTest, StorableNamesRoundTrip) {
#ifdef _WIN32
  const char* names[] = {"COM1", "COM12", "COM1234"};
#else
  const char* names[] = {"ttyS0", "ttyUSB0", "ttyACM9", "/dev/x"};
#endif
  for (const char* name : names) {
    ASSERT_EQ(SaveProgramSettings(Path("s.cfg"), name), 0);
    std::string port = "unchanged";
    EXPECT_EQ(LoadProgramSettings(Path("s.cfg"), port), 0) << name;
    EXPECT_EQ(port, name);
  }
}

TEST_F(ProgramSettingsTest, InvalidFilesLeaveThePortAlone) {
  ASSERT_EQ(SaveProgramSettings(Path("good.cfg"), kPort), 0);
  const std::string good = ReadAll(Path("good.cfg"));
  std::string badHeader = good;
  badHeader[1] = 'X';
  std::string badTrailer = good;
  badTrailer[23] = 0;
  std::string foreignName = good;
  foreignName.replace(12, 8, std::string(kForeignPort) + std::string(8 - sizeof kForeignPort + 1, '\0'));

  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"header only", good.substr(0, 12)},
      {"last four bytes missing", good.substr(0, 20)},
      {"wrong header", badHeader},
      {"wrong constant", badTrailer},
      {"port of another platform", foreignName},
      {"no port name", good.substr(0, 12) + std::string(8, '\0') + good.substr(20)},
  };
  for (const Case& c : cases) {
    WriteAll(Path("s.cfg"), c.bytes);
    std::string port = "unchanged";
    EXPECT_EQ(LoadProgramSettings(Path("s.cfg"), port), 1) << c.name;
    EXPECT_EQ(port, "unchanged") << c.name;
  }
  std::string port = "unchanged";
  EXPECT_EQ(LoadProgramSettings(Path("missing.cfg"), port), 1);
}

TEST_F(ProgramSettingsTest, NameTooLongForTheFileIsNotCutToAnotherPort) {
#ifdef _WIN32
  const char* longName = "COM12345";
#else
  const char* longName = "ttyUSB10";
#endif
  ASSERT_EQ(SaveProgramSettings(Path("s.cfg"), longName), 0);
  EXPECT_EQ(ReadAll(Path("s.cfg")).size(), kProgramSettingsSize);
  std::string port = "unchanged";
  EXPECT_EQ(LoadProgramSettings(Path("s.cfg"), port), 1);
  EXPECT_EQ(port, "unchanged");
}

TEST(ProgramSettings, PortNameForms) {
  EXPECT_EQ(IsStorablePortName(DefaultPortName()), true);
  EXPECT_FALSE(IsStorablePortName(""));
  EXPECT_FALSE(IsStorablePortName(kForeignPort));
  EXPECT_TRUE(IsStorablePortName(kPort));
}

}  // namespace
}  // namespace vkm
