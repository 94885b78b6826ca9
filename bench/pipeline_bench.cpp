// Translation speed: a typical receipt (latency of one PrintNormal's
// translation) and a large mixed document (throughput).
#include <benchmark/benchmark.h>

#include <string>

#include "common/opos.h"
#include "bench/receipt_printer.h"
#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/state_prefix.h"
#include "service/pipeline/translator.h"

namespace {

std::string Esc(const char* rest) { return std::string("\x1B|") + rest; }

// 40 lines: a centred double-size header, items with right-aligned prices,
// bold and underlined totals, a feed and a cut.
std::string Receipt() {
  std::string r = Esc("cA") + Esc("4C") + Esc("bC") + "TAVO MARKET\n" + Esc("N");
  r += Esc("cA") + "12 Harbour Street\n" + Esc("cA") + "Till 3  Operator 17\n\n";
  for (int i = 1; i <= 30; ++i) {
    r += "Item " + std::to_string(i) + " description text";
    r += Esc("rA") + std::to_string(i) + ".99\n" + Esc("N");
  }
  r += Esc("bC") + Esc("2uC") + "TOTAL" + Esc("rA") + "494.70\n" + Esc("N");
  r += Esc("2hC") + Esc("2vC") + "CASH 500.00\n" + Esc("N");
  r += "VAT 20% included 82.45\n";
  r += "CHANGE 5.30\n" + Esc("rvC") + " THANK YOU \n" + Esc("N");
  r += Esc("cA") + "Keep this receipt\n" + Esc("3lF") + Esc("fP");
  return r;
}

void BM_TranslateReceipt(benchmark::State& st) {
  PrintState s = ReceiptPrinter();
  const std::string data = Receipt();
  for (auto _ : st) {
    std::string out;
    benchmark::DoNotOptimize(TranslatePrintData(s, data, &out));
    benchmark::DoNotOptimize(out.data());
  }
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_TranslateReceipt);

// 1 MiB of text lines interleaved with style, size, alignment, feed and
// embedded-data sequences.
std::string MixedMiB() {
  const std::string pieces[] = {
      "Plain line of text with some digits 0123456789\n",
      Esc("bC") + "Bold line\n" + Esc("N"),
      Esc("cA") + Esc("2C") + "Centred wide\n",
      Esc("3hC") + Esc("2vC") + "Big\n" + Esc("N"),
      Esc("2uC") + "Underlined" + Esc("N") + "\n",
      Esc("uF") + Esc("lF"),
      Esc("4E") + "\x1D\x76\x30\x01",
      Esc("rvC") + "Reverse\n" + Esc("N"),
  };
  std::string d;
  for (size_t i = 0; d.size() < (1u << 20); ++i) d += pieces[i % 8];
  d.resize(1u << 20);
  return d;
}

void BM_TranslateMixedMiB(benchmark::State& st) {
  PrintState s = ReceiptPrinter();
  const std::string data = MixedMiB();
  for (auto _ : st) {
    std::string out;
    benchmark::DoNotOptimize(TranslatePrintData(s, data, &out));
    benchmark::DoNotOptimize(out.data());
  }
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_TranslateMixedMiB)->Unit(benchmark::kMillisecond);

void BM_StatePrefix(benchmark::State& st) {
  PrintState s = ReceiptPrinter();
  for (auto _ : st) {
    s.resendFlags = RESEND_ALL;
    benchmark::DoNotOptimize(BuildStatePrefix(s));
  }
}
BENCHMARK(BM_StatePrefix);

void BM_DecodeNibbleMiB(benchmark::State& st) {
  const std::string text(1u << 20, '3');
  for (auto _ : st) benchmark::DoNotOptimize(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, text));
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_DecodeNibbleMiB)->Unit(benchmark::kMillisecond);

}  // namespace
