# Archives and packages, programs and data files, old binary documents: xar, Palm DOC and Git pack files
# from their Debian tools, an SPSS portable file from pspp, a core dump of a tiny program from gdb, IT8.7
# colour targets from argyll-ref, a colour correction matrix from argyll's ccxxmake, and, for the kinds no
# Debian tool writes and no Debian package ships, small files written by this script from the format's
# documentation.
# packages: libarchive-tools txt2pdbdoc pspp gdb gcc faketime python3 tar coreutils xorriso git argyll-ref argyll
need_tools bsdtar txt2pdbdoc pspp gdb gcc faketime tar sha256sum xorriso git ccxxmake /usr/bin/python3
mkdir -p "$work/packages"
cd "$work/packages"

# ---------------------------------------------------------------- made by Debian tools
printf 'Quodra sample.\nA second line.\n' > note.txt
# bsdtar copies the members of a tar archive, which records no inode or change time, so the xar is the same
# on every machine.
tar --mtime="$fixed_time" --owner=0 --group=0 --numeric-owner --format=ustar -cf note.tar note.txt
at_fixed_time bsdtar --format xar -cf sample.xar @note.tar
put xar_bsdtar xar,pkg "bsdtar --format xar (libarchive-tools)" sample.xar

# An OVF package: a POSIX tar archive whose first member is the OVF descriptor, then its manifest. The
# descriptor (a virtual machine of one processor and 64 MB, no disks) is written here from the OVF standard.
mkdir -p ova
cat > ova/quodra.ovf <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<Envelope xmlns="http://schemas.dmtf.org/ovf/envelope/1"
    xmlns:ovf="http://schemas.dmtf.org/ovf/envelope/1"
    xmlns:rasd="http://schemas.dmtf.org/wbem/wscim/1/cim-schema/2/CIM_ResourceAllocationSettingData"
    xmlns:vssd="http://schemas.dmtf.org/wbem/wscim/1/cim-schema/2/CIM_VirtualSystemSettingData">
  <References/>
  <VirtualSystem ovf:id="quodra-sample">
    <Info>A sample virtual machine</Info>
    <VirtualHardwareSection>
      <Info>One processor, 64 MB of memory</Info>
      <System>
        <vssd:ElementName>Virtual Hardware Family</vssd:ElementName>
        <vssd:InstanceID>0</vssd:InstanceID>
        <vssd:VirtualSystemType>vmx-07</vssd:VirtualSystemType>
      </System>
      <Item>
        <rasd:ElementName>1 virtual CPU</rasd:ElementName>
        <rasd:InstanceID>1</rasd:InstanceID>
        <rasd:ResourceType>3</rasd:ResourceType>
        <rasd:VirtualQuantity>1</rasd:VirtualQuantity>
      </Item>
      <Item>
        <rasd:AllocationUnits>byte * 2^20</rasd:AllocationUnits>
        <rasd:ElementName>64 MB of memory</rasd:ElementName>
        <rasd:InstanceID>2</rasd:InstanceID>
        <rasd:ResourceType>4</rasd:ResourceType>
        <rasd:VirtualQuantity>64</rasd:VirtualQuantity>
      </Item>
    </VirtualHardwareSection>
  </VirtualSystem>
</Envelope>
EOF
(cd ova && printf 'SHA256(quodra.ovf)= %s\n' "$(sha256sum quodra.ovf | cut -d' ' -f1)" > quodra.mf)
tar --mtime="$fixed_time" --owner=0 --group=0 --numeric-owner -b 1 --format=ustar -C ova -cf quodra.ova \
  quodra.ovf quodra.mf
put ova_package ova "GNU tar (--format=ustar) of an OVF descriptor written from the OVF standard" quodra.ova

at_fixed_time txt2pdbdoc "Quodra sample" note.txt palm_doc.pdb
put pdb_palm_doc pdb,pdc "txt2pdbdoc" palm_doc.pdb
at_fixed_time txt2pdbdoc -c "Quodra sample" note.txt palm_doc_compressed.pdb
put pdb_palm_doc_compressed pdb,pdc "txt2pdbdoc -c" palm_doc_compressed.pdb

