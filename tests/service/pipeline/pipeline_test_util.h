// Helpers for the pipeline tests: bytes written as spaced hex, a state with
// no pending resends, and translation with the fixed frame stripped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/pipeline/print_state.h"

// "1B 21 08" -> the three bytes; "'abc'" inserts text as it is.
std::string Bytes(std::string_view hex);
// The bytes as upper-case spaced hex, for readable failures.
std::string HexOf(std::string_view bytes);

// Command class 1, no colour, 42 normal characters per line in the normal
// font, 30 dots line spacing, cutter present, 4 lines to the cutter, no
// setting waiting to be resent.
PrintState QuietState();

// The prefix that QuietState gives with nothing to resend.
std::string QuietPrefix();

// The whole translation of data as hex.
std::string Translated(PrintState& state, std::string_view data, int32_t* result = nullptr);

// Translates data; checks that the output begins and ends with the quiet
// frame and returns the part in between as hex.
std::string Body(PrintState& state, std::string_view data, int32_t* result = nullptr);
