#include "service/display/display_encoder.h"

#include <algorithm>

#include "service/display/display_commands.h"

using namespace display_commands;

void CDisplayEncoder::Initialize() { Put(kInitialize); }
void CDisplayEncoder::ClearScreen() { sink_.PutByte(kClearScreen); }
void CDisplayEncoder::ClearLine() { sink_.PutByte(kClearLine); }

void CDisplayEncoder::Mode(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::kOverwrite: Put(kOverwriteMode); break;
    case DisplayMode::kVerticalScroll: Put(kVerticalScrollMode); break;
    case DisplayMode::kHorizontalScroll: Put(kHorizontalScrollMode); break;
  }
}

void CDisplayEncoder::MoveTo(int row, int column) {
  Put(kCursorPosition);
  sink_.PutByte(static_cast<uint8_t>(std::clamp(column + 1, 1, 255)));
  sink_.PutByte(static_cast<uint8_t>(std::clamp(row + 1, 1, 255)));
}

void CDisplayEncoder::BackSpace() { sink_.PutByte(kBackSpace); }
void CDisplayEncoder::Tab() { sink_.PutByte(kTab); }
void CDisplayEncoder::LineFeed() { sink_.PutByte(kLineFeed); }
void CDisplayEncoder::Home() { sink_.PutByte(kHome); }
void CDisplayEncoder::CarriageReturn() { sink_.PutByte(kCarriageReturn); }

void CDisplayEncoder::Brightness(int level) {
  Put(kBrightness);
  sink_.PutByte(static_cast<uint8_t>(std::clamp(level, 1, kBrightnessLevels)));
}

void CDisplayEncoder::Blink(int units) {
  Put(kBlink);
  sink_.PutByte(static_cast<uint8_t>(std::clamp(units, 0, kBlinkMaxUnits)));
}

void CDisplayEncoder::ScreenOff() {
  Put(kBlink);
  sink_.PutByte(kScreenOff);
}

void CDisplayEncoder::Cursor(bool on) {
  Put(kCursorDisplay);
  sink_.PutByte(on ? 1 : 0);
}

void CDisplayEncoder::Reverse(bool on) {
  Put(kReverse);
  sink_.PutByte(on ? 1 : 0);
}

void CDisplayEncoder::CodeTable(uint8_t table) {
  Put(kCodeTable);
  sink_.PutByte(table);
}

void CDisplayEncoder::International(uint8_t set) {
  Put(kInternational);
  sink_.PutByte(set);
}

void CDisplayEncoder::Text(std::string_view bytes) { sink_.Put(bytes); }
