// Waiting for conditions in another process: poll with a short message-aware pause until the
// condition holds or the time is up. Never a fixed sleep: a test goes on as soon as the target is
// ready, and a slow machine only costs time, not a flaky failure.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace guidriver {

using Milliseconds = std::chrono::milliseconds;

// Generous on purpose: the machine is shared and Wine can be slow to start a process; a passing
// test never waits this long.
inline constexpr Milliseconds kDefaultTimeout{15000};

// Polls `done` until it returns true. On a timeout the failure message names `what` was awaited
// and, when `seen` is given, what was observed at the last poll.
testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what,
                                   const std::function<std::string()>& seen = {},
                                   Milliseconds timeout = kDefaultTimeout);

// One short pause that still serves this thread's own messages (a test may own windows too).
void PauseBriefly();

}  // namespace guidriver
