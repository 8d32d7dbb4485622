# Sounds and videos of trackers, game consoles, old players and old platforms: Speex, OGM, WavPack correction
# files and JavaFX media from real tools; the kinds no Debian tool writes (tracker modules,
# PSF and SID rips, XMF, DSD, Monkey's Audio, Shorten, DTS-HD, AMR-WB, FLIC, NSV, Bink, Smacker, animated
# cursors, Annodex...) written by this script from the formats' documentation: small, with well-formed headers;
# where a body needs an encoder Debian lacks, a stand-in fills it and the tool column says so.
# packages: ffmpeg sox wavpack ogmtools icoutils imagemagick python3
need_tools ffmpeg sox wavpack ogmmerge icotool convert python3
mkdir -p sound_video
cd sound_video

# ---- Real tools.
sox -R -D -n -r 16000 -c 1 -b 16 sv_tone.wav synth 0.2 sine 440 fade 0 0.2 0.02
ffmpeg -hide_banner -loglevel error -y -i sv_tone.wav -flags +bitexact -fflags +bitexact -c:a libspeex \
  -f spx sv_tone.spx
put speex_ffmpeg spx,ogg,oga "ffmpeg (spx muxer, libspeex)" sv_tone.spx
# Hybrid lossy WavPack: -c writes the correction file beside the lossy one.
wavpack -q -b3 -c sv_tone.wav -o sv_hybrid.wv
put wavpack_correction wvc "wavpack -b3 -c" sv_hybrid.wvc
put wavpack_hybrid wv "wavpack -b3 -c" sv_hybrid.wv
# OGM: ogmmerge rewraps an AVI's MPEG-4 video in Ogg.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -flags +bitexact \
  -fflags +bitexact -c:v mpeg4 -vtag DX50 sv_ogm.avi
ogmmerge -q -o sv_video.ogm sv_ogm.avi
put ogm_mpeg4 ogm "ogmmerge (ogmtools) from an ffmpeg AVI" sv_video.ogm
# JavaFX media is Flash video with H.264 and AAC (only the name tells it from FLV).
ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc=size=32x32:rate=5:duration=0.4 -f lavfi \
  -i sine=frequency=440:duration=0.4 -flags +bitexact -fflags +bitexact -c:v libx264 -preset ultrafast \
  -c:a aac -b:a 32k -ar 22050 -f flv sv_javafx.fxm
put fxm_flv fxm,flv "ffmpeg (flv muxer, libx264, aac)" sv_javafx.fxm
# DTS core frames for the DTS-HD file below.
ffmpeg -hide_banner -loglevel error -y -i sv_tone.wav -flags +bitexact -fflags +bitexact -t 0.03 -ar 48000 \
  -ac 2 -strict -2 -c:a dca -f dts sv_core.dts
# A cursor for the animated cursor below.
convert -size 16x16 xc:none -fill '#2050d0' -draw 'polygon 0,0 12,6 6,12' -depth 8 +set date:create \
  +set date:modify -define png:exclude-chunks=date,time sv_arrow1.png
convert -size 16x16 xc:none -fill '#d04020' -draw 'polygon 0,0 12,6 6,12' -depth 8 +set date:create \
  +set date:modify -define png:exclude-chunks=date,time sv_arrow2.png
icotool -c --cursor --hotspot-x=0 --hotspot-y=0 -o sv_arrow1.cur sv_arrow1.png
icotool -c --cursor --hotspot-x=0 --hotspot-y=0 -o sv_arrow2.cur sv_arrow2.png
# The video and audio of the Annodex files.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc=size=32x32:rate=5:duration=0.2 -f lavfi \
  -i sine=frequency=440:duration=0.2 -flags +bitexact -fflags +bitexact -c:v libtheora -c:a libvorbis \
  -ar 8000 -ac 1 sv_media.ogv
ffmpeg -hide_banner -loglevel error -y -f lavfi -i sine=frequency=440:duration=0.2 -flags +bitexact \
  -fflags +bitexact -c:a libvorbis -ar 8000 -ac 1 sv_media.oga

# ---- Written from the formats' documentation.
python3 - <<'PYTHON'
import struct, zlib

def w(name, data):
    with open(name, "wb") as out:
        out.write(data)

