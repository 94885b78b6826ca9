// CharacterSet 997 through COM: sentences of many languages handed as
// Unicode come back from the virtual printer's paper as sent (Hebrew in
// visual order); what no page or font of the printer holds arrives as
// bit images in the line, never as '?'.
#include "e2e_fixture.h"
#include "platform/com/win32/dispatch_call.h"
#include "scratch_registry.h"

namespace {

constexpr long kCharacterSet = 8002, kUnicode = 997;

class Unicode997 : public PrinterE2e {
 protected:
  void SetUp() override {
    PrinterE2e::SetUp();
    OpenClaimEnable();
    printer_.SetNumber(kCharacterSet, kUnicode);
    ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  }
  long Print(const std::wstring& text) {
    return printer_.Call(L"PrintNormal", {PrinterSession::Long(2), dispatch::WideText(text)});
  }
  bool PaperShows(const std::string& utf8) {
    return PumpUntil([&] { return ControlOk("text").find(utf8) != std::string::npos; });
  }
  static int BitImages(const CommandLog& log) {
    int n = 0;
    for (const LoggedCommand& c : log.Since()) n += c.cmd == "bit-image" ? 1 : 0;
    return n;
  }
};

TEST_F(Unicode997, SentencesOfTwentySixLanguagesComeBackAsSent) {
  const struct {
    const wchar_t* language;
    std::wstring text;
    std::wstring paper;  // as printed, when the order changes
  } lines[] = {
      {L"English", L"The quick brown fox jumps over the lazy dog", L""},
      {L"French", L"\u0152uf, cr\u00E8me br\u00FBl\u00E9e et caf\u00E9 : 4,50 \u20AC", L""},
      {L"German", L"Gr\u00F6\u00DFe: Stra\u00DFe, \u00DCbung, \u00E4rgerlich", L""},
      {L"Spanish", L"\u00BFD\u00F3nde est\u00E1 el ba\u00F1o? \u00A1Ma\u00F1ana!", L""},
      {L"Portuguese", L"N\u00E3o h\u00E1 a\u00E7\u00E3o sem cora\u00E7\u00E3o", L""},
      {L"Polish", L"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144", L""},
      {L"Czech", L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148 \u00FAp\u011Bl \u010F\u00E1belsk\u00E9 \u00F3dy", L""},
      {L"Hungarian", L"\u00C1rv\u00EDzt\u0171r\u0151 t\u00FCk\u00F6rf\u00FAr\u00F3g\u00E9p", L""},
      {L"Croatian", L"\u010Cevap\u010Di\u0107i i \u0111uve\u010D, \u0160ibenik", L""},
      {L"Turkish", L"\u00C7ok g\u00FCzel, a\u011Fa\u00E7 \u0131\u015F\u0131k \u015Fi\u015Fe", L""},
      {L"Lithuanian", L"\u0104\u017Euol\u0173 \u016Bsas, \u0117jo \u012F \u0161il\u0105", L""},
      {L"Latvian", L"\u0122\u0113rbies, \u010D\u012Bksto\u0161s \u016Bdens", L""},
      {L"Estonian", L"J\u00E4\u00E4tis ja \u00F5un", L""},
      {L"Danish", L"Bl\u00E5b\u00E6rgr\u00F8d og \u00E6bleskiver", L""},
      {L"Icelandic", L"\u00DE\u00F3r\u00F0ur og \u00C1sd\u00EDs", L""},
      {L"Russian", L"\u0421\u044A\u0435\u0448\u044C \u0436\u0435 \u0435\u0449\u0451 \u044D\u0442\u0438\u0445 \u0431\u0443\u043B\u043E\u043A", L""},
      {L"Ukrainian", L"\u0407\u0436\u0430\u043A \u0456 \u0491\u0430\u0432\u0430 \u043F'\u044E\u0442\u044C \u043A\u0430\u0432\u0443", L""},
      {L"Bulgarian", L"\u0417\u0434\u0440\u0430\u0432\u0435\u0439\u0442\u0435, \u0431\u043B\u0430\u0433\u043E\u0434\u0430\u0440\u044F", L""},
      {L"Serbian", L"\u0402\u043E\u0440\u0452\u0435 \u0438 \u0409\u0438\u0459\u0430\u043D\u0430", L""},
      {L"Greek", L"\u039E\u03B5\u03C3\u03BA\u03B5\u03C0\u03AC\u03B6\u03C9 \u03C4\u03B7\u03BD \u03C8\u03C5\u03C7\u03AE", L""},
      {L"Hebrew", L"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD", L"\u05DD\u05DC\u05D5\u05E2 \u05DD\u05D5\u05DC\u05E9"},
      {L"Thai", L"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35\u0E04\u0E23\u0E31\u0E1A \u0E22\u0E34\u0E19\u0E14\u0E35\u0E15\u0E49\u0E2D\u0E19\u0E23\u0E31\u0E1A", L""},
      {L"Japanese", L"\u3053\u3093\u306B\u3061\u306F\u4E16\u754C\u3001\u65E5\u672C\u8A9E\u3067\u3059", L""},
      {L"Chinese (simplified)", L"\u6B22\u8FCE\u5149\u4E34\uFF0C\u8C22\u8C22\u60E0\u987E", L""},
      {L"Chinese (traditional)", L"\u6B61\u8FCE\u5149\u81E8\uFF0C\u8B1D\u8B1D\u60E0\u9867", L""},
      {L"Korean", L"\uC548\uB155\uD558\uC138\uC694 \uAC10\uC0AC\uD569\uB2C8\uB2E4", L""},
  };
  for (const auto& line : lines) {
    SCOPED_TRACE(dispatch::Utf8(line.language));
    CommandLog log;
    ASSERT_EQ(Print(line.text + L"\n"), 0);
    const std::string paper = dispatch::Utf8(line.paper.empty() ? line.text : line.paper);
    EXPECT_TRUE(PaperShows(paper)) << ControlOk("text");
    EXPECT_EQ(BitImages(log), 0) << "drawn instead of printed as text";
  }
}

TEST_F(Unicode997, WhatNoTableHoldsIsDrawnInTheLineAndNeverAQuestionMark) {
  const struct {
    std::wstring line;
    const char* text;  // what stays text around the pictures
  } lines[] = {
      {L"V1 Ti\u1EBFng Vi\u1EC7t c\u00F3 d\u1EA5u V2", "u V2"},
      // A right-to-left line with something to draw is drawn whole.
      {L"A1 \u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645", nullptr},
      {L"H1 \u0928\u092E\u0938\u094D\u0924\u0947 \u0926\u0941\u0928\u093F\u092F\u093E H2", " H2"},
      {L"E1 Pizza \U0001F355 and coffee \u2615 E2", " and coffee "},
  };
  for (const auto& l : lines) {
    SCOPED_TRACE(dispatch::Utf8(l.line));
    CommandLog log;
    ASSERT_EQ(Print(l.line + L"\n"), 0);
    ASSERT_TRUE(PumpUntil([&] { return BitImages(log) > 0; })) << log.HexSince();
    if (l.text != nullptr) {
      EXPECT_TRUE(WaitForText(log, l.text)) << log.TextSince();
    }
    EXPECT_EQ(log.TextSince().find('?'), std::string::npos) << log.TextSince();
  }
}

TEST_F(Unicode997, AHebrewLineWithABoldTotalIsOrderedAsOneLine) {
  const std::wstring esc = L"\x1b|";
  ASSERT_EQ(Print(L"\u05E1\u05DA \u05D4\u05DB\u05DC " + esc + L"bC12.50" + esc + L"N\n"), 0);
  // "12.50 לכה ךס": the bold amount left of the label it follows.
  EXPECT_TRUE(PaperShows("12.50 \xD7\x9C\xD7\x9B\xD7\x94 \xD7\x9A\xD7\xA1")) << ControlOk("text");
}

TEST_F(Unicode997, AlignmentAndStylesStayAroundPagesAndPictures) {
  const std::wstring esc = L"\x1b|";
  CommandLog log;
  ASSERT_EQ(Print(esc + L"cA" + esc + L"bC\u0414\u043E\u0431\u0440\u043E \U0001F600 \u03A3\u03AD" + esc + L"N\n" +
                  esc + L"2C\u05E9\u05DC\u05D5\u05DD\n"),
            0);
  EXPECT_TRUE(PaperShows("\xCE\xA3\xCE\xAD")) << ControlOk("text");
  EXPECT_TRUE(PaperShows("\xD7\x9D\xD7\x95\xD7\x9C\xD7\xA9")) << ControlOk("text");
  EXPECT_TRUE(PaperShows("\xD0\x94\xD0\xBE\xD0\xB1\xD1\x80\xD0\xBE")) << ControlOk("text");
  const std::string hex = log.HexSince();
  EXPECT_NE(hex.find("1b6101"), std::string::npos) << hex;  // centred
  EXPECT_NE(hex.find("1b2108"), std::string::npos) << hex;  // bold
  EXPECT_NE(hex.find("1b2a21"), std::string::npos) << hex;  // the emoji in the line
  EXPECT_EQ(ControlOk("text").find('|'), std::string::npos);
  // Other CharacterSets behave as before: the same line in PC437 has '?'.
  printer_.SetNumber(kCharacterSet, 437);
  ASSERT_EQ(Print(L"Q \u0416\n"), 0);
  EXPECT_TRUE(PaperShows("Q ?")) << ControlOk("text");
}

// A model whose profile names Shift JIS: what no page holds goes in Kanji
// mode, and the virtual printer (Shift JIS by default) reads it back.
TEST_F(PrinterE2e, AShiftJisModelPrintsJapaneseInKanjiMode) {
  ScratchProfile profile("e2e-kanji.inf");
  ASSERT_TRUE(profile.Ready());
  profile.Set("POSPRINTER", "MultiByteMode", "ShiftJIS");
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.SetText("inf", profile.Path());
  ASSERT_EQ(printer_.Open(entry.Name(), recorder_), 0);
  ASSERT_EQ(printer_.Claim(), 0);
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  printer_.SetNumber(kCharacterSet, kUnicode);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  CommandLog log;
  const std::wstring line = L"\u9818\u53CE\u66F8 \u5408\u8A08 1,234\u5186 Caf\u00E9\n";
  ASSERT_EQ(printer_.Call(L"PrintNormal", {PrinterSession::Long(2), dispatch::WideText(line)}), 0);
  const std::string paper = dispatch::Utf8(line.substr(0, line.size() - 1));
  EXPECT_TRUE(PumpUntil([&] { return ControlOk("text").find(paper) != std::string::npos; })) << ControlOk("text");
  const std::string hex = log.HexSince();
  EXPECT_NE(hex.find("1c4301"), std::string::npos) << hex;  // Shift JIS chosen
  EXPECT_NE(hex.find("1c26"), std::string::npos) << hex;    // Kanji mode
  EXPECT_EQ(hex.find("1b2a21"), std::string::npos) << hex;  // nothing drawn
}

}  // namespace
