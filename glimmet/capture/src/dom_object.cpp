#include "dom_object.h"

#include <vector>

namespace glimmet::capture {

DomObject DomObject::Of(IUnknown* object) {
  DomObject node;
  if (object) object->QueryInterface(IID_PPV_ARGS(&node.object_));
  return node;
}

DomObject DomObject::Of(const VARIANT& value) {
  if (value.vt == VT_DISPATCH) return Of(value.pdispVal);
  if (value.vt == VT_UNKNOWN) return Of(value.punkVal);
  return {};
}

platform::UniqueVariant DomObject::Get(DISPID id) const {
  return Call(id, {}, DISPATCH_PROPERTYGET);
}

std::wstring DomObject::Text(DISPID id) const { return VariantText(Get(id).Get()); }

long DomObject::Number(DISPID id) const {
  platform::UniqueVariant value = Get(id);
  VARIANT number;
  ::VariantInit(&number);
  if (FAILED(::VariantChangeType(&number, const_cast<VARIANT*>(&value.Get()), 0, VT_I4))) return 0;
  return number.lVal;
}

DomObject DomObject::Object(DISPID id) const { return Of(Get(id).Get()); }

platform::UniqueVariant DomObject::Call(DISPID id, std::initializer_list<const VARIANT*> arguments,
                                        WORD flags) const {
  platform::UniqueVariant result;
  if (!object_) return result;
  // IDispatch takes the arguments last to first; the callee only reads them.
  std::vector<VARIANT> reversed;
  for (auto it = arguments.end(); it != arguments.begin();) reversed.push_back(**--it);
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT filled;
  ::VariantInit(&filled);
  if (SUCCEEDED(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &filled, nullptr, nullptr)))
    result = platform::UniqueVariant::Adopt(filled);
  else
    ::VariantClear(&filled);
  return result;
}

std::wstring VariantText(const VARIANT& value) {
  if (value.vt == VT_BSTR) return value.bstrVal ? std::wstring(value.bstrVal, ::SysStringLen(value.bstrVal)) : L"";
  if (value.vt == VT_EMPTY || value.vt == VT_NULL || value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) return {};
  VARIANT text;
  ::VariantInit(&text);
  if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return {};
  platform::UniqueVariant owner = platform::UniqueVariant::Adopt(text);
  const BSTR bstr = owner.Get().bstrVal;
  return bstr ? std::wstring(bstr, ::SysStringLen(bstr)) : L"";
}

platform::UniqueVariant StringVariant(const std::wstring& text) {
  VARIANT value;
  ::VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return platform::UniqueVariant::Adopt(value);
}

}  // namespace glimmet::capture
