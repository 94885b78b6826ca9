// A fresh folder under the system's temporary folder, removed with the
// object. Path() gives it in the OS's own form, which the profile functions
// accept on both sides ("C:\...\" under Windows, "/tmp/..." elsewhere).
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <process.h>
#define TAVO_TEST_PID _getpid()
#else
#include <unistd.h>
#define TAVO_TEST_PID getpid()
#endif

namespace tavo_test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("tavo_" + std::to_string(TAVO_TEST_PID) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return dir_.string(); }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  // Writes raw bytes; the caller chooses the line ends.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    return File(name);
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace tavo_test
