// What the window starts with (files in the start-up directory, the port)
// and what it leaves behind when it closes; the about box.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QTreeWidget>
#include <QUrlQuery>
#include <cstring>

#include "EditorWindowFixture.h"
#include "files/ConfigurationFile.h"
#include "files/ProgramSettings.h"
#include "model/FactoryImage.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"
#include "ui/dialogs/AboutBox.h"

namespace vkm::test {
namespace {

using StartTest = EditorWindowTest;
using CloseTest = EditorWindowTest;
using AboutBoxTest = EditorWindowTest;

const std::size_t kPin = kSimRecords.Offset(1);

ConfigurationDocument WithPin(const char* pin) {
  ConfigurationDocument document;
  std::memcpy(&document.image[kPin], pin, std::strlen(pin));
  return document;
}

std::string PinInFile(const QString& path) {
  ConfigurationDocument document;
  if (LoadConfigurationFile(document, path.toStdString()) != kLoaded) return "(not a configuration)";
  return reinterpret_cast<const char*>(&document.image[kPin]);
}

std::string StoredPort(const QString& path) {
  std::string port = "(none)";
  LoadProgramSettings(path.toStdString(), port);
  return port;
}

// The far end of a pseudo-terminal: a serial port that opens.
class PseudoTerminal {
 public:
  PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pseudo-terminal");
  }
  ~PseudoTerminal() { close(master_); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  QString Name() const { return QString::fromLatin1(ptsname(master_)); }

 private:
  int master_;
};

QStringList Numbered(const char* prefix, int last) {
  QStringList texts;
  for (int n = 1; n <= last; ++n) texts << U(prefix) + QString::number(n);
  return texts;
}

QStringList ItemsOf(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  return texts;
}

TEST_F(StartTest, WithNothingStoredStartsOnTheRootWithTheFactoryImage) {
  TForm1& window = Open();
  EXPECT_EQ(window.windowTitle(), U("Конфигуратор GSM контроллера VKM410"));
  EXPECT_EQ(window.SelectedNode(), kNodeController);
  EXPECT_TRUE(window.Page(kNodeController)->isVisible());
  EXPECT_EQ(window.Document().image, FactoryImage());
  EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
  EXPECT_EQ(window.PortName().toStdString(), DefaultPortName());

  auto* tree = window.findChild<QTreeWidget*>("TreeView1");
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), U("GSM контроллер VKM410-G"));
  EXPECT_EQ(tree->currentItem(), root);
  int items = 0;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    ++items;
    if ((*it)->childCount() > 0) {
      EXPECT_TRUE((*it)->isExpanded()) << (*it)->text(0).toStdString();
    }
  }
  EXPECT_EQ(items, kNodeCount);

  auto& outputs = Control<QComboBox>(kNodeController, "ComboBoxTestOut");
  auto& scenarios = Control<QComboBox>(kNodeController, "ComboBoxTestScen");
  EXPECT_EQ(ItemsOf(outputs), Numbered("Выход ", 6));
  EXPECT_EQ(outputs.currentIndex(), 0);
  EXPECT_EQ(ItemsOf(scenarios), Numbered("сценарий ", 14));
  EXPECT_EQ(scenarios.currentIndex(), 0);
  EXPECT_EQ(Control<QLabel>(kNodeController, "ActionName").text(), "");
  EXPECT_TRUE(Control<QWidget>(kNodeController, "GroupBoxMaunPerimInfo").isVisible());

  // Starting writes nothing and asks nothing.
  EXPECT_FALSE(QFileInfo::exists(Path("default.cnt")));
  EXPECT_FALSE(QFileInfo::exists(Path("VKMConfig.cfg")));
  EXPECT_TRUE(dialogs_.calls.empty());
}

