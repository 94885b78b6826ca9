#include "installer/action/folder_access.h"

#include <aclapi.h>

namespace installer {

namespace {

constexpr ACCESS_MASK kModify = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

std::string Failed(const char* what, DWORD error) { return std::string(what) + " failed: " + std::to_string(error); }

// One allowing entry of the SID's with the rights, inherited by files and
// folders alike (a second grant would add another entry).
bool Grants(PACL acl, PSID sid) {
  for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(acl, i, reinterpret_cast<void**>(&header)) || header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    const auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    if ((ace->Mask & kModify) == kModify && (header->AceFlags & kInherited) == kInherited &&
        !(header->AceFlags & INHERIT_ONLY_ACE) && EqualSid(const_cast<DWORD*>(&ace->SidStart), sid)) {
      return true;
    }
  }
  return false;
}

}  // namespace

DWORD AddUsersModify(PACL current, PACL* merged) {
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof sid;
  *merged = nullptr;
  if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, sid, &sidSize)) return GetLastError();
  if (Grants(current, sid)) return ERROR_SUCCESS;
  EXPLICIT_ACCESSW grant = {};
  grant.grfAccessPermissions = kModify;
  grant.grfAccessMode = GRANT_ACCESS;
  grant.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  grant.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid);
  return SetEntriesInAclW(1, &grant, current, merged);
}

std::string GrantUsersModify(const std::wstring& folder) {
  PACL current = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD rc = GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                   &current, nullptr, &descriptor);
  if (rc != ERROR_SUCCESS) return Failed("GetNamedSecurityInfo", rc);
  PACL merged = nullptr;
  rc = AddUsersModify(current, &merged);
  LocalFree(descriptor);
  if (rc != ERROR_SUCCESS) return Failed("SetEntriesInAcl", rc);
  if (merged == nullptr) return std::string();
  rc = SetNamedSecurityInfoW(const_cast<LPWSTR>(folder.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                             nullptr, merged, nullptr);
  LocalFree(merged);
  return rc == ERROR_SUCCESS ? std::string() : Failed("SetNamedSecurityInfo", rc);
}

}  // namespace installer
