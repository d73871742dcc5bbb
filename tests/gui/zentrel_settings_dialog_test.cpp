// The settings dialog (114): its template, what a fresh settings file shows, the enable rules,
// the ignore list, OK writing the keys in their order and saving at once, Cancel writing nothing,
// and the values taking effect at once.
#include "zentrel_ui_steps.h"

#include <optional>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

enum : int {
  kRemove = 1016, kOpenDefault = 40016, kOpenApp = 40017, kAppEdit = 40018, kAppChoose = 40019,
  kDelimTab = 50038, kDelimOther = 50039, kDelimEdit = 50036, kHeader = 50041, kLogAuto = 50034,
  kLogDate = 50033, kBom8 = 40028, kBom16 = 40026, kCp932 = 1002, kReadWhole = 40020, kReadHead = 40021,
  kReadEdit = 40022, kCheckGroup = 50044, kSkipMatching = 50045, kOnlyMatching = 50046, kPatternGroup = 50043,
  kEndString = 50052, kRegex = 50053, kFullPath = 1003, kEntryEdit = 40035, kAdd = 1000, kDel = 40033,
  kEntries = 40034,
};

enum class Kind { Group, Radio, RadioFirst, Check, CheckFirst, Edit, EditFirst, Digits, Push, DefPush, List, Static };

struct TemplateControl {
  int id;  // -1: found by its text
  Kind kind;
  const wchar_t* text;
  int x, y, width, height;  // dialog units
};

