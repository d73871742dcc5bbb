#pragma once
// The library's process-wide state: the options in effect and the last guess. The interface makes
// them global; a mutex keeps concurrent callers from tearing them.

#include <mutex>
#include <string>

#include "nkf32/options.h"

namespace nkf::dll {

struct DllState {
  std::mutex mutex;
  ConvertOptions options;
  std::wstring lastGuess;  // empty until the first guess
};

DllState& State();

}  // namespace nkf::dll
