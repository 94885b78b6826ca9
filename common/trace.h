// Diagnostic trace hook. Components format lines such as
// "End OpenService = %d" and hand them here; this system discards them.
// Tests may install a sink to read them. The sink is process-wide and must
// be set before any thread traces; it is called on the tracing thread.
#pragma once

#include <functional>
#include <string>

using TraceSink = std::function<void(const std::string& line)>;

void SetTraceSink(TraceSink sink);  // empty sink: discard (the default)
void Trace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
