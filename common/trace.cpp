#include "common/trace.h"

#include <cstdarg>
#include <cstdio>

namespace {
TraceSink& Sink() {
  static TraceSink sink;
  return sink;
}
thread_local const void* t_object = nullptr;
}  // namespace

const void* CurrentTraceObject() { return t_object; }

TraceObjectScope::TraceObjectScope(const void* object) : previous_(t_object) { t_object = object; }
TraceObjectScope::~TraceObjectScope() { t_object = previous_; }

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
