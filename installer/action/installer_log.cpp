#include "installer/action/installer_log.h"

#include <msiquery.h>

namespace installer {

void LogLine(MSIHANDLE install, const std::string& prefix, const std::string& line) {
  MSIHANDLE record = MsiCreateRecord(0);
  if (!record) return;
  // Field 0 is a formatted template: brackets ("[POSPrinter\x]") are
  // escaped so they are not taken for properties.
  std::string text;
  for (char c : prefix + line) {
    if (c == '[' || c == ']' || c == '{' || c == '}') {
      text += std::string("[\\") + c + "]";
    } else {
      text += c;
    }
  }
  MsiRecordSetStringA(record, 0, text.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
  MsiCloseHandle(record);
}

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

}  // namespace installer
