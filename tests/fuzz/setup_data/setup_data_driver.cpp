// Setup data checks: whatever setup.inf or posprn.inf holds, port counts
// stay in range, model lists end, and a model read as valid has every
// required string and a name usable as a key and a file name.
#include <filesystem>
#include <fstream>

#include "common/setup_data.h"
#include "tests/fuzz/fuzz_drivers.h"

#ifdef _WIN32
#include <process.h>
#define TAVO_FUZZ_PID _getpid()
#else
#include <unistd.h>
#define TAVO_FUZZ_PID getpid()
#endif

using namespace setup_data;

namespace {

const std::string& ScratchFolder() {
  static const std::string path = [] {
    const auto folder = std::filesystem::temp_directory_path() / ("tavo_fuzz_setup_" + std::to_string(TAVO_FUZZ_PID));
    std::filesystem::create_directories(folder);
    return folder.string();
  }();
  return path;
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream out(std::filesystem::path(ScratchFolder()) / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

bool InRange(int32_t count) { return count >= 0 && count <= kMaxPortCount; }

std::string CheckModels(const std::string& dir, ModelClass modelClass) {
  const std::vector<std::string> models = ReadModelList(dir, modelClass);
  if (models.size() > 255) return "model list longer than 255";
  for (const std::string& model : models) {
    if (model.empty()) return "empty model name listed";
    ModelInfo info;
    if (!ReadModelInfo(dir, modelClass, model, &info)) continue;
    if (info.deviceDesc.empty() || info.soName.empty() || info.description.empty() || info.vid.empty() ||
        info.pid.empty())
      return "model accepted without a required string";
    if (model.find_first_of("\\/") != std::string::npos) return "model name with a path separator accepted";
  }
  return "";
}

}  // namespace

std::string RunSetupDataInput(const uint8_t* data, size_t size) {
  if (size < 1) return "";
  const std::string& dir = ScratchFolder();
  const ModelClass modelClass = (data[0] & 2) ? ModelClass::kLineDisplay : ModelClass::kPrinter;
  // Bit 0 picks the file the text goes to; the other gets a fixed list so
  // the models' sections are looked up in the fuzzed one.
  if (data[0] & 1) {
    WriteFile(kPosPrnInf, data + 1, size - 1);
    WriteFile(kPosDispInf, data + 1, size - 1);
    static const char kList[] =
        "[READPOSPRINTER]\r\nREADPrinter1=A\r\nREADPrinter2=TavoPOS-R200\r\n"
        "[READDISPLAY]\r\nREADDisplay1=A\r\nREADDisplay2=QDX-200\r\n";
    WriteFile(kSetupInf, reinterpret_cast<const uint8_t*>(kList), sizeof kList - 1);
  } else {
    WriteFile(kSetupInf, data + 1, size - 1);
    WriteFile(kPosPrnInf, data + 1, size - 1);
    WriteFile(kPosDispInf, data + 1, size - 1);
  }
  if (!InRange(ReadComRange(dir)) || !InRange(ReadLptRange(dir)) || !InRange(ReadLptmRange(dir)))
    return "port count out of range";
  std::string version;
  if (ReadVersion(dir, &version) && version.empty()) return "empty version read as present";
  ReadVersionDescription(dir);
  CashDrawerInfo drawer;
  ReadCashDrawerInfo(dir, &drawer);
  if (const int32_t count = data[0] >> 2; count < 64 && (!WriteComRange(dir, count) || ReadComRange(dir) != count))
    return "written port count does not read back";
  return CheckModels(dir, modelClass);
}
