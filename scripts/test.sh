#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest; then the
# whole suite again with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection, and
# a short fixed-budget run of every fuzz target over its generated seed corpus, and a check of the
# Debian package. Ends with a
# summary of every stage and the line "N passed, M failed"; exits non-zero if any failed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"
jobs="$(nproc)"

# The fuzz targets run for five seconds each; fuzz/CMakeLists.txt builds them.
fuzz_targets=(reply_framing pardo decoders config_store time_record msg_line ubx_reader sbf_reader novatel_reader
  text_reader)

# --- Stage runner --------------------------------------------------------------------------
# `stage NAME COMMAND...` runs one command (or a function that returns its status) and counts
# it; a failure is noted and the next stage still runs. A stage may set `stage_note` to add a
# line of its own (a fuzz run's executions) to the summary. `after NAME COMMAND...` runs the
# command only if the stage NAME passed: what a failed build would have tested is not run.
passed=0
failed=0
summary=()
declare -A stage_passed=()
stage_note=""

stage() {
  local name="$1"
  shift
  echo "=== $name"
  stage_note=""
  local status=0
  "$@" || status=$?
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    stage_passed["$name"]=1
    summary+=("passed  $name${stage_note:+: $stage_note}")
  else
    failed=$((failed + 1))
    summary+=("FAILED  $name${stage_note:+: $stage_note}")
    echo "=== $name failed"
  fi
}

after() {
  local needed="$1"
  shift
  if [ -z "${stage_passed[$needed]:-}" ]; then
    stage_note="not run, $needed failed"
    return 1
  fi
  "$@"
}

finish() {
  echo
  echo "Summary"
  local line
  for line in "${summary[@]}"; do
    echo "  $line"
  done
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# --- Stages --------------------------------------------------------------------------------
configure_and_build() { # DIR TARGET-OR-EMPTY CMAKE-ARGUMENTS...
  local dir="$1" target="$2"
  shift 2
  cmake -S . -B "$dir" "$@" -Wno-dev || return 1
  cmake --build "$dir" -j"$jobs" ${target:+--target "$target"}
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# The sanitizer and fuzz runs report leaks, except those listed in scripts/lsan.supp.
export LSAN_OPTIONS="suppressions=$repo/scripts/lsan.supp"

# Five seconds from a fixed seed, so that a failure here can be run again; new inputs go to
# the scratch directory. libFuzzer ends a run with "Done N runs in S second(s)".
fuzz_run() { # TARGET
  local target="$1" log="$scratch/$1.log"
  mkdir -p "$scratch/$target"
  if ! QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/fuzz_"$target" "$scratch/$target" \
      "$repo/build-fuzz/fuzz/corpus/$target" -max_total_time=5 -seed=1 -artifact_prefix="$scratch/$target-" \
      2>"$log"; then
    tail -n 40 "$log"
    return 1
  fi
  stage_note="$(grep -oE 'Done [0-9]+ runs in [0-9]+ second\(s\)' "$log" | tail -n 1)"
  if [ -z "$stage_note" ]; then
    tail -n 40 "$log"
    stage_note="no \"Done\" line in its log"
    return 1
  fi
  echo "$stage_note"
}

bash scripts/install-deps.sh --package clang libclang-rt-14-dev

stage "build" configure_and_build build "" -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON
stage "ctest build" after "build" \
  env QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 300

# Sanitizer build: the same suite, with leak detection.
stage "build-asan" configure_and_build build-asan "" -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON \
  -DVELMAR_SANITIZE=ON -DVELMAR_BENCHMARKS=OFF
stage "ctest build-asan" after "build-asan" \
  env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-asan --output-on-failure --timeout 900

# Fuzz build (clang, libFuzzer).
stage "build-fuzz" configure_and_build build-fuzz fuzz_targets -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_FUZZ=ON -DBUILD_TESTING=OFF -DVELMAR_BENCHMARKS=OFF -DVELMAR_WERROR=ON
for target in "${fuzz_targets[@]}"; do
  stage "fuzz_$target" after "build-fuzz" fuzz_run "$target"
done

# The Debian package, made from the first build: lintian with no error and no warning, the desktop
# entry and the AppStream metadata validated, then unpacked into a scratch root and started
# offscreen there from a folder without documents, directly and through the desktop launcher: it
# must find its Help documents and world.bmp in the scratch root and exit cleanly.
package_check() {
  cmake --build build --target package || return 1
  local deb pkg="$scratch/package" found
  deb="$(ls build/velmar-userapp_*.deb)" || return 1
  mkdir -p "$pkg/root" "$pkg/empty"
  lintian --fail-on error,warning "$deb" || return 1
  dpkg-deb -x "$deb" "$pkg/root" || return 1
  desktop-file-validate "$pkg"/root/usr/share/applications/*.desktop || return 1
  appstreamcli validate --no-net "$pkg"/root/usr/share/metainfo/*.metainfo.xml || return 1
  (cd "$pkg/empty" && QT_QPA_PLATFORM=offscreen "$pkg/root/usr/bin/velmar-userapp" --check-install) | tee "$pkg/report" ||
    return 1
  for found in "Velmar UAS User Manual.pdf: $pkg/root/usr/share/doc/velmar-userapp/" \
               "Velmar UAS Disclaimer.pdf: $pkg/root/usr/share/doc/velmar-userapp/" \
               "world.bmp: $pkg/root/usr/share/velmar-userapp/"; do
    grep -qF "$found" "$pkg/report" || { echo "package: not found: $found"; return 1; }
  done
  (cd "$pkg/empty" && XDG_DATA_HOME="$pkg/data" QT_QPA_PLATFORM=offscreen "$pkg/root/usr/bin/velmar-userapp-desktop" \
    --check-install) | grep -F "userapp.cfg: $pkg/data/velmar-userapp/userapp.cfg" || return 1
  cmp "$pkg/data/velmar-userapp/userapp.cfg" "$pkg/root/usr/share/velmar-userapp/userapp.cfg.example" || return 1
  [ -z "$(ls -A "$pkg/empty")" ] || { echo "package: files left in the starting folder"; return 1; }
  stage_note="lintian clean, entries valid, installed copies found"
}
stage "package" after "build" package_check

finish
