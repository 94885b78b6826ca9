#include "setup/main/win32/device_setup_dlg.h"

#include <shellapi.h>

#include "common/setup_data.h"
#include "setup/dialogs/win32/add_device.h"
#include "setup/main/device_commands.h"
#include "setup/main/win32/port_range_dlg.h"
#include "setup/skin/win32/skin_resources.h"
#include "setup/transfer/win32/transfer_menu.h"

using devsetup::DeviceClass;

struct CDeviceSetupDlg::Command {
  int id;
  WPARAM key;
  const char* caption;
  COLORREF color;
  void (CDeviceSetupDlg::*run)();
};

namespace {

constexpr COLORREF kDeviceCommandText = RGB(150, 108, 79);
constexpr COLORREF kToolCommandText = RGB(25, 123, 48);
constexpr COLORREF kExitText = RGB(40, 40, 40);
constexpr int kMainWidth = 600;
constexpr int kMainHeight = 368;
constexpr COLORREF kTreeMask = RGB(0, 128, 128);
CDeviceSetupDlg* g_keyTarget = nullptr;

// The controls on the main background: the button column, the tree card
// and the description card.
constexpr ControlPlace kLayout[] = {
    {IDC_ADD_PRINTER, 20, 19, 160, 25},   {IDC_ADD_CASHDRAWER, 20, 47, 160, 25}, {IDC_ADD_DISPLAY, 20, 75, 160, 25},
    {IDC_REMOVE_DEVICE, 20, 103, 160, 25}, {IDC_MODIFY_DEVICE, 20, 131, 160, 25}, {IDC_CHECK_HEALTH, 20, 165, 160, 25},
    {IDC_PORT_RANGE, 20, 203, 160, 25},    {IDC_NV_IMAGE, 20, 231, 160, 25},      {IDC_EXIT, 20, 291, 160, 25},
    {IDC_TREE_LABEL, 208, 30, 150, 16},    {IDC_DEVICE_TREE, 204, 52, 160, 268},  {IDC_DESCRIPTION, 390, 52, 196, 236},
};

}  // namespace

const CDeviceSetupDlg::Command CDeviceSetupDlg::kCommands[] = {
    {IDC_ADD_PRINTER, 'P', "Add Printer(P)", kDeviceCommandText, &CDeviceSetupDlg::AddPrinter},
    {IDC_ADD_CASHDRAWER, 'C', "Add CashDrawer(C)", kDeviceCommandText, &CDeviceSetupDlg::AddCashDrawer},
    {IDC_ADD_DISPLAY, 'D', "Add Display(D)", kDeviceCommandText, &CDeviceSetupDlg::AddDisplay},
    {IDC_REMOVE_DEVICE, 'R', "Remove Device(R)", kDeviceCommandText, &CDeviceSetupDlg::RemoveDevice},
    {IDC_MODIFY_DEVICE, 'M', "Modify Device(M)", kDeviceCommandText, &CDeviceSetupDlg::ModifyDevice},
    {IDC_CHECK_HEALTH, 'H', "CheckHealth(H)", kDeviceCommandText, &CDeviceSetupDlg::CheckHealth},
    {IDC_PORT_RANGE, 'A', "Port Range(A)", kToolCommandText, &CDeviceSetupDlg::PortRange},
    {IDC_NV_IMAGE, 'N', "NV Image(N)", kToolCommandText, &CDeviceSetupDlg::NvImage},
    {IDC_EXIT, 'X', "Exit(X)", kExitText, &CDeviceSetupDlg::Exit},
};

CDeviceSetupDlg::CDeviceSetupDlg() : CDialogBase(IDD_DEVSETUP), frame_(skin_res::kMainBackground) {
  icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEVSETUP));
  frame_.SetTransparentControls({IDC_DESCRIPTION, IDC_TREE_LABEL});
}

CDeviceSetupDlg::~CDeviceSetupDlg() {
  if (keyHook_) UnhookWindowsHookEx(keyHook_);
  if (g_keyTarget == this) g_keyTarget = nullptr;
  if (treeImages_) ImageList_Destroy(treeImages_);
}

