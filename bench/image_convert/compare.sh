#!/usr/bin/env bash
# The image library against libjpeg-turbo's own tools on the same photos:
# quality 35 through the library (one process, converters on worker threads)
# against `djpeg | cjpeg -quality 35` per file through xargs -P at the same
# count, and a 200 KB target against `jpegoptim --size=200k`.
# Usage: bench/image_convert/compare.sh [COUNT] [PHOTO_DIR]
# The photos are drawn once into PHOTO_DIR (default: a folder in /tmp) and reused.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/bench/image_convert"
count="${1:-200}"
photos="${2:-/tmp/vesk_bench_photos_$count}"
workers=$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))
mkdir -p "$photos"
if (( $(ls "$photos" | wc -l) < count )); then
    /usr/bin/python3 "$here/make_photos.py" "$photos" "$count"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
files=("$photos"/photo*.jpg)
winfiles=()
for f in "${files[@]}"; do winfiles+=("Z:$f"); done
bytes() { du -cb "$1"/* | tail -n 1 | cut -f1; }

ours=$("$root/scripts/wine-run.sh" "$root/build/bin/image_convert_dll.exe" --quality 35 --threads "$workers" \
    --out "Z:$work/ours" "${winfiles[@]}" | tr -d '\r' | tail -n 1)
ours_s=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' <<<"$ours")

mkdir -p "$work/cjpeg"
start=$(date +%s.%N)
printf '%s\n' "${files[@]}" | xargs -P "$workers" -I{} sh -c 'djpeg "$1" | cjpeg -quality 35 > "$2/$(basename "$1")"' _ {} "$work/cjpeg"
cjpeg_s=$(echo "$(date +%s.%N) - $start" | bc -l)

size=$("$root/scripts/wine-run.sh" "$root/build/bin/image_convert_dll.exe" --quality 35 --target 204800 --threads "$workers" \
    --out "Z:$work/size" "${winfiles[@]}" | tr -d '\r' | tail -n 1)
mkdir -p "$work/jpegoptim"
printf '%s\n' "${files[@]}" | xargs -P "$workers" -n 8 jpegoptim -q --size=200k --dest="$work/jpegoptim" >/dev/null
size_ok=$(find "$work/size" -type f -size +204800c | wc -l | awk '{print ($1 == 0) ? "yes" : "no"}')

printf 'files=%d workers=%d ours_s=%.2f cjpeg_s=%.2f ratio=%.2f ours_mb=%.1f cjpeg_mb=%.1f psnr_ours=%s psnr_cjpeg=%s size_ok=%s size_psnr_ours=%s size_psnr_jpegoptim=%s\n' \
    "$count" "$workers" "$ours_s" "$cjpeg_s" "$(echo "$ours_s / $cjpeg_s" | bc -l)" \
    "$(echo "$(bytes "$work/ours") / 1048576" | bc -l)" "$(echo "$(bytes "$work/cjpeg") / 1048576" | bc -l)" \
    "$(/usr/bin/python3 "$here/psnr.py" "$photos" "$work/ours")" "$(/usr/bin/python3 "$here/psnr.py" "$photos" "$work/cjpeg")" \
    "$size_ok" "$(/usr/bin/python3 "$here/psnr.py" "$photos" "$work/size")" "$(/usr/bin/python3 "$here/psnr.py" "$photos" "$work/jpegoptim")"
