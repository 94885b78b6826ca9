#include "setup/dialogs/select_model.h"

#include "common/device_entry.h"
#include "common/setup_data.h"
#include "setup/ui/message_box.h"

namespace devsetup {

CSelectModelRules::CSelectModelRules(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass)
    : reg_(reg), deviceClass_(deviceClass) {
  setup_data::ReadInstallDir(reg, &installDir_);
  const auto modelClass = deviceClass == device_rules::DeviceClass::kLineDisplay
                              ? setup_data::ModelClass::kLineDisplay
                              : setup_data::ModelClass::kPrinter;
  models_ = setup_data::ReadModelList(installDir_, modelClass);
}

bool CSelectModelRules::Next(int selected, IMessageBox& box) {
  if (selected < 0 || selected >= static_cast<int>(models_.size())) {
    box.Show(kSelectModelMessage);
    return false;
  }
  std::string name;
  if (!device_entry::InstallDevice(reg_, deviceClass_, installDir_, models_[selected], &name)) {
    box.Show(kInfFileError);
    return false;
  }
  newDeviceName_ = name;
  return true;
}

}  // namespace devsetup
