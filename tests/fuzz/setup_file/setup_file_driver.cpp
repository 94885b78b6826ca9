// Device set-up file checks: whatever a file holds, reading it ends with
// either a set-up or problem lines (never both empty); a set-up that reads
// is written again and reads back value for value, and so does that text.
#include "common/setup_file.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

std::string Compare(const setup_file::SetupFile& a, const setup_file::SetupFile& b) {
  if (a.format != b.format || a.ports.size() != b.ports.size() || a.devices.size() != b.devices.size()) {
    return "the written set-up reads back with other sections";
  }
  for (size_t i = 0; i < a.ports.size(); ++i) {
    if (a.ports[i].key != b.ports[i].key || a.ports[i].count != b.ports[i].count) return "a port count changed";
  }
  for (size_t d = 0; d < a.devices.size(); ++d) {
    const setup_file::Device& x = a.devices[d];
    const setup_file::Device& y = b.devices[d];
    if (x.deviceClass != y.deviceClass || x.name != y.name || x.values.size() != y.values.size()) {
      return "a device changed: " + x.name;
    }
    for (size_t v = 0; v < x.values.size(); ++v) {
      const RegistryValue& p = x.values[v].value;
      const RegistryValue& q = y.values[v].value;
      if (p.name != q.name || p.type != q.type || p.bytes != q.bytes) return "a value changed: " + p.name;
    }
  }
  return "";
}

}  // namespace

std::string RunSetupFileInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  setup_file::SetupFile file;
  std::vector<std::string> problems;
  const bool read = setup_file::Parse(bytes, &file, &problems);
  if (read != problems.empty()) return "the result and the problem lines disagree";
  if (problems.size() > 100) return "more than 100 problem lines";
  if (!read) return "";
  std::string text;
  if (!setup_file::Write(file, &text, &problems)) return "a set-up that was read can't be written";
  setup_file::SetupFile again;
  if (!setup_file::Parse(text, &again, &problems)) return "the written set-up is refused: " + problems[0];
  const std::string changed = Compare(file, again);
  if (!changed.empty()) return changed;
  std::string text2;
  setup_file::Write(again, &text2, &problems);
  return text2 == text ? "" : "writing the set-up twice gives two texts";
}
