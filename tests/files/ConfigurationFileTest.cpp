#include "files/ConfigurationFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "FileTestSupport.h"
#include "model/FactoryImage.h"

namespace vkm {
namespace {

class ConfigurationFileTest : public test::TempDirTest {
 protected:
  // A valid file of the factory configuration.
  std::string FactoryFileBytes() {
    const ConfigurationDocument document;
    EXPECT_EQ(SaveConfigurationFile(document, Path("factory.cnt")), 0);
    return ReadAll(Path("factory.cnt"));
  }
};

TEST_F(ConfigurationFileTest, FactoryFileLayout) {
  const std::string bytes = FactoryFileBytes();
  ASSERT_EQ(bytes.size(), kConfigurationFileSize);
  EXPECT_EQ(bytes.substr(0, 35), "[VKMControllerConfiguration_v01.00]");
  EXPECT_EQ(std::memcmp(bytes.data() + 35, FactoryImage().data(), kImageSize), 0);
  EXPECT_EQ(static_cast<uint8_t>(bytes.back()), 0x07);  // check byte of the factory image
}

TEST_F(ConfigurationFileTest, HeaderCarriesTheImageVersion) {
  ConfigurationDocument document;
  std::memcpy(&document.image[3], "02.50", 5);
  ASSERT_EQ(SaveConfigurationFile(document, Path("v.cnt")), 0);
  EXPECT_EQ(ReadAll(Path("v.cnt")).substr(0, 35), "[VKMControllerConfiguration_v02.50]");
}

TEST_F(ConfigurationFileTest, PasswordNeverReachesTheFileAndTheDocumentKeepsIt) {
  ConfigurationDocument document;
  std::memcpy(&document.image[132], "secret12", 8);
  const ConfigurationDocument before = document;
  ASSERT_EQ(SaveConfigurationFile(document, Path("p.cnt")), 0);
  EXPECT_EQ(document, before);

  const std::string bytes = ReadAll(Path("p.cnt"));
  for (std::size_t offset = 132; offset <= 140; ++offset) {
    EXPECT_EQ(bytes[35 + offset], '\0') << offset;
  }
  ConfigurationDocument loaded;
  ASSERT_EQ(LoadConfigurationFile(loaded, Path("p.cnt")), kLoaded);  // the check byte covers the file's bytes
  ConfigurationImage expected = before.image;
  std::memset(&expected[132], 0, 9);
  EXPECT_EQ(loaded.image, expected);
}

TEST_F(ConfigurationFileTest, LoadResults) {
  const std::string good = FactoryFileBytes();
  std::string changedImageByte = good;
  changedImageByte[35 + 1000] ^= 0x01;
  std::string otherVersion = good;
  otherVersion.replace(29, 5, "01.01");
  std::string otherTagFirst = good;
  otherTagFirst[0] = '(';
  std::string otherTagLast = good;
  otherTagLast[28] = 'w';
  std::string wrongCheckByte = good;
  wrongCheckByte.back() ^= 0x01;

  struct Case {
    const char* name;
    std::string bytes;
    int result;
  };
  const Case cases[] = {
      {"good", good, kLoaded},
      {"trailing bytes ignored", good + "extra", kLoaded},
      {"empty file", "", kVersionMismatch},
      {"other version", otherVersion, kVersionMismatch},
      {"header only", good.substr(0, 35), kUnknownFormat},
      {"other tag, first character", otherTagFirst, kUnknownFormat},
      {"other tag, last character", otherTagLast, kUnknownFormat},
      {"changed image byte", changedImageByte, kUnknownFormat},
      {"wrong check byte", wrongCheckByte, kUnknownFormat},
      {"cut after 1000 image bytes", good.substr(0, 35 + 1000), kUnknownFormat},
      {"check byte missing", good.substr(0, 35 + 3520), kUnknownFormat},
      {"header cut short", good.substr(0, 20), kVersionMismatch},  // like an empty file
  };
  for (const Case& c : cases) {
    WriteAll(Path("case.cnt"), c.bytes);
    ConfigurationDocument document;
    document.image.fill(0x5A);
    const ConfigurationDocument before = document;
    EXPECT_EQ(LoadConfigurationFile(document, Path("case.cnt")), c.result) << c.name;
    if (c.result == kLoaded) {
      EXPECT_EQ(document.image, FactoryImage()) << c.name;
    } else {
      EXPECT_EQ(document, before) << c.name << ": a failed load must leave the image alone";
    }
  }
}

TEST_F(ConfigurationFileTest, UnreadablePathsCannotBeOpened) {
  ConfigurationDocument document;
  const ConfigurationDocument before = document;
  EXPECT_EQ(LoadConfigurationFile(document, Path("missing.cnt")), kCannotOpen);
  EXPECT_EQ(LoadConfigurationFile(document, dir_), kCannotOpen);  // a directory
  EXPECT_EQ(document, before);
}

TEST_F(ConfigurationFileTest, ReadOnlyFileOpens) {
  WriteAll(Path("ro.cnt"), FactoryFileBytes());
  std::filesystem::permissions(Path("ro.cnt"), std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::group_read |
                                                   std::filesystem::perms::others_read);
  ConfigurationDocument document;
  document.image.fill(0);
  EXPECT_EQ(LoadConfigurationFile(document, Path("ro.cnt")), kLoaded);
  EXPECT_EQ(document.image, FactoryImage());
}

TEST_F(ConfigurationFileTest, MessagesOfTheLoadResults) {
  EXPECT_STREQ(LoadResultMessage(kCannotOpen), "Невозможно открыть файл");
  EXPECT_STREQ(LoadResultMessage(kUnknownFormat), "Неизвестный формат файла");
  EXPECT_STREQ(LoadResultMessage(kVersionMismatch),
               "Несоответствие версий! Файл не может быть использован для конфигурирования этого устройства.");
}

TEST_F(ConfigurationFileTest, SaveReplacesAnExistingFile) {
  WriteAll(Path("old.cnt"), std::string(10000, 'x'));
  ASSERT_EQ(SaveConfigurationFile(ConfigurationDocument(), Path("old.cnt")), 0);
  EXPECT_EQ(ReadAll(Path("old.cnt")).size(), kConfigurationFileSize);
}

TEST_F(ConfigurationFileTest, FailedSaveReportsOneAndKeepsThePreviousFile) {
  EXPECT_EQ(SaveConfigurationFile(ConfigurationDocument(), Path("no-such-dir") / "x.cnt"), 1);

  const std::string previous = FactoryFileBytes();
  WriteAll(Path("default.cnt"), previous);
  ConfigurationDocument changed;
  changed.image[500] ^= 0xFF;

  // A disk that fills up half way: writes beyond 1000 bytes fail.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = SaveConfigurationFile(changed, Path("default.cnt"));
  setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_EQ(result, 1);
  EXPECT_EQ(ReadAll(Path("default.cnt")), previous);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2)  // factory.cnt, default.cnt
      << "no temporary file may be left behind";
}

}  // namespace
}  // namespace vkm
