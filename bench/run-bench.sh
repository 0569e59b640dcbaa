#!/usr/bin/env bash
# Runs every benchmark of a release build and prints one table of the figures, in
# Markdown. The window benchmarks run on Qt's offscreen platform and, when xvfb-run is
# installed, again in a real X window under Xvfb. Progress goes to stderr.
set -euo pipefail
build=${1:-build-bench}
cd "$(dirname "$0")/.."
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT

step() { echo "bench: $*" >&2; }

# Runs one benchmark command, keeping its table rows and passing everything else on.
collect() {
    local out
    out=$("$@") || { echo "bench: failed: $*" >&2; return 1; }
    grep -v '^row|' <<<"$out" >&2 || true
    grep '^row|' <<<"$out" >>"$rows" || true
}

xvfb() {
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
step "core: Google Benchmark of one motion step and numberText"
collect "$build/bench/core_bench" --benchmark_min_time=0.3

step "offscreen: pacing at 1, 30, 62, 100 and 300 ms (about 30 s)"
QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" pacing
if command -v xvfb-run >/dev/null; then
    step "Xvfb: pacing, CPU per tick, peak memory of a 30 s move (about 60 s)"
    collect xvfb env -u QT_QPA_PLATFORM "$build/bench/window_bench" pacing --full
    step "Xvfb: idle for 10 s"
    collect xvfb env -u QT_QPA_PLATFORM "$build/bench/window_bench" idle
    step "Xvfb: start-up to first paint"
    collect xvfb env -u QT_QPA_PLATFORM "$build/bench/window_bench" startup
else
    step "xvfb-run is not installed: idle and start-up run offscreen, CPU figures are offscreen"
    QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" idle
    QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" startup
fi
# Time per tick depends on the machine and on what else runs on it; the instructions a tick
# executes do not, so they are counted too where valgrind is installed.
counted_move() {
    local out ticks platform total
    out=$(mktemp)
    local result
    result=$("$@" valgrind --tool=callgrind --toggle-collect='countedMove*' \
        --callgrind-out-file="$out" "$build/bench/window_bench" counted-move 2>/dev/null) || {
        rm -f "$out"
        return 1
    }
    ticks=$(awk '/^counted-move/ { print $3 }' <<<"$result")
    platform=$(awk '/^counted-move/ { print $5 }' <<<"$result")
    total=$(awk '/^(summary|totals):/ { print $2; exit }' "$out")
    rm -f "$out"
    awk -v t="$total" -v n="$ticks" -v p="$platform" 'BEGIN {
        printf "row|Instructions per motion tick, 30 ms (callgrind, main thread)|%s|%.0f k|-|-\n",
            p, t / n / 1000 }' >>"$rows"
}
if command -v valgrind >/dev/null; then
    step "instructions of a 10 RPM move under callgrind (about 30 s)"
    if command -v xvfb-run >/dev/null; then
        counted_move xvfb env -u QT_QPA_PLATFORM || step "callgrind run failed"
    else
        counted_move env QT_QPA_PLATFORM=offscreen || step "callgrind run failed"
    fi
fi
step "offscreen: memory over 100 000 motion ticks"
QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" memory
step "offscreen: save 32767 pairs"
QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" export

ram=$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
cpu=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
echo
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Machine: $(nproc) cores, ${cpu:-unknown CPU}, $ram RAM;" \
    "load average $load_before before the run, $load_after after"
echo
echo "| Benchmark | Platform | Figure | Target | Met |"
echo "|---|---|---|---|---|"
awk -F'|' '{ printf "| %s | %s | %s | %s | %s |\n", $2, $3, $4, $5, $6 }' "$rows"
