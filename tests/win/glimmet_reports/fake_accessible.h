// A real COM object with the IAccessible interface, built in the test: a container with simple
// elements (child ids 1..n) or child objects, a parent, and actions that answer as told. It also
// serves IEnumVARIANT, the way AccessibleChildren asks for the children.
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "glimmet/core/accessibility_text.h"

namespace fake {

struct Element {
  std::wstring name, value;
  long role = 34;  // list item
};

class FakeAccessible final : public IAccessible, public IEnumVARIANT {
 public:
  std::wstring name, value, shortcut, defaultAction, description;
  long role = 10;
  long state = 0;
  glimmet::ScreenBox box;
  std::vector<Element> elements;
  std::vector<Microsoft::WRL::ComPtr<FakeAccessible>> objects;
  FakeAccessible* parent = nullptr;  // parents outlive their children in the tests
  HRESULT actionResult = S_OK;
  std::vector<std::wstring> calls;   // "default 0", "select 1 3", ...

  static Microsoft::WRL::ComPtr<FakeAccessible> Make() {
    Microsoft::WRL::ComPtr<FakeAccessible> object;
    object.Attach(new FakeAccessible);
    return object;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch: no type information.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override;
  STDMETHODIMP get_accChildCount(long* count) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* text) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* text) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  STDMETHODIMP get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
  STDMETHODIMP get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override;
  STDMETHODIMP accSelect(long flags, VARIANT child) override;
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
  STDMETHODIMP accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override;
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }
  // IEnumVARIANT over the children: objects first, then elements.
  STDMETHODIMP Next(ULONG count, VARIANT* children, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override { position_ += count; return S_OK; }
  STDMETHODIMP Reset() override { position_ = 0; return S_OK; }
  STDMETHODIMP Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

 private:
  FakeAccessible() = default;
  const Element* ElementOf(const VARIANT& child) const;
  HRESULT Text(const VARIANT& child, const std::wstring& own, std::wstring Element::*field, BSTR* text) const;

  ULONG references_ = 1;
  ULONG position_ = 0;
};

}  // namespace fake
