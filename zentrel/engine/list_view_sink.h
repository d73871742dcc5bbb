#pragma once
// Writes inspection results into the result list and the status into its parent's title. Every
// call is a synchronous SendMessageW, so from the conversion worker they run on the window's thread.

#include <windows.h>

#include <functional>

#include "zentrel/core/inspection_sink.h"

namespace zentrel {

class ListViewSink final : public InspectionSink {
 public:
  // newRowTag, when given, supplies the item data of each appended row (the main window uses it to
  // remember which dropped item a row came from).
  explicit ListViewSink(HWND list, std::function<LPARAM()> newRowTag = {})
      : list_(list), newRowTag_(std::move(newRowTag)) {}

  void SetStatus(std::wstring_view text) override;
  void WriteRow(int rowIndex, const ResultRow& row) override;
  void ReportError(std::wstring_view path, InspectError error) override;

 private:
  HWND list_;
  std::function<LPARAM()> newRowTag_;
};

}  // namespace zentrel
