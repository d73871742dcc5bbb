#include "guidriver/wait.h"

#include <windows.h>

namespace guidriver {

void PauseBriefly() {
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                   const std::function<std::string()>& seen, Milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return testing::AssertionSuccess();
    if (std::chrono::steady_clock::now() >= deadline) break;
    PauseBriefly();
  }
  // One last look: the condition may have become true while the deadline passed.
  if (done()) return testing::AssertionSuccess();
  auto failure = testing::AssertionFailure();
  failure << "timed out after " << timeout.count() << " ms waiting for " << what;
  if (seen) failure << "; seen: " << seen();
  return failure;
}

}  // namespace guidriver
