// Saving, opening and resetting the configuration from the "Файл" menu:
// dialogs, questions and messages, status bar panel 0, and what becomes of
// the edits on the visible panel.

#include <QFileInfo>
#include <QLineEdit>
#include <cstring>

#include "EditorWindowFixture.h"
#include "files/ConfigurationFile.h"
#include "model/FactoryImage.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using FileActionsTest = EditorWindowTest;

const std::size_t kPin = kSimRecords.Offset(1);

std::string PinOf(const ConfigurationImage& image) { return reinterpret_cast<const char*>(&image[kPin]); }

ConfigurationDocument WithPin(const char* pin) {
  ConfigurationDocument document;
  std::memcpy(&document.image[kPin], pin, std::strlen(pin));
  return document;
}

void WriteConfiguration(const QString& path, const char* pin) {
  if (SaveConfigurationFile(WithPin(pin), path.toStdString()) != 0) throw std::runtime_error("cannot write a file");
}

std::string PinInFile(const QString& path) {
  ConfigurationDocument document;
  if (LoadConfigurationFile(document, path.toStdString()) != kLoaded) return "(not a configuration)";
  return PinOf(document.image);
}

TEST_F(FileActionsTest, SaveStoresTheVisiblePanelThenAsksForTheFile) {
  const QString title = U("Сохранение конфигурации");
  enum class Target { NewFile, ExistingFile, Cancel, Unwritable };
  struct Case {
    const char* what;
    Target target;
    bool replace;
    bool written;
    const char* question;  // nullptr: none asked
    const char* message;   // nullptr: none shown
  };
  const Case cases[] = {
      {"a new file", Target::NewFile, true, true, nullptr, nullptr},
      {"an existing file, replaced", Target::ExistingFile, true, true, "Файл уже существует, заменить?", nullptr},
      {"an existing file, kept", Target::ExistingFile, false, false, "Файл уже существует, заменить?", nullptr},
      {"cancelled", Target::Cancel, true, false, nullptr, nullptr},
      {"a file that cannot be written", Target::Unwritable, true, false, nullptr, "Невозможно сохранить файл"},
  };
  TForm1& window = OpenStarted();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Back to the state after start-up.
    Action("FileNew1").trigger();
    dialogs_ = RecordingDialogs();
    const QString path = Path(QStringLiteral("saved.cnt"));
    QFile::remove(path);
    if (c.target == Target::ExistingFile) WriteConfiguration(path, "9999");
    const QByteArray before = FileBytes(path);
    dialogs_.saveAnswer = c.target == Target::Cancel       ? QString()
                          : c.target == Target::Unwritable ? Path(QStringLiteral("missing/saved.cnt"))
                                                           : path;
    dialogs_.yes = c.replace;

    window.SelectNode(kNodeSim1);
    Type(Control<QLineEdit>(kNodeSim1, "MaskEditPIN"), "2468");
    Type(Control<QLineEdit>(kNodeSim1, "EditBalansMinVal"), "0042");
    Action("FileSave1").trigger();

    // The panel was stored and filled again before the dialog.
    EXPECT_EQ(PinOf(window.Document().image), "2468");
    EXPECT_EQ(Control<QLineEdit>(kNodeSim1, "EditBalansMinVal").text(), "42");
    EXPECT_EQ(Control<QLineEdit>(kNodeSim1, "MaskEditPIN").text(), "2468");

    const auto saves = dialogs_.Of("save");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].title, title);
    EXPECT_EQ(saves[0].text, "default.cnt");
    const auto questions = dialogs_.Of("ask");
    ASSERT_EQ(questions.size(), c.question ? 1u : 0u);
    if (c.question) {
      EXPECT_EQ(questions[0].title, title);
      EXPECT_EQ(questions[0].text, U(c.question));
    }
    const auto messages = dialogs_.Of("warn");
    ASSERT_EQ(messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(messages[0].title, title);
      EXPECT_EQ(messages[0].text, U(c.message));
    }

    if (c.written) {
      EXPECT_EQ(PinInFile(path), "2468");
      EXPECT_EQ(window.StatusPanelText(0), QFileInfo(path).absoluteFilePath());
    } else {
      EXPECT_EQ(FileBytes(path), before);
      EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("missing"))));
  }
}

TEST_F(FileActionsTest, NextSaveOffersTheFileLastSaved) {
  TForm1& window = OpenStarted();
  const QString path = Path(QStringLiteral("first.cnt"));
  dialogs_.saveAnswer = path;
  Action("FileSave1").trigger();
  ASSERT_EQ(window.StatusPanelText(0), QFileInfo(path).absoluteFilePath());
  dialogs_.saveAnswer.clear();
  Action("FileSave1").trigger();
  ASSERT_EQ(dialogs_.Of("save").size(), 2u);
  EXPECT_EQ(dialogs_.Of("save")[1].text, QFileInfo(path).absoluteFilePath());
}

