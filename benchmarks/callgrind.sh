#!/usr/bin/env bash
# Instructions per message of the application's per-message work (bench_app_path, core only, no
# widgets), counted by callgrind: one pass over each source from each start, only inside the
# measured pass (the set-up and the warm-up pass are not counted). Counts do not depend on the
# load of the machine, unlike the times.
# Run: bash benchmarks/callgrind.sh [build folder=build] [source...]
set -euo pipefail
build="${1:-build}"
shift || true
bench="$build/benchmarks/bench_app_path"
[[ -x "$bench" ]] || { echo "no $bench: build the target bench_app_path first" >&2; exit 1; }
sources=("$@")
[[ ${#sources[@]} -gt 0 ]] || sources=(demo-hour recording-a recording-b recording-c)
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

printf '%-12s %-20s %9s %14s %12s\n' source start messages instructions "per message"
for source in "${sources[@]}"; do
  for start in decode expand+decode decode+notes expand+decode+notes line+notes; do
    out="$scratch/callgrind.out"
    valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='*MeasuredPass*' \
      "$bench" 1 "$source" "$start" >"$scratch/stdout" 2>"$scratch/stderr" ||
      { cat "$scratch/stderr" >&2; exit 1; }
    messages="$(awk -v s="$source" -v t="$start" '$1 == s && $2 == t { print $3 }' "$scratch/stdout")"
    [[ -n "$messages" ]] || { echo "$source: not run (is the recording there?)" >&2; continue; }
    instructions="$(awk '/^summary:/ { print $2 }' "$out")"
    printf '%-12s %-20s %9d %14d %12.0f\n' "$source" "$start" "$messages" "$instructions" \
      "$(echo "$instructions / $messages" | bc -l)"
  done
done
