// The dialogs' tests: an empty registry with "Installdir" naming a
// temporary folder of setup data files, a scripted message box, and a
// Control Object that logs the calls it gets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"
#include "platform/registry_test_support.h"
#include "setup/hosting/control_object.h"
#include "tests/setup/message_box_script.h"
#include "tests/support/temp_folder.h"

namespace dialog_test {

using device_rules::DeviceClass;
using device_rules::DeviceKeyPath;

inline const char kSetupInf[] =
    "[Description]\r\nVersion=1.9.3\r\nCOMRange=3\r\nLPTRange=2\r\n"
    "[READPOSPRINTER]\r\nREADPrinter1=TavoPOS-R200\r\nREADPrinter2=TavoPOS-R300\r\n";
inline const char kPosPrnInf[] =
    "[TavoPOS-R200]\r\nDeviceDesc=Receipt\r\nSOName=Tavo.POSPrinter.ServiceObject.1.9\r\nDescription=SO\r\n"
    "Vid=FAB0\r\nPid=2016\r\nTYPE=1\r\nPORT=4\r\nMODELCODE=1\r\n"
    "[TavoPOS-R300]\r\nDeviceDesc=Two colour\r\nSOName=Tavo.POSPrinter.ServiceObject.1.9\r\nDescription=SO\r\n"
    "Vid=FAB0\r\nPid=2017\r\nTYPE=2\r\nPORT=1\r\nMODELCODE=1\r\n";
inline const char kPosCashInf[] =
    "[CashDrawer]\r\nDeviceDesc=Drawer\r\nSOName=Tavo.CashDrawer.ServiceObject1.9\r\nDescription=Drawer SO\r\n";

class ControlLog : public IOposControl {
 public:
  int32_t Open(const std::string& name) override { return Log("Open " + name, openResult); }
  int32_t ClaimDevice(int32_t ms) override { return Log("Claim " + std::to_string(ms), claimResult); }
  void SetDeviceEnabled(bool on) override { Log(on ? "Enable" : "Disable", 0); }
  bool DeviceEnabled() override { return true; }
  int32_t CheckHealth(int32_t level) override { return Log("CheckHealth " + std::to_string(level), 0); }
  int32_t ReleaseDevice() override { return Log("Release", 0); }
  int32_t Close() override { return Log("Close", 0); }
  void SetNumberProperty20(int32_t v) override { Log("P20 " + std::to_string(v), 0); }
  std::string TextProperty105() override { return "no service"; }
  void SetFlagProperty106(bool) override {}

  int32_t Log(const std::string& call, int32_t result) {
    calls.push_back(call);
    return result;
  }
  std::vector<std::string> calls;
  int32_t openResult = 0, claimResult = 0;
};
using Calls = std::vector<std::string>;

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::test_support::ResetRegistry();
    ASSERT_TRUE(reg_.WriteString(schema::kServiceInfoKey, schema::kInstalldir, folder_.Path()));
    folder_.Write(setup_data::kSetupInf, kSetupInf);
    folder_.Write(setup_data::kPosPrnInf, kPosPrnInf);
    folder_.Write(setup_data::kPosCashInf, kPosCashInf);
  }
  std::string Text(DeviceClass c, const std::string& device, const char* name) {
    std::string text = "<none>";
    reg_.ReadString(DeviceKeyPath(c, device), name, &text);
    return text;
  }
  int32_t Number(DeviceClass c, const std::string& device, const char* name) {
    int32_t n = -1;
    reg_.ReadNumber(DeviceKeyPath(c, device), name, &n);
    return n;
  }
  std::string ClassValue(DeviceClass c, const std::string& name) {
    std::string text = "<none>";
    reg_.ReadString(device_rules::ClassKeyPath(c), name, &text);
    return text;
  }
  bool Exists(DeviceClass c, const std::string& device) { return reg_.KeyExists(DeviceKeyPath(c, device)); }
  void Set(DeviceClass c, const std::string& device, const char* name, const std::string& text) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, device), name, text));
  }

  tavo_test::TempFolder folder_;
  CRegistryAccess reg_;
  ScriptedMessageBox box_;
};

}  // namespace dialog_test
