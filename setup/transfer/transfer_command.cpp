#include "setup/transfer/transfer_command.h"

#include <fstream>
#include <iterator>
#include <set>

#include "common/registry_access.h"
#include "common/setup_export.h"
#include "common/setup_file.h"
#include "common/trace.h"
#include "setup/transfer/setup_import.h"
#include "setup/transfer/value_settings.h"

namespace devsetup {
namespace {

using platform::RegView;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsSwitch(const std::string& arg, const char* name) {
  return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-') && Lower(arg.substr(1)) == name;
}

const char* ViewName(RegView view) { return view == RegView::k64 ? "64-bit" : "32-bit"; }

// Lines to the console and the trace log; the log's level 1 keeps the
// "Error " and "End " lines.
class Reporter {
 public:
  Reporter(ITransferOutput& output, const char* verb) : output_(output), verb_(verb) {}
  void Info(const std::string& line) {
    output_.Out(line);
    Trace("%s: %s", verb_, line.c_str());
  }
  void Problem(const std::string& line) {
    output_.Err(line);
    Trace("Error %s: %s", verb_, line.c_str());
  }
  int End(int code) {
    Trace("End %s = %d", verb_, code);
    return code;
  }

 private:
  ITransferOutput& output_;
  const char* verb_;
};

// Switches the registry view for a scope.
class ViewScope {
 public:
  explicit ViewScope(RegView view) : previous_(platform::CurrentRegistryView()) { platform::SetRegistryView(view); }
  ~ViewScope() { platform::SetRegistryView(previous_); }
  ViewScope(const ViewScope&) = delete;
  ViewScope& operator=(const ViewScope&) = delete;

 private:
  RegView previous_;
};

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // One byte past the bound is enough to refuse a file as too large.
  std::string data;
  data.resize(setup_file::kMaxFileBytes + 1);
  in.read(&data[0], static_cast<std::streamsize>(data.size()));
  if (in.bad()) return false;
  data.resize(static_cast<size_t>(in.gcount()));
  *bytes = std::move(data);
  return true;
}

// What the import of a new till with this package says of the written
// file, read back as that till reads it; nothing when it would take it.
std::vector<std::string> NewTillRefusals(const std::string& text, RegView view) {
  setup_file::SetupFile written;
  std::vector<std::string> problems;
  if (!setup_file::Parse(text, &written, &problems)) return problems;
  ViewScope scope(view);
  CRegistryAccess reg;
  CSetupImporter::ForNewTill(reg, written).Check(&problems);
  return problems;
}

int RunExport(const TransferCommand& command, Reporter& report) {
  const RegView view = command.views.front();
  setup_file::SetupFile file;
  {
    ViewScope scope(view);
    file = setup_export::Export(CRegistryAccess());
  }
  std::string text;
  std::vector<std::string> problems;
  if (!setup_file::Write(file, &text, &problems)) {
    for (const std::string& p : problems) report.Problem(p);
    return report.End(kExitFailed);
  }
  std::ofstream out(command.file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    report.Problem("can't write " + command.file);
    return report.End(kExitFailed);
  }
  report.Info("exported " + std::to_string(file.devices.size()) + " devices of the " + ViewName(view) +
              " registry view to " + command.file);
  const std::vector<std::string> refusals = NewTillRefusals(text, view);
  if (refusals.empty()) return report.End(kExitDone);
  for (const std::string& p : refusals) report.Problem(command.file + ": " + p);
  report.Problem("the file was written, but a new till's import refuses it until these entries are mended");
  return report.End(kExitFailed);
}

int RunImport(const TransferCommand& command, Reporter& report) {
  std::string bytes;
  if (!ReadWholeFile(command.file, &bytes)) {
    report.Problem("can't read " + command.file);
    return report.End(kExitFailed);
  }
  setup_file::SetupFile file;
  std::vector<std::string> problems;
  std::vector<ValueSetting> settings;
  if (setup_file::Parse(bytes, &file, &problems)) {
    for (const std::string& argument : command.settings) {
      ValueSetting setting;
      std::string problem;
      if (ParseSetting(argument, &setting, &problem)) {
        settings.push_back(setting);
      } else {
        problems.push_back(problem);
      }
    }
    ApplySettings(settings, &file, &problems);
  }
  // Every view is checked before any is written.
  std::set<std::string> seen(problems.begin(), problems.end());
  for (size_t i = 0; problems.empty() && i < command.views.size(); ++i) {
    ViewScope scope(command.views[i]);
    CRegistryAccess reg;
    std::vector<std::string> viewProblems;
    CSetupImporter(reg, file, command.replace).Check(&viewProblems);
    for (const std::string& p : viewProblems) {
      if (!seen.insert(p).second) continue;
      problems.push_back(i > 0 ? std::string(ViewName(command.views[i])) + " registry view: " + p : p);
    }
  }
  if (!problems.empty()) {
    for (const std::string& p : problems) report.Problem(command.file + ": " + p);
    report.Problem("the file was refused; nothing was written");
    return report.End(kExitRefused);
  }
  // Every view is found writable before any is written, so a view that
  // refuses the import leaves the others as they were; then each is written.
  for (const bool write : {false, true}) {
    for (RegView view : command.views) {
      ViewScope scope(view);
      CRegistryAccess reg;
      CSetupImporter importer(reg, file, command.replace);
      std::vector<std::string> again;
      std::string failure;
      if (!importer.Check(&again) || !(write ? importer.Apply(&failure) : importer.CanWrite(&failure))) {
        report.Problem(std::string(ViewName(view)) + " registry view: " +
                       (failure.empty() ? "the registry changed during the import" : failure));
        return report.End(kExitFailed);
      }
      if (write) {
        report.Info("imported " + std::to_string(file.devices.size()) + " devices into the " + ViewName(view) +
                    " registry view");
      }
    }
  }
  return report.End(kExitDone);
}

}  // namespace

