#pragma once
// The one error type of the settings store: a failed document or file operation, with the
// HRESULT that caused it, so the caller can tell the user what went wrong.

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zentrel {

class SettingsError : public std::runtime_error {
 public:
  SettingsError(const std::string& operation, HRESULT result)
      : std::runtime_error(Describe(operation, result)), result_(result) {}

  HRESULT Result() const noexcept { return result_; }

 private:
  static std::string Describe(const std::string& operation, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return operation + " (" + code + ")";
  }

  HRESULT result_;
};

// A settings file that exists but did not load could not be copied aside, so it was left untouched
// and no document was made. Separate from the other errors so the program can tell the user that
// the file is kept, rather than that the document object is missing.
class SettingsBackupError : public SettingsError {
 public:
  using SettingsError::SettingsError;
};

// Throws a SettingsError naming the operation when hr reports a failure.
inline void ThrowIfFailed(HRESULT hr, const char* operation) {
  if (FAILED(hr)) throw SettingsError(operation, hr);
}

}  // namespace zentrel
