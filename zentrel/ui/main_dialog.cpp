#include "main_dialog.h"

#include <shellapi.h>
#include <shlobj.h>

#include <initializer_list>

#include <memory>
#include <string>

#include "about_dialog.h"
#include "zentrel/engine/list_inspection.h"
#include "list_export.h"
#include "list_sort.h"
#include "main_layout.h"
#include "message_boxes.h"
#include "open_action.h"
#include "zentrel/convert/progress_dialog.h"
#include "resource.h"
#include "settings_dialog.h"
#include "win_controls.h"
#include "zentrel/platform/window_dpi.h"

namespace zentrel::ui {
namespace {

// Marks the drop's walk as running for as long as it lives.
class WalkInProgress {
 public:
  explicit WalkInProgress(bool& flag) : flag_(flag) { flag_ = true; }
  WalkInProgress(const WalkInProgress&) = delete;
  WalkInProgress& operator=(const WalkInProgress&) = delete;
  ~WalkInProgress() { flag_ = false; }

 private:
  bool& flag_;
};

// While a drop's walk waits in one of its error boxes (they have no owner, so this window stays
// usable), the rows are half built and the walk still reads the settings: what reads or changes
// either is refused until the walk ends. Close is not among them: the dialog ends only once the
// walk has returned.
bool NeedsAFinishedWalk(int command) {
  switch (command) {
    case IDC_CONVERT:
    case IDM_SAVE_LIST:
    case IDM_SETTINGS:
    case IDM_REMOVE_ROW:
    case IDM_OPEN_DEFAULT:
    case IDM_OPEN_WITH_APP: return true;
    default: return false;
  }
}

struct CoTaskMemDeleter {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

}  // namespace

void MainDialog::Run() {
  RunModal(state_.instance, IDD_MAIN, nullptr);
}

void MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_SIZE: OnSize(wParam, lParam); break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); break;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); break;
    case WM_CLOSE: OnClose(wParam); break;
    case WM_DPICHANGED:
      FollowDpiChange(dialog_, state_.resultList, dpi_, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      dpi_ = HIWORD(wParam);
      break;
  }
}

void MainDialog::OnInitDialog() {
  InitCommonControls();
  HWND list = GetDlgItem(dialog_, IDC_RESULT_LIST);
  state_.resultList = list;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);

  state_.smallIcon = static_cast<HICON>(
      LoadImageW(state_.instance, MAKEINTRESOURCEW(IDI_ZENTREL), IMAGE_ICON, 16, 16, LR_VGACOLOR));
  SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state_.smallIcon));

  dpi_ = WindowDpi(dialog_);  // the widths are pixels at 96 DPI
  ListViewInsertColumn(list, 0, LoadResourceString(state_.instance, IDS_HEADER_FILE), ScaleToDpi(256, dpi_));
  ListViewInsertColumn(list, 1, LoadResourceString(state_.instance, IDS_HEADER_ENCODING), ScaleToDpi(70, dpi_));
  ListViewInsertColumn(list, 2, LoadResourceString(state_.instance, IDS_HEADER_EOL), ScaleToDpi(70, dpi_));
  ListViewInsertRow(list, 0, LoadResourceString(state_.instance, IDS_HINT_ROW));

  HWND encodings = GetDlgItem(dialog_, IDC_ENCODING_COMBO);
  for (UINT id : {IDS_ENC_SJIS, IDS_ENC_EUCJP, IDS_ENC_UTF8, IDS_ENC_UTF16LE, IDS_ENC_UTF16BE, IDS_ENC_JIS})
    ComboAddString(encodings, LoadResourceString(state_.instance, id));
  HWND eols = GetDlgItem(dialog_, IDC_EOL_COMBO);
  for (UINT id : {IDS_EOL_CRLF, IDS_EOL_CR, IDS_EOL_LF})
    ComboAddString(eols, LoadResourceString(state_.instance, id));

  DragAcceptFiles(list, TRUE);
  // The list's user data (free for the application in every common control) rather than a window
  // property: every message to the list passes through ListProc, and GetPropW is a round trip to
  // the Wine server (some 30 us), which made each list message cost that much.
  SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listBaseProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));

  CheckRadioButton(dialog_, IDC_REPLACE_RADIO, IDC_FOLDER_RADIO, IDC_REPLACE_RADIO);
  EnableDialogItem(dialog_, IDC_CONVERT, false);
}

LRESULT CALLBACK MainDialog::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(list, GWLP_USERDATA));
  if (message == WM_DROPFILES) {
    self->OnDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  }
  return CallWindowProcW(self->listBaseProc_, list, message, wParam, lParam);
}

void MainDialog::OnDropFiles(HDROP drop) {
  // A walk waits inside an error box of its own (a file it cannot read) while the list still takes
  // drops; a second drop then would clear the rows and drop roots under the first walk's feet.
  if (walking_) {
    DragFinish(drop);
    return;
  }
  const WalkInProgress walk(walking_);
  HCURSOR previousCursor = nullptr;
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  if (wait) previousCursor = SetCursor(wait);

  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  SendMessageW(state_.resultList, LVM_DELETEALLITEMS, 0, 0);
  state_.dropRoots.clear();
  state_.rowDropRoot.clear();
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
    state_.dropRoot = path;
    state_.dropRoots.push_back(path);
    const std::size_t root = state_.dropRoots.size() - 1;
    InspectPath(state_.resultList, path, -1, *state_.settings, [this, root] {
      state_.rowDropRoot.push_back(root);
      return static_cast<LPARAM>(state_.rowDropRoot.size() - 1);
    });
  }
  DragFinish(drop);
  if (state_.settings->GetSetting(setting::kLogAuto) == 1)
    WriteAutomaticLog(state_.instance, state_.resultList, *state_.settings);

  if (wait) SetCursor(previousCursor);
  SetWindowTextW(dialog_, LoadResourceString(state_.instance, IDS_TITLE_DONE).c_str());
  EnableDialogItem(dialog_, IDC_CONVERT, true);
}

