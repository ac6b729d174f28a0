#!/usr/bin/env bash
# Opens generated 10 MB and 50 MB Shift-JIS files in the whole editor, and in Kate when it is
# installed, each run on a display of its own (xvfb-run), watched from outside by bench_open_watch:
# time to the first text on screen, time until it goes quiet, memory then, and the longest wait
# for its event loop in between. Prints every run, then the median of each figure.
#
#   BUILD=build RUNS=3 bench/open-large-files.sh
#
# BUILD is a build directory holding wabunko, bench_open_watch and bench_write_corpus. With
# SHOTS=DIR each run also saves its window at the painted moment as DIR/PROGRAM-SIZE-RUN.ppm.
# Each program starts with fresh settings and a runtime directory of its own, so the editor's
# single-instance hand-over finds nobody to hand the file to and Kate has no session to restore.
set -euo pipefail

BUILD=${BUILD:-build}
RUNS=${RUNS:-3}
SHOTS=${SHOTS:-}
for tool in wabunko bench_open_watch bench_write_corpus; do
  [[ -x $BUILD/$tool ]] || { echo "missing $BUILD/$tool (build it, or set BUILD)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
results=$work/results
log=$work/stderr.log
: >"$results"

[[ -z $SHOTS ]] || mkdir -p "$SHOTS"
for mb in 10 50; do "$BUILD/bench_write_corpus" "$mb" "$work/sjis-${mb}mb.txt"; done

programs=(wabunko)
if command -v kate >/dev/null; then programs+=(kate); else echo "kate is not on PATH: measuring wabunko only" >&2; fi

# run PROGRAM FILE SHOT: one watched open, on a display of its own, from clean settings.
run() {
  local program=$1 file=$2 shot=$3 home runtime
  home=$(mktemp -d "$work/home.XXXXXX")
  runtime=$(mktemp -d "$work/runtime.XXXXXX")  # mktemp makes it 0700, as Qt wants
  local -a command watch=("$BUILD/bench_open_watch")
  [[ -z $SHOTS ]] || watch+=(--shot "$SHOTS/$shot.ppm")
  if [[ $program == wabunko ]]; then
    command=("$BUILD/wabunko" "$file")
  else
    command=(kate -n -e Shift-JIS "$file")
  fi
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache \
    XDG_RUNTIME_DIR=$runtime WABUNKO_CONFIG_HOME=$home/wabunko \
    xvfb-run -a -s '-screen 0 1280x1024x24' "${watch[@]}" -- "${command[@]}" 2>>"$log"
}

printf '%-8s %-6s %-4s %s\n' program file run figures
for mb in 10 50; do
  for ((i = 1; i <= RUNS; i++)); do
    for program in "${programs[@]}"; do  # alternate the programs, so a slow spell of the machine hits both
      line=$(run "$program" "$work/sjis-${mb}mb.txt" "$program-${mb}MB-$i") || true
      [[ -n $line ]] || { echo "no figures from $program; its messages:" >&2; tail -n 20 "$log" >&2; exit 1; }
      printf '%-8s %-6s %-4s %s\n' "$program" "${mb}MB" "$i" "$line"
      echo "$program ${mb}MB $line" >>"$results"
    done
  done
done

# median PROGRAM FILE KEY: the median of one figure over the runs, ignoring runs without it.
median() {
  awk -v program="$1" -v file="$2" -v key="$3" '
    $1 == program && $2 == file { for (i = 3; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key && kv[2] != "na") print kv[2] } }
  ' "$results" | sort -g | awk '{ v[NR] = $1 } END { if (!NR) print "na"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

echo
echo "median of $RUNS run(s):"
keys=(painted_s idle_s rss_mib ping_max_ms)
printf '%-8s %-6s' program file
printf ' %12s' "${keys[@]}"
echo
for mb in 10 50; do
  for program in "${programs[@]}"; do
    printf '%-8s %-6s' "$program" "${mb}MB"
    for key in "${keys[@]}"; do printf ' %12s' "$(median "$program" "${mb}MB" "$key")"; done
    echo
  done
done
if grep -q 'timeout=1' "$results"; then echo "some runs timed out (timeout=1 above): their missing figures are left out" >&2; fi
