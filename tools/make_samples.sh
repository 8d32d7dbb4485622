#!/usr/bin/env bash
# Makes the sample set in tests/samples/: small real files made by real tools, one per type or variant, named
# without an extension, and tests/samples/MANIFEST with one line per file: name, right extension(s), tool.
# The samples are committed; this script records how they were made. The tools are not part of the build:
# on Debian 12 they come with
#   apt-get install imagemagick sox libsox-fmt-all pandoc zip p7zip-full cpio rpm dpkg-dev lzip ncompress arj
#     jlha-utils gcab xorriso sqlite3 wireshark-common wabt groff ghostscript gnumeric wixl fonttools
#     python3-fonttools python3-brotli fonts-dejavu-core fonts-urw-base35 abcmidi lame opus-tools vorbis-tools
#     flac djvulibre-bin libopenjp2-tools libheif-examples libavif-bin webp fp-utils-3.2.2 aapt zipalign
#     icoutils netpbm pstoedit faketime ffmpeg default-jdk-headless g++-mingw-w64 wine64 gcc gettext openssl
#     gnupg libjxl-tools icnsutils speex wavpack musepack-tools lz4 lzop lrzip squashfs-tools qemu-utils wimtools
#     par2 dar t1utils xfonts-base pcf2bdf console-setup-linux zlib1g-dev cmake-data sharutils gettext mawk
#     assimp-utils hdf5-tools pspp dcmtk manpages mame-tools
# More kinds come from the parts in tools/samples/*.sh (each names its packages on a "# packages:" line and checks
# its tools with need_tools); `bash tools/setup.sh --samples` installs the packages of this script and its parts.
# Usage: bash tools/make_samples.sh   (rewrites every sample), or
#        bash tools/make_samples.sh --part NAME   (remakes only the samples of tools/samples/NAME.sh, in place). Fixed inputs, seeds and dates make a rerun give the
# same bytes, except these: wixl draws a fresh package code for the MSI, chmcmd stamps the CHM header from a
# clock that faketime cannot reach, and the keys, certificates, signatures and keystores are drawn afresh.
# The fonts, the colour profile and the console font are copied from the files of the Debian packages named.
set -euo pipefail
export SOURCE_DATE_EPOCH=1700000000 TZ=UTC LC_ALL=C.UTF-8
fixed_time="2023-11-14 22:13:20"
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/samples"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
manifest="$work/MANIFEST"
: > "$manifest"

need="convert sox pandoc zip gzip bzip2 xz zstd 7z cpio tar rpmbuild dpkg-deb lzip compress arj jlha gcab xorriso
      sqlite3 text2pcap wat2wasm groff ps2pdf ssconvert wixl pyftsubset abc2midi lame opusenc oggenc flac cjb2 c44
      opj_compress heif-enc avifenc cwebp chmcmd aapt zipalign icotool pstoedit faketime ffmpeg javac jar iconv
      i686-w64-mingw32-gcc x86_64-w64-mingw32-gcc /usr/lib/wine/wine64 /usr/bin/python3 gs ppmtopict pnmtorast
      ppmtoilbm cjxl png2icns djvm speexenc wavpack mpcenc lz4 lzop lrzip mksquashfs qemu-img wimcapture par2 dar
      gcc msgfmt openssl gpg gpgconf keytool t1ascii t1binary pcf2bdf xgettext msginit uuencode ttx diff
      assimp h5import pspp img2dcm ppmtoacad pnmtorle pbmtocmuwm pbmtogem pbmtoicon pamtosrf pbmtoepsi
      chdman"
missing=""
for tool in $need; do command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"; done
if [ -n "$missing" ] && [ "${1:-}" != "--part" ]; then
  echo "make_samples: missing tools:$missing (see the package list at the top of this script)" >&2
  exit 1
fi

