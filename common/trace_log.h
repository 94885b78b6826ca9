// The support trace log: the trace hook's lines written to a file, each
// with time, thread and object, when ServiceInfo enables it.
//
//   "TraceLevel"  DWORD  0 or absent: off; 1: results and errors ("End ...",
//                        "Error ..." lines); 2: every line
//   "TraceFile"   SZ     the log's path (default tavo-trace.log in the folder
//                        "Tavo OPOS" of the common application data, which
//                        the installer creates writable for users)
//   "TraceMaxKB"  DWORD  size bound (default 1024, 16..65536): a file about
//                        to pass it is renamed to <path>.1 (replacing the
//                        older one) and a new file begun
//
// Writing never fails or holds up the caller beyond one short file append:
// a file that cannot be opened or written is given up for kRetrySeconds
// and the lines of that time are dropped. Thread-safe.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

class CRegistryAccess;

struct TraceLogSettings {
  int level = 0;  // 0 off
  std::string path;
  uint32_t maxBytes = 1024 * 1024;
};

// Reads the ServiceInfo values; level 0 when tracing is off or unusable.
// The default file lies under commonDataFolder (platform::CommonDataFolder
// in the one-argument form); without one only a TraceFile is written.
TraceLogSettings ReadTraceLogSettings(const CRegistryAccess& registry, const std::string& commonDataFolder);
TraceLogSettings ReadTraceLogSettings(const CRegistryAccess& registry);

// The default log's folder below the common application data folder.
constexpr char kTraceFolderName[] = "Tavo OPOS";

class CTraceLog {
 public:
  static constexpr int kRetrySeconds = 30;

  explicit CTraceLog(TraceLogSettings settings);
  ~CTraceLog();
  CTraceLog(const CTraceLog&) = delete;
  CTraceLog& operator=(const CTraceLog&) = delete;

  // True when a line of this text is logged at the configured level.
  bool Wants(const std::string& line) const;
  // Appends one line (prefix added here) if wanted; never throws.
  void Write(const std::string& line);

 private:
  bool EnsureOpen();
  void RollOver();

  const TraceLogSettings settings_;
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  std::chrono::steady_clock::time_point retryAt_{};
};

// Installs a trace sink writing to the log when the settings enable it;
// with level 0 the hook keeps discarding. Called once, before Service
// Objects are created.
void InstallTraceLog(const TraceLogSettings& settings);
