#!/usr/bin/env python3
"""Small files of kinds no Debian tool writes, each built from its format's documentation: a header and a
minimal body. tools/samples/pictures.sh runs it in its work folder.

  pictures_written.py                    writes NAME.bin for every kind below, and the system areas of the discs
  pictures_written.py cso IN.iso OUT     compresses a disc image into a CSO file
"""
import datetime
import struct
import sys
import zlib


def write(name, data):
    with open(name, "wb") as out:
        out.write(data)


def pad(data, size, fill=b"\0"):
    assert len(data) <= size, (len(data), size)
    return data + fill * (size - len(data))


def rgba_4x4():
    """A 4x4 picture, 8 bits a channel: a red-to-blue ramp."""
    return bytes(v for i in range(16) for v in (255 - 16 * i, 64, 16 * i, 255))


def ktx1():
    header = b"\xABKTX 11\xBB\r\n\x1A\n" + struct.pack(
        "<13I", 0x04030201, 0x1401, 1, 0x1908, 0x8058, 0x1908, 4, 4, 0, 0, 1, 1, 0)
    pixels = rgba_4x4()
    return header + struct.pack("<I", len(pixels)) + pixels


def ktx2():
    pixels = rgba_4x4()
    # Data format descriptor: one basic block, RGBSDA colour model, four 8-bit samples.
    samples = b""
    for index, channel in enumerate((0, 1, 2, 15)):
        samples += struct.pack("<HBB4BII", index * 8, 7, channel, 0, 0, 0, 0, 0, 255)
    block = struct.pack("<IHH4B4B8B", 0, 2, 24 + len(samples), 1, 1, 1, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0)
    dfd = struct.pack("<I", 4 + len(block) + len(samples)) + block + samples
    header_size = 12 + 9 * 4 + 4 * 4 + 2 * 8
    level_index_size = 3 * 8
    dfd_offset = header_size + level_index_size
    data_offset = dfd_offset + len(dfd)
    data_offset += (-data_offset) % 4
    header = b"\xABKTX 20\xBB\r\n\x1A\n" + struct.pack("<9I", 37, 1, 4, 4, 0, 0, 1, 1, 0)
    header += struct.pack("<4I2Q", dfd_offset, len(dfd), 0, 0, 0, 0)
    level = struct.pack("<3Q", data_offset, len(pixels), len(pixels))
    body = header + level + dfd
    return pad(body, data_offset) + pixels


def qtif():
    """QuickTime image: an image description atom for Photo JPEG, then the JPEG data atom."""
    jpeg = open("pic_qt.jpg", "rb").read()
    name = b"Photo - JPEG"
    desc = struct.pack(">I4sIHH", 86, b"jpeg", 0, 0, 0)
    desc += struct.pack(">HH4sIIHHIIIH", 0, 0, b"appl", 0, 0x200, 16, 16, 72 << 16, 72 << 16, len(jpeg), 1)
    desc += pad(bytes([len(name)]) + name, 32) + struct.pack(">hh", 24, -1)
    assert len(desc) == 86
    return struct.pack(">I4s", 8 + len(desc), b"idsc") + desc + struct.pack(">I4s", 8 + len(jpeg), b"idat") + jpeg


def skencil():
    return (b"##Sketch 1 2\n"
            b"document()\n"
            b"layout('A4',0)\n"
            b"layer('Layer 1',1,1,0,0,(0,0,0))\n"
            b"fp((0.125,0.314,0.816))\n"
            b"lw(1)\n"
            b"r(100,0,0,60,50,50)\n"
            b"guidelayer('Guide Lines',1,0,0,1,(0,0,1))\n"
            b"grid((0,0,20,20),0,(0,0,1),'Grid')\n")


