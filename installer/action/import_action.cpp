// devsetupca.dll: the package's custom action. A silent installation with
// DEVICECONFIG=FILE (and DEVICESET="CLASS\DEVICE:VALUE=DATA;...") imports
// the set-up file once the files and ServiceInfo values are in place, with
// the same code and rules as "devsetup /import". Its lines go to the
// installer log; a refused file fails the installation, which then rolls
// back, so nothing stays installed.
//
// CustomActionData: FILE, '|', the DEVICESET list.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "common/registry_access.h"
#include "common/trace_log.h"
#include "installer/action/installer_log.h"
#include "setup/transfer/transfer_command.h"

namespace {

class CInstallerLog : public devsetup::ITransferOutput {
 public:
  explicit CInstallerLog(MSIHANDLE install) : install_(install) {}
  void Out(const std::string& line) override { installer::LogLine(install_, "devsetup import: ", line); }
  void Err(const std::string& line) override { installer::LogLine(install_, "devsetup import: ", line); }

 private:
  MSIHANDLE install_;
};

std::vector<std::string> SplitSettings(const std::string& list) {
  std::vector<std::string> settings;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    const std::string item = list.substr(start, end - start);
    if (item.find_first_not_of(' ') != std::string::npos) settings.push_back(item);
    start = end + 1;
  }
  return settings;
}

UINT Import(MSIHANDLE install) {
  const std::string data = installer::Property(install, "CustomActionData");
  const size_t bar = data.find('|');
  devsetup::TransferCommand command;
  command.action = devsetup::TransferAction::kImport;
  command.file = data.substr(0, bar);
  if (bar != std::string::npos) command.settings = SplitSettings(data.substr(bar + 1));
  command.views = devsetup::DefaultViews(command.action);
  InstallTraceLog(ReadTraceLogSettings(CRegistryAccess()));
  CInstallerLog log(install);
  const int code = devsetup::RunTransfer(command, log);
  return code == devsetup::kExitDone ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}

}  // namespace

extern "C" UINT __stdcall ImportDeviceSetup(MSIHANDLE install) {
  try {
    return Import(install);
  } catch (...) {
    return ERROR_INSTALL_FAILURE;
  }
}
