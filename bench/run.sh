#!/usr/bin/env bash
# bench/run.sh [runs]
# SHIYA_BENCH_ONLY=startup or SHIYA_BENCH_ONLY=single runs one of the two groups alone;
# SHIYA_BENCH_ONLY=speed runs only the speed changes of bench_ticks.
# SHIYA_BENCH_FONTS_DIR=<directory> adds the fonts under that directory to the system's, as on
# a desktop with many fonts installed (for instance Debian's font packages unpacked there with
# dpkg-deb -x; their fontconfig rules in usr/share/fontconfig/conf.avail apply too).
# SHIYA_BENCH_WINDOWS=1 measures the Windows program instead (built in build/windows-bench
# with win/build.sh's toolchain), under Wine, against minimal Windows Qt programs of the
# same toolchain: its start-up and its presentation timer.
#
# Builds the benchmark programs (Release, in build/bench) and runs each of them, on one
# virtual X server with openbox, `runs` times (default 15) after one warm-up run. A
# benchmark that has a baseline runs alternately with it, and the figures are compared.
#
# A benchmark program prints its figures on a line of its own:
#     RESULT <name> <figure>=<number> <figure>=<number> ...
# To add one, build it in bench/CMakeLists.txt and list it in BENCHMARKS below.
set -euo pipefail

# "<program> [<baseline program> [<runs>]]", run in this order; <runs> replaces the number
# of runs for a long benchmark, which then has no warm-up run.
BENCHMARKS=(
    "bench_startup bench_minimal"
    "bench_startup bench_minimal_text"
)
# Programs that measure over many repetitions or a long time themselves: run once each and
# reported as they print.
SINGLE_RUNS=(
    bench_sheet
    bench_ticks
    bench_longrun
)

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/bench
runs=${1:-15}
launcher=()
suffix=
if [[ "${SHIYA_BENCH_WINDOWS:-}" == 1 ]]; then
    # Wine is not Windows: only ratios against programs that Wine runs alike mean anything.
    BENCHMARKS=(
        "bench_startup bench_minimal"
        "bench_ticks bench_minimal_timer 1"
    )
    SINGLE_RUNS=()
    build=$root/build/windows-bench
    # One prefix for every run, its server kept up: a start then costs what a program's does.
    launcher=("$root/win/wine.sh" "$build/wine")
    export SHIYA_WINE_SHARED=1
    suffix=.exe
fi

measure() {
    local results=$1 entry program baseline count first i
    : >"$results"
    for entry in "${BENCHMARKS[@]}"; do
        read -r program baseline count <<<"$entry"
        first=0
        [[ -n "$count" ]] && first=1
        for ((i = first; i <= ${count:-$runs}; ++i)); do
            # Run 0 warms the caches up (fonts, shared libraries) and is not counted.
            run_once "$program" "$i" >>"$results"
            if [[ -n "$baseline" ]]; then
                run_once "$baseline" "$i" >>"$results"
            fi
        done
    done
}

# run_once <program> <run number>: its RESULT lines, each with the run number appended.
run_once() {
    local output
    # The launch time goes to the program: finer than the kernel's start time.
    if ! output=$(SHIYA_BENCH_T0_NS=$(date +%s%N) "${launcher[@]}" "$build/bench/$1$suffix" \
        2>/dev/null); then
        echo "bench/run.sh: $1 failed" >&2
        return 1
    fi
    grep '^RESULT ' <<<"$output" | sed "s/\$/ run=$2/"
}

