// Controls that react at once, before anything is stored: sliders that keep
// their order and show their values, the GPRS strategy and the server
// address type that reshape their neighbours, presets, the GPRS defaults
// button and the administrative password box.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <cstring>

#include "EditorWindowFixture.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using ReactionsTest = EditorWindowTest;

std::vector<uint8_t> Bytes(const ConfigurationImage& image, std::size_t offset, std::size_t count) {
  return std::vector<uint8_t>(image.begin() + static_cast<std::ptrdiff_t>(offset),
                              image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

TEST_F(ReactionsTest, BatterySlidersKeepTheSecondBorderBelowTheFirst) {
  struct Case {
    const char* slider;
    int position;
    int warn;
    int alarm;
    const char* warnLabel;
    const char* alarmLabel;
  };
  // The factory borders: 40 % (position 60) and 20 % (position 80).
  const Case cases[] = {
      {"TrackBarDischargeWarn", 5, 10, 80, "90%", "20%"},   {"TrackBarDischargeWarn", 0, 10, 80, "90%", "20%"},
      {"TrackBarDischargeWarn", 90, 90, 90, "10%", "10%"},  {"TrackBarDischargeWarn", 70, 70, 80, "30%", "20%"},
      {"TrackBarDischargeAlarm", 40, 40, 40, "60%", "60%"}, {"TrackBarDischargeAlarm", 5, 10, 10, "90%", "90%"},
      {"TrackBarDischargeAlarm", 95, 60, 95, "40%", "5%"},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    window.SelectNode(kNodePower);
    auto& warn = Control<QSlider>(kNodePower, "TrackBarDischargeWarn");
    auto& alarm = Control<QSlider>(kNodePower, "TrackBarDischargeAlarm");
    ASSERT_EQ(Control<QLabel>(kNodePower, "Label4").text(), "40%");
    ASSERT_EQ(Control<QLabel>(kNodePower, "Label14").text(), "20%");
    Control<QSlider>(kNodePower, c.slider).setValue(c.position);
    EXPECT_EQ(warn.value(), c.warn) << c.slider << " " << c.position;
    EXPECT_EQ(alarm.value(), c.alarm) << c.slider << " " << c.position;
    EXPECT_EQ(Control<QLabel>(kNodePower, "Label4").text(), c.warnLabel) << c.slider << " " << c.position;
    EXPECT_EQ(Control<QLabel>(kNodePower, "Label14").text(), c.alarmLabel) << c.slider << " " << c.position;
  }
}

TEST_F(ReactionsTest, TemperatureLimitsStayApartAndWithinTheirRanges) {
  struct Move {
    const char* slider;
    int position;
  };
  struct Case {
    std::vector<Move> moves;
    int high;
    int low;
  };
  // The factory limits: 60 and -25 degrees.
  const Case cases[] = {
      {{{"TrackBarTemperatLowBorder", 9}, {"TrackBarTemperatHiBorder", 10}}, 10, 8},
      {{{"TrackBarTemperatLowBorder", 85}}, 82, 80},
      {{{"TrackBarTemperatHiBorder", 90}}, 82, -25},
      {{{"TrackBarTemperatHiBorder", -40}}, -30, -32},
      {{{"TrackBarTemperatLowBorder", -40}}, 60, -32},
      {{{"TrackBarTemperatLowBorder", 59}}, 61, 59},
      {{{"TrackBarTemperatHiBorder", -24}}, -24, -26},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    window.SelectNode(kNodePower);
    ASSERT_EQ(Control<QLabel>(kNodePower, "LabelHiBorder").text(), U("60° C"));
    ASSERT_EQ(Control<QLabel>(kNodePower, "LabelLowBorder").text(), U("-25° C"));
    for (const Move& move : c.moves) Control<QSlider>(kNodePower, move.slider).setValue(move.position);
    const std::string what = std::string(c.moves.back().slider) + " " + std::to_string(c.moves.back().position);
    EXPECT_EQ(Control<QSlider>(kNodePower, "TrackBarTemperatHiBorder").value(), c.high) << what;
    EXPECT_EQ(Control<QSlider>(kNodePower, "TrackBarTemperatLowBorder").value(), c.low) << what;
    EXPECT_EQ(Control<QLabel>(kNodePower, "LabelHiBorder").text(), QString::number(c.high) + U("° C")) << what;
    EXPECT_EQ(Control<QLabel>(kNodePower, "LabelLowBorder").text(), QString::number(c.low) + U("° C")) << what;
  }
}

TEST_F(ReactionsTest, UpperTemperatureLevelNeverStandsBelowTheLowerInTheList) {
  struct Case {
    const char* box;
    int index;
    int high;
    int low;
  };
  // The factory levels: -15 degrees (item 104) and -20 degrees (item 109).
  const Case cases[] = {
      {"ComboBoxHiBorderLevel", 120, 120, 120},
      {"ComboBoxHiBorderLevel", 50, 50, 109},
      {"ComboBoxLoBorderLevel", 100, 100, 100},
      {"ComboBoxLoBorderLevel", 115, 104, 115},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    window.SelectNode(kNodePower);
    auto& high = Control<QComboBox>(kNodePower, "ComboBoxHiBorderLevel");
    auto& low = Control<QComboBox>(kNodePower, "ComboBoxLoBorderLevel");
    ASSERT_EQ(high.count(), 129);
    EXPECT_EQ(high.itemText(0), U("89° C"));
    EXPECT_EQ(low.itemText(128), U("-39° C"));
    ASSERT_EQ(high.currentText(), U("-15° C"));
    ASSERT_EQ(low.currentText(), U("-20° C"));
    Control<QComboBox>(kNodePower, c.box).setCurrentIndex(c.index);
    EXPECT_EQ(high.currentIndex(), c.high) << c.box << " " << c.index;
    EXPECT_EQ(low.currentIndex(), c.low) << c.box << " " << c.index;
  }
}

TEST_F(ReactionsTest, GprsStrategyEnablesAndCorrectsThePeriodAndOnlineTime) {
  struct Case {
    const char* what;
    const char* periodBefore;  // what the period edit holds when the strategy changes
    int strategy;
    const char* period;
    bool periodEnabled;
    bool onlineEnabled;
    int onlineIndex;
  };
  const Case cases[] = {
      {"periodic, too long", "1270 Мин.", 1, "1260 Мин.", true, true, 7},
      {"periodic, too short", "3", 1, "5 Мин.", true, true, 7},
      {"periodic, just storable", "1264 Мин.", 1, "1264 Мин.", true, true, 7},
      {"on event", "60 Мин.", 2, "5 Мин.", false, true, 7},
      {"always connected", "60 Мин.", 0, "5 Мин.", false, false, 0},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    window.SelectNode(kNodeGprsCommon);
    auto& strategy = Control<QComboBox>(kNodeGprsCommon, "ComboBoxGPRSConnectionStrategy");
    auto& period = Control<QLineEdit>(kNodeGprsCommon, "MaskEditConnectingPeriod_x5m");
    auto& online = Control<QComboBox>(kNodeGprsCommon, "ComboBoxOnlineTime_min");
    // The factory strategy: always connected.
    ASSERT_EQ(strategy.currentIndex(), 0);
    ASSERT_FALSE(period.isEnabled());
    ASSERT_FALSE(online.isEnabled());
    // Another strategy first, so that choosing the case's one is a change.
    strategy.setCurrentIndex(c.strategy == 1 ? 2 : 1);
    online.setCurrentIndex(7);
    period.setText(U(c.periodBefore));
    strategy.setCurrentIndex(c.strategy);

    EXPECT_EQ(period.text(), U(c.period)) << c.what;
    EXPECT_EQ(period.isEnabled(), c.periodEnabled) << c.what;
    EXPECT_EQ(Control<QLabel>(kNodeGprsCommon, "Label147").isEnabled(), c.periodEnabled) << c.what;
    EXPECT_EQ(online.isEnabled(), c.onlineEnabled) << c.what;
    EXPECT_EQ(Control<QLabel>(kNodeGprsCommon, "Label146").isEnabled(), c.onlineEnabled) << c.what;
    EXPECT_EQ(online.currentIndex(), c.onlineIndex) << c.what;
  }
}

TEST_F(ReactionsTest, GprsPeriodOutOfRangeInTheImageIsCorrectedWhenShown) {
  TForm1& window = Open();
  window.Document().image[2152] = 0xFE;  // 1270 minutes, periodically
  window.SelectNode(kNodeGprsCommon);
  EXPECT_EQ(Control<QComboBox>(kNodeGprsCommon, "ComboBoxGPRSConnectionStrategy").currentIndex(), 1);
  EXPECT_EQ(Control<QLineEdit>(kNodeGprsCommon, "MaskEditConnectingPeriod_x5m").text(), U("1260 Мин."));
  EXPECT_TRUE(Control<QLineEdit>(kNodeGprsCommon, "MaskEditConnectingPeriod_x5m").isEnabled());
  window.SelectNode(kNodeController);
  EXPECT_EQ(window.Document().image[2152], 252);
}

TEST_F(ReactionsTest, ServerAddressTypeDecidesTheFormOfTheAddress) {
  TForm1& window = Open();
  const std::size_t record = kServerRecords.Offset(1);
  const uint8_t shown[] = {10, 1, 168, 192};
  std::memcpy(&window.Document().image[record], shown, 4);
  window.SelectNode(kNodeServer1);
  auto& type = Control<QComboBox>(kNodeServer1, "ComboBoxDestType");
  auto& address = Control<QLineEdit>(kNodeServer1, "MaskEditServerIPAddr");
  ASSERT_EQ(type.currentIndex(), 0);
  EXPECT_EQ(address.text(), "192.168.1.10");

  type.setCurrentIndex(1);
  EXPECT_EQ(address.text(), "");
  Type(address, "gps.example.org");
  EXPECT_EQ(address.text(), "gps.example.org");
  Type(address, "a-very-long-host-name.example.org.extra");
  EXPECT_EQ(address.text(), "a-very-long-host-name.example.org");

  type.setCurrentIndex(0);
  EXPECT_EQ(address.text(), "000.000.000.000");
  Type(address, "gps");
  EXPECT_FALSE(address.text().contains("gps"));
  Type(address, "010020030040");
  EXPECT_EQ(address.text(), "010.020.030.040");

  window.SelectNode(kNodeController);
  EXPECT_EQ(Bytes(window.Document().image, record, 4), (std::vector<uint8_t>{40, 30, 20, 10}));
  EXPECT_EQ(window.Document().image[record + 38] & 1, 0);
}

TEST_F(ReactionsTest, ServersOfEitherAddressTypeShowTheirAddressWhicheverWasShownBefore) {
  TForm1& window = Open();
  ConfigurationImage& image = window.Document().image;
  const uint8_t ip[] = {40, 30, 20, 10};
  std::memcpy(&image[kServerRecords.Offset(1)], ip, 4);
  std::memcpy(&image[kServerRecords.Offset(2)], "gps.example.org", 16);
  image[kServerRecords.Offset(2) + 38] = 1;
  const std::pair<int, const char*> visits[] = {
      {kNodeServer1, "10.20.30.40"},         {kNodeServer1 + 1, "gps.example.org"}, {kNodeServer1, "10.20.30.40"},
      {kNodeServer1 + 2, "0.0.0.0"},         {kNodeServer1 + 1, "gps.example.org"}, {kNodeServer1 + 2, "0.0.0.0"},
  };
  const ConfigurationImage before = image;
  for (const auto& [node, text] : visits) {
    window.SelectNode(node);
    auto& address = Control<QLineEdit>(node, "MaskEditServerIPAddr");
    EXPECT_EQ(address.text().remove(' '), text) << "server " << node - kNodeServer1 + 1;
  }
  window.SelectNode(kNodeController);
  EXPECT_EQ(Bytes(image, kServerRecords.Offset(1), 132), Bytes(before, kServerRecords.Offset(1), 132));
}

TEST_F(ReactionsTest, BalancePresetsFillTheCommandAndKeyWordOnly) {
  struct Case {
    int node;
    const char* button;
    const char* command;
    const char* word;
    std::vector<uint8_t> storedWord;  // code page 1251
  };
  const Case cases[] = {
      {kNodeSim1, "RadioButton1", "*100#", "Баланс:", {0xC1, 0xE0, 0xEB, 0xE0, 0xED, 0xF1, 0x3A, 0, 0}},
      {kNodeSim1, "RadioButton2", "*102#", "Баланс ", {0xC1, 0xE0, 0xEB, 0xE0, 0xED, 0xF1, 0x20, 0, 0}},
      {kNodeSim2, "RadioButton3", "*100#", "", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {kNodeSim2, "RadioButton4", "*105#", "OCTATOK ", {'O', 'C', 'T', 'A', 'T', 'O', 'K', ' ', 0}},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    const std::size_t record = kSimRecords.Offset(c.node - kNodeSim1 + 1);
    std::memcpy(&window.Document().image[record + 35], "xxxxxxxx", 8);
    window.SelectNode(c.node);
    Type(Control<QLineEdit>(c.node, "MaskEditPIN"), "1111");
    Control<QRadioButton>(c.node, c.button).click();
    EXPECT_EQ(Control<QLineEdit>(c.node, "MaskEditBalansReqCMD").text(), U(c.command)) << c.button;
    EXPECT_EQ(Control<QLineEdit>(c.node, "MaskEditBalansIdWord").text(), U(c.word)) << c.button;
    EXPECT_EQ(Control<QLineEdit>(c.node, "MaskEditPIN").text(), "1111") << c.button;

    window.SelectNode(kNodeController);
    const ConfigurationImage& image = window.Document().image;
    EXPECT_EQ(Bytes(image, record + 35, 9), c.storedWord) << c.button;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[record + 26])), c.command) << c.button;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[record])), "1111") << c.button;
  }
}

