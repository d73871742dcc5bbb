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
  // The list does not redraw while the sink lives: a visible list view may repaint on every row
  // added (about 20 ms a row under Wine), and nothing can show before the walk gives the window
  // back to its message loop anyway. It draws once when the sink goes, and while an error box is up.
  explicit ListViewSink(HWND list, std::function<LPARAM()> newRowTag = {});
  ~ListViewSink() override;
  ListViewSink(const ListViewSink&) = delete;
  ListViewSink& operator=(const ListViewSink&) = delete;

  void SetStatus(std::wstring_view text) override;
  void WriteRow(int rowIndex, const ResultRow& row) override;
  void ReportError(std::wstring_view path, InspectError error) override;

 private:
  void ResumeDrawing();

  HWND list_;
  std::function<LPARAM()> newRowTag_;
};

}  // namespace zentrel
