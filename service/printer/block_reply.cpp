#include "service/printer/block_reply.h"

#include <chrono>
#include <thread>

#include "service/printer/output_path.h"

namespace {
constexpr char kHeader = '\x5F';
constexpr int32_t kReadSliceMs = 100;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string CounterCommand(char fn, int32_t counter) {
  return std::string{'\x1D', 'g', fn, '\0', static_cast<char>(counter & 0xFF), static_cast<char>((counter >> 8) & 0xFF)};
}
}  // namespace

bool ParseBlockReply(std::string_view bytes, std::string* text) {
  const size_t header = bytes.find(kHeader);
  if (header == std::string_view::npos) return false;
  const size_t end = bytes.find('\0', header + 1);
  if (end == std::string_view::npos) return false;
  text->assign(bytes.substr(header + 1, end - header - 1));
  return true;
}

bool AskBlockReply(IOutputPort& port, std::string_view request, int32_t waitMs, std::string* text) {
  if (!port.Lock(waitMs)) return false;
  port.Clear();
  bool answered = false;
  if (port.Write(request.data(), static_cast<int32_t>(request.size())) == static_cast<int32_t>(request.size())) {
    std::string bytes;
    const int64_t deadline = NowMs() + waitMs;
    while (!(answered = ParseBlockReply(bytes, text)) && NowMs() < deadline) {
      char buffer[64];
      const int32_t n = port.Read(buffer, sizeof buffer, kReadSliceMs);
      if (n > 0) bytes.append(buffer, static_cast<size_t>(n));
      if (n <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));  // a port that does not wait
    }
  }
  port.Unlock();
  return answered;
}

std::string MaintenanceCounterRequest(int32_t counter) { return CounterCommand('2', counter); }
std::string MaintenanceCounterReset(int32_t counter) { return CounterCommand('0', counter); }
std::string PrinterInformationRequest(uint8_t n) { return std::string{'\x1D', 'I', static_cast<char>(n)}; }