TEST_F(ReactionsTest, GprsDefaultsButtonRestoresTheStrategyAndKeepsOtherEdits) {
  TForm1& window = Open();
  window.SelectNode(kNodeGprsCommon);
  auto& strategy = Control<QComboBox>(kNodeGprsCommon, "ComboBoxGPRSConnectionStrategy");
  auto& period = Control<QLineEdit>(kNodeGprsCommon, "MaskEditConnectingPeriod_x5m");
  strategy.setCurrentIndex(1);
  Type(period, "60");
  Control<QComboBox>(kNodeGprsCommon, "ComboBoxConnectingTryNum").setCurrentIndex(6);
  Type(Control<QLineEdit>(kNodeGprsCommon, "EditAPN"), "my.apn");
  Type(Control<QLineEdit>(kNodeGprsCommon, "MaskEditDNS2"), "001002003004");
  Control<QCheckBox>(kNodeGprsCommon, "CheckBoxMaskGArm").click();

  Control<QPushButton>(kNodeGprsCommon, "Button41").click();

  const ConfigurationImage& image = window.Document().image;
  EXPECT_EQ(Bytes(image, 2152, 4), (std::vector<uint8_t>{0xFF, 0x1B, 0x03, 0x03}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[2072])), "my.apn");
  EXPECT_EQ(strategy.currentIndex(), 0);
  EXPECT_EQ(period.text(), U("5 Мин."));
  EXPECT_FALSE(period.isEnabled());
  EXPECT_EQ(Control<QComboBox>(kNodeGprsCommon, "ComboBoxConnectingTryNum").currentIndex(), 2);
  EXPECT_EQ(Control<QLineEdit>(kNodeGprsCommon, "EditAPN").text(), "my.apn");
  EXPECT_EQ(Control<QLineEdit>(kNodeGprsCommon, "MaskEditDNS2").text(), "1.2.3.4");
  EXPECT_TRUE(Control<QCheckBox>(kNodeGprsCommon, "CheckBoxMaskGArm").isChecked());

  window.SelectNode(kNodeController);
  EXPECT_EQ(Bytes(image, 2144, 4), (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(image[2150] & 1, 1);
  EXPECT_EQ(Bytes(image, 2152, 4), (std::vector<uint8_t>{0xFF, 0x1B, 0x03, 30}));
}

TEST_F(ReactionsTest, AdministrativePasswordBoxEnablesTheEditAndShowsTheWarning) {
  const QString warning = U(
      "Административный пароль необходим для использования расширенного набора команд через SMS, а так же для "
      "защиты конфигурации устройства от модификации. После процедуры установки, запись и чтение конфигурации "
      "будут невозможны, без указания этого пароля. Действие нового пароля начнется с момента повторного запуска "
      "конфигуратора. Будьте внимательны, в случае утраты пароля его отмена возможна с помощью длительной "
      "процедуры, около 30 минут, при этом ранее настроенная конфигурация будет очищена, все параметры сбросятся к "
      "заводским. Этот пароль не сохраняется в файле конфигурации его нужно будет вводить при каждом запуске "
      "программы.");
  struct Step {
    bool checked;
    const char* message;  // nullptr: the warning
  };
  const Step steps[] = {{true, nullptr}, {false, nullptr}, {true, nullptr}};

  TForm1& window = Open();
  window.SelectNode(kNodeConnectionsCommon);
  auto& box = Control<QCheckBox>(kNodeConnectionsCommon, "CheckBoxSysPassword");
  auto& password = Control<QLineEdit>(kNodeConnectionsCommon, "MaskEditSysPassword");
  auto& caption = Control<QLabel>(kNodeConnectionsCommon, "Label84");
  auto& message = Control<QLabel>(kNodeConnectionsCommon, "LabelSharedParWarningMsg");
  EXPECT_FALSE(box.isChecked());
  EXPECT_FALSE(password.isEnabled());
  EXPECT_FALSE(caption.isEnabled());
  EXPECT_EQ(message.text(), "");
  for (const Step& step : steps) {
    box.click();
    EXPECT_EQ(box.isChecked(), step.checked);
    EXPECT_EQ(password.isEnabled(), step.checked);
    EXPECT_EQ(caption.isEnabled(), step.checked);
    EXPECT_EQ(message.text(), step.message ? U(step.message) : warning);
  }
  // The choice lasts while the section is left and entered again.
  window.SelectNode(kNodeController);
  window.SelectNode(kNodeConnectionsCommon);
  EXPECT_TRUE(box.isChecked());
  EXPECT_TRUE(password.isEnabled());
}

TEST_F(ReactionsTest, NotificationListsShowTheirEntryAsHint) {
  struct Case {
    const char* box;
    int index;
    const char* hint;
  };
  const Case cases[] = {
      {"ComboBoxIncomungCallAction", 2, "Отбить (DTMF управление невозможно)"},
      {"ComboBoxIncomungCallAction", 3, "Отбить и изменить режим (ОХРАНА/НАБЛЮДЕНИЕ)"},
      {"ComboBoxTransportPriority", 1, "Посылать SMS только если не доставлено голосовое оповещ."},
  };
  for (const Case& c : cases) {
    TForm1& window = Open();
    window.SelectNode(kNodeConnection1 + 2);
    // Filling the panel gives the incoming call list its hint; the other
    // list has none until it is changed.
    auto& incoming = Control<QComboBox>(kNodeConnection1, "ComboBoxIncomungCallAction");
    EXPECT_EQ(incoming.toolTip(), U("Принять и перейти в голосовое меню, с паролем (DTMF управление)"));
    EXPECT_EQ(Control<QComboBox>(kNodeConnection1, "ComboBoxTransportPriority").toolTip(), "");
    auto& box = Control<QComboBox>(kNodeConnection1, c.box);
    box.setCurrentIndex(c.index);
    EXPECT_EQ(box.toolTip(), U(c.hint)) << c.box;
  }
}

}  // namespace
}  // namespace vkm::test
