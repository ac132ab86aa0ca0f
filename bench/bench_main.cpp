// Runs every benchmark on a real X display, then states each one as a ratio to the raw
// one-pixel X round trip measured in the same run, so figures compare across machines.
#include "support/isolated_environment.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The yardstick every figure is divided by.
constexpr const char* kBaseline = "BM_RawXcbGetImage";

// Notes each benchmark's time per iteration and gives it as a ratio to the yardstick's: per item
// when its counter "items" says how many items an iteration serves, and beside the goal that its
// counter "target_ratio" names.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                m_results.push_back(
                    {run.benchmark_name(),
                     run.real_accumulated_time / static_cast<double>(run.iterations),
                     Counter(run, "items", 1), Counter(run, "target_ratio", 0)});
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        const auto baseline = std::find_if(m_results.begin(), m_results.end(),
                                           [](const Result& r) { return r.name == kBaseline; });
        if (baseline == m_results.end()) {
            std::printf("\n%s did not run, so no ratios can be given.\n", kBaseline);
            return;
        }
        std::printf("\nRatios to %s (one 1x1 xcb_get_image round trip, %.1f us in this run):\n",
                    kBaseline, baseline->seconds * 1e6);
        for (const Result& result : m_results) {
            std::printf("  %-40s %10.2fx", result.name.c_str(),
                        result.seconds / baseline->seconds / result.items);
            if (result.items != 1)
                std::printf(" per item of %.0f", result.items);
            if (result.target > 0)
                std::printf("   (target %.2fx)", result.target);
            std::printf("\n");
        }
    }

private:
    struct Result {
        std::string name;
        double seconds, items, target;
    };
    static double Counter(const Run& run, const char* name, double otherwise) {
        const auto counter = run.counters.find(name);
        return counter != run.counters.end() ? counter->second.value : otherwise;
    }
    std::vector<Result> m_results;
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
