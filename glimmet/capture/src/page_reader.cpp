// The document object model walk. Everything here runs on the bounded worker: COM objects never
// leave it, only texts do.
#include "glimmet/capture/page_reader.h"

#include <mshtmdid.h>
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "bounded_worker.h"
#include "dom_object.h"
#include "glimmet/core/page_texts.h"
#include "glimmet/platform/bounded_message.h"
#include "glimmet/platform/window_text.h"

namespace glimmet::capture {
namespace {

// Bounds against a page (or a fake) whose frames or parents never end.
constexpr int kMostFrameLevels = 32;
constexpr long kMostFrames = 1000;
constexpr std::size_t kMostTableRows = 1000;

// The element's name: frames and form fields carry it; the engine's dispatch identifier for it.
constexpr DISPID kNameProperty = STDPROPID_XOBJ_NAME;

DomObject DocumentOfWindow(HWND window) {
  static const UINT request = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
  const auto answer = platform::SendBounded(window, request, 0, 0, kDocumentRequestBoundMs);
  if (!answer || *answer == 0) return {};
  // The null identifier gives the object under the interface the engine handed it out with;
  // what is called on it is asked for by QueryInterface, and a refusal means no document.
  Microsoft::WRL::ComPtr<IUnknown> object;
  if (FAILED(::ObjectFromLresult(*answer, IID_NULL, 0, reinterpret_cast<void**>(object.GetAddressOf())))) return {};
  return DomObject::Of(object.Get());
}

std::wstring TagNameOf(const DomObject& element) { return element.Text(DISPID_IHTMLELEMENT_TAGNAME); }

std::wstring IdOrNameOf(const DomObject& element) {
  std::wstring id = element.Text(DISPID_IHTMLELEMENT_ID);
  return id.empty() ? element.Text(kNameProperty) : id;
}

std::wstring AttributeOf(const DomObject& element, const wchar_t* name) {
  const platform::UniqueVariant attribute = StringVariant(name);
  const platform::UniqueVariant flags = platform::UniqueVariant::Long(0);
  return VariantText(element.Call(DISPID_IHTMLELEMENT_GETATTRIBUTE, {&attribute.Get(), &flags.Get()}).Get());
}

DomObject ParentOf(const DomObject& element) { return element.Object(DISPID_IHTMLELEMENT_PARENTELEMENT); }

DomObject ElementFromPoint(const DomObject& document, POINT at) {
  const platform::UniqueVariant x = platform::UniqueVariant::Long(at.x), y = platform::UniqueVariant::Long(at.y);
  return DomObject::Of(document.Call(DISPID_IHTMLDOCUMENT2_ELEMENTFROMPOINT, {&x.Get(), &y.Get()}).Get());
}

// The document of the first frame of `document` named `name`.
DomObject FrameDocument(const DomObject& document, const std::wstring& name) {
  if (name.empty()) return {};
  const DomObject frames = document.Object(DISPID_IHTMLDOCUMENT2_FRAMES);
  const long count = std::min(frames.Number(DISPID_IHTMLFRAMESCOLLECTION2_LENGTH), kMostFrames);
  for (long i = 0; i < count; ++i) {
    const platform::UniqueVariant index = platform::UniqueVariant::Long(i);
    const DomObject frame = DomObject::Of(
        frames.Call(DISPID_IHTMLFRAMESCOLLECTION2_ITEM, {&index.Get()}, DISPATCH_METHOD | DISPATCH_PROPERTYGET).Get());
    if (frame.Text(DISPID_IHTMLWINDOW2_NAME) == name) return frame.Object(DISPID_IHTMLWINDOW2_DOCUMENT);
  }
  return {};
}

// The element under a screen point: the document of the window there, then down through every
// FRAME or IFRAME element under the point into its document, whose coordinates start at the
// frame's corner. A frame found by neither its id nor its name is itself the answer.
DomObject ElementAtPoint(int x, int y) {
  HWND window = ::WindowFromPoint(POINT{x, y});
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return {};
  POINT origin{rect.left, rect.top};
  DomObject document = DocumentOfWindow(window);
  for (int level = 0; document && level < kMostFrameLevels; ++level) {
    DomObject element = ElementFromPoint(document, {x - origin.x, y - origin.y});
    if (!element || !IsFrameTag(TagNameOf(element))) return element;
    DomObject inner = FrameDocument(document, IdOrNameOf(element));
    if (!inner) inner = FrameDocument(document, element.Text(kNameProperty));
    if (!inner) return element;
    const DomObject box = DomObject::Of(element.Call(DISPID_IHTMLELEMENT2_GETBOUNDINGCLIENTRECT, {}).Get());
    origin.x += box.Number(DISPID_IHTMLRECT_LEFT);
    origin.y += box.Number(DISPID_IHTMLRECT_TOP);
    document = std::move(inner);
  }
  return {};
}

// The element `levels` parents above `element`, or the root when it comes first.
DomObject Ancestor(DomObject element, int levels) {
  for (int i = 0; i < levels; ++i) {
    DomObject parent = ParentOf(element);
    if (!parent) break;
    element = std::move(parent);
  }
  return element;
}

// The element and its ancestors, innermost first. Above the root of a frame's document the walk
// goes on at the frame element that holds it, in the document of the frame's parent window. The
// top window is its own parent, and an element of its page may carry the top window's name: only
// a FRAME or IFRAME holds a document, so only one continues the walk, at most once per frame level.
std::vector<ElementFacts> AncestorFacts(DomObject element) {
  std::vector<ElementFacts> rows;
  DomObject last;
  int frameLevels = 0;
  while (rows.size() < kMostTableRows) {
    if (!element) {
      if (!last || ++frameLevels > kMostFrameLevels) break;
      const DomObject document = last.Object(DISPID_IHTMLELEMENT_DOCUMENT);
      last = {};
      const DomObject window = document.Object(DISPID_IHTMLDOCUMENT2_PARENTWINDOW);
      const DomObject parentWindow = window.Object(DISPID_IHTMLWINDOW2_PARENT);
      if (parentWindow.Object(DISPID_IHTMLWINDOW2_FRAMES).Number(DISPID_IHTMLFRAMESCOLLECTION2_LENGTH) == 0) break;
      const DomObject outer = parentWindow.Object(DISPID_IHTMLWINDOW2_DOCUMENT);
      if (!outer) break;
      const platform::UniqueVariant name = StringVariant(window.Text(DISPID_IHTMLWINDOW2_NAME));
      element = DomObject::Of(outer.Call(DISPID_IHTMLDOCUMENT3_GETELEMENTBYID, {&name.Get()}).Get());
      if (!IsFrameTag(TagNameOf(element))) break;
      continue;
    }
    rows.push_back({TagNameOf(element), AttributeOf(element, L"type"), IdOrNameOf(element),
                    element.Text(DISPID_IHTMLELEMENT_INNERTEXT)});
    last = element;
    element = ParentOf(element);
  }
  return rows;
}

HWND DocumentWindowFor(HWND pointed, const std::wstring& className) {
  switch (DocumentWindowOf(className)) {
    case DocumentWindowRule::Self: return pointed;
    case DocumentWindowRule::Parent: return ::GetParent(pointed);
    case DocumentWindowRule::None: break;
  }
  return nullptr;
}

}  // namespace

PageCapture CapturePage(const ReaderContext& context, HWND pointed, const std::wstring& className) {
  PageCapture page;
  page.documentWindow = DocumentWindowFor(pointed, className);
  if (!page.documentWindow) return page;
  page.outcome = PageCapture::Outcome::NoElement;
  const int x = context.settings.pointX, y = context.settings.pointY;
  const int startNode = context.settings.startNode, textLimit = context.settings.htmlTagTextLength;
  auto read = RunBounded<PageCapture>(context, kPageReadBoundMs, [page, x, y, startNode, textLimit] {
    PageCapture result = page;
    const DomObject element = ElementAtPoint(x, y);
    if (!element) return result;
    result.outcome = PageCapture::Outcome::Read;
    const std::wstring tag = UpperTag(TagNameOf(element));
    result.tagLine = PageTagLine(tag, IdOrNameOf(element));
    // The element at the point holds little of its own (a word of a paragraph gives the paragraph):
    // the texts start at its parent; the page background is the body and gives the whole page.
    DomObject start = element;
    if (tag != L"BODY") {
      if (DomObject parent = ParentOf(element)) start = std::move(parent);
      start = Ancestor(std::move(start), startNode);
    }
    result.text = start.Text(DISPID_IHTMLELEMENT_INNERTEXT);
    result.source = start.Text(DISPID_IHTMLELEMENT_INNERHTML);
    std::vector<ElementFacts> rows = AncestorFacts(element);
    std::reverse(rows.begin(), rows.end());
    result.elementTable = FormatElementTable(rows, textLimit);
    return result;
  });
  return read ? std::move(*read) : page;
}

std::wstring DocumentAddress(const ReaderContext& context, HWND documentWindow) {
  if (!documentWindow) return {};
  auto address = RunBounded<std::wstring>(context, kPageReadBoundMs, [documentWindow] {
    return DocumentOfWindow(documentWindow).Text(DISPID_IHTMLDOCUMENT2_URL);
  });
  return address.value_or(L"");
}

std::wstring ValueAtPoint(const ReaderContext& context, int x, int y) {
  auto value = RunBounded<std::wstring>(context, kPageReadBoundMs, [x, y] {
    return AttributeOf(ElementAtPoint(x, y), L"value");
  });
  return value.value_or(L"");
}

}  // namespace glimmet::capture