TEST_F(StartTest, TakesDefaultConfigurationOnlyWhenItIsValid) {
  enum class Content { Valid, Garbage, OtherVersion, Empty };
  const std::pair<Content, bool> cases[] = {
      {Content::Valid, true}, {Content::Garbage, false}, {Content::OtherVersion, false}, {Content::Empty, false}};
  for (const auto& [content, taken] : cases) {
    dialogs_ = RecordingDialogs();
    const QString path = Path("default.cnt");
    QFile::remove(path);
    if (content == Content::Empty) WriteFile(path, QByteArray());
    if (content == Content::Garbage) WriteFile(path, QByteArray(static_cast<int>(kConfigurationFileSize), '\x01'));
    if (content == Content::Valid || content == Content::OtherVersion) {
      ASSERT_EQ(SaveConfigurationFile(WithPin("5555"), path.toStdString()), 0);
    }
    if (content == Content::OtherVersion) {
      QByteArray bytes = FileBytes(path);
      bytes.replace(29, 5, "01.01");
      WriteFile(path, bytes);
    }
    TForm1& window = Open();
    EXPECT_EQ(window.Document().image, taken ? WithPin("5555").image : FactoryImage()) << static_cast<int>(content);
    EXPECT_EQ(window.StatusPanelText(0), "default.cnt");
    EXPECT_TRUE(dialogs_.calls.empty());
    window.SelectNode(kNodeSim1);
    EXPECT_EQ(Control<QLineEdit>(kNodeSim1, "MaskEditPIN").text(), taken ? "5555" : "");
  }
}

TEST_F(StartTest, SerialPortIsProbedAtStart) {
  PseudoTerminal line;
  const std::pair<QString, QString> cases[] = {{line.Name(), line.Name()}, {"ttyS97", "NC"}};
  for (const auto& [port, shown] : cases) {
    TForm1& window = Open(port);
    EXPECT_EQ(window.PortName(), port);
    EXPECT_EQ(window.StatusPanelText(1), shown);
  }
}

TEST_F(CloseTest, PortGivenOnTheCommandLineIsUsedButNotKept) {
  struct Case {
    const char* settings;  // the port the settings file names; nullptr: no file
    const char* portOverride;
    std::string used;
    std::string kept;
  };
  const Case cases[] = {
      {nullptr, "", DefaultPortName(), DefaultPortName()},
      {"ttyS3", "", "ttyS3", "ttyS3"},
      {"ttyS3", "ttyS9", "ttyS9", "ttyS3"},
      {nullptr, "ttyS9", "ttyS9", DefaultPortName()},
      {"bad", "", DefaultPortName(), DefaultPortName()},  // a damaged file
  };
  for (const Case& c : cases) {
    const QString settings = Path("VKMConfig.cfg");
    QFile::remove(settings);
    const bool damaged = c.settings && std::string(c.settings) == "bad";
    if (damaged) {
      WriteFile(settings, QByteArray(24, 'z'));
    } else if (c.settings) {
      ASSERT_EQ(SaveProgramSettings(settings.toStdString(), c.settings), 0);
    }
    TForm1& window = Open(QString::fromLatin1(c.portOverride));
    EXPECT_EQ(window.PortName().toStdString(), c.used);
    WaitForStart();
    ASSERT_TRUE(window.close());
    EXPECT_EQ(StoredPort(settings), c.kept) << (c.settings ? c.settings : "no file") << " / " << c.portOverride;
  }
}

TEST_F(CloseTest, ClosingStoresTheVisiblePanelInDefaultConfiguration) {
  TForm1& window = OpenStarted();
  window.SelectNode(kNodeSim1);
  Type(Control<QLineEdit>(kNodeSim1, "MaskEditPIN"), "2468");
  ASSERT_TRUE(window.close());
  EXPECT_EQ(PinInFile(Path("default.cnt")), "2468");
  EXPECT_EQ(StoredPort(Path("VKMConfig.cfg")), DefaultPortName());
}

TEST_F(CloseTest, ClosingIsRefusedWhileTheActionsAreLocked) {
  enum class Moment { BeforeStart, DuringDeviceAction, AfterDeviceAction };
  const std::pair<Moment, bool> cases[] = {
      {Moment::BeforeStart, false}, {Moment::DuringDeviceAction, false}, {Moment::AfterDeviceAction, true}};
  for (const auto& [moment, closes] : cases) {
    QFile::remove(Path("default.cnt"));
    QFile::remove(Path("VKMConfig.cfg"));
    TForm1& window = Open();
    if (moment != Moment::BeforeStart) {
      WaitForStart();
      window.LockActions();
    }
    if (moment == Moment::AfterDeviceAction) window.UnlockActions();
    window.SelectNode(kNodeSim1);
    Type(Control<QLineEdit>(kNodeSim1, "MaskEditPIN"), "2468");

    EXPECT_EQ(window.close(), closes) << static_cast<int>(moment);
    EXPECT_EQ(window.isVisible(), !closes);
    EXPECT_EQ(QFileInfo::exists(Path("default.cnt")), closes);
    EXPECT_EQ(QFileInfo::exists(Path("VKMConfig.cfg")), closes);
    EXPECT_TRUE(dialogs_.calls.empty());
  }
}