TEST_F(FileActionsTest, OpenReplacesThePanelOrExplainsWhyItCannot) {
  const QString title = U("Открытие файла конфигурации");
  enum class File { Missing, Garbage, OtherVersion, Valid };
  struct Case {
    const char* what;
    File file;
    const char* message;  // nullptr: the file is taken
  };
  const Case cases[] = {
      {"a missing file", File::Missing, "Невозможно открыть файл"},
      {"not a configuration", File::Garbage, "Неизвестный формат файла"},
      {"another version", File::OtherVersion,
       "Несоответствие версий! Файл не может быть использован для конфигурирования этого устройства."},
      {"a configuration", File::Valid, nullptr},
  };
  TForm1& window = OpenStarted();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs_ = RecordingDialogs();
    const QString path = Path(QStringLiteral("opened.cnt"));
    QFile::remove(path);
    if (c.file == File::Garbage) WriteFile(path, QByteArray(static_cast<int>(kConfigurationFileSize), 'x'));
    if (c.file == File::OtherVersion || c.file == File::Valid) WriteConfiguration(path, "9999");
    if (c.file == File::OtherVersion) {
      QByteArray bytes = FileBytes(path);
      bytes.replace(29, 5, "02.00");
      WriteFile(path, bytes);
    }
    dialogs_.openAnswer = path;

    window.SelectNode(kNodeSim1);
    auto& pin = Control<QLineEdit>(kNodeSim1, "MaskEditPIN");
    Type(pin, "1111");
    Action("FileOpen1").trigger();

    const auto opens = dialogs_.Of("open");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].title, title);
    EXPECT_EQ(opens[0].text, QDir::currentPath() + "/");
    const auto messages = dialogs_.Of("warn");
    EXPECT_TRUE(dialogs_.Of("ask").empty());
    if (c.message) {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].title, title);
      EXPECT_EQ(messages[0].text, U(c.message));
      // Nothing changes: the unsaved edit stays on the panel.
      EXPECT_EQ(pin.text(), "1111");
      EXPECT_EQ(window.Document().image, FactoryImage());
      EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
    } else {
      EXPECT_TRUE(messages.empty());
      // The file's values replace the unsaved edit, which is not stored.
      EXPECT_EQ(pin.text(), "9999");
      EXPECT_EQ(window.Document().image, WithPin("9999").image);
      EXPECT_EQ(window.StatusPanelText(0), QFileInfo(path).absoluteFilePath());
    }
  }
}

TEST_F(FileActionsTest, OpenCancelledChangesNothing) {
  TForm1& window = OpenStarted();
  window.SelectNode(kNodeSim1);
  Type(Control<QLineEdit>(kNodeSim1, "MaskEditPIN"), "1111");
  Action("FileOpen1").trigger();
  EXPECT_EQ(dialogs_.calls.size(), 1u);
  EXPECT_EQ(Control<QLineEdit>(kNodeSim1, "MaskEditPIN").text(), "1111");
  EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
}

TEST_F(FileActionsTest, StandardConfigurationShowsFactoryValuesAndLeavesTheDiskAlone) {
  WriteConfiguration(Path("default.cnt"), "5555");
  WriteConfiguration(Path("other.cnt"), "7777");
  const QByteArray onDisk = FileBytes(Path("default.cnt"));
  TForm1& window = OpenStarted();
  window.SelectNode(kNodeSim1);
  auto& pin = Control<QLineEdit>(kNodeSim1, "MaskEditPIN");
  ASSERT_EQ(pin.text(), "5555");
  dialogs_.openAnswer = Path("other.cnt");
  Action("FileOpen1").trigger();
  ASSERT_EQ(pin.text(), "7777");
  ASSERT_NE(window.StatusPanelText(0), "default.cnt");
  Type(pin, "1111");

  Action("FileNew1").trigger();

  EXPECT_EQ(pin.text(), "");
  EXPECT_EQ(Control<QLineEdit>(kNodeSim1, "EditReqPeriodH").text(), "0");
  EXPECT_EQ(window.Document().image, FactoryImage());
  EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
  EXPECT_EQ(FileBytes(Path("default.cnt")), onDisk);
  EXPECT_EQ(dialogs_.calls.size(), 1u);  // the open dialog only
}

}  // namespace
}  // namespace vkm::test
