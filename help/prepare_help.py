#!/usr/bin/env python3
"""Prepares the help sources for chmcmd: prepare_help.py SOURCE_FOLDER WORK_FOLDER.

The sources are UTF-8; the help file is Japanese (language 0x411), and its readers take the topics, the
contents, the index and the project's option values (title, default topic) in code page 932. So the text
files are written to the work folder in code page 932, their charset line changed to match. The [FILES]
lines of the project stay UTF-8: they are file names on this disk, and chmcmd stores them as the help
file's own (UTF-8) names, which is what "表紙？.html" must be inside quodra.chm.
"""
import os
import sys

TEXT_FILES = (".html", ".hhc", ".hhk", ".css")
UTF8_CHARSET = "charset=utf-8"
CP932_CHARSET = "charset=Shift_JIS"


def to_cp932(text, name):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise SystemExit("%s: character %r has no code page 932 form" % (name, error.object[error.start]))


def project_bytes(text, name):
    """The project file: the [FILES] section in UTF-8, every other section in code page 932."""
    out = bytearray()
    section = ""
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith("[") and stripped.endswith("]"):
            section = stripped.upper()
        encoded = line.encode("utf-8") if section == "[FILES]" else to_cp932(line, name)
        out += encoded + b"\r\n"
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.stderr.write("usage: prepare_help.py SOURCE_FOLDER WORK_FOLDER\n")
        return 2
    source, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if not name.endswith(TEXT_FILES + (".hhp",)):
            continue
        with open(os.path.join(source, name), encoding="utf-8") as f:
            text = f.read()
        if name.endswith(".hhp"):
            data = project_bytes(text, name)
        else:
            if name.endswith((".html", ".hhc", ".hhk")) and UTF8_CHARSET not in text:
                raise SystemExit("%s: no %s line to change" % (name, UTF8_CHARSET))
            data = to_cp932(text.replace(UTF8_CHARSET, CP932_CHARSET).replace("\n", "\r\n"), name)
        with open(os.path.join(work, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
