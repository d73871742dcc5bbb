// CPU time (user + system) of a process, for the benchmark's second view: on a shared machine the
// wall clock also counts other people's work.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace convert_bench {

#ifdef _WIN32
inline double CpuSeconds(HANDLE process = ::GetCurrentProcess()) {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;  // 100 ns units
}
#else
inline double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
#endif

}  // namespace convert_bench
