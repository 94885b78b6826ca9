// Profile file checks: whatever a file holds, reads stay inside their
// buffer, and writing one key makes it read back while a key of another
// section keeps its value. The first input byte picks the written value;
// the rest is the file's text.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/profile_file.h"
#include "tests/fuzz/fuzz_drivers.h"

#ifdef _WIN32
#include <process.h>
#define TAVO_FUZZ_PID _getpid()
#else
#include <unistd.h>
#define TAVO_FUZZ_PID getpid()
#endif

namespace {

std::string ScratchFile() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("tavo_fuzz_profile_" + std::to_string(TAVO_FUZZ_PID) + ".inf"))
          .string();
  return path;
}

std::string CheckReads(const std::string& file) {
  const char* sections[] = {"S", "T", "", "s"};
  const char* keys[] = {"k", "K", "x"};
  for (const char* section : sections) {
    for (const char* key : keys) {
      for (size_t buffer : {1, 2, 30, 255}) {
        if (platform::ProfileGetString(file, section, key, "default", buffer).size() >= buffer)
          return "read longer than its buffer";
      }
      platform::ProfileGetInt(file, section, key, 4);
    }
  }
  return "";
}

}  // namespace

std::string RunProfileInput(const uint8_t* data, size_t size) {
  if (size < 1) return "";
  const std::string file = ScratchFile();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data) + 1, static_cast<std::streamsize>(size - 1));
  }
  std::string problem = CheckReads(file);
  const std::string other = platform::ProfileGetString(file, "T", "k", "none", 255);
  const std::string value = "v" + std::to_string(data[0]);
  if (problem.empty() && !platform::ProfileWriteString(file, "S", "k", value)) problem = "write failed";
  if (problem.empty() && platform::ProfileGetString(file, "S", "k", "none", 255) != value)
    problem = "written value does not read back";
  if (problem.empty() && platform::ProfileGetString(file, "T", "k", "none", 255) != other)
    problem = "write changed another section";
  if (problem.empty()) problem = CheckReads(file);
  std::remove(file.c_str());
  return problem;
}
