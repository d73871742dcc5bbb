#include "zentrel/convert/output_target.h"

namespace zentrel {

OutputTarget OutputTargetFor(std::wstring_view source, std::wstring_view dropRoot,
                             std::wstring_view outputFolder, wchar_t separator) {
  const size_t last = source.rfind(separator);
  const std::wstring_view folderPart = last == std::wstring_view::npos ? std::wstring_view() : source.substr(0, last);
  std::wstring namePart;
  if (last == std::wstring_view::npos) namePart.assign(1, separator);
  namePart += last == std::wstring_view::npos ? source : source.substr(last);  // keeps the separator

  // The sub-folder below the dropped item: what the folder part has beyond the dropped path.
  std::wstring_view relative;
  if (folderPart.size() > dropRoot.size() && folderPart.substr(0, dropRoot.size()) == dropRoot)
    relative = folderPart.substr(dropRoot.size());

  OutputTarget target;
  target.folder.assign(outputFolder);
  target.folder += relative;
  target.path = target.folder + namePart;
  return target;
}

}  // namespace zentrel
