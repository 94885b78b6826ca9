// Checks shared by the customer display's fuzz target and its replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Runs one input through the display decoder and screen; returns what went
// wrong, empty when nothing did. The first byte picks the chunk size the
// stream is fed in and the model.
std::string RunDisplayDecoderInput(const std::uint8_t* data, std::size_t size);