def pad(text, size, fill=b"\0"):
    data = text.encode("latin-1") if isinstance(text, str) else text
    return data[:size] + fill * (size - len(data[:size]))

# The four common tracker modules play one note of a looped 32-byte square wave (8-bit) on their first
# channel: one instrument or sample, one order, one 64-row pattern.
square = bytes([0x40] * 16 + [0xc0] * 16)          # signed
square_unsigned = bytes((b + 128) & 0xff for b in square)

# FastTracker 2 module: the note C-4 of instrument 1; the sample data is stored as deltas.
cells = bytes([0x83, 49, 1]) + b"\x80" * (64 * 4 - 1)
pattern = struct.pack("<IBHH", 9, 0, 64, len(cells)) + cells
header = struct.pack("<IHHHHHHHH", 276, 1, 0, 4, 1, 1, 1, 6, 125) + b"\0" * 256
instrument = (struct.pack("<I", 243) + pad("square", 22) + b"\0" + struct.pack("<HI", 1, 40) + bytes(96)
              + bytes(48 * 2) + bytes(6) + bytes(2) + bytes(2) + bytes(4) + struct.pack("<H", 0) + bytes(2))
deltas = bytes((square[i] - (square[i - 1] if i else 0)) & 0xff for i in range(len(square)))
sample_header = struct.pack("<IIIBbBBbB", len(square), 0, len(square), 64, 0, 1, 128, 0, 0) + pad("square", 22)
w("sv_module.xm", b"Extended Module: " + pad("quodra sample", 20) + b"\x1a" + pad("FastTracker v2.00", 20)
  + struct.pack("<H", 0x0104) + header + pattern + instrument + sample_header + deltas)

# Impulse Tracker module in sample mode: the note C-5 of sample 1 on channel 1.
orders = bytes([0, 255])
rows = bytes([0x81, 0x03, 60, 1, 0]) + b"\0" * 63
pat = struct.pack("<HH4x", len(rows), 64) + rows
head = (b"IMPM" + pad("quodra sample", 26) + struct.pack("<HHHHHHHHHBBBBBBHII", 0x1004, len(orders), 0, 1, 1,
        0x0214, 0x0214, 9, 0, 128, 48, 6, 125, 128, 0, 0, 0, 0) + bytes([32] * 64) + bytes([64] * 64))
sample_at = len(head) + len(orders) + 8
pattern_at = sample_at + 80
data_at = pattern_at + len(pat)
imps = (b"IMPS" + pad("square.raw", 12) + bytes([0, 64, 0x11, 64]) + pad("square", 26) + bytes([1, 0])
        + struct.pack("<IIIIIII", len(square), 0, len(square), 8363, 0, 0, data_at) + bytes(4))
w("sv_module.it", head + orders + struct.pack("<II", sample_at, pattern_at) + imps + pat + square)

# Scream Tracker 3 module: parapointers count 16-byte paragraphs; the instrument holds an unsigned sample
# and the pattern's first row the note C-4 of instrument 1 on channel 1.
head = (pad("quodra sample", 28) + b"\x1a\x10\0\0" + struct.pack("<HHHHHH", 2, 1, 1, 0, 0x1320, 2) + b"SCRM"
        + bytes([64, 6, 125, 0xb0, 0, 0]) + b"\0" * 8 + b"\0\0" + bytes(range(8)) + bytes([255] * 24))
orders = bytes([0, 255])
def paragraph(at):
    return (at + 15) // 16
instrument_at = paragraph(len(head) + len(orders) + 4)
pattern_at = paragraph(instrument_at * 16 + 80)
rows = bytes([0x20, 0x40, 1, 0]) + b"\0" * 63
pattern = struct.pack("<H", len(rows) + 2) + rows
data_at = paragraph(pattern_at * 16 + len(pattern))
scrs = (bytes([1]) + pad("square.raw", 12) + bytes([data_at >> 16]) + struct.pack("<H", data_at & 0xffff)
        + struct.pack("<IIIBBBBI", len(square), 0, len(square), 64, 0, 0, 1, 8363) + bytes(12) + pad("square", 28)
        + b"SCRS")
body = head + orders + struct.pack("<HH", instrument_at, pattern_at)
body += b"\0" * (instrument_at * 16 - len(body)) + scrs
body += b"\0" * (pattern_at * 16 - len(body)) + pattern
body += b"\0" * (data_at * 16 - len(body)) + square_unsigned
w("sv_module.s3m", body)

