// What the decoder fuzz target checks for one input; shared by the libFuzzer
// program and by the test that replays the kept regression inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Input: one byte choosing a chunk size, then the host's byte stream.
// Returns an empty string when every property held, else what broke.
std::string RunVprinterDecoderInput(const std::uint8_t* data, std::size_t size);