struct AboutBoxContent {
  QString title;
  QString label1;
  QString label2;
  QString label3;
  QString webLink;
  QString mailLink;
  QString mailText;
  bool okIsDefault = false;
};

QString Href(const QLabel* label) {
  const QRegularExpressionMatch match = QRegularExpression("href=\"([^\"]*)\"").match(label ? label->text() : "");
  return match.hasMatch() ? match.captured(1) : QString();
}

TEST_F(AboutBoxTest, ShowsTheMainCaptionAndTheVersionsEachTimeAnew) {
  TForm1& window = Open();
  for (const QString& caption : {U("Конфигуратор GSM контроллера VKM410"), U("Другое окно")}) {
    window.setWindowTitle(caption);
    AboutBoxContent seen;
    QPointer<QDialog> shown;
    QTimer::singleShot(0, &window, [&] {
      auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
      if (!box) return;
      shown = box;
      seen.title = box->windowTitle();
      const auto text = [box](const char* name) {
        auto* label = box->findChild<QLabel*>(name);
        return label ? label->text() : QString("(missing)");
      };
      seen.label1 = text("Label1");
      seen.label2 = text("Label2");
      seen.label3 = text("Label3");
      seen.webLink = Href(box->findChild<QLabel*>("Label4"));
      seen.mailLink = Href(box->findChild<QLabel*>("Label5"));
      seen.mailText = QTextDocumentFragment::fromHtml(text("Label5")).toPlainText();
      auto* ok = box->findChild<QPushButton*>("OKButton");
      seen.okIsDefault = ok && ok->isDefault();
      if (ok) ok->click();
    });
    // Never locked, not even before the start timer.
    ASSERT_TRUE(Action("Abaut").isEnabled());
    Action("Abaut").trigger();

    EXPECT_TRUE(shown.isNull()) << "the box outlives its showing";
    EXPECT_EQ(seen.title, U("О программе"));
    EXPECT_EQ(seen.label1, caption);
    EXPECT_EQ(seen.label3, "Ver. 1.2.3");
    EXPECT_EQ(seen.label2, U("для версии устройства G.01.00"));
    EXPECT_EQ(seen.webLink, TAboutBox::WebSiteUrl().toString(QUrl::FullyEncoded));
    EXPECT_EQ(seen.mailLink, TAboutBox::SupportMailUrl().toString(QUrl::FullyEncoded));
    EXPECT_TRUE(seen.mailText.startsWith("E-mail: ")) << seen.mailText.toStdString();
    EXPECT_TRUE(seen.okIsDefault);
  }
}

TEST_F(AboutBoxTest, LinksAreWellFormedAddressesUnderAReservedDomain) {
  const QUrl web = TAboutBox::WebSiteUrl();
  EXPECT_TRUE(web.isValid());
  EXPECT_TRUE(web.scheme() == "https" || web.scheme() == "http");
  EXPECT_TRUE(web.host().endsWith("example.com") || web.host().endsWith("example.org")) << web.host().toStdString();

  const QUrl mail = TAboutBox::SupportMailUrl();
  EXPECT_EQ(mail.scheme(), "mailto");
  EXPECT_TRUE(mail.path().endsWith("@example.com") || mail.path().endsWith("@example.org"));
  EXPECT_EQ(QUrlQuery(mail).queryItemValue("subject"), "VKM530");
  // The address handed to the mail program is fully percent-encoded.
  const QString encoded = mail.toString(QUrl::FullyEncoded);
  EXPECT_EQ(encoded, "mailto:" + mail.path() + "?subject=VKM530");
  EXPECT_FALSE(encoded.contains(QRegularExpression("[^A-Za-z0-9%@.:?=&_~+-]")));
}

}  // namespace
}  // namespace vkm::test
