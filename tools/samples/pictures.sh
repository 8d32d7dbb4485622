# Pictures, drawings and models, and game and disk images: GIMP's files, JPEG 2000 variants, texture formats,
# 3D models, diagrams, a Doom WAD, an offline web archive, and the cartridge, disc and floppy images of game
# machines. Where no Debian tool writes a kind and no package ships one, this script writes a small file from the
# format's documentation (a header and a minimal body), and the tool column says so. A rerun gives the same bytes
# except for the Blender file (it keeps the memory addresses of its blocks) and the ZIM file (a fresh UUID).
# packages: gimp gimp-data assimp-utils dia astcenc openimageio-tools libopenjp2-tools deutex freedoom tgif zim-tools cc65 blender xorriso imagemagick faketime python3 dcraw occt-draw
need_tools gimp-console assimp dia astcenc oiiotool opj_compress /usr/games/deutex zimwriterfs cl65 blender xorriso convert faketime python3 dcraw occt-draw
mkdir -p "$work/pictures"
cd "$work/pictures"
doc="written by this script from the format's documentation"
convert -size 16x16 gradient:'#d04020-#2050d0' -fill '#f0e040' -draw 'rectangle 4,4 11,11' -depth 8 \
  +set date:create +set date:modify -define png:exclude-chunks=date,time pic.png

# GIMP: its own image format, and a brush and a pattern of the data it ships.
at_fixed_time gimp-console -i -d -f -b '(let* ((image (car (file-png-load RUN-NONINTERACTIVE "pic.png" "pic.png")))
  (drawable (car (gimp-image-get-active-layer image))))
  (gimp-xcf-save RUN-NONINTERACTIVE image drawable "pic.xcf" "pic.xcf") (gimp-quit 0))' >/dev/null 2>&1
put xcf_gimp xcf "gimp-console (gimp-xcf-save)" pic.xcf
put gbr_gimp_brush gbr "copied from gimp-data (brushes/Basic/pixel.gbr)" /usr/share/gimp/2.0/brushes/Basic/pixel.gbr
put pat_gimp_pattern pat "copied from gimp-data (patterns/Legacy/warning.pat)" /usr/share/gimp/2.0/patterns/Legacy/warning.pat

# JPEG 2000 extended (JPX): a JP2 file of opj_compress whose file type box names the JPX brand, with the reader
# requirements box that JPX asks for (no features required).
convert pic.png pic.ppm
opj_compress -i pic.ppm -o pic.jp2 -n 3 >/dev/null
python3 - <<'EOF'
import struct
data = open("pic.jp2", "rb").read()
assert data[12:20] == b"\x00\x00\x00\x14ftyp" and data[20:24] == b"jp2 "
ftyp = struct.pack(">I4s4sI", 28, b"ftyp", b"jpx ", 0) + b"jpx jp2 jpxb"
rreq = struct.pack(">I4sBBBHH", 15, b"rreq", 1, 0, 0, 0, 0)
open("pic.jpx", "wb").write(data[:12] + ftyp + rreq + data[32:])
EOF
put jpx_brand jpf,jpx "opj_compress, then the JPX file type and reader requirements boxes $doc" pic.jpx

# Motion JPEG 2000 (MJ2): one frame, opj_compress's codestream, in the ISO media file the format describes
# (signature and file type boxes, the frame in mdat, a movie box with one video track whose sample entry
# carries the JP2 header).
opj_compress -i pic.ppm -o pic.j2k -n 3 >/dev/null
python3 - <<'EOF'
import struct
def box(kind, content):
    return struct.pack(">I4s", 8 + len(content), kind) + content
def full(kind, version_flags, content):
    return box(kind, struct.pack(">I", version_flags) + content)
code = open("pic.j2k", "rb").read()
width = height = 16
matrix = struct.pack(">9I", 0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000)
head = box(b"jP  ", b"\r\n\x87\n") + box(b"ftyp", b"mjp2" + struct.pack(">I", 0) + b"mjp2")
mdat_at = len(head)
mdat = box(b"mdat", code)
mvhd = full(b"mvhd", 0, struct.pack(">IIII", 0, 0, 25, 1) + struct.pack(">IH", 0x10000, 0x100) + bytes(10) + matrix
            + bytes(24) + struct.pack(">I", 2))
tkhd = full(b"tkhd", 7, struct.pack(">IIIII", 0, 0, 1, 0, 1) + bytes(8) + struct.pack(">HHHH", 0, 0, 0, 0) + matrix
            + struct.pack(">II", width << 16, height << 16))