std::vector<RegView> DefaultViews(TransferAction action) {
  if (action == TransferAction::kImport && platform::NativeRegistryView() == RegView::k64) {
    return {RegView::k64, RegView::k32};
  }
  return {platform::NativeRegistryView()};
}

std::string TransferUsage() {
  return "usage: devsetup /export FILE [/view 64|32]\n"
         "       devsetup /import FILE [/replace] [/set CLASS\\DEVICE:VALUE=DATA]... [/view 64|32]";
}

bool ParseTransferCommand(const std::vector<std::string>& args, TransferCommand* command, std::string* error) {
  TransferCommand c;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    if ((IsSwitch(arg, "export") || IsSwitch(arg, "import")) && hasNext && c.action == TransferAction::kWindow) {
      c.action = IsSwitch(arg, "export") ? TransferAction::kExport : TransferAction::kImport;
      c.file = args[++i];
    } else if (IsSwitch(arg, "replace")) {
      c.replace = true;
    } else if (IsSwitch(arg, "set") && hasNext) {
      c.settings.push_back(args[++i]);
    } else if (IsSwitch(arg, "view") && hasNext && (args[i + 1] == "64" || args[i + 1] == "32") && c.views.empty()) {
      c.views.push_back(args[++i] == "64" ? RegView::k64 : RegView::k32);
    } else {
      *error = "\"" + arg + "\" is not understood" + (hasNext ? "" : " (or its argument is missing)");
      return false;
    }
  }
  if (c.action != TransferAction::kImport && (c.replace || !c.settings.empty())) {
    *error = "/replace and /set go with /import";
    return false;
  }
  if (c.action == TransferAction::kWindow && !c.views.empty()) {
    *error = "/view goes with /export or /import";
    return false;
  }
  if (c.views.empty() && c.action != TransferAction::kWindow) c.views = DefaultViews(c.action);
  *command = c;
  return true;
}

int RunTransfer(const TransferCommand& command, ITransferOutput& output) {
  Reporter report(output, command.action == TransferAction::kExport ? "export" : "import");
  if (command.views.empty() || command.file.empty()) {
    report.Problem(TransferUsage());
    return report.End(kExitFailed);
  }
  return command.action == TransferAction::kExport ? RunExport(command, report) : RunImport(command, report);
}

}  // namespace devsetup
