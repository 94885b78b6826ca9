#include "platform/posix/profile_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>

#include "platform/posix/text_fold.h"
#include "platform/profile_file.h"

namespace platform {
namespace {

// Set from a test's set-up before threads start; read-only afterwards.
std::string& DriveRoot() {
  static std::string root = "/";
  return root;
}

std::string JoinUnder(const std::string& root, const std::string& rest) {
  size_t start = 0;
  while (start < rest.size() && (rest[start] == '/' || rest[start] == '\\')) ++start;
  std::string joined = root;
  if (joined.empty() || joined.back() != '/') joined += '/';
  return joined + rest.substr(start);
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` without regard to case.
bool FindFolded(const std::string& folder, const std::string& name, std::string* found) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  bool hit = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (FoldEqual(entry->d_name, name)) {
      *found = entry->d_name;
      hit = true;
      break;
    }
  }
  ::closedir(dir);
  return hit;
}

}  // namespace

void SetProfileDriveRoot(const std::string& folder) { DriveRoot() = folder.empty() ? "/" : folder; }

std::string MapProfilePath(const std::string& path) {
  if (path.empty()) return path;
  std::string rest;
  bool rooted = true;
  if (path[0] == '/') {
    rest = path;
    rooted = false;
  } else if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    rest = path.substr(2);
  } else if (path[0] == '\\') {
    rest = path;
  } else if (path.find_first_of("\\/") == std::string::npos) {
    rest = path;
  } else {
    rest = path;
    rooted = false;
  }
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  return rooted ? JoinUnder(DriveRoot(), rest) : rest;
}

namespace profile_path {

std::string Resolve(const std::string& file) {
  if (file.empty() || Exists(file)) return file;
  std::string resolved = file[0] == '/' ? "/" : "";
  size_t start = file[0] == '/' ? 1 : 0;
  bool searching = true;
  while (start <= file.size()) {
    size_t end = file.find('/', start);
    if (end == std::string::npos) end = file.size();
    std::string name = file.substr(start, end - start);
    if (!name.empty()) {
      const std::string folder = resolved;
      std::string candidate = folder + name;
      std::string folded;
      if (searching && !Exists(candidate) && FindFolded(folder, name, &folded)) {
        candidate = folder + folded;
      } else if (!Exists(candidate)) {
        searching = false;
      }
      resolved = candidate;
      if (end < file.size()) resolved += '/';
    }
    start = end + 1;
  }
  return resolved;
}

}  // namespace profile_path
}  // namespace platform
