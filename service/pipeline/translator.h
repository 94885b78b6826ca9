// Translation of application print data with embedded escape sequences
// (ESC|...) into the printer's command bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/pipeline/byte_sink.h"
#include "service/pipeline/print_state.h"

// Writes the translation of data (which ends at its first 00 byte) to out:
// a state prefix, the text with its sequences translated, a closing state
// prefix and reverse-off. Returns the result code that translation leaves:
// 0, or OPOS_E_ILLEGAL / OPOS_E_FAILURE from the last sequence that could
// not be honoured. Translation never stops early.
// Updates state (resend bits, font byte, character size): the caller
// serialises access to state.
int32_t TranslatePrintData(PrintState& state, std::string_view data, ByteSink& out);

// The same, appending to *out.
int32_t TranslatePrintData(PrintState& state, std::string_view data, std::string* out);
