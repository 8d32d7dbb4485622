#!/usr/bin/env python3
"""The 32-bit release package as it will be handed out: win32_package_test.py ZIP VERSION_HEADER.

The file list is exactly the program, the console identifier, the judge library, the bundled dataset, the
help file and the two readme files (no quodra.ini: the first start writes it); every .exe and .dll is a
32-bit (PE32, i386) program or library of its kind and carries the version resource of the version in
VERSION_HEADER; readme.txt is code page 932 text with CRLF line ends;
the help file holds its cover topic.
"""
import re
import struct
import sys
import zipfile

from chm_names import chm_names

EXPECTED = [
    "karvo.exe",
    "karvoc.exe",
    "judgext.dll",
    "quodra.chm",
    "vlm_gene_036/",
    "vlm_gene_036/vlm_gene_036.dat",
    "vlm_gene_036/vlm_gene_036.key",
    "vlm_gene_036/plug-in/",
    "vlm_gene_036/plug-in/vlm_gene_036.dic",
    "vlm_gene_036/add-in/",
    "vlm_gene_036/add-in/judgext.dll",
    "vlm_gene_036/add-in/judgext_containers.dll",
    "vlm_gene_036/add-in/judgext_text.dll",
    "readme.txt",
    "README-en.txt",
]
I386 = 0x14C
PE32_MAGIC = 0x10B
IMAGE_FILE_DLL = 0x2000


def pe_kind(data):
    """(machine, optional header magic, is a DLL) of a PE file, or None when it is not one."""
    if len(data) < 64 or data[:2] != b"MZ":
        return None
    at, = struct.unpack_from("<I", data, 60)
    if at + 26 > len(data) or data[at:at + 4] != b"PE\0\0":
        return None
    machine, = struct.unpack_from("<H", data, at + 4)
    characteristics, = struct.unpack_from("<H", data, at + 22)
    magic, = struct.unpack_from("<H", data, at + 24)
    return machine, magic, bool(characteristics & IMAGE_FILE_DLL)


def header_version(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    major = int(re.search(r"^#define QUODRA_VERSION_MAJOR (\d+)$", text, re.M).group(1))
    minor = int(re.search(r"^#define QUODRA_VERSION_MINOR (\d+)$", text, re.M).group(1))
    return major, minor


def fixed_version(data):
    """(major, minor, build, revision) of the file version in a program's version resource, or None."""
    key = "VS_VERSION_INFO".encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return None
    at = data.find(struct.pack("<I", 0xFEEF04BD), at, at + 64)
    if at < 0:
        return None
    version_ms, version_ls = struct.unpack_from("<II", data, at + 8)
    return version_ms >> 16, version_ms & 0xFFFF, version_ls >> 16, version_ls & 0xFFFF


def check(zip_path, version):
    failures = []
    with zipfile.ZipFile(zip_path) as package:
        names = package.namelist()
        if sorted(names) != sorted(EXPECTED):
            failures.append("file list differs: extra %s, missing %s"
                            % (sorted(set(names) - set(EXPECTED)), sorted(set(EXPECTED) - set(names))))
        if len(names) != len(set(names)):
            failures.append("a name is stored twice")
        for name in names:
            if name.lower().endswith((".exe", ".dll")):
                kind = pe_kind(package.read(name))
                want_dll = name.lower().endswith(".dll")
                if kind != (I386, PE32_MAGIC, want_dll):
                    failures.append("%s is not a PE32 i386 %s: %s" % (name, "DLL" if want_dll else "program", kind))
                found = fixed_version(package.read(name))
                if found != version + (0, 0):
                    failures.append("%s carries version %s, not %s" % (name, found, version + (0, 0)))
        if "readme.txt" in names:
            readme = package.read("readme.txt")
            try:
                text = readme.decode("cp932")
                if "ファイル形式識別プログラム" not in text:
                    failures.append("readme.txt lacks its Japanese title")
            except UnicodeDecodeError as error:
                failures.append("readme.txt is not code page 932: %s" % error)
            if readme.count(b"\n") == 0 or readme.count(b"\n") != readme.count(b"\r\n"):
                failures.append("readme.txt does not end every line with CRLF")
        if "README-en.txt" in names:
            english = package.read("README-en.txt")
            if any(byte > 0x7F for byte in english) or english.count(b"\n") != english.count(b"\r\n"):
                failures.append("README-en.txt is not ASCII text with CRLF line ends")
        if "quodra.chm" in names and "/表紙？.html" not in chm_names(package.read("quodra.chm")):
            failures.append("quodra.chm lacks the cover topic")
    return failures


def main():
    failures = check(sys.argv[1], header_version(sys.argv[2]))
    for failure in failures:
        print("FAIL: " + failure)
    if failures:
        return 1
    print("%s: %d entries, all as expected" % (sys.argv[1], len(EXPECTED)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
