// Checks shared by the display text fuzz target and its replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Input: 6 bytes of model and window (viewport row, column, height,
// width, extra size and its direction), 1 byte of character mapping, then
// operations: text (UTF-16LE), cursor moves, scrolls, clears, draws,
// brightness and blink rate.
// What the Service Object's screen model says the display shows must be
// what the virtual display shows after decoding the bytes sent.
std::string RunDisplayTextInput(const std::uint8_t* data, std::size_t size);
