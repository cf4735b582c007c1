// What the user types, clicks and selects on a panel reaches the image (or
// the system parameter block) when the section is left, byte for byte.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>
#include <functional>
#include <sstream>
#include <string_view>

#include "EditorWindowFixture.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using TypedValuesTest = EditorWindowTest;

struct Bytes {
  std::size_t offset;
  std::vector<uint8_t> bytes;
};

// A text as stored: its bytes, then NULs up to the field's size.
std::vector<uint8_t> Field(std::string_view bytes, std::size_t size) {
  std::vector<uint8_t> field(size, 0);
  std::copy(bytes.begin(), bytes.end(), field.begin());
  return field;
}

struct Case {
  const char* what;
  int node;
  std::function<void(QWidget& page)> edit;
  std::vector<Bytes> image;         // every other image byte keeps its factory value
  std::vector<Bytes> systemBlock;   // likewise for the system parameter block
};

template <class Widget>
Widget& At(QWidget& page, const char* name) {
  return Find<Widget>(&page, name);
}

void Click(QWidget& page, const char* name) { At<QAbstractButton>(page, name).click(); }
void Select(QWidget& page, const char* name, int index) { At<QComboBox>(page, name).setCurrentIndex(index); }
void TypeInto(QWidget& page, const char* name, const char* text) { Type(At<QWidget>(page, name), U(text)); }