# Scream Tracker 2 song: 31 empty instruments, one order, one pattern of 64 rows by 4 channels.
head = pad("quodra sample", 20) + b"!Scream!" + b"\x1a\x02\x02\x15" + bytes([0x60, 1, 64]) + b"\0" * 13
inst = (pad("", 12) + b"\0\0" + struct.pack("<HHHHBBH4xH", 0, 0, 0, 0xffff, 0, 0, 8448, 0)) * 31
w("sv_song.stm", head + inst + bytes([0] + [99] * 127) + bytes([0xff, 0x01, 0x80, 0x00]) * (64 * 4))

# ProTracker module: the square wave as sample 1 of 31, one order, one pattern whose first cell plays C-3
# (period 214) with it; "M.K." at 1080. An 8-channel one beside it.
samples = (pad("square", 22) + struct.pack(">HBBHH", len(square) // 2, 0, 64, 0, len(square) // 2)
           + (pad("", 22) + struct.pack(">HBBHH", 0, 0, 64, 0, 1)) * 30)
def protracker(mark, channels):
    return (pad("quodra sample", 20) + samples + bytes([1, 127]) + bytes(128) + mark
            + bytes([0x00, 0xd6, 0x10, 0x00]) + b"\0" * (64 * channels * 4 - 4) + square)
w("sv_module.mod", protracker(b"M.K.", 4))
w("sv_module8.mod", protracker(b"8CHN", 8))

# MultiTracker module: one track shared by the four channels of one pattern.
head = (b"MTM\x10" + pad("quodra sample", 20) + struct.pack("<HBBHBBBB", 1, 0, 0, 0, 0, 0, 64, 4)
        + bytes([7, 8, 7, 8] + [0] * 28))
w("sv_module.mtm", head + bytes(128) + bytes(192) + struct.pack("<32H", 1, 1, 1, 1, *([0] * 28)))

# UltraTracker module: version 4 header, no samples, one pattern of four channels.
head = b"MAS_UTrack_V004" + pad("quodra sample", 32) + b"\0" + b"\0" + bytes([0] + [255] * 255) + bytes([3, 0])
w("sv_module.ult", head + bytes([7, 7, 7, 7]) + bytes([0xfc, 64, 0, 0, 0, 0, 0]) * 4)

# MED (OctaMED) module, MMD0: the header's pointers lead to the song and one block of 64 lines by 4 tracks.
song = b"\0" * (63 * 8) + struct.pack(">HH", 1, 1) + bytes([0] + [0] * 255) + struct.pack(">HBBBB", 125, 0, 6, 0, 0)
song += bytes([64] * 16) + bytes([64, 0])
song_at = 52
block_array_at = song_at + len(song)
block_at = block_array_at + 4
block = bytes([4, 63]) + bytes(64 * 4 * 3)
size = block_at + len(block)
head = struct.pack(">4sIIIIIIIIIIHHIII", b"MMD0", size, song_at, 0, block_array_at, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)
w("sv_module.med", head[:52] + song + struct.pack(">I", block_at) + block)

# MO3 (compressed module): the magic, the format version and the size of the unpacked music; the packed
# music that follows is a stand-in (zlib), not the format's own packing.
w("sv_module.mo3", b"MO3\x05" + struct.pack("<I", 4096) + zlib.compress(b"\0" * 4096, 9))

# PSF (PlayStation Sound Format, version 1): a PS-X EXE header and a two-instruction program, compressed.
exe = bytearray(0x800)
exe[0:8] = b"PS-X EXE"
struct.pack_into("<IIIIII", exe, 0x10, 0x80010000, 0, 0x80010000, 8, 0, 0)
struct.pack_into("<I", exe, 0x30, 0x801fff00)
exe[0x4c:0x4c + 32] = pad("Sony Computer Entertainment Inc.", 32)
program = bytes(exe) + struct.pack("<II", 0x1000ffff, 0)  # b . (branch to itself), nop
packed = zlib.compress(program, 9)
w("sv_rip.psf", b"PSF\x01" + struct.pack("<III", 0, len(packed), zlib.crc32(packed)) + packed
  + b"[TAG]title=quodra sample\nlength=0:01\n")

# PSID version 2: the tune loads at $1000; init sets the volume, play returns.
code = bytes([0xa9, 0x0f, 0x8d, 0x18, 0xd4, 0x60, 0x60])
head = (b"PSID" + struct.pack(">HHHHHHHI", 2, 0x7c, 0, 0x1000, 0x1006, 1, 1, 0) + pad("quodra sample", 32)
        + pad("quodra", 32) + pad("2023 quodra", 32) + struct.pack(">HBBH", 0x0014, 0, 0, 0))
w("sv_tune.sid", head + struct.pack("<H", 0x1000) + code)

# XMF: a tree of one node holding a Standard MIDI File inline.
def vlq(value):
    out = [value & 0x7f]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7f))
        value >>= 7
    return bytes(reversed(out))
