#include "list_inspection.h"

namespace zentrel {

ListInspection::ListInspection(HWND list, const SettingsStore& settings,
                               std::function<LPARAM()> newRowTag)
    : reader_(settings), sink_(list, std::move(newRowTag)), engine_(files_, reader_, guesser_, sink_) {}

void ListInspection::InspectPath(const std::wstring& path, int rowIndex) {
  engine_.InspectPath(path, rowIndex);
}

void InspectPath(HWND list, const std::wstring& path, int rowIndex, const SettingsStore& settings,
                 const std::function<LPARAM()>& newRowTag) {
  ListInspection(list, settings, newRowTag).InspectPath(path, rowIndex);
}

}  // namespace zentrel