mdhd = full(b"mdhd", 0, struct.pack(">IIIIHH", 0, 0, 25, 1, 0x55C4, 0))
hdlr = full(b"hdlr", 0, struct.pack(">I4s", 0, b"vide") + bytes(12) + b"Video\0")
vmhd = full(b"vmhd", 1, bytes(8))
dinf = box(b"dinf", full(b"dref", 0, struct.pack(">I", 1) + full(b"url ", 1, b"")))
ihdr = box(b"ihdr", struct.pack(">IIHBBBB", height, width, 3, 7, 7, 0, 0))
colr = box(b"colr", struct.pack(">BBBI", 1, 0, 0, 16))
jp2h = box(b"jp2h", ihdr + colr)
entry = box(b"mjp2", bytes(6) + struct.pack(">H", 1) + bytes(16) + struct.pack(">HHII", width, height, 0x480000, 0x480000)
            + struct.pack(">IH", 0, 1) + bytes(32) + struct.pack(">Hh", 24, -1) + jp2h)
stsd = full(b"stsd", 0, struct.pack(">I", 1) + entry)
stts = full(b"stts", 0, struct.pack(">III", 1, 1, 1))
stsc = full(b"stsc", 0, struct.pack(">IIII", 1, 1, 1, 1))
stsz = full(b"stsz", 0, struct.pack(">III", 0, 1, len(code)))
stco = full(b"stco", 0, struct.pack(">II", 1, mdat_at + 8))
stbl = box(b"stbl", stsd + stts + stsc + stsz + stco)
minf = box(b"minf", vmhd + dinf + stbl)
trak = box(b"trak", tkhd + box(b"mdia", mdhd + hdlr + minf))
moov = box(b"moov", mvhd + trak)
open("pic.mj2", "wb").write(head + mdat + moov)
EOF
put mj2_frame mj2,mjp2 "opj_compress, then the Motion JPEG 2000 boxes $doc" pic.mj2

# Textures: ASTC by ARM's encoder, OpenEXR by OpenImageIO.
astcenc -cl pic.png pic.astc 4x4 -fast >/dev/null
put astc_astcenc astc "astcenc" pic.astc
at_fixed_time oiiotool pic.png --nosoftwareattrib -d half -compression zip -o pic.exr
put exr_oiiotool exr "oiiotool (openimageio-tools)" pic.exr

# 3D models: Wavefront OBJ and its material library by assimp, from a tetrahedron in OFF form.
printf 'OFF\n4 4 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n3 0 2 1\n3 0 1 3\n3 0 3 2\n3 1 2 3\n' > tetra.off
assimp export tetra.off tetra.obj >/dev/null
put obj_assimp obj "assimp export" tetra.obj
put mtl_assimp mtl "assimp export" tetra.mtl
# IGES: one straight edge by Open CASCADE's DRAW. Its plug-ins load the libraries by their unversioned names,
# which only the -dev packages provide, so the names are given here as links to the installed libraries.
mkdir -p occt
for lib in TKXSDRAW TKTopTest TKDCAF TKXDEDRAW TKViewerTest TKQADraw; do
  ln -sf "/usr/lib/x86_64-linux-gnu/lib$lib.so.7" "occt/lib$lib.so"
done
printf 'pload MODELING DATAEXCHANGE\nvertex v1 0 0 0\nvertex v2 10 10 0\nedge e v1 v2\nbrepiges e edge.igs\nexit\n' > edge.tcl
LD_LIBRARY_PATH="$PWD/occt" at_fixed_time occt-draw -b -f edge.tcl >/dev/null 2>&1
put iges_occt igs,iges "occt-draw (brepiges)" edge.igs
# Blender's own file, the smallest it writes: one empty mesh as a library file, uncompressed (the rest is the
# description of Blender's data structures that every file carries).
blender -b --factory-startup --python-expr "import bpy
bpy.data.libraries.write('$PWD/mesh.blend', {bpy.data.meshes.new('Quodra')}, compress=False)" >/dev/null 2>&1
put blend_blender blend "blender (bpy.data.libraries.write of one empty mesh, uncompressed)" mesh.blend

# Drawings: a Dia diagram imported from SVG, and two Tgif drawings its package ships as examples (an old one
# that starts with its state term, a newer one with the "%TGIF" line).
printf '<?xml version="1.0"?>\n<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30"><rect x="5" y="5" width="30" height="20" fill="#2050d0"/></svg>\n' > box.svg
dia -n -l -t dia -e box.dia box.svg >/dev/null 2>&1
put dia_diagram dia "dia (from SVG)" box.dia
put tgif_drawing obj "copied from tgif (examples/an-sr-flip-flop.obj)" /usr/share/doc/tgif/examples/an-sr-flip-flop.obj
zcat /usr/share/doc/tgif/examples/launch-demo.obj.gz > launch-demo.obj
put tgif_launch_demo obj "copied from tgif (examples/launch-demo.obj.gz, unpacked)" launch-demo.obj