# put NAME EXTENSIONS TOOL FILE: copies a made file into the sample folder under NAME (no dot allowed) and notes
# it in the manifest. EXTENSIONS lists every right extension, the usual one first, separated by commas.
put()
{
  local name=$1 exts=$2 tool=$3 file=$4
  case $name in *.*|*/*) echo "make_samples: bad sample name $name" >&2; exit 1 ;; esac
  if [ ! -s "$file" ]; then
    echo "make_samples: $name was not made ($tool)" >&2
    exit 1
  fi
  cp "$file" "$work/out/$name"
  printf '%s\t%s\t%s\n' "$name" "$exts" "$tool" >> "$manifest"
}

# at_fixed_time COMMAND...: runs a tool that stamps the current time with the clock stopped at the fixed date.
at_fixed_time()
{
  faketime -f "$fixed_time" "$@"
}

# need_tools TOOL...: a part stops with the names of the tools this machine lacks.
need_tools()
{
  local tool absent=""
  for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || absent="$absent $tool"; done
  if [ -n "$absent" ]; then
    echo "make_samples: missing tools:$absent (see the packages line of the part)" >&2
    exit 1
  fi
}

mkdir -p "$work/out"
cd "$work"

# One part alone: its samples replace their namesakes in the folder and the manifest; the rest stays.
if [ "${1:-}" = "--part" ]; then
  part="$root/tools/samples/${2:-}.sh"
  [ -f "$part" ] || { echo "make_samples: no part ${2:-} in tools/samples" >&2; exit 1; }
  # shellcheck source=/dev/null
  source "$part"
  cd "$work"
  [ -s "$manifest" ] || { echo "make_samples: the part made no samples" >&2; exit 1; }
  cut -f1 "$manifest" | sort > names
  awk -F'\t' 'NR == FNR { made[$1] = 1; next } !($1 in made)' names "$out/MANIFEST" > kept
  cat kept "$manifest" > "$out/MANIFEST"
  cp "$work"/out/* "$out/"
  chmod 644 "$out"/*
  echo "make_samples: part ${2}: $(wc -l < "$manifest") samples"
  exit 0
fi

# ---------------------------------------------------------------- images
# One 16x16 picture is the source of every raster sample; ImageMagick leaves out its date chunks.
# shellcheck disable=SC2054  # the commas belong to the options
im_quiet=(+set date:create +set date:modify -define png:exclude-chunks=date,time)
convert -size 16x16 gradient:'#d04020-#2050d0' -fill '#f0e040' -draw 'rectangle 4,4 11,11' -depth 8 \
  "${im_quiet[@]}" base.png
convert base.png -alpha set -channel A -fx 'i/w' +channel "${im_quiet[@]}" base_alpha.png
convert base.png -colors 8 "${im_quiet[@]}" png8:base_palette.png
convert base.png ppm:base.ppm
convert base.png -colorspace gray pgm:base.pgm
convert base.png -monochrome pbm:base.pbm

put png_rgb png "ImageMagick convert" base.png
put png_rgba png "ImageMagick convert" base_alpha.png
put png_palette png "ImageMagick convert" base_palette.png
convert base.png -quality 85 -strip jpeg_baseline.jpg
put jpeg_baseline jpg,jpeg,jpe "ImageMagick convert" jpeg_baseline.jpg
convert base.png -quality 85 -interlace JPEG -strip jpeg_progressive.jpg
put jpeg_progressive jpg,jpeg,jpe "ImageMagick convert (-interlace JPEG)" jpeg_progressive.jpg
ffmpeg -hide_banner -loglevel error -y -i base.png -flags +bitexact -frames:v 1 -update 1 jpeg_ffmpeg.jpg
put jpeg_ffmpeg jpg,jpeg,jpe "ffmpeg (mjpeg)" jpeg_ffmpeg.jpg
convert base.png -strip gif89.gif
put gif_89a gif "ImageMagick convert" gif89.gif
convert base.png -strip gif87:gif87.gif
put gif_87a gif "ImageMagick convert (gif87)" gif87.gif
convert base.png -strip bmp_v5.bmp
put bmp_v5 bmp "ImageMagick convert" bmp_v5.bmp
convert base.png -strip bmp3:bmp_v3.bmp
put bmp_v3 bmp "ImageMagick convert (bmp3)" bmp_v3.bmp
convert base.png -strip -compress lzw tif_le.tif
put tiff_little_endian tif,tiff "ImageMagick convert" tif_le.tif
convert base.png -strip -define tiff:endian=msb -compress none tif_be.tif
put tiff_big_endian tif,tiff "ImageMagick convert (tiff:endian=msb)" tif_be.tif
icotool -c -o icon.ico base_alpha.png
put ico_icotool ico "icotool" icon.ico
convert base.png -strip icon_im.ico
put ico_imagemagick ico "ImageMagick convert" icon_im.ico
icotool -c --cursor --hotspot-x=2 --hotspot-y=3 -o cursor.cur base_alpha.png
put cur_icotool cur "icotool --cursor" cursor.cur
convert base.png -strip pcx.pcx
put pcx_rgb pcx "ImageMagick convert" pcx.pcx
convert base_alpha.png -strip psd.psd
put psd_rgba psd "ImageMagick convert" psd.psd
cwebp -quiet -q 80 base.png -o lossy.webp
put webp_lossy webp "cwebp" lossy.webp
cwebp -quiet -lossless base_alpha.png -o lossless.webp
put webp_lossless webp "cwebp -lossless" lossless.webp
put pbm_raw pbm,pnm "ImageMagick convert" base.pbm
convert base.png -monochrome -compress none pbm:pbm_ascii.pbm
put pbm_ascii pbm,pnm "ImageMagick convert (-compress none)" pbm_ascii.pbm
put pgm_raw pgm,pnm "ImageMagick convert" base.pgm
convert base.png -colorspace gray -compress none pgm:pgm_ascii.pgm
put pgm_ascii pgm,pnm "ImageMagick convert (-compress none)" pgm_ascii.pgm
put ppm_raw ppm,pnm "ImageMagick convert" base.ppm
pnmtoplainpnm base.ppm > ppm_ascii.ppm
put ppm_ascii ppm,pnm "netpbm pnmtoplainpnm" ppm_ascii.ppm
heif-enc -q 50 -o heic.heic base.png >/dev/null
put heic_hevc heic,heif "heif-enc (libheif, x265)" heic.heic
avifenc -j 1 -s 10 base.png avif.avif >/dev/null
put avif_aom avif "avifenc (libavif, aom)" avif.avif
opj_compress -n 3 -i base.ppm -o jp2.jp2 >/dev/null
put jp2_openjpeg jp2 "opj_compress (OpenJPEG)" jp2.jp2
cat > drawing.ps <<'PS'
%!PS-Adobe-3.0
%%BoundingBox: 0 0 64 64
newpath 4 4 moveto 60 60 lineto 60 4 lineto closepath 0.8 0.2 0.1 setrgbcolor fill
showpage
PS
pstoedit -q -f emf drawing.ps pstoedit.emf >/dev/null 2>&1
put emf_pstoedit emf "pstoedit -f emf (libEMF)" pstoedit.emf
cat > drawing_prolog.svg <<'SVG'
<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <rect x="1" y="1" width="14" height="14" fill="#d04020"/>
  <circle cx="8" cy="8" r="4" fill="#f0e040"/>
</svg>
SVG
put svg_with_prolog svg "written by this script (text)" drawing_prolog.svg
cat > drawing_bare.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="16" height="16">
  <path d="M1 1 L15 15 M15 1 L1 15" stroke="#2050d0" stroke-width="2"/>
</svg>
SVG
put svg_bare svg "written by this script (text)" drawing_bare.svg

# ---------------------------------------------------------------- audio
# A tenth of a second of a 440 Hz tone; sox without dither and with its repeatable random numbers.
sox -R -D -n -r 22050 -c 1 -b 16 tone.wav synth 0.1 sine 440 fade 0 0.1 0.02
put wav_pcm16 wav "sox" tone.wav
sox -R -D tone.wav -e ima-adpcm tone_adpcm.wav
put wav_ima_adpcm wav "sox (-e ima-adpcm)" tone_adpcm.wav
sox -R -D tone.wav tone.aiff
put aiff_pcm aif,aiff "sox" tone.aiff
sox -R -D tone.wav -t aifc tone.aifc
put aifc_pcm aifc,aif,aiff "sox (-t aifc)" tone.aifc
sox -R -D tone.wav tone.au
put au_pcm au,snd "sox" tone.au
sox -R -D tone.wav -r 8000 tone.amr-nb
put amr_nb amr "sox (libopencore-amrnb)" tone.amr-nb
lame --silent -b 32 tone.wav plain.mp3
put mp3_no_tag mp3 "lame" plain.mp3
lame --silent -b 32 --add-id3v2 --id3v2-only --tt "Sample tone" --ta Quodra tone.wav id3.mp3
put mp3_id3v2 mp3 "lame --add-id3v2" id3.mp3
lame --silent -b 32 --id3v1-only --tt "Sample tone" --ta Quodra tone.wav id3v1.mp3
put mp3_id3v1 mp3 "lame --id3v1-only" id3v1.mp3
flac --silent --best --no-padding -o tone.flac tone.wav
put flac_pcm16 flac "flac" tone.flac
oggenc -Q -s 1 -o tone.ogg tone.wav
put ogg_vorbis ogg,oga "oggenc" tone.ogg
opusenc --quiet --serial 1 tone.wav tone.opus
put opus_ogg opus,ogg "opusenc" tone.opus
cat > tune.abc <<'ABC'
X:1
T:Sample
M:4/4
L:1/8
Q:1/4=120
K:C
CDEF GABc|
ABC
abc2midi tune.abc -o tune.mid >/dev/null
put midi_abc2midi mid,midi "abc2midi" tune.mid

# ---------------------------------------------------------------- audio and video through ffmpeg
# Three frames of ffmpeg's 16x16 test picture and a short tone, written bit-exact.
video_in=(-f lavfi -i "testsrc=size=16x16:rate=25")
sound_in=(-f lavfi -i "sine=frequency=440:sample_rate=22050:duration=0.12")
exact=(-flags +bitexact -fflags +bitexact -map_metadata -1 -threads 1)

# ff FILE ARGUMENTS...: video only, or tone only when ARGUMENTS start with -vn.
ff()
{
  local file=$1
  shift
  if [ "$1" = "-vn" ]; then
    ffmpeg -hide_banner -loglevel error -y "${sound_in[@]}" "$@" "${exact[@]}" "$file"
  else
    ffmpeg -hide_banner -loglevel error -y "${video_in[@]}" -frames:v 3 "$@" "${exact[@]}" "$file"
  fi
}

# ffav FILE ARGUMENTS...: video and tone together.
ffav()
{
  local file=$1
  shift
  ffmpeg -hide_banner -loglevel error -y "${video_in[@]}" "${sound_in[@]}" -frames:v 3 -shortest "$@" \
    "${exact[@]}" "$file"
}

ff tone.m4a -vn -c:a aac -b:a 32k -f ipod
put m4a_aac m4a "ffmpeg (ipod muxer, aac)" tone.m4a
ff tone.wma -vn -c:a wmav2 -b:a 32k -f asf
put wma_wmav2 wma,asf "ffmpeg (asf muxer, wmav2)" tone.wma

ffav avi_mjpeg.avi -c:v mjpeg -pix_fmt yuvj420p -c:a pcm_u8
put avi_mjpeg avi "ffmpeg (mjpeg, pcm)" avi_mjpeg.avi
ff avi_xvid.avi -c:v mpeg4 -vtag XVID
put avi_mpeg4_xvid avi "ffmpeg (mpeg4, XVID)" avi_xvid.avi
ff avi_dx50.avi -c:v mpeg4 -vtag DX50
put avi_mpeg4_dx50 avi "ffmpeg (mpeg4, DX50)" avi_dx50.avi
ff avi_mp43.avi -c:v msmpeg4
put avi_msmpeg4_mp43 avi "ffmpeg (msmpeg4, MP43)" avi_mp43.avi
ff avi_cvid.avi -c:v cinepak
put avi_cinepak avi "ffmpeg (cinepak)" avi_cvid.avi
ff avi_raw.avi -c:v rawvideo -pix_fmt bgr24
put avi_rawvideo avi "ffmpeg (rawvideo)" avi_raw.avi
ffav avi_h264.avi -c:v libx264 -preset ultrafast -c:a libmp3lame -b:a 32k
put avi_h264 avi "ffmpeg (libx264, mp3)" avi_h264.avi

ffav mp4_h264.mp4 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 32k -f mp4
put mp4_h264_aac mp4 "ffmpeg (mp4 muxer, libx264, aac)" mp4_h264.mp4
ff mp4_mpeg4.mp4 -c:v mpeg4 -f mp4
put mp4_mpeg4 mp4 "ffmpeg (mp4 muxer, mpeg4)" mp4_mpeg4.mp4
ffav mov.mov -c:v mjpeg -pix_fmt yuvj420p -c:a pcm_s16be -f mov
put mov_mjpeg mov,qt "ffmpeg (mov muxer, mjpeg)" mov.mov
ffav 3gp.3gp -vf scale=128:96 -c:v h263 -c:a aac -b:a 24k -ar 22050 -f 3gp
put 3gp_h263 3gp "ffmpeg (3gp muxer, h263, aac)" 3gp.3gp
ffav mkv.mkv -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a libvorbis -f matroska
put mkv_h264_vorbis mkv "ffmpeg (matroska muxer)" mkv.mkv
ffav webm.webm -c:v libvpx -deadline realtime -cpu-used 8 -b:v 50k -c:a libopus -b:a 24k -ar 48000 -f webm
put webm_vp8_opus webm "ffmpeg (webm muxer, libvpx, libopus)" webm.webm
ffav flv.flv -c:v flv1 -c:a libmp3lame -b:a 32k -f flv
put flv_sorenson flv "ffmpeg (flv muxer, flv1, mp3)" flv.flv
ffav mpeg1.mpg -c:v mpeg1video -c:a mp2 -b:a 64k -f mpeg
put mpeg1_ps mpg,mpeg "ffmpeg (mpeg muxer, mpeg1video, mp2)" mpeg1.mpg
ffav mpeg2.mpg -c:v mpeg2video -c:a mp2 -b:a 64k -f vob
put mpeg2_ps mpg,mpeg,vob "ffmpeg (vob muxer, mpeg2video, mp2)" mpeg2.mpg
ffav ts.ts -c:v mpeg2video -c:a mp2 -b:a 64k -f mpegts
put ts_mpeg2 ts "ffmpeg (mpegts muxer)" ts.ts
ffav wmv.wmv -c:v wmv2 -c:a wmav2 -b:a 32k -f asf
put wmv_wmv2 wmv,asf "ffmpeg (asf muxer, wmv2, wmav2)" wmv.wmv
ffav asf.asf -c:v msmpeg4 -c:a wmav2 -b:a 32k -f asf
put asf_msmpeg4 asf,wmv "ffmpeg (asf muxer, msmpeg4, wmav2)" asf.asf
ff swf.swf -c:v flv1 -f swf
put swf_flv1 swf "ffmpeg (swf muxer, flv1)" swf.swf
ffav rm.rm -c:v rv10 -c:a real_144 -ar 8000 -ac 1 -f rm
put rm_rv10 rm "ffmpeg (rm muxer, rv10, real_144)" rm.rm

# ---------------------------------------------------------------- archives and compressed files
# Every archive holds the same two small files, dated to the fixed time.
mkdir -p content/docs
printf 'Quodra sample archive member.\nThe same text on every line keeps it short.\n' > content/readme.txt
printf 'second member\n' > content/docs/notes.txt
find content -exec touch -h -d "$fixed_time" {} +
members=(readme.txt docs/notes.txt)

(cd content && zip -q -X -9 ../zip.zip "${members[@]}")
put zip_deflate zip "zip" zip.zip
(cd content && zip -q -X -0 ../zip_stored.zip "${members[@]}")
put zip_stored zip "zip -0" zip_stored.zip
gzip -n -9 -c content/readme.txt > gz.gz
put gzip_text gz,gzip "gzip -n" gz.gz
bzip2 -9 -c content/readme.txt > bz2.bz2
put bzip2_text bz2 "bzip2" bz2.bz2
xz -T1 -c content/readme.txt > xz.xz
put xz_text xz "xz" xz.xz
zstd -q -19 -c content/readme.txt > zst.zst
put zstd_text zst "zstd" zst.zst
lzip -9 -c content/readme.txt > lz.lz
put lzip_text lz "lzip" lz.lz
compress -c content/readme.txt > z.Z
put compress_text z "compress (ncompress)" z.Z
(cd content && 7z a -bd -bso0 -mmt=1 ../7z.7z "${members[@]}")
put sevenzip_lzma2 7z "7z (p7zip-full)" 7z.7z
tar_fixed=(--sort=name --mtime="$fixed_time" --owner=0 --group=0 --numeric-owner -C content)
tar "${tar_fixed[@]}" --format=ustar -cf ustar.tar "${members[@]}"
put tar_ustar tar "GNU tar (--format=ustar)" ustar.tar
tar "${tar_fixed[@]}" --format=gnu -cf gnu.tar "${members[@]}"
put tar_gnu tar "GNU tar (--format=gnu)" gnu.tar
tar "${tar_fixed[@]}" --format=pax --pax-option=exthdr.name=%d/PaxHeaders/%f,delete=atime,delete=ctime \
  -cf pax.tar "${members[@]}"
put tar_pax tar "GNU tar (--format=pax)" pax.tar
(cd content && printf '%s\n' "${members[@]}" | cpio -o --quiet --reproducible -H newc > ../newc.cpio)
put cpio_newc cpio "cpio -H newc" newc.cpio
(cd content && printf '%s\n' "${members[@]}" | cpio -o --quiet --reproducible -H odc > ../odc.cpio)
put cpio_odc cpio "cpio -H odc" odc.cpio
(cd content && printf '%s\n' "${members[@]}" | cpio -o --quiet --reproducible -H bin > ../bin.cpio)
put cpio_binary cpio "cpio -H bin" bin.cpio
(cd content && gcab -c -z ../cab.cab "${members[@]}")
put cab_mszip cab "gcab -z" cab.cab
(cd content && jlha a ../lzh.lzh "${members[@]}" >/dev/null)
put lzh_lh5 lzh,lha "jlha (jlha-utils)" lzh.lzh
(cd content && at_fixed_time arj a -y -i ../arj.arj "${members[@]}" >/dev/null)
put arj_default arj "arj" arj.arj

mkdir -p debroot/DEBIAN debroot/usr/share/doc/quodra-sample
cat > debroot/DEBIAN/control <<'CONTROL'
Package: quodra-sample
Version: 1.0
Architecture: all
Maintainer: Quodra Developers <dev@example.com>
Description: tiny package for the sample set
 It installs one text file.
CONTROL
cp content/readme.txt debroot/usr/share/doc/quodra-sample/readme.txt
find debroot -exec touch -h -d "$fixed_time" {} +
dpkg-deb --root-owner-group -Zxz --build debroot deb.deb >/dev/null
put deb_package deb "dpkg-deb --build" deb.deb

mkdir -p rpmtop/RECIPES
cat > rpmtop/RECIPES/sample.rpmrecipe <<'RECIPE'
Name: quodra-sample
Version: 1.0
Release: 1
Summary: Tiny package for the sample set
License: MIT
BuildArch: noarch
%description
It installs one text file.
%install
mkdir -p %{buildroot}/usr/share/quodra-sample
printf 'Quodra sample\n' > %{buildroot}/usr/share/quodra-sample/readme.txt
touch -d @1700000000 %{buildroot}/usr/share/quodra-sample/readme.txt
%files
/usr/share/quodra-sample/readme.txt
%changelog
* Tue Nov 14 2023 Quodra Developers <dev@example.com> - 1.0-1
- Sample package.
RECIPE
rpmbuild -bb --quiet --define "_topdir $work/rpmtop" --define "_buildhost samples.example.com" \
  --define "use_source_date_epoch_as_buildtime 1" --define "clamp_mtime_to_source_date_epoch 1" \
  --define "debug_package %{nil}" rpmtop/RECIPES/sample.rpmrecipe >/dev/null 2>&1
put rpm_package rpm "rpmbuild -bb" rpmtop/RPMS/noarch/quodra-sample-1.0-1.noarch.rpm

xorriso -as mkisofs -quiet -V QUODRA_SAMPLE -J -r -no-pad -o iso.iso content 2>/dev/null
put iso9660_joliet iso "xorriso -as mkisofs" iso.iso

# ---------------------------------------------------------------- documents
cat > doc.md <<'MD'
---
title: Quodra sample
author: Quodra Developers
date: 2023-11-14
lang: ja-JP
identifier: urn:uuid:6f0c8a52-2d5e-4c1a-9a39-1d5b5f0a7e11
---

# 見本の文書

A small document for the sample set. 日本語の一行。

- first point
- second point

# Second part

| name | value |
|------|-------|
| one  | 1     |
MD
at_fixed_time pandoc doc.md -o pandoc.docx
put docx_pandoc docx "pandoc" pandoc.docx
at_fixed_time pandoc doc.md -o pandoc.odt
put odt_pandoc odt "pandoc" pandoc.odt
at_fixed_time pandoc doc.md -o pandoc.pptx
put pptx_pandoc pptx "pandoc" pandoc.pptx
at_fixed_time pandoc doc.md -t epub3 -o pandoc.epub
put epub_pandoc epub "pandoc" pandoc.epub
pandoc doc.md -s -t rtf -o pandoc.rtf
put rtf_pandoc rtf "pandoc -s -t rtf" pandoc.rtf
pandoc doc.md -s -t html5 -o pandoc.html
put html5_pandoc html,htm "pandoc -s -t html5" pandoc.html

cat > doc.ms <<'MS'
.TL
Quodra sample
.AU
Quodra Developers
.PP
A small document for the sample set, typeset by groff.
.PP
Second paragraph.
MS
groff -ms -Tps doc.ms > groff.ps
put ps_groff ps "groff -Tps" groff.ps
groff -ms -Tdvi doc.ms > groff.dvi
put dvi_groff dvi "groff -Tdvi" groff.dvi
at_fixed_time ps2pdf -dPDFSETTINGS=/screen groff.ps gs.pdf
put pdf_ghostscript pdf "groff -Tps | ps2pdf (Ghostscript)" gs.pdf
groff -ms -Tpdf doc.ms > groff.pdf
put pdf_groff pdf "groff -Tpdf (gropdf)" groff.pdf

printf 'name,value,note\none,1,first\ntwo,2,second\nthree,3,third\n' > sheet.csv
at_fixed_time ssconvert -T Gnumeric_Excel:excel_biff8 sheet.csv gnumeric.xls >/dev/null 2>&1
put xls_biff8 xls "ssconvert (Gnumeric)" gnumeric.xls
at_fixed_time ssconvert -T Gnumeric_Excel:xlsx2 sheet.csv gnumeric.xlsx >/dev/null 2>&1
put xlsx_gnumeric xlsx "ssconvert (Gnumeric)" gnumeric.xlsx
at_fixed_time ssconvert -T Gnumeric_OpenCalc:odf sheet.csv gnumeric.ods >/dev/null 2>&1
put ods_gnumeric ods "ssconvert (Gnumeric)" gnumeric.ods

cat > sample.wxs <<'WXS'
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="8d1b2c36-4a44-4b8f-9d0e-0b7d2a4f5c61" Name="Quodra Sample" Language="1033" Version="1.0.0"
           Manufacturer="Quodra Developers" UpgradeCode="2f6e2b3a-7c55-4d1e-8a0f-3c9b1e4d7a20">
    <Package Id="5b0f6e1c-93a2-4d57-b1c8-6e2a9f4d3b70" InstallerVersion="200" Compressed="yes"
             Description="Sample installer" Comments="Made for the sample set"/>
    <Media Id="1" Cabinet="sample.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="QuodraSample">
          <Component Id="ReadMe" Guid="c3a1d7e2-5f60-4b9e-8d21-7a4c6e0f1b93">
            <File Id="ReadMeFile" Name="readme.txt" Source="content/readme.txt"/>
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Main" Level="1"><ComponentRef Id="ReadMe"/></Feature>
  </Product>
</Wix>
WXS
at_fixed_time wixl -o wixl.msi sample.wxs
put msi_wixl msi "wixl (msitools)" wixl.msi

mkdir -p chm
cat > chm/index.html <<'HTML'
<html><head><title>Quodra sample</title></head>
<body><h1>Quodra sample</h1><p>A small help page for the sample set.</p></body></html>
HTML
cat > chm/sample.hhp <<'HHP'
[OPTIONS]
Compiled file=sample.chm
Default topic=index.html
Title=Quodra sample
Language=0x409 English (United States)

[FILES]
index.html
HHP
(cd chm && at_fixed_time chmcmd --no-html-scan sample.hhp >/dev/null 2>&1)
put chm_chmcmd chm "chmcmd (Free Pascal)" chm/sample.chm

cjb2 base.pbm bitonal.djvu
put djvu_bitonal djvu,djv "cjb2 (DjVuLibre)" bitonal.djvu
c44 base.ppm photo.djvu
put djvu_photo djvu,djv "c44 (DjVuLibre)" photo.djvu

# ---------------------------------------------------------------- programs and data
cat > hello.c <<'C'
/* Prints a greeting: the smallest useful program for the sample set. */
#include <stdio.h>
int main(void) { puts("Quodra sample"); return 0; }
C
cat > hello_window.c <<'C'
/* Shows a message box: a window-subsystem program for the sample set. */
#include <windows.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d)
{ (void)a; (void)b; (void)c; (void)d; return MessageBoxA(NULL, "Quodra sample", "Sample", MB_OK) ? 0 : 1; }
C
cat > library.c <<'C'
/* One exported function: a dynamic library for the sample set. */
__declspec(dllexport) int sample_add(int a, int b) { return a + b; }
C
# shellcheck disable=SC2054
mingw_fixed=(-O2 -s -Wl,--no-insert-timestamp)
i686-w64-mingw32-gcc "${mingw_fixed[@]}" hello.c -o exe32.exe
put exe_win32_console exe "i686-w64-mingw32-gcc (MinGW-w64)" exe32.exe
i686-w64-mingw32-gcc "${mingw_fixed[@]}" -mwindows hello_window.c -o exe32_gui.exe
put exe_win32_window exe "i686-w64-mingw32-gcc -mwindows (MinGW-w64)" exe32_gui.exe
x86_64-w64-mingw32-gcc "${mingw_fixed[@]}" hello.c -o exe64.exe
put exe_win64_console exe "x86_64-w64-mingw32-gcc (MinGW-w64)" exe64.exe
i686-w64-mingw32-gcc "${mingw_fixed[@]}" -shared library.c -o dll32.dll
put dll_win32 dll "i686-w64-mingw32-gcc -shared (MinGW-w64)" dll32.dll
x86_64-w64-mingw32-gcc "${mingw_fixed[@]}" -shared library.c -o dll64.dll
put dll_win64 dll "x86_64-w64-mingw32-gcc -shared (MinGW-w64)" dll64.dll

# The Windows metafile, the GDI enhanced metafile and the shell link come from the system's own writers
# (Wine's gdi32 and shell32), driven by a small program.
cat > writers.c <<'C'
/* Writes a metafile, an enhanced metafile and a shell link with the system's own writers. */
#define COBJMACROS
#include <windows.h>
#include <shlobj.h>
#include <objidl.h>

static void draw_sample(HDC dc)
{
  Rectangle(dc, 1, 1, 15, 15);
  MoveToEx(dc, 1, 1, NULL);
  LineTo(dc, 15, 15);
  TextOutA(dc, 3, 3, "Q", 1);
}

static int write_metafile(const char *path)
{
  HDC dc = CreateMetaFileA(path);
  if (!dc) return 0;
  draw_sample(dc);
  HMETAFILE done = CloseMetaFile(dc);
  if (!done) return 0;
  DeleteMetaFile(done);
  return 1;
}

static int write_enhanced_metafile(const char *path)
{
  RECT frame = {0, 0, 400, 400};
  HDC dc = CreateEnhMetaFileA(NULL, path, &frame, "Quodra\0Sample\0");
  if (!dc) return 0;
  draw_sample(dc);
  HENHMETAFILE done = CloseEnhMetaFile(dc);
  if (!done) return 0;
  DeleteEnhMetaFile(done);
  return 1;
}

static int write_link(const wchar_t *path)
{
  IShellLinkW *link = NULL;
  IPersistFile *file = NULL;
  int saved = 0;
  if (FAILED(CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkW, (void **)&link)))
    return 0;
  IShellLinkW_SetPath(link, L"C:\\Quodra\\sample\\readme.txt");
  IShellLinkW_SetDescription(link, L"Quodra sample link");
  IShellLinkW_SetWorkingDirectory(link, L"C:\\Quodra\\sample");
  if (SUCCEEDED(IShellLinkW_QueryInterface(link, &IID_IPersistFile, (void **)&file))) {
    saved = SUCCEEDED(IPersistFile_Save(file, path, TRUE));
    IPersistFile_Release(file);
  }
  IShellLinkW_Release(link);
  return saved;
}

