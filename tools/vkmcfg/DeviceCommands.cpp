#include "DeviceCommands.h"

#include <optional>

#include "ControlText.h"
#include "Json.h"
#include "files/ConfigurationFile.h"
#include "link/DeviceActions.h"
#include "model/ImageEncoding.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

// A document holding the password the actions are to send; files never
// hold one.
ConfigurationDocument DocumentWithPassword(const DeviceOptions& options) {
  ConfigurationDocument document;
  StoreText(&document.image[kAdminPasswordOffset], kAdminPasswordSize, options.password);
  return document;
}

std::optional<ConfigurationDocument> LoadWithPassword(const DeviceOptions& options, const std::string& file,
                                                      std::ostream& err) {
  ConfigurationDocument document;
  const int result = LoadConfigurationFile(document, file);
  if (result != kLoaded) {
    err << "vkmcfg: " << file << ": " << LoadResultMessage(result) << " (" << result << ")\n";
    return std::nullopt;
  }
  StoreText(&document.image[kAdminPasswordOffset], kAdminPasswordSize, options.password);
  return document;
}

// Runs an action on a document loaded from `file`.
template <class Action>
int RunOnFile(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err,
              Action action) {
  std::optional<ConfigurationDocument> document = LoadWithPassword(options, file, err);
  if (!document) return 1;
  ConsoleFrontEnd frontEnd(options.console, *document, out, err);
  DeviceActions actions(*document, frontEnd);
  return action(actions) ? 0 : 1;
}

}  // namespace

int IdentifyCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err) {
  ConfigurationDocument document = DocumentWithPassword(options);
  ConsoleFrontEnd frontEnd(options.console, document, out, err);
  DeviceActions actions(document, frontEnd);
  const IdentifyOutcome outcome = actions.IdentifyController(StatusTarget::ActionName);
  for (const auto& [label, text] : actions.Identity().Labels()) {
    out << label.toStdString() << ": " << text.toStdString() << "\n";
  }
  return outcome == IdentifyOutcome::Supported ? 0 : 1;
}

int ReadCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err) {
  ConfigurationDocument document = DocumentWithPassword(options);
  ConsoleFrontEnd frontEnd(options.console, document, out, err);
  DeviceActions actions(document, frontEnd);
  const ReadOutcome outcome = actions.ReadConf();
  if (outcome == ReadOutcome::Failed) return 1;
  if (SaveConfigurationFile(document, file) != 0) {
    err << "vkmcfg: " << file << ": cannot write the file\n";
    return 1;
  }
  return outcome == ReadOutcome::Read ? 0 : 1;
}

int ProgramCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err) {
  return RunOnFile(options, file, out, err, [](DeviceActions& actions) { return actions.Programm(); });
}

int ReconfigureCommand(const DeviceOptions& options, const std::string& file, std::ostream& out,
                       std::ostream& err) {
  return RunOnFile(options, file, out, err, [](DeviceActions& actions) { return actions.Reconfigurate(); });
}

int CompareCommand(const DeviceOptions& options, const std::string& file, std::ostream& out, std::ostream& err) {
  return RunOnFile(options, file, out, err, [](DeviceActions& actions) { return actions.CompareConf(); });
}

int RestartCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err) {
  ConfigurationDocument document = DocumentWithPassword(options);
  ConsoleFrontEnd frontEnd(options.console, document, out, err);
  return DeviceActions(document, frontEnd).Reset() ? 0 : 1;
}

int FactoryResetCommand(const DeviceOptions& options, std::ostream& out, std::ostream& err) {
  ConfigurationDocument document = DocumentWithPassword(options);
  ConsoleFrontEnd frontEnd(options.console, document, out, err);
  return DeviceActions(document, frontEnd).FactoryConfig() ? 0 : 1;
}

int SystemParametersCommand(const DeviceOptions& options, const std::vector<std::string>& assignments,
                            std::ostream& out, std::ostream& err) {
  ConfigurationDocument document = DocumentWithPassword(options);
  ConsoleFrontEnd frontEnd(options.console, document, out, err);
  frontEnd.SelectSection(kNodeSystemParameters);
  DeviceActions actions(document, frontEnd);
  if (!actions.ReadSystemParameters()) return 1;

  const Controls controls = ListControls(frontEnd.Panels(), kNodeSystemParameters);
  out << "{\n  \"port\": " << JsonString(options.console.port.toStdString()) << ",\n  \"nodes\": {\n";
  WriteSectionJson(out, kNodeSystemParameters, controls);
  out << "\n  }\n}\n";
  if (assignments.empty()) return 0;

  if (const std::optional<std::string> problem = SetControls(controls, assignments)) {
    err << "vkmcfg: section " << kNodeSystemParameters << " (" << NodeCaption(kNodeSystemParameters)
        << "): " << *problem << "\n";
    return 2;
  }
  return actions.ProgramSystemParameters() ? 0 : 1;
}

}  // namespace vkm