// The labels reach to the inner edge of their group box (the other-delimiter edit is narrower to
// make room), so that no Japanese label is cut off in a wide fallback font.
const TemplateControl kTemplate[] = {
    {-1, Kind::Group, L"\x30c0\x30d6\x30eb\x30af\x30ea\x30c3\x30af\x6642\x306e\x52d5\x4f5c", 7, 5, 176, 82},
    {kRemove, Kind::RadioFirst, L"\x30ea\x30b9\x30c8\x304b\x3089\x9664\x5916\x3059\x308b (&L)", 15, 18, 164, 10},
    {kOpenDefault, Kind::Radio,
     L"\x898f\x5b9a\x306e\x30a2\x30d7\x30ea\x30b1\x30fc\x30b7\x30e7\x30f3\x3067\x958b\x304f (F)", 15, 33, 164, 10},
    {kOpenApp, Kind::Radio,
     L"\x6307\x5b9a\x3057\x305f\x30a2\x30d7\x30ea\x30b1\x30fc\x30b7\x30e7\x30f3\x3067\x958b\x304f (&S)", 15, 48, 164, 10},
    {kAppEdit, Kind::EditFirst, nullptr, 15, 63, 137, 12},
    {kAppChoose, Kind::Push, L"...", 157, 63, 17, 12},
    {-1, Kind::Group, L"\x4fdd\x5b58\x6642\x306e\x8a2d\x5b9a", 8, 92, 176, 85},
    {kDelimTab, Kind::RadioFirst, L"\x4fdd\x5b58\x5185\x5bb9\x3092\x30bf\x30d6\x3067\x533a\x5207\x308b", 17, 104, 162, 8},
    {kDelimOther, Kind::Radio,
     L"\x4fdd\x5b58\x5185\x5bb9\x3092\x305d\x306e\x4ed6\x306e\x6587\x5b57\x3067\x533a\x5207\x308b", 17, 116, 134, 8},
    {kDelimEdit, Kind::EditFirst, nullptr, 153, 113, 26, 12},
    {kHeader, Kind::Check, L"\xff11\x884c\x76ee\x306b\x30d8\x30c3\x30c0\x3092\x51fa\x529b\x3059\x308b (&H)", 17, 134, 162, 8},
    {kLogAuto, Kind::Check,
     L"\x7d50\x679c\x3092\x81ea\x52d5\x7684\x306b\x30ed\x30b0\x306b\x51fa\x529b\x3059\x308b (&A)", 17, 147, 162, 8},
    {kLogDate, Kind::Check,
     L"\x30ed\x30b0\x30d5\x30a1\x30a4\x30eb\x540d\x306b\x65e5\x6642\x3092\x4ed8\x4e0e\x3059\x308b (&D)", 30, 160, 149, 8},
    {-1, Kind::Group, L"nkf \x306e\x8a2d\x5b9a", 7, 181, 176, 61},
    {kBom8, Kind::Check, L"UTF-8 \x306b BOM \x3092\x3064\x3051\x308b (&1)", 15, 193, 164, 10},
    {kBom16, Kind::Check, L"UTF-16 \x306b BOM \x3092\x3064\x3051\x308b (&2)", 15, 208, 164, 10},
    {kCp932, Kind::Check, L"Shift JIS \x3092 CP932 \x3068\x307f\x306a\x3059 (&3)", 15, 223, 164, 10},
    {-1, Kind::Group, L"\x30b3\x30fc\x30c9\x306e\x63a8\x5b9a", 7, 247, 176, 66},
    {kReadWhole, Kind::RadioFirst, L"\x30d5\x30a1\x30a4\x30eb\x3092\x5168\x3066\x4f7f\x7528 (&E)", 15, 261, 164, 10},
    {kReadHead, Kind::Radio,
     L"\x30d5\x30a1\x30a4\x30eb\x306e\x5148\x982d\x3092\x6307\x5b9a\x30d0\x30a4\x30c8\x5206\x4f7f\x7528 (&B)", 15, 274,
     164, 10},
    {kReadEdit, Kind::Digits, nullptr, 16, 289, 65, 12},
    {-1, Kind::Static, L"Byte", 85, 290, 16, 12},
    {-1, Kind::Group, L"\x5bfe\x8c61\x30d5\x30a1\x30a4\x30eb", 188, 9, 253, 303},
    {kCheckGroup, Kind::Group, L"\x30c1\x30a7\x30c3\x30af\x5bfe\x8c61", 197, 22, 236, 43},
    {kSkipMatching, Kind::RadioFirst,
     L"\x30d5\x30a1\x30a4\x30eb\x540d\x304c\x6761\x4ef6\x306b\x5408\x81f4\x3059\x308b\x30d5\x30a1\x30a4\x30eb\x3092"
     L"\x30c1\x30a7\x30c3\x30af\x3057\x306a\x3044",
     208, 36, 221, 8},
    {kOnlyMatching, Kind::Radio,
     L"\x30d5\x30a1\x30a4\x30eb\x540d\x304c\x6761\x4ef6\x306b\x5408\x81f4\x3059\x308b\x30d5\x30a1\x30a4\x30eb\x306e"
     L"\x307f\x30c1\x30a7\x30c3\x30af\x3059\x308b",
     208, 49, 221, 8},
    {kPatternGroup, Kind::Group, L"\x30c1\x30a7\x30c3\x30af\x6761\x4ef6", 197, 71, 236, 58},
    {kEndString, Kind::RadioFirst,
     L"\x30ea\x30b9\x30c8\x306e\x6587\x5b57\x5217\x3092\x7d42\x7aef\x6587\x5b57\x5217\x3068\x3057\x3066\x4f7f\x7528"
     L"\x3059\x308b",
     208, 83, 221, 8},
    {kRegex, Kind::Radio,
     L"\x30ea\x30b9\x30c8\x306e\x6587\x5b57\x5217\x3092\x6b63\x898f\x8868\x73fe\x3068\x3057\x3066\x4f7f\x7528\x3059"
     L"\x308b",
     208, 96, 221, 8},
    {kFullPath, Kind::CheckFirst,
     L"\x6bd4\x8f03\x6587\x5b57\x5217\x306b\x30d5\x30a1\x30a4\x30eb\x540d\x3067\x306f\x306a\x304f\x30d5\x30eb\x30d1"
     L"\x30b9\x3092\x4f7f\x7528\x3059\x308b",
     208, 111, 221, 8},
    {-1, Kind::Group, L"\x30ea\x30b9\x30c8", 197, 135, 236, 168},
    {kEntryEdit, Kind::Edit, nullptr, 208, 148, 190, 12},
    {kAdd, Kind::Push, L"&Add", 404, 147, 22, 14},
    {kDel, Kind::Push, L"&Del", 404, 170, 22, 14},
    {kEntries, Kind::List, nullptr, 207, 169, 191, 124},
    {IDOK, Kind::DefPush, L"&OK", 334, 318, 50, 14},
    {IDCANCEL, Kind::Push, L"&Cancel", 390, 318, 50, 14},
};

