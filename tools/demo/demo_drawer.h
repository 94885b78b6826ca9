// The cash drawer on the receipt printer: kicked open at the end of the
// sale, then waited for until the cashier closes it.
#pragma once

#include <string>

namespace demo {

// Kicks the drawer and waits until it reports closed again (the virtual
// printer's drawer closes by itself), listing the drawer's events. True
// when it opened and closed.
bool KickDrawer(const std::string& device);

}  // namespace demo
