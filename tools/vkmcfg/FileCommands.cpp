#include "FileCommands.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "ControlText.h"
#include "Json.h"
#include "files/ConfigurationFile.h"
#include "model/PanelSet.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

constexpr int kExitUsage = 2;

std::vector<int> NodesStoredInFile() {
  std::vector<int> nodes;
  for (int node = 0; node < kNodeCount; ++node) {
    if (NodeStoredInFile(node)) nodes.push_back(node);
  }
  return nodes;
}

// A section named on the command line, if a file holds its values.
std::optional<int> ParseNode(const std::string& text, std::ostream& err) {
  int node = -1;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), node);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || node < 0 || node >= kNodeCount) {
    err << "vkmcfg: \"" << text << "\" is not a section: sections are numbered 0 to " << kNodeCount - 1 << "\n";
    return std::nullopt;
  }
  if (!NodeStoredInFile(node)) {
    err << "vkmcfg: section " << node << " (" << NodeCaption(node)
        << ") holds nothing in a configuration file\n";
    return std::nullopt;
  }
  return node;
}

std::optional<ConfigurationDocument> Load(const std::string& file, std::ostream& err) {
  ConfigurationDocument document;
  const int result = LoadConfigurationFile(document, file);
  if (result != kLoaded) {
    err << "vkmcfg: " << file << ": " << LoadResultMessage(result) << " (" << result << ")\n";
    return std::nullopt;
  }
  return document;
}

// What every control of every section shows for an image, in a fixed order:
// one entry per control, grids one entry per cell.
struct ShownValue {
  int node;
  std::string control;
  std::string json;
};

std::vector<ShownValue> ShownValues(const ConfigurationImage& image) {
  ConfigurationDocument document;
  document.image = image;
  PanelSet panels;
  std::vector<ShownValue> values;
  for (int node : NodesStoredInFile()) {
    ImageToPanel(document, node, panels);
    for (const ControlRef& control : ListControls(panels, node)) {
      if (!control.shown) continue;
      if (control.kind != ControlKind::Grid) {
        values.push_back({node, control.name, ControlJson(control)});
        continue;
      }
      const Grid& grid = *std::get<Grid*>(control.field);
      for (int row = 1; row <= grid.RowCount(); ++row) {
        for (int column = 0; column < grid.ColumnCount(); ++column) {
          values.push_back({node, control.name + "[" + std::to_string(row) + "][" + std::to_string(column) + "]",
                            CellJson(grid, row, column)});
        }
      }
    }
  }
  return values;
}

std::string Hex(uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

}  // namespace

int NewCommand(const std::string& file, std::ostream& /*out*/, std::ostream& err) {
  if (SaveConfigurationFile(ConfigurationDocument(), file) != 0) {
    err << "vkmcfg: " << file << ": cannot write the file\n";
    return 1;
  }
  return 0;
}

int CheckCommand(const std::string& file, std::ostream& out, std::ostream& /*err*/) {
  ConfigurationDocument document;
  const int result = LoadConfigurationFile(document, file);
  out << result << "\n";
  if (result != kLoaded) out << LoadResultMessage(result) << "\n";
  return result;
}

int ShowCommand(const std::string& file, const std::vector<std::string>& nodeArguments, std::ostream& out,
                std::ostream& err) {
  std::vector<int> nodes;
  for (const std::string& argument : nodeArguments) {
    const std::optional<int> node = ParseNode(argument, err);
    if (!node) return kExitUsage;
    nodes.push_back(*node);
  }
  if (nodes.empty()) nodes = NodesStoredInFile();
  std::optional<ConfigurationDocument> document = Load(file, err);
  if (!document) return kExitUsage;

  PanelSet panels;
  out << "{\n  \"file\": " << JsonString(file) << ",\n  \"nodes\": {";
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const int node = nodes[i];
    ImageToPanel(*document, node, panels);
    out << (i > 0 ? ",\n" : "\n");
    WriteSectionJson(out, node, ListControls(panels, node));
  }
  out << "\n  }\n}\n";
  return 0;
}

int SetCommand(const std::string& file, const std::string& nodeArgument, const std::vector<std::string>& assignments,
               std::ostream& /*out*/, std::ostream& err) {
  const std::optional<int> node = ParseNode(nodeArgument, err);
  if (!node) return kExitUsage;
  std::optional<ConfigurationDocument> document = Load(file, err);
  if (!document) return kExitUsage;

  PanelSet panels;
  ImageToPanel(*document, *node, panels);
  if (const std::optional<std::string> problem = SetControls(ListControls(panels, *node), assignments)) {
    err << "vkmcfg: section " << *node << " (" << NodeCaption(*node) << "): " << *problem << "\n";
    return kExitUsage;
  }
  PanelToImage(panels, *node, *document);
  if (SaveConfigurationFile(*document, file) != 0) {
    err << "vkmcfg: " << file << ": cannot write the file\n";
    return 1;
  }
  return 0;
}

int DiffCommand(const std::string& file1, const std::string& file2, std::ostream& out, std::ostream& err) {
  const std::optional<ConfigurationDocument> first = Load(file1, err);
  const std::optional<ConfigurationDocument> second = Load(file2, err);
  if (!first || !second) return kExitUsage;
  const ConfigurationImage& image1 = first->image;
  const ConfigurationImage& image2 = second->image;
  if (image1 == image2) return 0;

  const std::vector<ShownValue> shown1 = ShownValues(image1);
  const std::vector<ShownValue> shown2 = ShownValues(image2);
  for (std::size_t i = 0; i < shown1.size(); ++i) {
    if (shown1[i].json != shown2[i].json) {
      out << shown1[i].node << " " << NodeCaption(shown1[i].node) << " " << shown1[i].control << ": "
          << shown1[i].json << " -> " << shown2[i].json << "\n";
    }
  }

  // A differing byte is shown by a panel when taking it over from the other
  // image, in either direction, changes what some control shows.
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    if (image1[offset] == image2[offset]) continue;
    ConfigurationImage probe1 = image1;
    probe1[offset] = image2[offset];
    ConfigurationImage probe2 = image2;
    probe2[offset] = image1[offset];
    const bool shown = [&] {
      const std::vector<ShownValue> values1 = ShownValues(probe1);
      const std::vector<ShownValue> values2 = ShownValues(probe2);
      for (std::size_t i = 0; i < shown1.size(); ++i) {
        if (values1[i].json != shown1[i].json || values2[i].json != shown2[i].json) return true;
      }
      return false;
    }();
    if (!shown) out << "reserved " << offset << ": " << Hex(image1[offset]) << " -> " << Hex(image2[offset]) << "\n";
  }
  return 1;
}

}  // namespace vkm
