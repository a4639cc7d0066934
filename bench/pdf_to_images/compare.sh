#!/usr/bin/env bash
# Runs pdf_to_images (under Wine) and the native pdftoppm on the same files at
# the same resolution and format, and prints the rates and two ratios: against
# one pdftoppm per file, and against as many pdftoppm processes as we use
# threads, each over a slice of the file's pages (what a skilled user would
# script). Threads and processes are the processors this shell may use
# (`nproc`, so `taskset -c 0-3` gives 4), or THREADS when set.
# Usage: [THREADS=N] bench/pdf_to_images/compare.sh [jpg|png|bmp] [DPI] FILE.pdf...
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
format="${1:-jpg}"; dpi="${2:-192}"; shift 2 || true
(( $# > 0 )) || { echo "usage: $0 [jpg|png|bmp] [DPI] FILE.pdf..." >&2; exit 2; }
threads="${THREADS:-$(nproc)}"
case "$format" in
    jpg) native=(-jpeg) ;;
    png) native=(-png) ;;
    *) native=() ;;  # pdftoppm has no BMP; its PPM is the nearest uncompressed output
esac
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

winfiles=()
for f in "$@"; do winfiles+=("Z:$(realpath "$f")"); done
ours=$("$root/scripts/wine-run.sh" "$root/build/bin/pdf_to_images.exe" --format "$format" --dpi "$dpi" \
    --threads "$threads" --out "Z:$work/ours" "${winfiles[@]}" | tr -d '\r' | tail -n 1)
rm -rf "$work/ours"
echo "ours:     $ours"

page_count() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }

pages=0
for f in "$@"; do pages=$((pages + $(page_count "$f"))); done

# seconds_of START END
seconds_of() { echo "$2 - $1" | bc -l; }

start=$(date +%s.%N)
for f in "$@"; do
    mkdir -p "$work/native"
    pdftoppm -r "$dpi" "${native[@]}" "$f" "$work/native/p"
    rm -rf "$work/native"
done
single=$(seconds_of "$start" "$(date +%s.%N)")

# One file after another, each split into `threads` slices of pages run at once.
start=$(date +%s.%N)
for f in "$@"; do
    n=$(page_count "$f"); per=$(( (n + threads - 1) / threads )); first=1; i=0
    mkdir -p "$work/parallel"
    while (( first <= n )); do
        last=$(( first + per - 1 < n ? first + per - 1 : n ))
        pdftoppm -r "$dpi" "${native[@]}" -f "$first" -l "$last" "$f" "$work/parallel/s$i" &
        first=$((last + 1)); i=$((i + 1))
    done
    wait
    rm -rf "$work/parallel"
done
parallel=$(seconds_of "$start" "$(date +%s.%N)")

single_rate=$(echo "$pages / $single" | bc -l)
parallel_rate=$(echo "$pages / $parallel" | bc -l)
printf 'pdftoppm: pages=%d seconds=%.3f pages_per_s=%.2f\n' "$pages" "$single" "$single_rate"
printf 'pdftoppm x%d: pages=%d seconds=%.3f pages_per_s=%.2f\n' "$threads" "$pages" "$parallel" "$parallel_rate"
ours_rate=$(sed -n 's/.*pages_per_s=\([0-9.]*\).*/\1/p' <<<"$ours")
printf 'threads=%d ratio=%.2f ratio_parallel=%.2f\n' "$threads" "$(echo "$ours_rate / $single_rate" | bc -l)" \
    "$(echo "$ours_rate / $parallel_rate" | bc -l)"
