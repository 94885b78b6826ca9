// The statistics file: counts that outlive the object, its replacement in
// one step, and what a damaged file gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "service/common/statistics_store.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(StatisticsStore, CountsSurviveANewObjectAndKeepTheirDate) {
  tavo_test::TempFolder folder;
  const std::string path = CStatisticsStore::FileFor(folder.File("Statistics"), "POSPrinter", "Printer1");
  {
    CStatisticsStore store;
    store.Open(path);  // the folder is made with the first count
    EXPECT_EQ(store.Value("PaperCutCount"), 0);
    EXPECT_EQ(store.InstallationDate(), CStatisticsStore::Today());
    store.Add("BarcodePrintedCount", 2);
    store.Add("BarcodePrintedCount", 3);
    store.Set("ReceiptLinePrintedCount", 40);
  }
  EXPECT_EQ(Contents(path), "InstallationDate=" + CStatisticsStore::Today() +
                                "\r\nBarcodePrintedCount=5\r\nReceiptLinePrintedCount=40\r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  std::ofstream(path, std::ios::binary) << "InstallationDate=2020-01-31\r\nBarcodePrintedCount=7\r\n";
  CStatisticsStore again;
  again.Open(path);
  EXPECT_EQ(again.Value("BarcodePrintedCount"), 7);
  EXPECT_EQ(again.InstallationDate(), "2020-01-31");
  // Another object counted meanwhile: a reload sees it.
  CStatisticsStore other;
  other.Open(path);
  other.Add("BarcodePrintedCount", 1);
  EXPECT_EQ(again.Value("BarcodePrintedCount"), 7);
  again.Reload();
  EXPECT_EQ(again.Value("BarcodePrintedCount"), 8);
}

TEST(StatisticsStore, DamagedLinesAreSkipped) {
  tavo_test::TempFolder folder;
  const std::string path = folder.File("s.txt");
  std::ofstream(path, std::ios::binary) << "garbage\nA=12\nB=-3\nC=9x\nD=99999999999999999999\n=4\nE=6";
  CStatisticsStore store;
  store.Open(path);
  EXPECT_EQ(store.Value("A"), 12);
  EXPECT_EQ(store.Value("B"), 0);
  EXPECT_EQ(store.Value("C"), 0);
  EXPECT_EQ(store.Value("D"), 0);
  EXPECT_EQ(store.Value("E"), 6);
  EXPECT_EQ(store.InstallationDate(), CStatisticsStore::Today());
}

// A count that grew past 18 digits would be skipped by the next read and
// start again at zero; it stays at the largest count instead.
TEST(StatisticsStore, ACountAtTheLargestStaysThereAndReadsBack) {
  tavo_test::TempFolder folder;
  const std::string path = folder.File("s.txt");
  CStatisticsStore store;
  store.Open(path);
  store.Set("PaperCutCount", 999999999999999998);
  store.Add("PaperCutCount", 1);
  store.Add("PaperCutCount", 5);
  store.Add("PaperCutCount", INT64_MAX);
  CStatisticsStore again;
  again.Open(path);
  EXPECT_EQ(again.Value("PaperCutCount"), 999999999999999999);
  EXPECT_NE(Contents(path).find("\r\nPaperCutCount=999999999999999999\r\n"), std::string::npos);
}

TEST(StatisticsStore, FileNamesAndMemoryOnly) {
  EXPECT_EQ(CStatisticsStore::FileFor("C:\\Data\\Statistics", "CashDrawer", "Drawer 1"),
            "C:\\Data\\Statistics\\CashDrawer.Drawer 1.txt");
  EXPECT_EQ(CStatisticsStore::FileFor("/var/stat", "POSPrinter", "a/b:c*?\\.."), "/var/stat/POSPrinter.a_b_c___...txt");
  EXPECT_EQ(CStatisticsStore::FileFor("", "POSPrinter", "Printer1"), "");
  CStatisticsStore memory;
  memory.Open("");
  memory.Add("X", 4);
  EXPECT_EQ(memory.Value("X"), 4);
  memory.Reload();
  EXPECT_EQ(memory.Value("X"), 4);
}

}  // namespace
