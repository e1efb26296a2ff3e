// SPDX-License-Identifier: GPL-3.0-or-later
// Speed figures of Haltrix, with the yardsticks they are judged against:
// one design through the calculation in-process, reading and writing a design
// file, haltrix-calc json over 10,000 design files beside cat over the same
// files, haltrix-calc csv over them and a sweep of 100,000 points each beside
// cat writing the same bytes, start-up beside a minimal Qt Widgets program,
// the sketch: built from a design and painted, one design's IFC file, the calculation book of 200
// designs with their sketches, the workbook (xlsx) of 200 designs, and the automatic choice of the bars
// (propose_bench.cpp). After the benchmarks it
// prints each figure, each ratio and whether the target is met.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "paper/report.h"
#include "paper/sheet.h"
#include "model/ifc_export.h"
#include "sketch/sketch_builder.h"
#include "sketch_painter.h"
#include "studies/sweep.h"

extern char** environ;

using namespace haltrix;

namespace {

constexpr int kBatchFiles = 10000;

DesignInputs example(const char* name) {
    DesignInputs record;
    const auto error = readDesignFile(std::string(HALTRIX_SOURCE_DIR "/examples/") + name, record);
    if (error) {
        std::fprintf(stderr, "%s\n", error->message().c_str());
        std::exit(1);
    }
    return record;
}

// A folder under the system's temporary folder, removed at exit.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "haltrix-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

ScratchDir& scratch() {
    static ScratchDir dir;
    return dir;
}

// 10,000 different designs in both unit systems, written once.
const std::vector<std::string>& batchFiles() {
    static const std::vector<std::string> files = [] {
        const std::filesystem::path dir = scratch().path() / "batch";
        std::filesystem::create_directories(dir);
        std::mt19937 random(10000);
        std::uniform_real_distribution<double> spread(0.8, 1.25);
        const DesignInputs bases[] = {example("bracket-gravitational.tvx"),
                                      example("bracket-si.tvx")};
        std::vector<std::string> paths;
        for (int i = 0; i < kBatchFiles; ++i) {
            DesignInputs r = bases[i % 2];
            for (double* field : {&r.H1, &r.H2, &r.l, &r.b, &r.a, &r.P, &r.H, &r.t, &r.c})
                *field = std::round(*field * spread(random) * 1000.0) / 1000.0;
            char name[32];
            std::snprintf(name, sizeof name, "design-%05d.tvx", i);
            paths.push_back((dir / name).string());
            if (const auto error = writeDesignFile(paths.back(), r)) {
                std::fprintf(stderr, "%s\n", error->message().c_str());
                std::exit(1);
            }
        }
        return paths;
    }();
    return files;
}

// The peak memory (maximum resident set) of the last program run, KiB.
long g_lastPeakKiB = 0;

// Runs a program to its end with standard output sent to `output` (by
// default /dev/null) and standard error to /dev/null; returns false unless it
// exits with status 0 (or `okStatus`). Adds the CPU time the program used
// (user and system) to `cpuSeconds`.
bool runProgram(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
                double& cpuSeconds, const char* output = "/dev/null", int okStatus = 0) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (const std::string& entry : envStrings)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    g_lastPeakKiB = usage.ru_maxrss;
    cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return WIFEXITED(status) && WEXITSTATUS(status) == okStatus;
}

// Wall time per run; the CPU time of the program per run is reported as the
// counter "cpu_ms".
void timeProgram(benchmark::State& state, const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnv = {}) {
    double cpuSeconds = 0;
    for (auto _ : state) {
        if (!runProgram(args, extraEnv, cpuSeconds)) {
            state.SkipWithError(("failed: " + args.front()).c_str());
            return;
        }
    }
    state.counters["cpu_ms"] =
        benchmark::Counter(cpuSeconds * 1e3 / static_cast<double>(state.iterations()));
}