HWND ChildByText(HWND dialog, const std::wstring& text) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == static_cast<int>(static_cast<WORD>(-1)) || ::GetDlgCtrlID(child) == -1) {
      if (WindowText(child) == text) return child;
    }
  }
  return nullptr;
}

std::string KindProblem(HWND control, Kind kind) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
  const std::wstring cls = ClassName(control);
  auto button = [&](DWORD type, bool group) -> std::string {
    if (cls != L"Button") return "class " + Utf8(cls);
    if ((style & BS_TYPEMASK) != type) return "button type " + std::to_string(style & BS_TYPEMASK);
    if (group != ((style & WS_GROUP) != 0)) return group ? "no WS_GROUP" : "unexpected WS_GROUP";
    return {};
  };
  auto edit = [&](DWORD required, bool group) -> std::string {
    if (cls != L"Edit") return "class " + Utf8(cls);
    if ((style & required) != required) return "edit style " + std::to_string(style);
    if (group && !(style & WS_GROUP)) return "no WS_GROUP";
    return {};
  };
  switch (kind) {
    case Kind::Group: return cls == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX ? "" : "not a group box";
    case Kind::Radio: return button(BS_AUTORADIOBUTTON, false);
    case Kind::RadioFirst: return button(BS_AUTORADIOBUTTON, true);
    case Kind::Check: return button(BS_AUTOCHECKBOX, false);
    case Kind::CheckFirst: return button(BS_AUTOCHECKBOX, true);
    case Kind::Edit: return edit(ES_AUTOHSCROLL, false);
    case Kind::EditFirst: return edit(ES_AUTOHSCROLL, true);
    case Kind::Digits: return edit(ES_AUTOHSCROLL | ES_NUMBER, true);
    case Kind::Push: return cls == L"Button" && (style & BS_TYPEMASK) == BS_PUSHBUTTON ? "" : "not a push button";
    case Kind::DefPush:
      return cls == L"Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "" : "not the default button";
    case Kind::List: {
      // The dialog manager draws WS_BORDER as a client edge, and the list shows its vertical
      // scroll bar (WS_VSCROLL) only once the entries overflow: checked by filling it.
      const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE));
      const bool border = (style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE);
      const DWORD required = LBS_SORT | LBS_NOTIFY;
      return cls == L"ListBox" && (style & required) == required && border
                 ? ""
                 : "list box style " + std::to_string(style) + " ex " + std::to_string(exStyle);
    }
    case Kind::Static: return cls == L"Static" ? "" : "class " + Utf8(cls);
  }
  return "unknown kind";
}

}  // namespace

class ZentrelSettingsDialogTest : public ZentrelSessionTest {
 protected:
  HWND Open(const std::string& settings = "") {
    if (!process_) StartWithSettings(settings);
    dialog_ = OpenSettingsDialog();
    return dialog_;
  }
  HWND C(int id) const { return Control(dialog_, id); }
  void Click(int id) { ClickButton(C(id)); }
  void Ok() {
    Click(IDOK);
    ASSERT_TRUE(WaitUntilGone(dialog_));
  }
  std::vector<std::wstring> Entries() const { return ListBoxItems(C(kEntries)); }
  void AddEntry(const std::wstring& text, size_t expectedCount) {
    SetText(C(kEntryEdit), text);
    Click(kAdd);
    ASSERT_TRUE(WaitUntil([&] { return Entries().size() == expectedCount; }, "the entry added"));
  }

  HWND dialog_ = nullptr;
};