void MainDialog::OnColumnClick(int column) {
  if (column < 0 || column >= static_cast<int>(state_.sortFlags.size())) return;
  auto& flag = state_.sortFlags[static_cast<size_t>(column)];
  flag = ~flag;
  SortListByColumn(state_.resultList, column, flag != 0);
}

void MainDialog::OnRightClick() {
  HMENU menu = LoadMenuW(state_.instance, MAKEINTRESOURCEW(IDR_LIST_MENU));
  if (!menu) return;
  POINT at{};
  GetCursorPos(&at);
  TrackPopupMenu(GetSubMenu(menu, 0), 0, at.x, at.y, 0, dialog_, nullptr);
  DestroyMenu(menu);
}

void MainDialog::OnSize(WPARAM sizeType, LPARAM size) {
  if (sizeType & SIZE_MINIMIZED) return;
  LayoutMainWindow(dialog_, LOWORD(size), HIWORD(size));
}

void MainDialog::OnCommand(int id) {
  if (walking_ && NeedsAFinishedWalk(id)) return;
  switch (id) {
    case IDM_ABOUT: ShowAboutBox(state_.instance); break;
    case IDM_EXIT:
    case IDC_CLOSE: SendMessageW(dialog_, WM_CLOSE, 0, 0); break;
    case IDC_BROWSE: OnBrowseOutputFolder(); break;
    case IDC_REPLACE_RADIO: SetOutputControlsEnabled(false); break;
    case IDC_FOLDER_RADIO: SetOutputControlsEnabled(true); break;
    case IDC_CONVERT: OnConvert(); break;
    case IDM_SAVE_LIST: SaveListFromMenu(state_.instance, dialog_, state_.resultList, *state_.settings); break;
    case IDM_SETTINGS: SettingsDialog(state_.instance, *state_.settings).Run(dialog_); break;
    case IDM_REMOVE_ROW: RunOpenAction(state_.resultList, kRemoveRow, *state_.settings); break;
    case IDM_OPEN_DEFAULT: RunOpenAction(state_.resultList, kOpenWithDefault, *state_.settings); break;
    case IDM_OPEN_WITH_APP: RunOpenAction(state_.resultList, kOpenWithApplication, *state_.settings); break;
    default: break;  // IDCANCEL (Esc) deliberately does not close the window
  }
}

void MainDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_RESULT_LIST) return;
  if (walking_ && header.code != NM_RCLICK) return;  // sorting or opening rows the walk still builds
  switch (header.code) {
    case LVN_COLUMNCLICK: OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem); break;
    case NM_RCLICK: OnRightClick(); break;
    case NM_DBLCLK: RunOpenAction(state_.resultList, kOpenByDoubleClickSetting, *state_.settings); break;
  }
}

void MainDialog::OnClose(WPARAM result) {
  DestroyIcon(state_.smallIcon);
  state_.smallIcon = nullptr;
  EndDialog(dialog_, static_cast<INT_PTR>(result));
}

void MainDialog::SetOutputControlsEnabled(bool enabled) {
  EnableDialogItem(dialog_, IDC_BROWSE, enabled);
  EnableDialogItem(dialog_, IDC_OUTPUT_EDIT, enabled);
}

void MainDialog::OnBrowseOutputFolder() {
  std::wstring title = LoadResourceString(state_.instance, IDS_BROWSE_TITLE);
  BROWSEINFOW info{};
  info.hwndOwner = dialog_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_NEWDIALOGSTYLE;
  std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter> chosen(SHBrowseForFolderW(&info));
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path)) return;
  state_.outputFolder = path;
  SetDlgItemTextW(dialog_, IDC_OUTPUT_EDIT, path);
}

void MainDialog::OnConvert() {
  int encoding = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_ENCODING_COMBO, CB_GETCURSEL, 0, 0));
  int eol = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_EOL_COMBO, CB_GETCURSEL, 0, 0));
  if (encoding == CB_ERR && eol == CB_ERR) {
    ShowInfoBox(LoadResourceString(state_.instance, IDS_CHOOSE_ENCODING_OR_EOL));
    return;
  }
  int replace = IsDlgButtonChecked(dialog_, IDC_REPLACE_RADIO) == BST_CHECKED ? 1 : 0;
  std::wstring folder;
  if (!replace) {
    folder = DialogItemText(dialog_, IDC_OUTPUT_EDIT, 2048);
    if (folder.empty()) {
      ShowInfoBox(LoadResourceString(state_.instance, IDS_CHOOSE_OUTPUT_FOLDER));
      return;
    }
  }
  state_.encodingChoice = encoding;
  state_.eolChoice = eol;
  state_.replaceFlag = replace;
  if (!replace) state_.outputFolder = folder;

  ConversionRequest request;
  request.resultList = state_.resultList;
  request.settings = state_.settings;
  request.encodingChoice = state_.encodingChoice;
  request.eolChoice = state_.eolChoice;
  request.replace = state_.replaceFlag == 1;
  request.outputFolder = state_.outputFolder;
  request.dropRootOfRow = [this](LPARAM rowData) { return state_.DropRootOfRow(rowData); };
  ProgressDialog(state_.instance, std::move(request)).Run(dialog_);

  SetWindowTextW(dialog_, LoadResourceString(state_.instance, IDS_TITLE_DONE).c_str());
}

}  // namespace zentrel::ui
