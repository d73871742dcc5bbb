#include "glimmet/core/path_text.h"

#include <vector>

namespace glimmet {
namespace {

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

bool EnclosedInQuotes(std::wstring_view text) {
  return text.size() >= 2 && text.front() == L'"' && text.back() == L'"';
}

}  // namespace

std::wstring UnquotePath(std::wstring_view path) {
  path = TrimBlanks(path);
  while (EnclosedInQuotes(path)) path = TrimBlanks(path.substr(1, path.size() - 2));
  return std::wstring(path);
}

std::wstring CanonicalPath(std::wstring_view path) {
  // The root ("X:\" or "\\server\share\" or "\") is kept; segments after it are folded.
  std::size_t rootEnd = 0;
  if (path.size() >= 2 && path[1] == L':') {
    rootEnd = path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
  } else if (path.substr(0, 2) == L"\\\\") {
    const auto server = path.find(L'\\', 2);
    const auto share = server == std::wstring_view::npos ? server : path.find(L'\\', server + 1);
    rootEnd = share == std::wstring_view::npos ? path.size() : share + 1;
  } else if (!path.empty() && path[0] == L'\\') {
    rootEnd = 1;
  }
  std::vector<std::wstring_view> segments;
  std::wstring_view rest = path.substr(rootEnd);
  while (!rest.empty()) {
    const auto slash = rest.find(L'\\');
    const auto segment = rest.substr(0, slash);
    if (segment == L"..") {
      if (!segments.empty()) segments.pop_back();
    } else if (segment != L"." && !segment.empty()) {
      segments.push_back(segment);
    }
    if (slash == std::wstring_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  std::wstring result(path.substr(0, rootEnd));
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (i) result += L'\\';
    result += segments[i];
  }
  if (!path.empty() && path.back() == L'\\' && !segments.empty()) result += L'\\';
  return result;
}

std::wstring ResolvePath(std::wstring_view path, std::wstring_view base, bool baseIsFolder) {
  path = TrimBlanks(path);
  if (!path.empty() && path.front() == L'"') {
    if (path.size() < 2 || path.back() != L'"') return std::wstring(path);
    path = path.substr(1, path.size() - 2);
  }
  std::wstring folder(base);
  if (baseIsFolder && (folder.empty() || folder.back() != L'\\')) folder += L'\\';
  std::wstring result;
  if (path.find(L"..\\") != std::wstring_view::npos) {
    result = CanonicalPath(folder + std::wstring(path));
  } else if (path.substr(0, 2) == L".\\") {
    result = folder + std::wstring(path.substr(2));
  } else if (path.substr(0, 2) != L"\\\\" && path.substr(1, 2) != L":\\") {
    result = folder + std::wstring(path);
  } else {
    result = std::wstring(path);
  }
  if (result.find(L' ') != std::wstring::npos) result = L"\"" + result + L"\"";
  return result;
}

}  // namespace glimmet