int main(void)
{
  int ok = 1;
  CoInitialize(NULL);
  ok &= write_metafile("sample.wmf");
  ok &= write_enhanced_metafile("sample.emf");
  ok &= write_link(L"sample.lnk");
  CoUninitialize();
  return ok ? 0 : 1;
}
C
x86_64-w64-mingw32-gcc -O2 writers.c -o writers.exe -lgdi32 -lole32 -luuid -lshell32
mkdir -p wine_out
(
  export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cd wine_out
  /usr/lib/wine/wine64 ../writers.exe >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
)
put wmf_gdi wmf "Wine gdi32 CreateMetaFile (MinGW-w64 program)" wine_out/sample.wmf
put emf_gdi emf "Wine gdi32 CreateEnhMetaFile (MinGW-w64 program)" wine_out/sample.emf
put lnk_shell32 lnk "Wine shell32 IShellLink (MinGW-w64 program)" wine_out/sample.lnk

mkdir -p java
cat > java/Hello.java <<'JAVA'
/* Prints a greeting: the class and archive samples. */
public class Hello {
  public static void main(String[] args) { System.out.println("Quodra sample"); }
}
JAVA
javac --release 8 -g:none -d java java/Hello.java 2>/dev/null
put class_java8 class "javac --release 8" java/Hello.class
javac --release 17 -g:none -d java17 java/Hello.java
put class_java17 class "javac --release 17" java17/Hello.class
jar --create --file hello.jar --date=2023-11-14T22:13:20Z --main-class Hello -C java Hello.class
put jar_executable jar "jar (JDK)" hello.jar

mkdir -p apk/res/values apk/assets
cat > apk/AndroidManifest.xml <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<manifest package="com.example.quodrasample">
  <application/>
</manifest>
XML
printf '<?xml version="1.0" encoding="utf-8"?>\n<resources><string name="app_name">Sample</string></resources>\n' \
  > apk/res/values/strings.xml
cp content/readme.txt apk/assets/readme.txt
aapt package -f -M apk/AndroidManifest.xml -S apk/res -A apk/assets -F unaligned.apk >/dev/null 2>&1
zipalign -f 4 unaligned.apk aligned.apk
put apk_aapt apk "aapt package + zipalign" aligned.apk

printf 'def greet(name):\n    return "Hello, " + name\n\nprint(greet("Quodra"))\n' > greet.py
/usr/bin/python3 -c 'import py_compile; py_compile.compile("greet.py", cfile="greet.pyc", doraise=True,
  invalidation_mode=py_compile.PycInvalidationMode.CHECKED_HASH)'
put pyc_checked_hash pyc "python3 py_compile" greet.pyc

cat > add.wat <<'WAT'
(module
  (func $add (export "add") (param i32 i32) (result i32)
    local.get 0
    local.get 1
    i32.add))
WAT
wat2wasm add.wat -o add.wasm
put wasm_module wasm "wat2wasm (WABT)" add.wasm

sqlite3 sample.sqlite "CREATE TABLE item(id INTEGER PRIMARY KEY, name TEXT); \
  INSERT INTO item(name) VALUES ('one'), ('two');"
put sqlite3_database sqlite,sqlite3,db "sqlite3" sample.sqlite

printf '2023-11-14 22:13:20.000001\n0000 51 75 6f 64 72 61 20 73 61 6d 70 6c 65\n' > packet.txt
text2pcap -q -F pcap -t '%Y-%m-%d %H:%M:%S.' -e 0x800 -4 10.0.0.1,10.0.0.2 -u 1000,2000 packet.txt packet.pcap \
  >/dev/null 2>&1
put pcap_udp pcap,cap "text2pcap (Wireshark)" packet.pcap

# ---------------------------------------------------------------- fonts
glyphs="Quodra sample 0123456789"
dejavu=/usr/share/fonts/truetype/dejavu
pyftsubset "$dejavu/DejaVuSans.ttf" --text="$glyphs" --output-file=sans.ttf 2>/dev/null
put ttf_dejavu_subset ttf "pyftsubset (fonttools)" sans.ttf
pyftsubset /usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf --text="$glyphs" \
  --output-file=nimbus.otf 2>/dev/null
put otf_cff_subset otf "pyftsubset (fonttools)" nimbus.otf
pyftsubset "$dejavu/DejaVuSans.ttf" --text="$glyphs" --flavor=woff --output-file=sans.woff 2>/dev/null
put woff_subset woff "pyftsubset --flavor=woff (fonttools)" sans.woff
pyftsubset "$dejavu/DejaVuSans.ttf" --text="$glyphs" --flavor=woff2 --output-file=sans.woff2 2>/dev/null
put woff2_subset woff2 "pyftsubset --flavor=woff2 (fonttools, brotli)" sans.woff2
pyftsubset "$dejavu/DejaVuSerif.ttf" --text="$glyphs" --output-file=serif.ttf 2>/dev/null
/usr/bin/python3 -c 'from fontTools.ttLib import TTFont
from fontTools.ttLib.ttCollection import TTCollection
collection = TTCollection()
collection.fonts = [TTFont("sans.ttf"), TTFont("serif.ttf")]
collection.save("pair.ttc")'
put ttc_pair ttc "fonttools TTCollection" pair.ttc

# ---------------------------------------------------------------- text kinds (written here: they are text)
printf 'Quodra sample text.\nPlain ASCII, two lines.\n' > ascii.txt
put txt_ascii txt "written by this script (text)" ascii.txt
printf 'これは見本のテキストです。\n日本語の文章が二行あります。\n' > utf8.txt
put txt_utf8 txt "written by this script (text)" utf8.txt
{ printf '\357\273\277'; cat utf8.txt; } > utf8_bom.txt
put txt_utf8_bom txt "written by this script (text)" utf8_bom.txt
iconv -f UTF-8 -t SHIFT_JIS utf8.txt > sjis.txt
put txt_shift_jis txt "iconv -t SHIFT_JIS" sjis.txt
cat > page.html <<'HTML'
<html>
<head><title>Quodra sample</title></head>
<body><p>A hand-written page without a document type line.</p></body>
</html>
HTML
put html_plain html,htm "written by this script (text)" page.html
cat > data.xml <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<catalog>
  <item id="1">one</item>
  <item id="2">two</item>
</catalog>
XML
put xml_catalog xml "written by this script (text)" data.xml
printf '{"name": "Quodra sample", "items": [1, 2, 3], "nested": {"ok": true}}' \
  | /usr/bin/python3 -m json.tool > data.json
put json_object json "python3 -m json.tool" data.json
printf '#!/bin/sh\n# Prints a greeting.\necho "Quodra sample"\n' > script.sh
put script_sh sh "written by this script (text)" script.sh
# shellcheck disable=SC2016  # the script's own variable
printf '#!/bin/bash\nset -e\nfor n in 1 2 3; do echo "$n"; done\n' > script_bash.sh
put script_bash sh,bash "written by this script (text)" script_bash.sh
printf '#!/usr/bin/env python3\n"""Prints a greeting."""\nprint("Quodra sample")\n' > script.py
put script_python py "written by this script (text)" script.py
printf '#!/usr/bin/perl\nuse strict;\nuse warnings;\nprint "Quodra sample\\n";\n' > script.pl
put script_perl pl "written by this script (text)" script.pl
printf '#!/usr/bin/env ruby\n# Prints a greeting.\nputs "Quodra sample"\n' > script.rb
put script_ruby rb "written by this script (text)" script.rb
cat > mail.eml <<'EML'
Return-Path: <samples@example.com>
Received: from mail.example.com (mail.example.com [192.0.2.1])
	by mx.example.com with ESMTP id 12345
	for <dev@example.com>; Tue, 14 Nov 2023 22:13:20 +0000