cat > portable.sps <<'EOF'
DATA LIST LIST /height weight.
BEGIN DATA
170 62
182 80
END DATA.
EXPORT OUTFILE='portable.por'.
EOF
at_fixed_time pspp portable.sps > /dev/null
put por_pspp por "pspp EXPORT" portable.por

# A process that unmaps the kernel's shared pages (their text names the kernel the samples are made on) and
# faults, started with an empty environment; the dump filter leaves out its memory, so the dump holds the
# kernel's notes on the process (registers, auxiliary vector, mapped files) and nothing of this machine. It
# records the process id and the program's path, so each run gives other bytes.
cat > crash.c <<'EOF'
static long call3(long number, long a, long b, long c)
{
    long result;
    __asm__ volatile("syscall" : "=a"(result) : "a"(number), "D"(a), "S"(b), "d"(c) : "rcx", "r11", "memory");
    return result;
}

/* The auxiliary vector follows the arguments and the environment; entry 33 is the shared pages' address. */
void start_c(long *stack)
{
    long *entry = stack + 1 + stack[0] + 1;
    while (*entry) entry++;
    for (entry++; entry[0]; entry += 2)
        if (entry[0] == 33) call3(11, entry[1] - 0x10000, 0x14000, 0);
    *(volatile int *)0 = 1;
    for (;;) { }
}

__asm__(".globl _start\n_start:\n  mov %rsp, %rdi\n  and $-16, %rsp\n  call start_c\n");
EOF
gcc -Os -static -nostdlib -fno-asynchronous-unwind-tables -fno-stack-protector -o crash crash.c
(echo 0 > /proc/self/coredump_filter || true; env -i /usr/bin/gdb -nx -batch -ex run -ex "gcore crash.core" ./crash) > /dev/null 2>&1
put core_gdb_gcore core "gdb gcore of a program that unmaps the kernel's shared pages and faults" crash.core

# IT8.7/2 colour target references, copied from the files argyll-ref ships.
argyll_ref=/usr/share/color/argyll/ref
[ -f "$argyll_ref/ColorChecker.cie" ] || { echo "make_samples: argyll-ref is not installed" >&2; exit 1; }
put it87_colorchecker_argyll it87,it8,cie "argyll-ref (ColorChecker.cie)" "$argyll_ref/ColorChecker.cie"
put it87_qpcard_argyll it87,it8,cie "argyll-ref (QPcard_201.cie)" "$argyll_ref/QPcard_201.cie"

# A colour correction matrix from ccxxmake, computed from two measurements of the same five patches (a
# colorimeter's and a spectrometer's reading 5% higher), which are written here as CGATS files.
for meter in colorimeter spectrometer; do
  /usr/bin/python3 - "$meter" <<'PYTHON'
import sys
meter = sys.argv[1]
gain = 1.0 if meter == "colorimeter" else 1.05
patches = [("1", 100, 100, 100, 95.05, 100.0, 108.9), ("2", 100, 0, 0, 41.24, 21.26, 1.93),
           ("3", 0, 100, 0, 35.76, 71.52, 11.92), ("4", 0, 0, 100, 18.05, 7.22, 95.05),
           ("5", 50, 50, 50, 20.3, 21.4, 23.3)]
lines = ["CTI3   ", "", 'DESCRIPTOR "Quodra display measurement"', 'ORIGINATOR "Quodra"',
         'CREATED "Tue Nov 14 22:13:20 2023"', 'KEYWORD "DEVICE_CLASS"', 'DEVICE_CLASS "DISPLAY"',
         'KEYWORD "COLOR_REP"', 'COLOR_REP "RGB_XYZ"', 'KEYWORD "INSTRUMENT_TYPE_SPECTRAL"',
         'INSTRUMENT_TYPE_SPECTRAL "%s"' % ("NO" if meter == "colorimeter" else "YES"),
         'KEYWORD "DISPLAY_TYPE_REFRESH"', 'DISPLAY_TYPE_REFRESH "NO"', 'KEYWORD "DISPLAY_TYPE_BASE_ID"',
         'DISPLAY_TYPE_BASE_ID "1"', 'KEYWORD "TARGET_INSTRUMENT"', 'TARGET_INSTRUMENT "Quodra %s"' % meter, "",
         "NUMBER_OF_FIELDS 7", "BEGIN_DATA_FORMAT", "SAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z", "END_DATA_FORMAT",
         "", "NUMBER_OF_SETS %d" % len(patches), "BEGIN_DATA"]
