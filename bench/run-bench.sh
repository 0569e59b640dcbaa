#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs every benchmark of a release build and prints one table of the figures, in
# Markdown. The window benchmarks run on Qt's offscreen platform and, when xvfb-run is
# installed, again in a real X window under Xvfb. Progress goes to stderr.
#   bench/run-bench.sh [BUILD] [tick]     (tick: only the figures of a tick's cost)
set -euo pipefail
build=${1:-build-bench}
only=${2:-all}
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
# Time per tick depends on the machine and on what else runs on it; the instructions a tick
# executes do not, so they are counted too where valgrind is installed: callgrind counts the
# main thread inside each counted* function and writes one profile as each returns.
tick_count() {
    local dir result
    dir=$(mktemp -d)
    result=$("$@" valgrind --tool=callgrind --toggle-collect='counted*' \
        --dump-after='countedMove*' --dump-after='countedNaive*' --dump-after='countedEmpty*' \
        --callgrind-out-file="$dir/out" "$build/bench/window_bench" tick-count 2>/dev/null) || {
        rm -rf "$dir"
        return 1
    }
    local totals
    totals=$(for part in 1 2 3; do
        awk '/^(summary|totals):/ { print $2; exit }' "$dir/out.$part"
    done | tr '\n' ' ')
    rm -rf "$dir"
    awk -v totals="$totals" -v result="$result" '
    BEGIN {
        split(totals, t, " ")
        n = split(result, lines, "\n")
        for (i = 1; i <= n; i++) {
            split(lines[i], f, " ")
            if (f[1] == "counted") { ticks[f[2]] = f[3]; where = f[4] }
        }
        move = t[1] / ticks["move"]; naive = t[2] / ticks["naive"]; empty = t[3] / ticks["empty"]
        printf "row|Instructions per motion tick over a whole move (0 → 1 in at 10 RPM; callgrind, main thread)|%s|%.0f k; %d ticks|≤ 210 k|%s\n",
            where, move / 1000, ticks["move"], move <= 210000 ? "yes" : "NO"
        printf "row|Instructions per tick, naive peer (two line edits, same texts)|%s|%.0f k|-|-\n",
            where, naive / 1000
        printf "row|Instructions per tick, empty 30 ms timer with the panel shown|%s|%.1f k|-|-\n",
            where, empty / 1000
        printf "row|Instructions per tick, panel ÷ naive peer|%s|%.2f ×|-|-\n", where, move / naive
        printf "row|Instructions per tick, panel ÷ empty timer|%s|%.0f ×|-|-\n", where, move / empty
    }' >>"$rows"
}
tick_figures() {
    if command -v xvfb-run >/dev/null; then
        step "Xvfb: CPU per tick of a whole 10 RPM move, beside its two peers (about 31 s)"
        collect xvfb env -u QT_QPA_PLATFORM "$build/bench/window_bench" tick-cost
    else
        step "offscreen: CPU per tick of a whole 10 RPM move, beside its two peers (about 31 s)"
        QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" tick-cost
    fi
    if command -v valgrind >/dev/null; then
        step "instructions of a whole 10 RPM move and of its peers under callgrind (about 90 s)"
        if command -v xvfb-run >/dev/null; then
            tick_count xvfb env -u QT_QPA_PLATFORM || step "callgrind run failed"
        else
            tick_count env QT_QPA_PLATFORM=offscreen || step "callgrind run failed"
        fi
    fi
}

if [ "$only" = tick ]; then
    tick_figures
else
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
    tick_figures
    step "offscreen: memory over 100 000 motion ticks"
    QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" memory
    step "offscreen: save 32767 pairs"
    QT_QPA_PLATFORM=offscreen collect "$build/bench/window_bench" export

    # The Windows build's pacing under Wine, when `make windows` has built it (make
    # windows-bench does both). Wine's text-mode output ends lines in CR LF.
    windows_build=${WINDOWS_BUILD:-build-windows}
    if [ -f "$windows_build/bin/window_bench.exe" ] && command -v wine >/dev/null; then
        step "Windows build under Wine, Xvfb: pacing at 1, 3, 30, 62, 100 and 300 ms (about 40 s)"
        wine_pacing() {
            WINEPREFIX=$(realpath "$windows_build")/wine xvfb packaging/windows/wine-run.sh \
                "$windows_build/bin/window_bench.exe" pacing |
                tr -d '\r' | sed 's/^row|\([^|]*\)|windows|/row|\1|Windows build, Wine on Xvfb|/'
        }
        collect wine_pacing
    else
        step "no Windows build in $windows_build: make windows-bench adds its pacing under Wine"
    fi
fi

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
