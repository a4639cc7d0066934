#!/usr/bin/env bash
# The image module's JPEG conversion (CConvertTask under Wine, on the
# module's worker count) against libjpeg-turbo's own djpeg | cjpeg through
# xargs -P at that count, at quality 35; then a 200 KB target against
# jpegoptim --size=200k. The photos are drawn once by make_photos.py.
# Usage: bench/image_convert/compare.sh [PHOTO_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/bench/image_convert"
source "$root/scripts/env.sh"
photos="${1:-$VESK_CACHE/bench/image_convert_photos}"
count=200
for tool in djpeg cjpeg jpegoptim bc; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/setup.sh" >&2; exit 2; }
done
"$here/make_photos.py" "$photos" "$count"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The module takes half the hardware threads that Windows reports: Wine reports the host's.
workers=$(( $(nproc) / 2 )); (( workers >= 1 )) || workers=1
target=204800

now() { date +%s.%N; }
mb() { du -cb "$1"/*.jpg | tail -n 1 | awk '{printf "%.3f", $1 / 1048576}'; }
key() { sed -n "s/.*$1=\([^ ]*\).*/\1/p" <<<"$2"; }

start=$(now)
ours=$("$root/scripts/wine-run.sh" "$BUILD_DIR/bin/image_convert.exe" --analyze --quality 35 --workers "$workers" \
    --in "Z:$photos" --out "Z:$work/ours" | tr -d '\r' | tail -n 1)
echo "ours: $ours (wall with Wine's start and the analysis: $(echo "$(now) - $start" | bc -l)s)"
ours_s=$(key seconds "$ours")

mkdir -p "$work/cjpeg"
start=$(now)
ls "$photos" | grep '\.jpg$' | xargs -P "$workers" -I{} sh -c "djpeg '$photos/{}' | cjpeg -quality 35 > '$work/cjpeg/{}'"
cjpeg_s=$(echo "$(now) - $start" | bc -l)

sized=$("$root/scripts/wine-run.sh" "$BUILD_DIR/bin/image_convert.exe" --quality 35 --target "$target" \
    --workers "$workers" --in "Z:$photos" --out "Z:$work/sized" | tr -d '\r' | tail -n 1)
echo "ours, 200 KB target: $sized"
mkdir -p "$work/jpegoptim"
ls "$photos" | grep '\.jpg$' | xargs -P "$workers" -I{} jpegoptim -q --size=200k --dest="$work/jpegoptim" "$photos/{}"

p_ours=$("$here/psnr.py" "$photos" "$work/ours")
p_cjpeg=$("$here/psnr.py" "$photos" "$work/cjpeg")
p_sized=$("$here/psnr.py" "$photos" "$work/sized" "$target")
p_opt=$("$here/psnr.py" "$photos" "$work/jpegoptim" "$target")
echo "jpegoptim: $p_opt"
files=$(key count "$p_ours")
printf 'files=%s workers=%d ours_s=%.3f cjpeg_s=%.3f ratio=%.3f ours_mb=%s cjpeg_mb=%s psnr_ours=%s psnr_cjpeg=%s size_ok=%s size_psnr_ours=%s size_psnr_jpegoptim=%s analyze_ms=%s\n' \
    "$files" "$workers" "$ours_s" "$cjpeg_s" "$(echo "$ours_s / $cjpeg_s" | bc -l)" "$(mb "$work/ours")" \
    "$(mb "$work/cjpeg")" "$(key psnr "$p_ours")" "$(key psnr "$p_cjpeg")" "$(key within "$p_sized")" \
    "$(key psnr "$p_sized")" "$(key psnr "$p_opt")" "$(key analyze_ms "$ours")"