for p in patches:
    lines.append("%s %.4f %.4f %.4f %.4f %.4f %.4f" % (p[:4] + tuple(v * gain for v in p[4:])))
lines.append("END_DATA")
open(meter + ".ti3", "w").write("\n".join(lines) + "\n")
PYTHON
done
(unset DISPLAY; at_fixed_time ccxxmake -t l -f colorimeter.ti3,spectrometer.ti3 -E "Quodra display" display.ccmx \
  < /dev/null > /dev/null)
put ccmx_argyll ccmx "ccxxmake (argyll)" display.ccmx

# A Git pack file of one object (it opens with "PACK" like Quake's archives).
mkdir -p git_repository
(cd git_repository && git init -q . && printf 'Quodra sample.\n' > note.txt &&
  git hash-object -w note.txt | git pack-objects -q ../git_objects > /dev/null)
put git_pack pack "git pack-objects" git_objects-*.pack

# The ISO image the compressed ISO (CSO) below is made of.
mkdir -p iso_content
printf 'Quodra sample.\n' > iso_content/readme.txt
touch -d "$fixed_time" iso_content/readme.txt
at_fixed_time xorriso -as mkisofs -quiet -V QUODRA_SAMPLE -no-pad -o tiny.iso iso_content 2>/dev/null

# ---------------------------------------------------------------- written from the format's documentation
# Where Debian has a reader of the format, the file was checked with it when this part was written: unalz,
# wpd2text, wks2csv, mobitool, tnef, deutex -wadir, gnunet-directory and lsar -t read them without complaint.
/usr/bin/python3 - <<'PYTHON'
import struct, zlib

def save(name, data):
    with open(name, "wb") as out:
        out.write(data)

# Pack200: an archive of one empty segment (no classes, no files): magic, version 150.7, no options, and the
# counts of the constant pool, inner classes and classes, all UNSIGNED5 zeros.
save("empty.pack", bytes.fromhex("CAFED00D") + bytes([7, 150, 0]) + bytes(8) + bytes([0, 0, 49, 0]))

# qpress: the archive header, one file header and its trailer; an empty file has no data blocks.
name = b"note.txt"
save("sample.qp", b"qpress10" + struct.pack("<Q", 65536) + b"F" + struct.pack("<I", len(name)) + name + b"\0"
     + b"ENDSENDS" + struct.pack("<Q", 0))

# GNUnet directory: the magic, the size of the directory's meta data (its header: version 2, no entries)
# and no entries.
meta = struct.pack(">III", 2, 0, 0)
save("sample.gnd", b"\x89GND\r\n\x1a\n" + struct.pack(">I", len(meta)) + meta)

# TNEF: the signature, the key and message attributes (level, id, length, data, sum of the data's bytes).
def tnef_attribute(ident, data):
    return struct.pack("<BII", 1, ident, len(data)) + data + struct.pack("<H", sum(data) & 0xFFFF)
save("winmail.dat", struct.pack("<IH", 0x223E9F78, 0x0001)
     + tnef_attribute(0x00089006, struct.pack("<I", 0x00010000))
     + tnef_attribute(0x00069007, struct.pack("<II", 1252, 0))
     + tnef_attribute(0x00078008, b"IPM.Microsoft Mail.Note\0")
     + tnef_attribute(0x00018004, b"Quodra sample\0"))

# Lotus 1-2-3 worksheets: records of opcode, length and data; the beginning-of-file record names the version
# (0x0404 for 1-2-3 release 1A, 0x0406 for release 2).
def lotus_record(opcode, data):
    return struct.pack("<HH", opcode, len(data)) + data
