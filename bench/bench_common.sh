# Sourced by the run_*_bench.sh scripts: a release build of the targets named, and
# the benchmark files, each written once into $data.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
data="$build/bench-data"

# bench_build TARGET...
bench_build() {
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_GUI=OFF >/dev/null
  cmake --build "$build" -j2 --target "$@"
  mkdir -p "$data"
}

# bench_file humidity|wide READINGS: the path of that file, written if it is not there yet.
bench_file() {
  local f="$data/$1_$2.txt"
  [ -s "$f" ] || python3 bench/make_download_file.py "$1" "$2" "$f"
  echo "$f"
}
