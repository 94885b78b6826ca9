// Registry and profile changes a test makes in the run's Wine prefix and
// takes back when the object goes: a scratch printer entry copied from the
// run's own device entry, one value of the ServiceInfo key, and a copy of
// the run's capability profile with keys changed. Test thread only.
#pragma once

#include <windows.h>

#include <string>

// HKLM\Software\OLEforRetail\ServiceOPOS\POSPrinter\<name>, holding the
// values of the run's device entry until a test changes them.
class ScratchDeviceEntry {
 public:
  explicit ScratchDeviceEntry(const std::string& name);
  ~ScratchDeviceEntry();
  ScratchDeviceEntry(const ScratchDeviceEntry&) = delete;
  ScratchDeviceEntry& operator=(const ScratchDeviceEntry&) = delete;

  const std::string& Name() const { return name_; }
  bool Ready() const { return key_ != nullptr; }
  void SetText(const char* value, const std::string& text);
  void SetNumber(const char* value, DWORD number);
  void Remove(const char* value);

 private:
  std::string name_;
  HKEY key_ = nullptr;
};

// One value of HKLM\Software\OLEforRetail\ServiceInfo\Tavo OPOS, changed
// or removed; the old value (or its absence) comes back at destruction.
class ServiceInfoValue {
 public:
  explicit ServiceInfoValue(const char* value);
  ~ServiceInfoValue();
  ServiceInfoValue(const ServiceInfoValue&) = delete;
  ServiceInfoValue& operator=(const ServiceInfoValue&) = delete;

  void SetText(const std::string& text);
  void Remove();

 private:
  std::string value_;
  bool existed_ = false;
  std::string saved_;
};

// A copy of the profile named by the run's device entry ("inf"), in the
// temporary folder; deleted at destruction.
class ScratchProfile {
 public:
  explicit ScratchProfile(const std::string& fileName);
  ~ScratchProfile();
  ScratchProfile(const ScratchProfile&) = delete;
  ScratchProfile& operator=(const ScratchProfile&) = delete;

  const std::string& Path() const { return path_; }
  bool Ready() const { return ready_; }
  void Set(const char* section, const char* key, const char* text);

 private:
  std::string path_;
  bool ready_ = false;
};

// A text value of the run's own device entry ("" when missing).
std::string RigEntryText(const char* value);
