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
#include "setup/transfer/transfer_command.h"

namespace {

class CInstallerLog : public devsetup::ITransferOutput {
 public:
  explicit CInstallerLog(MSIHANDLE install) : install_(install) {}
  void Out(const std::string& line) override { Log(line); }
  void Err(const std::string& line) override { Log(line); }

 private:
  void Log(const std::string& line) {
    MSIHANDLE record = MsiCreateRecord(0);
    if (!record) return;
    // Field 0 is a formatted template: brackets ("[POSPrinter\x]") are
    // escaped so they are not taken for properties.
    std::string text;
    for (char c : "devsetup import: " + line) {
      if (c == '[' || c == ']' || c == '{' || c == '}') {
        text += std::string("[\\") + c + "]";
      } else {
        text += c;
      }
    }
    MsiRecordSetStringA(record, 0, text.c_str());
    MsiProcessMessage(install_, INSTALLMESSAGE_INFO, record);
    MsiCloseHandle(record);
  }
  MSIHANDLE install_;
};

std::string Property(MSIHANDLE install, const char* name) {
  DWORD size = 0;
  char none[1] = {};
  if (MsiGetPropertyA(install, name, none, &size) != ERROR_MORE_DATA) return "";
  std::string value(size + 1, '\0');
  DWORD got = size + 1;
  if (MsiGetPropertyA(install, name, &value[0], &got) != ERROR_SUCCESS) return "";
  value.resize(got);
  return value;
}

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
  const std::string data = Property(install, "CustomActionData");
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
