// Text form of an OPOS result for messages: "<name> (<code>/<extended>)".
#pragma once

#include <cstdint>
#include <string>

std::string MakeErrorString(int32_t code, int32_t extended);

// The name alone, as the table gives it for a code and extended code.
const char* ResultName(int32_t code, int32_t extended);