TEST_F(ZentrelSettingsDialogTest, TemplateHoldsEveryControlWithItsIdTextStyleAndPlace) {
  Open();
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(dialog_, GWL_STYLE));
  for (DWORD bit : {DWORD(WS_POPUP), DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(DS_MODALFRAME)})
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  EXPECT_EQ(style & WS_THICKFRAME, 0u);
  EXPECT_EQ(::GetWindow(dialog_, GW_OWNER), main_);
  EXPECT_FALSE(IsEnabled(main_)) << "modal";

  // Dialog units to pixels from the OK button (50 x 14 units).
  const RECT ok = RectInParent(C(IDOK));
  const double perX = (ok.right - ok.left) / 50.0;
  const double perY = (ok.bottom - ok.top) / 14.0;
  const SIZE client = ClientSize(dialog_);
  EXPECT_NEAR(client.cx, 449 * perX, 3);
  EXPECT_NEAR(client.cy, 337 * perY, 3);

  int children = 0;
  for (HWND child = ::GetWindow(dialog_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++children;
  EXPECT_EQ(children, static_cast<int>(std::size(kTemplate)));

  for (const TemplateControl& expected : kTemplate) {
    SCOPED_TRACE(expected.id == -1 ? Utf8(expected.text) : std::to_string(expected.id));
    HWND control = expected.id == -1 ? ChildByText(dialog_, expected.text) : ::GetDlgItem(dialog_, expected.id);
    ASSERT_NE(control, nullptr);
    if (expected.text && expected.id != -1) EXPECT_EQ(WindowText(control), expected.text);
    EXPECT_EQ(KindProblem(control, expected.kind), "");
    const RECT at = RectInParent(control);
    EXPECT_NEAR(at.left, expected.x * perX, 2);
    EXPECT_NEAR(at.top, expected.y * perY, 2);
    EXPECT_NEAR(at.right - at.left, expected.width * perX, 2);
    EXPECT_NEAR(at.bottom - at.top, expected.height * perY, 2);
  }
  SaveScreenshot(dialog_, L"zentrel_settings");

  for (int i = 0; i < 40; ++i) {
    const std::wstring entry = L"entry" + std::to_wstring(i);
    Send(C(kEntries), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongPtrW(C(kEntries), GWL_STYLE) & WS_VSCROLL) != 0; },
                        "the list's vertical scroll bar"));
}

