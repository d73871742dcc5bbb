#include "glimmet/core/control_kind.h"

#include <gtest/gtest.h>

namespace glimmet {
namespace {

TEST(ClassifyWindowClass, FirstMatchingRowWinsIgnoringCase) {
  const struct {
    const wchar_t* className;
    ControlKind kind;
  } cases[] = {
      {L"Edit", ControlKind::Edit},
      {L"RichEdit20W", ControlKind::Edit},
      {L"ComboBoxEditHybrid", ControlKind::Edit},  // "Edit" is tested before "ComboBox"
      {L"listbox", ControlKind::ListBox},
      {L"ComboBoxEx32", ControlKind::ComboBox},
      {L"ComboLBox", ControlKind::ComboLBox},  // not a "ComboBox"
      {L"SysListView32", ControlKind::ListView},
      {L"SysTreeView32", ControlKind::TreeView},
      {L"ToolbarWindow32", ControlKind::ToolBar},
      {L"MyToolBar", ControlKind::ToolBar},
      {L"SysTabControl32", ControlKind::TabControl},
      {L"tooltips_class32", ControlKind::ToolTips},
      {L"Internet Explorer_Server", ControlKind::Ie},
      {L"MicrosoftSilverlight", ControlKind::Ie},
      {L"IEFrame", ControlKind::IeFrame},
      {L"#32770", ControlKind::Child},
      {L"Button", ControlKind::Other},
      {L"", ControlKind::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyWindowClass(c.className), c.kind) << testing::PrintToString(std::wstring(c.className));
}

}  // namespace
}  // namespace glimmet
