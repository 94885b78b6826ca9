// What the statistics count of the application's print data.
#include <gtest/gtest.h>

#include "service/printer/job_tally.h"

namespace {

TEST(JobTally, LinesAndCharactersWithoutEscapeSequences) {
  JobTally t = TallyPrintData("\x1B|cA\x1B|2CTotal\r\n\x1B|200uF\x1B|bC 9.99\n\n");
  EXPECT_EQ(t.lines, 3);
  EXPECT_EQ(t.characters, 10);  // "Total", " 9.99"
  EXPECT_EQ(t.barcodes, 0);
  // A malformed sequence is printed as it stands; control bytes are not characters.
  t = TallyPrintData("\x1B|9\x01\x7F\tA");
  EXPECT_EQ(t.characters, 3);  // "|", "9", "A"
  // UTF-8 text counts characters, not bytes; code page text every byte.
  EXPECT_EQ(TallyPrintData("Gr\xC3\xBC\xC3\x9F\xE2\x82\xAC\n", true).characters, 5);  // G r ü ß €
  EXPECT_EQ(TallyPrintData("Gr\xC3\xBC\xC3\x9F\xE2\x82\xAC\n", false).characters, 9);
  JobTally sum;
  sum += t;
  sum += JobTally{2, 5, 1};
  EXPECT_EQ(sum.lines, 2);
  EXPECT_EQ(sum.characters, 8);
  EXPECT_EQ(sum.barcodes, 1);
}

}  // namespace