TEST_F(ZentrelSettingsDialogTest, FreshSettingsFileShowsEveryFallback) {
  Open();
  EXPECT_TRUE(IsChecked(C(kRemove)));
  EXPECT_FALSE(IsChecked(C(kOpenDefault)));
  EXPECT_FALSE(IsChecked(C(kOpenApp)));
  EXPECT_FALSE(IsEnabled(C(kAppEdit)));
  EXPECT_FALSE(IsEnabled(C(kAppChoose)));
  EXPECT_EQ(WindowText(C(kAppEdit)), L"notepad.exe");

  EXPECT_TRUE(IsChecked(C(kDelimTab)));
  EXPECT_FALSE(IsChecked(C(kDelimOther)));
  EXPECT_FALSE(IsEnabled(C(kDelimEdit)));
  EXPECT_EQ(WindowText(C(kDelimEdit)), L",");

  EXPECT_TRUE(IsChecked(C(kReadWhole)));
  EXPECT_FALSE(IsChecked(C(kReadHead)));
  EXPECT_FALSE(IsEnabled(C(kReadEdit)));
  EXPECT_EQ(WindowText(C(kReadEdit)), L"1000");

  EXPECT_TRUE(IsChecked(C(kSkipMatching)));
  EXPECT_FALSE(IsChecked(C(kOnlyMatching)));
  EXPECT_TRUE(IsChecked(C(kEndString)));
  EXPECT_FALSE(IsChecked(C(kRegex)));
  EXPECT_FALSE(IsEnabled(C(kFullPath)));

  for (int id : {kBom8, kBom16, kHeader, kLogAuto, kLogDate, kFullPath}) EXPECT_FALSE(IsChecked(C(id))) << id;
  EXPECT_TRUE(IsChecked(C(kCp932)));
  EXPECT_FALSE(IsEnabled(C(kLogDate)));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(ZentrelSettingsDialogTest, StoredValuesAreShown) {
  Open("<dclick>2</dclick><openapp>C:\\tools\\my editor.exe</openapp><delimtype>1</delimtype>"
       "<delimchar>;;</delimchar><readsize>4096</readsize><checktype>1</checktype><stringtype>1</stringtype>"
       "<usefullpath>1</usefullpath><bom8>1</bom8><bom16>0</bom16><cp932>0</cp932><logauto>1</logauto>"
       "<logdate>1</logdate><logheader>1</logheader><ignore><suffix>.zip</suffix><suffix>.bak</suffix></ignore>");
  EXPECT_TRUE(IsChecked(C(kOpenApp)));
  EXPECT_TRUE(IsEnabled(C(kAppEdit)));
  EXPECT_EQ(WindowText(C(kAppEdit)), L"C:\\tools\\my editor.exe");
  EXPECT_TRUE(IsChecked(C(kDelimOther)));
  EXPECT_TRUE(IsEnabled(C(kDelimEdit)));
  EXPECT_EQ(WindowText(C(kDelimEdit)), L";;");
  EXPECT_TRUE(IsChecked(C(kReadHead)));
  EXPECT_TRUE(IsEnabled(C(kReadEdit)));
  EXPECT_EQ(WindowText(C(kReadEdit)), L"4096");
  EXPECT_TRUE(IsChecked(C(kOnlyMatching)));
  EXPECT_TRUE(IsChecked(C(kRegex)));
  EXPECT_TRUE(IsEnabled(C(kFullPath)));
  for (int id : {kFullPath, kBom8, kLogAuto, kLogDate, kHeader}) EXPECT_TRUE(IsChecked(C(id))) << id;
  for (int id : {kBom16, kCp932}) EXPECT_FALSE(IsChecked(C(id))) << id;
  EXPECT_TRUE(IsEnabled(C(kLogDate)));
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L".bak", L".zip"})) << "sorted by the list box";
}

TEST_F(ZentrelSettingsDialogTest, OutOfRangeChoicesCheckNoButtonAndOkLeavesTheirKeysAlone) {
  Open("<dclick>7</dclick><delimtype>5</delimtype><logauto>2</logauto>");
  for (int id : {kRemove, kOpenDefault, kOpenApp, kDelimTab, kDelimOther}) EXPECT_FALSE(IsChecked(C(id))) << id;
  EXPECT_TRUE(IsEnabled(C(kAppEdit)));
  EXPECT_TRUE(IsEnabled(C(kAppChoose)));
  EXPECT_FALSE(IsChecked(C(kLogAuto))) << "the log is off unless the value is exactly 1";
  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_EQ(entries[0], "dclick=7");
  EXPECT_EQ(entries[1], "delimtype=5");
  EXPECT_NE(std::find(entries.begin(), entries.end(), "logauto=0"), entries.end());
}

TEST_F(ZentrelSettingsDialogTest, OkOnAFreshFileSavesAtOnceExactlyTheKeysInTheirOrder) {
  Open();
  Ok();
  // Read while Zentrel still runs: OK itself saved the file.
  EXPECT_TRUE(process_->IsRunning());
  EXPECT_EQ(ConfigEntries(ReadFile(kConfigFile)),
            (std::vector<std::string>{"dclick=0", "readsize=0", "delimtype=0", "checktype=0", "stringtype=0",
                                      "usefullpath=0", "bom8=0", "bom16=0", "cp932=1", "logheader=0", "logauto=0",
                                      "logdate=0", "ignore="}));
}

