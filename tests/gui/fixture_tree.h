// Folders of sample files with exact bytes, written by the GUI tests themselves, and the rows the
// inspection must show for them.
#pragma once

#include "guidriver/guidriver.h"

#include <string>
#include <vector>

namespace fixture_tree {

inline const std::wstring kMixed = L"\x6df7\x5728";  // the list's text for mixed line endings

struct SampleFile {
  std::wstring relativePath;  // below the tree's root, "\" between folders
  std::string bytes;
  std::wstring encoding;      // the row's expected encoding text
  std::wstring lineEnding;    // the row's expected line-ending text
  bool hidden = false;
};

// Every encoding the guesser must name (Shift_JIS, CP932, EUC-JP, ISO-2022-JP, UTF-8 with and
// without a byte-order mark, UTF-16 in both byte orders with and without one, ASCII, a binary
// header, an empty file), every line-ending kind, a hidden file and a hidden sub-folder holding a
// folder two levels deep. Listed in walk order: Wine lists a folder sorted like NTFS (upper-cased
// ordinal), so the order is fixed by the names.
std::vector<SampleFile> EncodingTree();

// The sample of EncodingTree() at `relativePath`; throws DriverError when there is none.
SampleFile TreeSample(const std::wstring& relativePath);

// The file of EncodingTree() that a test may lock to make it unreadable.
inline const std::wstring kLockedName = L"locked.txt";

// Creates the folders, writes every file and sets the hidden attributes; throws DriverError.
void WriteTree(const std::wstring& root, const std::vector<SampleFile>& files);

// The rows a drop of `root` must yield: full path, encoding, line ending, in the files' order.
// `unreadable` names the file (relative path) the test keeps locked: it has no row.
guidriver::Rows ExpectedRows(const std::wstring& root, const std::vector<SampleFile>& files,
                             const std::wstring& unreadable = {});

// An open handle that shares nothing, so every other open of the file fails while it lives: the
// way to make a file unreadable for the program when the test runs as a user who may read all.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(const std::wstring& path);
  bool Held() const { return static_cast<bool>(file_); }

 private:
  guidriver::FileHandle file_;
};

// The names of a folder as FindFirstFileW lists them, "." and ".." left out.
std::vector<std::wstring> ListingOrder(const std::wstring& folder);

}  // namespace fixture_tree
