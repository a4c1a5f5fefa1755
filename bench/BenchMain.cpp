// Runs the benchmarks, then the full recompute against its yardstick and the
// reference matchpoint scorer (node and the reference script, when they can
// be found) in interleaved rounds, so that the figures compared come from one
// run on the same machine. --rounds=N sets the rounds (0: none; 9 by default).
#include "Comparison.h"
#include "core/Fatal.h"
#include "devices/TableDeviceEchoes.h"
#include "flows/InstallFlows.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

// Keeps each benchmark's time per iteration for the summary.
class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // The median of single runs where the benchmark keeps it, else the mean.
    for (const Run& r : runs) {
      if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
      const auto median = r.counters.find("median_us");
      microseconds[r.run_name.str()] =
          median != r.counters.end() ? median->second.value
                                     : r.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                           benchmark::GetTimeUnitMultiplier(r.time_unit);
    }
  }
  std::map<std::string, double> microseconds;
};

// Takes --rounds=N out of the arguments.
int TakeRounds(int& argc, char** argv) {
  int rounds = 9;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--rounds=", 9) == 0)
      rounds = std::atoi(argv[i] + 9);
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  return rounds;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  SetFatalStopThrows(true);
  InstallFlows();
  InstallTableDeviceEchoes();
  const int rounds = TakeRounds(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nMedians of single runs (recomputes), means (the others).\n");
  for (const auto& [name, us] : reporter.microseconds) std::printf("%-40s %10.1f us\n", name.c_str(), us);
  const bool same = bench::CompareRecomputes(rounds);
  benchmark::Shutdown();
  return same ? 0 : 1;
}
