// How long the main window's commands take at 99 variables, against the
// matrix plug-in's own share: parsing the text and inverting the matrix.
// Runs the real window offscreen; the open-file dialog is answered as soon as
// it shows.

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "analysis/control_wnd.h"
#include "matrix/binding/matrix.h"
#include "program_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using test_support::Click;

constexpr int kCount = 99;

// A positive-definite correlation matrix with values of both signs:
// r(i, j) = (-0.6)^|i - j|.
double Correlation(int i, int j) {
  return std::pow(-0.6, std::abs(i - j));
}

// TAB between the values and CR LF after each row, as a user pastes it; the
// same text serves as the file that Load Data reads.
std::string MatrixText() {
  std::string text;
  char value[16];
  for (int i = 0; i < kCount; ++i) {
    for (int j = 0; j < kCount; ++j) {
      std::snprintf(value, sizeof value, "%.4f", Correlation(i, j));
      text += value;
      text += j + 1 < kCount ? "\t" : "\r\n";
    }
  }
  return text;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Accepts every open-file dialog with `path` right after it shows, and
// remembers when, so that the dialog's own share can be told apart.
class FileDialogAccepter : public QObject {
 public:
  explicit FileDialogAccepter(QString path) : path_(std::move(path)) {
    qApp->installEventFilter(this);
  }
  ~FileDialogAccepter() override { qApp->removeEventFilter(this); }
  Clock::time_point AcceptedAt() const { return acceptedAt_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
        QTimer::singleShot(0, dialog, [this, dialog] {
          dialog->selectFile(path_);
          acceptedAt_ = Clock::now();
          static_cast<QDialog*>(dialog)->accept();
        });
      }
    }
    return false;
  }

 private:
  QString path_;
  Clock::time_point acceptedAt_{};
};

// The main window with the count in its field, between runs as after Clear:
// no results, their field and headings hidden.
struct MainWindow {
  fw::Ref<ControlWnd> w = implicit::ControlWnd();

  MainWindow() {
    if (!QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w))) {
      std::fprintf(stderr, "the main window was not shown\n");
    }
    w->Nvariables()->SetText(std::to_string(kCount));
  }
  void ClearResults() {
    w->mcFld()->SetText("");
    w->Rtext()->SetVisible(false);
    w->Rtext1()->SetVisible(false);
    w->text2()->SetVisible(false);
    w->mcFld()->SetVisible(false);
    Settle();
  }
  // Lets painting and deferred layout from the last step finish untimed.
  static void Settle() { QCoreApplication::processEvents(); }

  // Press to last line appended.
  Clock::duration Calculate() {
    const auto start = Clock::now();
    Click(*w->CalculateBtn());
    return Clock::now() - start;
  }
};

void CheckCalculated(benchmark::State& state, const MainWindow& window, int blocks) {
  const std::string results = window.w->mcFld()->Text();
  const auto lines = std::count(results.begin(), results.end(), '\n');
  if (lines != static_cast<long>(blocks) * kCount) {
    state.SkipWithError("Calculate did not append its lines");
  }
}

void BM_ParseAndInverse(benchmark::State& state) {
  const std::string text = MatrixText();
  for (auto _ : state) {
    Matrix m;
    m.Constructor(kCount, kCount, text);
    const std::shared_ptr<Matrix> inverse = 1.0 / m;
    benchmark::DoNotOptimize(inverse->Element(kCount - 1, kCount - 1));
  }
}

// The floor for the plug-in: Eigen's partial-pivot inverse of the same
// matrix, already in memory.
void BM_BareInverse(benchmark::State& state) {
  Eigen::MatrixXd m(kCount, kCount);
  for (int i = 0; i < kCount; ++i) {
    for (int j = 0; j < kCount; ++j) {
      m(i, j) = Correlation(i, j);
    }
  }
  for (auto _ : state) {
    const Eigen::MatrixXd inverse = m.partialPivLu().inverse();
    benchmark::DoNotOptimize(inverse(kCount - 1, kCount - 1));
  }
}

