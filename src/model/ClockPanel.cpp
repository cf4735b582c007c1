#include "model/ClockPanel.h"

#include <string_view>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kFirstOutputAction = 3;  // "Управление Выходом 1"
constexpr int kLastOutputAction = 8;   // "Управление Выходом 6"
constexpr int kTimeZoneOffset = 12;    // item i stands for i - 12 hours

const Items& TimeZoneItems() {
  static const Items items = [] {
    Items list;
    for (int h = -12; h <= 13; ++h) {
      if (h < 0) {
        list.push_back("(GMT" + std::to_string(h) + ":00)");
      } else if (h == 0) {
        list.push_back("(GMT) Время по Гринвичу: Дублин, Лондон");
      } else {
        std::string suffix = ":00)";
        switch (h) {
          case 2: suffix += " Афины, Бейрут, Киев, Минск"; break;
          case 4: suffix += " Москва, Санкт-Петербург, Тула"; break;
          case 6: suffix += " Екатеринбург"; break;
          case 7: suffix += " Омск, Новосибирск, Алма-Ата"; break;
          case 8: suffix += " Красноярск"; break;
          case 9: suffix += " Иркутск"; break;
          case 10: suffix += " Якутск"; break;
          case 11: suffix += " Владивосток"; break;
          default: break;
        }
        list.push_back("(GMT+" + std::to_string(h) + suffix);
      }
    }
    return list;
  }();
  return items;
}

const Items& ActionItems() {
  static const Items items = [] {
    Items list = {"Нет действия", "Перейти в реж. Охрана", "Перейти в реж. Наблюдение"};
    const Items outputs = NumberedItems("Управление Выходом ", 1, 6, "");
    list.insert(list.end(), outputs.begin(), outputs.end());
    return list;
  }();
  return items;
}

bool IsOutputAction(int action) { return action >= kFirstOutputAction && action <= kLastOutputAction; }

// Deletes up to `count` characters from position `first` (0-based).
std::string Without(std::string_view text, std::size_t first, std::size_t count) {
  if (first >= text.size()) return std::string(text);
  std::string result(text.substr(0, first));
  if (first + count < text.size()) result += text.substr(first + count);
  return result;
}

std::string TwoDigits(unsigned value) { return (value < 10 ? "0" : "") + std::to_string(value); }

void StoreRow(const Grid& grid, int row, uint8_t* record) {
  record[0] = grid.Checked(row, kSchedulerEnabledColumn) ? 1 : 0;

  // The hour is what remains of "HH:MM" once ":MM" is deleted, the minute
  // what remains once "HH:" is deleted; only the field's low bits are kept.
  const std::string& time = grid.Text(row, kSchedulerTimeColumn);
  SetBits(record[5], 0, 5, static_cast<unsigned>(ReadWholeNumber(Without(time, 2, 3))));
  SetBits(record[6], 0, 6, static_cast<unsigned>(ReadWholeNumber(Without(time, 0, 3))));

  for (int day = 0; day < 7; ++day) SetBit(record[4], day, grid.Checked(row, kSchedulerMondayColumn + day));
  SetBit(record[12], 0, grid.Checked(row, kSchedulerTestColumn));
  SetBit(record[12], 1, grid.Checked(row, kSchedulerInfoColumn));

  const int action = grid.Index(row, kSchedulerActionColumn);
  const int reaction = grid.Index(row, kSchedulerReactionColumn);
  if (action < kFirstOutputAction) {
    StoreComboBits(record[12], 2, 6, action);
    record[13] = static_cast<uint8_t>(StoredFromComboIndex(reaction, 8));
  } else {
    // The controller knows one output action; the output number rides in byte 13.
    SetBits(record[12], 2, 6, 3);
    SetBits(record[13], 0, 4, static_cast<unsigned>(action - kFirstOutputAction));
    record[14] = static_cast<uint8_t>(StoredFromComboIndex(reaction, 8));
  }
}

void ShowRow(const uint8_t* record, int row, ClockPanel& panel) {
  Grid& grid = panel.StringGrid3;
  grid.SetChecked(row, kSchedulerEnabledColumn, GetBit(record[0], 0));
  grid.SetText(row, kSchedulerTimeColumn, TwoDigits(GetBits(record[5], 0, 5)) + ":" + TwoDigits(GetBits(record[6], 0, 6)));
  for (int day = 0; day < 7; ++day) grid.SetChecked(row, kSchedulerMondayColumn + day, GetBit(record[4], day));
  grid.SetChecked(row, kSchedulerTestColumn, GetBit(record[12], 0));
  grid.SetChecked(row, kSchedulerInfoColumn, GetBit(record[12], 1));

  const std::size_t actions = ActionItems().size();
  const std::size_t reactions = ReactionItems().size();
  const unsigned code = record[12];
  if (code < 12) {
    grid.SetIndex(row, kSchedulerActionColumn, ComboIndexFromStored(code / 4, actions));
    OnSchedulerActionChanged(panel, row);
    grid.SetIndex(row, kSchedulerReactionColumn, ComboIndexFromStored(record[13], reactions));
  } else if (code / 4 == 3) {
    grid.SetIndex(row, kSchedulerActionColumn,
                  ComboIndexFromStored(GetBits(record[13], 0, 4) + kFirstOutputAction, actions));
    OnSchedulerActionChanged(panel, row);
    grid.SetIndex(row, kSchedulerReactionColumn, ComboIndexFromStored(record[14], reactions));
  } else {
    // An action this configurator does not know: show nothing chosen.
    grid.SetIndex(row, kSchedulerActionColumn, 0);
    grid.SetIndex(row, kSchedulerReactionColumn, 0);
  }
}

}  // namespace

