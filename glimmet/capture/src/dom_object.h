#pragma once
// A node of a web page's document object model (document, element, window, frame collection,
// rectangle), reached only through IDispatch with the engine's own dispatch identifiers, so the
// same code serves the system's engine and any other object that answers them. Every read ignores
// errors: a failed call gives an empty text, 0 or a null object, never an exception.

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <initializer_list>
#include <string>

#include "glimmet/platform/com_value.h"

namespace glimmet::capture {

class DomObject {
 public:
  DomObject() = default;
  // The object's IDispatch by QueryInterface; null when it refuses.
  static DomObject Of(IUnknown* object);
  static DomObject Of(const VARIANT& value);  // VT_DISPATCH or VT_UNKNOWN, else null

  explicit operator bool() const { return object_ != nullptr; }

  // Property reads.
  platform::UniqueVariant Get(DISPID id) const;
  std::wstring Text(DISPID id) const;
  long Number(DISPID id) const;
  DomObject Object(DISPID id) const;

  // A method call; `arguments` in the order of the method's parameters.
  platform::UniqueVariant Call(DISPID id, std::initializer_list<const VARIANT*> arguments,
                               WORD flags = DISPATCH_METHOD) const;

 private:
  Microsoft::WRL::ComPtr<IDispatch> object_;
};

// A value as text: strings as they are, numbers and booleans converted, empty for null, empty and
// objects.
std::wstring VariantText(const VARIANT& value);

// A BSTR VARIANT owning a copy of `text`.
platform::UniqueVariant StringVariant(const std::wstring& text);

}  // namespace glimmet::capture
