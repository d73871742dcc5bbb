// Zentrel's layout on resizing: every control goes to the place the layout table gives it.
#include "zentrel_shell.h"

#include <map>
#include <sstream>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

// How a control's new left edge follows the client width W (its top and size never change).
enum class Column { GroupColumn, InnerColumn, CloseButton, BrowseButton };

const std::map<int, Column> kPlacements = {
    {kEncodingGroup, Column::GroupColumn}, {kEolGroup, Column::GroupColumn},
    {kDestinationGroup, Column::GroupColumn}, {kConvert, Column::GroupColumn},
    {kEncodingCombo, Column::InnerColumn}, {kEolCombo, Column::InnerColumn},
    {kReplaceRadio, Column::InnerColumn}, {kFolderRadio, Column::InnerColumn},
    {kOutputEdit, Column::InnerColumn}, {kClose, Column::CloseButton},
    {kBrowse, Column::BrowseButton},
};

LONG ExpectedLeft(Column column, LONG clientWidth, LONG width) {
  switch (column) {
    case Column::GroupColumn: return clientWidth - 180;
    case Column::InnerColumn: return clientWidth - 170;
    case Column::CloseButton: return clientWidth - width - 15;
    case Column::BrowseButton: return clientWidth - width - 25;
  }
  return -1;
}

std::string Describe(const RECT& rect) {
  std::ostringstream text;
  text << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
  return text.str();
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

class ZentrelLayoutTest : public ZentrelTest {
 protected:
  std::map<int, RECT> Rects() const {
    std::map<int, RECT> rects;
    for (const auto& [id, column] : kPlacements) rects[id] = RectInParent(Item(id));
    rects[kResultList] = RectInParent(Item(kResultList));
    return rects;
  }

  // Resizes the frame and waits until the list shows that WM_SIZE was handled.
  SIZE ResizeTo(int frameWidth, int frameHeight) {
    EXPECT_TRUE(::SetWindowPos(main_, nullptr, 0, 0, frameWidth, frameHeight,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    SIZE client{};
    RECT list{};
    EXPECT_TRUE(WaitUntil(
        [&] {
          client = ClientSize(main_);
          list = RectInParent(Item(kResultList));
          return list.right == client.cx - 190 && list.bottom == client.cy - 10;
        },
        "the list to fill the client area but the right-hand column",
        [&] {
          return "client " + std::to_string(client.cx) + "x" + std::to_string(client.cy) + ", list " +
                 Describe(list);
        }));
    return client;
  }

  void ExpectLayoutFor(SIZE client, const std::map<int, RECT>& before) {
    const RECT list = RectInParent(Item(kResultList));
    EXPECT_EQ(list.left, 10);
    EXPECT_EQ(list.top, 10);
    EXPECT_EQ(list.right - list.left, client.cx - 200);
    EXPECT_EQ(list.bottom - list.top, client.cy - 20);
    for (const auto& [id, column] : kPlacements) {
      const RECT now = RectInParent(Item(id));
      const RECT& was = before.at(id);
      const LONG width = was.right - was.left;
      EXPECT_EQ(now.left, ExpectedLeft(column, client.cx, width)) << "control " << id << " at " << Describe(now);
      EXPECT_EQ(now.top, was.top) << "control " << id;
      EXPECT_EQ(now.right - now.left, width) << "control " << id;
      EXPECT_EQ(now.bottom - now.top, was.bottom - was.top) << "control " << id;
    }
  }
};

TEST_F(ZentrelLayoutTest, ResizingPlacesEveryControlByTheLayoutTable) {
  const auto before = Rects();
  const SIZE larger = ResizeTo(900, 600);
  ExpectLayoutFor(larger, before);
  SaveScreenshot(main_, L"zentrel_900x600");
  // Narrower than at start: the right-hand column follows the edge to the left.
  const SIZE smaller = ResizeTo(560, 380);
  ExpectLayoutFor(smaller, before);
}

TEST_F(ZentrelLayoutTest, MinimisingMovesNothingAndRestoringLaysOutForTheRestoredSize) {
  const SIZE client = ResizeTo(800, 560);
  const auto laidOut = Rects();
  ::ShowWindow(main_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main_) != FALSE; }, "the window to be minimised"));
  for (const auto& [id, rect] : Rects()) {
    EXPECT_TRUE(Same(rect, laidOut.at(id))) << "control " << id << " moved to " << Describe(rect)
                                            << " from " << Describe(laidOut.at(id));
  }
  ::ShowWindow(main_, SW_RESTORE);
  ASSERT_TRUE(WaitUntil([&] { return !::IsIconic(main_); }, "the window to be restored"));
  EXPECT_TRUE(WaitUntil([&] {
    const SIZE now = ClientSize(main_);
    return now.cx == client.cx && now.cy == client.cy;
  }, "the restored client size"));
  ExpectLayoutFor(client, laidOut);
}