From: Quodra Samples <samples@example.com>
To: Developer <dev@example.com>
Subject: Sample message
Date: Tue, 14 Nov 2023 22:13:20 +0000
Message-ID: <sample-1@example.com>
MIME-Version: 1.0
Content-Type: text/plain; charset=UTF-8
Content-Transfer-Encoding: 8bit

A small message for the sample set.
EML
put eml_received eml "written by this script (text)" mail.eml
/usr/bin/python3 - <<'PY'
from email.message import EmailMessage
from email.utils import formatdate
message = EmailMessage()
message["From"] = "Quodra Samples <samples@example.com>"
message["To"] = "Developer <dev@example.com>"
message["Subject"] = "Sample message with an attachment"
message["Date"] = formatdate(1700000000, usegmt=True)
message["Message-ID"] = "<sample-2@example.com>"
message.set_content("A small message for the sample set.\n")
message.add_attachment(b"attached bytes\n", maintype="application", subtype="octet-stream",
                       filename="data.bin")
message.set_boundary("sample-boundary")
with open("mime.eml", "wb") as out:
    out.write(bytes(message))
PY
put eml_mime eml "python3 email package" mime.eml
cat > card.vcf <<'VCF'
BEGIN:VCARD
VERSION:3.0
N:Sample;Quodra;;;
FN:Quodra Sample
EMAIL;TYPE=INTERNET:samples@example.com
END:VCARD
VCF
put vcard_30 vcf,vcard "written by this script (text)" card.vcf
cat > event.ics <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Quodra//Sample//EN
BEGIN:VEVENT
UID:sample-1@example.com
DTSTAMP:20231114T221320Z
DTSTART:20231115T090000Z
SUMMARY:Sample event
END:VEVENT
END:VCALENDAR
ICS
put ics_event ics "written by this script (text)" event.ics

# ---------------------------------------------------------------- more images (the drawing and pictures above)
opj_compress -n 3 -i base.ppm -o j2k.j2k >/dev/null
put j2k_openjpeg j2k,j2c,jpc "opj_compress (OpenJPEG codestream)" j2k.j2k
cjxl -q 90 base.png jxl.jxl >/dev/null 2>&1
put jxl_cjxl jxl "cjxl (libjxl)" jxl.jxl
convert base.png -strip dds:dds.dds
put dds_imagemagick dds "ImageMagick convert" dds.dds
ppmtopict base.ppm > pict.pict 2>/dev/null
put pict_netpbm pct,pict "netpbm ppmtopict" pict.pict
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=eps2write -sOutputFile=eps.eps drawing.ps
put eps_ghostscript eps,epsf,epsi "Ghostscript (eps2write)" eps.eps
convert base.png -strip fits:fits.fits
put fits_imagemagick fits,fit,fts "ImageMagick convert" fits.fits
png2icns icns.icns base_alpha.png >/dev/null 2>&1 || true
put icns_png2icns icns "png2icns (icnsutils)" icns.icns
ppmtoilbm base.ppm > ilbm.iff 2>/dev/null
put ilbm_netpbm iff,ilbm,lbm "netpbm ppmtoilbm" ilbm.iff
pnmtorast base.ppm > sun.ras 2>/dev/null
put sun_raster_netpbm sun,ras "netpbm pnmtorast" sun.ras
convert base.png -strip xpm:xpm.xpm
put xpm_imagemagick xpm "ImageMagick convert" xpm.xpm
convert base.png -strip mng:mng.mng
put mng_imagemagick mng "ImageMagick convert" mng.mng
ffmpeg -hide_banner -loglevel error -y -i base.png -flags +bitexact -update 1 -c:v qoi qoi.qoi
put qoi_ffmpeg qoi "ffmpeg (qoi)" qoi.qoi
ffmpeg -hide_banner -loglevel error -y -i base.png -flags +bitexact -update 1 -c:v sgi -f image2 sgi.sgi
put sgi_ffmpeg sgi,rgb "ffmpeg (sgi)" sgi.sgi
convert base.png -monochrome pbm:mono.pbm
cjb2 mono.pbm page1.djvu
cjb2 mono.pbm page2.djvu
djvm -c multi.djvu page1.djvu page2.djvu
put djvu_multipage djvu,djv "djvm (DjVuLibre)" multi.djvu
# ---------------------------------------------------------------- more sound and video
ff tone.ac3 -vn -c:a ac3 -b:a 64k -f ac3
put ac3_ffmpeg ac3 "ffmpeg (ac3)" tone.ac3
ff tone.dts -vn -c:a dca -strict -2 -ar 44100 -f dts
put dts_ffmpeg dts "ffmpeg (dca)" tone.dts
ff tone.aac -vn -c:a aac -b:a 32k -f adts
put aac_adts aac,adts "ffmpeg (adts muxer, aac)" tone.aac
ff tone.m4b -vn -c:a aac -b:a 32k -f ipod -brand "M4B "
put m4b_aac m4b "ffmpeg (ipod muxer, M4B brand)" tone.m4b
ffav 3g2.3g2 -vf scale=128:96 -c:v h263 -c:a aac -b:a 24k -ar 22050 -f 3g2
put 3g2_h263 3g2,3gp2 "ffmpeg (3g2 muxer, h263, aac)" 3g2.3g2
speexenc --quiet tone.wav tone.spx
put speex_ogg spx,ogg,oga "speexenc" tone.spx
flac --silent --ogg --serial-number=1 -o tone.oga tone.wav
put flac_ogg oga,ogg "flac --ogg" tone.oga
ff theora.ogv -c:v libtheora -f ogg
put ogv_theora ogv,ogg "ffmpeg (ogg muxer, libtheora)" theora.ogv
wavpack -q -y tone.wav -o tone.wv
put wavpack_pcm wv "wavpack" tone.wv
sox -R -D tone.wav -r 44100 -c 2 tone44.wav
mpcenc --silent tone44.wav tone.mpc
put musepack_sv8 mpc "mpcenc (musepack-tools)" tone.mpc
ff tone.tta -vn -c:a tta -f tta
put tta_ffmpeg tta "ffmpeg (tta)" tone.tta
ff dv.dv -vf scale=720:576 -c:v dvvideo -pix_fmt yuv420p -frames:v 1 -f dv
put dv_pal dv "ffmpeg (dv muxer)" dv.dv
ff mxf.mxf -vf scale=64:64 -c:v mpeg2video -f mxf
put mxf_mpeg2 mxf "ffmpeg (mxf muxer, mpeg2video)" mxf.mxf
ffav nut.nut -c:v mpeg4 -c:a pcm_s16le -f nut
put nut_mpeg4 nut "ffmpeg (nut muxer)" nut.nut
ff ivf.ivf -c:v libvpx -deadline realtime -cpu-used 8 -f ivf
put ivf_vp8 ivf "ffmpeg (ivf muxer, libvpx)" ivf.ivf
ff y4m.y4m -pix_fmt yuv420p -f yuv4mpegpipe
put y4m_raw y4m "ffmpeg (yuv4mpegpipe)" y4m.y4m
ff mp2.mp2 -vn -c:a mp2 -b:a 64k -f mp2
put mp2_ffmpeg mp2,mpa "ffmpeg (mp2)" mp2.mp2
sox -R -D tone.wav -t 8svx tone.8svx
put 8svx_sox svx,8svx,iff "sox (-t 8svx)" tone.8svx
sox -R -D tone.wav -t voc tone.voc
put voc_sox voc "sox (-t voc)" tone.voc
ff tone.caf -vn -c:a pcm_s16be -f caf
put caf_ffmpeg caf "ffmpeg (caf muxer)" tone.caf
ffmpeg -hide_banner -loglevel error -y "${video_in[@]}" -frames:v 3 -c:v mpeg2video -f hls -hls_time 1 \
  -hls_segment_filename 'hls%d.ts' "${exact[@]}" hls.m3u8
put m3u8_hls m3u8,m3u "ffmpeg (hls muxer)" hls.m3u8
printf '1\n00:00:00,000 --> 00:00:01,000\nQuodra sample subtitle\n\n' > in.srt
ffmpeg -hide_banner -loglevel error -y -i in.srt -f srt "${exact[@]}" sub.srt
put srt_ffmpeg srt "ffmpeg (srt muxer)" sub.srt
ffmpeg -hide_banner -loglevel error -y -i in.srt -f webvtt "${exact[@]}" sub.vtt
put vtt_ffmpeg vtt "ffmpeg (webvtt muxer)" sub.vtt
ffmpeg -hide_banner -loglevel error -y -i in.srt -f ass "${exact[@]}" sub.ass
put ass_ffmpeg ass,ssa "ffmpeg (ass muxer)" sub.ass
# ---------------------------------------------------------------- more archives, disks and packages
(cd content && ar rcD ../ar.a readme.txt docs/notes.txt)
put ar_archive a,ar "ar (binutils, deterministic)" ar.a
lz4 -q -9 -c content/readme.txt > lz4.lz4
put lz4_frame lz4 "lz4" lz4.lz4
lzop -9 -n -c content/readme.txt > lzo.lzo
put lzop_text lzo "lzop" lzo.lzo
lrzip -q -o lrz.lrz content/readme.txt >/dev/null 2>&1
put lrzip_text lrz "lrzip" lrz.lrz
mksquashfs content sqsh.sqsh -quiet -no-progress -noappend >/dev/null
put squashfs_image sqsh,squashfs,sfs "mksquashfs (squashfs-tools)" sqsh.sqsh
# Small clusters keep the empty images small (a VHDX image has 8 MB of log and tables at least: left out).
qemu-img create -q -f qcow2 -o cluster_size=512 disk.qcow2 1M
qemu-img create -q -f qed -o cluster_size=4096,table_size=1 disk.qed 1M
for disk in vdi:vdi vpc:vhd vmdk:vmdk; do
  qemu-img create -q -f "${disk%%:*}" "disk.${disk##*:}" 1M
done
put qcow2_qemu qcow2,qcow "qemu-img create -f qcow2 (512-byte clusters)" disk.qcow2
put qed_qemu qed "qemu-img create -f qed (small tables)" disk.qed
put vdi_qemu vdi "qemu-img create -f vdi" disk.vdi
put vhd_qemu vhd,vpc "qemu-img create -f vpc" disk.vhd
put vmdk_qemu vmdk "qemu-img create -f vmdk" disk.vmdk
at_fixed_time wimcapture content wim.wim --compress=lzx >/dev/null
put wim_wimtools wim,swm "wimcapture (wimtools)" wim.wim
(cd content && par2 create -q -q ../recovery.par2 readme.txt >/dev/null)
put par2_index par2 "par2 create" recovery.par2
(cd content && dar -Q -c ../sample -R . -z9 >/dev/null)
put dar_archive dar "dar" sample.1.dar
# ---------------------------------------------------------------- programs of other systems, catalogs, keys
cat > lib.c <<'C'
int quodra_add(int a, int b) { return a + b; }
C
gcc -O2 -c -o lib.o lib.c
put elf_object o "gcc -c (ELF relocatable)" lib.o
gcc -O2 -shared -fPIC -Wl,--build-id=none -o lib.so lib.c
put elf_shared_library so "gcc -shared (ELF shared object)" lib.so
cat > hello.po <<'PO'
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Language: ja\n"

msgid "Hello"
msgstr "こんにちは"
PO
msgfmt -o hello.mo hello.po
put mo_catalog mo,gmo "msgfmt (gettext)" hello.mo
# Keys, certificates and signatures: the tools draw fresh random keys, so these differ on every run.
openssl req -x509 -newkey rsa:1024 -nodes -keyout key.pem -subj "/CN=Quodra sample" -days 1 -out cert.pem 2>/dev/null
put x509_cert_pem pem,crt,cer "openssl req -x509" cert.pem
openssl x509 -in cert.pem -outform DER -out cert.der
put x509_cert_der cer,der,crt "openssl x509 -outform DER" cert.der
mkdir -p ca/newcerts && : > ca/index.txt && echo 01 > ca/crlnumber
cat > ca.cnf <<'CNF'
[ ca ]
default_ca = sample
[ sample ]
database = ca/index.txt
crlnumber = ca/crlnumber
default_md = sha256
default_crl_days = 1
CNF
openssl ca -config ca.cnf -gencrl -keyfile key.pem -cert cert.pem -out crl.pem 2>/dev/null
put x509_crl_pem crl,pem "openssl ca -gencrl" crl.pem
put pem_private_key pem,key "openssl req -newkey (PKCS#8 key)" key.pem
export GNUPGHOME=$work/gnupg
mkdir -m 700 -p "$GNUPGHOME"
gpg -q --batch --passphrase '' --quick-gen-key "Quodra Sample <samples@example.com>" ed25519 sign never 2>/dev/null
gpg -q --batch --export > key.gpg
put pgp_public_key gpg,pgp,pkr "gpg --export" key.gpg
gpg -q --batch --armor --export > key.asc
put pgp_public_key_armored asc,gpg,pgp "gpg --armor --export" key.asc
gpg -q --batch --detach-sign -o sig.sig content/readme.txt
put pgp_signature sig,gpg,pgp "gpg --detach-sign" sig.sig
gpg -q --batch --armor --detach-sign -o sig.asc content/readme.txt
put pgp_signature_armored asc,sig "gpg --armor --detach-sign" sig.asc
gpg -q --batch --passphrase sample --pinentry-mode loopback -c -o msg.gpg content/readme.txt
put pgp_encrypted gpg,pgp "gpg -c" msg.gpg
gpg -q --batch --passphrase sample --pinentry-mode loopback --armor -c -o msg.asc content/readme.txt
put pgp_encrypted_armored asc,gpg,pgp "gpg --armor -c" msg.asc
gpgconf --kill all 2>/dev/null || true
keytool -genkeypair -storetype JKS -keystore store.jks -storepass sample -keypass sample -alias sample \
  -keyalg RSA -keysize 1024 -dname "CN=Quodra sample" -validity 1 >/dev/null 2>&1
