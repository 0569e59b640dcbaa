// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The logic alone, through the in-memory fakes: one motion step, and the text of a number.
// Printed as Google Benchmark's own table, then as rows of the one table of the runner.
#include "fakes/fake_controls.h"
#include "measures.h"
#include "model/numbers.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

// One 0.001 inch step of a 10 RPM move; a move that reaches its end turns round, so every
// measured call is a step with its readouts and drawing.
void motionStep(benchmark::State& state) {
    FakePanel panel;
    panel.view.revealSteps = panel.view.revealStepsNeeded;
    panel.mtrspd.value = QStringLiteral("10");
    bool outward = true;
    for (auto _ : state) {
        if (!panel.Timer1.isEnabled) {
            panel.view.drawnAt.clear();
            panel.target.value = outward ? QStringLiteral("3.3") : QStringLiteral("0");
            outward = !outward;
            panel.actuator.startMove();
        }
        panel.actuator.motionTick();
    }
    benchmark::DoNotOptimize(panel.Text2.value);
}
BENCHMARK(motionStep);

// Readout values as a move shows them: sums of steps, pressures, and a tiny residue.
void numberTextOf(benchmark::State& state) {
    const double values[] = {1.2340000000000009, 5857.984, 0.001, -2.15105711021124E-16};
    const QLocale locale = QLocale::c();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numberText(values[i++ % std::size(values)], locale));
    }
}
BENCHMARK(numberTextOf);

// Keeps each benchmark's CPU time per iteration in ns while printing as usual, without
// colours. CPU time rather than wall time, so that other work on the machine counts less.
class Collector : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.time_unit == benchmark::kNanosecond) {
                nsPerIteration[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
    }
    std::map<std::string, double> nsPerIteration;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (collector.nsPerIteration.count("motionStep") != 0) {
        const double step = collector.nsPerIteration["motionStep"];
        printRow("Motion step through the fakes (Google Benchmark, CPU time)", "-",
                 fixed(step, 0) + " ns", "< 1000 ns", metIf(step < 1000.0));
    }
    if (collector.nsPerIteration.count("numberTextOf") != 0) {
        printRow("numberText (Google Benchmark, CPU time)", "-",
                 fixed(collector.nsPerIteration["numberTextOf"], 0) + " ns", "-", Met::untargeted);
    }
    return 0;
}
