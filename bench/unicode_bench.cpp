// CharacterSet 997: a receipt mixing Latin, Cyrillic and Greek (pages
// switched per character), and one line drawn as a picture.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/receipt_printer.h"
#include "service/pipeline/translator.h"
#include "service/printer/character_set.h"

namespace {

std::string Esc(const char* rest) { return std::string("\x1B|") + rest; }

// The pages of the TavoPOS-R200 profile, Unicode text on.
PrintState UnicodePrinter() {
  PrinterData d;
  d.print = ReceiptPrinter();
  d.characterSetList = "437,737,775,850,852,855,857,858,860,862,863,864,865,866,874,1251,1252,1253,1254,1255,1257,"
                       "998,999,997";
  d.metrics.lineWidthDots = 512;
  BuildUnicodeModel(d);
  d.print.unicodeText = true;
  return d.print;
}

// 40 lines: a header, items named in French, Russian and Greek with
// right-aligned prices, totals.
std::string MixedReceipt() {
  const char* items[] = {u8"Crème brûlée", u8"Пирожки с капустой", u8"Σουβλάκι χοιρινό", u8"Café au lait €",
                         u8"Борщ украинский", u8"Ελληνική σαλάτα"};
  std::string r = Esc("cA") + Esc("4C") + u8"ΤΑΒΕΡΝΑ · ТРАКТИР\n" + Esc("N");
  r += Esc("cA") + u8"Rue de la Paix 12\n\n";
  for (int i = 0; i < 34; ++i) r += std::string(items[i % 6]) + Esc("rA") + std::to_string(i) + ",90\n" + Esc("N");
  r += Esc("bC") + u8"ИТОГО / ΣΥΝΟΛΟ" + Esc("rA") + "494,70\n" + Esc("N");
  r += u8"Merci · Спасибо · Ευχαριστώ\n";
  r += Esc("cA") + u8"À bientôt\n";
  return r;
}

void BM_TranslateMixedReceipt(benchmark::State& st) {
  PrintState s = UnicodePrinter();
  const std::string data = MixedReceipt();
  for (auto _ : st) {
    std::string out;
    benchmark::DoNotOptimize(TranslatePrintData(s, data, &out));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TranslateMixedReceipt)->Unit(benchmark::kMicrosecond);

// One line that no page holds: Devanagari, drawn and sent as bit images.
void BM_TranslatePictureLine(benchmark::State& st) {
  PrintState s = UnicodePrinter();
  const std::string data = u8"नमस्ते दुनिया, आपका दिन शुभ हो\n";
  for (auto _ : st) {
    std::string out;
    benchmark::DoNotOptimize(TranslatePrintData(s, data, &out));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TranslatePictureLine)->Unit(benchmark::kMillisecond);

}  // namespace
