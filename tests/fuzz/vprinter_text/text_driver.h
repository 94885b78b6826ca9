// What the text decoding fuzz target checks for one input; shared by the
// libFuzzer program and by the test that replays the kept inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Input: a byte choosing the mode (Kanji code, Kanji or UTF-8 mode), a byte
// choosing the chunk size, then the text's bytes. Returns an empty string
// when every property held, else what broke.
std::string RunVprinterTextInput(const std::uint8_t* data, std::size_t size);