TEST_F(ZentrelSettingsDialogTest, OkStoresTheApplicationBeforeDclickAndTheByteCountAsText) {
  Open();
  Click(kOpenApp);
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(C(kAppEdit)); }, "the application box enabled"));
  SetText(C(kAppEdit), L"C:\\x y\\app.exe");
  Click(kReadHead);
  SetText(C(kReadEdit), L"");
  Click(kDelimOther);
  SetText(C(kDelimEdit), L";;");
  Click(kRegex);
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(C(kFullPath)); }, "the full-path box enabled"));
  Click(kFullPath);
  Click(kLogAuto);
  Click(kLogDate);
  AddEntry(L"\\.tmp$", 1);
  Ok();
  EXPECT_EQ(ConfigEntries(ReadFile(kConfigFile)),
            (std::vector<std::string>{"openapp=C:\\x y\\app.exe", "dclick=2", "readsize=", "delimtype=1",
                                      "delimchar=;;", "checktype=0", "stringtype=1", "usefullpath=1", "bom8=0",
                                      "bom16=0", "cp932=1", "logheader=0", "logauto=1", "logdate=1",
                                      "ignore=<suffix>\\.tmp$</suffix>"}));
}

TEST_F(ZentrelSettingsDialogTest, EndStringsStoreUsefullpathZeroWhateverTheBoxShows) {
  Open("<stringtype>1</stringtype><usefullpath>1</usefullpath>");
  ASSERT_TRUE(IsChecked(C(kFullPath)));
  Click(kEndString);
  ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(C(kFullPath)); }, "the full-path box disabled"));
  EXPECT_TRUE(IsChecked(C(kFullPath)));
  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_NE(std::find(entries.begin(), entries.end(), "stringtype=0"), entries.end());
  EXPECT_NE(std::find(entries.begin(), entries.end(), "usefullpath=0"), entries.end());
}

TEST_F(ZentrelSettingsDialogTest, ButtonsEnableAndDisableTheirPartners) {
  Open();
  struct Rule {
    int clicked;
    std::vector<int> partners;
    bool enabled;
  };
  const Rule rules[] = {
      {kOpenApp, {kAppEdit, kAppChoose}, true},   {kOpenDefault, {kAppEdit, kAppChoose}, false},
      {kOpenApp, {kAppEdit, kAppChoose}, true},   {kRemove, {kAppEdit, kAppChoose}, false},
      {kReadHead, {kReadEdit}, true},             {kReadWhole, {kReadEdit}, false},
      {kDelimOther, {kDelimEdit}, true},          {kDelimTab, {kDelimEdit}, false},
      {kRegex, {kFullPath}, true},                {kEndString, {kFullPath}, false},
      {kLogAuto, {kLogDate}, true},               {kLogAuto, {kLogDate}, false},
  };
  for (const Rule& rule : rules) {
    SCOPED_TRACE(rule.clicked);
    Click(rule.clicked);
    EXPECT_TRUE(WaitUntil(
        [&] {
          for (int id : rule.partners)
            if (IsEnabled(C(id)) != rule.enabled) return false;
          return true;
        },
        rule.enabled ? "partners enabled" : "partners disabled"));
  }
}

TEST_F(ZentrelSettingsDialogTest, LogDateKeepsItsMarkWhileDisabledAndOkStoresIt) {
  Open("<logauto>1</logauto><logdate>1</logdate>");
  Click(kLogAuto);
  ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(C(kLogDate)); }, "the log-date box disabled"));
  EXPECT_TRUE(IsChecked(C(kLogDate)));
  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_NE(std::find(entries.begin(), entries.end(), "logauto=0"), entries.end());
  EXPECT_NE(std::find(entries.begin(), entries.end(), "logdate=1"), entries.end());
}

