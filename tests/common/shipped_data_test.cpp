// The package's own data files (data/, copied beside the test) hold what
// devsetup and the printer service object need from them.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "common/profile.h"
#include "common/setup_data.h"

using namespace setup_data;

namespace {

std::string DataDir() { return (std::filesystem::current_path() / "data").string(); }

bool IsHex4(const std::string& text) {
  if (text.size() != 4) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void CheckModels(ModelClass modelClass, const std::string& prefix, size_t expected) {
  const auto models = ReadModelList(DataDir(), modelClass);
  ASSERT_EQ(models.size(), expected);
  std::set<int32_t> codes;
  for (const std::string& model : models) {
    SCOPED_TRACE(model);
    EXPECT_EQ(model.compare(0, prefix.size(), prefix), 0);
    ModelInfo info;
    ASSERT_TRUE(ReadModelInfo(DataDir(), modelClass, model, &info));
    EXPECT_TRUE(IsHex4(info.vid));
    EXPECT_TRUE(IsHex4(info.pid));
    EXPECT_TRUE(codes.insert(info.modelCode).second) << "model codes must differ";
    if (modelClass == ModelClass::kPrinter) {
      EXPECT_EQ(info.soName, "Tavo.POSPrinter.ServiceObject.1.9");
      EXPECT_GE(info.type, 1);
      EXPECT_LE(info.type, 3);
    }
  }
}

TEST(ShippedDataTest, SetupTextsArePresent) {
  std::string version;
  ASSERT_TRUE(ReadVersion(DataDir(), &version));
  EXPECT_NE(version.rfind('.'), std::string::npos);
  EXPECT_FALSE(ReadVersionDescription(DataDir()).empty());
  EXPECT_EQ(ReadComRange(DataDir()), 4);
  EXPECT_EQ(ReadLptRange(DataDir()), 2);
  EXPECT_EQ(ReadLptmRange(DataDir()), 4);
}

TEST(ShippedDataTest, EveryListedModelInstalls) {
  // Printers must start with "TavoPOS" to be offered for a cash drawer, and
  // displays with "QDX" to be shown as displays.
  CheckModels(ModelClass::kPrinter, "TavoPOS", 3);
  CheckModels(ModelClass::kLineDisplay, "QDX", 2);
  CashDrawerInfo drawer;
  ASSERT_TRUE(ReadCashDrawerInfo(DataDir(), &drawer));
  EXPECT_EQ(drawer.soName, "Tavo.CashDrawer.ServiceObject1.9");
}

TEST(ShippedDataTest, EveryPrinterHasAUsableCapabilityProfile) {
  for (const std::string& model : ReadModelList(DataDir(), ModelClass::kPrinter)) {
    SCOPED_TRACE(model);
    const std::string inf = CapabilityProfilePath(DataDir(), model);
    const int32_t normal = ReadProfileInt(inf, "DETAIL", "LinecharsNormal", 0);
    const int32_t compressed = ReadProfileInt(inf, "DETAIL", "LinecharsCompressed", 0);
    EXPECT_GT(normal, 10);
    EXPECT_GT(compressed, normal);
    EXPECT_GT(ReadProfileInt(inf, "DETAIL", "DPIHIGH", 0), 0);
    EXPECT_GT(ReadProfileInt(inf, "DETAIL", "DPIWIDTH", 0), 0);
    EXPECT_GT(ReadProfileInt(inf, "POSPRINTER", "RecLineWidth", 0), 0);
    EXPECT_EQ(ReadProfileInt(inf, "POSPRINTER", "RecLineChars", 0), normal);
    EXPECT_EQ(ReadProfileString(inf, "POSPRINTER", "RecLineCharsList"),
              std::to_string(normal) + "," + std::to_string(compressed));
    const std::string area = ReadProfileString(inf, "POSPRINTER", "PageModeArea");
    EXPECT_EQ(ReadProfileString(inf, "POSPRINTER", "PageModePrintArea"), "0,0," + area);
  }
}

TEST(ShippedDataTest, EveryPrinterOffersUnicodeAndOneHasTheUtf8Mode) {
  for (const std::string& model : ReadModelList(DataDir(), ModelClass::kPrinter)) {
    SCOPED_TRACE(model);
    const std::string inf = CapabilityProfilePath(DataDir(), model);
    const std::string list = "," + ReadProfileString(inf, "POSPRINTER", "CharacterSetList") + ",";
    EXPECT_NE(list.find(",997,"), std::string::npos);
    EXPECT_NE(list.find(",437,"), std::string::npos);  // where CharacterSet 997 starts
    EXPECT_NE(ReadProfileInt(inf, "POSPRINTER", "CharacterSet", 0), 997);  // off until asked
    EXPECT_EQ(ReadProfileString(inf, "POSPRINTER", "MultiByteMode"), model == "TavoPOS-R200" ? "UTF8" : "");
  }
}

}  // namespace
