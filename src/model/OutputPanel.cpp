#include "model/OutputPanel.h"

#include <cstddef>
#include <cstdint>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr std::size_t kNameSize = 17;
constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kActNameOffset = 17;
constexpr std::size_t kDeactNameOffset = 34;
constexpr std::size_t kFlagsOffset = 51;

// Where the settings of other sections that act on an output live.
constexpr std::size_t kSchedulerEnabled = 0;
constexpr std::size_t kSchedulerWeekdays = 4;
constexpr std::size_t kSchedulerHour = 5;
constexpr std::size_t kSchedulerMinute = 6;
constexpr std::size_t kSchedulerAction = 12;
constexpr std::size_t kSchedulerOutput = 13;
constexpr std::size_t kSchedulerReaction = 14;
constexpr unsigned kActionOutputControl = 3;

constexpr std::size_t kLowTemperature = kPowerOffset + 15;     // 2051, signed degrees
constexpr std::size_t kLowReaction = kPowerOffset + 16;        // 2052, output and reaction
constexpr std::size_t kHighTemperature = kPowerOffset + 17;    // 2053
constexpr std::size_t kHighReaction = kPowerOffset + 18;       // 2054

constexpr std::size_t kArmInArming = 19;      // six reaction codes each, one per output
constexpr std::size_t kArmInDisarming = 25;
constexpr std::size_t kArmInCountdown = 31;
constexpr std::size_t kArmInProtection = 37;

constexpr std::size_t kInputActivation = 76;
constexpr std::size_t kInputDeactivation = 82;
constexpr int kInputsWithSection = 7;

const Items& NameSuggestions() {
  static const Items items = {"РЕЛЕ", "ОБОГРЕВАТЕЛЬ", "ЛАМПА", "ЗАМОК", "НАСОС", "ДВИГАТЕЛЬ"};
  return items;
}

const Items& StateSuggestions() {
  static const Items items = {"ВКЛ", "ВЫКЛ", "ЗАКРЫТ", "ОТКРЫТ", "ON", "OFF"};
  return items;
}

const Items& CommTypeItems() {
  static const Items items = [] {
    Items list = {"уровень"};
    list.insert(list.end(), ScenarioNames().begin(), ScenarioNames().end());
    return list;
  }();
  return items;
}

int OutputNumber(int node) { return node - kNodeOutput1 + 1; }

uint8_t* Record(ConfigurationImage& image, int node) { return &image[kOutputRecords.Offset(OutputNumber(node))]; }

// A code with no reaction item (a damaged or foreign image) still acts on the
// output, so the line is kept and names the code by its number.
std::string ReactionText(unsigned code) {
  const Items& items = ReactionItems();
  return code < items.size() ? items[code] : std::to_string(code);
}

std::string SignedDegrees(uint8_t byte) { return std::to_string(static_cast<int8_t>(byte)); }

void AddSchedulerLines(const ConfigurationImage& image, int output, std::vector<std::string>& lines) {
  for (int r = 1; r <= kSchedulerRows.count; ++r) {
    const uint8_t* row = &image[kSchedulerRows.Offset(r)];
    if (!GetBit(row[kSchedulerEnabled], 0) || GetBits(row[kSchedulerWeekdays], 0, 7) == 0) continue;
    if (GetBits(row[kSchedulerAction], 2, 6) != kActionOutputControl) continue;
    if (GetBits(row[kSchedulerOutput], 0, 4) != static_cast<unsigned>(output - 1)) continue;
    const unsigned reaction = row[kSchedulerReaction];
    if (reaction == 0) continue;
    lines.push_back("[" + NodeCaption(kNodeClock) + "]\t\t" + ReactionText(reaction) + "\tВ " +
                    std::to_string(GetBits(row[kSchedulerHour], 0, 5)) + ":" +
                    std::to_string(GetBits(row[kSchedulerMinute], 0, 6)) +
                    " в указанные дни недели, строка № " + std::to_string(r));
  }
}

void AddTemperatureLine(const ConfigurationImage& image, int output, std::size_t reactionOffset,
                        std::size_t levelOffset, const char* event, std::vector<std::string>& lines) {
  const uint8_t byte = image[reactionOffset];
  // Bits 0..2 hold the output as a list index: output number - 1.
  if (GetBits(byte, 0, 3) != static_cast<unsigned>(output - 1)) return;
  const unsigned reaction = GetBits(byte, 3, 5);
  if (reaction == 0) return;
  lines.push_back("[Питание, температура...]\t\t" + ReactionText(reaction) + event + SignedDegrees(image[levelOffset]) +
                  "C");
}

