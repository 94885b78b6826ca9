#include "scratch_registry.h"

#include <vector>

#include "e2e_setup.h"

namespace {

const char kPrinterRoot[] = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\";
const char kServiceInfo[] = "Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS";

std::string EntryPath(const std::string& name) { return kPrinterRoot + name; }

bool ReadText(HKEY key, const char* value, std::string* text) {
  char buffer[1024];
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  buffer[size] = '\0';
  *text = buffer;
  return true;
}

void WriteText(HKEY key, const char* value, const std::string& text) {
  RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

// Copies every value (the default one included) of one key to another.
void CopyValues(HKEY from, HKEY to) {
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    std::vector<BYTE> data(2048);
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(from, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    RegSetValueExA(to, name, 0, type, data.data(), dataSize);
  }
}

}  // namespace

ScratchDeviceEntry::ScratchDeviceEntry(const std::string& name) : name_(name) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, EntryPath(name_).c_str());
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, EntryPath(name_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                      nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  HKEY rig = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EntryPath(Rig().device).c_str(), 0, KEY_READ, &rig) == ERROR_SUCCESS) {
    CopyValues(rig, key_);
    RegCloseKey(rig);
  }
}

ScratchDeviceEntry::~ScratchDeviceEntry() {
  if (key_) RegCloseKey(key_);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, EntryPath(name_).c_str());
}

void ScratchDeviceEntry::SetText(const char* value, const std::string& text) {
  if (key_) WriteText(key_, value, text);
}

void ScratchDeviceEntry::SetNumber(const char* value, DWORD number) {
  if (key_) RegSetValueExA(key_, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void ScratchDeviceEntry::Remove(const char* value) {
  if (key_) RegDeleteValueA(key_, value);
}

ServiceInfoValue::ServiceInfoValue(const char* value) : value_(value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceInfo, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    existed_ = ReadText(key, value_.c_str(), &saved_);
    RegCloseKey(key);
  }
}

ServiceInfoValue::~ServiceInfoValue() {
  if (existed_) {
    SetText(saved_);
  } else {
    Remove();
  }
}

void ServiceInfoValue::SetText(const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceInfo, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    WriteText(key, value_.c_str(), text);
    RegCloseKey(key);
  }
}

void ServiceInfoValue::Remove() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceInfo, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, value_.c_str());
    RegCloseKey(key);
  }
}

ScratchProfile::ScratchProfile(const std::string& fileName) {
  char folder[MAX_PATH];
  DWORD n = GetTempPathA(sizeof folder, folder);
  if (n == 0 || n >= sizeof folder) return;
  path_ = std::string(folder) + fileName;
  ready_ = CopyFileA(RigEntryText("inf").c_str(), path_.c_str(), FALSE) != 0;
}

ScratchProfile::~ScratchProfile() {
  if (!path_.empty()) DeleteFileA(path_.c_str());
}

void ScratchProfile::Set(const char* section, const char* key, const char* text) {
  WritePrivateProfileStringA(section, key, text, path_.c_str());
}

std::string RigEntryText(const char* value) {
  std::string text;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EntryPath(Rig().device).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    ReadText(key, value, &text);
    RegCloseKey(key);
  }
  return text;
}
