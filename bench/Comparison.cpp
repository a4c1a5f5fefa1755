#include "Comparison.h"

#include "PlainSums.h"
#include "ReferenceData.h"
#include "core/Globals.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {
namespace {

// Single runs of each kind in turn in a round; a median of each.
constexpr int kRunsPerRound = 400;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

template <typename F>
double Microseconds(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

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

// The script, when it runs and scores the same data as the benchmarks.
QString UsableReference() {
  const QString script = ReferenceScript();
  if (script.isEmpty()) {
    std::printf("reference: script not found (set TALVARON_REFERENCE)\n");
    return {};
  }
  QStringList expected;
  for (const Deal& d : ReferenceDeals())
    expected << QStringLiteral("%1\t%2\t%3\t%4").arg(d.board).arg(d.ns).arg(d.ew).arg(d.nsScore);
  if (RunReference(script, {QStringLiteral("--dump")}).trimmed() != expected.join(QLatin1Char('\n'))) {
    std::printf("reference: not run (node or its package missing, or its data differ)\n");
    return {};
  }
  return script;
}

// The reference's own median of its recomputes, in microseconds; 0 when it
// did not answer.
double ReferenceMicroseconds(const QString& script) {
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("median_ms ([0-9.]+)")).match(RunReference(script, {}));
  return m.hasMatch() ? m.captured(1).toDouble() * 1000.0 : 0;
}

// One kind of recompute, in a results folder of its own.
struct Kind {
  const char* name;
  bool imps = false;
  int otherFiles = 0;
  bool quarterIn = false;
  std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
  std::vector<double> times{}, ratios{}, referenceRatios{};

  void layOut() const {
    LayOutReferenceTournament(folder->path() + QLatin1Char('/'));
    if (quarterIn) KeepAQuarterOfResults();
    ImpScoring = imps;
  }
};

}  // namespace

bool CompareRecomputes(int rounds) {
  if (rounds < 1) return true;
  std::vector<Kind> kinds;
  kinds.push_back({.name = "full recompute, matchpoints"});
  kinds.push_back({.name = "the same, 2000 other files in the folder", .otherFiles = 2000});
  kinds.push_back({.name = "the same, a quarter of the results in", .quarterIn = true});
  kinds.push_back({.name = "full recompute, Butler IMPs", .imps = true});
  kinds.push_back({.name = "the same, 2000 other files in the folder", .imps = true, .otherFiles = 2000});
  for (Kind& k : kinds)
    if (k.otherFiles > 0) FillWithOtherTournaments(k.folder->path() + QLatin1Char('/'), k.otherFiles);

  // The recompute and the yardstick give the same averages.
  const PlainDeals deals = PlainDealsOf(ReferenceDeals());
  PairAverages averages{};
  PlainSums(deals, averages);
  kinds.front().layOut();
  Recompute();
  bool same = FrequenciesComputed;
  for (int p = 1; p <= kPairs; ++p)
    same = same && std::fabs(PairFinalScore[p] - averages[static_cast<std::size_t>(p)]) < 1e-9;
  testing_support::resetGlobals();
  if (!same) {
    std::printf("\nThe recompute's averages differ from the yardstick's: no comparison.\n");
    return false;
  }

  const QString script = UsableReference();
  std::vector<double> plainTimes, referenceTimes;
  for (int r = 0; r < rounds; ++r) {
    const double reference = script.isEmpty() ? 0 : ReferenceMicroseconds(script);
    if (reference > 0) referenceTimes.push_back(reference);
    std::vector<double> plain;
    for (Kind& k : kinds) {
      k.layOut();
      std::vector<double> mine, theirs;
      for (int i = 0; i < kRunsPerRound; ++i) {
        mine.push_back(Microseconds(Recompute));
        theirs.push_back(Microseconds([&] {
          PlainSums(deals, averages);
          benchmark::DoNotOptimize(averages);
        }));
      }
      const double time = Median(mine), yardstick = Median(theirs);
      k.times.push_back(time);
      k.ratios.push_back(time / yardstick);
      if (reference > 0) k.referenceRatios.push_back(reference / time);
      plain.push_back(yardstick);
    }
    plainTimes.push_back(Median(plain));
    testing_support::resetGlobals();
  }

  std::printf("\nMedians over %d interleaved rounds (each: the reference once, then %d single runs of each\n"
              "recompute in turn with the yardstick, the same sums written plainly):\n",
              rounds, kRunsPerRound);
  std::printf("%-44s %9.1f us\n", "yardstick (plain sums)", Median(plainTimes));
  if (!referenceTimes.empty())
    std::printf("%-44s %9.1f us\n", "reference scorer (node, bridge-scorer)", Median(referenceTimes));
  for (const Kind& k : kinds) {
    std::printf("%-44s %9.1f us  %5.2fx the yardstick", k.name, Median(k.times), Median(k.ratios));
    if (!k.referenceRatios.empty()) std::printf("  %5.1fx faster than the reference", Median(k.referenceRatios));
    std::printf("\n");
  }
  return true;
}

}  // namespace bench
