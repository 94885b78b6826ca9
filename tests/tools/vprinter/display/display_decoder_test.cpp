// The customer display's command grammar: exact bytes in, commands out.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/vprinter/display/display_rig.h"

namespace vprinter::test {
namespace {

using List = std::vector<std::string>;

TEST(DisplayDecoder, ReadsEachFamilyWithItsParameters) {
  EXPECT_EQ(displayCommands(hex("1B40 1B3D02 1B7413 1B5202 1B2501 1B3F41")),
            (List{"init/2", "select_peripheral[2]/3", "code_table[19]/3", "international[2]/3", "user_chars[1]/3",
                  "cancel_char[65]/3"}));
  EXPECT_EQ(displayCommands(hex("1F01 1F02 1F03 1F240502 1F0A 1F0D 1F42")),
            (List{"overwrite_mode/2", "vertical_scroll_mode/2", "horizontal_scroll_mode/2", "move_cursor[5,2]/4",
                  "cursor_up/2", "line_end/2", "bottom/2"}));
  EXPECT_EQ(displayCommands(hex("1F5803 1F4514 1F4301 1F7201 1F540C1E 1F55 1F40 1F7601 1F3A 1F5E0201")),
            (List{"brightness[3]/3", "blink[20]/3", "cursor_display[1]/3", "reverse[1]/3", "set_time[12,30]/4",
                  "show_time/2", "self_test/2", "dtr[1]/3", "macro_define/2", "macro_run[2,1]/4"}));
  EXPECT_EQ(displayCommands(hex("08 09 0A 0B 0C 0D 18")),
            (List{"cursor_left/1", "cursor_right/1", "cursor_down/1", "home/1", "clear/1", "line_start/1",
                  "clear_line/1"}));
}

TEST(DisplayDecoder, TextRunsEndAtControlsAndKeepHighBytes) {
  EXPECT_EQ(displayCommands("Total" + hex("D5 7F") + "\r"), (List{"text:Total" + hex("D57F") + "/7", "line_start/1"}));
  std::string longText(300, 'a');
  EXPECT_EQ(displayCommands(longText), (List{"text:" + std::string(256, 'a') + "/256", "text:" + std::string(44, 'a') + "/44"}));
}

TEST(DisplayDecoder, UnknownBytesAreCommandsOfTheirOwnAndNeverSwallowText) {
  // ESC and US with a byte they do not know take those two bytes; another
  // control byte takes one; the text after them is text.
  EXPECT_EQ(displayCommands(hex("1B7F") + "A" + hex("1F99") + "B" + hex("00 1C") + "C"),
            (List{"unknown/2", "text:A/1", "unknown/2", "text:B/1", "unknown/1", "unknown/1", "text:C/1"}));
}

TEST(DisplayDecoder, UserCharactersTakeTheirDefinitionWhole) {
  // Two characters "A".."B", 5 and 3 columns of one byte each, then text.
  std::string def = hex("1B26 01 41 42 05 7F0808087F 03 010203");
  EXPECT_EQ(displayCommands(def + "X"), (List{"define_chars[1,65,66]/15", "text:X/1"}));
  // A header the display refuses takes its five bytes, the rest is text.
  EXPECT_EQ(displayCommands(hex("1B26 02 41 42") + "X"), (List{"define_chars[2,65,66]/5", "text:X/1"}));
  EXPECT_EQ(displayCommands(hex("1B26 01 42 41") + "X"), (List{"define_chars[1,66,65]/5", "text:X/1"}));
  // Too wide a character ends the definition after its column count.
  EXPECT_EQ(displayCommands(hex("1B26 01 41 41 09") + "X"), (List{"define_chars[1,65,65]/6", "text:X/1"}));
}

TEST(DisplayDecoder, SplitAnywhereDecodesAlikeAndACutOffCommandIsReported) {
  std::string stream = hex("1B40 1F240102") + "AB" + hex("1B26 01 41 41 02 0102 1F5802 1B");
  List whole = displayCommands(stream);
  EXPECT_EQ(whole.back(), "incomplete/1");
  for (std::size_t chunk = 1; chunk < 6; ++chunk) {
    List split = displayCommands(stream, chunk), text;
    // Text may come in more runs; everything else is the same.
    EXPECT_EQ(split.size() >= whole.size(), true);
    split.erase(std::remove_if(split.begin(), split.end(), [](const std::string& s) { return s.rfind("text:", 0) == 0; }),
                split.end());
    List commands = whole;
    commands.erase(std::remove_if(commands.begin(), commands.end(),
                                  [](const std::string& s) { return s.rfind("text:", 0) == 0; }),
                   commands.end());
    EXPECT_EQ(split, commands) << "chunk " << chunk;
  }
  EXPECT_EQ(displayCommands(hex("1F24 01")), (List{"incomplete/3"}));
}

}  // namespace
}  // namespace vprinter::test
