#pragma once

#include <windows.h>

namespace zentrel::ui {

// Sorts the rows by the text of one column, compared code unit by code unit as unsigned 16-bit
// values (shorter first when one is a prefix of the other). Rows keep their item data and state.
void SortListByColumn(HWND list, int column, bool ascending);

}  // namespace zentrel::ui
