#include "accessible_object.h"

#include <cwchar>

namespace glimmet::reports::acc {
namespace {

using Microsoft::WRL::ComPtr;
using platform::UniqueBstr;
using platform::UniqueVariant;

template <class Getter>
std::wstring Text(Getter get) {
  UniqueBstr text;
  return SUCCEEDED(get(text.Out())) ? text.Text() : std::wstring();
}

ComPtr<IAccessible> FromDispatch(IDispatch* dispatch) {
  ComPtr<IAccessible> object;
  if (dispatch) dispatch->QueryInterface(IID_PPV_ARGS(object.GetAddressOf()));
  return object;
}

}  // namespace

std::wstring Name(IAccessible* o, const VARIANT& c) { return Text([&](BSTR* t) { return o->get_accName(c, t); }); }
std::wstring Value(IAccessible* o, const VARIANT& c) { return Text([&](BSTR* t) { return o->get_accValue(c, t); }); }
std::wstring Shortcut(IAccessible* o, const VARIANT& c) {
  return Text([&](BSTR* t) { return o->get_accKeyboardShortcut(c, t); });
}
std::wstring DefaultAction(IAccessible* o, const VARIANT& c) {
  return Text([&](BSTR* t) { return o->get_accDefaultAction(c, t); });
}
std::wstring Description(IAccessible* o, const VARIANT& c) {
  return Text([&](BSTR* t) { return o->get_accDescription(c, t); });
}

std::wstring Role(IAccessible* o, const VARIANT& c) {
  UniqueVariant role;
  if (FAILED(o->get_accRole(c, role.Out()))) return {};
  if (role.Get().vt == VT_I4) return std::to_wstring(role.Get().lVal);
  if (role.Get().vt == VT_BSTR && role.Get().bstrVal) return std::wstring(role.Get().bstrVal, ::SysStringLen(role.Get().bstrVal));
  return {};
}

std::uint32_t State(IAccessible* o, const VARIANT& c) {
  UniqueVariant state;
  if (FAILED(o->get_accState(c, state.Out())) || state.Get().vt != VT_I4) return 0;
  return static_cast<std::uint32_t>(state.Get().lVal);
}

ScreenBox Location(IAccessible* o, const VARIANT& c) {
  long left = 0, top = 0, width = 0, height = 0;
  if (FAILED(o->accLocation(&left, &top, &width, &height, c))) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height)};
}

long ChildCount(IAccessible* o) {
  long count = 0;
  return SUCCEEDED(o->get_accChildCount(&count)) ? count : 0;
}

ComPtr<IAccessible> Parent(IAccessible* o) {
  ComPtr<IDispatch> parent;
  if (FAILED(o->get_accParent(parent.GetAddressOf()))) return nullptr;
  return FromDispatch(parent.Get());
}

AccessibleRef AsRef(IAccessible* container, const VARIANT& child) {
  AccessibleRef ref;
  if (child.vt == VT_I4) {
    ref.object = container;
    ref.child = UniqueVariant::Long(child.lVal);
  } else if (child.vt == VT_DISPATCH) {
    ref.object = FromDispatch(child.pdispVal);
    ref.child = UniqueVariant::Long(CHILDID_SELF);
  }
  return ref;
}

AccessibleRef Navigate(IAccessible* o, const VARIANT& child, long direction) {
  UniqueVariant end;
  if (FAILED(o->accNavigate(direction, child, end.Out()))) return {};
  return AsRef(o, end.Get());
}

long ChildNumber(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : -1; }

std::wstring ObjectType(const AccessibleRef& ref) {
  const VARIANT& child = ref.child.Get();
  if (child.vt == VT_DISPATCH) {
    ComPtr<IAccessible> object = FromDispatch(child.pdispVal);
    return object && ChildCount(object.Get()) > 0 ? L"Container" : L"Real Object";
  }
  if (child.vt != VT_I4) return {};
  return child.lVal == CHILDID_SELF ? L"Container" : L"Simple Element";
}

long LeadingNumber(const std::wstring& text) { return std::wcstol(text.c_str(), nullptr, 10); }

}  // namespace glimmet::reports::acc
