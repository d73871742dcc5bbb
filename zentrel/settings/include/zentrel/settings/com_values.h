#pragma once
// Move-only owners for the two COM value kinds the document calls trade in: BSTR and VARIANT.

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace zentrel {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text)
      : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (value_ == nullptr) throw std::bad_alloc();
  }
  Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) {
      SysFreeString(value_);
      value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(value_); }

  BSTR Get() const noexcept { return value_; }
  // For out-parameters: frees any held string first.
  BSTR* Out() noexcept {
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }
  // A null BSTR is the empty text by COM convention.
  std::wstring Text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant() noexcept { VariantInit(&value_); }
  // A VT_BSTR variant, as load, save and setProperty expect for paths and property values.
  explicit Variant(std::wstring_view text) : Variant() {
    value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (value_.bstrVal == nullptr) throw std::bad_alloc();
    value_.vt = VT_BSTR;
  }
  Variant(Variant&&) = delete;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  const VARIANT& Get() const noexcept { return value_; }
  VARIANT* Out() noexcept {
    VariantClear(&value_);
    return &value_;
  }
  // The text of a VT_BSTR variant; other kinds read as empty (node values of text-bearing
  // nodes are always strings).
  std::wstring Text() const {
    if (value_.vt != VT_BSTR || value_.bstrVal == nullptr) return {};
    return std::wstring(value_.bstrVal, SysStringLen(value_.bstrVal));
  }

 private:
  VARIANT value_;
};

}  // namespace zentrel