def lotus_sheet(version):
    return (lotus_record(0x0000, struct.pack("<H", version))
            + lotus_record(0x0006, struct.pack("<HHHH", 0, 0, 1, 1))
            + lotus_record(0x000F, struct.pack("<BHH", 0xFF, 0, 0) + b"'Height\0")
            + lotus_record(0x000F, struct.pack("<BHH", 0xFF, 1, 0) + b"'Weight\0")
            + lotus_record(0x000D, struct.pack("<BHHh", 0xFF, 0, 1, 170))
            + lotus_record(0x000E, struct.pack("<BHHd", 0xFF, 1, 1, 62.5))
            + lotus_record(0x0001, b""))
save("sheet.wk1", lotus_sheet(0x0406))
save("sheet.wks", lotus_sheet(0x0404))

# Lotus 1-2-3 release 3 and 4: records of a 2-byte opcode and length as before, a beginning-of-file record of
# 26 bytes (the version, 0x1000 for release 3, 0x1002 for release 4, then reserved fields), labels (0x16:
# row, sheet, column, text) and small numbers (0x18: the value doubled, its low bit clear).
def lotus3_sheet(version):
    return (lotus_record(0x0000, struct.pack("<H", version) + bytes(24))
            + lotus_record(0x0016, struct.pack("<HBB", 0, 0, 0) + b"'Height\0")
            + lotus_record(0x0016, struct.pack("<HBB", 0, 0, 1) + b"'Weight\0")
            + lotus_record(0x0018, struct.pack("<HBBh", 1, 0, 0, 170 << 1))
            + lotus_record(0x0018, struct.pack("<HBBh", 1, 0, 1, 62 << 1))
            + lotus_record(0x0001, b""))
save("sheet.wk3", lotus3_sheet(0x1000))
save("sheet.wk4", lotus3_sheet(0x1002))

# WordPerfect 5.1: the 16-byte prefix (id, document pointer, product 1, file type 10 = document, version 0.1,
# no encryption), then the text; 0x0A ends a line.
save("letter.wpd", b"\xffWPC" + struct.pack("<IBBBBHH", 16, 1, 10, 0, 1, 0, 0)
     + b"Quodra sample letter.\n" + b"A second line.\n")

# WordPerfect 6: the same prefix with version 2.1, an index header (flags 2, no index blocks), then the text,
# where 0x80 is a space and 0xCC ends a line.
wp6_index = struct.pack("<HH", 0x0002, 0) + bytes(10)
wp6_text = b"".join(line.replace(b" ", b"\x80") + b"\xcc" for line in (b"Quodra sample letter.", b"A second line."))
save("letter6.wpd", b"\xffWPC" + struct.pack("<IBBBBHH", 16 + len(wp6_index), 1, 10, 2, 1, 0, 0) + wp6_index + wp6_text)

# Windows Help 3.1: the header, the |SYSTEM internal file (its header and a title record) and the internal
# directory, a B+ tree of one leaf page holding the names of the internal files and their offsets.
system_body = struct.pack("<HHHIH", 0x036C, 33, 1, 1700000000, 0) + struct.pack("<HH", 1, 14) + b"Quodra sample\0"
# An internal file's header: the space reserved (its own 9 bytes included), the space used, flags 4.
system_file = struct.pack("<IIB", 9 + len(system_body), len(system_body), 4) + system_body
system_at = 16
directory_at = system_at + len(system_file)
page_size = 1024
entries = b"|SYSTEM\0" + struct.pack("<i", system_at)
page = struct.pack("<HhHh", page_size - 8 - len(entries), 1, 0xFFFF, -1) + entries
page += bytes(page_size - len(page))
tree = (struct.pack("<HHH", 0x293B, 0x0402, page_size) + b"z4".ljust(16, b"\0")
        + struct.pack("<hhhhhhi", 0, 0, 0, -1, 1, 1, 1) + page)
