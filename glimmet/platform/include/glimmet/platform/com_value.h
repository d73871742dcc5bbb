#pragma once
// Owners for the COM values the accessibility code passes around: a VARIANT and a BSTR.

#include <oaidl.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace glimmet::platform {

class UniqueVariant {
 public:
  UniqueVariant() { ::VariantInit(&value_); }
  // Takes over a VARIANT filled by a call (it is cleared here, never by the caller).
  static UniqueVariant Adopt(VARIANT& filled) {
    UniqueVariant owner;
    owner.value_ = filled;
    ::VariantInit(&filled);
    return owner;
  }
  static UniqueVariant Long(long number) {
    UniqueVariant owner;
    owner.value_.vt = VT_I4;
    owner.value_.lVal = number;
    return owner;
  }
  ~UniqueVariant() { ::VariantClear(&value_); }
  UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      ::VariantClear(&value_);
      value_ = other.value_;
      ::VariantInit(&other.value_);
    }
    return *this;
  }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  const VARIANT& Get() const { return value_; }
  VARIANT* Out() {
    ::VariantClear(&value_);
    return &value_;
  }
  // A copy with its own reference (AddRef on an object).
  UniqueVariant Copy() const {
    UniqueVariant copy;
    ::VariantCopy(&copy.value_, const_cast<VARIANT*>(&value_));
    return copy;
  }

 private:
  VARIANT value_;
};

class UniqueBstr {
 public:
  UniqueBstr() = default;
  ~UniqueBstr() { ::SysFreeString(value_); }
  UniqueBstr(UniqueBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&&) = delete;
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;

  BSTR* Out() {
    ::SysFreeString(std::exchange(value_, nullptr));
    return &value_;
  }
  std::wstring Text() const { return value_ ? std::wstring(value_, ::SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

}  // namespace glimmet::platform
