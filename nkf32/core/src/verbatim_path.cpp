#include "nkf32/verbatim_path.h"

#include <vector>

namespace nkf {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDrive(std::wstring_view path) {
  return path.size() >= 2 && path[1] == L':' &&
         ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// `names` joined after `root` ("C:" or "server\share"), with "." dropped and ".." taken back.
std::wstring Join(std::wstring_view prefix, std::wstring_view root, std::wstring_view rest) {
  std::vector<std::wstring_view> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && !IsSeparator(rest[i])) continue;
    const std::wstring_view name = rest.substr(start, i - start);
    start = i + 1;
    if (name.empty() || name == L".") continue;
    if (name == L"..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(name);
  }
  std::wstring out(prefix);
  out += root;
  out += L'\\';
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += L'\\';
    out += names[i];
  }
  return out;
}

}  // namespace

std::wstring VerbatimPath(std::wstring_view path, std::wstring_view currentDirectory) {
  for (std::wstring_view literal : {L"\\\\?\\", L"\\??\\", L"\\\\.\\"}) {
    if (path.substr(0, 4) == literal) return std::wstring(path);
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // \\server\share\rest: the server and share stay the root, ".." does not climb above them.
    std::wstring_view rest = path.substr(2);
    std::size_t server = 0;
    while (server < rest.size() && !IsSeparator(rest[server])) ++server;
    std::size_t share = server + 1;
    while (share < rest.size() && !IsSeparator(rest[share])) ++share;
    if (share > rest.size()) share = rest.size();
    std::wstring root(rest.substr(0, server));
    if (server < rest.size()) {
      root += L'\\';
      root += rest.substr(server + 1, share - server - 1);
    }
    return Join(L"\\\\?\\UNC\\", root, share < rest.size() ? rest.substr(share) : std::wstring_view());
  }
  if (HasDrive(path) && path.size() >= 3 && IsSeparator(path[2]))
    return Join(L"\\\\?\\", path.substr(0, 2), path.substr(3));
  std::wstring absolute;
  if (HasDrive(path)) {
    // "C:name": relative to the current directory when it is on that drive.
    const bool sameDrive = HasDrive(currentDirectory) &&
                           (currentDirectory[0] | 0x20) == (path[0] | 0x20);
    absolute = sameDrive ? std::wstring(currentDirectory) : std::wstring(path.substr(0, 2));
    absolute += L'\\';
    absolute += path.substr(2);
  } else if (!path.empty() && IsSeparator(path[0])) {
    // "\dir\name": from the root of the current directory's drive (or share).
    std::wstring_view root = currentDirectory.substr(0, HasDrive(currentDirectory) ? 2 : 0);
    absolute = std::wstring(root) + std::wstring(path);
  } else {
    absolute = std::wstring(currentDirectory) + L'\\' + std::wstring(path);
  }
  // A current directory that is itself not absolute would come back here: stop at one level.
  if (!(HasDrive(absolute) && absolute.size() >= 3 && IsSeparator(absolute[2])) &&
      !(absolute.size() >= 2 && IsSeparator(absolute[0]) && IsSeparator(absolute[1])))
    return std::wstring(path);
  return VerbatimPath(absolute, currentDirectory);
}

}  // namespace nkf
