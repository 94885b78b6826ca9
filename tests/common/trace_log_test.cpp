// The support trace log: its registry switch, line form, level filter,
// rollover and a file that cannot be written. Runs natively and under Wine.
#include "common/trace_log.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/trace.h"
#include "platform/registry_test_support.h"
#include "platform/system.h"
#include "tests/support/temp_folder.h"

namespace seed = platform::test_support;

namespace {

TraceLogSettings Settings(int level, const std::string& path, uint32_t maxBytes = 1 << 20) {
  TraceLogSettings s;
  s.level = level;
  s.path = path;
  s.maxBytes = maxBytes;
  return s;
}

TEST(TraceLogSettingsTest, OffUnlessTheLevelIsSetAndAFileCanBeNamed) {
  seed::ResetRegistry();
  CRegistryAccess reg;
  EXPECT_EQ(ReadTraceLogSettings(reg).level, 0);

  reg.WriteNumber(schema::kServiceInfoKey, schema::kTraceLevel, 2);
  EXPECT_EQ(ReadTraceLogSettings(reg, "").level, 0) << "no TraceFile and no common data folder: nowhere to write";

  // The default lies in the common application data, never in the
  // installation folder, which a standard user cannot write.
  reg.WriteString(schema::kServiceInfoKey, schema::kInstalldir, "C:\\Program Files\\Tavo OPOS");
  EXPECT_EQ(ReadTraceLogSettings(reg, "").level, 0);
  TraceLogSettings s = ReadTraceLogSettings(reg, "C:\\ProgramData");
  EXPECT_EQ(s.level, 2);
  EXPECT_EQ(s.path, "C:\\ProgramData\\Tavo OPOS\\tavo-trace.log");
  EXPECT_EQ(s.maxBytes, 1024u * 1024u);

  reg.WriteString(schema::kServiceInfoKey, schema::kTraceFile, "D:\\logs\\till.log");
  reg.WriteNumber(schema::kServiceInfoKey, schema::kTraceLevel, 9);
  reg.WriteNumber(schema::kServiceInfoKey, schema::kTraceMaxKB, 1);
  s = ReadTraceLogSettings(reg, "C:\\ProgramData");
  EXPECT_EQ(s.level, 2);
  EXPECT_EQ(s.path, "D:\\logs\\till.log");  // a configured file wins
  EXPECT_EQ(ReadTraceLogSettings(reg, "").path, "D:\\logs\\till.log");
  EXPECT_EQ(s.maxBytes, 16u * 1024u) << "size bound raised to its minimum";
  reg.WriteNumber(schema::kServiceInfoKey, schema::kTraceMaxKB, -5);
  EXPECT_EQ(ReadTraceLogSettings(reg).maxBytes, 16u * 1024u);
  seed::ResetRegistry();
}

#ifdef _WIN32
// The system names the common application data folder; the default log
// lies in its "Tavo OPOS" folder.
TEST(TraceLogSettingsTest, DefaultFileIsInTheCommonApplicationData) {
  seed::ResetRegistry();
  CRegistryAccess reg;
  reg.WriteNumber(schema::kServiceInfoKey, schema::kTraceLevel, 1);
  const std::string folder = platform::CommonDataFolder();
  ASSERT_FALSE(folder.empty());
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  const TraceLogSettings s = ReadTraceLogSettings(reg);
  EXPECT_EQ(s.level, 1);
  EXPECT_EQ(s.path, folder + "\\Tavo OPOS\\tavo-trace.log");
  seed::ResetRegistry();
}
#endif

TEST(TraceLogTest, LinesCarryTimeThreadAndObjectAndLevelOneKeepsResultsOnly) {
  tavo_test::TempFolder dir;
  {
    CTraceLog log(Settings(1, dir.File("t.log")));
    int object = 0;
    TraceObjectScope scope(&object);
    log.Write("End OpenService = 0");
    log.Write("StatusUpdate 26");
    log.Write("Error OPOS_E_OFFLINE");
  }
  const std::string text = dir.Read("t.log");
  EXPECT_EQ(text.find("StatusUpdate"), std::string::npos);
  // "YYYY-MM-DD hh:mm:ss.mmm thread <id> object <address>: <text>\r\n"
  const std::string digits = "0123456789";
  ASSERT_GE(text.size(), 24u) << text;
  for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 11u, 12u, 14u, 15u, 17u, 18u, 20u, 21u, 22u}) {
    EXPECT_NE(digits.find(text[i]), std::string::npos) << "position " << i << " of " << text;
  }
  EXPECT_EQ(text.substr(4, 1) + text.substr(7, 1) + text.substr(10, 1) + text.substr(13, 1) + text.substr(16, 1) +
                text.substr(19, 1),
            "-- ::.");
  const size_t thread = text.find(" thread ");
  const size_t object = text.find(" object ");
  EXPECT_EQ(thread, 23u);
  EXPECT_LT(thread, object);
  EXPECT_EQ(text.find(": End OpenService = 0\r\n"), text.find(':', object)) << text;
  EXPECT_NE(text.find(": Error OPOS_E_OFFLINE\r\n"), std::string::npos);
  EXPECT_EQ(text.find("object -"), std::string::npos) << "the scope names the object";
}

TEST(TraceLogTest, RollsOverIntoOneOlderFileAndStaysWithinItsBound) {
  tavo_test::TempFolder dir;
  const uint32_t bound = 2000;
  {
    CTraceLog log(Settings(2, dir.File("t.log"), bound));
    for (int i = 0; i < 200; ++i) log.Write("StatusUpdate " + std::to_string(i));
  }
  const std::string current = dir.Read("t.log");
  const std::string older = dir.Read("t.log.1");
  EXPECT_LE(current.size(), bound);
  EXPECT_LE(older.size(), bound);
  EXPECT_GT(older.size(), bound / 2);
  EXPECT_NE(current.find("StatusUpdate 199\r\n"), std::string::npos) << "the newest line is in the current file";
  EXPECT_EQ(dir.Read("t.log.2"), "");
}

TEST(TraceLogTest, AFileThatCannotBeWrittenIsDroppedQuietly) {
  tavo_test::TempFolder dir;
  CTraceLog log(Settings(2, dir.File("missing-folder/t.log")));
  for (int i = 0; i < 10; ++i) log.Write("StatusUpdate 1");  // no throw, no crash
  EXPECT_EQ(dir.Read("missing-folder/t.log"), "");

  // The hook installed over such a log keeps tracing harmless.
  InstallTraceLog(Settings(2, dir.File("missing-folder/t.log")));
  Trace("End OpenService = %d", 0);
  SetTraceSink(nullptr);
}

}  // namespace