put jks_keystore jks,ks "keytool -storetype JKS" store.jks
keytool -genkeypair -storetype JCEKS -keystore store.jceks -storepass sample -keypass sample -alias sample \
  -keyalg RSA -keysize 1024 -dname "CN=Quodra sample" -validity 1 >/dev/null 2>&1
put jceks_keystore jceks "keytool -storetype JCEKS" store.jceks
# ---------------------------------------------------------------- more fonts, and files Debian packages ship
t1ascii /usr/share/fonts/type1/urw-base35/StandardSymbolsPS.t1 symbols.pfa
put type1_pfa pfa "t1ascii (t1utils) of fonts-urw-base35's StandardSymbolsPS" symbols.pfa
t1binary symbols.pfa symbols.pfb
put type1_pfb pfb "t1binary (t1utils) of fonts-urw-base35's StandardSymbolsPS" symbols.pfb
gzip -dc /usr/share/fonts/X11/misc/micro.pcf.gz > micro.pcf
put pcf_font pcf "xfonts-base (micro.pcf.gz, unpacked)" micro.pcf
pcf2bdf -o micro.bdf micro.pcf
put bdf_font bdf "pcf2bdf of xfonts-base's micro" micro.bdf
gzip -dc /usr/share/consolefonts/Lat2-Terminus16.psf.gz > console.psf
put psf_console_font psf "kbd (Lat2-Terminus16.psf.gz, unpacked)" console.psf
cp "$(ls /usr/share/ghostscript/*/iccprofiles/default_rgb.icc | head -1)" rgb.icc
put icc_profile icc,icm "Ghostscript's default_rgb.icc" rgb.icc

# ---------------------------------------------------------------- sounds of other systems (sox, through libsndfile for some)
for kind in sph:sph avr:avr maud:maud wve:wve smp:smp ircam:sf sndt:snd prc:prc w64:w64 mat5:mat pvf:pvf xi:xi \
  paf:paf sds:sds; do
  sox -V1 -R -D tone.wav -t "${kind%%:*}" "sox_tone.${kind##*:}"
done
put sph_sox sph,nist,wav "sox (-t sph)" sox_tone.sph
put avr_sox avr "sox (-t avr)" sox_tone.avr
put maud_sox maud "sox (-t maud)" sox_tone.maud
put wve_sox wve "sox (-t wve)" sox_tone.wve
put smp_sox smp "sox (-t smp)" sox_tone.smp
put ircam_sox sf,ircam "sox (-t ircam)" sox_tone.sf
put sndt_sox snd,sndt "sox (-t sndt)" sox_tone.snd
put prc_sox prc "sox (-t prc)" sox_tone.prc
put w64_sox w64 "sox (-t w64)" sox_tone.w64
put mat5_sox mat "sox (-t mat5, libsndfile)" sox_tone.mat
put pvf_sox pvf "sox (-t pvf, libsndfile)" sox_tone.pvf
put xi_sox xi "sox (-t xi, libsndfile)" sox_tone.xi
put paf_sox paf "sox (-t paf, libsndfile)" sox_tone.paf
put sds_sox sds,syx "sox (-t sds, libsndfile)" sox_tone.sds
# ---------------------------------------------------------------- more pictures from ImageMagick and ffmpeg
for kind in miff:miff viff:viff xwd:xwd xbm:xbm dpx:dpx cin:cin hdr:hdr pfm:pfm pam:pam jng:jng dcx:dcx \
  vicar:vic sixel:six pcl:pcl pict:pict; do
  convert base.png -strip "${kind%%:*}:im_picture.${kind##*:}"
done
put miff_imagemagick miff "ImageMagick convert" im_picture.miff
put viff_imagemagick viff,xv "ImageMagick convert" im_picture.viff
put xwd_imagemagick xwd "ImageMagick convert" im_picture.xwd
put xbm_imagemagick xbm "ImageMagick convert" im_picture.xbm
put dpx_imagemagick dpx "ImageMagick convert" im_picture.dpx
put cineon_imagemagick cin "ImageMagick convert" im_picture.cin
put hdr_imagemagick hdr "ImageMagick convert" im_picture.hdr
put pfm_imagemagick pfm "ImageMagick convert" im_picture.pfm
put pam_imagemagick pam "ImageMagick convert" im_picture.pam
put jng_imagemagick jng "ImageMagick convert" im_picture.jng
put dcx_imagemagick dcx "ImageMagick convert" im_picture.dcx
put vicar_imagemagick vic,vicar,img "ImageMagick convert" im_picture.vic
put sixel_imagemagick six,sixel "ImageMagick convert" im_picture.six
put pcl_imagemagick pcl "ImageMagick convert" im_picture.pcl
put pict_imagemagick pct,pict "ImageMagick convert" im_picture.pict
# ---------------------------------------------------------------- more streams from ffmpeg
short_tone=(-f lavfi -i "sine=frequency=440:sample_rate=8000:duration=0.2")
ffmpeg -hide_banner -loglevel error -y "${short_tone[@]}" -c:a adpcm_yamaha -f mmf "${exact[@]}" tone.mmf
put smaf_ffmpeg mmf "ffmpeg (mmf muxer, Yamaha ADPCM)" tone.mmf
ffmpeg -hide_banner -loglevel error -y "${short_tone[@]}" -c:a adpcm_adx -f adx "${exact[@]}" tone.adx
put adx_ffmpeg adx "ffmpeg (adx)" tone.adx
ffmpeg -hide_banner -loglevel error -y "${short_tone[@]}" -c:a pcm_s16be_planar -f ast "${exact[@]}" tone.ast
put ast_ffmpeg ast "ffmpeg (ast muxer)" tone.ast
ffmpeg -hide_banner -loglevel error -y "${short_tone[@]}" -c:a libcodec2 -mode 3200 -f codec2 "${exact[@]}" tone.c2
put codec2_ffmpeg c2 "ffmpeg (libcodec2)" tone.c2
ff roq.roq -vf scale=32:32 -c:v roqvideo -f roq
put roq_ffmpeg roq "ffmpeg (roq muxer)" roq.roq
ff smjpeg.mjpg -c:v mjpeg -f smjpeg
put smjpeg_ffmpeg mjpg,smjpeg "ffmpeg (smjpeg muxer)" smjpeg.mjpg
ff wtv.wtv -c:v mpeg2video -f wtv
put wtv_ffmpeg wtv "ffmpeg (wtv muxer)" wtv.wtv
ff video.m4v -c:v mpeg4 -f m4v
put mpeg4_elementary m4v,mp4v "ffmpeg (m4v muxer, mpeg4)" video.m4v
ff video.264 -c:v libx264 -preset ultrafast -f h264
put h264_elementary h264,264 "ffmpeg (h264 muxer, libx264)" video.264
ff video.265 -c:v libx265 -preset ultrafast -x265-params log-level=none -f hevc
put hevc_elementary hevc,h265,265 "ffmpeg (hevc muxer, libx265)" video.265
# ---------------------------------------------------------------- drawings and models
pstoedit -q -f fig drawing.ps drawing.fig >/dev/null 2>&1
put fig_pstoedit fig "pstoedit -f fig" drawing.fig
pstoedit -q -f dxf drawing.ps drawing.dxf >/dev/null 2>&1
put dxf_pstoedit dxf "pstoedit -f dxf" drawing.dxf
cat > tetra.obj <<'OBJ'
# A tetrahedron
o tetra
v 0 0 0
v 1 0 0
v 0 1 0
v 0 0 1
f 1 3 2
f 1 2 4
f 1 4 3
f 2 3 4
OBJ
for kind in glb2:glb 3ds:3ds stl:stl ply:ply x:x fbx:fbx; do
  assimp export tetra.obj "model.${kind##*:}" "-f${kind%%:*}" >/dev/null
done
put gltf_binary_assimp glb "assimp export -fglb2" model.glb
put 3ds_assimp 3ds "assimp export -f3ds" model.3ds
put stl_ascii_assimp stl "assimp export -fstl" model.stl
put ply_ascii_assimp ply "assimp export -fply" model.ply
put directx_x_assimp x "assimp export -fx" model.x
put fbx_binary_assimp fbx "assimp export -ffbx" model.fbx
# ---------------------------------------------------------------- XML dialects and other texts (written here: they are text)
cat > feed.rss <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0">
  <channel>
    <title>Quodra samples</title>
    <link>http://example.com/</link>
    <description>News of the sample set</description>
    <item><title>First item</title><link>http://example.com/1</link></item>
  </channel>
</rss>
XML
put rss_feed rss,xml "written by this script (text)" feed.rss
cat > feed.atom <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
  <title>Quodra samples</title>
  <id>urn:uuid:60a76c80-d399-11d9-b93C-0003939e0af6</id>
  <updated>2023-11-14T22:13:20Z</updated>
  <entry><title>First entry</title><id>urn:uuid:1225c695-cfb8-4ebb-aaaa-80da344efa6a</id>
    <updated>2023-11-14T22:13:20Z</updated></entry>
</feed>
XML
put atom_feed atom,xml "written by this script (text)" feed.atom
cat > list.xspf <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<playlist version="1" xmlns="http://xspf.org/ns/0/">
  <trackList>
    <track><location>file:///music/tone.ogg</location><title>Tone</title></track>
  </trackList>
</playlist>
XML
put xspf_playlist xspf "written by this script (text)" list.xspf
cat > marks.xbel <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xbel PUBLIC "+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML" "http://www.python.org/topics/xml/dtds/xbel-1.0.dtd">
<xbel version="1.0">
  <bookmark href="http://example.com/"><title>Example</title></bookmark>
</xbel>
XML
put xbel_bookmarks xbel "written by this script (text)" marks.xbel
cat > strings.xlf <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<xliff version="1.2" xmlns="urn:oasis:names:tc:xliff:document:1.2">
  <file source-language="en" target-language="ja" datatype="plaintext" original="greet.c">
    <body><trans-unit id="1"><source>Hello</source><target>こんにちは</target></trans-unit></body>
  </file>
</xliff>
XML
put xliff_strings xlf,xliff "written by this script (text)" strings.xlf
cat > file.meta4 <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<metalink xmlns="urn:ietf:params:xml:ns:metalink">
  <file name="sample.tar.gz">
    <size>14471447</size>
    <url>http://example.com/sample.tar.gz</url>
  </file>
</metalink>
XML
put metalink4_file meta4,metalink "written by this script (text)" file.meta4
cat > show.smil <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<smil xmlns="http://www.w3.org/ns/SMIL" version="3.0">
  <body><seq><img src="base.png" dur="2s"/><audio src="tone.wav"/></seq></body>
</smil>
XML
put smil_show smil,smi,sml "written by this script (text)" show.smil
cat > window.ui <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<interface>
  <requires lib="gtk" version="4.0"/>
  <object class="GtkWindow" id="main">
    <property name="title">Sample</property>
  </object>
</interface>
XML
put gtk_builder_ui ui "written by this script (text)" window.ui
cat > page.xsl <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/"><html><body><xsl:value-of select="/doc/title"/></body></html></xsl:template>
</xsl:stylesheet>
XML
put xslt_stylesheet xsl,xslt "written by this script (text)" page.xsl
cat > people.ldif <<'LDIF'
version: 1

dn: cn=Quodra Sample,ou=people,dc=example,dc=com
objectClass: inetOrgPerson
cn: Quodra Sample
sn: Sample
mail: samples@example.com
LDIF
put ldif_entry ldif "written by this script (text)" people.ldif
cat > script.csh <<'CSH'
#!/bin/csh -f
set names = (one two three)
foreach name ($names)
  echo "name: $name"
end
CSH
put script_csh csh "written by this script (text)" script.csh

