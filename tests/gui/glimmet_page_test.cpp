// The page reader against glimmet_page.exe, a fake page of the HTML engine in another process:
// the texts around the pointed element by "start node", the element table across a frame, the
// value of a form field, the address of the page, page windows that never answer or hand out no
// document; then captures of the page through Glimmet.exe.
#include "glimmet_page.h"
#include "glimmet_session.h"

#include "glimmet/capture/page_reader.h"
#include "glimmet/capture/readers.h"
#include "glimmet/core/page_texts.h"

#include <gtest/gtest.h>

#include <memory>

using namespace glimmet_page;
using glimmet::capture::PageCapture;
using guidriver::Utf8;

namespace {

class GlimmetPageTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    process_ = std::make_unique<guidriver::Process>(
        guidriver::Process::Start(guidriver::ProgramBesideTest(L"glimmet_page.exe")));
    frame_ = process_->WaitForMainWindow({.className = kFrameClass, .caption = kFrameTitle});
    server_ = ::FindWindowExW(frame_, nullptr, kServerClass, nullptr);
    silent_ = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = kServerClass,
                                                .caption = kSilentTitle});
    refusing_ = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = kServerClass,
                                                  .caption = kRefusingTitle});
    stalling_ = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = kServerClass,
                                                  .caption = kStallingTitle});
  }
  static void TearDownTestSuite() { process_.reset(); }

  // The centre of an element on the screen (inside the frame for the frame's elements).
  static POINT CentreOf(int index) {
    const auto& elements = Elements();
    RECT page{};
    ::GetWindowRect(server_, &page);
    POINT at{page.left, page.top};
    if (elements[index].document == 1) at.x += elements[kFrame].box.left, at.y += elements[kFrame].box.top;
    const RECT& box = elements[index].box;
    return {at.x + (box.left + box.right) / 2, at.y + (box.top + box.bottom) / 2};
  }

  void PointAt(POINT at) {
    settings_.pointX = at.x;
    settings_.pointY = at.y;
    settings_.pointWindow = reinterpret_cast<std::uintptr_t>(::WindowFromPoint(at));
  }

  PageCapture CaptureAt(POINT at) {
    PointAt(at);
    HWND window = context_.PointWindow();
    return glimmet::capture::CapturePage(context_, window, guidriver::ClassName(window));
  }

  static glimmet::ElementFacts FactsOf(int index) {
    const Element& e = Elements()[index];
    return {e.tag, e.type, e.id.empty() ? e.name : e.id, InnerText(index)};
  }

  static inline std::unique_ptr<guidriver::Process> process_;
  static inline HWND frame_ = nullptr, server_ = nullptr, silent_ = nullptr, refusing_ = nullptr,
                     stalling_ = nullptr;
  glimmet::AppSettings settings_;
  glimmet::capture::ReaderContext context_{settings_, {}, {}};
};

TEST_F(GlimmetPageTest, PageTextsStartAboveThePointedElement) {
  RECT page{};
  ::GetWindowRect(server_, &page);
  const POINT background{page.right - 1, page.bottom - 1};  // no element but the body there
  const struct {
    POINT at;
    int startNode;
    int shown;  // the element whose text and source show
    std::wstring tagLine;
  } cases[] = {
      {CentreOf(kPara), 0, kContent, L"P\u3000para"},  // a word of a paragraph: the paragraph's parent
      {CentreOf(kPara), 1, kBody, L"P\u3000para"},
      {CentreOf(kPara), 9, kHtml, L"P\u3000para"},     // no higher than the root
      {background, 3, kBody, L"BODY\u3000"},           // the body: the whole page whatever the level
      {CentreOf(kFramed), 0, kInnerBody, L"P\u3000framed"},
      {CentreOf(kInput), 0, kBody, L"INPUT\u3000user"},  // no id: the name
  };
  for (const auto& c : cases) {
    settings_.startNode = c.startNode;
    const PageCapture read = CaptureAt(c.at);
    EXPECT_EQ(read.outcome, PageCapture::Outcome::Read) << Utf8(c.tagLine);
    EXPECT_EQ(read.documentWindow, server_);
    EXPECT_EQ(Utf8(read.text), Utf8(InnerText(c.shown))) << Utf8(c.tagLine) << " start node " << c.startNode;
    EXPECT_EQ(Utf8(read.source), Utf8(InnerHtml(c.shown))) << Utf8(c.tagLine);
    EXPECT_EQ(Utf8(read.tagLine), Utf8(c.tagLine));
  }
}

TEST_F(GlimmetPageTest, ElementTableGoesOnAboveTheFrameOutermostFirst) {
  const struct {
    int pointed;
    std::vector<int> rows;
  } cases[] = {
      {kFramed, {kHtml, kBody, kFrame, kInnerHtml, kInnerBody, kFramed}},
      {kQuote, {kHtml, kBody, kContent, kQuote}},
      {kInput, {kHtml, kBody, kInput}},
  };
  for (const auto& c : cases) {
    std::vector<glimmet::ElementFacts> facts;
    for (int row : c.rows) facts.push_back(FactsOf(row));
    EXPECT_EQ(Utf8(CaptureAt(CentreOf(c.pointed)).elementTable),
              Utf8(glimmet::FormatElementTable(facts, settings_.htmlTagTextLength)));
  }
}

