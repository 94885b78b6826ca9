// From PrintNormal to the port: translation, state prefix, status check and
// write into a port that accepts everything at once. Pauses between strings
// are set to 0 so the figures show the software path alone.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <string>

#include "common/opos.h"
#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/state_prefix.h"
#include "service/pipeline/translator.h"
#include "service/printer/output_path.h"

namespace {

class NullPort : public IOutputPort {
 public:
  int32_t Write(const void*, int32_t length) override { return length; }
  int32_t Read(void*, int32_t, int32_t) override { return 0; }
  bool Lock(int32_t) override { return true; }
  void Unlock() override {}
  void Clear() override {}
};

// A claimed, enabled printer whose pipeline is the real one.
class BenchHost : public IOutputHost {
 public:
  PrintState state;
  bool async = false;

  bool CheckState(int32_t) override { return true; }
  int32_t ResultCode() const override { return rc_; }
  void SetResultCode(int32_t code) override { rc_ = code; }
  void SetResultCodeExtended(int32_t) override {}
  bool Claimed() const override { return true; }
  bool DeviceEnabled() const override { return true; }
  bool AsyncMode() const override { return async; }
  bool PowerNotifying() const override { return false; }
  int32_t CartridgeNotify() const override { return 0; }
  int32_t RecCurrentCartridge() const override { return 1; }
  void SetState(int32_t) override {}
  std::string BuildStatePrefix() override { return ::BuildStatePrefix(state); }
  int32_t TranslateText(const std::string& data, std::string* out) override {
    return TranslatePrintData(state, DecodeBinaryConversion(state.binaryConversion, data), out);
  }
  void ResetRotation() override {}
  void MarkResendAll() override {}
  bool AppendToPage(const std::vector<std::string>&, const JobTally&) override { return false; }
  void PostStatusUpdate(int32_t) override {}
  void PostOutputComplete(int32_t) override {
    std::lock_guard<std::mutex> g(m_);
    ++completed_;
    cv_.notify_all();
  }
  void PostError(int32_t, int32_t) override {}

  void WaitCompleted(int n) {
    std::unique_lock<std::mutex> l(m_);
    cv_.wait(l, [&] { return completed_ >= n; });
    completed_ = 0;
  }

 private:
  int32_t rc_ = 0;
  std::mutex m_;
  std::condition_variable cv_;
  int completed_ = 0;
};

std::string Esc(const char* rest) { return std::string("\x1B|") + rest; }

std::string Receipt() {
  std::string r = Esc("cA") + Esc("4C") + "TAVO MARKET\n" + Esc("N");
  for (int i = 1; i <= 36; ++i) r += "Item " + std::to_string(i) + Esc("rA") + "1.99\n" + Esc("N");
  r += Esc("bC") + "TOTAL" + Esc("rA") + "71.64\n" + Esc("N") + Esc("3lF") + Esc("fP");
  return r;
}

struct Bench {
  BenchHost host;
  NullPort port;
  COutputPath path{host};

  Bench() {
    host.state.printerType = 1;
    host.state.capRecPapercut = 1;
    host.state.linecharsNormal = 42;
    host.state.recLineChars = 42;
    host.state.lineSpacingDots = 30;
    host.state.recLinesToPaperCut = 4;
    OutputConfig config;
    config.portName = "TCP1";
    OutputTimings timings;
    timings.pauseClass13 = 0;
    timings.pauseClass2 = 0;
    path.Configure(config, &port);
    path.SetTimings(timings);
  }
};

void BM_PrintNormalSyncToNullPort(benchmark::State& st) {
  Bench b;
  const std::string data = Receipt();
  for (auto _ : st) benchmark::DoNotOptimize(b.path.PrintNormal(opos::PTR_S_RECEIPT, data));
}
BENCHMARK(BM_PrintNormalSyncToNullPort);

// Ten asynchronous receipts, timed until the output thread confirmed all.
void BM_PrintNormalAsyncTenToNullPort(benchmark::State& st) {
  Bench b;
  b.host.async = true;
  b.path.Start();
  const std::string data = Receipt();
  for (auto _ : st) {
    for (int i = 0; i < 10; ++i) b.path.PrintNormal(opos::PTR_S_RECEIPT, data);
    b.host.WaitCompleted(10);
  }
  b.path.Stop();
}
BENCHMARK(BM_PrintNormalAsyncTenToNullPort)->UseRealTime();

}  // namespace
