#!/usr/bin/env bash
# Instructions per message of BM_Repainted (one message into its shown window, its repaint
# included), with the main window hidden (main 0) and shown (main 1), counted by callgrind inside
# the timed part only. Counts do not depend on the load
# of the machine, unlike the times.
# Run: bash benchmarks/callgrind_windows.sh [build folder=build]
set -euo pipefail
build="${1:-build}"
bench="$build/benchmarks/bench_windows"
[[ -x "$bench" ]] || { echo "no $bench: build the target bench_windows first" >&2; exit 1; }
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

printf '%-8s %5s %9s %14s %12s\n' type main messages instructions "per message"
for type in 1 2 26 28; do
  for main in 0 1; do
    out="$scratch/callgrind.out"
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out" \
      --toggle-collect='*RepaintedMessage*' "$bench" --benchmark_filter="BM_Repainted_Type$type/main:$main/shown:1/warm:0/" \
      --benchmark_format=csv >"$scratch/stdout" 2>"$scratch/stderr" || { cat "$scratch/stderr" >&2; exit 1; }
    messages="$(awk -F, '/^"BM_Repainted/ { print $2 }' "$scratch/stdout")"
    instructions="$(awk '/^summary:/ { print $2 }' "$out")"
    printf '%-8s %5d %9d %14d %12.0f\n' "$type" "$main" "$messages" "$instructions" "$(echo "$instructions / $messages" | bc -l)"
  done
done