TEST_F(GlimmetPageTest, LongTextsAreCutInTheTableAndLongTagsKeepOneBlank) {
  settings_.htmlTagTextLength = 50;
  const std::wstring quote = CaptureAt(CentreOf(kQuote)).elementTable;
  EXPECT_NE(quote.find(L"\r\nBLOCKQUOTE " + std::wstring(12, L' ') + L"quote       " + kFiftyThree.substr(0, 50) +
                       L"...\r\n"),
            std::wstring::npos)
      << Utf8(quote);
  const std::wstring exact = CaptureAt(CentreOf(kExact)).elementTable;
  EXPECT_NE(exact.find(L"exact       " + kFiftyTwo + L"\r\n"), std::wstring::npos) << Utf8(exact);
}

TEST_F(GlimmetPageTest, FormFieldValueIsTheTextAtThePoint) {
  const POINT at = CentreOf(kInput);
  const glimmet::ReadResult read = glimmet::capture::TextAtPoint(context_, at.x, at.y, false);
  EXPECT_EQ(Utf8(read.text), Utf8(Elements()[kInput].value));
  EXPECT_EQ(read.methodLabel, L"Value");
}

// A page window that never answers, one that hands out no document and one whose document never
// answers a call: nothing, within the bounds, while the caller's messages keep being served.
TEST_F(GlimmetPageTest, AddressOfThePageAndNothingFromSilentRefusingOrStallingPages) {
  EXPECT_EQ(glimmet::capture::DocumentAddress(context_, server_), kAddress);
  int pumps = 0;
  context_.pumpMessages = [&pumps] {
    ++pumps;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, nullptr);
  for (HWND window : {silent_, refusing_, stalling_}) {
    EXPECT_EQ(glimmet::capture::DocumentAddress(context_, window), L"");
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const PageCapture read = CaptureAt({rect.left + 5, rect.top + 5});
    EXPECT_EQ(read.documentWindow, window);
    EXPECT_EQ(read.outcome, PageCapture::Outcome::NoElement);
  }
  ::KillTimer(nullptr, timer);
  EXPECT_GT(pumps, 0);
}

// Through Glimmet.exe: "disp text" chooses the page's text or its source for the lower box.
TEST_F(GlimmetPageTest, GlimmetShowsThePageTextOrItsSource) {
  ASSERT_TRUE(::SetCursorPos(CentreOf(kPara).x, CentreOf(kPara).y));
  for (const int dispText : {1, 0}) {
    guidriver::TempFolder folder;
    glimmet_test::GlimmetSession glimmet(
        folder, "disp Top = 0\r\nauto start= 1\r\nhint = 1\r\ndisp text = " + std::to_string(dispText) + "\r\n", L"");
    EXPECT_TRUE(guidriver::WaitForText(glimmet.Item(glimmet_test::ids::kLowerBox),
                                       dispText == 1 ? InnerText(kContent) : InnerHtml(kContent)))
        << "disp text " << dispText;
    EXPECT_EQ(glimmet.Close(), 0u);
  }
}

// Through Glimmet.exe: the tag line, the "HTML" label and the element table of a page; the form
// field's value above; the browser frame's own area gives the page's address; a page window that
// never answers leaves the lower box empty and the run goes on.
TEST_F(GlimmetPageTest, GlimmetShowsTheTableTheFieldTheAddressAndSurvivesASilentPage) {
  using namespace glimmet_test;
  guidriver::TempFolder folder;
  GlimmetSession glimmet(folder, "disp Top = 0\r\nauto start= 1\r\nhint = 1\r\ndetail = 1\r\n", L"");
  auto shows = [&](int id, const std::wstring& text) { return guidriver::WaitForText(glimmet.Item(id), text); };
  auto pointAt = [](POINT at) { ASSERT_TRUE(::SetCursorPos(at.x, at.y)); };

  pointAt(CentreOf(kQuote));
  std::vector<glimmet::ElementFacts> rows;
  for (int row : {kHtml, kBody, kContent, kQuote}) rows.push_back(FactsOf(row));
  EXPECT_TRUE(shows(ids::kLowerBox, glimmet::FormatElementTable(rows, settings_.htmlTagTextLength)));
  EXPECT_TRUE(shows(ids::kWinBox + 1, L"BLOCKQUOTE\u3000quote"));
  EXPECT_TRUE(shows(ids::kWinBox + 2, L"HTML"));

  guidriver::ClickButton(glimmet.Item(ids::kDetailCheck));  // detail 0: the text at the point above
  pointAt(CentreOf(kInput));
  EXPECT_TRUE(shows(ids::kUpperBox, Elements()[kInput].value));
  EXPECT_TRUE(shows(ids::kWinBox + 3, L"Value"));

  RECT frame{}, page{};
  ::GetWindowRect(frame_, &frame);
  ::GetWindowRect(server_, &page);
  pointAt({(frame.left + frame.right) / 2, (page.bottom + frame.bottom) / 2});
  EXPECT_TRUE(shows(ids::kWinBox, kFrameClass));
  EXPECT_TRUE(shows(ids::kLowerBox, kAddress));

  // The silent page: the capture ends with nothing below, and the run goes on to the next one.
  RECT silent{};
  ::GetWindowRect(silent_, &silent);
  pointAt({silent.left + 5, silent.top + 5});
  EXPECT_TRUE(shows(ids::kWinBox, kServerClass));
  EXPECT_TRUE(shows(ids::kLowerBox, L""));
  pointAt(CentreOf(kQuote));
  EXPECT_TRUE(shows(ids::kWinBox + 1, L"BLOCKQUOTE\u3000quote"));
  EXPECT_EQ(glimmet.Close(), 0u);
}

}  // namespace
