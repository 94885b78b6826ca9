// The shopper's view: the customer display shows each item of the sale as
// it is rung up, then the total, through the line display Service Object.
#pragma once

#include <string>

namespace demo {

// Opens the display device, shows the sale and closes it again; the total
// stays on the display. Events of other devices are pumped meanwhile.
// True when every call succeeded.
bool ShowSale(const std::string& device);

}  // namespace demo