# A Doom PWAD and IWAD of one lump by DeuTex (Freedoom's game data serves as its main WAD).
mkdir -p wad/lumps wad/main
printf 'Quodra sample lump\n' > wad/lumps/quodra.lmp
printf '[lumps]\nquodra\n' > wad/wadinfo.txt
ln -sf /usr/share/games/doom/freedoom2.wad wad/main/doom2.wad
(cd wad && /usr/games/deutex -doom2 main -make wadinfo.txt small.wad >/dev/null 2>&1)
put wad_deutex wad "deutex -make (freedoom as the main WAD)" wad/small.wad
(cd wad && /usr/games/deutex -iwad -doom2 main -make wadinfo.txt main.wad >/dev/null 2>&1)
put wad_deutex_iwad wad "deutex -iwad -make (freedoom as the main WAD)" wad/main.wad

# An offline web archive (ZIM) of one page.
mkdir -p zim
printf '<html><head><title>Quodra</title></head><body><p>A small page.</p></body></html>\n' > zim/index.html
convert -size 48x48 xc:'#2050d0' +set date:create +set date:modify -define png:exclude-chunks=date,time zim/icon.png
zimwriterfs -w index.html -I icon.png -l eng -t Quodra -d 'A small page' -c Quodra -p Quodra -n quodra_sample -j -J 1 \
  zim small.zim >/dev/null 2>&1
put zim_zimwriterfs zim "zimwriterfs (zim-tools)" small.zim

# An Atari Lynx cartridge image by cc65 (its LOWCODE segment must exist).
printf 'int main(void) { return 0; }\n' > lynx.c
printf '.segment "LOWCODE"\n        rts\n' > lynx_low.s
cl65 -t lynx -O lynx.c lynx_low.s -o lynx.lnx
put lnx_cc65 lnx "cl65 -t lynx (cc65)" lynx.lnx

# A disc image in ISO 9660 by xorriso whose system area holds a disc header of a game machine.
printf 'Quodra sample disc\n' > disc.txt
mkdir -p disc && cp disc.txt disc/
touch -d "$fixed_time" disc/disc.txt disc

# The rest is written from the formats' documentation.
convert pic.png -quality 85 -strip pic_qt.jpg
convert -size 8x8 xc:gray -strip raf_thumb.jpg
python3 "$root/tools/samples/pictures_written.py"
for sys in segacd saturn dreamcast; do
  xorriso -as mkisofs -quiet -V QUODRA -G "sysarea_$sys.bin" -no-pad -o "disc_$sys.iso" disc 2>/dev/null
done
put segacd_disc iso "xorriso -as mkisofs -G, the system area's disc header $doc" disc_segacd.iso
put saturn_disc iso "xorriso -as mkisofs -G, the system area's disc header $doc" disc_saturn.iso
put dreamcast_disc iso "xorriso -as mkisofs -G, the system area's disc header $doc" disc_dreamcast.iso
xorriso -as mkisofs -quiet -V QUODRA -no-pad -o plain.iso disc 2>/dev/null
python3 "$root/tools/samples/pictures_written.py" cso plain.iso plain.cso
put cso_ciso cso "xorriso -as mkisofs, compressed into CSO $doc" plain.cso

# The written IGES file must load in Open CASCADE as its one entity.
printf 'pload DATAEXCHANGE\nigesread iges_line.bin a *\nexit\n' > iges_check.tcl
LD_LIBRARY_PATH="$PWD/occt" occt-draw -b -f iges_check.tcl > iges_check.log 2>&1
grep -q 'loaded entities 1\.' iges_check.log || {
  echo "make_samples: Open CASCADE does not read iges_line" >&2; exit 1; }
for sample in jpm_page:jpm,jpgm ktx1_rgba8:ktx ktx2_rgba8:ktx2 qtif_jpeg:qtif,qif skencil_drawing:sk,sk1 iges_line:igs,iges \
  ips_patch:ips bps_patch:bps adf_ofs:adf gb_rom:gb,sgb gbc_rom:gbc,cgb genesis_rom:gen,smd,md genesis_us_rom:gen,smd,md \
  sega32x_rom:32x,mdx pico_rom:md n64_z64:z64 n64_v64:v64 ngp_rom:ngp ngpc_rom:ngc \
  a78_rom:a78 fds_disk:fds n3ds_cci:3ds,cci n3dsx_program:3dsx wii_disc:iso gamecube_disc:iso,gcm \
  wii_wad:wad hfe_floppy:hfe sap_floppy:sap; do
  put "${sample%%:*}" "${sample#*:}" "$doc" "${sample%%:*}.bin"
done
# Camera raw files: each is checked to be a raw image dcraw can read.
for sample in orf_raw:orf rw2_raw:rw2 panasonic_raw:raw mrw_raw:mrw crw_raw:crw raf_raw:raf x3f_raw:x3f; do
  dcraw -i "${sample%%:*}.bin" >/dev/null
  put "${sample%%:*}" "${sample#*:}" "$doc; dcraw reads it as a raw image" "${sample%%:*}.bin"
done
cd "$work"
