// "devsetup /import": applies a device set-up file to one registry view and
// to setup.inf with the dialogs' rules, all or nothing. Check() finds every
// problem without writing; Apply() writes only what Check() passed.
//
// A device the registry already holds is updated value by value, as the
// port settings and drawer dialogs update it; a new one first gets the
// initial values the wizard (printers, displays) or the drawer dialog
// writes, from this till's setup data files, then the file's values. The
// LDN mapping in the class key follows each device's "LDN" value.
#pragma once

#include <string>
#include <vector>

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "common/setup_file.h"

namespace devsetup {

class CSetupImporter {
 public:
  // replace: the package's devices of this view that the file does not
  // hold are removed first.
  CSetupImporter(const CRegistryAccess& reg, const setup_file::SetupFile& file, bool replace);

  // Checks the file as a new till with this till's package would: no
  // device of the file exists there yet and none other stays, so each one
  // gets the initial values of its model. Only Check() may be called.
  static CSetupImporter ForNewTill(const CRegistryAccess& reg, const setup_file::SetupFile& file);

  // One line per problem, naming the file line, device and value. True
  // when there is none.
  bool Check(std::vector<std::string>* problems);
  // False with *failure when a class key the set-up writes can't be
  // written (no administrator rights); call after Check() passed. What it
  // tries leaves no value behind.
  bool CanWrite(std::string* failure) const;
  // Writes the set-up; call after Check() passed. False when the registry
  // refused a write: before the first change when it can't be written at
  // all (nothing written), else part way.
  bool Apply(std::string* failure);

 private:
  struct Planned {
    const setup_file::Device* device = nullptr;
    bool exists = false;
    std::vector<RegistryValue> initial;    // written first for a new device
    std::vector<RegistryValue> effective;  // the entry once written
  };

  void CheckPorts(std::vector<std::string>* problems);
  void PlanDevice(const setup_file::Device& device, std::vector<std::string>* problems);
  bool Removed(device_rules::DeviceClass deviceClass, const std::string& name) const;
  bool InFile(device_rules::DeviceClass deviceClass, const std::string& name) const;
  // Devices of the class that stay as the registry holds them.
  std::vector<std::string> Staying(device_rules::DeviceClass deviceClass) const;
  void CheckPort(const Planned& plan, std::vector<std::string>* problems) const;
  void CheckSharing(device_rules::DeviceClass deviceClass, std::vector<std::string>* problems) const;
  void CheckDrawerPrinter(const Planned& plan, std::vector<std::string>* problems) const;

  const CRegistryAccess& reg_;
  const setup_file::SetupFile& file_;
  bool replace_;
  bool newTill_ = false;
  std::string installDir_;
  int32_t serialCount_ = 4;
  int32_t parallelCount_ = 2;
  std::vector<Planned> plans_;
};

// The text of a value of an effective entry ("" when absent or not text).
std::string EntryText(const std::vector<RegistryValue>& values, const std::string& name);

}  // namespace devsetup