track = b"\0\xff\x51\x03\x07\xa1\x20\0\x90\x3c\x40\x60\x80\x3c\0\0\xff\x2f\0"
smf = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(track)) + track
def xmf(version_block):
    # node: length, item count 0 (a file node), header length, metadata length 0, unpackers length 0,
    # then the reference type 1 (inline resource) and the content.
    def node(length):
        header = vlq(length) + b"\0"
        header_len = len(header) + 1 + 2
        return header + vlq(header_len) + b"\0\0"
    length = 0
    for _ in range(4):
        n = node(length)
        content = n + b"\x01" + smf
        if len(content) == length:
            break
        length = len(content)
    for _ in range(4):
        tree_start = len(version_block) + 4
        head_len = len(version_block) + 4 + 0
        total = head_len + len(content)
        prefix = version_block + vlq(total) + vlq(0) + vlq(head_len) + vlq(total)
        head_len2 = len(prefix)
        total = head_len2 + len(content)
        prefix = version_block + vlq(total) + vlq(0) + vlq(head_len2) + vlq(total)
        if len(prefix) == head_len2:
            break
    return prefix + content
w("sv_song.xmf", xmf(b"XMF_1.00"))
w("sv_song.mxmf", xmf(b"XMF_2.00" + struct.pack(">II", 2, 1)))

# DSF (DSD stream file): one channel block of 4096 bytes per channel, silence pattern 0x69.
blocks = b"\x69" * (4096 * 2)
data = b"data" + struct.pack("<Q", 12 + len(blocks)) + blocks
fmt = b"fmt " + struct.pack("<QIIIIIIQII", 52, 1, 0, 2, 2, 2822400, 1, 4096 * 8, 4096, 0)
total = 28 + len(fmt) + len(data)
w("sv_dsd.dsf", b"DSD " + struct.pack("<QQQ", 28, total, 0) + fmt + data)

# DSDIFF: FRM8 form of type "DSD " with the version, the properties and a short stereo DSD chunk.
def chunk(ident, body):
    return ident + struct.pack(">Q", len(body)) + body + (b"\0" if len(body) % 2 else b"")
prop = b"SND " + chunk(b"FS  ", struct.pack(">I", 2822400)) + chunk(b"CHNL", struct.pack(">H", 2) + b"SLFTSRGT") \
    + chunk(b"CMPR", b"DSD " + bytes([14]) + b"not compressed" + b"\0")
body = b"DSD " + chunk(b"FVER", struct.pack(">I", 0x01050000)) + chunk(b"PROP", prop) + chunk(b"DSD ", b"\x69" * 2048)
w("sv_dsd.dff", b"FRM8" + struct.pack(">Q", len(body)) + body)

# Monkey's Audio 3.99: descriptor, header, a one-entry seek table, the WAVE header it keeps, and eight zero
# bytes standing in for the one frame (no Debian tool encodes the format).
wav_header = b"RIFF" + struct.pack("<I", 36 + 3200) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 16000, 32000, 2, 16) \
    + b"data" + struct.pack("<I", 3200)
frame = bytes(8)
desc_len, head_len = 52, 24
seek = struct.pack("<I", desc_len + head_len + 4 + len(wav_header))
descriptor = b"MAC " + struct.pack("<HHIIIIIII", 3990, 0, desc_len, head_len, 4, len(wav_header), len(frame), 0, 0) \
    + bytes(16)
header = struct.pack("<HHIIIHHI", 2000, 0, 73728, 1600, 1, 16, 1, 16000)
w("sv_sound.ape", descriptor + header + seek + wav_header + frame)