directory = struct.pack("<IIB", 9 + len(tree), len(tree), 4) + tree
total = directory_at + len(directory)
save("help.hlp", struct.pack("<IiiI", 0x00035F3F, directory_at, -1, total) + system_file + directory)

# Mobipocket: a Palm database of type BOOK, creator MOBI; record 0 holds the PalmDOC header, the MOBI header
# (232 bytes) and the book's title; record 1 the text, uncompressed.
text = b"<html><body><p>Quodra sample book.</p></body></html>"
title = b"Quodra sample"
mobi = bytearray(232)
struct.pack_into(">4sIIII", mobi, 0, b"MOBI", 232, 2, 65001, 0x51554F44)
struct.pack_into(">I", mobi, 0x14, 6)
for offset in range(0x18, 0x40, 4):
    struct.pack_into(">I", mobi, offset, 0xFFFFFFFF)
struct.pack_into(">IIIIII", mobi, 0x40, 2, 16 + 232, len(title), 9, 0, 0)
struct.pack_into(">II", mobi, 0x58, 6, 0xFFFFFFFF)
struct.pack_into(">IIII", mobi, 0x70, 0, 0, 0, 0)
struct.pack_into(">IIII", mobi, 0x94, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0)
struct.pack_into(">HHI", mobi, 0xB0, 1, 1, 1)
struct.pack_into(">IIII", mobi, 0xB8, 0xFFFFFFFF, 1, 0xFFFFFFFF, 1)
struct.pack_into(">IIIIII", mobi, 0xD0, 0xFFFFFFFF, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0xFFFFFFFF)
record0 = struct.pack(">HHIHHHH", 1, 0, len(text), 1, 4096, 0, 0) + bytes(mobi) + title + bytes(2)
records = [record0, text]
header_size = 78 + 8 * len(records) + 2
database = bytearray(b"Quodra_sample".ljust(32, b"\0"))
database += struct.pack(">HHIIIIII4s4sIIH", 0, 0, 0xE1A2B3C4, 0xE1A2B3C4, 0, 0, 0, 0, b"BOOK", b"MOBI",
                        2 * len(records) - 1, 0, len(records))
offset = header_size
for index, record in enumerate(records):
    database += struct.pack(">IB", offset, 0) + (2 * index).to_bytes(3, "big")
    offset += len(record)
database += bytes(2)
for record in records:
    database += record
save("book.mobi", bytes(database))

# Quake PAK: "PACK", the directory's offset and size, the files' data, then 64-byte entries (name, offset, size).
files = [(b"maps/readme.txt", b"Quodra sample map notes.\n"), (b"gfx/palette.lmp", bytes(range(48)))]
data = b""
directory = b""
for name, body in files:
    directory += name.ljust(56, b"\0") + struct.pack("<ii", 12 + len(data), len(body))
    data += body
save("sample.pak", b"PACK" + struct.pack("<ii", 12 + len(data), len(directory)) + data + directory)

# asar: a pickle holding the header's size, the header pickle (the JSON directory, padded to 4 bytes), then
# the files' data.
body = b"Quodra sample.\n"
header = ('{"files":{"note.txt":{"size":%d,"offset":"0"}}}' % len(body)).encode()
padded = header + bytes(-len(header) % 4)
header_pickle = struct.pack("<II", 4 + len(padded), len(header)) + padded
save("app.asar", struct.pack("<II", 4, len(header_pickle)) + header_pickle + body)

# SQLite 2: page 1 holds the header text, the byte-order magic, the free list and the meta values; page 2 is
# the empty root page of the schema table (no cells, one free block over the rest of the page).
page1 = bytearray(1024)
page1[0:48] = b"** This file contains an SQLite 2.1 database **".ljust(48, b"\0")
struct.pack_into("<Iii", page1, 48, 0xDAE37528, 0, 0)
struct.pack_into("<9i", page1, 60, 1, 4, 0, 0, 0, 0, 0, 0, 0)
page2 = bytearray(1024)
struct.pack_into("<IHH", page2, 0, 0, 0, 8)
struct.pack_into("<HH", page2, 8, 1024 - 8, 0)
save("sample.db", bytes(page1 + page2))

