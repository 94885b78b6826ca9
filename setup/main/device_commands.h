// The main window's commands that act on the selected device or on the
// installation folder: removal, the interactive health check through a
// hosted Control Object, and the utility folder's path. Each checks the
// selection itself, since keys reach them whatever the buttons show.
#pragma once

#include <string>

#include "setup/main/device_tree.h"

class CRegistryAccess;
class IMessageBox;
class IOposControl;

namespace devsetup {

inline constexpr char kRemoveCaption[] = "Remove Device";
inline constexpr char kRemoveQuestion[] = "Are you sure you want to delete all setting information about ";

// Asks, then deletes the device's LDN mapping and its key. True when the
// device was removed (the tree must be rebuilt); false when the selection
// is not a device or the user did not confirm.
bool RemoveSelectedDevice(const CRegistryAccess& reg, IMessageBox& box, const TreeSelection& selection);

// Open, claim, enable, interactive CheckHealth, disable, release, close on
// the Control Object of the selected device's class, reporting a failed
// Open, claim or enable. The control is always left closed. False when the
// selection is not a device (nothing is called).
bool CheckSelectedDevice(IMessageBox& box, const TreeSelection& selection, IOposControl& control);

// The folder NV Image explores: the installation folder and "\Utility".
std::string UtilityFolder(const std::string& installDir);

}  // namespace devsetup
