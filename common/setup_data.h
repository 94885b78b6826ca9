// Readers (and the two writers) of the package's setup data files in the
// installation folder: setup.inf, posprn.inf, posdisp.inf, poscash.inf.
// Every call opens the file by its full path at that moment; nothing is
// cached, so a value written by one dialog is seen by the next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRegistryAccess;

namespace setup_data {

inline constexpr char kSetupInf[] = "setup.inf";
inline constexpr char kPosPrnInf[] = "posprn.inf";
inline constexpr char kPosDispInf[] = "posdisp.inf";
inline constexpr char kPosCashInf[] = "poscash.inf";

enum class ModelClass { kPrinter = 1, kLineDisplay = 2 };

// "Installdir" of the package's ServiceInfo key; false (folder left as it
// was) when it can't be read.
bool ReadInstallDir(const CRegistryAccess& reg, std::string* folder);
// The folder, a backslash and the file name. With the folder unknown ("")
// this degrades to "\" + name, which reads as a missing file.
std::string DataFilePath(const std::string& installDir, const std::string& fileName);
// The model's capability profile: folder, "\", model name, ".inf".
std::string CapabilityProfilePath(const std::string& installDir, const std::string& model);

// setup.inf, section "Description".
std::string ReadVersionDescription(const std::string& installDir);   // "" when missing
bool ReadVersion(const std::string& installDir, std::string* version);  // false when missing or empty
// Port counts, limited to 0..kMaxPortCount so a damaged file can't make a
// dialog list ports without end.
inline constexpr int32_t kMaxPortCount = 255;
// The counts the port range dialog offers and an import takes.
struct PortRange {
  int32_t low;
  int32_t high;
};
inline constexpr PortRange kSerialRange{1, 50};
// The up-down control, its label and the check on saving agree on 1 to 10.
inline constexpr PortRange kParallelRange{1, 10};
// The range for a [Ports] key: serial for "COMRange", parallel for the
// LPT counts.
inline PortRange PortKeyRange(std::string_view key) { return key == "COMRange" ? kSerialRange : kParallelRange; }
int32_t ReadComRange(const std::string& installDir);   // "COMRange", default 4
int32_t ReadLptRange(const std::string& installDir);   // "LPTRange", default 2 (port range dialog)
int32_t ReadLptmRange(const std::string& installDir);  // "LPTMRange", default 4 (port settings dialog)
bool WriteComRange(const std::string& installDir, int32_t count);
bool WriteLptRange(const std::string& installDir, int32_t count);
bool WriteLptmRange(const std::string& installDir, int32_t count);

// The model list of a class, in the order of its numbers: READPrinter1,
// READPrinter2, ... (READDisplay%d for displays), ending at the first
// missing or empty number, never past 255.
std::vector<std::string> ReadModelList(const std::string& installDir, ModelClass modelClass);

// A model's section of posprn.inf or posdisp.inf.
struct ModelInfo {
  std::string deviceDesc;
  std::string soName;
  std::string description;
  std::string vid;
  std::string pid;
  int32_t type = 4;
  int32_t port = 4;
  int32_t modelCode = 4;
};
// False when a required string ("DeviceDesc", "SOName", "Description",
// "Vid", "Pid") is missing or empty, or when the model name can't serve as
// a registry key name and file name (empty, or holding '\' or '/').
bool ReadModelInfo(const std::string& installDir, ModelClass modelClass, const std::string& model,
                   ModelInfo* info);

// Section "CashDrawer" of poscash.inf; false when any of the three is missing.
struct CashDrawerInfo {
  std::string deviceDesc;
  std::string soName;
  std::string description;
};
bool ReadCashDrawerInfo(const std::string& installDir, CashDrawerInfo* info);

// Interfaces a model's "PORT" value offers: 1 serial; 2 serial, parallel;
// 5 serial, parallel, Ethernet; anything else all four.
struct PortInterfaces {
  bool serial = true;
  bool parallel = true;
  bool usb = true;
  bool ethernet = true;
};
PortInterfaces InterfacesForPortType(int32_t portType);

}  // namespace setup_data
