// The counters a Service Object keeps for one device, in a small text
// file that outlives the application: "Name=Value" lines, and the date the
// file was begun ("InstallationDate=YYYY-MM-DD"). Every change is written
// at once, to a new file that then takes the old one's place, so a crash
// leaves the old counts or the new, never a torn file.
//
// The file lies in the statistics folder: the ServiceInfo value
// "StatisticsFolder" when set, else "Tavo OPOS\Statistics" below the common
// application data folder (where every user of the till may write). With
// neither (a POSIX build without the value) the counts live in memory only.
//
// Threads: every member may be called from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

class CRegistryAccess;

class CStatisticsStore {
 public:
  // The file of one device: <folder>/<category>.<device name>.txt, the name
  // with characters a file name cannot hold replaced by '_'. Empty when
  // there is no folder.
  static std::string FileFor(const std::string& folder, const std::string& category,
                             const std::string& deviceName);
  static std::string FolderFromRegistry(const CRegistryAccess& registry);

  // Reads the file (a missing or unreadable one gives zero counts and a
  // new installation date of today); path empty: memory only.
  void Open(const std::string& path);
  // Reads the file again: another application may have counted meanwhile.
  void Reload();

  int64_t Value(const std::string& name) const;
  void Add(const std::string& name, int64_t n);
  void Set(const std::string& name, int64_t value);
  std::string InstallationDate() const;

  // Today as YYYY-MM-DD (UTC); exposed for tests.
  static std::string Today();

 private:
  void LoadLocked();
  bool SaveLocked() const;

  mutable std::mutex mutex_;
  std::string path_;
  std::map<std::string, int64_t> counts_;
  std::string installationDate_;
};
