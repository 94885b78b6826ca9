#include "common/trace.h"

#include <cstdarg>
#include <cstdio>

namespace {
TraceSink& Sink() {
  static TraceSink sink;
  return sink;
}
}  // namespace

void SetTraceSink(TraceSink sink) { Sink() = std::move(sink); }

void Trace(const char* format, ...) {
  if (!Sink()) return;
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  Sink()(line);
}
