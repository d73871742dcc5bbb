#pragma once
// Runs a piece of work that calls into another process (a web page's document through COM) on a
// thread of its own, while the caller waits at most a bound and keeps its message loop turning.
// A COM call into a hung process blocks until that process answers, perhaps never: the caller then
// gives up and the worker is left to finish (or not) on its own, touching only state it shares by
// ownership. The work must therefore capture everything by value and return plain values.

#include <windows.h>
#include <objbase.h>

#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "glimmet/capture/reader_context.h"
#include "glimmet/platform/unique_handle.h"

namespace glimmet::capture {

template <typename Result>
std::optional<Result> RunBounded(const ReaderContext& context, DWORD boundMs, std::function<Result()> work) {
  struct Shared {
    platform::KernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::optional<Result> result;
  };
  auto shared = std::make_shared<Shared>();
  if (!shared->done) return std::nullopt;
  std::thread worker([shared, work = std::move(work)] {
    // Its own multithreaded apartment: calls block this thread only, and need no message loop.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    shared->result = work();
    if (SUCCEEDED(com)) ::CoUninitialize();
    ::SetEvent(shared->done.Get());
  });
  const ULONGLONG deadline = ::GetTickCount64() + boundMs;
  for (;;) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) break;
    const DWORD left = static_cast<DWORD>(deadline - now);
    HANDLE done = shared->done.Get();
    const DWORD wait = context.pumpMessages ? ::MsgWaitForMultipleObjects(1, &done, FALSE, left, QS_ALLINPUT)
                                            : ::WaitForSingleObject(done, left);
    if (wait == WAIT_OBJECT_0) {
      worker.join();
      return std::move(shared->result);
    }
    if (wait == WAIT_OBJECT_0 + 1) context.Pump();
    else if (wait != WAIT_TIMEOUT) break;
  }
  worker.detach();
  return std::nullopt;
}

}  // namespace glimmet::capture