def iges():
    """One line entity (type 110) in the fixed 80-column form: start, global, directory, parameter, end."""
    def lines(text, letter):
        out, number = [], 0
        for piece in text:
            number += 1
            out.append(piece.ljust(72) + letter + str(number).rjust(7))
        return out, number
    start, s_count = lines(["Quodra sample: one line"], "S")
    globals_text = ("1H,,1H;,6HQUODRA,8HLINE.IGS,6HQUODRA,6HQUODRA,32,38,6,308,15,6HQUODRA,1.,2,2HMM,1,1.,"
                    "15H20231114.221320,1.E-08,100.,6HQUODRA,6HQUODRA,11,0,15H20231114.221320;")
    pieces = [globals_text[i:i + 72] for i in range(0, len(globals_text), 72)]
    glob, g_count = lines(pieces, "G")
    entry = ["     110       1       0       0       0       0       0       000000000",
             "     110       0       0       1       0                               0"]
    directory, d_count = lines(entry, "D")
    parameter_text = "110,0.,0.,0.,10.,10.,0.;"
    parameter = [parameter_text.ljust(64) + "1".rjust(8) + "P" + "1".rjust(7)]
    end = ["S%7dG%7dD%7dP%7d" % (s_count, g_count, d_count, 1) + " " * 40 + "T" + "1".rjust(7)]
    return ("\n".join(start + glob + directory + parameter + end) + "\n").encode("ascii")


def ips():
    """An IPS patch: two records, one of them run-length, then the end mark."""
    body = b"PATCH"
    body += (0x000010).to_bytes(3, "big") + struct.pack(">H", 5) + b"QUODR"
    body += (0x000100).to_bytes(3, "big") + struct.pack(">H", 0) + struct.pack(">H", 16) + b"\xEA"
    return body + b"EOF"


def bps_number(value):
    out = b""
    while True:
        x = value & 0x7F
        value >>= 7
        if value == 0:
            return out + bytes([0x80 | x])
        out += bytes([x])
        value -= 1


def bps():
    """A BPS patch that turns 32 zero bytes into the same 32 bytes with a word written at 8."""
    source = bytes(32)
    target = bytearray(source)
    target[8:14] = b"QUODRA"
    body = b"BPS1" + bps_number(len(source)) + bps_number(len(target)) + bps_number(0)
    # SourceRead of 8 bytes, TargetRead of the 6 new ones, SourceRead of the remaining 18.
    body += bps_number(((8 - 1) << 2) | 0)
    body += bps_number(((6 - 1) << 2) | 1) + b"QUODRA"
    body += bps_number(((18 - 1) << 2) | 0)
    body += struct.pack("<II", zlib.crc32(source), zlib.crc32(bytes(target)))
    return body + struct.pack("<I", zlib.crc32(body))


def amiga_checksum(block, at):
    total = 0
    for i in range(0, 512, 4):
        if i != at:
            total = (total + struct.unpack(">I", block[i:i + 4])[0]) & 0xFFFFFFFF
    return (-total) & 0xFFFFFFFF