# Shorten version 2: a bit stream of variable-length numbers; the WAVE header rides verbatim, then silent
# blocks of one channel and the end command.
class Bits:
    def __init__(self):
        self.bits = []
    def put(self, value, count):
        self.bits += [(value >> (count - 1 - i)) & 1 for i in range(count)]
    def uvar(self, value, n):
        self.put(0, value >> n)
        self.put(1, 1)
        self.put(value & ((1 << n) - 1), n)
    def ulong(self, value):
        n = max(value.bit_length(), 1)
        self.uvar(n, 2)
        self.uvar(value, n)
    def data(self):
        bits = self.bits + [0] * (-len(self.bits) % 32)
        return bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))
b = Bits()
for value in (5, 1, 256, 0, 0, 0):   # file type s16 little-endian, channels, block size, LPC order, means, skip
    b.ulong(value)
wav_header = b"RIFF" + struct.pack("<I", 36 + 2048) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 16000, 32000, 2, 16) \
    + b"data" + struct.pack("<I", 2048)
b.uvar(9, 2)                       # verbatim
b.uvar(len(wav_header), 5)
for byte in wav_header:
    b.uvar(byte, 8)
for _ in range(4):
    b.uvar(8, 2)                   # a block of zeros
b.uvar(4, 2)                       # quit
w("sv_sound.shn", b"ajkg\x02" + b.data())

# DTS-HD: the header chunk, then the stream data chunk holding DTS core frames made by ffmpeg.
core = open("sv_core.dts", "rb").read()
def hd_chunk(ident, body):
    body += b"\0" * (-len(body) % 4)
    return ident + struct.pack(">Q", len(body)) + body
hdr = struct.pack(">I", 0) + bytes([0x00, 0, 0, 0, 0]) + bytes([0x05]) + struct.pack(">HBB", 0x0000, 1, 0)
w("sv_sound.dtshd", hd_chunk(b"DTSHDHDR", hdr) + hd_chunk(b"STRMDATA", core))

# AMR-WB storage: the magic line, then speech-absent frames and comfort-noise frames (SID, 40 bits).
frames = b""
for i in range(25):
    frames += bytes([0x4c]) + bytes([0x5a, 0x3c, 0x11, 0x80, 0x00]) if i % 8 == 0 else bytes([0x7c])
w("sv_speech.awb", b"#!AMR-WB\n" + frames)

# iriver playlist: a 512-byte header with the entry count and the mark, then one 512-byte UTF-16BE path each.
def entry(path, name_at):
    return struct.pack(">H", name_at) + pad(path.encode("utf-16-be"), 510)
w("sv_list.pla", struct.pack(">I", 2) + pad("iriver UMS PLA", 508)
  + entry("\\MUSIC\\first.mp3", 8) + entry("\\MUSIC\\second.mp3", 8))

# FLIC: an 8-bit animation of one frame (a palette chunk and a black frame), then the ring frame.
def flic_frame(chunks):
    body = b"".join(chunks)
    return struct.pack("<IHHH2xHH", 16 + len(body), 0xf1fa, len(chunks), 0, 0, 0) + body
def flic(kind, width, height, palette):
    frames = flic_frame([palette, struct.pack("<IH", 6, 13)]) + flic_frame([])
    head = struct.pack("<IHHHHHHIH", 128 + len(frames), kind, 1, width, height, 8, 3, 5 if kind == 0xaf11 else 70, 0)
    head += b"\0" * (80 - len(head)) + struct.pack("<II", 128, 128 + len(frames) - 16)
    return head + b"\0" * (128 - len(head)) + frames
pal256 = bytes((i * j) & 0xff for i in range(256) for j in (1, 2, 3))
pal64 = bytes((i * j) & 0x3f for i in range(256) for j in (1, 2, 3))
w("sv_anim.flc", flic(0xaf12, 32, 24, struct.pack("<IHHBB", 10 + 768, 4, 1, 0, 0) + pal256))
w("sv_anim.fli", flic(0xaf11, 320, 200, struct.pack("<IHHBB", 10 + 768, 11, 1, 0, 0) + pal64))

