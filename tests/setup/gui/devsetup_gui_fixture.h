// The fixture of the devsetup GUI tests: devsetup.exe started on a
// registry without devices, its windows found, keys sent, message boxes
// answered and screenshots taken. run-devsetup-gui.sh prepares the prefix.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "resources/devsetup/resource.h"
#include "tests/setup/gui/remote_window.h"

using device_rules::ClassKeyPath;
using device_rules::DeviceClass;
using device_rules::DeviceKeyPath;

inline std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

constexpr DeviceClass kClasses[] = {DeviceClass::kPOSPrinter, DeviceClass::kCashDrawer, DeviceClass::kLineDisplay};

class DevsetupGui : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env("TAVO_GUI_DEVSETUP").empty()) << "run through run-devsetup-gui.sh";
    ClearDevices();
  }
  void TearDown() override {
    Stop();
    ClearDevices();
  }

  static void ClearDevices() {
    const CRegistryAccess reg;
    for (DeviceClass c : kClasses) reg.Delete(ClassKeyPath(c), nullptr);
  }
  void Put(DeviceClass c, const std::string& device, const std::string& value, const std::string& text) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, device), value, text));
  }
  void SeedPrinter(const std::string& name, const std::string& port, const std::string& ldn) {
    Put(DeviceClass::kPOSPrinter, name, schema::kDefault, "Tavo.POSPrinter.ServiceObject.1.9");
    Put(DeviceClass::kPOSPrinter, name, schema::kDeviceName, name);
    Put(DeviceClass::kPOSPrinter, name, schema::kPort, port);
    Put(DeviceClass::kPOSPrinter, name, schema::kLDN, ldn);
    if (!ldn.empty()) {
      ASSERT_TRUE(reg_.WriteString(ClassKeyPath(DeviceClass::kPOSPrinter), ldn, name));
    }
  }

  // dllOverrides: added to Wine's WINEDLLOVERRIDES for devsetup alone
  // ("atl=d" takes the system's control host away).
  void Start(const std::string& dllOverrides = "") {
    std::string command = "\"" + Env("TAVO_GUI_DEVSETUP") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string environment = EnvironmentWith(dllOverrides);
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                               environment.empty() ? nullptr : &environment[0], nullptr, &startup, &process_));
    ASSERT_TRUE(WaitFor([this] { return (main_ = FindDialog(process_.dwProcessId, Caption(), IDC_DEVICE_TREE)); }))
        << "no main window";
    tree_ = std::make_unique<CRemoteTree>(GetDlgItem(main_, IDC_DEVICE_TREE), process_.hProcess);
    ASSERT_TRUE(WaitFor([this] { return tree_->Children(tree_->Root()).size() == 3; }));
  }
  void Stop() {
    if (!process_.hProcess) return;
    tree_.reset();
    if (main_) PostMessageA(main_, WM_COMMAND, IDC_EXIT, 0);
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "devsetup did not end on Exit";
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    main_ = nullptr;
  }
  static std::string Caption() { return "Tavo OPOS Device Setup 1.9"; }
  // This process's environment block with the DLL overrides added; empty
  // when there are none to add.
  static std::string EnvironmentWith(const std::string& dllOverrides) {
    if (dllOverrides.empty()) return {};
    const std::string name = "WINEDLLOVERRIDES=";
    std::string block, overrides = dllOverrides;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry && *entry; entry += std::strlen(entry) + 1) {
      if (_strnicmp(entry, name.c_str(), name.size()) == 0) {
        if (entry[name.size()]) overrides = std::string(entry + name.size()) + ";" + dllOverrides;
        continue;
      }
      block.append(entry).push_back('\0');
    }
    if (strings) FreeEnvironmentStringsA(strings);
    block.append(name + overrides).push_back('\0');
    return block;  // the final terminator is the string's own
  }
  // The window class of a dialog's control, "<none>" when it has none.
  static std::string ControlClass(HWND dialog, int id) {
    char name[64] = {};
    HWND control = GetDlgItem(dialog, id);
    return control && GetClassNameA(control, name, sizeof name) ? name : "<none>";
  }

  // The tree's device node of a class, by name.
  HTREEITEM ClassNode(const char* text) { return tree_->Child(tree_->Root(), text); }
  HTREEITEM Device(const char* classText, const std::string& name) { return tree_->Child(ClassNode(classText), name); }
  void Key(char key) { PostMessageA(GetDlgItem(main_, IDC_DEVICE_TREE), WM_KEYDOWN, static_cast<WPARAM>(key), 1); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(main_, id)) != FALSE; }

  // Waits for a message box of devsetup, returns its text and closes it
  // with the given button.
  std::string Answer(const std::string& caption, int button) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindDialog(process_.dwProcessId, caption)) != nullptr; })) return "<no box>";
    const std::string text = DialogStatics(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }
  void Screenshot(HWND window, const char* name) {
    const std::string folder = Env("TAVO_GUI_SHOTS");
    if (folder.empty()) return;
    Settle(window);
    Sleep(500);  // let the window finish painting
    EXPECT_TRUE(SaveWindowImage(window, folder + "\\" + name));
  }
  std::string SetupInf(const char* key) {
    char text[64] = {};
    GetPrivateProfileStringA("Description", key, "<none>", text, sizeof text,
                             (Env("TAVO_GUI_INSTALL") + "\\setup.inf").c_str());
    return text;
  }

  CRegistryAccess reg_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  std::unique_ptr<CRemoteTree> tree_;
};