# Symbian installation file (EPOC release 5): the four UIDs (the application, 0x1000006D for an installation
# file, 0x10000419, their checksum), the header (its CRC-16 taken with the field at zero), one language
# (English), no files, and the component's name in 8-bit characters.
def crc_ccitt(data):
    crc = 0
    for byte in data:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return crc
def uid_checksum(uids):
    raw = struct.pack("<III", *uids)
    return (crc_ccitt(raw[1::2]) << 16) | crc_ccitt(raw[0::2])
uids = (0x10004A5B, 0x1000006D, 0x10000419)
name = b"Quodra sample"
header_end = 16 + 52
languages_at = header_end
names_at = languages_at + 2
string_at = names_at + 8
body = struct.pack("<HHHHHHHHIHHHHI", 0, 1, 0, 0, 0, 0, 0, 0, 100, 0, 0, 1, 0, 0)
body += struct.pack("<IIIII", languages_at, 0, 0, 0, names_at)
body += struct.pack("<H", 1) + struct.pack("<II", len(name), string_at) + name
sis = struct.pack("<IIII", *uids, uid_checksum(uids)) + body
sis = sis[:16] + struct.pack("<H", crc_ccitt(sis)) + sis[18:]
save("sample.sis", sis)

# Symbian 9 installation file: UIDs 0x10201A7A, 0, the package's UID and their checksum, then the SISContents
# field: the controller's and the data's checksums, the controller (stored, not compressed) and empty data.
def field(kind, content):
    return struct.pack("<II", kind, len(content)) + content + bytes(-len(content) % 4)
def sis_string(text):
    return field(1, text.encode("utf-16-le"))
def sis_array(kind, items):
    return field(2, struct.pack("<I", kind) + b"".join(item[4:] for item in items))
package_uid = 0xE0001234
info = field(14, field(9, struct.pack("<I", package_uid)) + sis_string("Quodra")
             + sis_array(1, [sis_string("Quodra sample")]) + sis_array(1, [sis_string("Quodra")])
             + field(4, struct.pack("<iii", 1, 0, 0))
             + field(8, field(6, struct.pack("<HBB", 2023, 10, 14)) + field(7, struct.pack("<BBB", 22, 13, 20)))
             + struct.pack("<BB", 0, 0) + bytes(2))
controller = field(13, info + field(16, struct.pack("<I", 0)) + sis_array(11, [field(11, struct.pack("<I", 1))])
                   + field(17, field(2, struct.pack("<I", 5)) + field(2, struct.pack("<I", 18)))
                   + field(19, field(2, struct.pack("<I", 20))) + field(28, field(2, struct.pack("<I", 24))
                   + field(2, struct.pack("<I", 28)) + field(2, struct.pack("<I", 26)))
                   + field(40, struct.pack("<I", 0)))
compressed = field(3, struct.pack("<IQ", 0, len(controller)) + controller)
data = field(30, field(2, struct.pack("<I", 31)))
contents = field(12, field(34, struct.pack("<H", crc_ccitt(controller)) + bytes(2))
                 + field(35, struct.pack("<H", crc_ccitt(data)) + bytes(2)) + compressed + data)
uids9 = (0x10201A7A, 0, package_uid)
save("sample.sisx", struct.pack("<IIII", *uids9, uid_checksum(uids9)) + contents)

# ALZip: the archive header, one stored file (local header with one-byte sizes, CRC-32, name, data), the end.
body = b"Quodra sample.\n"
name = b"note.txt"
dos_time = (22 << 11 | 13 << 5 | 10) | ((2023 - 1980) << 9 | 11 << 5 | 14) << 16
save("sample.alz", b"ALZ\x01" + struct.pack("<I", 10)
     + b"BLZ\x01" + struct.pack("<HBIBB", len(name), 0x20, dos_time, 0x10, 0)
     + struct.pack("<BBIBB", 0, 0, zlib.crc32(body), len(body), len(body)) + name + body
     + b"CLZ\x01" + bytes(8) + b"CLZ\x02")

