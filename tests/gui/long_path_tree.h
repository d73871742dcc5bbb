// A tree whose paths pass MAX_PATH two ways: a file 40 folders deep, and a file under one long
// folder name whose path is 300 characters. The test writes it through "\\?\" paths, so it is
// made the same way on Windows, where plain paths stop at 260 characters.
#pragma once

#include "guidriver/guidriver.h"

#include <algorithm>
#include <string>
#include <vector>

namespace long_path_tree {

inline constexpr int kDepth = 40;
inline constexpr size_t kLongPathLength = 300;

struct Tree {
  std::wstring root;
  std::vector<std::wstring> files;  // full paths in walk order, each longer than MAX_PATH
};

inline std::wstring Verbatim(const std::wstring& path) { return L"\\\\?\\" + path; }

// The 40 nested folder names below `root`, "\" between them.
inline std::wstring DeepFolders() {
  std::wstring relative;
  for (int level = 1; level <= kDepth; ++level) {
    if (!relative.empty()) relative += L"\\";
    relative += L"level" + std::to_wstring(100 + level).substr(1);
  }
  return relative;
}

// Creates every folder of `relative` below `root`.
inline void CreateFolders(const std::wstring& root, const std::wstring& relative) {
  std::wstring path = root;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find(L'\\', start);
    if (end == std::wstring::npos) end = relative.size();
    path += L"\\" + relative.substr(start, end - start);
    if (!::CreateDirectoryW(Verbatim(path).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
      guidriver::ThrowLastError("cannot create " + guidriver::Utf8(path));
    start = end + 1;
  }
}

// Writes `bytes` into both files of a new tree below `root`. Walk order: FindFirstFileW lists
// "level01" before the long "wide..." folder.
inline Tree WriteTree(const std::wstring& root, const std::string& bytes) {
  Tree tree{root, {}};
  const std::wstring deep = DeepFolders();
  CreateFolders(root, deep);
  tree.files.push_back(root + L"\\" + deep + L"\\deep.txt");
  const std::wstring fileName = L"long.txt";
  // Folder names of at most 200 characters (a name may have 255), together as long as it takes
  // for the file's path to be kLongPathLength characters.
  const size_t span = kLongPathLength - root.size() - 2 - fileName.size();  // names and "\"s
  const size_t count = (span + 200) / 201;
  const size_t letters = span - (count - 1);
  std::wstring wide;
  for (size_t i = 0; i < count; ++i) {
    const size_t length = letters / count + (i + 1 == count ? letters % count : 0);
    if (!wide.empty()) wide += L"\\";
    wide += L"wide" + std::wstring(length - 4, L'w');
  }
  CreateFolders(root, wide);
  tree.files.push_back(root + L"\\" + wide + L"\\" + fileName);
  for (const auto& file : tree.files) guidriver::WriteFileBytes(Verbatim(file), bytes);
  return tree;
}

}  // namespace long_path_tree
