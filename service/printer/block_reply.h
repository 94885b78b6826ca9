// Questions the printer answers with block data: header 5F, the text, NUL
// (GS g 2, the maintenance counters; GS I, the printer's identity).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class IOutputPort;

// The text of the first complete block reply in bytes; false while there
// is none (bytes before the header, such as a stray status reply, are
// skipped).
bool ParseBlockReply(std::string_view bytes, std::string* text);

// Sends the request under the port lock (waiting up to waitMs for it) and
// reads until a whole reply has come or waitMs has passed.
bool AskBlockReply(IOutputPort& port, std::string_view request, int32_t waitMs, std::string* text);

// GS g 2 0 n and GS g 0 0 n; GS I n.
std::string MaintenanceCounterRequest(int32_t counter);
std::string MaintenanceCounterReset(int32_t counter);
std::string PrinterInformationRequest(uint8_t n);