# IT8.7/2 colour target data (a CGATS text): keywords, the data format and two patches.
save("target.it8", b"""IT8.7/2
ORIGINATOR\t"Quodra"
DESCRIPTOR\t"Sample target"
CREATED\t"November 14, 2023"
NUMBER_OF_FIELDS\t4
BEGIN_DATA_FORMAT
SAMPLE_ID\tXYZ_X\tXYZ_Y\tXYZ_Z
END_DATA_FORMAT
NUMBER_OF_SETS\t2
BEGIN_DATA
A01\t12.34\t10.20\t8.56
A02\t41.10\t35.77\t30.02
END_DATA
""")

# FrameMaker's interchange format (MIF), a text of statements in angle brackets: the version line, one
# paragraph of text in a text flow, and the closing comment.
save("letter.mif", b"""<MIFFile 7.00> # Quodra sample
<TextFlow
 <TFTag `A'>
 <Para
  <PgfTag `Body'>
  <ParaLine
   <String `Quodra sample letter.'>
  > # end of ParaLine
 > # end of Para
> # end of TextFlow
# End of MIFFile
""")
# Archives of other systems' archivers, one stored (uncompressed) file each. RAR 5: the signature, then blocks
# of CRC-32, size and type (main, file, end of archive) with variable-length integers.
body = b"Quodra sample.\n"
name = b"note.txt"
dos_date = (2023 - 1980) << 9 | 11 << 5 | 14
dos_time = 22 << 11 | 13 << 5 | 10
def vint(value):
    out = bytearray()
    while True:
        out.append((value & 0x7F) | (0x80 if value > 0x7F else 0))
        value >>= 7
        if not value:
            return bytes(out)
def rar_block(fields):
    sized = vint(len(fields)) + fields
    return struct.pack("<I", zlib.crc32(sized)) + sized
rar_file = (vint(2) + vint(0x0002) + vint(len(body)) + vint(0x0002 | 0x0004) + vint(len(body)) + vint(0o100644)
            + struct.pack("<II", 1700000000, zlib.crc32(body)) + vint(0) + vint(1) + vint(len(name)) + name)
save("sample.rar", b"Rar!\x1a\x07\x01\x00" + rar_block(vint(1) + vint(0) + vint(0)) + rar_block(rar_file) + body
     + rar_block(vint(5) + vint(0) + vint(0)))

