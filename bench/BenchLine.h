// The machine-readable result line every benchmark prints beside its own human-readable output:
// one figure and the figure it is compared to in the same run (the machines are shared and noisy,
// so only such ratios mean anything). scripts/bench gathers these lines into one table.
//   BENCH <tab> benchmark <tab> case <tab> value <tab> unit <tab> baseline case <tab> baseline
//   value
#pragma once

#include <cstdio>
#include <string>

inline void BenchLine(const char* benchmark, const std::string& what, double value,
                      const char* unit, const std::string& baseline, double baselineValue) {
  std::printf("BENCH\t%s\t%s\t%.6g\t%s\t%s\t%.6g\n", benchmark, what.c_str(), value, unit,
              baseline.c_str(), baselineValue);
}
