#include "tools/vprinter/display/display_model.h"

#include <strings.h>

namespace vprinter {
namespace {

const DisplayModel kModels[] = {
    {"QDX-200", 2, 20},
    {"QDX-420", 4, 20},
};

}  // namespace

const DisplayModel* findDisplayModel(const std::string& name) {
  for (const DisplayModel& m : kModels)
    if (strcasecmp(m.name, name.c_str()) == 0) return &m;
  return nullptr;
}

const DisplayModel& defaultDisplayModel() { return kModels[0]; }

std::string displayModelNames() {
  std::string names;
  for (const DisplayModel& m : kModels) names += (names.empty() ? "" : ", ") + std::string(m.name);
  return names;
}

}  // namespace vprinter