void BM_Calculate(benchmark::State& state) {
  MainWindow window;
  window.w->corrFld()->SetText(MatrixText());
  for (auto _ : state) {
    window.ClearResults();
    state.SetIterationTime(std::chrono::duration<double>(window.Calculate()).count());
    CheckCalculated(state, window, 1);
  }
}

// The tenth press in a row, with nine blocks of results already in the field.
void BM_TenthCalculate(benchmark::State& state) {
  MainWindow window;
  window.w->corrFld()->SetText(MatrixText());
  for (auto _ : state) {
    window.ClearResults();
    for (int press = 1; press < 10; ++press) {
      window.Calculate();
    }
    MainWindow::Settle();
    state.SetIterationTime(std::chrono::duration<double>(window.Calculate()).count());
    CheckCalculated(state, window, 10);
  }
}

void BM_LoadData(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ninety_nine.txt");
  QFile file(path);
  const std::string text = MatrixText();
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    state.SkipWithError("cannot write the matrix file");
    return;
  }
  file.close();

  MainWindow window;
  FileDialogAccepter accepter(path);
  double afterDialog = 0;
  for (auto _ : state) {
    window.w->corrFld()->SetText("");
    MainWindow::Settle();
    const auto start = Clock::now();
    Click(*window.w->loadBtn());
    const auto end = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    afterDialog += Milliseconds(end - accepter.AcceptedAt());
    const std::string display = window.w->corrFld()->Text();
    if (std::count(display.begin(), display.end(), '\n') != kCount) {
      state.SkipWithError("Load Data did not write the display");
    }
  }
  // The part after the dialog closed: reading the file and the display.
  state.counters["after_dialog_ms"] =
      benchmark::Counter(afterDialog, benchmark::Counter::kAvgIterations);
}

