// Peak memory of a benchmark run: the kernel's high-water mark of the
// process's resident memory (VmHWM), reset at the start of the run by
// writing 5 to /proc/self/clear_refs, so that the mark covers the run alone
// and not whatever ran before it in the same process. Memory that earlier
// work freed but the allocator kept is handed back first (malloc_trim), or
// it would count as the run's.
#pragma once

#include <cmath>
#include <fstream>
#include <malloc.h>
#include <string>

namespace bench_memory {

// False when the mark cannot be reset: a peak read then would not be the run's.
inline bool ResetPeak() {
  malloc_trim(0);
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

// The peak resident memory since the last reset, in MiB (NaN when unknown).
inline double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return std::nan("");
}

}  // namespace bench_memory