// The environment a Qt program needs to start without a display.
std::vector<std::string> offscreenEnv() {
    static const std::string runtime = [] {
        const std::filesystem::path dir = scratch().path() / "xdg-runtime";
        std::filesystem::create_directories(dir);
        chmod(dir.c_str(), 0700);
        return dir.string();
    }();
    // The program keeps its window placement under XDG_CONFIG_HOME; the runs
    // must not touch the user's own.
    static const std::string config = [] {
        const std::filesystem::path dir = scratch().path() / "config";
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    return {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime, "XDG_CONFIG_HOME=" + config};
}

// --- In-process ------------------------------------------------------------

// One design through the result window and the print window: the
// calculation with the horizontal check, the sheet and the report.
void BM_DesignThroughEngineSheetReport(benchmark::State& state) {
    const DesignInputs input =
        example(state.range(0) == 1 ? "bracket-gravitational.tvx" : "bracket-si.tvx");
    for (auto _ : state) {
        const DesignResults results = calculateDesign(input);
        const Sheet sheet = fillSheet(input, results, unitSystemOf(input.unitSystem));
        const std::vector<std::string> lines = reportLines(input, results, ReportVariant::Preview);
        benchmark::DoNotOptimize(sheet);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_DesignThroughEngineSheetReport)->Arg(1)->Arg(2);

// The calculation alone, to show where the time of the road goes.
void BM_DesignThroughEngine(benchmark::State& state) {
    const DesignInputs input = example("bracket-gravitational.tvx");
    for (auto _ : state) {
        const DesignResults results = calculateDesign(input);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_DesignThroughEngine);

// Every case of a design of 10 load cases, the governing cases included,
// beside one case through the same function.
void BM_LoadCases(benchmark::State& state) {
    DesignInputs input = example("bracket-si.tvx");
    const int cases = static_cast<int>(state.range(0));
    for (int i = 1; i < cases; ++i)
        input.laterCases.push_back({"ケース", input.P + 10.0 * i, 5.0 * i, input.sigmaSa + i});
    for (auto _ : state) {
        const DesignCalculation calculation = calculateCases(input, {});
        benchmark::DoNotOptimize(calculation);
    }
}
BENCHMARK(BM_LoadCases)->Arg(1)->Arg(10);

void BM_FillSheet(benchmark::State& state) {
    const DesignInputs r = example("bracket-gravitational.tvx");
    const DesignResults results = calculateDesign(r);
    for (auto _ : state) {
        const Sheet sheet = fillSheet(r, results, UnitSystem::Gravitational);
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(BM_FillSheet);

void BM_ReportLines(benchmark::State& state) {
    const DesignInputs r = example("bracket-gravitational.tvx");
    const DesignResults results = calculateDesign(r);
    for (auto _ : state) {
        const std::vector<std::string> lines = reportLines(r, results, ReportVariant::Preview);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReportLines);

void BM_ReadDesignFile(benchmark::State& state) {
    const std::string path = (scratch().path() / "read.tvx").string();
    writeDesignFile(path, example("bracket-si.tvx"));
    for (auto _ : state) {
        DesignInputs r;
        auto error = readDesignFile(path, r);
        benchmark::DoNotOptimize(error);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ReadDesignFile);

void BM_WriteDesignFile(benchmark::State& state) {
    const std::string path = (scratch().path() / "write.tvx").string();
    const DesignInputs record = example("bracket-si.tvx");
    for (auto _ : state) {
        auto error = writeDesignFile(path, record);
        benchmark::DoNotOptimize(error);
    }
}
BENCHMARK(BM_WriteDesignFile);

void BM_DesignTextRoundTrip(benchmark::State& state) {
    const DesignInputs record = example("bracket-gravitational.tvx");
    for (auto _ : state) {
        const std::string text = designFileText(record);
        DesignInputs r;
        auto error = readDesignText(text, "memory.tvx", r);
        benchmark::DoNotOptimize(error);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_DesignTextRoundTrip);

// --- The sketch --------------------------------------------------------------

// The sketch as the input form rebuilds it on every keystroke: from the
// record, with d and Zc as the result window shows them.
void BM_BuildSketch(benchmark::State& state) {
    const DesignInputs r = example("bracket-gravitational.tvx");
    const DesignResults results = calculateDesign(r);
    for (auto _ : state) {
        const sketch::Sketch s = sketch::buildSketch(r, results);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_BuildSketch);

// One design's IFC file written in memory, as haltrix-calc ifc and the
// window's IFC出力 write it: the model built, the clashes checked, the text.
void BM_WriteIfc(benchmark::State& state) {
    const DesignInputs r =
        example(state.range(0) == 1 ? "bracket-gravitational.tvx" : "bracket-si.tvx");
    const DesignResults results = calculateDesign(r);
    const model::IfcFileFacts facts{model::IfcSchema::Ifc4x3, model::BridgePart::Pier,
                                    "bracket.tvx", "bracket.ifc", "2026-12-09T00:00:00", "0"};
    for (auto _ : state) {
        const model::IfcExportResult ifc = model::exportIfc(r, results, {}, facts);
        benchmark::DoNotOptimize(ifc);
    }
}
BENCHMARK(BM_WriteIfc)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Painting needs the fonts of a Qt application; one is made the first time.
void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "haltrix_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

// One paint of the sketch beside the input form: the size of the panel, at
// the screen's resolution.
void BM_PaintSketch(benchmark::State& state) {
    ensureGuiApplication();
    const sketch::Sketch s = sketch::buildSketch(example("bracket-gravitational.tvx"));
    QImage image(560, 420, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        print::paintSketch(painter, s, QRectF(8, 8, 544, 404));
        painter.end();
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_PaintSketch)->Unit(benchmark::kMicrosecond);

// --- Whole programs ----------------------------------------------------------

void BM_JsonBatch(benchmark::State& state) {
    std::vector<std::string> args = {HALTRIX_CALC_PATH, "json"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.end());
    timeProgram(state, args);
}
BENCHMARK(BM_JsonBatch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_CatBatch(benchmark::State& state) {
    std::vector<std::string> args = {"/bin/cat"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.end());
    timeProgram(state, args);
}
BENCHMARK(BM_CatBatch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The 10,000 files as a design table; the same bytes again for cat.
void BM_CsvBatch(benchmark::State& state) {
    std::vector<std::string> args = {HALTRIX_CALC_PATH, "csv"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.end());
    timeProgram(state, args);
}
BENCHMARK(BM_CsvBatch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// A program's standard output kept in a file once, so that cat can write
// the same bytes.
std::string outputOf(const std::vector<std::string>& args, const char* name) {
    const std::string path = (scratch().path() / name).string();
    double ignored = 0;
    if (!runProgram(args, {}, ignored, path.c_str())) {
        std::fprintf(stderr, "failed: %s %s\n", args[0].c_str(), args[1].c_str());
        std::exit(1);
    }
    return path;
}

void BM_CatCsvOutput(benchmark::State& state) {
    std::vector<std::string> args = {HALTRIX_CALC_PATH, "csv"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.end());
    static const std::string table = outputOf(args, "table.csv");
    timeProgram(state, {"/bin/cat", table});
}
BENCHMARK(BM_CatCsvOutput)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// 100,000 points: a from 0 to 1 in 99,999 steps.
std::vector<std::string> sweepArgs() {
    return {HALTRIX_CALC_PATH,
            "sweep",
            "--param",
            "a",
            "--from",
            "0",
            "--to",
            "1",
            "--steps",
            "99999",
            HALTRIX_SOURCE_DIR "/examples/bracket-si.tvx"};
}

void BM_SweepProgram(benchmark::State& state) {
    timeProgram(state, sweepArgs());
}
BENCHMARK(BM_SweepProgram)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_CatSweepOutput(benchmark::State& state) {
    static const std::string curve = outputOf(sweepArgs(), "sweep.csv");
    timeProgram(state, {"/bin/cat", curve});
}
BENCHMARK(BM_CatSweepOutput)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The same sweep in-process, without formatting, to show the calculation's share.
void BM_SweepInProcess(benchmark::State& state) {
    const DesignInputs design = example("bracket-si.tvx");
    const SweepRange range{0.0, 1.0, 99999};
    for (auto _ : state) {
        double sum = 0;
        sweepDesign(design, kSweepParameters[0], range,
                    [&](const SweepPoint& point) { sum += point.requiredMainArea; });
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SweepInProcess)->Unit(benchmark::kMillisecond);

// The calculation book of 200 designs, each with its sketch page: the two
// examples and 198 of the batch.
void BM_BookProgram(benchmark::State& state) {
    std::vector<std::string> args = {HALTRIX_CALC_PATH, "book", "--sketch", "-o",
                                     (scratch().path() / "book.pdf").string(),
                                     HALTRIX_SOURCE_DIR "/examples/bracket-gravitational.tvx",
                                     HALTRIX_SOURCE_DIR "/examples/bracket-si.tvx"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.begin() + 198);
    timeProgram(state, args, offscreenEnv());
    state.counters["peak_mib"] = benchmark::Counter(static_cast<double>(g_lastPeakKiB) / 1024.0);
}
BENCHMARK(BM_BookProgram)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The workbook of 200 designs: the two examples and 198 of the batch.
void BM_XlsxProgram(benchmark::State& state) {
    std::vector<std::string> args = {HALTRIX_CALC_PATH, "xlsx", "-o",
                                     (scratch().path() / "book.xlsx").string(),
                                     HALTRIX_SOURCE_DIR "/examples/bracket-gravitational.tvx",
                                     HALTRIX_SOURCE_DIR "/examples/bracket-si.tvx"};
    const auto& files = batchFiles();
    args.insert(args.end(), files.begin(), files.begin() + 198);
    timeProgram(state, args, offscreenEnv());
    state.counters["peak_mib"] = benchmark::Counter(static_cast<double>(g_lastPeakKiB) / 1024.0);
}
BENCHMARK(BM_XlsxProgram)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_StartMinimalQt(benchmark::State& state) {
    timeProgram(state, {MINIMAL_QT_PATH}, offscreenEnv());
}
BENCHMARK(BM_StartMinimalQt)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

#ifdef HALTRIX_APP_PATH
void BM_StartHaltrix(benchmark::State& state) {
    timeProgram(state, {HALTRIX_APP_PATH}, offscreenEnv());
}
BENCHMARK(BM_StartHaltrix)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
#endif

// --- Summary -------------------------------------------------------------------

// Prints the usual console table and keeps one time per benchmark: the median
// of the repetitions where there are several.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single) {
                const double seconds =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                const std::string key = run.run_name.function_name + argsOf(run);
                m_seconds[key] = seconds;
                m_cpuSeconds[key] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                if (const auto cpu = run.counters.find("cpu_ms"); cpu != run.counters.end())
                    m_cpuMs[key] = cpu->second.value;
                if (const auto peak = run.counters.find("peak_mib"); peak != run.counters.end())
                    m_peakMib[key] = peak->second.value;
            }
        }
    }

    // Returns false when a measured figure missed its target.
    bool printSummary() const {
        bool allMet = true;
        std::printf("\nSummary\n");
        auto figure = [&](const char* what, const std::string& key, double scale,
                          const char* unit) {
            const auto it = m_seconds.find(key);
            if (it == m_seconds.end()) {
                std::printf("  %-52s  (not measured)\n", what);
                return -1.0;
            }
            std::printf("  %-52s %10.3f %s", what, it->second * scale, unit);
            if (const auto cpu = m_cpuMs.find(key); cpu != m_cpuMs.end())
                std::printf("   (CPU time of the program %.1f ms)", cpu->second);
            std::printf("\n");
            return it->second;
        };
        auto target = [&](bool met, const char* text) {
            std::printf("    target %s: %s\n", text, met ? "met" : "MISSED");
            allMet = allMet && met;
        };

        const double road1 = figure("one design, engine + sheet + report (gravitational)",
                                    "BM_DesignThroughEngineSheetReport/1", 1e6, "us");
        const double road2 = figure("one design, engine + sheet + report (SI)",
                                    "BM_DesignThroughEngineSheetReport/2", 1e6, "us");
        if (road1 >= 0 && road2 >= 0)
            target(road1 < 20e-6 && road2 < 20e-6, "well under 20 us");
        figure("of which the engine", "BM_DesignThroughEngine", 1e6, "us");
        const double oneCase = figure("a design of one load case", "BM_LoadCases/1", 1e6, "us");
        const double tenCases =
            figure("a design of 10 load cases", "BM_LoadCases/10", 1e6, "us");
        if (oneCase >= 0 && tenCases >= 0)
            target(tenCases < 10 * oneCase + 5e-6, "10 cases under 10 x one case + 5 us");
        figure("of which the sheet", "BM_FillSheet", 1e6, "us");
        figure("of which the report", "BM_ReportLines", 1e6, "us");
        figure("reading a design file", "BM_ReadDesignFile", 1e6, "us");
        figure("writing a design file", "BM_WriteDesignFile", 1e6, "us");
        figure("design text written and read back in memory", "BM_DesignTextRoundTrip", 1e6, "us");

        const double propose1 = figure("propose, lightest five (gravitational example)",
                                       "BM_ProposeExample/1", 1e3, "ms");
        const double propose2 =
            figure("propose, lightest five (SI example)", "BM_ProposeExample/2", 1e3, "ms");
        const double proposeRandom =
            figure("propose, 1,000 random designs", "BM_ProposeRandom", 1e3, "ms");
        if (propose1 >= 0 && propose2 >= 0 && proposeRandom >= 0)
            target(propose1 < 5e-3 && propose2 < 5e-3 && proposeRandom < 5e-3 * 1000,
                   "under 5 ms per design");

        // The sketch follows every keystroke. Its targets are judged on the
        // CPU time of the thread, which a machine shared with other work
        // does not inflate as it does the wall time.
        auto cpuFigure = [&](const char* what, const std::string& key) {
            if (figure(what, key, 1e6, "us") < 0)
                return;
            const double cpu = m_cpuSeconds.at(key);
            std::printf("  %-52s %10.3f us\n", "  of it CPU time", cpu * 1e6);
            target(cpu < 0.5e-3, "well under 1 ms (CPU time below 0.5 ms)");
        };
        const double ifc1 =
            figure("one design's IFC written (gravitational)", "BM_WriteIfc/1", 1e6, "us");
        const double ifc2 = figure("one design's IFC written (SI)", "BM_WriteIfc/2", 1e6, "us");
        if (ifc1 >= 0 && ifc2 >= 0)
            target(ifc1 < 5e-3 && ifc2 < 5e-3, "under 5 ms per design");

        cpuFigure("building the sketch", "BM_BuildSketch");
        cpuFigure("painting the sketch (560 x 420)", "BM_PaintSketch");

        const double json =
            figure("haltrix-calc json over 10,000 files", "BM_JsonBatch", 1e3, "ms");
        const double cat = figure("cat over the same files", "BM_CatBatch", 1e3, "ms");
        if (json > 0 && cat > 0) {
            std::printf("  %-52s %10.2f\n", "ratio json / cat", json / cat);
            target(json <= 3.0 * cat, "within 3x of cat");
        }

        const double csv = figure("haltrix-calc csv over the same files", "BM_CsvBatch", 1e3, "ms");
        const double catCsv =
            figure("cat writing the same bytes as csv", "BM_CatCsvOutput", 1e3, "ms");
        if (csv > 0 && catCsv > 0)
            std::printf("  %-52s %10.2f\n", "ratio csv / cat of its output", csv / catCsv);
        if (csv > 0 && json > 0) {
            std::printf("  %-52s %10.2f\n", "ratio csv / json", csv / json);
            target(csv <= 1.5 * json, "csv within 1.5x of json");
        }

        const double sweep =
            figure("haltrix-calc sweep, 100,000 points to CSV", "BM_SweepProgram", 1e3, "ms");
        const double catSweep =
            figure("cat writing the same bytes as sweep", "BM_CatSweepOutput", 1e3, "ms");
        figure("of which the calculation (in-process)", "BM_SweepInProcess", 1e3, "ms");
        if (sweep > 0 && catSweep > 0)
            std::printf("  %-52s %10.2f\n", "ratio sweep / cat of its output", sweep / catSweep);
        if (sweep > 0)
            target(sweep < 1.0, "sweep of 100,000 points under 1 s");

        const double book =
            figure("haltrix-calc book, 200 designs with sketches", "BM_BookProgram", 1e3, "ms");
        if (book > 0) {
            const double peak = m_peakMib.at("BM_BookProgram");
            std::printf("  %-52s %10.1f MiB\n", "  of it peak memory", peak);
            target(book < 20.0 && peak < 300.0, "under 20 s and under 300 MiB");
        }

        const double xlsx =
            figure("haltrix-calc xlsx, workbook of 200 designs", "BM_XlsxProgram", 1e3, "ms");
        if (xlsx > 0) {
            const double peak = m_peakMib.at("BM_XlsxProgram");
            std::printf("  %-52s %10.1f MiB\n", "  of it peak memory", peak);
            target(xlsx < 5.0 && peak < 300.0, "under 5 s and under 300 MiB");
        }

        const double haltrix =
            figure("haltrix, start until its main window is shown", "BM_StartHaltrix", 1e3, "ms");
        const double minimal =
            figure("minimal Qt Widgets program, the same", "BM_StartMinimalQt", 1e3, "ms");
        if (haltrix > 0 && minimal > 0) {
            std::printf("  %-52s %10.2f\n", "ratio haltrix / minimal Qt program",
                        haltrix / minimal);
            target(haltrix < 1.2 * minimal, "under 1.2x of the minimal Qt program");
        }
        return allMet;
    }

private:
    static std::string argsOf(const Run& run) {
        return run.run_name.args.empty() ? "" : "/" + run.run_name.args;
    }

    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_cpuMs;
    std::map<std::string, double> m_cpuSeconds;
    std::map<std::string, double> m_peakMib;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.printSummary() ? 0 : 2;
}
