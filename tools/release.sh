#!/usr/bin/env bash
# Makes the release package from a finished build: dist/quodra-<version>-win32.zip from build/i686 (the
# product), or with --arch x86_64 the 64-bit twin dist/quodra-<version>-win64.zip that the tests unpack and
# run under Wine. The version comes from resources/quodra_version.h.
#
# Usage: tools/release.sh [--arch i686|x86_64] [--build FOLDER] [--out FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=i686
build=""
out="$root/dist"
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=${2:?--arch needs i686 or x86_64}; shift 2 ;;
    --build) build=${2:?--build needs a folder}; shift 2 ;;
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    *) echo "usage: tools/release.sh [--arch i686|x86_64] [--build FOLDER] [--out FOLDER]" >&2; exit 2 ;;
  esac
done
case "$arch" in
  i686) bits=32 ;;
  x86_64) bits=64 ;;
  *) echo "release.sh: unknown --arch $arch (i686 or x86_64)" >&2; exit 2 ;;
esac
[ -n "$build" ] || build="$root/build/$arch"

header="$root/resources/quodra_version.h"
major=$(sed -n 's/^#define QUODRA_VERSION_MAJOR \([0-9]\+\)$/\1/p' "$header")
minor=$(sed -n 's/^#define QUODRA_VERSION_MINOR \([0-9]\+\)$/\1/p' "$header")
[ -n "$major" ] && [ -n "$minor" ] || { echo "release.sh: no version in $header" >&2; exit 1; }
version=$(printf '%d.%02d' "$major" "$minor")

mkdir -p "$out"
zip_path="$out/quodra-$version-win$bits.zip"
python3 - "$root" "$build/bin" "$arch" "$version" "$zip_path" <<'PY'
import os
import struct
import sys
import zipfile

root, bin_folder, arch, version, zip_path = sys.argv[1:]
DATASET = "vlm_gene_036"
# Programs and libraries, from the build's bin folder, by their names in the package.
BINARIES = ["karvo.exe", "karvoc.exe", "judgext.dll"]
# The dataset: its index files, its definition files and its judge libraries and add-ins; nothing the
# programs may have written beside them.
DATASET_PARTS = [("", (".dat", ".key")), ("plug-in", (".plg", ".dic", ".opg")), ("add-in", (".dll", ".wyr"))]
MACHINE = {"i686": 0x14C, "x86_64": 0x8664}


def fail(message):
    sys.stderr.write("release.sh: %s\n" % message)
    sys.exit(1)


def machine_of(path):
    with open(path, "rb") as f:
        head = f.read(4096)
    if head[:2] != b"MZ" or len(head) < 64:
        return None
    at = struct.unpack_from("<I", head, 60)[0]
    if at + 6 > len(head) or head[at:at + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", head, at + 4)[0]


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


entries = []  # (name in the package, source path or None for a folder, bytes or None)
for name in BINARIES + ["quodra.chm"]:
    entries.append((name, os.path.join(bin_folder, name), None))
dataset_folder = os.path.join(bin_folder, DATASET)
for sub, endings in DATASET_PARTS:
    folder = os.path.join(dataset_folder, sub)
    prefix = DATASET + "/" + (sub + "/" if sub else "")
    entries.append((prefix, None, None))
    names = sorted(n for n in os.listdir(folder) if n.lower().endswith(endings)) if os.path.isdir(folder) else []
    if not names:
        fail("%s holds no %s files: is the build finished?" % (folder, "/".join(endings)))
    entries += [(prefix + n, os.path.join(folder, n), None) for n in names]
for _, source, _ in entries:
    if source is not None and not os.path.isfile(source):
        fail("%s is missing: build %s first" % (source, arch))
for name, source, _ in entries:
    if source is not None and name.lower().endswith((".exe", ".dll")) and machine_of(source) != MACHINE[arch]:
        fail("%s is not a %s program" % (source, arch))
if not any(n.endswith(DATASET + ".dat") for n, _, _ in entries):
    fail("the dataset's data file %s.dat is missing" % DATASET)

with open(os.path.join(root, "help", "readme.txt"), encoding="utf-8") as f:
    readme = crlf(f.read().replace("{VERSION}", version)).encode("cp932")
with open(os.path.join(root, "help", "README-en.txt"), encoding="utf-8") as f:
    readme_en = crlf(f.read().replace("{VERSION}", version)).encode("ascii")
entries += [("readme.txt", None, readme), ("README-en.txt", None, readme_en)]

partial = zip_path + ".partial"
with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as package:
    for name, source, data in entries:
        if source is not None:
            package.write(source, name)
        else:
            info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            # A folder carries the MS-DOS folder attribute, so every unpacker makes it a folder.
            info.external_attr = (0o40755 << 16) | 0x10 if data is None else 0o644 << 16
            package.writestr(info, data if data is not None else b"", zipfile.ZIP_DEFLATED)
os.replace(partial, zip_path)
print(zip_path)
PY
