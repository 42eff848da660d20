// Runs the benchmarks and prints one table of medians over the repetitions,
// then renderFrame's time over its replay's at 200 and at 9,999 drops.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

double nanosecondsPer(benchmark::TimeUnit unit) {
    switch (unit) {
    // clang-format off
    case benchmark::kNanosecond: return 1;
    case benchmark::kMicrosecond: return 1e3;
    case benchmark::kMillisecond: return 1e6;
    case benchmark::kSecond: return 1e9;
    }
    // clang-format on
    return 1;
}

std::string formatTime(double ns) {
    char text[32];
    if (ns < 1e4)
        std::snprintf(text, sizeof text, "%.1f ns", ns);
    else if (ns < 1e7)
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    return text;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string line(const std::string& name, const std::string& frame, const std::string& perDrop, const std::string& runs,
                 const std::string& spread) {
    char text[200];
    std::snprintf(text, sizeof text, "%-26s %14s %12s %5s %7s", name.c_str(), frame.c_str(), perDrop.c_str(),
                  runs.c_str(), spread.c_str());
    return text;
}

// A row of medians: the time per frame, per drop when there are drops, and
// how far the repetitions lie apart, as a share of the median.
std::string line(const std::string& name, const std::vector<double>& times, double drops, std::string perItem) {
    const double frame = median(times);
    if (drops > 0)
        perItem = formatTime(frame / drops);
    const auto [low, high] = std::minmax_element(times.begin(), times.end());
    char spread[16];
    std::snprintf(spread, sizeof spread, "%.1f%%", 100 * (*high - *low) / frame);
    return line(name, formatTime(frame), perItem, std::to_string(times.size()), spread);
}

class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            Row& row = rows[{run.family_index, run.per_family_instance_index}];
            row.name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                row.name += "/" + run.run_name.args;
            if (run.error_occurred) {
                row.error = run.error_message;
                std::cerr << row.name << ": " << row.error << '\n';
                continue;
            }
            const double ns = run.GetAdjustedRealTime() * nanosecondsPer(run.time_unit);
            row.times.push_back(ns);
            if (const auto drops = run.counters.find("drops"); drops != run.counters.end())
                row.drops = drops->second.value;
            if (const auto cells = run.counters.find("cells"); cells != run.counters.end())
                row.cells = cells->second.value;
            const auto frame = run.counters.find("frame_s");
            const auto replay = run.counters.find("replay_s");
            if (frame != run.counters.end() && replay != run.counters.end() && replay->second.value > 0) {
                row.replayTimes.push_back(replay->second.value * 1e9 / static_cast<double>(run.iterations));
                row.ratios.push_back(frame->second.value / replay->second.value);
            }
            std::cerr << "  " << row.name << "  " << formatTime(ns) << '\n';
        }
    }

    void Finalize() override {
        std::ostream& out = GetOutputStream();
        out << line("benchmark", "per frame", "per drop", "runs", "spread") << '\n';
        std::map<std::string, double> ratios;
        for (const auto& [key, row] : rows) {
            if (!row.error.empty() || row.times.empty()) {
                out << row.name << "  " << (row.error.empty() ? "no result" : row.error) << '\n';
                continue;
            }
            std::string perItem;
            if (row.cells > 0)
                perItem = formatTime(median(row.times) / row.cells) + "/cell";
            out << line(row.name, row.times, row.drops, perItem) << '\n';
            if (!row.replayTimes.empty()) {
                const std::string drops = row.name.substr(row.name.find('/'));
                out << line("replay" + drops, row.replayTimes, row.drops, "") << '\n';
                const double ratio = median(row.ratios);
                ratios[drops.substr(1)] = ratio;
                char text[64];
                std::snprintf(text, sizeof text, "%.3f (%.3f..%.3f)", ratio,
                              *std::min_element(row.ratios.begin(), row.ratios.end()),
                              *std::max_element(row.ratios.begin(), row.ratios.end()));
                out << line("  renderFrame/replay", text, "", "", "") << '\n';
            }
        }
        out << "renderFrame/replay:";
        for (const char* drops : {"200", "9999"}) {
            const auto ratio = ratios.find(drops);
            char text[16];
            std::snprintf(text, sizeof text, " %.2f", ratio == ratios.end() ? 0.0 : ratio->second);
            out << (ratio == ratios.end() ? " n/a" : text);
        }
        out << std::endl;
    }

private:
    struct Row {
        std::string name;
        std::string error;
        std::vector<double> times;       // ns, one a repetition
        std::vector<double> replayTimes; // ns, for renderFrame's rows: the replay's frames between
        std::vector<double> ratios;
        double drops = 0;
        double cells = 0;
    };
    std::map<std::pair<int64_t, int64_t>, Row> rows;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
