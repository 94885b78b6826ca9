// What the main window's device tree holds and what a selection in it
// allows. The view builds nodes from these answers and enables buttons by
// them; every call reads the registry at that moment.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/device_rules.h"

class CRegistryAccess;

namespace devsetup {

using device_rules::DeviceClass;

// Pictures of the tree image strip, by index.
enum TreeImage { kImageComputer = 0, kImagePrinter, kImageCashDrawer, kImageLineDisplay, kImageSelected, kImageBlank };

// The class nodes below the root, in the order they are inserted.
struct ClassNode {
  DeviceClass deviceClass;
  const char* text;
  TreeImage image;
};
inline constexpr char kRootText[] = "Device";
inline constexpr ClassNode kClassNodes[] = {
    {DeviceClass::kPOSPrinter, "POSPrinter", kImagePrinter},
    {DeviceClass::kCashDrawer, "CashDrawer", kImageCashDrawer},
    {DeviceClass::kLineDisplay, "LineDisplay", kImageLineDisplay},
};
// The order in which a refresh fills them.
inline constexpr DeviceClass kRefreshOrder[] = {DeviceClass::kCashDrawer, DeviceClass::kPOSPrinter,
                                                DeviceClass::kLineDisplay};

// A device key of this package: name begins with "TavoPOS", or its first
// ten characters are "CashDrawer" (exact case).
bool IsOwnDevice(const std::string& name);
// The same rule within a class node; line displays of the package are
// named after its display models, which begin with "QDX".
bool IsOwnDeviceOf(DeviceClass deviceClass, const std::string& name);

// One device node: the key name, bold for own devices.
struct TreeDevice {
  std::string name;
  bool bold = false;
};
// The device nodes of a class: subkeys by index until the enumeration
// fails or a name begins with "[", empty names skipped. A class key that
// can't be opened gives none.
std::vector<TreeDevice> ListDevices(const CRegistryAccess& reg, DeviceClass deviceClass);

// A tree selection as the view reports it: the node's text, its depth
// below the root (0 root, 1 class node, 2 device) and, for a device, the
// class of its parent node.
struct TreeSelection {
  std::string text;
  int depth = 0;
  std::optional<DeviceClass> parentClass;
};
// The device a command acts on: a device node whose class is one the
// command accepts; none otherwise.
struct SelectedDevice {
  DeviceClass deviceClass;
  std::string name;
};
std::optional<SelectedDevice> DeviceOf(const TreeSelection& selection);

// Selection level as the window keeps it: the depth, or 0 when the node's
// text is not an own device.
int SelectionLevel(const TreeSelection& selection);

// Which of the selection-bound buttons are enabled. Remove follows the
// selection like Modify and CheckHealth: it is enabled only on an own
// device, the only selection it acts on.
struct CommandEnabling {
  bool remove = false;
  bool modify = false;
  bool checkHealth = false;
};
CommandEnabling CommandsForLevel(int level);

// The description pane's text for a device, read from its key.
std::string DescribeDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& name);

// The window's caption: "VersionDescription" of setup.inf ("" when missing).
std::string WindowCaption(const std::string& installDir);

// What the window remembers between selections: the level and the device
// whose description is shown.
class CDeviceTreeState {
 public:
  struct Change {
    CommandEnabling commands;
    std::optional<std::string> description;  // set when the pane must change
  };
  // The selection changed to this node.
  Change Select(const CRegistryAccess& reg, const TreeSelection& selection);
  int Level() const { return level_; }
  const std::string& ShownDevice() const { return shownDevice_; }

 private:
  int level_ = 0;
  std::string shownDevice_;
};

}  // namespace devsetup
