// The argument forms of the statistics methods.
#include <gtest/gtest.h>

#include "service/common/statistics_request.h"

namespace {

using S = StatisticSource;

const std::vector<StatisticDefinition> kTable = {
    {"ModelName", true, S::Equipment},   {"HoursPoweredCount", true, S::Device, 70},
    {"PaperCutCount", true, S::Device, 50}, {"BarcodePrintedCount", true, S::Kept},
    {"StampFiredCount", true, S::NotKept}, {"HeadEnergizedLineCount", false, S::Device, 21},
    {"MakersOwnCount", false, S::Kept},
};

std::string Selected(std::string_view argument) {
  std::vector<const StatisticDefinition*> selected;
  std::string unknown;
  if (!SelectStatistics(argument, kTable, &selected, &unknown)) return "unknown " + unknown;
  std::string names;
  for (const StatisticDefinition* s : selected) names += (names.empty() ? "" : ",") + std::string(s->name);
  return names;
}

std::string Assigned(std::string_view argument) {
  std::vector<StatisticAssignment> out;
  std::string bad;
  if (!ParseStatisticAssignments(argument, kTable, &out, &bad)) return "bad " + bad;
  std::string text;
  for (const StatisticAssignment& a : out) {
    text += (text.empty() ? "" : ",") + std::string(a.statistic->name) + "=" + std::to_string(a.value);
  }
  return text;
}

TEST(StatisticsArguments, GroupsAndNamesSelectInTableOrderOnce) {
  EXPECT_EQ(Selected(""),
            "ModelName,HoursPoweredCount,PaperCutCount,BarcodePrintedCount,StampFiredCount,HeadEnergizedLineCount,"
            "MakersOwnCount");
  EXPECT_EQ(Selected("U_"), "ModelName,HoursPoweredCount,PaperCutCount,BarcodePrintedCount,StampFiredCount");
  EXPECT_EQ(Selected("M_"), "HeadEnergizedLineCount,MakersOwnCount");
  EXPECT_EQ(Selected("BarcodePrintedCount, PaperCutCount ,BarcodePrintedCount"), "PaperCutCount,BarcodePrintedCount");
  EXPECT_EQ(Selected("M_,PaperCutCount"), "PaperCutCount,HeadEnergizedLineCount,MakersOwnCount");
  // Names compare exactly; one unknown name refuses the whole argument.
  EXPECT_EQ(Selected("PaperCutCount,papercutcount"), "unknown papercutcount");
  EXPECT_EQ(Selected("PaperCut"), "unknown PaperCut");
  EXPECT_EQ(Selected("X_"), "unknown X_");
  EXPECT_TRUE(NamesAGroup("PaperCutCount,U_"));
  EXPECT_TRUE(NamesAGroup(""));
  EXPECT_FALSE(NamesAGroup("PaperCutCount,BarcodePrintedCount"));
}

TEST(StatisticsArguments, UpdatePairs) {
  EXPECT_EQ(Assigned("BarcodePrintedCount=12, PaperCutCount = 0"), "BarcodePrintedCount=12,PaperCutCount=0");
  // A group assigns every resettable statistic of its kind.
  EXPECT_EQ(Assigned("U_=0"), "HoursPoweredCount=0,PaperCutCount=0,BarcodePrintedCount=0");
  EXPECT_EQ(Assigned("M_=3"), "HeadEnergizedLineCount=3,MakersOwnCount=3");
  EXPECT_EQ(Assigned("=0").substr(0, 19), "HoursPoweredCount=0");
  // Names not kept are the caller's to refuse; malformed pairs are refused here.
  EXPECT_EQ(Assigned("StampFiredCount=1"), "StampFiredCount=1");
  EXPECT_EQ(Assigned("BarcodePrintedCount"), "bad BarcodePrintedCount");
  EXPECT_EQ(Assigned("BarcodePrintedCount=-1"), "bad BarcodePrintedCount=-1");
  EXPECT_EQ(Assigned("BarcodePrintedCount=1x"), "bad BarcodePrintedCount=1x");
  EXPECT_EQ(Assigned("BarcodePrintedCount="), "bad BarcodePrintedCount=");
  EXPECT_EQ(Assigned("BarcodePrintedCount=1234567890123456789"), "bad BarcodePrintedCount=1234567890123456789");
  EXPECT_EQ(Assigned("Nothing=1"), "bad Nothing");
  EXPECT_EQ(Assigned("BarcodePrintedCount=1,Nothing=1"), "bad Nothing");
}

}  // namespace
