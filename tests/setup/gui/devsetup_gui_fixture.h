// The fixture of the devsetup GUI tests: devsetup.exe started on a
// registry without devices, its windows found, keys sent, message boxes
// answered and screenshots taken. run-devsetup-gui.sh prepares the prefix.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
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

  // disabledDll: a DLL Wine keeps from devsetup.exe alone while it runs
  // ("atl" takes the system's control host away).
  void Start(const char* disabledDll = nullptr) {
    ASSERT_TRUE(!disabledDll || DisableDll(disabledDll));
    std::string command = "\"" + Env("TAVO_GUI_DEVSETUP") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_));
    ASSERT_TRUE(WaitFor([this] { return (main_ = FindDialog(process_.dwProcessId, Caption(), IDC_DEVICE_TREE)); }))
        << "no main window";
    tree_ = std::make_unique<CRemoteTree>(GetDlgItem(main_, IDC_DEVICE_TREE), process_.hProcess);
    ASSERT_TRUE(WaitFor([this] { return tree_->Children(tree_->Root()).size() == 3; }));
  }
  void Stop() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kOverridesKey);
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
  // Wine's overrides for one program, read when it starts: an empty value
  // disables the DLL.
  static constexpr char kOverridesKey[] = "Software\\Wine\\AppDefaults\\devsetup.exe";
  static bool DisableDll(const char* dll) {
    HKEY key = nullptr;
    const std::string path = std::string(kOverridesKey) + "\\DllOverrides";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) return false;
    const LONG rc = RegSetValueExA(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
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