# report <results file>: the median of every figure over the counted runs, and the ratio of
# each program's median to its baseline's.
report() {
    local results=$1 entry program baseline count
    for entry in "${BENCHMARKS[@]}"; do
        read -r program baseline count <<<"$entry"
        echo
        echo "$program${baseline:+ against $baseline}: medians of ${count:-$runs} runs"
        awk -v program="$program" -v baseline="$baseline" '
            function median(list, count,   sorted, n, i, j, t) {
                n = split(list, sorted, " ")
                for (i = 2; i <= n; ++i)
                    for (j = i; j > 1 && sorted[j - 1] + 0 > sorted[j] + 0; --j) {
                        t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
                    }
                return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
            }
            $1 == "RESULT" && ($2 == program || $2 == baseline) && $NF != "run=0" {
                for (i = 3; i < NF; ++i) {
                    split($i, pair, "=")
                    values[$2, pair[1]] = values[$2, pair[1]] " " pair[2]
                    if (!(pair[1] in seen)) { seen[pair[1]] = 1; order[++figures] = pair[1] }
                }
            }
            END {
                for (f = 1; f <= figures; ++f) {
                    name = order[f]
                    mine = median(values[program, name])
                    if (baseline == "" || values[baseline, name] == "") {
                        printf "  %-16s %12.1f\n", name, mine
                        continue
                    }
                    theirs = median(values[baseline, name])
                    printf "  %-16s %12.1f  baseline %12.1f  ratio %.2f\n", name, mine, theirs,
                           theirs ? mine / theirs : 0
                }
            }' "$results"
    done
}

# single_runs: each program of SINGLE_RUNS once, the figures of each RESULT line it prints
# one per line.
single_runs() {
    local program output name figures
    for program in ${SINGLE_RUNS[@]+"${SINGLE_RUNS[@]}"}; do
        if [[ "${SHIYA_BENCH_ONLY:-}" == speed && "$program" != bench_ticks ]]; then
            continue
        fi
        output=$(run_once "$program" 1)
        while read -r _ name figures; do
            echo
            echo "$name (one run)"
            tr ' ' '\n' <<<"$figures" | grep '=' | grep -v '^run=' | sed 's/=/ /' |
                awk '{ printf "  %-26s %12s\n", $1, $2 }'
        done <<<"$output"
    done
}

# use_fonts_dir <directory>: a fontconfig configuration of the system's fonts and those under
# the directory, for every program started from here on. The first cache directory is the one
# written, so the cache of those fonts stays in the build directory.
use_fonts_dir() {
    local dir config
    dir=$(cd "$1" && pwd)
    config=$build/fonts/fonts.conf
    mkdir -p "$build/fonts/cache"
    cat >"$config" <<END
<?xml version="1.0"?>
<fontconfig>
  <cachedir>$build/fonts/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>$dir</dir>
  <include ignore_missing="yes">$dir/usr/share/fontconfig/conf.avail</include>
</fontconfig>
END
    export FONTCONFIG_FILE=$config
    fc-cache "$dir"
    echo "Fonts: $(fc-list | wc -l) faces, with those under $dir"
}

if [[ "${SHIYA_BENCH_UNDER_X:-}" == 1 ]]; then
    results=$(mktemp)
    trap 'rm -f "$results"' EXIT
    if [[ "${SHIYA_BENCH_ONLY:-}" != single && "${SHIYA_BENCH_ONLY:-}" != speed ]]; then
        measure "$results"
        report "$results"
    fi
    if [[ "${SHIYA_BENCH_ONLY:-}" != startup ]]; then
        single_runs
    fi
    exit 0
fi

# shellcheck source=../run.sh
source "$root/run.sh"
ensure_packages "${SHIYA_RUN_PACKAGES[@]}" xvfb xauth openbox x11-utils wmctrl fontconfig
if [[ "${SHIYA_BENCH_WINDOWS:-}" == 1 ]]; then
    # shellcheck source=../win/build.sh
    source "$root/win/build.sh"
    ensure_packages "${SHIYA_WINDOWS_PACKAGES[@]}" wine wine64
    ensure_windows_qt
    windows_build "$root" "$build" -DBUILD_TESTING=OFF -DSHIYA_BENCH=ON >/dev/null
else
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSHIYA_BENCH=ON >/dev/null
    cmake --build "$build" -j2
fi
if [[ -n "${SHIYA_BENCH_FONTS_DIR:-}" ]]; then
    use_fonts_dir "$SHIYA_BENCH_FONTS_DIR"
fi
echo "Running the benchmarks under Xvfb (1280x1024) with openbox"
SHIYA_BENCH_UNDER_X=1 exec "$root/tests/e2e/run-under-x.sh" "$0" "$runs"