TEST_F(ZentrelSettingsDialogTest, AddTwiceAddEmptyAndDeleteWithTheSelectionRule) {
  Open();
  AddEntry(L".log", 1);
  EXPECT_EQ(WindowText(C(kEntryEdit)), L"") << "the edit is cleared";
  AddEntry(L".log", 2);
  AddEntry(L"", 3);
  AddEntry(L".bak", 4);
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"", L".bak", L".log", L".log"}));

  // Nothing selected: Del does nothing.
  Click(kDel);
  AddEntry(L".zip", 5);
  // Deleting another entry selects the one before it.
  Send(C(kEntries), LB_SETCURSEL, 2);
  Click(kDel);
  ASSERT_TRUE(WaitUntil([&] { return Entries().size() == 4; }, "the entry deleted"));
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"", L".bak", L".log", L".zip"}));
  EXPECT_EQ(ListBoxSelection(C(kEntries)), 1);
  // Deleting the first leaves nothing selected.
  Send(C(kEntries), LB_SETCURSEL, 0);
  Click(kDel);
  ASSERT_TRUE(WaitUntil([&] { return Entries().size() == 3; }, "the entry deleted"));
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L".bak", L".log", L".zip"}));
  EXPECT_EQ(ListBoxSelection(C(kEntries)), LB_ERR);

  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_EQ(entries.back(), "ignore=<suffix>.bak</suffix><suffix>.log</suffix><suffix>.zip</suffix>");
}

TEST_F(ZentrelSettingsDialogTest, EntriesAreCutAt255Characters) {
  Open();
  AddEntry(std::wstring(300, L'a'), 1);
  EXPECT_EQ(Entries()[0], std::wstring(255, L'a'));
}

TEST_F(ZentrelSettingsDialogTest, EntryThatDoesNotCompileIsRefusedWithAMessageInBothModes) {
  Open("<stringtype>1</stringtype>");
  SetText(C(kEntryEdit), L"*.txt");
  Click(kAdd);
  const std::wstring message = AnswerMessageBox(L"INFO");
  EXPECT_NE(message.find(L"*.txt"), std::wstring::npos) << Utf8(message);
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(WindowText(C(kEntryEdit)), L"*.txt") << "kept for correcting";

  // End strings are patterns too ("*.txt$" does not compile either); a sound one is taken.
  Click(kEndString);
  Click(kAdd);
  EXPECT_NE(AnswerMessageBox(L"INFO").find(L"*.txt"), std::wstring::npos);
  EXPECT_TRUE(Entries().empty());
  AddEntry(L".txt", 1);
}

class ZentrelSettingsCancelTest : public ZentrelSettingsDialogTest, public testing::WithParamInterface<int> {};

