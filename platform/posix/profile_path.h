// Where a mapped profile path lies on a case-sensitive file system.
#pragma once

#include <string>

namespace platform::profile_path {

// Each component that does not exist as spelt is looked up in its folder
// case-insensitively, as Windows would find it. The rest of the path stays
// as given from the first component found neither way (so a new file keeps
// the name it was asked for).
std::string Resolve(const std::string& file);

}  // namespace platform::profile_path
