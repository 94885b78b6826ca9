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

// The object a thread is working for, named in the trace log's lines. The
// COM server sets it around each call into a Service Object; event threads
// set it for their lifetime. Thread-local, restored on scope exit.
const void* CurrentTraceObject();
class TraceObjectScope {
 public:
  explicit TraceObjectScope(const void* object);
  ~TraceObjectScope();
  TraceObjectScope(const TraceObjectScope&) = delete;
  TraceObjectScope& operator=(const TraceObjectScope&) = delete;

 private:
  const void* previous_;
};
