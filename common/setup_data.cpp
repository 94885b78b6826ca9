#include "common/setup_data.h"

#include <algorithm>

#include "common/profile.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"

namespace setup_data {
namespace {

constexpr char kDescriptionSection[] = "Description";
constexpr char kCashDrawerSection[] = "CashDrawer";
constexpr int kMaxModels = 255;

std::string SetupInf(const std::string& installDir) { return DataFilePath(installDir, kSetupInf); }

// A string key counts only when its value is non-empty.
bool ReadRequired(const std::string& file, const std::string& section, const char* key, std::string* out) {
  *out = ReadProfileString(file, section, key, "");
  return !out->empty();
}

int32_t ReadCount(const std::string& installDir, const char* key, int32_t fallback) {
  const int32_t count = ReadProfileInt(SetupInf(installDir), kDescriptionSection, key, fallback);
  return std::clamp(count, int32_t{0}, kMaxPortCount);
}

bool UsableModelName(const std::string& model) {
  return !model.empty() && model.find_first_of("\\/") == std::string::npos;
}

}  // namespace

bool ReadInstallDir(const CRegistryAccess& reg, std::string* folder) {
  return reg.ReadString(schema::kServiceInfoKey, schema::kInstalldir, folder);
}

std::string DataFilePath(const std::string& installDir, const std::string& fileName) {
  return installDir + "\\" + fileName;
}

std::string CapabilityProfilePath(const std::string& installDir, const std::string& model) {
  return installDir + "\\" + model + ".inf";
}

std::string ReadVersionDescription(const std::string& installDir) {
  return ReadProfileString(SetupInf(installDir), kDescriptionSection, "VersionDescription", "");
}

bool ReadVersion(const std::string& installDir, std::string* version) {
  return ReadRequired(SetupInf(installDir), kDescriptionSection, "Version", version);
}

int32_t ReadComRange(const std::string& installDir) { return ReadCount(installDir, "COMRange", 4); }
int32_t ReadLptRange(const std::string& installDir) { return ReadCount(installDir, "LPTRange", 2); }
int32_t ReadLptmRange(const std::string& installDir) { return ReadCount(installDir, "LPTMRange", 4); }

bool WriteComRange(const std::string& installDir, int32_t count) {
  return WriteProfileString(SetupInf(installDir), kDescriptionSection, "COMRange", std::to_string(count));
}

bool WriteLptRange(const std::string& installDir, int32_t count) {
  return WriteProfileString(SetupInf(installDir), kDescriptionSection, "LPTRange", std::to_string(count));
}

bool WriteLptmRange(const std::string& installDir, int32_t count) {
  return WriteProfileString(SetupInf(installDir), kDescriptionSection, "LPTMRange", std::to_string(count));
}

std::vector<std::string> ReadModelList(const std::string& installDir, ModelClass modelClass) {
  const bool printer = modelClass == ModelClass::kPrinter;
  const char* section = printer ? "READPOSPRINTER" : "READDISPLAY";
  const std::string prefix = printer ? "READPrinter" : "READDisplay";
  const std::string file = SetupInf(installDir);
  std::vector<std::string> models;
  for (int i = 1; i <= kMaxModels; ++i) {
    std::string name = ReadProfileString(file, section, prefix + std::to_string(i), "");
    if (name.empty()) break;
    models.push_back(std::move(name));
  }
  return models;
}

bool ReadModelInfo(const std::string& installDir, ModelClass modelClass, const std::string& model,
                   ModelInfo* info) {
  if (!UsableModelName(model)) return false;
  const std::string file =
      DataFilePath(installDir, modelClass == ModelClass::kPrinter ? kPosPrnInf : kPosDispInf);
  ModelInfo read;
  if (!ReadRequired(file, model, "DeviceDesc", &read.deviceDesc) ||
      !ReadRequired(file, model, "SOName", &read.soName) ||
      !ReadRequired(file, model, "Description", &read.description) ||
      !ReadRequired(file, model, "Vid", &read.vid) || !ReadRequired(file, model, "Pid", &read.pid)) {
    return false;
  }
  read.type = ReadProfileInt(file, model, "TYPE", 4);
  read.port = ReadProfileInt(file, model, "PORT", 4);
  read.modelCode = ReadProfileInt(file, model, "MODELCODE", 4);
  *info = std::move(read);
  return true;
}

bool ReadCashDrawerInfo(const std::string& installDir, CashDrawerInfo* info) {
  const std::string file = DataFilePath(installDir, kPosCashInf);
  CashDrawerInfo read;
  if (!ReadRequired(file, kCashDrawerSection, "DeviceDesc", &read.deviceDesc) ||
      !ReadRequired(file, kCashDrawerSection, "SOName", &read.soName) ||
      !ReadRequired(file, kCashDrawerSection, "Description", &read.description)) {
    return false;
  }
  *info = std::move(read);
  return true;
}

PortInterfaces InterfacesForPortType(int32_t portType) {
  switch (portType) {
    case 1: return {true, false, false, false};
    case 2: return {true, true, false, false};
    case 5: return {true, true, false, true};
    default: return {};
  }
}

}  // namespace setup_data
