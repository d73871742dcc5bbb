#pragma once
// The benchmarks' measure of a piece of work: the least processor time of this process over a few
// runs. On a shared machine it is steadier than the wall clock.

#include <algorithm>
#include <ctime>

template <class F>
double BestCpuSeconds(int runs, F&& f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const std::clock_t start = std::clock();
    f();
    best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
  return best;
}
