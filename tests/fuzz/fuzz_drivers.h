// What each fuzz target does with one input, shared by the libFuzzer
// programs and by the replay test that runs the kept corpus in every build.
// Each returns an empty string when every property held, else what broke.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Input: 10 bytes of printer settings, then print data. Decodes the data by
// the chosen BinaryConversion and translates it twice with one state.
std::string RunTranslateInput(const uint8_t* data, size_t size);

// Input: 1 byte choosing the model (UTF-8 mode, font, pages, line width),
// then UTF-8 print data. Translates it twice under CharacterSet 997.
std::string RunUnicodeInput(const uint8_t* data, size_t size);

// Input: 1 byte of BinaryConversion mode, then text.
std::string RunBinaryConversionInput(const uint8_t* data, size_t size);

// Input: 1 byte seeding the chunk sizes, then bytes from the printer. Feeds
// the port manager's status framer in chunks and at once.
std::string RunPortmgrFramerInput(const uint8_t* data, size_t size);

// Input: 1 byte choosing the value written, then a profile file's text.
// Reads it, writes one key and reads again.
std::string RunProfileInput(const uint8_t* data, size_t size);

// Input: 1 byte of bitmap settings, then an image file. Decodes it and, when
// it decodes, makes the bitmap job.
std::string RunPictureDecodeInput(const uint8_t* data, size_t size);

// Input: a print area text. Parses it and reads the values back.
std::string RunPrintAreaInput(const uint8_t* data, size_t size);

// Input: a device set-up file. Reads it; a set-up that reads is written and
// read back.
std::string RunSetupFileInput(const uint8_t* data, size_t size);

// Input: 1 byte choosing the symbology, 1 byte of height, width and
// layout, then the bar code data. Builds the symbol's commands.
std::string RunBarCodeInput(const uint8_t* data, size_t size);

// Input: 1 byte seeding the chunk sizes, then bytes from the printer. Frames
// them into status blocks and decodes every block.
std::string RunStatusBlockInput(const uint8_t* data, size_t size);

// Input: 1 byte choosing the file (setup.inf or posprn.inf) and the model
// class, then that file's text. Reads every value the dialogs read.
std::string RunSetupDataInput(const uint8_t* data, size_t size);

// Input: registry values of a device entry, each as 1 byte naming the
// value, 1 byte of type, 1 byte of length and the data. Reads the entry.
std::string RunDeviceEntryInput(const uint8_t* data, size_t size);

// Input: a statistics argument. Selects by it and reads it as pairs.
std::string RunStatisticsRequestInput(const uint8_t* data, size_t size);

// Input: a statistics file's text. Reads, writes and reads it again.
std::string RunStatisticsFileInput(const uint8_t* data, size_t size);

// The driver of each folder under tests/fuzz, by folder name.
struct FuzzDriver {
  const char* target;
  std::string (*run)(const uint8_t* data, size_t size);
};
extern const FuzzDriver kFuzzDrivers[];
extern const size_t kFuzzDriverCount;
