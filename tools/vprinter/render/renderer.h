// Puts the print commands on paper: text in both fonts with every style,
// images, bar codes and symbols, page mode, feeds and cuts. Holds the
// printer's print settings and its stored images. Event loop thread only.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/vprinter/decode/command.h"
#include "tools/vprinter/render/barcode.h"
#include "tools/vprinter/render/bitmap.h"
#include "tools/vprinter/render/receipts.h"
#include "tools/vprinter/text/text_decoder.h"

namespace vprinter {

struct TextStyle {
  int font = 0;
  bool bold = false, doubleWidth = false, doubleHeight = false, reverse = false;
  bool upsideDown = false, rotate90 = false;
  int underline = 0;  // dots
  int widthMul = 1, heightMul = 1;
  int rightSpacing = 0;
  std::uint8_t colour = 1;
  int codeTable = 0, international = 0;
};

// What FS !, FS -, FS S and FS W set for the characters of Kanji mode.
struct KanjiStyle {
  bool doubleWidth = false, doubleHeight = false;
  int underline = 0;          // dots
  int left = 0, right = 0;    // spacing, dots
};

class Renderer {
 public:
  // cutterDistance: dots of paper between the print head and the cutter.
  explicit Renderer(Receipts& paper, int cutterDistance = 0, Multibyte kanji = Multibyte::ShiftJis);

  // Acts on one command; returns a remark for the log (empty when none).
  std::string apply(const Command& cmd);
  // Whether the op is one this class acts on.
  static bool handles(Op op);

  const TextStyle& style() const { return style_; }
  const KanjiStyle& kanjiStyle() const { return kanji_; }
  const TextMode& textMode() const { return decoder_.mode; }
  // UTF-8 of the characters a text command's bytes stand for now, as the
  // paper will show them; changes nothing.
  std::string previewText(const std::string& bytes) const;
  int lineSpacing() const { return lineSpacing_; }
  bool pageMode() const { return page_.active; }

 private:
  struct Item {
    Bitmap bmp;
    int x;
  };
  struct Page {
    bool active = false;
    int direction = 0;
    int x = 0, y = 0, w = 0, h = 0;  // area in dots
    Bitmap canvas;                   // paper orientation
    int cursor = 0;                  // line position along the print direction
  };
  struct Plane {
    std::uint8_t colour;
    int sx, sy;
    Bitmap bmp;
  };

  void reset();
  std::string styleCommand(const Command& c);
  std::string motionCommand(const Command& c);
  std::string imageCommand(const Command& c);
  std::string codeCommand(const Command& c);
  std::string pageCommand(const Command& c);

  // text (renderer_text.cpp)
  // Returns a remark naming the characters the font lacks.
  std::string text(const std::string& bytes);
  std::string kanjiCommand(const Command& c);
  // Prints decoded characters; collects those no font has in `missing`.
  void print(const std::vector<TextChar>& chars, std::vector<char32_t>& missing);
  Bitmap renderChar(char32_t cp, std::vector<char32_t>& missing) const;
  Bitmap kanjiCell(const TextChar& ch, std::vector<char32_t>& missing) const;
  Bitmap styled(Bitmap g, int sx, int sy, int left, int right, int underline) const;
  void add(Bitmap b, int advance);
  int lineLength() const;
  // Prints the line buffer; `advance` dots of feed (0: print only). The feed
  // is at least the height printed since the last feed; with atLeastPrinted
  // that holds for an advance of 0 too.
  void printLine(int advance, bool atLeastPrinted = false);
  // Prints b on a line of its own, aligned like text.
  void printBlock(const Bitmap& b);
  void placeLine(const Bitmap& line);
  void feed(int dots);
  int alignOffset(int used) const;

  // images and codes
  std::string graphicsStore(const Command& c);
  std::string graphicsPrint();
  std::string nvGraphicsStore(const Command& c);
  std::string nvBitImageDefine(const Command& c);
  std::string barCode(const Command& c);
  std::string symbol(const Command& c);
  std::string matrixSymbol(const Command& c);
  std::string symbolPrint(const Command& c);
  Bitmap withHri(const Symbol& s) const;

  // page mode
  void enterPage();
  void printPage(bool keep);

  Receipts& paper_;
  int cutterDistance_;
  TextStyle style_;
  KanjiStyle kanji_;
  Multibyte kanjiFamily_;
  TextDecoder decoder_;
  std::map<std::uint16_t, Bitmap> userKanji_;  // FS 2, by code
  int align_ = 0;
  int lineSpacing_ = 30;  // dots
  int leftMargin_ = 0, areaWidth_ = 0;
  std::vector<Item> line_;
  int x_ = 0;
  int printedHeight_ = 0;  // tallest line printed since the last feed
  int hriPosition_ = 0, hriFont_ = 0, barHeight_ = 162, barWidth_ = 3;
  Pdf417Symbol pdf417_;
  QrSymbol qr_;
  MatrixSymbol dataMatrix_, aztec_, dataBar_;
  int symbolType_ = 0;  // GS Z: 0 PDF417, 1 DataMatrix, 2 QR Code
  std::vector<Plane> graphics_;
  std::map<std::pair<int, int>, Bitmap> nvGraphics_;
  std::vector<Bitmap> nvBitImages_;
  Page page_;
};

}  // namespace vprinter
