#!/usr/bin/env bash
# Makes the small AVI samples in tests/data/avi/ that judgext_tests judges: three 16x16 frames of ffmpeg's
# test pattern per file, one file per video codec, written bit-exact so a rerun gives the same bytes.
# The samples are committed; this script records how they were made. It needs ffmpeg (Debian: apt-get install
# ffmpeg), which the build and the tests do not. Usage: bash tools/make_avi_samples.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/data/avi"
mkdir -p "$out"

source_video=(-f lavfi -i "testsrc=size=16x16:rate=5")
exact=(-flags +bitexact -fflags +bitexact -map_metadata -1)

# make NAME ENCODER-ARGUMENTS...: a video-only AVI of three frames.
make()
{
  local name=$1
  shift
  ffmpeg -hide_banner -loglevel error -y "${source_video[@]}" -frames:v 3 "$@" "${exact[@]}" "$out/$name"
}

# put_handler NAME FOURCC: overwrites the first stream's handler code (bytes 112-115), leaving the bitmap
# format's compression code (bytes 188-191) as the encoder wrote it. DivX 5 wrote handler "divx" with
# compression "DX50"; ffmpeg always writes the same code in both places.
put_handler()
{
  printf '%s' "$2" | dd of="$out/$1" bs=1 seek=112 count=4 conv=notrunc status=none
}

make cinepak_cvid.avi -c:v cinepak
make msvideo1_msvc.avi -c:v msvideo1 -vtag MSVC
make msvideo1_cram.avi -c:v msvideo1 -vtag CRAM
make msmpeg4v2_mp42.avi -c:v msmpeg4v2
make msmpeg4_mp43.avi -c:v msmpeg4
make msmpeg4_div3.avi -c:v msmpeg4 -vtag DIV3
make mpeg4_divx_upper.avi -c:v mpeg4 -vtag DIVX
make mpeg4_divx_lower.avi -c:v mpeg4 -vtag divx
make mpeg4_dx50.avi -c:v mpeg4 -vtag DX50
make mpeg4_divx_dx50.avi -c:v mpeg4 -vtag DX50
put_handler mpeg4_divx_dx50.avi divx
make mpeg4_fmp4.avi -c:v mpeg4
make libxvid_xvid.avi -c:v libxvid
make mpeg4_xvid_upper.avi -c:v mpeg4 -vtag XVID
make mpeg4_xvid_lower.avi -c:v mpeg4 -vtag xvid
make mjpeg_mjpg.avi -c:v mjpeg -pix_fmt yuvj420p
make rawvideo_i420.avi -c:v rawvideo -pix_fmt yuv420p
make rawvideo_rgb.avi -c:v rawvideo -pix_fmt bgr24
make asv1_asv1.avi -c:v asv1
make y41p_y41p.avi -c:v y41p
make huffyuv_hfyu.avi -c:v huffyuv
encoders=$(ffmpeg -hide_banner -encoders 2>/dev/null)
if grep -q ' libx264 ' <<<"$encoders"; then
  make libx264_h264.avi -c:v libx264 -preset ultrafast
fi

# An AVI whose first stream is sound: the video stream comes second.
ffmpeg -hide_banner -loglevel error -y "${source_video[@]}" -f lavfi -i "sine=frequency=440:sample_rate=8000" \
  -map 1:a -map 0:v -frames:v 3 -t 0.2 -c:a pcm_u8 -c:v mjpeg -pix_fmt yuvj420p "${exact[@]}" \
  "$out/audio_first_mjpg.avi"

ls -l "$out"/*.avi
du -ch "$out"/*.avi | tail -1
