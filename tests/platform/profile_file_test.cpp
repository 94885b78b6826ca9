// Profile file rules. Under Wine these run against Windows' own functions,
// natively against the stand-in: the same expectations hold for both.
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

using platform::ProfileGetInt;
using platform::ProfileGetString;
using platform::ProfileWriteString;

namespace {

constexpr size_t kBuf = 255;

class ProfileFileTest : public ::testing::Test {
 protected:
  std::string Get(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& def = "dflt") {
    return ProfileGetString(file, section, key, def, kBuf);
  }
  tavo_test::TempFolder dir_;
};

TEST_F(ProfileFileTest, SectionAndKeyNamesMatchWithoutCase) {
  const std::string f = dir_.Write("a.inf", "[description]\r\nversion=1.9.3\r\n[OTHER]\r\nKey=v\r\n");
  EXPECT_EQ(Get(f, "Description", "Version"), "1.9.3");
  EXPECT_EQ(Get(f, "DESCRIPTION", "VERSION"), "1.9.3");
  EXPECT_EQ(Get(f, "other", "key"), "v");
}

TEST_F(ProfileFileTest, NamesAndValuesAreTrimmed) {
  const std::string f = dir_.Write("t.inf", "  [Sec]  \r\n  Key  =   value with  spaces \t \r\nx=\r\n");
  EXPECT_EQ(Get(f, "Sec", "Key"), "value with  spaces");
  EXPECT_EQ(Get(f, "  Sec ", " Key "), "value with  spaces");
  EXPECT_EQ(Get(f, "Sec", "x"), "");  // present but empty: not the default
}

TEST_F(ProfileFileTest, OnePairOfMatchingQuotesIsStripped) {
  const std::string f = dir_.Write("q.inf",
                                   "[S]\r\nd=\"double\"\r\ns='single'\r\nm=\"mixed'\r\n"
                                   "one=\"\r\nempty=\"\"\r\ninner=a \"b\" c\r\n");
  EXPECT_EQ(Get(f, "S", "d"), "double");
  EXPECT_EQ(Get(f, "S", "s"), "single");
  EXPECT_EQ(Get(f, "S", "m"), "\"mixed'");
  EXPECT_EQ(Get(f, "S", "one"), "\"");
  EXPECT_EQ(Get(f, "S", "empty"), "");
  EXPECT_EQ(Get(f, "S", "inner"), "a \"b\" c");
}

TEST_F(ProfileFileTest, ValuesAreCutToTheBuffer) {
  const std::string f = dir_.Write("l.inf", "[S]\r\nlong=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(Get(f, "S", "long").size(), 254u);
  EXPECT_EQ(ProfileGetString(f, "S", "long", "", 10), std::string(9, 'x'));
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const std::string f = dir_.Write("m.inf", "[S]\r\nk=v\r\nbare\r\n");
  EXPECT_EQ(Get(dir_.File("none.inf"), "S", "k"), "dflt");
  EXPECT_EQ(Get(f, "Nope", "k"), "dflt");
  EXPECT_EQ(Get(f, "S", "nope"), "dflt");
  EXPECT_EQ(Get(f, "S", "bare"), "dflt");  // a line without '=' has no value
  EXPECT_EQ(Get(f, "S", "nope", "trail   "), "trail");
  EXPECT_EQ(Get(f, "S", "nope", ""), "");
}

TEST_F(ProfileFileTest, FirstMatchingSectionAndKeyWin) {
  const std::string f = dir_.Write("d.inf", "[A]\r\nk=first\r\nK=second\r\n[a]\r\nk=third\r\nonly=later\r\n");
  EXPECT_EQ(Get(f, "A", "k"), "first");
  EXPECT_EQ(Get(f, "A", "only"), "dflt");  // later sections of that name are not searched
}

TEST_F(ProfileFileTest, CommentLinesHoldNoKeys) {
  const std::string f = dir_.Write("c.inf", "; leading comment\r\n[S]\r\n;k=commented\r\nj=v ; not a comment\r\n");
  EXPECT_EQ(Get(f, "S", "k"), "dflt");
  EXPECT_EQ(Get(f, "S", "j"), "v ; not a comment");
}

TEST_F(ProfileFileTest, AnyLineEndWorks) {
  const std::string lf = dir_.Write("lf.inf", "[S]\nk=lf\nj=2\n");
  const std::string cr = dir_.Write("cr.inf", "[S]\rk=cr\rj=2");
  EXPECT_EQ(Get(lf, "S", "k"), "lf");
  EXPECT_EQ(Get(cr, "S", "k"), "cr");
  EXPECT_EQ(Get(cr, "S", "j"), "2");
}

TEST_F(ProfileFileTest, IntegersReadTheLeadingNumber) {
  const std::string f = dir_.Write("i.inf",
                                   "[S]\r\ndec=42\r\nneg=-3\r\nhex=0x1F\r\nword=abc\r\nempty=\r\n"
                                   "trail=7x\r\nquoted=\"12\"\r\n");
  EXPECT_EQ(ProfileGetInt(f, "S", "dec", 4), 42);
  EXPECT_EQ(ProfileGetInt(f, "S", "neg", 4), -3);
  EXPECT_EQ(ProfileGetInt(f, "S", "hex", 4), 31);
  EXPECT_EQ(ProfileGetInt(f, "S", "word", 4), 0);
  EXPECT_EQ(ProfileGetInt(f, "S", "empty", 4), 4);
  EXPECT_EQ(ProfileGetInt(f, "S", "trail", 4), 7);
  EXPECT_EQ(ProfileGetInt(f, "S", "quoted", 4), 12);
  EXPECT_EQ(ProfileGetInt(f, "S", "missing", 4), 4);
  EXPECT_EQ(ProfileGetInt(dir_.File("none.inf"), "S", "dec", 2), 2);
}

TEST_F(ProfileFileTest, WritingCreatesFileAndSection) {
  const std::string f = dir_.File("new.inf");
  ASSERT_TRUE(ProfileWriteString(f, "Description", "COMRange", "8"));
  EXPECT_EQ(ProfileGetInt(f, "Description", "COMRange", 4), 8);
  ASSERT_TRUE(ProfileWriteString(f, "Other", "k", "v"));
  EXPECT_EQ(Get(f, "Other", "k"), "v");
  EXPECT_EQ(Get(f, "Description", "COMRange"), "8");
}

TEST_F(ProfileFileTest, WritingReplacesTheFirstMatchAndKeepsTheRest) {
  const std::string f = dir_.Write("w.inf",
                                   "; shipped\r\n[DESCRIPTION]\r\nVersion=1.9.3\r\nCOMRange=4\r\n\r\n"
                                   "[READPOSPRINTER]\r\nREADPrinter1=A\r\n");
  ASSERT_TRUE(ProfileWriteString(f, "Description", "comrange", "  6"));
  ASSERT_TRUE(ProfileWriteString(f, "description", "LPTRange", "3"));
  ASSERT_TRUE(ProfileWriteString(f, "READPOSPRINTER", "READPrinter1", "A"));  // unchanged value
  EXPECT_EQ(Get(f, "Description", "COMRange"), "6");
  EXPECT_EQ(Get(f, "Description", "LPTRange"), "3");
  EXPECT_EQ(Get(f, "Description", "Version"), "1.9.3");
  EXPECT_EQ(Get(f, "READPOSPRINTER", "READPrinter1"), "A");
  const std::string text = dir_.Read("w.inf");
  EXPECT_EQ(text.find("[Description]"), std::string::npos);  // no second section
  EXPECT_EQ(text.find("[description]"), std::string::npos);
  EXPECT_NE(text.find("LPTRange=3"), std::string::npos);
}

TEST_F(ProfileFileTest, WritingIntoAMissingFolderFails) {
  EXPECT_FALSE(ProfileWriteString(dir_.File("no_such_dir") + "/x.inf", "S", "k", "v"));
}

TEST_F(ProfileFileTest, FileNamesMatchWithoutCase) {
  dir_.Write("Setup.inf", "[S]\r\nk=v\r\n");
  EXPECT_EQ(Get(dir_.File("SETUP.INF"), "S", "k"), "v");
  ASSERT_TRUE(ProfileWriteString(dir_.File("setup.INF"), "S", "k", "w"));
  EXPECT_EQ(Get(dir_.File("Setup.inf"), "S", "k"), "w");
}

}  // namespace