def adf():
    """An empty double-density Amiga floppy (880 KB) in the Original File System: boot block, root block and
    bitmap block."""
    disk = bytearray(901120)
    boot = bytearray(1024)
    boot[0:4] = b"DOS\0"
    struct.pack_into(">I", boot, 8, 880)
    total = 0
    for i in range(0, 1024, 4):
        total += struct.unpack(">I", boot[i:i + 4])[0]
        if total > 0xFFFFFFFF:
            total = (total + 1) & 0xFFFFFFFF
    struct.pack_into(">I", boot, 4, (~total) & 0xFFFFFFFF)
    disk[0:1024] = boot
    # 2023-11-14 22:13:20 as days since 1978-01-01, minutes past midnight and fiftieths of a second.
    days = (datetime.date(2023, 11, 14) - datetime.date(1978, 1, 1)).days
    minutes, ticks = 22 * 60 + 13, 20 * 50
    root = bytearray(512)
    struct.pack_into(">IIII", root, 0, 2, 0, 0, 72)
    struct.pack_into(">i", root, 312, -1)         # bitmap valid
    struct.pack_into(">I", root, 316, 881)        # first bitmap block
    struct.pack_into(">III", root, 420, days, minutes, ticks)
    name = b"QUODRA"
    root[432] = len(name)
    root[433:433 + len(name)] = name
    struct.pack_into(">III", root, 472, days, minutes, ticks)
    struct.pack_into(">III", root, 484, days, minutes, ticks)
    struct.pack_into(">i", root, 508, 1)          # secondary type: root
    struct.pack_into(">I", root, 20, amiga_checksum(root, 20))
    disk[880 * 512:881 * 512] = root
    bitmap = bytearray(512)
    free = bytearray(b"\xFF" * 508)
    for used in (880, 881):
        bit = used - 2
        free[(bit // 32) * 4 + 3 - (bit % 32) // 8] &= ~(1 << (bit % 8)) & 0xFF
    # The map holds blocks 2 to 1759 (1758 bits in 55 longs): the bits past them and the unused longs are clear.
    for i in range(55 * 4, 508):
        free[i] = 0
    for bit in range(1758, 55 * 32):
        free[(bit // 32) * 4 + 3 - (bit % 32) // 8] &= ~(1 << (bit % 8)) & 0xFF
    bitmap[4:] = free
    struct.pack_into(">I", bitmap, 0, amiga_checksum(bitmap, 0))
    disk[881 * 512:882 * 512] = bitmap
    return bytes(disk)


NINTENDO_LOGO = bytes.fromhex(
    "CEED6666CC0D000B03730083000C000D0008111F8889000EDCCC6EE6DDDDD999BBBB67636E0EECCCDDDC999FBBB9333E")


def game_boy(color):
    rom = bytearray(32768)
    rom[0x100:0x104] = b"\x00\xC3\x50\x01"              # nop; jp $0150
    rom[0x104:0x134] = NINTENDO_LOGO
    title = b"QUODRA"
    rom[0x134:0x134 + len(title)] = title
    rom[0x143] = 0x80 if color else 0x00
    rom[0x144:0x146] = b"00"
    rom[0x147] = 0x00                                  # ROM only
    rom[0x148] = 0x00                                  # 32 KB
    rom[0x14A] = 0x01
    rom[0x14B] = 0x33
    check = 0
    for i in range(0x134, 0x14D):
        check = (check - rom[i] - 1) & 0xFF
    rom[0x14D] = check
    rom[0x150:0x153] = b"\xF3\x18\xFE"                # di; jr -2
    total = sum(rom) & 0xFFFF
    struct.pack_into(">H", rom, 0x14E, total)
    return bytes(rom)


def mega_drive(system, size=8192):
    rom = bytearray(size)
    struct.pack_into(">II", rom, 0, 0x00FFFE00, 0x00000200)
    text = [(0x100, system), (0x110, b"(C)QDRA 2023.NOV"), (0x120, b"QUODRA SAMPLE"), (0x150, b"QUODRA SAMPLE"),
            (0x180, b"GM 00000000-00"), (0x190, b"J"), (0x1B0, b""), (0x1F0, b"JUE")]
    widths = {0x100: 16, 0x110: 16, 0x120: 48, 0x150: 48, 0x180: 14, 0x190: 16, 0x1B0: 64, 0x1F0: 16}
    for at, value in text:
        rom[at:at + widths[at]] = value.ljust(widths[at], b" ")
    struct.pack_into(">IIII", rom, 0x1A0, 0, size - 1, 0xFF0000, 0xFFFFFF)
    rom[0x200:0x202] = b"\x60\xFE"                    # bra.s *
    if system.startswith(b"SEGA 32X"):
        rom[0x3C0:0x3D0] = b"MARS CHECK MODE "
    total = 0
    for i in range(0x200, size, 2):
        total = (total + struct.unpack(">H", rom[i:i + 2])[0]) & 0xFFFF
    struct.pack_into(">H", rom, 0x18E, total)
    return bytes(rom)


def n64():
    rom = bytearray(8192)
    struct.pack_into(">IIII", rom, 0, 0x80371240, 0x0000000F, 0x80000400, 0x0000144C)
    rom[0x20:0x34] = b"QUODRA SAMPLE".ljust(20, b" ")
    rom[0x3B:0x40] = b"NQDE\0"
    struct.pack_into(">II", rom, 0x1000, 0x1000FFFF, 0x00000000)   # b . ; nop
    return bytes(rom)


def byte_swapped(data):
    out = bytearray(data)
    out[0::2], out[1::2] = data[1::2], data[0::2]
    return bytes(out)


def neo_geo_pocket(color):
    rom = bytearray(4096)
    rom[0:28] = b"COPYRIGHT BY SNK CORPORATION"
    struct.pack_into("<IHBB", rom, 0x1C, 0x200040, 0x0001, 0x00, 0x10 if color else 0x00)
    rom[0x24:0x30] = b"QUODRA".ljust(12, b" ")
    rom[0x40:0x42] = b"\x68\xFE"                      # jr -2
    return bytes(rom)


def atari_7800():
    body = bytearray(b"\xFF" * 16384)
    body[0:3] = b"\x4C\x00\xC0"                       # jmp $C000
    struct.pack_into("<HHH", body, 16384 - 6, 0xC000, 0xC000, 0xC000)
    header = bytearray(128)
    header[0] = 1
    header[1:17] = b"ATARI7800".ljust(16, b"\0")
    header[17:49] = b"QUODRA SAMPLE".ljust(32, b"\0")
    struct.pack_into(">IH", header, 49, len(body), 0)
    header[55] = 1                                    # joystick
    header[56] = 1
    header[100:128] = b"ACTUAL CART DATA STARTS HERE"
    return bytes(header) + bytes(body)


def fds():
    """One side of a Famicom Disk System disk without the emulator's header: disk info block, file amount block,
    then one file's header and data blocks."""
    side = bytearray()
    info = bytearray(56)
    info[0] = 1
    info[1:15] = b"*NINTENDO-HVC*"
    info[15] = 0x00
    info[16:19] = b"QDR"
    info[19] = 0x20
    info[22] = 0
    info[23] = 0
    info[24] = 0
    info[25] = 0
    side += info
    side += b"\x02\x01"                               # one file
    name = b"QUODRA\0\0"
    data = b"Quodra sample file\n"
    side += bytes([3, 0, 0]) + name + struct.pack("<HHB", 0x6000, len(data), 0)
    side += b"\x04" + data
    return pad(bytes(side), 65500)


def n3ds_cci():
    """A card image with an empty partition table: the NCSD header after its signature, then the card info."""
    image = bytearray(0x4000)
    image[0x100:0x104] = b"NCSD"
    struct.pack_into("<I", image, 0x104, len(image) // 0x200)
    image[0x108:0x110] = b"QUODRA00"
    return bytes(image)


def n3dsx():
    code = struct.pack("<I", 0xE12FFF1E)              # bx lr
    header = struct.pack("<4sHHIIIIII", b"3DSX", 32, 8, 0, 0, len(code), 0, 0, 0)
    relocations = struct.pack("<II", 0, 0) * 3
    return header + relocations + code


def wii_disc(gamecube):
    image = bytearray(0x2440)
    image[0:6] = b"GQDE01" if gamecube else b"RQDE01"
    if gamecube:
        struct.pack_into(">I", image, 0x1C, 0xC2339F3D)
    else:
        struct.pack_into(">I", image, 0x18, 0x5D1C9EA3)
    image[0x20:0x20 + 13] = b"QUODRA SAMPLE"
    return bytes(image)


def wii_wad():
    """An installable WAD: header, certificate chain, ticket, title metadata and content, each 64-byte aligned."""
    sizes = {"cert": 0xA00, "ticket": 0x2A4, "tmd": 0x208, "data": 0x40}
    header = struct.pack(">I2sHIIIIII", 0x20, b"Is", 0, sizes["cert"], 0, sizes["ticket"], sizes["tmd"],
                         sizes["data"], 0)
    out = pad(header, 0x40)
    for part in ("cert", "ticket", "tmd", "data"):
        out += bytes(sizes[part]) + bytes((-sizes[part]) % 64)
    return out


def hfe():
    """An HxC floppy image of one track on two sides, 256 bytes each, in 512-byte blocks."""
    header = struct.pack("<8sBBBBHHBBHBBBBBB", b"HXCPICFE", 0, 1, 2, 0, 250, 300, 7, 1, 1, 0xFF, 0xFF, 0xFF,
                         0, 0xFF, 0)
    track_list = struct.pack("<HH", 2, 512)
    track = bytes([0xAA]) * 256 + bytes([0x55]) * 256
    return pad(header, 512, b"\xFF") + pad(track_list, 512, b"\xFF") + track


SAP_CRC = (0x0000, 0x1081, 0x2102, 0x3183, 0x4204, 0x5285, 0x6306, 0x7387,
           0x8408, 0x9489, 0xA50A, 0xB58B, 0xC60C, 0xD68D, 0xE70E, 0xF78F)


def sap_crc(data):
    crc = 0xFFFF
    for byte in data:
        for nibble in (byte & 0x0F, byte >> 4):
            crc = ((crc >> 4) & 0x0FFF) ^ SAP_CRC[(crc ^ nibble) & 0x0F]
    return crc


def sap():
    """A Thomson SAP archive of a single-density 5.25-inch disk: 40 tracks of 16 sectors of 128 bytes, each
    sector with its format, protection, track and sector bytes, its data and its CRC; the data is stored XORed
    with B3h."""
    out = bytearray(b"\x02" + b"SYSTEME D'ARCHIVAGE PUKALL S.A.P. (c) Alexandre PUKALL Avril 1998")
    for track in range(40):
        for sector in range(1, 17):
            data = bytes([0xE5]) * 128
            head = bytes([1, 0, track, sector])
            crc = sap_crc(head + data)
            out += head + bytes(b ^ 0xB3 for b in data) + struct.pack(">H", crc)
    return bytes(out)


def sega_system_areas():
    """The first sector of a disc of a Sega machine, each after its manufacturer's boot header layout, padded to
    the 32 KB system area of ISO 9660."""
    segacd = pad(b"SEGADISCSYSTEM  QUODRA     \0\x01\x00\x00\x01", 0x100) + \
        b"SEGA MEGA DRIVE " + b"(C)QDRA 2023.NOV" + b"QUODRA SAMPLE".ljust(48) + b"QUODRA SAMPLE".ljust(48)
    saturn = b"SEGA SEGASATURN " + b"SEGA TP QUODRA  " + b"T-00000G  " + b"V1.000" + b"20231114" + \
        b"CD-1/1  " + b"JTUBKAEL  " + b"      " + b"J               " + b"QUODRA SAMPLE".ljust(112)
    dreamcast = b"SEGA SEGAKATANA " + b"SEGA ENTERPRISES" + b"0000 GD-ROM1/1  " + b"JUE       " + \
        b"0799A10 " + b"T0000   " + b"V1.000" + b"20231114" + b"        " + b"1ST_READ.BIN    " + \
        b"QUODRA          " + b"QUODRA SAMPLE".ljust(128)
    for name, data in (("segacd", segacd), ("saturn", saturn), ("dreamcast", dreamcast)):
        write("sysarea_%s.bin" % name, pad(data, 32768))


def cso(source, target):
    """CSO: 24-byte header, an index of block offsets (top bit: stored), then each 2 KB block deflated."""
    data = open(source, "rb").read()
    block = 2048
    count = (len(data) + block - 1) // block
    header = b"CISO" + struct.pack("<IQIBBH", 24, len(data), block, 1, 0, 0)
    offset = len(header) + 4 * (count + 1)
    index, blocks = [], []
    for i in range(count):
        raw = data[i * block:(i + 1) * block]
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = packer.compress(raw) + packer.flush()
        if len(packed) >= len(raw):
            index.append(offset | 0x80000000)
            packed = raw
        else:
            index.append(offset)
        blocks.append(packed)
        offset += len(packed)
    index.append(offset)
    write(target, header + struct.pack("<%dI" % len(index), *index) + b"".join(blocks))


def tiff_ifd(entries, offset):
    """A little-endian TIFF directory at OFFSET: (tag, type, count, value) entries, values over 4 bytes after it."""
    entries = sorted(entries)
    out = struct.pack("<H", len(entries))
    extra = b""
    base = offset + 2 + 12 * len(entries) + 4
    for tag, kind, count, value in entries:
        if isinstance(value, bytes):
            if len(value) <= 4:
                out += struct.pack("<HHI", tag, kind, count) + value.ljust(4, b"\0")
            else:
                out += struct.pack("<HHII", tag, kind, count, base + len(extra))
                extra += value + b"\0" * (len(value) % 2)
        elif kind == 3:
            out += struct.pack("<HHIH2x", tag, kind, count, value)
        else:
            out += struct.pack("<HHII", tag, kind, count, value)
    return out + struct.pack("<I", 0) + extra


RAW_WIDTH, RAW_HEIGHT = 32, 24   # dcraw takes nothing under 22 pixels a side for a raw image


def tiff_raw(magic, make, model, ifd_at):
    """A TIFF-structured raw file (Olympus, Panasonic): the maker's mark in place of TIFF's, one directory with
    the camera's make and model and one strip of 16-bit colour filter array samples."""
    pixels = bytes(2 * RAW_WIDTH * RAW_HEIGHT)
    head = (magic + struct.pack("<I", ifd_at)).ljust(ifd_at, b"\0")
    def entries(strip):
        return [(271, 2, len(make) + 1, make + b"\0"), (272, 2, len(model) + 1, model + b"\0"),
                (256, 4, 1, RAW_WIDTH), (257, 4, 1, RAW_HEIGHT), (258, 3, 1, 16), (259, 3, 1, 1),
                (262, 3, 1, 32803), (273, 4, 1, strip), (277, 3, 1, 1), (278, 4, 1, RAW_HEIGHT),
                (279, 4, 1, len(pixels))]
    strip = len(head) + len(tiff_ifd(entries(0), ifd_at))
    return head + tiff_ifd(entries(strip), ifd_at) + pixels


def tiff_make_model(make, model):
    """A big-endian TIFF holding only the camera's make and model."""
    make += b"\0"
    model += b"\0"
    data_at = 8 + 2 + 12 * 2 + 4
    out = b"MM\0*" + struct.pack(">IH", 8, 2)
    out += struct.pack(">HHII", 271, 2, len(make), data_at)
    out += struct.pack(">HHII", 272, 2, len(model), data_at + len(make))
    return out + struct.pack(">I", 0) + make + model


def minolta_mrw():
    """Minolta raw: the MRM block holding the picture raw dimensions (PRD) and a TIFF block (TTW), then the
    12-bit packed samples."""
    prd = b"21810002" + struct.pack(">HHHHBBBBH", RAW_HEIGHT, RAW_WIDTH, RAW_HEIGHT, RAW_WIDTH, 12, 12, 0x59, 0, 1)
    ttw = tiff_make_model(b"MINOLTA", b"DiMAGE A1")
    blocks = b"\0PRD" + struct.pack(">I", len(prd)) + prd + b"\0TTW" + struct.pack(">I", len(ttw)) + ttw
    return b"\0MRM" + struct.pack(">I", len(blocks)) + blocks + bytes(RAW_WIDTH * RAW_HEIGHT * 3 // 2)


def canon_crw():
    """Canon raw in the Camera Image File Format: a 26-byte header, then a heap of records whose table and its
    offset close the file: make and model, image info, sensor info and the raw data."""
    heap, records = b"", []
    def add(kind, data):
        nonlocal heap
        records.append((kind, len(data), len(heap)))
        heap += data + b"\0" * (len(data) % 2)
    add(0x080A, b"Canon\0Canon PowerShot G5\0")
    add(0x1810, struct.pack("<IIfI", RAW_WIDTH, RAW_HEIGHT, 1.0, 0))
    add(0x1031, struct.pack("<8H", 0, RAW_WIDTH, RAW_HEIGHT, 0, 0, RAW_WIDTH - 1, RAW_HEIGHT - 1, 0))
    add(0x2005, bytes(RAW_WIDTH * RAW_HEIGHT * 10 // 8))
    table = len(heap)
    heap += struct.pack("<H", len(records)) + b"".join(struct.pack("<HII", *r) for r in records)
    heap += struct.pack("<I", table)
    return b"II" + struct.pack("<I", 26) + b"HEAPCCDR" + struct.pack("<I", 0x00010002) + bytes(8) + heap


def fuji_raf():
    """Fujifilm raw: the RAF header with the camera's name and the offsets of the preview JPEG (whose Exif block
    names the maker), of the CFA header (raw and image sizes) and of the 16-bit samples."""
    jpeg = open("raf_thumb.jpg", "rb").read()
    exif = b"Exif\0\0" + tiff_make_model(b"FUJIFILM", b"FinePix S5600")
    thumb = b"\xFF\xD8\xFF\xE1" + struct.pack(">H", len(exif) + 2) + exif + jpeg[2:]
    cfa_header = struct.pack(">I", 2) + struct.pack(">HHHH", 0x100, 4, RAW_HEIGHT, RAW_WIDTH)
    cfa_header += struct.pack(">HHHH", 0x121, 4, RAW_HEIGHT, RAW_WIDTH)
    thumb_at = 0x80
    cfa_header_at = thumb_at + len(thumb)
    cfa_at = cfa_header_at + len(cfa_header)
    pixels = bytes(2 * RAW_WIDTH * RAW_HEIGHT)
    head = b"FUJIFILMCCD-RAW 0201FF383501" + b"FinePix S5600".ljust(32, b"\0") + b"0100" + bytes(20)
    head += struct.pack(">6I", thumb_at, len(thumb), cfa_header_at, len(cfa_header), cfa_at, len(pixels))
    return pad(head, thumb_at) + thumb + cfa_header + pixels


def sigma_x3f():
    """Sigma raw (X3F): the FOVb header with the image size, a property section (maker and model in UTF-16),
    an image section of raw samples, and the section directory whose offset closes the file."""
    head = pad(b"FOVb" + struct.pack("<I", 0x00020002) + bytes(16) + struct.pack("<4I", 0, RAW_WIDTH, RAW_HEIGHT, 0),
               256)
    chars, table = b"", b""
    properties = (("CAMMANUF", "SIGMA"), ("CAMMODEL", "SIGMA SD10"))
    for name, value in properties:
        name_at = len(chars) // 2
        chars += (name + "\0").encode("utf-16-le")
        value_at = len(chars) // 2
        chars += (value + "\0").encode("utf-16-le")
        table += struct.pack("<II", name_at, value_at)
    prop = b"SECp" + struct.pack("<5I", 0x00020000, len(properties), 0, 0, len(chars) // 2) + table + chars
    image = b"SECi" + struct.pack("<6I", 0x00020000, 3, 6, RAW_WIDTH, RAW_HEIGHT, RAW_WIDTH * 4)
    image += bytes(RAW_WIDTH * RAW_HEIGHT * 4)
    body, entries = head, b""
    for kind, section in ((b"PROP", prop), (b"IMAG", image)):
        entries += struct.pack("<II4s", len(body), len(section), kind)
        body += section + bytes((-len(section)) % 4)
    directory_at = len(body)
    body += b"SECd" + struct.pack("<II", 0x00020000, 2) + entries
    return body + struct.pack("<I", directory_at)


def box(kind, content):
    return struct.pack(">I4s", 8 + len(content), kind) + content


def jpm():
    """JPEG 2000 compound image (JPM): signature, file type and reader requirements boxes, the compound image
    header, the main page collection with its page table, and one white page of 2480 by 3508 pixels (A4 at
    300 dpi) without layout objects."""
    head = box(b"jP  ", b"\r\n\x87\n") + box(b"ftyp", b"jpm " + struct.pack(">I", 0) + b"jpm ")
    head += box(b"rreq", struct.pack(">BBBHH", 1, 0, 0, 0, 0))
    mhdr_size = 8 + 4 + 1 + 1 + 8 + 4 + 1 + 1 + 1
    pcol_at = len(head) + mhdr_size
    pcol_size = 8 + 8 + 4 + 8 + 4 + 2 + 1
    page_at = pcol_at + pcol_size
    resolution = box(b"resd", struct.pack(">HHHHbb", 11811, 1, 11811, 1, 0, 0))   # pixels a metre
    page = box(b"page", box(b"phdr", struct.pack(">HIIHH", 0, 3508, 2480, 1, 1)) + box(b"res ", resolution))
    pcol = box(b"pcol", box(b"pagt", struct.pack(">IQIHB", 1, page_at, len(page), 0, 1)))
    assert len(pcol) == pcol_size
    mhdr = box(b"mhdr", struct.pack(">IBBQIBBB", 1, 0, 1, pcol_at, len(pcol), 0, 0, 0))
    assert len(mhdr) == mhdr_size
    return head + mhdr + pcol + page


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "cso":
        cso(sys.argv[2], sys.argv[3])
        return
    files = {
        "jpm_page": jpm(), "ktx1_rgba8": ktx1(), "ktx2_rgba8": ktx2(), "qtif_jpeg": qtif(), "skencil_drawing": skencil(),
        "iges_line": iges(), "ips_patch": ips(), "bps_patch": bps(), "adf_ofs": adf(),
        "gb_rom": game_boy(False), "gbc_rom": game_boy(True), "genesis_rom": mega_drive(b"SEGA MEGA DRIVE "),
        "genesis_us_rom": mega_drive(b"SEGA GENESIS    "),
        "sega32x_rom": mega_drive(b"SEGA 32X        "), "pico_rom": mega_drive(b"SEGA PICO       "),
        "n64_z64": n64(), "n64_v64": byte_swapped(n64()), "ngp_rom": neo_geo_pocket(False),
        "ngpc_rom": neo_geo_pocket(True), "a78_rom": atari_7800(), "fds_disk": fds(), "n3ds_cci": n3ds_cci(),
        "n3dsx_program": n3dsx(), "wii_disc": wii_disc(False), "gamecube_disc": wii_disc(True),
        "wii_wad": wii_wad(), "hfe_floppy": hfe(), "sap_floppy": sap(),
        "orf_raw": tiff_raw(b"IIRO", b"OLYMPUS IMAGING CORP.", b"E-M10", 8),
        "rw2_raw": tiff_raw(b"IIU\0", b"Panasonic", b"DMC-GF1", 0x18),
        "panasonic_raw": tiff_raw(b"IIU\0", b"Panasonic", b"DMC-LX1", 8),
        "mrw_raw": minolta_mrw(), "crw_raw": canon_crw(), "raf_raw": fuji_raf(),
        "x3f_raw": sigma_x3f(),
    }
    for name, data in files.items():
        write(name + ".bin", data)
    sega_system_areas()


if __name__ == "__main__":
    main()
