#pragma once
// The item records that list views, tree views, toolbars and tab controls of another process read
// from that process's memory, laid out for the target's bitness: a 64-bit reader must build
// 32-bit records for a 32-bit target. Fixed-width fields with explicit padding, so the layout
// does not depend on the compiler that builds the reader; the offsets are proved by the
// static_asserts below and the packing by unit tests.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glimmet {

enum class Bitness { k32, k64 };

namespace layout32 {
struct ListViewItem {  // LVITEMW
  std::uint32_t mask;
  std::int32_t item, subItem;
  std::uint32_t state, stateMask;
  std::uint32_t text;
  std::int32_t textMax, image;
  std::uint32_t param;
  std::int32_t indent, groupId;
  std::uint32_t columns, columnList, columnFormats;
  std::int32_t group;
};
struct TreeItem {  // TVITEMW
  std::uint32_t mask, item, state, stateMask, text;
  std::int32_t textMax, image, selectedImage, children;
  std::uint32_t param;
};
struct ToolButton {  // TBBUTTON
  std::int32_t bitmap, command;
  std::uint8_t state, style, reserved[2];
  std::uint32_t data, string;
};
struct TabItem {  // TCITEMW
  std::uint32_t mask, state, stateMask, text;
  std::int32_t textMax, image;
  std::uint32_t param;
};
struct TreeHitTest {  // TVHITTESTINFO
  std::int32_t x, y;
  std::uint32_t flags, item;
};
static_assert(sizeof(ListViewItem) == 60 && offsetof(ListViewItem, text) == 20 &&
              offsetof(ListViewItem, textMax) == 24 && offsetof(ListViewItem, indent) == 36);
static_assert(sizeof(TreeItem) == 40 && offsetof(TreeItem, text) == 16 && offsetof(TreeItem, textMax) == 20);
static_assert(sizeof(ToolButton) == 20 && offsetof(ToolButton, command) == 4 && offsetof(ToolButton, data) == 12 &&
              offsetof(ToolButton, string) == 16);
static_assert(sizeof(TabItem) == 28 && offsetof(TabItem, text) == 12 && offsetof(TabItem, textMax) == 16);
static_assert(sizeof(TreeHitTest) == 16 && offsetof(TreeHitTest, item) == 12);
}  // namespace layout32

namespace layout64 {
struct ListViewItem {
  std::uint32_t mask;
  std::int32_t item, subItem;
  std::uint32_t state, stateMask, padding0;
  std::uint64_t text;
  std::int32_t textMax, image;
  std::uint64_t param;
  std::int32_t indent, groupId;
  std::uint32_t columns, padding1;
  std::uint64_t columnList, columnFormats;
  std::int32_t group;
  std::uint32_t padding2;
};
struct TreeItem {
  std::uint32_t mask, padding0;
  std::uint64_t item;
  std::uint32_t state, stateMask;
  std::uint64_t text;
  std::int32_t textMax, image, selectedImage, children;
  std::uint64_t param;
};
struct ToolButton {
  std::int32_t bitmap, command;
  std::uint8_t state, style, reserved[6];
  std::uint64_t data, string;
};
struct TabItem {
  std::uint32_t mask, state, stateMask, padding0;
  std::uint64_t text;
  std::int32_t textMax, image;
  std::uint64_t param;
};
struct TreeHitTest {
  std::int32_t x, y;
  std::uint32_t flags, padding0;
  std::uint64_t item;
};
static_assert(sizeof(ListViewItem) == 88 && offsetof(ListViewItem, text) == 24 &&
              offsetof(ListViewItem, textMax) == 32 && offsetof(ListViewItem, indent) == 48);
static_assert(sizeof(TreeItem) == 56 && offsetof(TreeItem, item) == 8 && offsetof(TreeItem, text) == 24 &&
              offsetof(TreeItem, textMax) == 32);
static_assert(sizeof(ToolButton) == 32 && offsetof(ToolButton, command) == 4 && offsetof(ToolButton, data) == 16 &&
              offsetof(ToolButton, string) == 24);
static_assert(sizeof(TabItem) == 40 && offsetof(TabItem, text) == 16 && offsetof(TabItem, textMax) == 24);
static_assert(sizeof(TreeHitTest) == 24 && offsetof(TreeHitTest, item) == 16);
}  // namespace layout64

using RemoteBytes = std::vector<std::byte>;

// The record asking for the text of one cell (LVIF_TEXT) into `textChars` characters at `textAddress`.
RemoteBytes PackListViewTextQuery(Bitness bitness, int row, int column, std::uint64_t textAddress, int textChars);
// The record asking for the text (TVIF_TEXT) of tree item `item` (its handle in the target).
RemoteBytes PackTreeTextQuery(Bitness bitness, std::uint64_t item, std::uint64_t textAddress, int textChars);
// The record asking for the text (TCIF_TEXT) of a tab.
RemoteBytes PackTabTextQuery(Bitness bitness, std::uint64_t textAddress, int textChars);
// The hit-test record for a client point; TreeHitTestItem reads the answer back.
RemoteBytes PackTreeHitTest(Bitness bitness, int x, int y);
std::uint64_t TreeHitTestItem(Bitness bitness, const RemoteBytes& answer);

// Size of a toolbar button record, and the command id in one read back (0 when too short).
std::size_t ToolButtonSize(Bitness bitness);
int ToolButtonCommand(const RemoteBytes& button);

}  // namespace glimmet
