// Runs the benchmarks and, beside them, the reference matchpoint scorer
// (node and the reference script, when they can be found), so that the
// figures compared come from one run on the same machine.
#include "ReferenceData.h"
#include "core/Fatal.h"
#include "devices/TableDeviceEchoes.h"
#include "flows/InstallFlows.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <map>
#include <string>

namespace {

// TALVARON_REFERENCE names the script; else it is looked for in the shared
// folder beside the project.
QString ReferenceScript() {
  const QString set = qEnvironmentVariable("TALVARON_REFERENCE");
  if (!set.isEmpty()) return set;
  for (const char* up : {"/../shared/perf/reference-scorer.js", "/../../shared/perf/reference-scorer.js"}) {
    const QString candidate = QStringLiteral(TALVARON_SOURCE_DIR) + QLatin1String(up);
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
  }
  return {};
}

QString RunReference(const QString& script, const QStringList& extra) {
  QProcess node;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!env.contains(QStringLiteral("NODE_PATH")))
    env.insert(QStringLiteral("NODE_PATH"), QDir::homePath() + QStringLiteral("/reference/node_modules"));
  node.setProcessEnvironment(env);
  node.start(QStringLiteral("node"), QStringList{script} + extra);
  if (!node.waitForFinished(120000) || node.exitCode() != 0) return {};
  return QString::fromUtf8(node.readAllStandardOutput());
}

// Checks that the reference scores the same data as the benchmarks, then
// takes its median time.
void MeasureReference() {
  const QString script = ReferenceScript();
  if (script.isEmpty()) {
    std::printf("reference: script not found (set TALVARON_REFERENCE)\n");
    return;
  }
  QStringList expected;
  for (const bench::Deal& d : bench::ReferenceDeals())
    expected << QStringLiteral("%1\t%2\t%3\t%4").arg(d.board).arg(d.ns).arg(d.ew).arg(d.nsScore);
  const QString dump = RunReference(script, {QStringLiteral("--dump")});
  if (dump.trimmed() != expected.join(QLatin1Char('\n'))) {
    std::printf("reference: not run (node or its package missing, or its data differ)\n");
    return;
  }
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("median_ms ([0-9.]+)")).match(RunReference(script, {}));
  if (m.hasMatch()) bench::ReferenceMicroseconds() = m.captured(1).toDouble() * 1000.0;
}

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

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  SetFatalStopThrows(true);
  InstallFlows();
  InstallTableDeviceEchoes();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MeasureReference();
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double reference = bench::ReferenceMicroseconds();
  std::printf("\nMedians of single runs (recomputes), means (the others).\n");
  std::printf("reference scorer (node, bridge-scorer), full recompute: ");
  if (reference > 0)
    std::printf("%.1f us\n", reference);
  else
    std::printf("not measured\n");
  for (const auto& [name, us] : reporter.microseconds) {
    std::printf("%-40s %10.1f us", name.c_str(), us);
    if (reference > 0 && name.find("Recompute") != std::string::npos && name.find("Save") == std::string::npos)
      std::printf("   %5.1f times faster than the reference", reference / us);
    std::printf("\n");
  }
  benchmark::Shutdown();
  return 0;
}