std::vector<Case> Cases() {
  return {
      {"SIM 1: PIN, balance limit and period", kNodeSim1,
       [](QWidget& page) {
         TypeInto(page, "MaskEditPIN", "4321");
         TypeInto(page, "EditBalansMinVal", "300");
         TypeInto(page, "EditReqPeriodH", "12");
       },
       {{28, Field("4321", 9)}, {72, {0x2C, 0x01}}, {74, {12}}},
       {}},
      {"SIM 2: balance request", kNodeSim2, [](QWidget& page) { TypeInto(page, "MaskEditBalansReqCMD", "*102#"); },
       {{102, Field("*102#", 9)}},
       {}},
      {"connections: pause, acknowledgement, passwords", kNodeConnectionsCommon,
       [](QWidget& page) {
         Select(page, "ComboBoxCall2CallPauseX10S", 5);
         Click(page, "CheckBoxACK");
         Click(page, "CheckBoxSysPassword");
         TypeInto(page, "MaskEditSysPassword", "Adm1n");
         TypeInto(page, "MaskEditDTMFPass", "1234");
       },
       {{124, {0x35}}, {132, Field("Adm1n", 9)}, {141, Field("1234", 5)}},
       {}},
      {"connection 8: number, group, a grayed input", kNodeConnection1 + 7,
       [](QWidget& page) {
         TypeInto(page, "MaskEditPhone", "+79991234567");
         Select(page, "ComboBoxGroupNum", 2);
         Click(page, "CheckBoxMaskDInput3");
       },
       {{373, Field("+79991234567", 16)}, {389, {0x08}}, {394, {0x04, 0x00}}},
       {}},
      {"GPRS: access point, DNS, events, periodic connection", kNodeGprsCommon,
       [](QWidget& page) {
         TypeInto(page, "EditAPN", "internet.test");
         TypeInto(page, "MaskEditDNS1", "008008004004");
         Click(page, "CheckBoxMaskGInput2");
         Click(page, "CheckBoxMaskGInput2");
         Select(page, "ComboBoxGPRSConnectionStrategy", 1);
         TypeInto(page, "MaskEditConnectingPeriod_x5m", "60");
       },
       {{2072, Field("internet.test", 14)}, {2140, {4, 4, 8, 8}}, {2148, {0x02, 0x02}}, {2152, {12}}, {2155, {0}}},
       {}},
      {"server 1: address, port, enabled", kNodeServer1,
       [](QWidget& page) {
         TypeInto(page, "MaskEditServerIPAddr", "192168001010");
         TypeInto(page, "MaskEditServerPort", "5000");
         Click(page, "CheckBoxServerEn");
       },
       {{2156, {10, 1, 168, 192}}, {2192, {0x88, 0x13}}, {2196, {0x91}}},
       {}},
      {"server 3: a host name", kNodeServer1 + 2,
       [](QWidget& page) {
         Select(page, "ComboBoxDestType", 1);
         TypeInto(page, "MaskEditServerIPAddr", "gps.example.org");
       },
       {{2244, Field("gps.example.org", 16)}, {2282, {0x01}}},
       {}},
      {"clock: zone, summer time, message, a scheduler row", kNodeClock,
       [](QWidget& page) {
         Select(page, "ComboBoxTimeZone", 19);
         Click(page, "CheckBoxDSTEnable");
         Click(page, "CheckBoxInfoIn3");
         auto& grid = At<QTableWidget>(page, "StringGrid3");
         CellControl<QCheckBox>(grid, 1, 1).click();
         CellControl<QCheckBox>(grid, 1, 3).click();
         CellControl<QCheckBox>(grid, 1, 7).click();
         if (!EditCell(grid, 1, 2, "0730")) throw std::runtime_error("the time cell opens no editor");
         CellControl<QComboBox>(grid, 1, 12).setCurrentIndex(5);
         CellControl<QComboBox>(grid, 1, 13).setCurrentIndex(1);
       },
       {{1900, {0x07, 0x01}},
        {1904, {0x04}},
        {1924, {0x01, 0, 0, 0, 0x11, 7, 30, 0, 0, 0, 0, 0, 0x0C, 0x02, 0x01}}},
       {}},
      {"power: averaging, first battery border, upper temperature", kNodePower,
       [](QWidget& page) {
         Select(page, "ComboBoxPowerSignAverTime", 3);
         At<QSlider>(page, "TrackBarDischargeWarn").setValue(30);
         At<QSlider>(page, "TrackBarTemperatHiBorder").setValue(50);
       },
       {{2036, {0xCB}}, {2041, {0xC6}}, {2050, {50}}},
       {}},
      {"registrator: on, time and speed conditions", kNodeRegistrator,
       [](QWidget& page) {
         Click(page, "CheckBoxBBOnOff");
         TypeInto(page, "MaskEditGPSAndTime_Sec", "3600");
         TypeInto(page, "MaskEditGPSOrSpeed_Km_H", "90");
       },
       {{2288, {0x01}}, {2290, {0x10, 0x0E}}, {2300, {90, 0}}},
       {}},
      {"Arm In: delay, mode, reaction, a touch key", kNodeArmIn,
       [](QWidget& page) {
         TypeInto(page, "EditDelayARM", "45");
         Select(page, "ComboBoxArmInMode", 2);
         Select(page, "ComboBoxArmToRele2", 2);
         auto& keys = At<QTableWidget>(page, "StringGrid1");
         if (!EditCell(keys, 0, 1, "0123456789abcdef")) throw std::runtime_error("the key cell opens no editor");
         if (!EditCell(keys, 0, 2, "Ivan")) throw std::runtime_error("the name cell opens no editor");
         CellControl<QCheckBox>(keys, 0, 3).click();
       },
       {{2320, {45, 2}},
        {2323, {2}},
        {2496, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
        {2504, Field("Ivan", 17)},
        {2521, {0x01}}},
       {}},
      {"inputs: no scanning after reset", kNodeInputsCommon,
       [](QWidget& page) { Select(page, "ComboBoxNoScaningTimeAftReset", 4); }, {{405, {0x04}}}, {}},
      {"input 1: name, recovery time, disabled", kNodeInput1,
       [](QWidget& page) {
         TypeInto(page, "ComboBoxSensName", "ОКНО");
         TypeInto(page, "EditRecoveryTime", "17");
         Select(page, "ComboBoxSensType", 0);
       },
       {{408, Field("\xCE\xCA\xCD\xCE", 17)}, {461, {17}}, {463, {0x00}}},
       {}},
      {"input 7: analogue", kNodeInput1 + 6, [](QWidget& page) { Select(page, "ComboBoxSensType", 2); },
       {{991, {0x04}}},
       {}},
      {"output 1: name, inversion, scenario", kNodeOutput1,
       [](QWidget& page) {
         TypeInto(page, "ComboBoxReleName", "ЛАМПА");
         Click(page, "CheckBoxReleInversion");
         Select(page, "ComboBoxCommType", 3);
       },
       {{1112, Field("\xCB\xC0\xCC\xCF\xC0", 17)}, {1163, {0xE3}}},
       {}},
      {"scenario 14: cyclic three times, low first, two pulses", kNodeScenarios,
       [](QWidget& page) {
         auto& grid = At<QTableWidget>(page, "StringGrid2");
         DoubleClickCell(grid, 13, 1);
         DoubleClickCell(grid, 13, 3);
         if (!EditCell(grid, 13, 2, "3")) throw std::runtime_error("the count cell opens no editor");
         if (!EditCell(grid, 13, 4, "10")) throw std::runtime_error("a duration cell opens no editor");
         if (!EditCell(grid, 13, 5, "20")) throw std::runtime_error("a duration cell opens no editor");
       },
       {{1866, {0x03, 0x00, 0x0A, 0x00, 0x14, 0x80, 0x00, 0x80}}},
       {}},
      {"system parameters: calibration and update", kNodeSystemParameters,
       [](QWidget& page) {
         Click(page, "Button1");
         TypeInto(page, "EditCALVAL", "1234");
         Select(page, "ComboBoxCALDIR", 1);
         Click(page, "CheckBoxFWUpdateEnable");
       },
       {},
       {{0, {0xD2, 0x04, 0x02, 0x00}}, {5, {0x01}}}},
  };
}

// Offsets where `actual` is not `factory` with `expected` laid over it.
template <std::size_t N>
std::string Mismatches(const std::array<uint8_t, N>& factory, const std::vector<Bytes>& expected,
                       const std::array<uint8_t, N>& actual) {
  std::array<uint8_t, N> wanted = factory;
  for (const Bytes& span : expected) std::copy(span.bytes.begin(), span.bytes.end(), wanted.begin() + span.offset);
  std::ostringstream out;
  for (std::size_t i = 0; i < N; ++i) {
    if (wanted[i] != actual[i]) out << " [" << i << "] want " << int{wanted[i]} << " got " << int{actual[i]};
  }
  return out.str();
}

TEST_F(TypedValuesTest, ReachTheImageWhenTheSectionIsLeft) {
  const ConfigurationDocument factory;
  for (const Case& c : Cases()) {
    TForm1& window = Open();
    window.SelectNode(c.node);
    c.edit(*window.Page(c.node));
    window.SelectNode(kNodeController);
    ConfigurationImage factoryImage = factory.image;
    // Leaving the GPRS section without a strategy of its own stores the
    // longest online time.
    if (c.node == kNodeGprsCommon) factoryImage[2155] = 30;
    EXPECT_EQ(Mismatches(factoryImage, c.image, window.Document().image), "") << c.what;
    EXPECT_EQ(Mismatches(factory.systemParameters, c.systemBlock, window.Document().systemParameters), "") << c.what;
  }
}

}  // namespace
}  // namespace vkm::test