# ---------------------------------------------------------------- second and third variants of the common kinds
# The same tools on other inputs: a 40x24 grey picture with noise from a fixed seed, a two-colour 33x7 one;
# a stereo 44.1 kHz sound and an 8-bit 8 kHz one; a binary member in the archives.
convert -seed 7 -size 40x24 plasma:fractal -colorspace gray -depth 8 "${im_quiet[@]}" source_gray.png
convert -size 33x7 xc:white -fill black -draw 'rectangle 3,2 20,4' -depth 8 "${im_quiet[@]}" source_mono.png
for variant in gray mono; do
  for kind in png:png jpg:jpg gif:gif bmp:bmp tif:tif pcx:pcx psd:psd ppm:ppm pgm:pgm pbm:pbm sun:ras xpm:xpm \
    xbm:xbm xwd:xwd miff:miff viff:viff dpx:dpx pam:pam pfm:pfm fits:fits dds:dds jng:jng mng:mng hdr:hdr \
    cin:cin dcx:dcx vicar:vic sixel:six ico:ico sgi:sgi webp:webp jp2:jp2 tga:tga; do
    format=${kind%%:*}
    ext=${kind##*:}
    [ "$format" = tga ] && continue  # no magic number: not a kind to tell from the bytes
    convert "source_$variant.png" -strip "$format:var_${variant}.$ext"
  done
done
# name EXTENSIONS for each variant file made above
variant_exts=(png:png jpg:jpg,jpeg,jpe gif:gif bmp:bmp tif:tif,tiff pcx:pcx psd:psd ppm:ppm,pnm pgm:pgm,pnm
  pbm:pbm,pnm ras:sun,ras xpm:xpm xbm:xbm xwd:xwd miff:miff viff:viff,xv dpx:dpx pam:pam pfm:pfm fits:fits,fit,fts
  dds:dds jng:jng mng:mng hdr:hdr cin:cin dcx:dcx vic:vic,vicar,img six:six,sixel ico:ico sgi:sgi,rgb webp:webp
  jp2:jp2)
for variant in gray mono; do
  for entry in "${variant_exts[@]}"; do
    ext=${entry%%:*}
    put "${ext}_${variant}_imagemagick" "${entry##*:}" "ImageMagick convert ($variant picture)" "var_${variant}.$ext"
  done
done
sox -V1 -R -D -n -r 44100 -c 2 -b 16 source_stereo.wav synth 0.05 sine 300 sine 500
sox -V1 -R -D -n -r 8000 -c 1 -b 8 -e unsigned source_8bit.wav synth 0.2 square 200 vol 0.5
for variant in stereo 8bit; do
  for kind in wav:wav aiff:aiff aifc:aifc au:au flac:flac ogg:ogg 8svx:8svx voc:voc sph:sph avr:avr maud:maud \
    smp:smp sndt:snd ircam:sf w64:w64 caf:caf mat5:mat pvf:pvf paf:paf; do
    format=${kind%%:*}
    ext=${kind##*:}
    sox -V1 -R -D "source_$variant.wav" -t "$format" "var_${variant}.$ext"
  done
  wavpack -q -y "source_$variant.wav" -o "var_${variant}.wv"
  lame --silent -b 64 "source_$variant.wav" "var_${variant}.mp3"
  oggenc -Q -s 2 -o "var_${variant}.oga" "source_$variant.wav"
  ffmpeg -hide_banner -loglevel error -y -i "source_$variant.wav" -c:a aac -b:a 48k -f ipod "${exact[@]}" "var_${variant}.m4a"
  ffmpeg -hide_banner -loglevel error -y -i "source_$variant.wav" -c:a ac3 -b:a 96k -f ac3 "${exact[@]}" "var_${variant}.ac3"
  ffmpeg -hide_banner -loglevel error -y -i "source_$variant.wav" -c:a aac -b:a 48k -f adts "${exact[@]}" "var_${variant}.aac"
  ffmpeg -hide_banner -loglevel error -y -i "source_$variant.wav" -c:a tta -f tta "${exact[@]}" "var_${variant}.tta"
done
sound_exts=(wav:wav aiff:aif,aiff aifc:aifc,aif,aiff au:au,snd flac:flac ogg:ogg,oga 8svx:svx,8svx,iff voc:voc
  sph:sph,nist,wav avr:avr maud:maud smp:smp snd:snd,sndt sf:sf,ircam w64:w64 caf:caf mat:mat pvf:pvf paf:paf
  wv:wv mp3:mp3 oga:ogg,oga m4a:m4a ac3:ac3 aac:aac,adts tta:tta)
for variant in stereo 8bit; do
  for entry in "${sound_exts[@]}"; do
    ext=${entry%%:*}
    put "${ext}_${variant}_sound" "${entry##*:}" "sox, wavpack, lame, oggenc or ffmpeg ($variant sound)" "var_${variant}.$ext"
  done
done
# Archives of a different content: a binary member and a nested folder.
mkdir -p content2/data/nested
head -c 3000 base.ppm > content2/data/picture.bin
printf 'nested text\n' > content2/data/nested/note.txt
find content2 -exec touch -h -d "$fixed_time" {} +
members2=(data/picture.bin data/nested/note.txt)
(cd content2 && zip -q -X -6 ../var.zip "${members2[@]}")
(cd content2 && 7z a -bd -bso0 -mmt=1 -mx=1 ../var.7z "${members2[@]}")
tar --sort=name --mtime="$fixed_time" --owner=0 --group=0 --numeric-owner -C content2 -cf var.tar "${members2[@]}"
gzip -n -1 -c var.tar > var.tgz
bzip2 -1 -c var.tar > var.tbz2
xz -T1 -0 -c var.tar > var.txz
zstd -q -1 -c var.tar > var.tzst
lz4 -q -1 -c var.tar > var.tlz4
lzip -1 -c var.tar > var.tlz
lzop -1 -c var.tar > var.tlzo
(cd content2 && printf '%s\n' "${members2[@]}" | cpio -o --quiet --reproducible -H crc > ../var.cpio)
(cd content2 && ar rcD ../var.a "${members2[@]}")
(cd content2 && gcab -c ../var.cab "${members2[@]}")
(cd content2 && jlha a ../var.lzh "${members2[@]}" >/dev/null)
(cd content2 && at_fixed_time arj a -y -i ../var.arj "${members2[@]}" >/dev/null)
put zip_binary_member zip "zip -6" var.zip
put sevenzip_lzma_fast 7z "7z -mx=1" var.7z
put tar_of_binary tar "GNU tar" var.tar
put tar_gzip_fast gz,tgz,gzip "gzip -1" var.tgz
put tar_bzip2_fast bz2,tbz2 "bzip2 -1" var.tbz2
put tar_xz_fast xz,txz "xz -0" var.txz
put tar_zstd_fast zst,tzst "zstd -1" var.tzst
put tar_lz4_fast lz4 "lz4 -1" var.tlz4
put tar_lzip_fast lz,tlz "lzip -1" var.tlz
put tar_lzop_fast lzo "lzop -1" var.tlzo
put cpio_crc cpio "cpio -H crc" var.cpio
put ar_binary_member a,ar "ar" var.a
put cab_stored cab "gcab (no compression)" var.cab
put lzh_nested lzh,lha "jlha" var.lzh
put arj_nested arj "arj" var.arj

# ---------------------------------------------------------------- text kinds the text judge tells apart
# Documents pandoc writes from the same source text as above.
pandoc doc.md -s -t markdown -o doc_out.md
put markdown_pandoc md,markdown "pandoc -t markdown" doc_out.md
pandoc doc.md -s -t rst -o doc.rst
put rst_pandoc rst "pandoc -t rst" doc.rst
pandoc doc.md -s -t latex -o doc.tex
put latex_pandoc tex,ltx "pandoc -s -t latex" doc.tex
pandoc doc.md -s -t man -o doc.1
put troff_man_pandoc roff,1,man,tr,t "pandoc -s -t man" doc.1
pandoc doc.md -s -t docbook5 -o doc.dbk
put docbook_pandoc dbk,docbook,xml "pandoc -s -t docbook5" doc.dbk
pandoc doc.md -s -t fb2 -o doc.fb2
put fictionbook_pandoc fb2 "pandoc -t fb2" doc.fb2
pandoc doc.md -s -t opml -o doc.opml
put opml_pandoc opml "pandoc -s -t opml" doc.opml
pandoc doc.md -s -t ipynb -o doc.ipynb
put ipynb_pandoc ipynb "pandoc -t ipynb" doc.ipynb
pandoc doc.md -s -t html4 -o doc.xhtml
put xhtml_pandoc xhtml,xht,html,htm "pandoc -s -t html4 (XHTML 1.0)" doc.xhtml
printf '[{"id": "sample", "type": "book", "title": "Sample book", "author": [{"family": "Quodra"}], "issued": {"date-parts": [[2023]]}}]\n' > refs.json
pandoc -f csljson -t bibtex refs.json -o refs.bib
put bibtex_pandoc bib "pandoc -f csljson -t bibtex" refs.bib
# Source files, build files and data files that Debian packages ship.
cp /usr/share/doc/zlib1g-dev/examples/zpipe.c zpipe.c
put c_zlib_example c,h "zlib1g-dev (examples/zpipe.c)" zpipe.c
cp /usr/lib/python3.11/colorsys.py colorsys.py
put python_module py "libpython3.11-stdlib (colorsys.py)" colorsys.py
cp /usr/share/perl/5.36.0/Text/Abbrev.pm abbrev.pm
put perl_module pm,pl "perl-modules-5.36 (Text/Abbrev.pm)" abbrev.pm
cp /usr/share/pandoc/data/creole.lua creole.lua
put lua_pandoc_writer lua "pandoc-data (creole.lua)" creole.lua
cp /usr/share/doc/mawk/examples/qsort.awk qsort.awk
put awk_mawk_example awk "mawk (examples/qsort.awk)" qsort.awk
cp /usr/share/dpkg/buildtools.mk buildtools.mk
put makefile_dpkg mk,mak "dpkg-dev (buildtools.mk)" buildtools.mk
cp /usr/share/cmake-3.25/Modules/FindLua51.cmake findlua.cmake
put cmake_module cmake "cmake-data (FindLua51.cmake)" findlua.cmake
cp /usr/share/pandoc/data/translations/de.yaml de.yaml
put yaml_pandoc_translation yaml,yml "pandoc-data (translations/de.yaml)" de.yaml
cp java/Hello.java Hello.java
put java_source java "written by this script (compiled by javac above)" Hello.java
# Data made by tools: SQL, CSV and TSV from sqlite3, a catalog and its template from gettext, a patch from
# diff, a log from Python's logging, an INI file from Python's configparser, an mbox from Python's mailbox.
sqlite3 sample.sqlite .dump > dump.sql
put sql_sqlite_dump sql "sqlite3 .dump" dump.sql
sqlite3 -csv -header sample.sqlite "SELECT id, name, 'note, with a comma' AS note FROM item;" > items.csv
put csv_sqlite csv "sqlite3 -csv" items.csv
sqlite3 -tabs -header sample.sqlite "SELECT id, name, 'second column' AS note FROM item;" > items.tsv
put tsv_sqlite tsv,tab "sqlite3 -tabs" items.tsv
cat > greet.c <<'C'
#include <libintl.h>
#include <stdio.h>
#define _(text) gettext(text)
int main(void)
{
    printf("%s\n", _("Hello"));
    printf("%s\n", _("Goodbye"));
    return 0;
}
C
xgettext -k_ --package-name=quodra-sample --package-version=1.0 -o greet.pot greet.c
sed -i 's/^"POT-Creation-Date: .*/"POT-Creation-Date: 2023-11-14 22:13+0000\\n"/' greet.pot
put pot_xgettext pot "xgettext" greet.pot
msginit --no-translator -l ja_JP.UTF-8 -i greet.pot -o greet.po >/dev/null 2>&1
sed -i 's/^"PO-Revision-Date: .*/"PO-Revision-Date: 2023-11-14 22:13+0000\\n"/' greet.po
put po_msginit po "msginit (gettext)" greet.po
printf 'first version of the text\nsecond line\n' > old.txt
printf 'first version of the text, changed\nsecond line\n' > new.txt
diff -u --label old/readme.txt --label new/readme.txt old.txt new.txt > change.patch || true
put patch_diff patch,diff "diff -u" change.patch
uuencode readme.txt < content/readme.txt > readme_classic.uue
put uuencode_classic uue,uu "uuencode (sharutils)" readme_classic.uue
python3 - <<'PY'
import configparser, logging, mailbox, email.message, time
logging.Formatter.converter = time.gmtime
handler = logging.FileHandler("run.log", mode="w")
handler.setFormatter(logging.Formatter("%(asctime)s %(levelname)s %(name)s: %(message)s"))
log = logging.getLogger("quodra.sample")
log.addHandler(handler)
log.setLevel(logging.INFO)
stamp = logging.LogRecord("quodra.sample", logging.INFO, "", 0, "", None, None)
for level, text in [(logging.INFO, "started"), (logging.WARNING, "disk nearly full"), (logging.INFO, "copied 3 files"),
                    (logging.ERROR, "could not open the settings"), (logging.INFO, "finished")]:
    record = log.makeRecord("quodra.sample", level, "", 0, text, None, None)
    record.created = 1700000000.0
    record.msecs = 0
    log.handle(record)
config = configparser.ConfigParser()
config["General"] = {"language": "ja", "window_width": "640"}
config["Recent files"] = {"count": "2", "first": "C:\\data\\sample.txt"}
with open("settings.ini", "w") as out:
    config.write(out)
box = mailbox.mbox("mail.mbox")
for n, subject in enumerate(["First message", "Second message"]):
    message = email.message.EmailMessage()
    message["From"] = "sender@example.com"
    message["To"] = "samples@example.com"
    message["Subject"] = subject
    message["Date"] = "Tue, 14 Nov 2023 22:13:2%d +0000" % n
    message.set_content("Body of the message.\n")
    entry = mailbox.mboxMessage(message)
    entry.set_from("sender@example.com", time.gmtime(1700000000 + n))
    box.add(entry)
box.flush()
box.close()
PY
put log_python_logging log "Python logging" run.log
put ini_configparser ini,cfg,conf "Python configparser" settings.ini
put mbox_python mbox "Python mailbox" mail.mbox
ttx -q -o sans.ttx sans.ttf
put ttx_fonttools ttx "ttx (fonttools)" sans.ttx
cp rpmtop/RECIPES/sample.rpmrecipe sample.spec
put rpm_spec spec "written by this script (built by rpmbuild above)" sample.spec
# Program sources of the languages no Debian package above ships a small example of: written here, each the
# way its language is usually written.
cat > shapes.cpp <<'CPP'
#include <iostream>
#include <memory>
#include <vector>

namespace shapes {

class Shape {
public:
    virtual ~Shape() = default;
    virtual double area() const = 0;
};

class Square : public Shape {
public:
    explicit Square(double side) : side_(side) {}
    double area() const override { return side_ * side_; }

private:
    double side_;
};

}  // namespace shapes

int main()
{
    std::vector<std::unique_ptr<shapes::Shape>> all;
    all.push_back(std::make_unique<shapes::Square>(2.0));
    for (const auto &shape : all) std::cout << shape->area() << std::endl;
    return 0;
}
CPP
put cpp_source cpp,cc,cxx "written by this script (text)" shapes.cpp
cat > Program.cs <<'CS'
using System;
using System.Collections.Generic;

namespace Quodra.Sample
{
    public class Item
    {
        public string Name { get; set; }
        public int Count { get; set; }
    }

    public static class Program
    {
        public static void Main(string[] args)
        {
            var items = new List<Item> { new Item { Name = "one", Count = 1 } };
            foreach (var item in items)
            {
                Console.WriteLine($"{item.Name}: {item.Count}");
            }
        }
    }
}
CS
put csharp_source cs "written by this script (text)" Program.cs
cat > main.go <<'GO'
package main

import (
	"fmt"
	"os"
	"strings"
)

type item struct {
	name  string
	count int
}

func parse(line string) (item, error) {
	fields := strings.Fields(line)
	if len(fields) != 2 {
		return item{}, fmt.Errorf("bad line: %q", line)
	}
	return item{name: fields[0]}, nil
}

func main() {
	it, err := parse("one 1")
	if err != nil {
		fmt.Fprintln(os.Stderr, err)
		os.Exit(1)
	}
	defer fmt.Println("done")
	fmt.Println(it.name)
}
GO
put go_source go "written by this script (text)" main.go
cat > main.rs <<'RS'
use std::collections::HashMap;
use std::fmt;

#[derive(Debug, Clone)]
pub struct Item {
    name: String,
    count: u32,
}

impl fmt::Display for Item {
    fn fmt(&self, f: &mut fmt::Formatter) -> fmt::Result {
        write!(f, "{}: {}", self.name, self.count)
    }
}

fn count_words(text: &str) -> HashMap<&str, u32> {
    let mut counts = HashMap::new();
    for word in text.split_whitespace() {
        *counts.entry(word).or_insert(0) += 1;
    }
    counts
}

fn main() {
    let counts = count_words("one two two");
    let item = Item { name: "two".to_string(), count: *counts.get("two").unwrap() };
    println!("{}", item);
}
RS
put rust_source rs "written by this script (text)" main.rs
cat > list.js <<'JS'
'use strict';

const fs = require('fs');
const path = require('path');

function listFiles(folder) {
  return fs.readdirSync(folder)
    .map((name) => path.join(folder, name))
    .filter((file) => fs.statSync(file).isFile());
}

const folder = process.argv[2] === undefined ? '.' : process.argv[2];
for (const file of listFiles(folder)) {
  console.log(file);
}

module.exports = { listFiles };
JS
put javascript_source js,mjs "written by this script (text)" list.js
cat > store.ts <<'TS'
import { readFileSync } from "fs";

export interface Item {
  readonly name: string;
  count: number;
  tags?: string[];
}

type Store = Map<string, Item>;

export function load(path: string): Store {
  const items: Item[] = JSON.parse(readFileSync(path, "utf8"));
  const store: Store = new Map();
  for (const item of items) {
    store.set(item.name, item);
  }
  return store;
}

export function total(store: Store): number {
  let sum = 0;
  store.forEach((item: Item): void => {
    sum += item.count;
  });
  return sum;
}
TS
put typescript_source ts,mts "written by this script (text)" store.ts
cat > config.toml <<'TOML'
# Settings of the sample program
title = "Quodra sample"
version = 3

[window]
width = 640
height = 480
maximized = false

[[recent]]
path = "C:/data/sample.txt"
opened = 2023-11-14T22:13:20Z

[[recent]]
path = "C:/data/other.txt"
opened = 2023-11-13T08:00:00Z
TOML
put toml_config toml "written by this script (text)" config.toml

# ---------------------------------------------------------------- data files of other programs
printf 'id,name,score\n1,one,10\n2,two,20\n' > sheet.csv
ssconvert -T Gnumeric_sylk:sylk sheet.csv sheet.slk >/dev/null 2>&1
put sylk_gnumeric slk,sylk "ssconvert (Gnumeric, SYLK)" sheet.slk
ssconvert -T Gnumeric_dif:dif sheet.csv sheet.dif >/dev/null 2>&1
put dif_gnumeric dif "ssconvert (Gnumeric, DIF)" sheet.dif
ssconvert -T Gnumeric_Excel:excel_biff7 sheet.csv sheet_biff5.xls >/dev/null 2>&1
put xls_biff5 xls "ssconvert (Gnumeric, Excel 5.0/95)" sheet_biff5.xls
printf '1 2 3\n4 5 6\n' > matrix.txt
printf 'PATH /data\nINPUT-CLASS TEXTIN\nRANK 2\nDIMENSION-SIZES 2 3\nOUTPUT-CLASS IN\nOUTPUT-SIZE 32\n' > matrix.cfg
h5import matrix.txt -c matrix.cfg -o matrix.h5
put hdf5_h5import h5,hdf5,hdf "h5import (hdf5-tools)" matrix.h5
cat > survey.sps <<'SPS'
DATA LIST FREE / id score.
BEGIN DATA
1 10
2 20
END DATA.
SAVE OUTFILE='survey.sav'.
SPS
pspp -b survey.sps >/dev/null
put spss_sav_pspp sav "pspp (SAVE OUTFILE)" survey.sav
convert base.png -strip -quality 90 dicom_source.jpg
img2dcm dicom_source.jpg image.dcm
put dicom_img2dcm dcm "img2dcm (dcmtk)" image.dcm
cp /usr/share/doc/manpages/man-addons.el man-addons.el
put emacs_lisp_manpages el "manpages (man-addons.el)" man-addons.el
# ---------------------------------------------------------------- small texts of other programs (written here: they are text)
cat > page.php <<'PHP'
<?php
declare(strict_types=1);

function greet(string $name): string
{
    return "Hello, " . htmlspecialchars($name) . "!";
}

$names = ['one', 'two'];
foreach ($names as $name) {
    echo greet($name), PHP_EOL;
}
PHP
put php_source php "written by this script (text)" page.php
printf '[InternetShortcut]\r\nURL=http://example.com/\r\nIconIndex=0\r\n' > link.url
put url_shortcut url "written by this script (text)" link.url
printf '[playlist]\nFile1=http://example.com/stream.mp3\nTitle1=Sample stream\nLength1=-1\nNumberOfEntries=1\nVersion=2\n' \
  > list.pls
put pls_playlist pls "written by this script (text)" list.pls
cat > list.asx <<'ASX'
<asx version="3.0">
  <title>Sample list</title>
  <entry><ref href="http://example.com/clip.wmv"/></entry>
</asx>
ASX
put asx_playlist asx,wax,wvx "written by this script (text)" list.asx
cat > family.ged <<'GED'
0 HEAD
1 SOUR QUODRA
1 GEDC
2 VERS 5.5.1
2 FORM LINEAGE-LINKED
1 CHAR UTF-8
0 @I1@ INDI
1 NAME Quodra /Sample/
0 TRLR
GED
put gedcom_family ged,gedcom "written by this script (text)" family.ged
printf '(;FF[4]GM[1]SZ[9]PB[Black]PW[White];B[ee];W[cc])\n' > game.sgf
put sgf_game sgf "written by this script (text)" game.sgf
cat > game.pgn <<'PGN'
[Event "Sample game"]
[Site "Example"]
[Date "2023.11.14"]
[Round "1"]
[White "White"]
[Black "Black"]
[Result "1-0"]

1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0
PGN
put pgn_game pgn "written by this script (text)" game.pgn
cat > shape.wrl <<'WRL'
#VRML V2.0 utf8
Shape {
  appearance Appearance { material Material { diffuseColor 0.8 0.2 0.1 } }
  geometry Box { size 1 1 1 }
}
WRL
put vrml_box wrl,vrml,vrm "written by this script (text)" shape.wrl

# ---------------------------------------------------------------- texts that Debian packages ship, chosen by rule
# The first files by name of a few folders, whatever they hold: the text judge meets them as they are.
# copy_texts PREFIX EXTENSIONS PACKAGE COUNT FILES...: the first COUNT of FILES (sorted) as PREFIX_1, PREFIX_2...
copy_texts()
{
  local prefix=$1 exts=$2 package=$3 count=$4 n=0 file
  shift 4
  while IFS= read -r file; do
    n=$((n + 1))
    cp "$file" "debian_text.$prefix.$n"
    put "${prefix}_$n" "$exts" "$package (${file##*/})" "debian_text.$prefix.$n"
    [ "$n" -lt "$count" ] || break
  done < <(printf '%s\n' "$@" | LC_ALL=C sort)
}
copy_texts python_stdlib py "libpython3.11-stdlib" 45 \
  $(find /usr/lib/python3.11 -maxdepth 1 -name '*.py' -size +1k -size -40k)
copy_texts perl_modules pm,pl "perl-modules-5.36" 30 \
  $(find /usr/share/perl/5.36.0 -maxdepth 2 -name '*.pm' -size +1k -size -40k)
copy_texts cmake_find_modules cmake "cmake-data" 35 \
  $(find /usr/share/cmake-3.25/Modules -maxdepth 1 -name 'Find*.cmake' -size +1k -size -40k)
copy_texts dpkg_makefiles mk,mak "dpkg-dev" 10 $(find /usr/share/dpkg -maxdepth 1 -name '*.mk')
copy_texts pandoc_translations yaml,yml "pandoc-data" 30 $(find /usr/share/pandoc/data/translations -name '*.yaml')
copy_texts zlib_examples c "zlib1g-dev" 10 $(find /usr/share/doc/zlib1g-dev/examples -name '*.c')
for page in sox lame flac xz zstd gzip cpio tar zip pandoc ffmpeg gpg qemu-img lz4 lzop lrzip wavpack speexenc par2 \
  dar oggenc opusenc cwebp icotool abc2midi msgfmt xgettext sqlite3 keytool; do
  gzip -dc "/usr/share/man/man1/$page.1.gz" > "man_$page.1"
done
copy_texts manual_pages roff,1,man,tr,t "the packages' manual pages" 40 man_*.1
# Scripts the packages install as programs, named without an extension.
copy_texts gzip_scripts sh "gzip" 10 /bin/zcat /bin/zgrep /bin/zdiff /bin/zmore /bin/znew /bin/gzexe /bin/zforce
copy_texts xz_scripts sh "xz-utils" 10 /usr/bin/xzdiff /usr/bin/xzgrep /usr/bin/xzless /usr/bin/xzmore
copy_texts dpkg_perl_scripts pl "dpkg-dev" 12 /usr/bin/dpkg-buildpackage /usr/bin/dpkg-source /usr/bin/dpkg-genchanges \
  /usr/bin/dpkg-shlibdeps /usr/bin/dpkg-gencontrol /usr/bin/dpkg-parsechangelog /usr/bin/dpkg-architecture \
  /usr/bin/dpkg-checkbuilddeps /usr/bin/dpkg-distaddfile /usr/bin/dpkg-mergechangelogs /usr/bin/dpkg-vendor
copy_texts fonttools_scripts py "fonttools" 5 /usr/bin/pyftsubset /usr/bin/ttx /usr/bin/pyftmerge /usr/bin/fonttools

# ---------------------------------------------------------------- pictures of other systems from netpbm and ImageMagick
ppmtoacad base.ppm > slide.sld 2>/dev/null
put autocad_slide_netpbm sld "netpbm ppmtoacad" slide.sld
pnmtorle base.ppm > utah.rle
put utah_rle_netpbm rle "netpbm pnmtorle" utah.rle
pbmtocmuwm mono.pbm > mono.cmu
put cmu_wm_netpbm cmu "netpbm pbmtocmuwm" mono.cmu
pbmtogem mono.pbm > mono.img
put gem_img_netpbm img "netpbm pbmtogem" mono.img
pbmtoicon mono.pbm > mono.icon
put sun_icon_netpbm icon "netpbm pbmtoicon" mono.icon
pamtosrf base.ppm > base.srf
put garmin_srf_netpbm srf "netpbm pamtosrf" base.srf
pbmtoepsi mono.pbm > mono.epsi
put epsi_netpbm epsi,eps,epsf "netpbm pbmtoepsi" mono.epsi
convert base.png -strip pgx:base.pgx
put pgx_imagemagick pgx "ImageMagick convert" base.pgx
convert base.png -strip -monochrome cals:base.cal
put cals_imagemagick cal,cals "ImageMagick convert" base.cal
convert base.png -strip ipl:base.ipl
put iplab_imagemagick ipl "ImageMagick convert" base.ipl
# Font metrics that fonts-urw-base35 ships beside its fonts.
copy_texts urw_font_metrics afm "fonts-urw-base35" 3 $(find /usr/share/fonts/type1/urw-base35 -name '*.afm')
# ---------------------------------------------------------------- sounds of games and tools from ffmpeg
ffmpeg -hide_banner -loglevel error -y "${sound_in[@]}" -c:a adpcm_ima_ssi -f kvag "${exact[@]}" tone.vag
put kvag_ffmpeg vag "ffmpeg (kvag muxer)" tone.vag
ffmpeg -hide_banner -loglevel error -y "${sound_in[@]}" -c:a adpcm_ima_alp -f alp "${exact[@]}" tone.tun
put alp_ffmpeg tun,pcm "ffmpeg (alp muxer)" tone.tun
ffmpeg -hide_banner -loglevel error -y "${sound_in[@]}" -c:a pcm_s32le -f sox "${exact[@]}" tone.sox
put sox_native_ffmpeg sox "ffmpeg (sox muxer)" tone.sox
ffmpeg -hide_banner -loglevel error -y "${sound_in[@]}" -c:a pcm_s16le -rf64 always -f wav "${exact[@]}" tone.rf64
put rf64_ffmpeg wav,rf64 "ffmpeg (wav muxer, -rf64 always)" tone.rf64

# Manual pages of netpbm, the first fifty by name.
for page in $(dpkg -L netpbm | grep '/man1/.*\.1\.gz$' | LC_ALL=C sort | head -50); do
  gzip -dc "$page" > "netpbm_man_$(basename "$page" .1.gz).1"
done
copy_texts netpbm_manual_pages roff,1,man,tr,t "netpbm's manual pages" 50 netpbm_man_*.1
# ---------------------------------------------------------------- third variants: a picture with transparency, a slow sound
convert -size 20x20 radial-gradient:'#30a0f0-none' -depth 8 "${im_quiet[@]}" source_alpha.png
for kind in png:png tif:tif psd:psd miff:miff pam:pam webp:webp ico:ico gif:gif xpm:xpm bmp:bmp sgi:sgi dds:dds \
  sun:ras xwd:xwd viff:viff dpx:dpx jp2:jp2 pcx:pcx; do
  convert source_alpha.png -strip "${kind%%:*}:var_alpha.${kind##*:}"
done
for entry in png:png tif:tif,tiff psd:psd miff:miff pam:pam webp:webp ico:ico gif:gif xpm:xpm bmp:bmp sgi:sgi,rgb \
  dds:dds ras:sun,ras xwd:xwd viff:viff,xv dpx:dpx jp2:jp2 pcx:pcx; do
  ext=${entry%%:*}
  put "${ext}_alpha_imagemagick" "${entry##*:}" "ImageMagick convert (picture with transparency)" "var_alpha.$ext"
done
sox -V1 -R -D -n -r 11025 -c 1 -b 16 source_slow.wav synth 0.3 sine 150-900
for kind in wav:wav aiff:aiff aifc:aifc au:au flac:flac 8svx:8svx voc:voc sph:sph avr:avr maud:maud smp:smp sndt:snd \
  ircam:sf w64:w64 caf:caf mat5:mat pvf:pvf paf:paf xi:xi; do
  sox -V1 -R -D source_slow.wav -t "${kind%%:*}" "var_slow.${kind##*:}"
done
for entry in wav:wav aiff:aif,aiff aifc:aifc,aif,aiff au:au,snd flac:flac 8svx:svx,8svx,iff voc:voc sph:sph,nist,wav \
  avr:avr maud:maud smp:smp snd:snd,sndt sf:sf,ircam w64:w64 caf:caf mat:mat pvf:pvf paf:paf xi:xi; do
  ext=${entry%%:*}
  put "${ext}_slow_sound" "${entry##*:}" "sox (11 kHz sweep)" "var_slow.$ext"
done

# ---------------------------------------------------------------- second codecs in the common containers (ffmpeg)
ff var_msvideo1.avi -c:v msvideo1
ff var_huffyuv.avi -c:v huffyuv
ff var_ffv1.avi -c:v ffv1
ffav var_mp3.avi -c:v mpeg4 -c:a libmp3lame -b:a 32k
ff var_hevc.mp4 -c:v libx265 -preset ultrafast -x265-params log-level=none -f mp4
ffav var_mp3.mp4 -c:v mpeg4 -c:a libmp3lame -b:a 32k -f mp4
ff var_vp9.mkv -c:v libvpx-vp9 -deadline realtime -cpu-used 8 -f matroska
ff var_ffv1.mkv -c:v ffv1 -f matroska
ffav var_flac.mkv -c:v mpeg4 -c:a flac -f matroska
ff var_vp9.webm -c:v libvpx-vp9 -deadline realtime -cpu-used 8 -f webm
ff var_qtrle.mov -c:v qtrle -f mov
ff var_png.mov -c:v png -f mov
ffav var_h264.flv -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 32k -f flv
ff var_h264.ts -c:v libx264 -preset ultrafast -pix_fmt yuv420p -f mpegts
ff var_wmv1.asf -c:v wmv1 -f asf
ff var_mpeg4.3gp -vf scale=128:96 -c:v mpeg4 -f 3gp
ff var_h264.m4v -c:v libx264 -preset ultrafast -pix_fmt yuv420p -f ipod -brand "M4V "
ff var_h264.f4v -c:v libx264 -preset ultrafast -pix_fmt yuv420p -f f4v
ff var_ffv1.nut -c:v ffv1 -f nut
ff var_444.y4m -pix_fmt yuv444p -f yuv4mpegpipe
ff var_vp9.ivf -c:v libvpx-vp9 -deadline realtime -cpu-used 8 -f ivf
ff var_ntsc.dv -vf scale=720:480 -c:v dvvideo -pix_fmt yuv411p -frames:v 1 -r 30000/1001 -f dv
ff var_mpeg1.mpg -c:v mpeg1video -f mpeg
ff var_mpeg4.mkv -c:v mpeg4 -f matroska
put avi_msvideo1 avi "ffmpeg (msvideo1)" var_msvideo1.avi
put avi_huffyuv avi "ffmpeg (huffyuv)" var_huffyuv.avi
put avi_ffv1 avi "ffmpeg (ffv1)" var_ffv1.avi
put avi_mpeg4_mp3 avi "ffmpeg (mpeg4, mp3)" var_mp3.avi
put mp4_hevc mp4 "ffmpeg (mp4 muxer, libx265)" var_hevc.mp4
put mp4_mpeg4_mp3 mp4 "ffmpeg (mp4 muxer, mpeg4, mp3)" var_mp3.mp4
put mkv_vp9 mkv "ffmpeg (matroska muxer, libvpx-vp9)" var_vp9.mkv
put mkv_ffv1 mkv "ffmpeg (matroska muxer, ffv1)" var_ffv1.mkv
put mkv_mpeg4_flac mkv "ffmpeg (matroska muxer, mpeg4, flac)" var_flac.mkv
put mkv_mpeg4 mkv "ffmpeg (matroska muxer, mpeg4)" var_mpeg4.mkv
put webm_vp9 webm "ffmpeg (webm muxer, libvpx-vp9)" var_vp9.webm
put mov_qtrle mov,qt "ffmpeg (mov muxer, qtrle)" var_qtrle.mov
put mov_png mov,qt "ffmpeg (mov muxer, png)" var_png.mov
put flv_h264_aac flv "ffmpeg (flv muxer, libx264, aac)" var_h264.flv
put ts_h264 ts "ffmpeg (mpegts muxer, libx264)" var_h264.ts
put asf_wmv1 asf,wmv "ffmpeg (asf muxer, wmv1)" var_wmv1.asf
put 3gp_mpeg4 3gp "ffmpeg (3gp muxer, mpeg4)" var_mpeg4.3gp
put m4v_h264 m4v,mp4 "ffmpeg (ipod muxer, M4V brand)" var_h264.m4v
put f4v_h264 f4v "ffmpeg (f4v muxer)" var_h264.f4v
put nut_ffv1 nut "ffmpeg (nut muxer, ffv1)" var_ffv1.nut
put y4m_444 y4m "ffmpeg (yuv4mpegpipe, 4:4:4)" var_444.y4m
put ivf_vp9 ivf "ffmpeg (ivf muxer, libvpx-vp9)" var_vp9.ivf
put dv_ntsc dv "ffmpeg (dv muxer, NTSC)" var_ntsc.dv
put mpeg1_video_only mpg,mpeg "ffmpeg (mpeg muxer, mpeg1video)" var_mpeg1.mpg
# Sound kinds with other encoders and settings.
lame --silent -V 6 --resample 16 -m m source_stereo.wav var_vbr.mp3
put mp3_vbr_16k mp3 "lame -V 6 (16 kHz mono)" var_vbr.mp3
lame --silent -b 128 --add-id3v2 --tt "Stereo" source_stereo.wav var_id3.mp3
put mp3_stereo_id3v2 mp3 "lame --add-id3v2 (stereo)" var_id3.mp3
opusenc --quiet --serial 2 --bitrate 24 source_stereo.wav var_stereo.opus
put opus_stereo opus,ogg "opusenc (stereo)" var_stereo.opus
sox -V1 -R -D source_stereo.wav -b 24 var_24bit.flac
put flac_24bit flac "sox (24-bit flac)" var_24bit.flac
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a alac -f ipod "${exact[@]}" var_alac.m4a
put m4a_alac m4a "ffmpeg (ipod muxer, alac)" var_alac.m4a
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a wmav1 -b:a 64k -f asf "${exact[@]}" var_wmav1.wma
put wma_wmav1 wma,asf "ffmpeg (asf muxer, wmav1)" var_wmav1.wma
sox -V1 -R -D source_slow.wav -r 8000 var_slow.amr-nb
put amr_nb_sweep amr "sox (libopencore-amrnb)" var_slow.amr-nb
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a mp2 -b:a 128k -f mp2 "${exact[@]}" var_stereo.mp2
put mp2_stereo mp2,mpa "ffmpeg (mp2, stereo 44.1 kHz)" var_stereo.mp2
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a libvorbis -f ogg "${exact[@]}" var_ffmpeg.ogg
put ogg_vorbis_ffmpeg ogg,oga "ffmpeg (ogg muxer, libvorbis)" var_ffmpeg.ogg
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a pcm_s24le -f wav "${exact[@]}" var_24bit.wav
put wav_pcm24_ffmpeg wav "ffmpeg (wav muxer, 24-bit)" var_24bit.wav
ffmpeg -hide_banner -loglevel error -y -i source_stereo.wav -c:a pcm_mulaw -ar 8000 -ac 1 -f au "${exact[@]}" var_mulaw.au
put au_mulaw au,snd "ffmpeg (au muxer, mu-law)" var_mulaw.au

# ---------------------------------------------------------------- more small kinds
# A session description that ffmpeg writes for an RTP stream sent to this machine's own loopback address.
ffmpeg -hide_banner -loglevel error -y "${short_tone[@]}" -c:a pcm_mulaw -f rtp -sdp_file session.sdp \
  rtp://127.0.0.1:50004
put sdp_ffmpeg sdp "ffmpeg (rtp muxer, -sdp_file)" session.sdp
# An Ogg file whose stream is none of the audio codecs: the generic Ogg kind.
ff vp8.ogx -c:v libvpx -deadline realtime -cpu-used 8 -f ogg
put ogg_vp8_generic ogx,ogg,ogv "ffmpeg (ogg muxer, libvpx)" vp8.ogx
cat > form.ui <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="windowTitle"><string>Sample</string></property>
 </widget>
</ui>
XML
put qt_designer_ui ui "written by this script (text)" form.ui
printf 'MIDlet-Name: Sample\nMIDlet-Version: 1.0\nMIDlet-Vendor: Quodra\nMIDlet-Jar-URL: sample.jar\nMIDlet-Jar-Size: 1024\n' \
  > sample.jad
put jad_descriptor jad "written by this script (text)" sample.jad
printf 'BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nBEAT:120\r\nMELODY:c2d2e2f2\r\nEND:IMELODY\r\n' > tune.imy
put imelody_tune imy,ime "written by this script (text)" tune.imy
cat > list.wpl <<'WPL'
<?wpl version="1.0"?>
<smil>
  <head><title>Sample list</title></head>
  <body><seq><media src="tone.wma"/></seq></body>
</smil>
WPL
put wpl_playlist wpl "written by this script (text)" list.wpl
printf '<?xml version="1.0"?>\n<?quicktime type="application/x-quicktimeplayer"?>\n<embed src="http://example.com/clip.mov" autoplay="true"/>\n' \
  > link.qtl
put qtl_link qtl "written by this script (text)" link.qtl
printf '#%%RAML 1.0\ntitle: Sample API\nbaseUri: http://example.com/api\n/items:\n  get:\n    description: All items\n' > api.raml
put raml_api raml "written by this script (text)" api.raml
printf '(* Content-type: application/vnd.wolfram.mathematica *)\n\nNotebook[{Cell["Sample", "Title"]}]\n' > sample.nb
put mathematica_notebook nb "written by this script (text)" sample.nb
printf '[gd_resource type="Environment" format=3]\n\n[resource]\nbackground_mode = 1\n' > sample.tres
put godot_resource tres,res "written by this script (text)" sample.tres
printf '[gd_scene format=3]\n\n[node name="Root" type="Node2D"]\n' > sample.tscn
put godot_scene tscn,scn,escn "written by this script (text)" sample.tscn

# A compressed hunk image of 64 KB of one letter, as MAME's chdman writes it.
head -c 65536 /dev/zero | tr '\0' 'Q' > hunks.raw
chdman createraw -i hunks.raw -o hunks.chd -hs 4096 -us 512 >/dev/null
put chd_chdman chd "chdman createraw (mame-tools)" hunks.chd

# ---------------------------------------------------------------- the parts, in name order
for part in "$root"/tools/samples/*.sh; do
  [ -e "$part" ] || continue
  # shellcheck source=/dev/null
  source "$part"
  cd "$work"
done

# ---------------------------------------------------------------- into place
# The folder holds only what this run made.
mkdir -p "$out"
find "$out" -mindepth 1 -maxdepth 1 -type f -delete
cp "$work"/out/* "$out/"
cp "$manifest" "$out/MANIFEST"
chmod 644 "$out"/*
count=$(wc -l < "$out/MANIFEST")
types=$(cut -f2 "$out/MANIFEST" | cut -d, -f1 | sort -u | wc -l)
echo "make_samples: $count samples of $types types, $(du -cb "$out" | tail -1 | cut -f1) bytes in $out"
