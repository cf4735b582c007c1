// Selecting a section in the tree: the panel left goes into the image, the
// panel entered is prepared, filled and shown, and the device actions follow
// the system parameters section.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolBar>
#include <cstring>
#include <sstream>

#include "EditorWindowFixture.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using SwitchingTest = EditorWindowTest;

constexpr std::size_t kGprsOnlineTimeOffset = 2155;

std::string Differences(const ConfigurationImage& expected, const ConfigurationImage& actual) {
  std::ostringstream out;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] != actual[i]) {
      out << " [" << i << "] " << int{expected[i]} << "->" << int{actual[i]};
    }
  }
  return out.str();
}

void PutAscii(ConfigurationImage& image, std::size_t offset, const char* text) {
  std::memcpy(&image[offset], text, std::strlen(text));
}

std::string Ascii(const ConfigurationImage& image, std::size_t offset, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(&image[offset]), size);
}

QStringList ItemsOf(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  return texts;
}

QStringList Minutes(int first, int last) {
  QStringList texts;
  for (int n = first; n <= last; ++n) texts << QString::number(n) + U(" Мин.");
  return texts;
}

TEST_F(SwitchingTest, EnteringAndLeavingASectionKeepsTheFactoryImage) {
  TForm1& window = Open();
  const ConfigurationDocument factory;
  for (int node = 1; node < kNodeCount; ++node) {
    window.SelectNode(kNodeController);
    window.Document() = factory;
    window.SelectNode(node);
    window.SelectNode(kNodeController);
    ConfigurationImage expected = factory.image;
    // "Always connected" stores the longest online time.
    if (node == kNodeGprsCommon) expected[kGprsOnlineTimeOffset] = 30;
    EXPECT_EQ(Differences(expected, window.Document().image), "") << "section " << node;
    EXPECT_EQ(window.Document().systemParameters, factory.systemParameters) << "section " << node;
  }
}

TEST_F(SwitchingTest, EachSectionShowsItsPanelWithItsHeading) {
  struct Case {
    int node;
    const char* panel;
    const char* heading;  // nullptr: the panel has none
    const char* caption;
  };
  const Case cases[] = {
      {0, "Panel10", "Label30", "GSM контроллер VKM410-G"},
      {1, "PanelSIMMain", nullptr, nullptr},
      {2, "PanelSIM", "Label34", "SIM1"},
      {3, "PanelSIM", "Label34", "SIM2"},
      {4, "Panel1", "Label15", "Общие параметры соединений"},
      {5, "Panel5", "Label74", "Соединение 1"},
      {12, "Panel5", "Label74", "Соединение 8"},
      {13, "PanelGPRSSharedPAr", nullptr, nullptr},
      {14, "PanelServersPar", nullptr, nullptr},
      {16, "PanelServersPar", nullptr, nullptr},
      {17, "Panel2", "Label5", "Часы, планировщик задач"},
      {18, "Panel3", "Label23", "Питание, температура"},
      {19, "PanelRegistrator", nullptr, nullptr},
      {20, "PanelNavigation", nullptr, nullptr},
      {21, "PanelArmIn", "Label21", "Вход [Arm In]"},
      {22, "Panel7", nullptr, nullptr},
      {23, "Panel6", "Label10", "Вход 1"},
      {29, "Panel6", "Label10", "Вход 7"},
      {30, "Panel8", "Label1", "Выходы"},
      {31, "Panel9", "Label6", "Выход 1"},
      {36, "Panel9", "Label6", "Выход 6"},
      {37, "Panel12", "Label79", "Сценарии управления"},
      {38, "Panel11", "Label86", "Системные параметры"},
  };
  TForm1& window = Open();
  auto* stack = window.findChild<QStackedWidget*>();
  ASSERT_NE(stack, nullptr);
  for (const Case& c : cases) {
    window.SelectNode(c.node);
    EXPECT_EQ(window.SelectedNode(), c.node);
    ASSERT_NE(stack->currentWidget(), nullptr);
    EXPECT_EQ(stack->currentWidget()->objectName(), QString::fromLatin1(c.panel)) << c.node;
    EXPECT_TRUE(stack->currentWidget()->isVisible()) << c.node;
    if (c.heading) {
      EXPECT_EQ(Find<QLabel>(stack->currentWidget(), c.heading).text(), U(c.caption)) << c.node;
    }
  }
}