Grid SchedulerGrid() {
  std::vector<GridColumn> columns = {{CellKind::Text}, {CellKind::Check}, {CellKind::Text}};
  for (int day = 0; day < 7; ++day) columns.push_back({CellKind::Check});
  columns.push_back({CellKind::Check});  // Тест
  columns.push_back({CellKind::Check});  // Инфо
  columns.push_back({CellKind::Combo, &ActionItems()});
  columns.push_back({CellKind::Combo, &ReactionItems()});
  Grid grid(std::move(columns), kSchedulerRows.count);
  for (int row = 1; row <= grid.RowCount(); ++row) {
    grid.SetText(row, kSchedulerNumberColumn, " " + std::to_string(row));
  }
  return grid;
}

void PanelToImage(ClockPanel& panel, int /*node*/, ConfigurationImage& image) {
  for (int row = 1; row <= kSchedulerRows.count; ++row) {
    StoreRow(panel.StringGrid3, row, &image[kSchedulerRows.Offset(row)]);
  }

  uint8_t* clock = &image[kClockOffset];
  clock[0] = static_cast<uint8_t>(panel.ComboBoxTimeZone - kTimeZoneOffset);
  SetBit(clock[1], 0, panel.CheckBoxDSTEnable);
  uint16_t inputs = 0;
  for (std::size_t n = 0; n < panel.CheckBoxInfoIn.size(); ++n) {
    if (panel.CheckBoxInfoIn[n]) inputs = static_cast<uint16_t>(inputs | (1u << n));
  }
  PutU16(clock + 4, inputs);
  uint8_t outputs = 0;
  for (std::size_t n = 0; n < panel.CheckBoxInfoR.size(); ++n) {
    if (panel.CheckBoxInfoR[n]) outputs = static_cast<uint8_t>(outputs | (1u << n));
  }
  clock[6] = outputs;
}

void ImageToPanel(ConfigurationImage& image, int node, ClockPanel& panel) {
  panel.Label5 = NodeCaption(node);
  for (int row = 1; row <= kSchedulerRows.count; ++row) {
    ShowRow(&image[kSchedulerRows.Offset(row)], row, panel);
  }

  const uint8_t* clock = &image[kClockOffset];
  const int zone = static_cast<int8_t>(clock[0]) + kTimeZoneOffset;
  panel.ComboBoxTimeZone = zone >= 0 ? ComboIndexFromStored(static_cast<unsigned>(zone), TimeZoneItems().size()) : -1;
  panel.CheckBoxDSTEnable = GetBit(clock[1], 0);
  for (std::size_t n = 0; n < panel.CheckBoxInfoIn.size(); ++n) {
    panel.CheckBoxInfoIn[n] = GetBit(clock[4], static_cast<int>(n));
  }
  for (std::size_t n = 0; n < panel.CheckBoxInfoR.size(); ++n) {
    panel.CheckBoxInfoR[n] = GetBit(clock[6], static_cast<int>(n));
  }
}

Controls ListControls(ClockPanel& panel, int /*node*/) {
  Controls controls = {
      LabelControl("Label5", panel.Label5),
      ComboControl("ComboBoxTimeZone", panel.ComboBoxTimeZone, TimeZoneItems()),
      CheckControl("CheckBoxDSTEnable", panel.CheckBoxDSTEnable),
  };
  AddNumbered(controls, "CheckBoxInfoIn", panel.CheckBoxInfoIn,
              [](std::string name, bool& field) { return CheckControl(std::move(name), field); });
  AddNumbered(controls, "CheckBoxInfoR", panel.CheckBoxInfoR,
              [](std::string name, bool& field) { return CheckControl(std::move(name), field); });
  controls.push_back(ReactingGrid(GridControl("StringGrid3", panel.StringGrid3), [&panel](int row, int column) {
    if (column == kSchedulerActionColumn) OnSchedulerActionChanged(panel, row);
  }));
  return controls;
}

void OnSchedulerActionChanged(ClockPanel& panel, int row) {
  if (!IsOutputAction(panel.StringGrid3.Index(row, kSchedulerActionColumn))) {
    panel.StringGrid3.SetIndex(row, kSchedulerReactionColumn, 0);
  }
}

bool SchedulerReactionVisible(const ClockPanel& panel, int row) {
  return IsOutputAction(panel.StringGrid3.Index(row, kSchedulerActionColumn));
}

}  // namespace vkm
