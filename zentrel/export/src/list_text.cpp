#include "zentrel/export/list_text.h"

namespace zentrel {

std::wstring ListDelimiter(int delimType, std::wstring_view delimChar) {
  return delimType == 0 ? std::wstring(L"\t") : std::wstring(delimChar);
}

void AppendListLine(std::wstring& text, const ListRowCells& cells, std::wstring_view delimiter) {
  text += cells[0];
  text += delimiter;
  text += cells[1];
  text += delimiter;
  text += cells[2];
  text += kListLineEnd;
}

}  // namespace zentrel
