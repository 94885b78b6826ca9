#include "common/trace_log.h"

#include <cstring>
#include <ctime>
#include <memory>
#include <sstream>
#include <thread>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/trace.h"
#include "platform/system.h"

namespace {

constexpr uint32_t kMinKB = 16;
constexpr uint32_t kMaxKB = 64 * 1024;
constexpr char kDefaultName[] = "tavo-trace.log";

// Lines logged at level 1; everything else needs level 2.
constexpr const char* kResultPrefixes[] = {"End ", "Error "};

std::string Prefix() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const long millis = static_cast<long>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  std::ostringstream out;
  out << stamp << '.' << (millis < 100 ? (millis < 10 ? "00" : "0") : "") << millis << " thread "
      << std::this_thread::get_id() << " object ";
  if (const void* object = CurrentTraceObject()) {
    out << object;
  } else {
    out << '-';
  }
  out << ": ";
  return out.str();
}

}  // namespace

TraceLogSettings ReadTraceLogSettings(const CRegistryAccess& registry) {
  return ReadTraceLogSettings(registry, platform::CommonDataFolder());
}

// Not the installation folder: a till application running as a standard
// user cannot write under Program Files.
TraceLogSettings ReadTraceLogSettings(const CRegistryAccess& registry, const std::string& commonDataFolder) {
  TraceLogSettings settings;
  int32_t level = 0;
  registry.ReadNumber(schema::kServiceInfoKey, schema::kTraceLevel, &level);
  if (level <= 0) return settings;
  settings.level = level > 2 ? 2 : level;
  if (!registry.ReadString(schema::kServiceInfoKey, schema::kTraceFile, &settings.path) || settings.path.empty()) {
    if (commonDataFolder.empty()) {
      settings.level = 0;  // nowhere to write
      return settings;
    }
    settings.path = commonDataFolder + "\\" + kTraceFolderName + "\\" + kDefaultName;
  }
  int32_t kb = 1024;
  registry.ReadNumber(schema::kServiceInfoKey, schema::kTraceMaxKB, &kb);
  const uint32_t bounded = kb < static_cast<int32_t>(kMinKB) ? kMinKB : (static_cast<uint32_t>(kb) > kMaxKB ? kMaxKB : static_cast<uint32_t>(kb));
  settings.maxBytes = bounded * 1024;
  return settings;
}

CTraceLog::CTraceLog(TraceLogSettings settings) : settings_(std::move(settings)) {}

CTraceLog::~CTraceLog() {
  if (file_) std::fclose(file_);
}

bool CTraceLog::Wants(const std::string& line) const {
  if (settings_.level >= 2) return true;
  if (settings_.level < 1) return false;
  for (const char* prefix : kResultPrefixes) {
    if (line.compare(0, std::strlen(prefix), prefix) == 0) return true;
  }
  return false;
}

bool CTraceLog::EnsureOpen() {
  if (file_) return true;
  if (std::chrono::steady_clock::now() < retryAt_) return false;
  file_ = std::fopen(settings_.path.c_str(), "ab");
  if (!file_) {
    retryAt_ = std::chrono::steady_clock::now() + std::chrono::seconds(kRetrySeconds);
    return false;
  }
  std::fseek(file_, 0, SEEK_END);
  const long at = std::ftell(file_);
  size_ = at > 0 ? static_cast<uint64_t>(at) : 0;
  return true;
}

void CTraceLog::RollOver() {
  std::fclose(file_);
  file_ = nullptr;
  const std::string older = settings_.path + ".1";
  std::remove(older.c_str());  // rename does not replace on Windows
  std::rename(settings_.path.c_str(), older.c_str());
  // Should the rename fail, the file is started afresh rather than grow.
  file_ = std::fopen(settings_.path.c_str(), "wb");
  size_ = 0;
  if (!file_) retryAt_ = std::chrono::steady_clock::now() + std::chrono::seconds(kRetrySeconds);
}

void CTraceLog::Write(const std::string& line) {
  if (!Wants(line)) return;
  try {
    const std::string text = Prefix() + line + "\r\n";
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureOpen()) return;
    if (size_ > 0 && size_ + text.size() > settings_.maxBytes) {
      RollOver();
      if (!file_) return;
    }
    const size_t written = std::fwrite(text.data(), 1, text.size(), file_);
    size_ += written;
    if (written != text.size() || std::fflush(file_) != 0) {
      std::fclose(file_);
      file_ = nullptr;
      retryAt_ = std::chrono::steady_clock::now() + std::chrono::seconds(kRetrySeconds);
    }
  } catch (...) {
    // A trace line is never worth a failed call.
  }
}

void InstallTraceLog(const TraceLogSettings& settings) {
  if (settings.level <= 0) return;
  auto log = std::make_shared<CTraceLog>(settings);
  SetTraceSink([log](const std::string& line) { log->Write(line); });
}
