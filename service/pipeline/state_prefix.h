// The settings block sent in front of every job and around translated text.
#pragma once

#include <string>

#include "service/pipeline/byte_sink.h"
#include "service/pipeline/print_state.h"

// Writes the state prefix to out. Settings whose resend bit is set are sent
// and their bits cleared; the font byte is recomputed and stored.
void BuildStatePrefix(PrintState& state, ByteSink& out);
std::string BuildStatePrefix(PrintState& state);

// 1 when the line is set in the smaller font (more characters than the
// normal font holds), else 0.
uint8_t FontByteFor(const PrintState& state);