TEST_F(SwitchingTest, MovingBetweenConnectionsStoresOneRecordAndFillsTheNext) {
  TForm1& window = Open();
  const std::size_t first = kConnectionRecords.Offset(1);
  const std::size_t second = kConnectionRecords.Offset(2);
  PutAscii(window.Document().image, second, "+70000000002");

  window.SelectNode(kNodeConnection1);
  auto& phone = Control<QLineEdit>(kNodeConnection1, "MaskEditPhone");
  EXPECT_EQ(phone.text(), "");
  Type(phone, "+79991234567");
  window.SelectNode(kNodeConnection1 + 1);

  EXPECT_EQ(Ascii(window.Document().image, first, 16), std::string("+79991234567\0\0\0\0", 16));
  EXPECT_EQ(Ascii(window.Document().image, second, 16), std::string("+70000000002\0\0\0\0", 16));
  EXPECT_EQ(phone.text(), "+70000000002");
  EXPECT_EQ(Control<QLabel>(kNodeConnection1, "Label74").text(), U("Соединение 2"));

  Type(phone, "+71112223344");
  window.SelectNode(kNodeConnection1);
  EXPECT_EQ(Ascii(window.Document().image, second, 16), std::string("+71112223344\0\0\0\0", 16));
  EXPECT_EQ(phone.text(), "+79991234567");
  EXPECT_EQ(Control<QLabel>(kNodeConnection1, "Label74").text(), U("Соединение 1"));
}

TEST_F(SwitchingTest, OnlyInputsFiveToSevenOfferTheAnalogueType) {
  const QStringList discrete = {U("Запрещен"), U("Дискретный")};
  const QStringList analogue = {U("Запрещен"), U("Дискретный"), U("Аналоговый")};
  const std::pair<int, QStringList> visits[] = {
      {kNodeInput1 + 6, analogue}, {kNodeInput1, discrete},     {kNodeInput1 + 6, analogue},
      {kNodeInput1 + 3, discrete}, {kNodeInput1 + 4, analogue}, {kNodeInput1 + 2, discrete},
  };
  TForm1& window = Open();
  for (const auto& [node, items] : visits) {
    window.SelectNode(node);
    auto& type = Control<QComboBox>(node, "ComboBoxSensType");
    EXPECT_EQ(ItemsOf(type), items) << "section " << node;
    // The factory inputs are discrete.
    EXPECT_EQ(type.currentIndex(), 1) << "section " << node;
  }
}

