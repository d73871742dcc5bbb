#pragma once
// Where a file converted into the output folder goes: the output folder, the file's sub-folder
// below the item that was dropped, and its name.

#include <string>
#include <string_view>

namespace zentrel {

struct OutputTarget {
  std::wstring folder;  // to be created with its parents
  std::wstring path;    // folder + separator + file name
};

// source: the file's full path; dropRoot: the dropped item it was found under (the file itself when
// a file was dropped); outputFolder: as the user typed or chose it.
// C:\in\docs\sub\a.txt from C:\in\docs into D:\out -> D:\out\sub, D:\out\sub\a.txt.
// A source that does not lie below dropRoot goes straight into the output folder, never into a
// folder cut out of the middle of its path.
OutputTarget OutputTargetFor(std::wstring_view source, std::wstring_view dropRoot,
                             std::wstring_view outputFolder, wchar_t separator = L'\\');

}  // namespace zentrel