TEST_P(ZentrelSettingsCancelTest, ClosingWithoutOkWritesNothing) {
  Open();
  const std::string before = ReadFile(kConfigFile);
  Click(kOpenApp);
  Click(kBom8);
  AddEntry(L".tmp", 1);
  switch (GetParam()) {
    case 0: Click(IDCANCEL); break;
    case 1: PostKeyPress(C(kEntryEdit), VK_ESCAPE); break;
    case 2: Post(dialog_, WM_SYSCOMMAND, SC_CLOSE); break;
  }
  ASSERT_TRUE(WaitUntilGone(dialog_));
  EXPECT_EQ(ReadFile(kConfigFile), before);

  Open();
  EXPECT_TRUE(IsChecked(C(kRemove)));
  EXPECT_FALSE(IsChecked(C(kBom8)));
  EXPECT_TRUE(Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(CancelEscCloseBox, ZentrelSettingsCancelTest, testing::Values(0, 1, 2));

TEST_F(ZentrelSettingsDialogTest, DelimiterWithBlankEndsIsRefusedBeforeAnythingIsWritten) {
  Open();
  const std::string before = ReadFile(kConfigFile);
  Click(kDelimOther);
  SetText(C(kDelimEdit), L" ");
  Click(IDOK);
  EXPECT_FALSE(AnswerMessageBox(L"INFO").empty());
  EXPECT_TRUE(::IsWindow(dialog_));
  EXPECT_EQ(ReadFile(kConfigFile), before);

  SetText(C(kDelimEdit), L"; ;");
  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_NE(std::find(entries.begin(), entries.end(), "delimchar=; ;"), entries.end());
}

TEST_F(ZentrelSettingsDialogTest, SettingsFileThatCannotBeWrittenGetsTheErrorAndTheDialogStays) {
  Open();
  // A folder in the settings file's place: no file can replace it.
  const std::wstring blocker = folder_.File(kConfigFile);
  ASSERT_TRUE(::DeleteFileW(blocker.c_str()));
  ASSERT_TRUE(::CreateDirectoryW(blocker.c_str(), nullptr));
  Click(kBom8);
  Click(IDOK);
  const std::wstring message = AnswerMessageBox(L"ERROR");
  EXPECT_EQ(message.substr(0, kSettingsNotSaved.size()), kSettingsNotSaved) << Utf8(message);
  EXPECT_NE(message.find(kConfigFile), std::wstring::npos) << Utf8(message);
  EXPECT_TRUE(::IsWindow(dialog_));

  ::RemoveDirectoryW(blocker.c_str());
  Ok();
  const auto entries = ConfigEntries(ReadFile(kConfigFile));
  EXPECT_NE(std::find(entries.begin(), entries.end(), "bom8=1"), entries.end());
}

TEST_F(ZentrelSettingsDialogTest, CancelAfterAFailedOkTakesBackWhatThatOkWrote) {
  Open();
  const std::wstring blocker = folder_.File(kConfigFile);
  ASSERT_TRUE(::DeleteFileW(blocker.c_str()));
  ASSERT_TRUE(::CreateDirectoryW(blocker.c_str(), nullptr));
  Click(kOpenApp);
  Click(kBom8);
  AddEntry(L".tmp", 1);
  Click(IDOK);
  EXPECT_FALSE(AnswerMessageBox(L"ERROR").empty());
  Click(IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(dialog_));

  Open();
  EXPECT_TRUE(IsChecked(C(kRemove)));
  EXPECT_FALSE(IsChecked(C(kBom8)));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(ZentrelSettingsDialogTest, ApplicationChooserPutsTheChosenPathIntoTheBox) {
  Open("<dclick>2</dclick>");
  const std::wstring program = ProgramBesideTest(L"command_line_recorder.exe");
  Click(kAppChoose);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (const auto& window : process_->Windows())
          if (window.visible && window.className == L"#32770" && window.handle != main_ && window.handle != dialog_)
            chooser = window.handle;
        return chooser != nullptr;
      },
      "the file chooser", [&] { return DescribeWindows(process_->Windows()); }));
  EXPECT_EQ(::GetWindow(chooser, GW_OWNER), dialog_);
  SetText(Control(chooser, 0x47c), program);
  PressButton(chooser, IDOK);
  ASSERT_TRUE(WaitUntilGone(chooser));
  EXPECT_TRUE(WaitForText(C(kAppEdit), program));
}

// The values take effect at once for the next drop and the next save.
TEST_F(ZentrelSettingsDialogTest, ValuesTakeEffectAtOnceForTheNextDropAndSave) {
  Open();
  Click(kDelimOther);
  SetText(C(kDelimEdit), L"|");
  Click(kHeader);
  Click(kLogAuto);
  AddEntry(L".skip", 1);
  Ok();

  const std::wstring tree = folder_.File(L"tree");
  ::CreateDirectoryW(tree.c_str(), nullptr);
  WriteFileBytes(tree + L"\\a.txt", "a\r\n");
  WriteFileBytes(tree + L"\\b.skip", "b\r\n");
  const Rows rows = DropAndWait({tree});
  ASSERT_EQ(rows.size(), 1u) << "the ignore list skipped b.skip";
  EXPECT_EQ(rows[0][0], tree + L"\\a.txt");

  const std::string expected = HexBytes("837483408343838b96bc") + "|" + HexBytes("95b68e9a8352815b8368") + "|" +
                               HexBytes("89fc8d738352815b8368") + "\r\n" + Ascii(rows[0][0]) + "|" +
                               Ascii(rows[0][1]) + "|" + Ascii(rows[0][2]) + "\r\n";
  EXPECT_EQ(ReadFile(L"zentrel.log"), expected);
  SaveListTo(folder_.File(L"list.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  EXPECT_EQ(ReadFile(L"list.txt"), expected);
}
