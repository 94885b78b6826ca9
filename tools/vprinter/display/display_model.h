// The customer display models the virtual display can pose as.
#pragma once

#include <string>

namespace vprinter {

struct DisplayModel {
  const char* name;  // as in the package's setup data
  int rows, columns;
};

// The model named (case-insensitive), null when there is none.
const DisplayModel* findDisplayModel(const std::string& name);
const DisplayModel& defaultDisplayModel();
// The model names, comma separated, for messages.
std::string displayModelNames();

}  // namespace vprinter
