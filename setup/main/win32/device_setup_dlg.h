// CDeviceSetupDlg: devsetup's main window. The view of the device tree
// rules: it builds the tree nodes, moves the description into its pane,
// enables the buttons and runs the nine commands by button and by key.
// It hosts the three Control Objects for the health check.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "common/registry_access.h"
#include "setup/hosting/win32/opos_controls.h"
#include "setup/main/device_tree.h"
#include "setup/skin/win32/skin_button.h"
#include "setup/skin/win32/skin_frame.h"
#include "setup/ui/win32/dialog_base.h"
#include "setup/ui/win32/win_message_box.h"

class CDeviceSetupDlg : public CDialogBase {
 public:
  CDeviceSetupDlg();
  ~CDeviceSetupDlg() override;

  // Rebuilds the device nodes of every class from the registry.
  void RefreshDeviceTree();
  // Enables the selection-bound buttons for a selection level.
  void UpdateCommandButtons(int level);

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  struct Command;
  static const Command kCommands[];
  static constexpr size_t kCommandCount = 9;

  void SetUpButtons();
  void CreateTreeNodes();
  void FillDeviceClass(HTREEITEM classNode, devsetup::DeviceClass deviceClass);
  devsetup::TreeSelection CurrentSelection() const;
  void OnSelectionChanged();
  void ShowDescription(const std::string& text);
  bool RunCommandForKey(WPARAM key);
  void Run(const Command& command);
  IOposControl& ControlFor(devsetup::DeviceClass deviceClass);

  void AddPrinter();
  void AddCashDrawer();
  void AddDisplay();
  void RemoveDevice();
  void ModifyDevice();
  void CheckHealth();
  void PortRange();
  void NvImage();
  void Exit();

  static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);

  CRegistryAccess reg_;
  CSkinFrame frame_;
  HICON icon_ = nullptr;
  std::array<CSkinButton, kCommandCount> buttons_;
  HWND tree_ = nullptr;
  HIMAGELIST treeImages_ = nullptr;
  HTREEITEM root_ = nullptr;
  std::array<HTREEITEM, 3> classNodes_{};  // in the order of devsetup::kClassNodes
  devsetup::CDeviceTreeState state_;
  std::string installDir_;
  std::unique_ptr<COPOSCashDrawer> cashDrawer_;
  std::unique_ptr<COPOSPOSPrinter> printer_;
  std::unique_ptr<COPOSLineDisplay> display_;
  HHOOK keyHook_ = nullptr;
};
