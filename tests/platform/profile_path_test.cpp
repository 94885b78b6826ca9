// How Windows profile paths land on files off Windows (on Windows the path
// is used as given, so there is nothing to hold against it there).
#ifndef _WIN32
#include <gtest/gtest.h>

#include "common/profile.h"
#include "platform/profile_file.h"
#include "tests/support/temp_folder.h"

namespace {

class ProfilePathTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetProfileDriveRoot(""); }
};

TEST_F(ProfilePathTest, WindowsFormsMapUnderTheDriveRoot) {
  platform::SetProfileDriveRoot("/srv/c");
  EXPECT_EQ(platform::MapProfilePath("C:\\Tavo\\setup.inf"), "/srv/c/Tavo/setup.inf");
  EXPECT_EQ(platform::MapProfilePath("d:\\x.inf"), "/srv/c/x.inf");
  EXPECT_EQ(platform::MapProfilePath("\\setup.inf"), "/srv/c/setup.inf");
  EXPECT_EQ(platform::MapProfilePath("win.ini"), "/srv/c/win.ini");
  EXPECT_EQ(platform::MapProfilePath("/tmp/a.inf"), "/tmp/a.inf");
  EXPECT_EQ(platform::MapProfilePath("/tmp/dir\\a.inf"), "/tmp/dir/a.inf");
  EXPECT_EQ(platform::MapProfilePath("data\\a.inf"), "data/a.inf");
  platform::SetProfileDriveRoot("");
  EXPECT_EQ(platform::MapProfilePath("C:\\Tavo\\setup.inf"), "/Tavo/setup.inf");
}

TEST_F(ProfilePathTest, InstallFolderPathsReachFilesUnderTheRoot) {
  tavo_test::TempFolder dir;
  std::filesystem::create_directories(std::filesystem::path(dir.Path()) / "Tavo");
  dir.Write("Tavo/setup.inf", "[Description]\r\nVersion=1.9.3\r\n");
  platform::SetProfileDriveRoot(dir.Path());
  EXPECT_EQ(ReadProfileString("C:\\TAVO\\Setup.inf", "Description", "Version"), "1.9.3");
  EXPECT_TRUE(WriteProfileString("C:\\Tavo\\posprn.inf", "M", "TYPE", "2"));
  EXPECT_EQ(ReadProfileInt("c:\\tavo\\POSPRN.INF", "m", "type", 4), 2);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir.Path()) / "Tavo" / "posprn.inf"));
}

}  // namespace
#endif