TEST_F(SwitchingTest, SystemParametersDisableTheDeviceActionsWhileShown) {
  const char* const device[] = {"Programm", "ReadConf", "CompareConf", "Reconfigurate", "Reset", "FactoryConfig"};
  const char* const other[] = {"FileOpen1", "FileSave1", "FileNew1", "ComPortConfig"};
  const char* const alwaysOn[] = {"Abaut", "ReadIMEICode"};
  TForm1& window = Open();
  auto* bar = window.findChild<QToolBar*>("ToolBar1");
  ASSERT_NE(bar, nullptr);
  // The tool buttons named after the actions they trigger.
  const auto toolButtonsEnabled = [bar](bool enabled) {
    for (QAction* action : bar->actions()) {
      if (action->isSeparator() || action->objectName().startsWith("File")) continue;
      QWidget* button = bar->widgetForAction(action);
      if (!button || button->isEnabled() != enabled) return false;
    }
    return true;
  };
  const auto expectEnabled = [this](const char* const* names, std::size_t count, bool enabled, const char* when) {
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(Action(names[i]).isEnabled(), enabled) << names[i] << " " << when;
  };

  expectEnabled(device, 6, false, "before the start timer");
  expectEnabled(other, 4, false, "before the start timer");
  expectEnabled(alwaysOn, 2, true, "before the start timer");
  EXPECT_TRUE(toolButtonsEnabled(false));

  WaitForStart();
  expectEnabled(device, 6, true, "after the start timer");
  expectEnabled(other, 4, true, "after the start timer");

  const int visits[] = {kNodeClock, kNodeController, kNodeOutputs, kNodeGsm, kNodeScenarios};
  for (int next : visits) {
    window.SelectNode(kNodeSystemParameters);
    expectEnabled(device, 6, false, "on the system parameters");
    expectEnabled(other, 4, true, "on the system parameters");
    expectEnabled(alwaysOn, 2, true, "on the system parameters");
    EXPECT_TRUE(toolButtonsEnabled(false));
    window.SelectNode(next);
    expectEnabled(device, 6, true, "after the system parameters");
    EXPECT_TRUE(toolButtonsEnabled(true)) << next;
  }
}

TEST_F(SwitchingTest, OutputsAndGsmSectionsStoreAndFillNothing) {
  const std::size_t pin = kSimRecords.Offset(1);
  for (const auto& [first, second] : {std::pair{kNodeOutputs, kNodeGsm}, std::pair{kNodeGsm, kNodeOutputs}}) {
    TForm1& window = Open();
    window.SelectNode(kNodeSim1);
    Type(Control<QLineEdit>(kNodeSim1, "MaskEditPIN"), "1357");
    // Entering either writes the section left.
    window.SelectNode(first);
    EXPECT_EQ(Ascii(window.Document().image, pin, 5), std::string("1357\0", 5)) << first;

    // Leaving either writes nothing, whatever the image now holds.
    ConfigurationImage changed = window.Document().image;
    PutAscii(changed, pin, "2468");
    for (std::size_t offset = kConnectionRecords.Offset(1); offset < kConnectionRecords.Offset(3); ++offset) {
      changed[offset] = 0x5A;
    }
    window.Document().image = changed;
    window.SelectNode(second);
    window.SelectNode(kNodeController);
    EXPECT_EQ(Differences(changed, window.Document().image), "") << first << " then " << second;
  }
}

TEST_F(SwitchingTest, GprsCommonRebuildsItsMinuteListsOnEveryEntry) {
  struct Case {
    unsigned ping;        // minutes, as stored
    unsigned onlineTime;  // minutes, as stored
    int pingIndex;
    int onlineIndex;
  };
  const Case cases[] = {{12, 20, 11, 20}, {30, 0, 29, 0}, {1, 30, 0, 30}, {31, 31, -1, -1}, {5, 7, 4, 7}};
  TForm1& window = Open();
  auto& ping = Control<QComboBox>(kNodeGprsCommon, "ComboBoxPingPeriod_min");
  auto& online = Control<QComboBox>(kNodeGprsCommon, "ComboBoxOnlineTime_min");
  for (const Case& c : cases) {
    window.SelectNode(kNodeController);
    // Whatever the lists hold in between, entering builds them anew.
    ping.clear();
    online.clear();
    online.addItem("x");
    ConfigurationImage& image = window.Document().image;
    image[2152] = 3;  // periodically, every 15 minutes
    image[2153] = static_cast<uint8_t>(c.ping << 3 | 2u);
    image[2155] = static_cast<uint8_t>(c.onlineTime);
    window.SelectNode(kNodeGprsCommon);
    EXPECT_EQ(ItemsOf(ping), Minutes(1, 30));
    EXPECT_EQ(ItemsOf(online), Minutes(0, 30));
    EXPECT_EQ(ping.currentIndex(), c.pingIndex) << c.ping;
    EXPECT_EQ(online.currentIndex(), c.onlineIndex) << c.onlineTime;
  }
}

}  // namespace
}  // namespace vkm::test
