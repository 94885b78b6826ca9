// Writes display commands to a byte sink. Positions are 0-based here and
// 1-based on the wire. Each call appends exactly its command.
#pragma once

#include <cstdint>
#include <string_view>

#include "service/pipeline/byte_sink.h"

enum class DisplayMode { kOverwrite, kVerticalScroll, kHorizontalScroll };

class CDisplayEncoder {
 public:
  explicit CDisplayEncoder(ByteSink& sink) : sink_(sink) {}

  void Initialize();
  void ClearScreen();
  void ClearLine();
  void Mode(DisplayMode mode);
  void MoveTo(int row, int column);
  void BackSpace();
  void Tab();
  void LineFeed();
  void Home();
  void CarriageReturn();
  void Brightness(int level);       // held to 1..4
  void Blink(int units);            // held to 0..254
  void ScreenOff();                 // US E 255; the next US E lights it again
  void Cursor(bool on);
  void Reverse(bool on);
  void CodeTable(uint8_t table);
  void International(uint8_t set);
  // Character bytes, as they are (the caller has removed control bytes).
  void Text(std::string_view bytes);

 private:
  template <size_t N>
  void Put(const uint8_t (&bytes)[N]) {
    sink_.Append(reinterpret_cast<const char*>(bytes), N);
  }

  ByteSink& sink_;
};
