// Runs every benchmark on a real X display, then states each one as a ratio to the raw
// one-pixel X round trip measured in the same run, so figures compare across machines.
#include "platform/x11/qt_xcb_connection.h"
#include "support/isolated_environment.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The yardstick every figure is divided by.
constexpr const char* kBaseline = "BM_RawXcbGetImage";
// A benchmark may name its goal as a ratio in this counter; it is shown beside the result.
constexpr const char* kTargetCounter = "target_ratio";
// A benchmark whose iteration serves many items may say how many here; its ratio and goal are
// then per item.
constexpr const char* kItemsCounter = "items";

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
                continue;
            const std::string name = run.benchmark_name();
            Result& result = m_results[name];
            if (result.repetitions++ == 0)
                m_order.push_back(name);
            result.seconds += run.real_accumulated_time / static_cast<double>(run.iterations);
            result.target = Counter(run, kTargetCounter, 0);
            result.items = Counter(run, kItemsCounter, 1);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        const auto baseline = m_results.find(kBaseline);
        if (baseline == m_results.end()) {
            std::printf("\n%s did not run, so no ratios can be given.\n", kBaseline);
            return;
        }
        const double base = baseline->second.Mean();
        std::printf("\nRatios to %s (one 1x1 xcb_get_image round trip, %.1f us in this run):\n",
                    kBaseline, base * 1e6);
        for (const std::string& name : m_order) {
            const Result& result = m_results.at(name);
            std::printf("  %-40s %10.2fx", name.c_str(), result.Mean() / base / result.items);
            if (result.items != 1)
                std::printf(" per item of %.0f", result.items);
            if (result.target > 0)
                std::printf("   (target %.2fx)", result.target);
            std::printf("\n");
        }
    }

private:
    static double Counter(const Run& run, const char* name, double otherwise) {
        const auto counter = run.counters.find(name);
        return counter != run.counters.end() ? counter->second.value : otherwise;
    }
    struct Result {
        double seconds = 0; // per iteration, summed over repetitions
        int repetitions = 0;
        double target = 0;
        double items = 1;
        double Mean() const { return seconds / repetitions; }
    };
    std::map<std::string, Result> m_results;
    std::vector<std::string> m_order;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "tintwatch_bench needs an X display and DISPLAY is not set.\n"
                             "Start one first, for example: source scripts/xvfb.sh && "
                             "start_xvfb\n");
        return 2;
    }
    IsolateUserFolders(); // the saves write a data file of their own
    // The figures are about X round trips, whatever platform the user normally prefers.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (!QtXcbConnection()) {
        std::fprintf(stderr, "tintwatch_bench could not use the X display %s.\n",
                     qgetenv("DISPLAY").constData());
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
