#include "glimmet/capture/readers.h"
#include "glimmet/core/list_csv.h"

namespace glimmet::capture {

ReadResult ReadByKind(ControlKind kind, const ReaderContext& context) {
  switch (kind) {
    case ControlKind::Edit: return ReadEdit(context);
    case ControlKind::ListBox: return ReadListBox(context);
    case ControlKind::ComboBox: return ReadComboBox(context);
    case ControlKind::ComboLBox: return ReadComboList(context);
    case ControlKind::ListView: {
      ReadResult result = ReadListView(context);
      if (context.settings.listviewCol == 1) result.text = ListViewToCsv(result.text);
      return result;
    }
    case ControlKind::TreeView: return ReadTreeView(context);
    case ControlKind::ToolBar: return ReadToolBar(context);
    case ControlKind::TabControl: return ReadTabControl(context);
    case ControlKind::ToolTips: return ReadToolTip(context);
    case ControlKind::Child: return ReadChildren(context, context.PointWindow());
    case ControlKind::Other: return ReadOther(context);
    case ControlKind::Ie:
    case ControlKind::IeFrame: return {};
  }
  return {};
}

}  // namespace glimmet::capture
