// International text: a 40-line receipt in Unicode mapped into a code page
// (what PrintNormal adds while MapCharacterSet is on), alone and followed by
// its translation.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/receipt_printer.h"
#include "common/codepage/code_page.h"
#include "service/pipeline/state_prefix.h"
#include "service/pipeline/translator.h"

namespace {

// 40 lines of about 40 characters: accented item names, euro prices, and
// the usual style sequences.
std::u16string Receipt() {
  std::u16string r = u"\x1b|cA\x1b|4C\x1b|bCCAFÉ DE LA GARE\n\x1b|N\x1b|cA12 rue de la Paix\n\n";
  for (int i = 1; i <= 34; ++i) {
    const std::u16string n(1, static_cast<char16_t>(u'0' + i % 10));
    r += u"Crème brûlée n°" + n + u"  Straße Äpfel\x1b|rA" + n + u",50 €\n";
  }
  r += u"\x1b|bC\x1b|2uCTOTAL\x1b|rA204,00 €\n\x1b|N\x1b|cAMerci, à bientôt !\n\x1b|3lF\x1b|fP";
  return r;
}

void BM_MapReceipt(benchmark::State& st) {
  const codepage::Table& table = *codepage::Find(858);
  const std::u16string text = Receipt();
  for (auto _ : st) {
    std::string out;
    codepage::Encode(table, text, out);
    benchmark::DoNotOptimize(out.data());
  }
  st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_MapReceipt);

void BM_MapAndTranslateReceipt(benchmark::State& st) {
  const codepage::Table& table = *codepage::Find(858);
  const std::u16string text = Receipt();
  PrintState s = ReceiptPrinter();
  for (auto _ : st) {
    std::string data, out;
    codepage::Encode(table, text, data);
    benchmark::DoNotOptimize(TranslatePrintData(s, data, &out));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MapAndTranslateReceipt);

}  // namespace
