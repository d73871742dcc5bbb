#include "fake_accessible.h"

namespace fake {

STDMETHODIMP FakeAccessible::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
    *out = static_cast<IAccessible*>(this);
  } else if (iid == IID_IEnumVARIANT) {
    *out = static_cast<IEnumVARIANT*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) FakeAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

const Element* FakeAccessible::ElementOf(const VARIANT& child) const {
  if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(elements.size())) return nullptr;
  return &elements[static_cast<std::size_t>(child.lVal - 1)];
}

HRESULT FakeAccessible::Text(const VARIANT& child, const std::wstring& own, std::wstring Element::*field,
                             BSTR* text) const {
  const Element* element = ElementOf(child);
  const std::wstring& value = element && field ? element->*field : own;
  *text = value.empty() ? nullptr : ::SysAllocString(value.c_str());
  return value.empty() ? S_FALSE : S_OK;
}

STDMETHODIMP FakeAccessible::get_accParent(IDispatch** result) {
  *result = parent;
  if (!parent) return S_FALSE;
  parent->AddRef();
  return S_OK;
}

STDMETHODIMP FakeAccessible::get_accChildCount(long* count) {
  *count = static_cast<long>(objects.size() + elements.size());
  return S_OK;
}

STDMETHODIMP FakeAccessible::get_accChild(VARIANT child, IDispatch** object) {
  *object = nullptr;
  if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(objects.size())) return S_FALSE;
  *object = objects[static_cast<std::size_t>(child.lVal - 1)].Get();
  (*object)->AddRef();
  return S_OK;
}

STDMETHODIMP FakeAccessible::get_accName(VARIANT child, BSTR* text) { return Text(child, name, &Element::name, text); }
STDMETHODIMP FakeAccessible::get_accValue(VARIANT child, BSTR* text) { return Text(child, value, &Element::value, text); }
STDMETHODIMP FakeAccessible::get_accDescription(VARIANT child, BSTR* text) { return Text(child, description, nullptr, text); }
STDMETHODIMP FakeAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
  return Text(child, shortcut, nullptr, text);
}
STDMETHODIMP FakeAccessible::get_accDefaultAction(VARIANT child, BSTR* text) {
  return Text(child, defaultAction, nullptr, text);
}

STDMETHODIMP FakeAccessible::get_accRole(VARIANT child, VARIANT* result) {
  const Element* element = ElementOf(child);
  result->vt = VT_I4;
  result->lVal = element ? element->role : role;
  return S_OK;
}

STDMETHODIMP FakeAccessible::get_accState(VARIANT, VARIANT* result) {
  result->vt = VT_I4;
  result->lVal = state;
  return S_OK;
}

STDMETHODIMP FakeAccessible::accSelect(long flags, VARIANT child) {
  calls.push_back(L"select " + std::to_wstring(flags) + L" " + std::to_wstring(child.lVal));
  return actionResult;
}

STDMETHODIMP FakeAccessible::accDoDefaultAction(VARIANT child) {
  calls.push_back(L"default " + std::to_wstring(child.lVal));
  return actionResult;
}

STDMETHODIMP FakeAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT) {
  *left = box.left;
  *top = box.top;
  *width = box.width;
  *height = box.height;
  return S_OK;
}

// Between simple elements only: previous, next and first child.
STDMETHODIMP FakeAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  ::VariantInit(end);
  const long count = static_cast<long>(elements.size());
  long target = 0;
  if (direction == NAVDIR_NEXT && start.lVal >= 1) target = start.lVal + 1;
  if (direction == NAVDIR_PREVIOUS && start.lVal >= 1) target = start.lVal - 1;
  if (direction == NAVDIR_FIRSTCHILD && start.lVal == CHILDID_SELF) target = 1;
  if (target < 1 || target > count) return S_FALSE;
  end->vt = VT_I4;
  end->lVal = target;
  return S_OK;
}

STDMETHODIMP FakeAccessible::Next(ULONG count, VARIANT* children, ULONG* fetched) {
  ULONG done = 0;
  const ULONG total = static_cast<ULONG>(objects.size() + elements.size());
  for (; done < count && position_ < total; ++done, ++position_) {
    ::VariantInit(&children[done]);
    if (position_ < objects.size()) {
      children[done].vt = VT_DISPATCH;
      children[done].pdispVal = objects[position_].Get();
      children[done].pdispVal->AddRef();
    } else {
      children[done].vt = VT_I4;
      children[done].lVal = static_cast<long>(position_ - objects.size() + 1);
    }
  }
  if (fetched) *fetched = done;
  return done == count ? S_OK : S_FALSE;
}

}  // namespace fake