BOOL CDeviceSetupDlg::OnInitDialog() {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  PlaceSkinnedWindow(Handle(), kMainWidth, kMainHeight, 0);
  PlaceControls(Handle(), kLayout);
  SetUpButtons();
  tree_ = Item(IDC_DEVICE_TREE);
  CreateTreeNodes();
  RefreshDeviceTree();
  UpdateCommandButtons(0);
  SetItemText(IDC_DESCRIPTION, "");
  setup_data::ReadInstallDir(reg_, &installDir_);
  SetWindowTextA(Handle(), devsetup::WindowCaption(installDir_).c_str());

  cashDrawer_ = std::make_unique<COPOSCashDrawer>(Handle());
  printer_ = std::make_unique<COPOSPOSPrinter>(Handle());
  display_ = std::make_unique<COPOSLineDisplay>(Handle());
  g_keyTarget = this;
  keyHook_ = SetWindowsHookExA(WH_MSGFILTER, KeyFilter, nullptr, GetCurrentThreadId());
  return TRUE;
}

void CDeviceSetupDlg::SetUpButtons() {
  for (size_t i = 0; i < kCommandCount; ++i) {
    const Command& command = kCommands[i];
    CSkinButton& button = buttons_[i];
    button.SetBitmaps(skin_res::kMainButtonNormal, skin_res::kMainButtonPressed, skin_res::kMainButtonDisabled);
    button.SetCaption(command.caption);
    button.SetCaptionFont("Arial", 15);
    button.SetTextOrigin(20, 6);
    button.SetTextColors(command.color, skin_res::kDisabledText);
    button.Attach(Handle(), command.id);
  }
}

void CDeviceSetupDlg::CreateTreeNodes() {
  treeImages_ = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TREE_IMAGES), 16, 5, kTreeMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION);
  TreeView_SetImageList(tree_, treeImages_, TVSIL_NORMAL);
  auto insert = [this](HTREEITEM parent, const char* text, int image) {
    TVINSERTSTRUCTA node{};
    node.hParent = parent ? parent : TVI_ROOT;
    node.hInsertAfter = TVI_LAST;
    node.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    node.item.pszText = const_cast<char*>(text);
    node.item.iImage = node.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node)));
  };
  root_ = insert(nullptr, devsetup::kRootText, devsetup::kImageComputer);
  for (size_t i = 0; i < classNodes_.size(); ++i) {
    classNodes_[i] = insert(root_, devsetup::kClassNodes[i].text, devsetup::kClassNodes[i].image);
  }
  TreeView_Expand(tree_, root_, TVE_EXPAND);
  for (HTREEITEM node : classNodes_) TreeView_Expand(tree_, node, TVE_EXPAND);
  for (size_t i = classNodes_.size(); i-- > 0;) TreeView_EnsureVisible(tree_, classNodes_[i]);
}

void CDeviceSetupDlg::RefreshDeviceTree() {
  for (DeviceClass deviceClass : devsetup::kRefreshOrder) {
    for (size_t i = 0; i < classNodes_.size(); ++i) {
      if (devsetup::kClassNodes[i].deviceClass == deviceClass) FillDeviceClass(classNodes_[i], deviceClass);
    }
  }
}

void CDeviceSetupDlg::FillDeviceClass(HTREEITEM classNode, DeviceClass deviceClass) {
  for (HTREEITEM child = TreeView_GetChild(tree_, classNode); child;) {
    HTREEITEM next = TreeView_GetNextSibling(tree_, child);
    TreeView_DeleteItem(tree_, child);
    child = next;
  }
  for (const devsetup::TreeDevice& device : devsetup::ListDevices(reg_, deviceClass)) {
    TVINSERTSTRUCTA node{};
    node.hParent = classNode;
    node.hInsertAfter = TVI_LAST;
    node.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    node.item.pszText = const_cast<char*>(device.name.c_str());
    node.item.iImage = devsetup::kImageBlank;
    node.item.iSelectedImage = devsetup::kImageSelected;
    node.item.stateMask = TVIS_BOLD;
    node.item.state = device.bold ? TVIS_BOLD : 0;
    SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node));
  }
  TreeView_Expand(tree_, root_, TVE_EXPAND);
  TreeView_Expand(tree_, classNode, TVE_EXPAND);
}

void CDeviceSetupDlg::UpdateCommandButtons(int level) {
  const devsetup::CommandEnabling commands = devsetup::CommandsForLevel(level);
  EnableWindow(Item(IDC_REMOVE_DEVICE), commands.remove);
  EnableWindow(Item(IDC_MODIFY_DEVICE), commands.modify);
  EnableWindow(Item(IDC_CHECK_HEALTH), commands.checkHealth);
}