# NSV: the file header, then a sync frame and two short-sync frames carrying 16-bit PCM audio and no video;
# each PCM chunk opens with its sample size, channel count and rate.
pcm = struct.pack("<BBH", 16, 1, 8000) + bytes(160)
def nsv_sizes(video, audio, aux=0):
    return bytes([(aux & 0x0f) | ((video & 0x0f) << 4)]) + struct.pack("<HH", video >> 4, audio)
frames = b"NSVs" + b"NONE" + b"PCM " + struct.pack("<HHBH", 0, 0, 5, 0) + nsv_sizes(0, len(pcm)) + pcm
frames += (b"\xef\xbe" + nsv_sizes(0, len(pcm)) + pcm) * 2
w("sv_stream.nsv", b"NSVf" + struct.pack("<IIIIII", 28, 28 + len(frames), 600, 0, 0, 0) + frames)

# SGI movie (version 3): the mark, the version and an empty parameter list.
w("sv_clip.movie", b"MOVI" + struct.pack(">I", 3) + bytes(24))

# Bink video: the 44-byte header, the frame index and one key frame.
frame = bytes(16)
index = struct.pack("<II", (44 + 8) | 1, 44 + 8 + len(frame))
head = b"BIKi" + struct.pack("<IIIIIIIIII", 44 + len(index) + len(frame) - 8, 1, len(frame), 1, 32, 24, 15, 1, 0, 0)
w("sv_clip.bik", head + index + frame)
# Bink 2 keeps the layout under its own mark, "KB2" and the revision letter.
w("sv_clip.bk2", b"KB2j" + head[4:] + index + frame)

# Smacker video: the 104-byte header, frame sizes and types, the four trees absent, one frame.
frame = bytes(4)
head = b"SMK2" + struct.pack("<IIIi I", 32, 24, 1, 100, 0) + bytes(28) + struct.pack("<IIIII", 4, 0, 0, 0, 0) \
    + bytes(28) + bytes(4)
w("sv_clip.smk", head + struct.pack("<I", len(frame)) + b"\0" + bytes(4) + frame)

# Animated cursor: RIFF ACON with its header and two cursor frames made by icotool.
def riff_chunk(ident, body):
    return ident + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")
cursors = [open("sv_arrow%d.cur" % n, "rb").read() for n in (1, 2)]
anih = struct.pack("<IIIIIIIII", 36, 2, 2, 0, 0, 0, 0, 10, 1)
fram = b"fram" + b"".join(riff_chunk(b"icon", c) for c in cursors)
body = b"ACON" + riff_chunk(b"anih", anih) + riff_chunk(b"LIST", fram)
w("sv_cursor.ani", b"RIFF" + struct.pack("<I", len(body)) + body)

# Annodex: Ogg with a Skeleton (fishead) stream first and a CMML stream second, then the media streams'
# pages made by ffmpeg, and the fisbone packets that describe each track.
def crc32_ogg(data):
    crc = 0
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04c11db7) if crc & 0x80000000 else crc << 1
            crc &= 0xffffffff
    return crc
