#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <string>
#include <vector>

#include "installer/action/folder_access.h"

namespace {

struct Sid {
  explicit Sid(WELL_KNOWN_SID_TYPE type) {
    DWORD size = sizeof bytes;
    CreateWellKnownSid(type, nullptr, bytes, &size);
  }
  PSID get() { return bytes; }
  BYTE bytes[SECURITY_MAX_SID_SIZE];
};

// What an ACL allows one SID: the union of its allowing entries.
struct Allowed {
  ACCESS_MASK mask = 0;
  BYTE flags = 0;
};

Allowed AllowedFor(PACL acl, WELL_KNOWN_SID_TYPE type) {
  Sid sid(type);
  Allowed allowed;
  for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(acl, i, reinterpret_cast<void**>(&header)) || header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    if (!EqualSid(&ace->SidStart, sid.get())) continue;
    allowed.mask |= ace->Mask;
    allowed.flags |= header->AceFlags;
  }
  return allowed;
}

// A folder's DACL as an installation leaves it: full control for the
// system and administrators, read for users, all inherited by what it holds.
PACL InstalledFolderAcl() {
  Sid system(WinLocalSystemSid), admins(WinBuiltinAdministratorsSid), users(WinBuiltinUsersSid);
  std::vector<EXPLICIT_ACCESSW> entries(3);
  const std::pair<PSID, DWORD> grants[] = {{system.get(), GENERIC_ALL},
                                           {admins.get(), GENERIC_ALL},
                                           {users.get(), FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].grfAccessPermissions = grants[i].second;
    entries[i].grfAccessMode = GRANT_ACCESS;
    entries[i].grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entries[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entries[i].Trustee.ptstrName = reinterpret_cast<LPWSTR>(grants[i].first);
  }
  PACL acl = nullptr;
  EXPECT_EQ(SetEntriesInAclW(static_cast<ULONG>(entries.size()), entries.data(), nullptr, &acl), ERROR_SUCCESS);
  return acl;
}

constexpr ACCESS_MASK kModify = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

// Users get modify rights that files and folders made later inherit; the
// other entries stay as they were, and granting twice adds nothing.
TEST(FolderAccess, UsersMayModifyWhatTheFolderHolds) {
  PACL installed = InstalledFolderAcl();
  ASSERT_NE(installed, nullptr);
  PACL merged = nullptr;
  ASSERT_EQ(installer::AddUsersModify(installed, &merged), ERROR_SUCCESS);
  const Allowed users = AllowedFor(merged, WinBuiltinUsersSid);
  EXPECT_EQ(users.mask & kModify, kModify);
  EXPECT_EQ(users.flags & kInherited, kInherited);
  for (WELL_KNOWN_SID_TYPE kept : {WinLocalSystemSid, WinBuiltinAdministratorsSid}) {
    EXPECT_EQ(AllowedFor(merged, kept).mask, AllowedFor(installed, kept).mask) << kept;
  }

  PACL again = reinterpret_cast<PACL>(1);
  ASSERT_EQ(installer::AddUsersModify(merged, &again), ERROR_SUCCESS);
  EXPECT_EQ(again, nullptr);
  LocalFree(merged);
  LocalFree(installed);

  // A folder with no DACL at all gets one that grants the same.
  ASSERT_EQ(installer::AddUsersModify(nullptr, &merged), ERROR_SUCCESS);
  EXPECT_EQ(AllowedFor(merged, WinBuiltinUsersSid).mask & kModify, kModify);
  LocalFree(merged);
}

TEST(FolderAccess, AFolderIsGrantedAndAMissingOneReported) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tavo-access-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  EXPECT_EQ(installer::GrantUsersModify(folder), "");
  RemoveDirectoryW(folder.c_str());
  const std::string error = installer::GrantUsersModify(folder);
  EXPECT_EQ(error.rfind("GetNamedSecurityInfo failed: ", 0), 0u) << error;
}

}  // namespace
