// International text: Unicode print data through the Service Object, in
// the code page of each CharacterSet, read back from the virtual printer's
// paper text and command log; the '?' rule; MapCharacterSet off; escape
// sequences around mapped text.
#include "e2e_fixture.h"
#include "platform/com/win32/dispatch_call.h"

namespace {

constexpr long kCharacterSet = 8002, kMapCharacterSet = 8045;

std::string HexByte(int n) {
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02x", n & 0xFF);
  return hex;
}

class International : public PrinterE2e {
 protected:
  long Print(const std::wstring& text) {
    return printer_.Call(L"PrintNormal", {PrinterSession::Long(2), dispatch::WideText(text)});
  }
  // The paper's text (the printer's `text` reply) once it holds `utf8`.
  bool PaperShows(const std::string& utf8) {
    return PumpUntil([&] { return ControlOk("text").find(utf8) != std::string::npos; });
  }
};

TEST_F(International, EveryCodePageGetsItsOwnBytesAndPrintsBackTheSameText) {
  OpenClaimEnable();
  const struct {
    long characterSet;
    int escT;
    std::wstring text;
    const char* hex;
  } pages[] = {
      {437, 0, L"Crème brûlée ½ ß", "43728a6d65206272966c826520ab20e1"},
      {737, 29, L"Καλημέρα σας", "8998a29ea3e2a89820a998aa"},
      {775, 30, L"Ąžuolų ūsas", "b5d8756f6cd620d7736173"},
      {850, 2, L"Façade naïve ©", "466187616465206e618b766520b8"},
      {852, 18, L"Žluťoučký kůň", "a66c759c6f759f6bec206b85e5"},
      {855, 7, L"Добро утро", "a7d6a2e1d620e7e5e1d6"},
      {857, 8, L"Ağaç ışık", "41a76187208d9f8d6b"},
      {858, 19, L"Crème 4,50 €", "43728a6d6520342c353020d5"},
      {860, 3, L"Pão ação", "50846f206187846f"},
      {862, 21, L"שלום עולם", "998c858d2092858c8d"},
      {863, 4, L"Québec Ç", "5175826265632080"},
      {864, 22, L"\uFE8D\uFEDF\uFEB3\uFED3 12", "c7e4d3e1203132"},
      {865, 5, L"Ærø Ålborg", "92729b208f6c626f7267"},
      {866, 17, L"Привет мир", "8fe0a8a2a5e220aca8e0"},
      {874, 36, L"สวัสดี", "cac7d1cab4d5"},
      {1251, 28, L"Здравствуйте", "c7e4f0e0e2f1f2e2f3e9f2e5"},
      {1252, 16, L"Crème brûlée 4,50 €", "4372e86d65206272fb6ce96520342c35302080"},
      {1253, 24, L"Ελλάδα", "c5ebebdce4e1"},
      {1254, 25, L"Ağaç ışık", "41f061e720fdfefd6b"},
      {1255, 33, L"שלום", "f9ece5ed"},
      {1257, 26, L"Ąžuolas", "c0fe756f6c6173"},
      {998, 0, L"Crème", "43728a6d65"},
      {999, 16, L"4,50 €", "342c35302080"},
      {1, 1, L"ｱｲｳｴｵ", "b1b2b3b4b5"},
  };
  for (const auto& page : pages) {
    SCOPED_TRACE(page.characterSet);
    printer_.SetNumber(kCharacterSet, page.characterSet);
    ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
    CommandLog log;
    ASSERT_EQ(Print(page.text + L"\n"), 0);
    const std::string utf8 = dispatch::Utf8(page.text);
    EXPECT_TRUE(PaperShows(utf8)) << ControlOk("text");
    ASSERT_TRUE(WaitForText(log, utf8)) << "the log shows " << log.TextSince();
    const std::string hex = log.HexSince();
    const size_t table = hex.find("1b74" + HexByte(page.escT));
    EXPECT_NE(table, std::string::npos) << hex;
    EXPECT_GT(hex.find(page.hex), table) << hex;
  }
}

TEST_F(International, MissingCharactersBecomeOneQuestionMarkEach) {
  OpenClaimEnable();
  printer_.SetNumber(kCharacterSet, 437);
  CommandLog log;
  // The euro sign, an ideograph and an emoji (two UTF-16 units) are not in
  // PC437; the neighbours stay in place.
  ASSERT_EQ(Print(L"Q1 \u20AC=\u4E2D=\U0001F600=\u00E9 Q2\n"), 0);
  EXPECT_TRUE(PaperShows("Q1 ?=?=?=\xC3\xA9 Q2")) << ControlOk("text");
  ASSERT_TRUE(WaitForText(log, "Q2"));
  EXPECT_NE(log.HexSince().find("513120" "3f3d3f3d3f3d82" "205132"), std::string::npos) << log.HexSince();
}

TEST_F(International, WithoutMappingTextGoesInTheSystemCodePage) {
  OpenClaimEnable();
  printer_.SetNumber(kMapCharacterSet, 0);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  printer_.SetNumber(kCharacterSet, 437);
  CommandLog log;
  ASSERT_EQ(Print(L"U1 Crème U2\n"), 0);
  ASSERT_TRUE(WaitForText(log, "U2"));
  // The bytes Windows' ANSI conversion gives, whatever table the printer has.
  char ansi[8] = {};
  WideCharToMultiByte(CP_ACP, 0, L"\u00E8", 1, ansi, sizeof ansi, nullptr, nullptr);
  EXPECT_NE(log.HexSince().find("4372" + HexByte(static_cast<unsigned char>(ansi[0])) + "6d65"), std::string::npos)
      << log.HexSince();
  printer_.SetNumber(kMapCharacterSet, 1);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  CommandLog mapped;
  ASSERT_EQ(Print(L"U3 Crème U4\n"), 0);
  ASSERT_TRUE(WaitForText(mapped, "U3 Crème U4"));
  EXPECT_NE(mapped.HexSince().find("43728a6d65"), std::string::npos) << mapped.HexSince();
}

TEST_F(International, EscapeSequencesKeepWorkingAroundMappedText) {
  OpenClaimEnable();
  printer_.SetNumber(kCharacterSet, 858);
  CommandLog log;
  const std::wstring esc = L"\x1b|";
  ASSERT_EQ(Print(esc + L"cA" + esc + L"bC\u20AC 4,50" + esc + L"N" + esc + L"2C\u00C4\u00D6\u00DC\n" + esc + L"N" +
                  L"\u00E9" + esc + L"uC" + L"\u00DF\n"),
            0);
  ASSERT_EQ(printer_.Call(L"PrintImmediate", {PrinterSession::Long(2), dispatch::WideText(L"Imm \u20AC\n")}), 0);
  EXPECT_EQ(printer_.Call(L"ValidateData", {PrinterSession::Long(2), dispatch::WideText(esc + L"bC\u20AC\u4E2D")}), 0);
  EXPECT_TRUE(PaperShows("Imm \xE2\x82\xAC")) << ControlOk("text");
  const std::string paper = ControlOk("text");
  for (const char* line : {"\xE2\x82\xAC 4,50", "\xC3\x84\xC3\x96\xC3\x9C", "\xC3\xA9\xC3\x9F"})
    EXPECT_NE(paper.find(line), std::string::npos) << line << " missing from " << paper;
  EXPECT_EQ(paper.find("|"), std::string::npos) << "an escape sequence reached the paper as text: " << paper;
  const std::string hex = log.HexSince();
  EXPECT_NE(hex.find("1b6101"), std::string::npos);  // centred
  EXPECT_NE(hex.find("d520342c3530"), std::string::npos) << hex;
  EXPECT_NE(hex.find("8e999a"), std::string::npos) << hex;  // ÄÖÜ in PC858
}

}  // namespace