void AddArmInLines(const ConfigurationImage& image, int output, std::vector<std::string>& lines) {
  const uint8_t* record = &image[kPerimeterRecords.Offset(1)];
  struct Event {
    std::size_t offset;
    const char* text;
  };
  const Event events[] = {
      {kArmInCountdown, "\tПри начале обратного отсчета"},
      {kArmInArming, "\tПри переходе в режим ОХРАНА"},
      {kArmInDisarming, "\tПри переходе в режим НАБЛЮДЕНИЕ"},
      {kArmInProtection, "\tПри переходе в режим ЗАЩИТА"},
  };
  for (const Event& event : events) {
    const unsigned reaction = record[event.offset + static_cast<std::size_t>(output - 1)];
    if (reaction == 0) continue;
    lines.push_back(NodeCaption(kNodeArmIn) + "\t\t\t" + ReactionText(reaction) + event.text);
  }
}

void AddInputLines(const ConfigurationImage& image, int output, std::vector<std::string>& lines) {
  for (int i = 1; i <= kInputsWithSection; ++i) {
    const uint8_t* record = &image[kInputRecords.Offset(i)];
    const std::string number = std::to_string(i);
    const std::string source = "[" + NodeCaption(kNodeInputsCommon) + number + "]\t\t\t\t";
    const unsigned activation = record[kInputActivation + static_cast<std::size_t>(output - 1)];
    if (activation != 0) {
      lines.push_back(source + ReactionText(activation) + "\tПри активизации входа " + number);
    }
    const unsigned deactivation = record[kInputDeactivation + static_cast<std::size_t>(output - 1)];
    if (deactivation != 0) {
      lines.push_back(source + ReactionText(deactivation) + "\tПри деактивизации входа " + number);
    }
  }
}

std::vector<std::string> StimulusLines(const ConfigurationImage& image, int output) {
  std::vector<std::string> lines;
  AddSchedulerLines(image, output, lines);
  AddTemperatureLine(image, output, kHighReaction, kHighTemperature, "\tПри превышении температуры выше ", lines);
  AddTemperatureLine(image, output, kLowReaction, kLowTemperature, "\tПри падении температуры ниже ", lines);
  AddArmInLines(image, output, lines);
  AddInputLines(image, output, lines);
  return lines;
}

std::string ShowName(uint8_t* field) {
  field[kNameSize - 1] = 0;
  return ShowText(field, kNameSize);
}

}  // namespace

void PanelToImage(OutputPanel& panel, int node, ConfigurationImage& image) {
  uint8_t* record = Record(image, node);
  StoreText(record + kNameOffset, kNameSize, panel.ComboBoxReleName);
  StoreText(record + kActNameOffset, kNameSize, panel.ComboBoxReleNameAct);
  StoreText(record + kDeactNameOffset, kNameSize, panel.ComboBoxReleNameDeact);
  uint8_t& flags = record[kFlagsOffset];
  SetBit(flags, 5, panel.CheckBoxReleEn);
  SetBit(flags, 6, panel.CheckBoxReleInversion);
  StoreComboBits(flags, 0, 5, panel.ComboBoxCommType);
  SetBit(flags, 7, panel.CheckBoxRemoteControlEn);
}

void ImageToPanel(ConfigurationImage& image, int node, OutputPanel& panel) {
  uint8_t* record = Record(image, node);
  panel.Label6 = NodeCaption(node);
  panel.ComboBoxReleName = ShowName(record + kNameOffset);
  panel.ComboBoxReleNameAct = ShowName(record + kActNameOffset);
  panel.ComboBoxReleNameDeact = ShowName(record + kDeactNameOffset);
  const uint8_t flags = record[kFlagsOffset];
  panel.ComboBoxCommType = ShowComboBits(flags, 0, 5, CommTypeItems());
  panel.CheckBoxReleEn = GetBit(flags, 5);
  panel.CheckBoxReleInversion = GetBit(flags, 6);
  panel.CheckBoxRemoteControlEn = GetBit(flags, 7);
  panel.GroupBoxRsOutsStimulus = " События воздействующие на этот выход [Вкладка | Воздействие | Событие] ";
  panel.MemoRsOutsStimulus = StimulusLines(image, OutputNumber(node));
}

Controls ListControls(OutputPanel& panel, int /*node*/) {
  return {
      LabelControl("Label6", panel.Label6),
      TextControl("ComboBoxReleName", panel.ComboBoxReleName, &NameSuggestions()),
      TextControl("ComboBoxReleNameAct", panel.ComboBoxReleNameAct, &StateSuggestions()),
      TextControl("ComboBoxReleNameDeact", panel.ComboBoxReleNameDeact, &StateSuggestions()),
      ComboControl("ComboBoxCommType", panel.ComboBoxCommType, CommTypeItems()),
      CheckControl("CheckBoxReleEn", panel.CheckBoxReleEn),
      CheckControl("CheckBoxReleInversion", panel.CheckBoxReleInversion),
      CheckControl("CheckBoxRemoteControlEn", panel.CheckBoxRemoteControlEn),
      LabelControl("GroupBoxRsOutsStimulus", panel.GroupBoxRsOutsStimulus),
      MemoControl("MemoRsOutsStimulus", panel.MemoRsOutsStimulus),
  };
}

}  // namespace vkm