// Six 99-variable matrices at full precision, about 1 MB: as lines of TAB
// separated values, or all on one line.
std::string LargePaste(bool oneLine) {
  std::string text;
  char value[32];
  for (int block = 0; block < 6; ++block) {
    for (int i = 0; i < kCount; ++i) {
      for (int j = 0; j < kCount; ++j) {
        std::snprintf(value, sizeof value, "%.15f", Correlation(i, j));
        text += value;
        text += j + 1 < kCount || oneLine ? "\t" : "\r\n";
      }
    }
  }
  return text;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Ctrl+V of about 1 MB into the empty matrix field, until the window has
// painted it. Then, untimed, the share of a core the idle window uses over
// two seconds with the caret blinking in the pasted text.
void PasteMegabyte(benchmark::State& state, bool oneLine) {
  MainWindow window;
  const std::string text = LargePaste(oneLine);
  QApplication::clipboard()->setText(QString::fromStdString(text));
  QTextEdit* field = test_support::EditOf(*window.w->corrFld());
  field->setFocus();
  for (auto _ : state) {
    window.w->corrFld()->SetText("");
    MainWindow::Settle();
    const auto start = Clock::now();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    MainWindow::Settle();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (window.w->corrFld()->Text().size() != text.size()) {
      state.SkipWithError("the paste did not reach the field");
    }
  }
  QTextCursor caret = field->textCursor();
  caret.setPosition(10);
  field->setTextCursor(caret);
  MainWindow::Settle();
  const double before = CpuSeconds();
  QTest::qWait(2000);
  state.counters["idle_cpu_pct"] = (CpuSeconds() - before) / 2.0 * 100.0;
  state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_PasteLines(benchmark::State& state) {
  PasteMegabyte(state, false);
}

void BM_PasteOneLine(benchmark::State& state) {
  PasteMegabyte(state, true);
}

// The console output, and each benchmark's mean time kept for the summary,
// and the fastest repetition's where it is repeated.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        continue;
      }
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate) {
        // The repeated benchmarks: their time unit is the millisecond.
        if (run.aggregate_name == "min") {
          fastest_[name] = run.GetAdjustedRealTime();
        } else if (run.aggregate_name == "mean") {
          milliseconds_[name] = run.GetAdjustedRealTime();
        }
      } else if (run.repetitions <= 1) {
        const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
        milliseconds_[name] = seconds * 1e3;
        if (auto c = run.counters.find("after_dialog_ms"); c != run.counters.end()) {
          afterDialog_ = c->second.value;
        }
        if (auto c = run.counters.find("idle_cpu_pct"); c != run.counters.end()) {
          idleCpu_[name] = c->second.value;
        }
      }
    }
  }

  void PrintSummary() const {
    const double floor = Fastest("BM_BareInverse");
    const double fastest = Fastest("BM_ParseAndInverse");
    std::printf("\nQuillmere at %d variables (fastest repetition):\n", kCount);
    std::printf("  bare inverse (floor)       %8.3f ms\n", floor);
    std::printf("  parse + inverse (plug-in)  %8.3f ms  %7.2fx floor           target <= 1.5x\n",
                fastest, floor > 0 ? fastest / floor : 0.0);
    const double base = Get("BM_ParseAndInverse");
    std::printf("\nQuillmere at %d variables (mean per run):\n", kCount);
    std::printf("  parse + inverse (plug-in)  %8.3f ms\n", base);
    const auto line = [&](const char* label, const char* name, const char* target) {
      const double ms = Get(name);
      std::printf("  %-26s %8.3f ms  %7.1fx parse+inverse   target %s\n", label, ms,
                  base > 0 ? ms / base : 0.0, target);
    };
    line("Calculate", "BM_Calculate", "< 20 ms");
    line("Load Data", "BM_LoadData", "< 50 ms");
    if (afterDialog_ >= 0) {
      std::printf("    of which after the dialog %7.3f ms  %7.1fx parse+inverse\n", afterDialog_,
                  base > 0 ? afterDialog_ / base : 0.0);
    }
    line("tenth Calculate in a row", "BM_TenthCalculate", "< 2x the first");
    const double first = Get("BM_Calculate");
    if (first > 0) {
      std::printf("  tenth / first Calculate    %8.2f\n", Get("BM_TenthCalculate") / first);
    }
    for (const auto& [label, name] : {std::pair{"paste 1 MB in lines", "BM_PasteLines"},
                                      std::pair{"paste 1 MB on one line", "BM_PasteOneLine"}}) {
      std::printf("  %-26s %8.3f ms  target < 500 ms; idle afterwards %.1f%% of a core\n", label,
                  Get(name), idleCpu_.count(name) ? idleCpu_.at(name) : -1.0);
    }
  }

 private:
  double Get(const std::string& name) const {
    const auto found = milliseconds_.find(name);
    return found == milliseconds_.end() ? 0.0 : found->second;
  }
  double Fastest(const std::string& name) const {
    const auto found = fastest_.find(name);
    return found == fastest_.end() ? 0.0 : found->second;
  }
  std::map<std::string, double> milliseconds_;  // mean over all iterations
  std::map<std::string, double> fastest_;       // fastest repetition's mean
  double afterDialog_ = -1;
  std::map<std::string, double> idleCpu_;
};

}  // namespace

// The plug-in against its floor: many short repetitions, interleaved (see
// main), so that both meet the same load on a busy machine; the fastest of
// each is the least disturbed.
double Minimum(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}
BENCHMARK(BM_BareInverse)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.05)
    ->Repetitions(20)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(BM_ParseAndInverse)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.05)
    ->Repetitions(20)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(BM_Calculate)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LoadData)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_TenthCalculate)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PasteLines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PasteOneLine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // Repetitions of different benchmarks take turns; a flag given on the
  // command line comes later and wins.
  std::vector<char*> arguments(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + (argc > 0 ? 1 : 0), interleave);
  arguments.push_back(nullptr);
  argc = static_cast<int>(arguments.size()) - 1;
  argv = arguments.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  // The offscreen platform's notes on window features it lacks, at every
  // window shown, would drown the figures.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support"))) {
      std::fprintf(stderr, "%s\n", qPrintable(message));
    }
  });
  // As a test does: the application outlives the windows, and the run time
  // uses it. The plug-in and the pictures are found beside the executable.
  QApplication app(argc, argv);
  test_support::StartProgramPieces();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  fw::testing::ResetRunState();
  benchmark::Shutdown();
  return 0;
}