# StuffIt (classic): the 22-byte archive header ("SIT!", the number of files, the archive's length, "rLau",
# version 1), then a 112-byte file header (methods 0, name, type and creator, dates, fork lengths, CRC-16s of
# the forks and of the header itself) and the data fork.
def crc16_arc(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc
mac_time = 1700000000 + 2082844800
sit_entry = bytearray(112)
struct.pack_into(">BBB", sit_entry, 0, 0, 0, len(name))
sit_entry[3:3 + len(name)] = name
struct.pack_into(">4s4sHIIIIIIHH", sit_entry, 66, b"TEXT", b"ttxt", 0, mac_time, mac_time, 0, len(body), 0, len(body),
                 0, crc16_arc(body))
struct.pack_into(">H", sit_entry, 110, crc16_arc(bytes(sit_entry[:110])))
save("sample.sit", b"SIT!" + struct.pack(">HI", 1, 22 + 112 + len(body)) + b"rLau" + bytes([1]) + bytes(7)
     + bytes(sit_entry) + body)

# zoo 2.10: the archive header (text, tag 0xFDC4A7DC at 20, the first entry's place), one directory entry of
# type 2 (its fixed part, the variable part and the entry's CRC-16), the file leader "@)#(", the data, and the
# empty entry that ends the chain.
zoo_tag = 0xFDC4A7DC
zoo_header = b"ZOO 2.10 Archive.\x1a".ljust(20, b"\0") + struct.pack("<IIiBBBIHB", zoo_tag, 42, -42, 2, 0, 1, 0, 0, 0)
variable = struct.pack("<BBH", 0, 0, 0) + ((1 << 22) | 0o644).to_bytes(3, "little") + struct.pack("<BH", 0, 0)
data_at = 42 + 56 + len(variable) + 5
fixed = (struct.pack("<IBBIIHHHIIBBBBIH", zoo_tag, 2, 0, data_at + len(body), data_at, dos_date, dos_time,
                     crc16_arc(body), len(body), len(body), 1, 0, 0, 0, 0, 0)
         + name.ljust(13, b"\0") + struct.pack("<HB", len(variable), 127))
zoo_entry = fixed + struct.pack("<H", crc16_arc(fixed + bytes(2) + variable)) + variable
zoo_end = (struct.pack("<IBBIIHHHIIBBBBIH", zoo_tag, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0) + bytes(13)
           + struct.pack("<HBH", 0, 127, 0))
save("sample.zoo", zoo_header + zoo_entry + b"@)#(\0" + body + zoo_end)
# Compressed ISO (CSO) of the ISO image above: the 24-byte header ("CISO", header size, image size, block size
# 2048, version 1, no alignment), the index of block offsets (the top bit marks a block stored as it is) and
# the blocks, each deflated without a zlib header.
image = open("tiny.iso", "rb").read()
blocks = [image[i:i + 2048] for i in range(0, len(image), 2048)]
index_size = 4 * (len(blocks) + 1)
cso_data = b""
index = []
for block in blocks:
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(block) + packer.flush()
    offset = 24 + index_size + len(cso_data)
    if len(packed) < len(block):
        index.append(offset)
        cso_data += packed
    else:
        index.append(offset | 0x80000000)
        cso_data += block
index.append(24 + index_size + len(cso_data))
save("tiny.cso", b"CISO" + struct.pack("<IQIBBH", 24, len(image), 2048, 1, 0, 0) + struct.pack("<%dI" % len(index), *index)
     + cso_data)

# Doom WAD (a patch WAD): "PWAD", the number of lumps and the directory's offset, the lumps, then the
# directory (offset, size, name of 8 characters each).
lumps = [(b"QUODRA", b"Quodra sample lump.\n"), (b"DEHACKED", b"# Quodra sample\n")]
wad_data = b""
wad_directory = b""
for lump_name, lump in lumps:
    wad_directory += struct.pack("<ii", 12 + len(wad_data), len(lump)) + lump_name.ljust(8, b"\0")
    wad_data += lump
save("sample.wad", b"PWAD" + struct.pack("<ii", len(lumps), 12 + len(wad_data)) + wad_data + wad_directory)

PYTHON

documented="written by this script from the format's documentation"
put pack200_empty pack "$documented" empty.pack
put qpress_archive qp "$documented" sample.qp
put gnunet_directory gnd "$documented" sample.gnd
put tnef_winmail tnef,tnf,dat "$documented" winmail.dat
put lotus_wk1 wk1 "$documented" sheet.wk1
put lotus_wks wks "$documented" sheet.wks
put lotus_wk3 wk3 "$documented" sheet.wk3
put lotus_wk4 wk4 "$documented" sheet.wk4
put wordperfect_51 wpd,wp,wp5 "$documented" letter.wpd
put wordperfect_6 wpd,wp,wp6 "$documented" letter6.wpd
put winhelp_31 hlp "$documented" help.hlp
put mobi_book mobi,prc "$documented" book.mobi
put quake_pak pak "$documented" sample.pak
put asar_archive asar "$documented" app.asar
put sqlite2_database db,sqlite2 "$documented" sample.db
put sis_epoc sis "$documented" sample.sis
put sisx_symbian9 sisx "$documented" sample.sisx
put alz_stored alz "$documented" sample.alz
put it87_target it87,it8 "$documented" target.it8
put mif_document mif "$documented" letter.mif
put rar5_stored rar "$documented" sample.rar
put stuffit_classic sit "$documented" sample.sit
put zoo_stored zoo "$documented" sample.zoo
put cso_xorriso_image cso "$documented (of an ISO image made by xorriso)" tiny.cso
put wad_patch wad "$documented" sample.wad
cd "$work"
