// How the driver reports trouble. Calls that produce something (a process, a window, a cell's
// text) throw DriverError when they cannot; GoogleTest turns the exception into a failure of the
// running test, whose owners then end the processes it started. Calls that check a condition
// return testing::AssertionResult instead, so a test can EXPECT them and go on.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace guidriver {

class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws DriverError with `what` followed by the system's text for `error`.
[[noreturn]] void ThrowLastError(const std::string& what, DWORD error = ::GetLastError());

// UTF-8 for messages (GoogleTest prints narrow text); window texts stay UTF-16 everywhere else.
std::string Utf8(const std::wstring& text);

}  // namespace guidriver
