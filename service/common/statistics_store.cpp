#include "service/common/statistics_store.h"

#include <ctime>
#include <fstream>
#include <sstream>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/system.h"
#include "service/common/statistics_file.h"

namespace {

constexpr char kFolderValue[] = "StatisticsFolder";
constexpr char kDefaultFolder[] = "Tavo OPOS\\Statistics";

char Separator(const std::string& folder) { return folder.find('\\') != std::string::npos ? '\\' : '/'; }

bool FileNameChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_' ||
         c == ' ' || c == '.';
}

}  // namespace

std::string CStatisticsStore::FileFor(const std::string& folder, const std::string& category,
                                      const std::string& deviceName) {
  if (folder.empty()) return std::string();
  std::string name = category + "." + deviceName;
  for (char& c : name) c = FileNameChar(c) ? c : '_';
  return folder + Separator(folder) + name + ".txt";
}

std::string CStatisticsStore::FolderFromRegistry(const CRegistryAccess& registry) {
  std::string folder;
  if (registry.ReadString(schema::kServiceInfoKey, kFolderValue, &folder) && !folder.empty()) return folder;
  const std::string common = platform::CommonDataFolder();
  return common.empty() ? std::string() : common + "\\" + kDefaultFolder;
}

std::string CStatisticsStore::Today() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#if defined(_WIN32)
  utc = *std::gmtime(&now);  // the Windows runtime keeps it per thread
#else
  gmtime_r(&now, &utc);
#endif
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
  return text;
}

void CStatisticsStore::Open(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  path_ = path;
  LoadLocked();
}

void CStatisticsStore::Reload() {
  std::lock_guard<std::mutex> lock(mutex_);
  LoadLocked();
}

void CStatisticsStore::LoadLocked() {
  std::ifstream in(path_, std::ios::binary);
  if (path_.empty() || !in) {
    if (installationDate_.empty()) installationDate_ = Today();
    return;
  }
  std::stringstream text;
  text << in.rdbuf();
  StatisticsFileContent content = ReadStatisticsFile(text.str());
  counts_.swap(content.counts);
  if (!content.installationDate.empty()) installationDate_ = content.installationDate;
  if (installationDate_.empty()) installationDate_ = Today();
}

bool CStatisticsStore::SaveLocked() const {
  if (path_.empty()) return true;
  const size_t slash = path_.find_last_of("\\/");
  if (slash != std::string::npos) platform::MakeFolder(path_.substr(0, slash));
  const std::string temporary = path_ + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << WriteStatisticsFile({counts_, installationDate_});
    out.flush();
    if (!out) return false;
  }
  return platform::MoveFileOver(temporary, path_);
}

int64_t CStatisticsStore::Value(const std::string& name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = counts_.find(name);
  return it == counts_.end() ? 0 : it->second;
}

void CStatisticsStore::Add(const std::string& name, int64_t n) {
  if (n == 0) return;
  std::lock_guard<std::mutex> lock(mutex_);
  int64_t& count = counts_[name];
  count = AddStatisticCounts(count, n);
  SaveLocked();
}

void CStatisticsStore::Set(const std::string& name, int64_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  counts_[name] = value;
  SaveLocked();
}

std::string CStatisticsStore::InstallationDate() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return installationDate_;
}
