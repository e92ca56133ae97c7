#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest; then the
# whole suite again with AddressSanitizer, UndefinedBehaviorSanitizer and leak detection, and
# a short fixed-budget run of every fuzz target over its generated seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"
if [ -d ../shared/sbas-recordings ]; then export VELMAR_RECORDINGS_DIR="$(cd ../shared/sbas-recordings && pwd)"; fi
jobs="$(nproc)"

bash scripts/install-deps.sh --package clang libclang-rt-14-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON -Wno-dev
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 300

# Sanitizer build: the same suite, leaks reported except those listed in scripts/lsan.supp.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON -DVELMAR_SANITIZE=ON -DVELMAR_BENCHMARKS=OFF -Wno-dev
cmake --build build-asan -j"$jobs"
export LSAN_OPTIONS="suppressions=$repo/scripts/lsan.supp"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-asan --output-on-failure --timeout 900

# Fuzz build (clang, libFuzzer): five seconds per target from a fixed seed, so that a failure
# here can be run again; new inputs go to a scratch directory.
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_FUZZ=ON \
  -DBUILD_TESTING=OFF -DVELMAR_BENCHMARKS=OFF -DVELMAR_WERROR=ON -Wno-dev
cmake --build build-fuzz -j"$jobs" --target fuzz_targets
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in reply_framing pardo decoders config_store time_record msg_line ubx_reader sbf_reader novatel_reader \
  text_reader; do
  echo "fuzz_$target: 5 s"
  mkdir -p "$scratch/$target"
  QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/fuzz_"$target" "$scratch/$target" "$repo/build-fuzz/fuzz/corpus/$target" \
    -max_total_time=5 -seed=1 -artifact_prefix="$scratch/$target-" 2>"$scratch/$target.log" ||
    { tail -n 40 "$scratch/$target.log"; echo "fuzz_$target failed"; exit 1; }
  grep -E "^#[0-9]+ +DONE" "$scratch/$target.log" || true
done

# The Debian package, made from the first build: lintian with no error and no warning, the desktop
# entry and the AppStream metadata validated, then unpacked into a scratch root and started
# offscreen there from a folder without documents, directly and through the desktop launcher: it
# must find its Help documents and world.bmp in the scratch root and exit cleanly.
echo "package: build and check"
cmake --build build --target package
deb="$(ls build/velmar-userapp_*.deb)"
lintian --fail-on error,warning "$deb"
pkg="$(mktemp -d)"
trap 'rm -rf "${scratch:-}" "$pkg"' EXIT
dpkg-deb -x "$deb" "$pkg/root"
desktop-file-validate "$pkg"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$pkg"/root/usr/share/metainfo/*.metainfo.xml
mkdir "$pkg/empty"
(cd "$pkg/empty" && QT_QPA_PLATFORM=offscreen "$pkg/root/usr/bin/velmar-userapp" --check-install) | tee "$pkg/report"
for found in "Velmar UAS User Manual.pdf: $pkg/root/usr/share/doc/velmar-userapp/" \
             "Velmar UAS Disclaimer.pdf: $pkg/root/usr/share/doc/velmar-userapp/" \
             "world.bmp: $pkg/root/usr/share/velmar-userapp/"; do
  grep -qF "$found" "$pkg/report" || { echo "package: not found: $found"; exit 1; }
done
(cd "$pkg/empty" && XDG_DATA_HOME="$pkg/data" QT_QPA_PLATFORM=offscreen "$pkg/root/usr/bin/velmar-userapp-desktop" \
  --check-install) | grep -F "userapp.cfg: $pkg/data/velmar-userapp/userapp.cfg"
cmp "$pkg/data/velmar-userapp/userapp.cfg" "$pkg/root/usr/share/velmar-userapp/userapp.cfg.example"
[ -z "$(ls -A "$pkg/empty")" ] || { echo "package: files left in the starting folder"; exit 1; }
echo "package: lintian clean, entries valid, installed copies found"