devsetup::TreeSelection CDeviceSetupDlg::CurrentSelection() const {
  devsetup::TreeSelection selection;
  HTREEITEM node = TreeView_GetSelection(tree_);
  if (!node) return selection;
  char text[256] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  selection.text = text;
  HTREEITEM parent = TreeView_GetParent(tree_, node);
  for (HTREEITEM up = node; up && up != root_; up = TreeView_GetParent(tree_, up)) ++selection.depth;
  for (size_t i = 0; i < classNodes_.size(); ++i) {
    if (parent && parent == classNodes_[i]) selection.parentClass = devsetup::kClassNodes[i].deviceClass;
  }
  return selection;
}

void CDeviceSetupDlg::OnSelectionChanged() {
  const devsetup::CDeviceTreeState::Change change = state_.Select(reg_, CurrentSelection());
  UpdateCommandButtons(state_.Level());
  if (change.description) ShowDescription(*change.description);
}

void CDeviceSetupDlg::ShowDescription(const std::string& text) {
  SetItemText(IDC_DESCRIPTION, text);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CDeviceSetupDlg::OnCommand(int id, int) {
  for (const Command& command : kCommands) {
    if (command.id == id) Run(command);
  }
}

void CDeviceSetupDlg::Run(const Command& command) { (this->*command.run)(); }

bool CDeviceSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message == WM_DESTROY) {
    // The hosted controls go with their windows; the references are dropped first.
    cashDrawer_.reset();
    printer_.reset();
    display_.reset();
  }
  if (frame_.Handle(Handle(), message, wParam, lParam, result)) return true;
  // Export and import of the device set-up, from a menu over the window.
  if (message == WM_CONTEXTMENU) {
    *result = TRUE;
    return transfer_menu::OnContextMenu(Handle(), lParam, [this] { RefreshDeviceTree(); });
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == tree_ && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
      OnSelectionChanged();
    }
  }
  return false;
}

// Looks at every key-down of the main window's modal loop before the
// dialog manager does; the message then goes on as usual.
LRESULT CALLBACK CDeviceSetupDlg::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && g_keyTarget && msg->message == WM_KEYDOWN) {
    HWND main = g_keyTarget->Handle();
    if (msg->hwnd == main || IsChild(main, msg->hwnd)) g_keyTarget->RunCommandForKey(msg->wParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CDeviceSetupDlg::RunCommandForKey(WPARAM key) {
  for (const Command& command : kCommands) {
    if (command.key == key) {
      Run(command);
      return true;
    }
  }
  return false;
}

IOposControl& CDeviceSetupDlg::ControlFor(DeviceClass deviceClass) {
  switch (deviceClass) {
    case DeviceClass::kPOSPrinter: return *printer_;
    case DeviceClass::kLineDisplay: return *display_;
    case DeviceClass::kCashDrawer: break;
  }
  return *cashDrawer_;
}

// The add-device wizard and the device dialogs open here; until they do,
// the commands only rebuild the tree, as they do after those dialogs.
void CDeviceSetupDlg::AddPrinter() {
  device_dialogs::AddPrinterOrDisplay(Handle(), reg_, devsetup::DeviceClass::kPOSPrinter);
  RefreshDeviceTree();
}

void CDeviceSetupDlg::AddCashDrawer() {
  device_dialogs::AddCashDrawer(Handle(), reg_);
  RefreshDeviceTree();
}

void CDeviceSetupDlg::AddDisplay() {
  device_dialogs::AddPrinterOrDisplay(Handle(), reg_, devsetup::DeviceClass::kLineDisplay);
  RefreshDeviceTree();
}

void CDeviceSetupDlg::ModifyDevice() {
  device_dialogs::ModifyDevice(Handle(), reg_, CurrentSelection());
  RefreshDeviceTree();
}

void CDeviceSetupDlg::RemoveDevice() {
  CWinMessageBox box(Handle());
  if (devsetup::RemoveSelectedDevice(reg_, box, CurrentSelection())) RefreshDeviceTree();
}

void CDeviceSetupDlg::CheckHealth() {
  const devsetup::TreeSelection selection = CurrentSelection();
  const std::optional<devsetup::SelectedDevice> device = devsetup::DeviceOf(selection);
  if (!device) return;
  CWinMessageBox box(Handle());
  devsetup::CheckSelectedDevice(box, selection, ControlFor(device->deviceClass));
}

void CDeviceSetupDlg::PortRange() {
  CPortRangeDlg dialog(reg_);
  dialog.DoModal(Handle());
}

void CDeviceSetupDlg::NvImage() {
  ShellExecuteA(Handle(), "explore", devsetup::UtilityFolder(installDir_).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CDeviceSetupDlg::Exit() { End(IDOK); }