def ogg_page(serial, sequence, packet, flags, granule=0):
    segments = [255] * (len(packet) // 255) + [len(packet) % 255]
    page = bytearray(b"OggS" + struct.pack("<BBqIII", 0, flags, granule, serial, sequence, 0)
                     + bytes([len(segments)]) + bytes(segments) + packet)
    struct.pack_into("<I", page, 22, crc32_ogg(bytes(page)))
    return bytes(page)
def ogg_pages(name):
    data, pages, at = open(name, "rb").read(), [], 0
    while at < len(data):
        count = data[at + 26]
        size = 27 + count + sum(data[at + 27:at + 27 + count])
        pages.append(data[at:at + size])
        at += size
    return pages
SKELETON, CMML = 0x51d00001, 0x51d00002
fishead = b"fishead\0" + struct.pack("<HHqqqq", 3, 0, 0, 1000, 0, 1000) + bytes(20)
cmml_ident = b"CMML\0\0\0\0" + struct.pack("<HHqqB", 2, 0, 1000, 1, 32)
def fisbone(serial, headers, rate, content_type):
    message = ("Content-Type: %s\r\n" % content_type).encode()
    return b"fisbone\0" + struct.pack("<IIIqqqIB3x", 44, serial, headers, rate[0], rate[1], 0, 0, 0) + message
def annodex(media):
    pages = ogg_pages(media) if media else []
    bos = [p for p in pages if p[5] & 2]
    rest = [p for p in pages if not p[5] & 2]
    streams = []
    for p in bos:
        serial = struct.unpack_from("<I", p, 14)[0]
        packet = p[27 + p[26]:]
        if packet[1:7] == b"theora":
            streams.append((serial, 3, (5, 1), "video/theora"))
        else:
            streams.append((serial, 3, (8000, 1), "audio/vorbis"))
    out = ogg_page(SKELETON, 0, fishead, 2) + ogg_page(CMML, 0, cmml_ident, 2) + b"".join(bos)
    sequence = 1
    for serial, headers, rate, content_type in [(CMML, 3, (1000, 1), "text/x-cmml")] + streams:
        out += ogg_page(SKELETON, sequence, fisbone(serial, headers, rate, content_type), 0)
        sequence += 1
    out += ogg_page(SKELETON, sequence, b"", 4)
    preamble = b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    head = b"<head><title>quodra sample</title></head>"
    clip = b'<clip id="c1" start="npt:0"><desc>quodra sample</desc></clip>'
    out += ogg_page(CMML, 1, preamble, 0) + ogg_page(CMML, 2, head, 0) + ogg_page(CMML, 3, clip, 4, 0)
    return out + b"".join(rest)
w("sv_video.axv", annodex("sv_media.ogv"))
w("sv_audio.axa", annodex("sv_media.oga"))
w("sv_notes.anx", annodex(None))
PYTHON

put xm_module xm "written by this script from the format's documentation" sv_module.xm
put it_module it "written by this script from the format's documentation" sv_module.it
put s3m_module s3m "written by this script from the format's documentation" sv_module.s3m
put stm_song stm "written by this script from the format's documentation" sv_song.stm
put mod_protracker mod "written by this script from the format's documentation" sv_module.mod
put mod_8chn mod "written by this script from the format's documentation" sv_module8.mod
put mtm_module mtm,mod "written by this script from the format's documentation" sv_module.mtm
put ult_module ult,mod "written by this script from the format's documentation" sv_module.ult
put med_mmd0 med,mod "written by this script from the format's documentation" sv_module.med
put mo3_module mo3 "written by this script from the format's documentation (the header; the packed music is a stand-in)" sv_module.mo3
put psf_playstation psf,minipsf "written by this script from the format's documentation" sv_rip.psf
put sid_psid sid,psid "written by this script from the format's documentation" sv_tune.sid
put xmf_smf xmf "written by this script from the format's documentation" sv_song.xmf
put mxmf_smf mxmf,xmf "written by this script from the format's documentation" sv_song.mxmf
put dsf_dsd dsf "written by this script from the format's documentation" sv_dsd.dsf
put dff_dsd dff "written by this script from the format's documentation" sv_dsd.dff
put ape_mac ape "written by this script from the format's documentation (the headers; the frame is a stand-in)" sv_sound.ape
put shn_shorten shn "written by this script from the format's documentation" sv_sound.shn
put dtshd_core dtshd "written by this script from the format's documentation around ffmpeg's DTS core frames" sv_sound.dtshd
put awb_amr_wb awb "written by this script from the format's documentation" sv_speech.awb
put pla_iriver pla "written by this script from the format's documentation" sv_list.pla
put flc_flic flc "written by this script from the format's documentation" sv_anim.flc
put fli_flic fli "written by this script from the format's documentation" sv_anim.fli
put nsv_stream nsv "written by this script from the format's documentation" sv_stream.nsv
put sgi_movie movie "written by this script from the format's documentation (the header only)" sv_clip.movie
put bik_bink bik "written by this script from the format's documentation (the headers; the frame is a stand-in)" sv_clip.bik
put bk2_bink2 bk2 "written by this script from the format's documentation (the headers; the frame is a stand-in)" sv_clip.bk2
put smk_smacker smk "written by this script from the format's documentation (the headers; the frame is a stand-in)" sv_clip.smk
put ani_cursor ani "written by this script from the format's documentation around icotool's cursors" sv_cursor.ani
put axv_annodex axv,anx "written by this script from the format's documentation around ffmpeg's Ogg pages" sv_video.axv
put axa_annodex axa,anx "written by this script from the format's documentation around ffmpeg's Ogg pages" sv_audio.axa
put anx_cmml anx "written by this script from the format's documentation" sv_notes.anx
cd ..
