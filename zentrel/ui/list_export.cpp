#include "list_export.h"

#include <commdlg.h>

#include <optional>
#include <vector>

#include "all_files_filter.h"
#include "zentrel/platform/code_page_932_text.h"
#include "message_boxes.h"
#include "resource.h"
#include "zentrel/platform/whole_file_write.h"
#include "win_controls.h"
#include "zentrel/export/list_text.h"
#include "zentrel/export/log_file_name.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel::ui {
namespace {

constexpr int kSaveFileNameBuffer = 2048;

ListRowCells RowCells(HWND list, int row) {
  return {ListViewCellText(list, row, 0), ListViewCellText(list, row, 1), ListViewCellText(list, row, 2)};
}

std::optional<std::wstring> AskSavePath(HINSTANCE instance, HWND owner) {
  const std::wstring filter = AllFilesFilter(instance);
  const std::wstring title = LoadResourceString(instance, IDS_SAVE_LIST_TITLE);
  std::vector<wchar_t> file(kSaveFileNameBuffer, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kSaveFileNameBuffer;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = 0;  // no overwrite question, no prompt to create a folder
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace

ListWriteResult WriteListFile(HINSTANCE instance, HWND list, const std::wstring& path,
                              const SettingsStore& settings) {
  const int count = ListViewRowCount(list);
  const std::wstring delimiter =
      ListDelimiter(settings.GetSetting(setting::kDelimType),
                    settings.GetSetting(setting::kDelimChar));
  std::wstring text;
  if (settings.GetSetting(setting::kLogHeader) == 1) {
    AppendListLine(text,
                   {LoadResourceString(instance, IDS_HEADER_FILE), LoadResourceString(instance, IDS_HEADER_ENCODING),
                    LoadResourceString(instance, IDS_HEADER_EOL)},
                   delimiter);
  }
  for (int row = 0; row < count; ++row) AppendListLine(text, RowCells(list, row), delimiter);
  const platform::CodePage932Text file = platform::EncodeCodePage932(text);

  ListWriteResult result;
  result.written = platform::WriteWholeFile(path, file.bytes);
  result.charactersReplaced = file.replaced;
  return result;
}

void SaveListFromMenu(HINSTANCE instance, HWND owner, HWND list, const SettingsStore& settings) {
  const std::optional<std::wstring> path = AskSavePath(instance, owner);
  if (!path) return;
  const ListWriteResult result = WriteListFile(instance, list, *path, settings);
  if (!result.written) {
    ShowErrorBox(LoadResourceString(instance, IDS_LIST_SAVE_FAILED) + *path);
    return;
  }
  std::wstring confirmation = LoadResourceString(instance, IDS_LIST_SAVED);
  if (result.charactersReplaced) confirmation += LoadResourceString(instance, IDS_LIST_SAVED_WITH_REPLACEMENTS);
  ShowInfoBox(confirmation);
}

void WriteAutomaticLog(HINSTANCE instance, HWND list, const SettingsStore& settings) {
  std::optional<LocalTimeStamp> stamp;
  if (settings.GetSetting(setting::kLogDate) == 1) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    stamp = LocalTimeStamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }
  WriteListFile(instance, list, AutomaticLogName(stamp), settings);
}

}  // namespace zentrel::ui
