// Tree views: the accessible items first; where the accessibility server gives none, the tree's
// own messages with the same rules (the pointed item and the items shown below it, indented by
// level), so a user pointing at a tree always gets its items.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "glimmet/capture/readers.h"
#include "glimmet/core/remote_layouts.h"
#include "glimmet/platform/bounded_message.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

static_assert(sizeof(void*) == 4 || (sizeof(TVITEMW) == sizeof(layout64::TreeItem) &&
                                     offsetof(TVITEMW, pszText) == offsetof(layout64::TreeItem, text) &&
                                     sizeof(TVHITTESTINFO) == sizeof(layout64::TreeHitTest)),
              "the 64-bit records are the system's TVITEMW and TVHITTESTINFO");

constexpr int kItemChars = 260;
constexpr std::size_t kMaxDepth = 1000;  // a tree that answers in circles stops here

class TreeMessages {
 public:
  explicit TreeMessages(HWND tree)
      : tree_(tree),
        process_(platform::RemoteProcess::OfWindow(tree)),
        record_(process_, PackTreeTextQuery(process_.TargetBitness(), 0, 0, 0).size()),
        text_(process_, sizeof(wchar_t) * kItemChars) {}

  explicit operator bool() const { return record_ && text_; }

  std::optional<std::uint64_t> Next(std::uint64_t item, WPARAM relation) const {
    const auto next = platform::SendBounded(tree_, TVM_GETNEXTITEM, relation, static_cast<LPARAM>(item));
    if (!next) return std::nullopt;
    return static_cast<std::uint64_t>(*next);
  }

  // The item under a screen point, 0 when none.
  std::uint64_t ItemAt(int x, int y) {
    POINT point{x, y};
    ::ScreenToClient(tree_, &point);
    const RemoteBytes query = PackTreeHitTest(process_.TargetBitness(), point.x, point.y);
    if (!record_.Write(query.data(), query.size())) return 0;
    if (!platform::SendBounded(tree_, TVM_HITTEST, 0, record_.AsParameter())) return 0;
    RemoteBytes answer(query.size());
    if (!record_.Read(answer.data(), answer.size())) return 0;
    return TreeHitTestItem(process_.TargetBitness(), answer);
  }

  // The ancestors of an item, outermost first: its level is their number.
  std::vector<std::uint64_t> Ancestors(std::uint64_t item) const {
    std::vector<std::uint64_t> ancestors;
    for (auto parent = Next(item, TVGN_PARENT); parent && *parent && ancestors.size() < kMaxDepth;
         parent = Next(*parent, TVGN_PARENT)) {
      ancestors.insert(ancestors.begin(), *parent);
    }
    return ancestors;
  }

  std::optional<std::wstring> Text(std::uint64_t item) {
    const RemoteBytes query = PackTreeTextQuery(process_.TargetBitness(), item, text_.Address(), kItemChars);
    if (!record_.Write(query.data(), query.size()) || !ClearRemoteText(text_)) return std::wstring();
    if (!platform::SendBounded(tree_, TVM_GETITEMW, 0, record_.AsParameter())) return std::nullopt;
    return ReadRemoteText(text_, kItemChars);
  }

 private:
  HWND tree_;
  platform::RemoteProcess process_;
  platform::RemoteBlock record_, text_;
};

ReadResult ReadTreeByMessages(const ReaderContext& context, HWND tree) {
  ReadResult result{L"", std::wstring(label::kTvmGetItem)};
  TreeMessages messages(tree);
  if (!messages) return result;
  std::uint64_t item = messages.ItemAt(context.settings.pointX, context.settings.pointY);
  // Pointing at no item lists the whole tree from its first root.
  const bool branchOnly = item != 0;
  if (!item) item = messages.Next(0, TVGN_ROOT).value_or(0);
  // The path from the root to the current item; the next shown item's parent is on it, so one
  // message per item keeps the level.
  std::vector<std::uint64_t> path = messages.Ancestors(item);
  const long base = branchOnly ? static_cast<long>(path.size()) : 0;
  const bool indent = context.settings.treeviewIndent == 1;
  long count = 0;
  while (item) {
    if (context.PointWindow() != tree) {
      result.text += kInterruptionMark;
      break;
    }
    const auto text = messages.Text(item);
    if (!text) {
      result.text += kInterruptionMark;
      break;
    }
    const long level = static_cast<long>(path.size());
    if (indent && level > base) result.text.append(static_cast<std::size_t>(level - base), L'\t');
    result.text += *text + L"\r\n";
    context.Progress(std::to_wstring(++count));
    context.Pump();
    path.push_back(item);
    item = messages.Next(item, TVGN_NEXTVISIBLE).value_or(0);
    if (!item) break;
    const std::uint64_t parent = messages.Next(item, TVGN_PARENT).value_or(0);
    while (!path.empty() && path.back() != parent) path.pop_back();
    if (branchOnly && static_cast<long>(path.size()) <= base) break;
  }
  context.Progress(ProgressText(count, count));
  return result;
}

}  // namespace

ReadResult ReadTreeView(const ReaderContext& context) {
  std::wstring text = context.Accessibility().ReadList(context.settings.treeviewIndent == 1, true,
                                                        context.showProgress);
  if (!text.empty() && text != kAccessibleError) return {std::move(text), std::wstring(label::kAccessible)};
  return ReadTreeByMessages(context, context.PointWindow());
}

}  // namespace glimmet::capture
