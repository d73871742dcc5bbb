#include "glimmet/reports/accessibility_reader.h"

#include <set>
#include <utility>

#include "accessible_object.h"
#include "glimmet/core/control_kind.h"
#include "glimmet/core/reader_texts.h"
#include "glimmet/platform/window_text.h"

namespace glimmet::reports {
namespace {

using platform::UniqueVariant;

// A walk whose server keeps answering with new items stops here rather than never.
constexpr int kMaxListedItems = 100000;

VARIANT Self() {
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

long Level(const AccessibleRef& ref) {
  return acc::LeadingNumber(acc::Value(ref.object.Get(), ref.child.Get()));
}

// Identity of an item for the "already listed" test: the object's identity and the child number.
std::pair<IUnknown*, long> Identity(const AccessibleRef& ref) {
  Microsoft::WRL::ComPtr<IUnknown> unknown;
  ref.object.As(&unknown);
  return {unknown.Get(), acc::ChildNumber(ref.child.Get())};
}

// What the object's type information calls it; "Object" when it has none.
std::wstring TypeNameOf(IDispatch* dispatch) {
  Microsoft::WRL::ComPtr<ITypeInfo> info;
  platform::UniqueBstr name;
  if (dispatch && SUCCEEDED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf())) && info &&
      SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, name.Out(), nullptr, nullptr, nullptr)) && !name.Text().empty()) {
    return name.Text();
  }
  return L"Object";
}

// A password is never shown: not for an object that says it is protected, nor for a password
// edit whose accessibility server forgets to say so.
bool IsSecret(const AccessibleRef& ref, HWND window) {
  return (acc::State(ref.object.Get(), ref.child.Get()) & STATE_SYSTEM_PROTECTED) || platform::IsPasswordEdit(window);
}

}  // namespace

std::wstring AccessibilityReader::NameAtPoint(int x, int y) const {
  AccessibleRef ref = source_.ObjectAtPoint(x, y);
  if (!ref || IsSecret(ref, source_.WindowAtPoint(x, y))) return {};
  return acc::Name(ref.object.Get(), ref.child.Get());
}

std::wstring AccessibilityReader::ValueAtPoint(int x, int y) const {
  AccessibleRef ref = source_.ObjectAtPoint(x, y);
  if (!ref || IsSecret(ref, source_.WindowAtPoint(x, y))) return {};
  return acc::Value(ref.object.Get(), ref.child.Get());
}

std::wstring AccessibilityReader::NameOfWindow(HWND window) const {
  if (platform::IsPasswordEdit(window)) return {};
  AccessibleRef ref = source_.ObjectOfWindow(window);
  return ref ? acc::Name(ref.object.Get(), ref.child.Get()) : std::wstring();
}

std::wstring AccessibilityReader::TextOfWindow(HWND window, bool indent) const {
  std::wstring text = ReadList(indent, false);
  if (!text.empty()) return text;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring name = NameOfWindow(child);
    if (!name.empty()) text += name + L"\r\n";
  }
  return text;
}

std::wstring AccessibilityReader::ReadList(bool indent, bool branchOnly, const ProgressSink& progress) const {
  AccessibleRef item = source_.ObjectAtPoint(settings_.pointX, settings_.pointY);
  if (!item) return std::wstring(kAccessibleError);
  const long base = Level(item);
  if (acc::ObjectType(item) == L"Container") return ChildrenList(item, false);

  const bool tree =
      ContainsIgnoringCase(platform::ClassNameOf(source_.WindowAtPoint(settings_.pointX, settings_.pointY)), L"treeview");
  if (!tree && acc::ChildCount(item.object.Get()) > 1) {
    for (int steps = 0; steps < kMaxListedItems; ++steps) {
      AccessibleRef previous = acc::Navigate(item.object.Get(), item.child.Get(), NAVDIR_PREVIOUS);
      if (!previous) break;
      item = std::move(previous);
    }
  }

  std::wstring text;
  std::set<std::pair<IUnknown*, long>> listed;
  long level = Level(item);
  long count = 0;
  while (item && listed.insert(Identity(item)).second && count < kMaxListedItems) {
    if (indent && level > base) text.append(static_cast<std::size_t>(level - base), L'\t');
    text += acc::Name(item.object.Get(), item.child.Get()) + L"\r\n";
    ++count;
    if (progress) progress(std::to_wstring(count));
    item = acc::Navigate(item.object.Get(), item.child.Get(), NAVDIR_NEXT);
    if (!item) break;
    level = Level(item);
    if (branchOnly && level <= base) break;
  }
  if (progress) progress(ProgressText(count, count));
  return text == L"\r\n" ? std::wstring() : text;
}

std::wstring AccessibilityReader::ChildrenList(const AccessibleRef& ref, bool fullForm) const {
  const VARIANT& child = ref.child.Get();
  if (acc::ChildNumber(child) > 0) return {};
  Microsoft::WRL::ComPtr<IAccessible> container = ref.object;
  if (child.vt == VT_DISPATCH) container = acc::AsRef(ref.object.Get(), child).object;
  if (!container) return {};

  const int max = settings_.parentAndChildrenMax;
  const auto line = [&](IAccessible* object, const VARIANT& id) {
    ListedObject listed{acc::Name(object, id), acc::Role(object, id), acc::Location(object, id), 0, L""};
    if (acc::ChildNumber(id) == CHILDID_SELF) listed.childCount = acc::ChildCount(object);
    return ChildLine(listed, fullForm);
  };

  std::wstring text;
  const long count = acc::ChildCount(container.Get());
  std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
  long obtained = 0;
  const HRESULT result =
      count > 0 ? ::AccessibleChildren(container.Get(), 0, count, children.data(), &obtained) : E_FAIL;
  std::vector<UniqueVariant> owned;
  for (long i = 0; i < obtained; ++i) owned.push_back(UniqueVariant::Adopt(children[static_cast<std::size_t>(i)]));

  if (FAILED(result)) {
    if (acc::ChildNumber(child) != CHILDID_SELF || count <= 0) return {};
    // No child array from the server: walk first child and siblings instead.
    int listedCount = 0;
    AccessibleRef next = acc::Navigate(container.Get(), Self(), NAVDIR_FIRSTCHILD);
    while (next && listedCount++ < kMaxListedItems) {
      text += line(next.object.Get(), next.child.Get());
      next = acc::Navigate(next.object.Get(), next.child.Get(), NAVDIR_NEXT);
    }
    return text;
  }
  for (std::size_t i = 0; i < owned.size(); ++i) {
    if (static_cast<int>(i) >= max) {
      text += kListCutMark;
      break;
    }
    const VARIANT& entry = owned[i].Get();
    if (entry.vt == VT_DISPATCH) {
      Microsoft::WRL::ComPtr<IAccessible> object;
      if (entry.pdispVal && SUCCEEDED(entry.pdispVal->QueryInterface(IID_PPV_ARGS(object.GetAddressOf()))) && object) {
        text += line(object.Get(), Self());
      } else if (fullForm) {
        ListedObject other;
        other.typeName = TypeNameOf(entry.pdispVal);
        text += ChildLine(other, true);
      }
    } else if (entry.vt == VT_I4) {
      text += line(container.Get(), entry);
    }
  }
  return text;
}

}  // namespace glimmet::reports
