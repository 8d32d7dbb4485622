#!/usr/bin/env python3
"""The names stored in a compiled help file's directory (its PMGL listing chunks), as UTF-8 text.

As a module: chm_names(bytes) -> list of names. As a program: chm_names.py FILE.chm prints them.
"""
import struct
import sys


def read_encint(data, at):
    """A CHM variable-length number: 7 bits a byte, most significant first, high bit = more follows."""
    value = 0
    while True:
        if at >= len(data):
            raise ValueError("a number runs past its chunk")
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at


def chm_names(data):
    if data[:4] != b"ITSF":
        raise ValueError("not a compiled help file (no ITSF header)")
    directory_offset, directory_length = struct.unpack_from("<QQ", data, 0x48)
    directory = data[directory_offset:directory_offset + directory_length]
    if directory[:4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length, = struct.unpack_from("<I", directory, 0x08)
    chunk_size, = struct.unpack_from("<I", directory, 0x10)
    chunk_count, = struct.unpack_from("<I", directory, 0x2C)
    names = []
    for index in range(chunk_count):
        chunk = directory[header_length + index * chunk_size:header_length + (index + 1) * chunk_size]
        if chunk[:4] != b"PMGL":
            continue
        free_space, = struct.unpack_from("<I", chunk, 4)
        at, end = 0x14, chunk_size - free_space
        while at < end:
            length, at = read_encint(chunk, at)
            names.append(chunk[at:at + length].decode("utf-8"))
            at += length
            for _ in range(3):  # section, offset, length
                _, at = read_encint(chunk, at)
    return names


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        for name in chm_names(f.read()):
            print(name)
