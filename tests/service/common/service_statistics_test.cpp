// Retrieve, reset and update over a table, the store and a device's own
// counters.
#include <gtest/gtest.h>

#include <map>

#include "common/opos.h"
#include "service/common/service_statistics.h"
#include "tests/support/statistics_value.h"

namespace {

using namespace opos;
using S = StatisticSource;

class FakeDevice : public IStatisticsDevice {
 public:
  std::map<int32_t, int64_t> counters{{50, 17}, {70, 3}};
  bool answers = true;
  bool ReadCounter(int32_t counter, int64_t* value) override {
    if (!answers || counters.count(counter) == 0) return false;
    *value = counters[counter];
    return true;
  }
  bool ResetCounter(int32_t counter) override {
    if (!answers) return false;
    counters[counter] = 0;
    return true;
  }
};

class ServiceStatisticsTest : public ::testing::Test {
 protected:
  CServiceStatistics stats{{{"ModelName", true, S::Equipment},
                            {"HoursPoweredCount", true, S::Device, 70},
                            {"PaperCutCount", true, S::Device, 50},
                            {"BarcodePrintedCount", true, S::Kept},
                            {"StampFiredCount", true, S::NotKept}}};
  FakeDevice device;
  int32_t extended = -1;

  void SetUp() override { stats.Store().Open(""); }

  std::string Retrieve(const std::string& names, IStatisticsDevice* d) {
    std::string doc;
    const int32_t rc = stats.Retrieve(names, d, {}, &doc, &extended);
    return rc == OPOS_SUCCESS ? doc : "rc " + std::to_string(rc);
  }
};

TEST_F(ServiceStatisticsTest, RetrieveTakesEachValueFromItsSource) {
  stats.Add("BarcodePrintedCount", 4);
  const std::string doc = Retrieve("", &device);
  EXPECT_EQ(extended, 0);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "PaperCutCount"), "17");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "HoursPoweredCount"), "3");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "BarcodePrintedCount"), "4");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "StampFiredCount"), "");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "ModelName"), "absent");  // Equipment holds it
  EXPECT_NE(doc.find("<InstallationDate>" + CStatisticsStore::Today()), std::string::npos);
  // A device that does not answer leaves its values empty.
  device.answers = false;
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve("PaperCutCount", &device), "PaperCutCount"), "");
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve("PaperCutCount", nullptr), "PaperCutCount"), "");
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve("BarcodePrintedCount", nullptr), "PaperCutCount"), "absent");
}

TEST_F(ServiceStatisticsTest, UnknownNamesAreAnExtendedErrorNeverSuccess) {
  EXPECT_EQ(Retrieve("PaperCutCount,NoSuchCount", &device), "rc 114");
  EXPECT_EQ(extended, OPOS_ESTATS_ERROR);
  EXPECT_EQ(stats.Reset("NoSuchCount", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(stats.Update("NoSuchCount=1", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(extended, OPOS_ESTATS_ERROR);
  EXPECT_EQ(device.counters[50], 17);
}

TEST_F(ServiceStatisticsTest, ResetByNameOrGroup) {
  stats.Add("BarcodePrintedCount", 4);
  // Named: each must be resettable, else nothing is reset.
  EXPECT_EQ(stats.Reset("PaperCutCount,StampFiredCount", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(device.counters[50], 17);
  EXPECT_EQ(stats.Reset("ModelName", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(stats.Reset("PaperCutCount", &device, &extended), OPOS_SUCCESS);
  EXPECT_EQ(extended, 0);
  EXPECT_EQ(device.counters[50], 0);
  EXPECT_EQ(device.counters[70], 3);
  // A group resets what it can.
  EXPECT_EQ(stats.Reset("U_", &device, &extended), OPOS_SUCCESS);
  EXPECT_EQ(device.counters[70], 0);
  EXPECT_EQ(stats.Store().Value("BarcodePrintedCount"), 0);
  // Without the device its counters cannot be reset by name; a group
  // leaves them.
  stats.Add("BarcodePrintedCount", 1);
  EXPECT_EQ(stats.Reset("PaperCutCount", nullptr, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(stats.Reset("", nullptr, &extended), OPOS_SUCCESS);
  EXPECT_EQ(stats.Store().Value("BarcodePrintedCount"), 0);
  // A device that does not take the reset is reported.
  device.answers = false;
  EXPECT_EQ(stats.Reset("PaperCutCount", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(extended, OPOS_ESTATS_ERROR);
}

TEST_F(ServiceStatisticsTest, UpdateSetsKeptCountsAndOnlyZeroesTheDevices) {
  EXPECT_EQ(stats.Update("BarcodePrintedCount=25", &device, &extended), OPOS_SUCCESS);
  EXPECT_EQ(stats.Store().Value("BarcodePrintedCount"), 25);
  EXPECT_EQ(stats.Update("BarcodePrintedCount=3,PaperCutCount=5", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(stats.Store().Value("BarcodePrintedCount"), 25);  // refused as a whole
  EXPECT_EQ(device.counters[50], 17);
  EXPECT_EQ(stats.Update("StampFiredCount=0", &device, &extended), OPOS_E_EXTENDED);
  EXPECT_EQ(stats.Update("PaperCutCount=0,BarcodePrintedCount=1", &device, &extended), OPOS_SUCCESS);
  EXPECT_EQ(device.counters[50], 0);
  EXPECT_EQ(stats.Store().Value("BarcodePrintedCount"), 1);
  EXPECT_EQ(stats.Update("U_=0", &device, &extended), OPOS_SUCCESS);
  EXPECT_EQ(device.counters[70], 0);
  EXPECT_EQ(stats.Update("U_=9", &device, &extended), OPOS_E_EXTENDED);  // the device's cannot be 9
  EXPECT_EQ(stats.Update("BarcodePrintedCount=x", &device, &extended), OPOS_E_EXTENDED);
}

}  // namespace
