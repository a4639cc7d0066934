#!/usr/bin/env bash
# Runs pdf_to_images (under Wine) and the native pdftoppm on the same files at
# the same resolution and format, and prints both rates and their ratio.
# Usage: bench/pdf_to_images/compare.sh [jpg|png|bmp] [DPI] FILE.pdf...
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
format="${1:-jpg}"; dpi="${2:-192}"; shift 2 || true
(( $# > 0 )) || { echo "usage: $0 [jpg|png|bmp] [DPI] FILE.pdf..." >&2; exit 2; }
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
    --out "Z:$work/ours" "${winfiles[@]}" | tr -d '\r' | tail -n 1)
echo "ours:     $ours"

pages=0
start=$(date +%s.%N)
for f in "$@"; do
    mkdir -p "$work/native"
    pdftoppm -r "$dpi" "${native[@]}" "$f" "$work/native/p"
    pages=$((pages + $(pdfinfo "$f" | awk '/^Pages:/ {print $2}')))
    rm -rf "$work/native"
done
end=$(date +%s.%N)
native_rate=$(echo "$pages / ($end - $start)" | bc -l)
printf 'pdftoppm: pages=%d seconds=%.3f pages_per_s=%.2f\n' "$pages" "$(echo "$end - $start" | bc -l)" "$native_rate"
ours_rate=$(sed -n 's/.*pages_per_s=\([0-9.]*\).*/\1/p' <<<"$ours")
printf 'ratio (ours / pdftoppm pages per second): %.2f\n' "$(echo "$ours_rate / $native_rate" | bc -l)"
