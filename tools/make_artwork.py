#!/usr/bin/env python3
"""Draws karvo's icons and pictures (simple geometric shapes) and writes them as .ico and .bmp files.

Usage: make_artwork.py OUTPUT_FOLDER. Uses only the standard library; the output is the same on every run.
"""
import os
import struct
import sys

# A 3 x 5 pixel font for the few labels the pictures carry.
FONT = {
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "011", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "C": ["111", "100", "100", "100", "111"], "D": ["110", "101", "101", "101", "110"],
    "E": ["111", "100", "110", "100", "111"], "H": ["101", "101", "111", "101", "101"],
    "L": ["100", "100", "100", "100", "111"], "N": ["111", "101", "101", "101", "101"],
    "O": ["111", "101", "101", "101", "111"], "P": ["111", "101", "111", "100", "100"],
    "R": ["110", "101", "110", "101", "101"], "S": ["111", "100", "111", "001", "111"],
    "T": ["111", "010", "010", "010", "010"], "U": ["101", "101", "101", "101", "111"],
    "X": ["101", "101", "010", "101", "101"], " ": ["000", "000", "000", "000", "000"],
}

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BUTTON_FACE = (192, 192, 192)
LIGHT = (240, 240, 240)
SHADOW = (96, 96, 96)
PAPER = (250, 250, 245)
INK = (40, 40, 48)
LENS = (70, 130, 220)
FOLDER = (235, 190, 60)
FOLDER_DARK = (170, 120, 20)
GREEN = (60, 170, 70)


class Canvas:
    """A picture of width x height pixels; None stands for a transparent pixel (icons only)."""

    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle from (left, top) up to but not including (right, bottom)."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.put(x, top, colour)
            self.put(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.put(left, y, colour)
            self.put(right - 1, y, colour)

    def bevel(self, left, top, right, bottom, raised=True):
        """A button edge: light above and left, shadow below and right (swapped when sunken)."""
        upper, lower = (LIGHT, SHADOW) if raised else (SHADOW, LIGHT)
        for x in range(left, right):
            self.put(x, top, upper)
            self.put(x, bottom - 1, lower)
        for y in range(top, bottom):
            self.put(left, y, upper)
            self.put(right - 1, y, lower)

    def disc(self, cx, cy, radius, colour):
        for y in range(self.height):
            for x in range(self.width):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def ring(self, cx, cy, outer, inner, colour):
        for y in range(self.height):
            for x in range(self.width):
                distance = (x - cx) ** 2 + (y - cy) ** 2
                if inner * inner < distance <= outer * outer:
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, thickness=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            self.fill(x, y, x + thickness, y + thickness, colour)

    def text(self, x, y, words, colour, scale=1):
        for character in words:
            rows = FONT[character]
            for row, bits in enumerate(rows):
                for column, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + column * scale, y + row * scale, x + (column + 1) * scale,
                                  y + (row + 1) * scale, colour)
            x += 4 * scale


# Small shapes shared by several pictures.

def draw_page(canvas, left, top, right, bottom, lines=True):
    canvas.fill(left, top, right, bottom, PAPER)
    canvas.frame(left, top, right, bottom, INK)
    fold = max(2, (right - left) // 4)
    canvas.fill(right - fold, top, right, top + fold, canvas.pixels[top][right] if right < canvas.width else None)
    canvas.line(right - fold - 1, top, right - 1, top + fold, INK)
    canvas.line(right - fold - 1, top, right - fold - 1, top + fold, INK)
    canvas.line(right - fold - 1, top + fold, right - 1, top + fold, INK)
    if lines:
        for y in range(top + fold + 2, bottom - 2, 2):
            canvas.line(left + 2, y, right - 3, y, (150, 150, 160))


def draw_magnifier(canvas, cx, cy, radius, handle):
    canvas.disc(cx, cy, radius, (200, 225, 250))
    canvas.ring(cx, cy, radius, radius - max(1, radius // 3), LENS)
    offset = int(radius * 0.7)
    thickness = max(1, radius // 3)
    canvas.line(cx + offset, cy + offset, cx + offset + handle, cy + offset + handle, INK, thickness)


def draw_folder(canvas, left, top, right, bottom):
    canvas.fill(left, top, left + (right - left) // 2, top + 2, FOLDER_DARK)
    canvas.fill(left, top + 2, right, bottom, FOLDER)
    canvas.frame(left, top + 2, right, bottom, FOLDER_DARK)


def draw_gear(canvas, cx, cy, radius, colour):
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0), (-1, -1), (1, 1), (-1, 1), (1, -1)):
        tooth_x = cx + dx * radius
        tooth_y = cy + dy * radius
        canvas.fill(tooth_x - 1, tooth_y - 1, tooth_x + 1, tooth_y + 1, colour)
    canvas.disc(cx, cy, radius - 1, colour)
    canvas.disc(cx, cy, max(1, radius // 3), BUTTON_FACE)


def draw_arrow_right(canvas, left, top, right, bottom, colour):
    middle = (top + bottom) // 2
    head = (bottom - top) // 2
    canvas.fill(left, middle - head // 3, right - head, middle + head // 3 + 1, colour)
    for i in range(head + 1):
        canvas.line(right - head + i, middle - head + i, right - head + i, middle + head - i, colour)


# The pictures.

def program_icon(size):
    canvas = Canvas(size, size, None)
    unit = size / 32.0
    draw_page(canvas, int(3 * unit), int(1 * unit), int(22 * unit), int(29 * unit))
    draw_magnifier(canvas, int(19 * unit), int(18 * unit), max(3, int(8 * unit)), max(2, int(7 * unit)))
    return canvas


def status_icon():
    canvas = Canvas(16, 16, None)
    canvas.disc(7, 7, 6, (30, 90, 40))
    canvas.disc(7, 7, 5, GREEN)
    canvas.disc(5, 5, 1, (200, 255, 200))
    return canvas


def toolbar():
    canvas = Canvas(80, 15, BUTTON_FACE)
    # 0: identify
    draw_magnifier(canvas, 6, 6, 4, 4)
    # 1: properties
    draw_page(canvas, 16 + 2, 1, 16 + 12, 14)
    canvas.line(16 + 9, 11, 16 + 14, 6, GREEN, 1)
    # 2: settings
    draw_gear(canvas, 32 + 7, 7, 5, SHADOW)
    # 3: open the folder
    draw_folder(canvas, 48 + 1, 3, 48 + 15, 13)
    # 4: open the file
    draw_page(canvas, 64 + 1, 1, 64 + 10, 14, lines=False)
    draw_arrow_right(canvas, 64 + 6, 5, 64 + 16, 12, LENS)
    return canvas


def folder_jumps():
    canvas = Canvas(70, 19, BUTTON_FACE)
    for left, right in ((0, 25), (25, 47), (47, 57), (57, 70)):
        canvas.bevel(left, 0, right, 19)
    # desktop: a screen on a stand
    canvas.fill(6, 3, 19, 12, (40, 80, 140))
    canvas.frame(5, 2, 20, 13, INK)
    canvas.fill(11, 13, 14, 15, INK)
    canvas.fill(8, 15, 17, 16, INK)
    # My Documents: a page
    draw_page(canvas, 31, 2, 42, 17)
    # drive list: a disk drive with its lamp
    canvas.fill(49, 6, 56, 13, (150, 150, 158))
    canvas.frame(49, 6, 56, 13, INK)
    canvas.line(50, 10, 54, 10, INK)
    canvas.fill(53, 11, 55, 12, GREEN)
    # program folder: a folder with the program's lens on it
    draw_folder(canvas, 59, 5, 69, 14)
    canvas.disc(64, 10, 2, (200, 225, 250))
    canvas.put(64, 10, LENS)
    return canvas


def shortcuts():
    canvas = Canvas(163, 18, BUTTON_FACE)
    canvas.bevel(0, 0, 72, 18, raised=False)
    draw_folder(canvas, 3, 4, 15, 14)
    canvas.text(19, 7, "SHORTCUT", INK)
    for number, (left, right) in enumerate(((72, 90), (90, 109), (109, 127), (127, 143), (143, 162)), 1):
        canvas.bevel(left, 0, right, 18)
        middle = (left + right) // 2
        canvas.text(middle - 2, 5, str(number), INK, 1)
        canvas.fill(middle - 3, 12, middle + 3, 14, FOLDER)
    return canvas


def result_panel():
    canvas = Canvas(262, 107, (60, 66, 84))
    canvas.fill(2, 14, 260, 105, (88, 96, 120))
    canvas.bevel(0, 0, 262, 107)
    canvas.text(5, 4, "RESULT", (220, 225, 240))
    canvas.text(2 + 3, 22, "1", WHITE)
    for left, top, right, bottom in ((22, 17, 112, 36), (115, 17, 240, 36), (36, 38, 239, 52),
                                     (28, 70, 121, 84), (143, 70, 237, 84)):
        canvas.fill(left, top, right, bottom, (48, 52, 66))
        canvas.bevel(left, top, right, bottom, raised=False)
    canvas.text(209, 27, "LPTS", (255, 220, 150))
    canvas.text(10, 74, "2", WHITE)
    canvas.text(126, 74, "3", WHITE)
    for x in range(6, 256, 6):
        canvas.fill(x, 92, x + 3, 100, (70, 78, 100))
    return canvas


def rename_button(lit):
    canvas = Canvas(31, 30, (115, 115, 115))
    face = (215, 45, 40) if lit else (70, 70, 74)
    canvas.fill(2, 2, 29, 28, face)
    canvas.frame(1, 1, 30, 29, INK)
    canvas.bevel(2, 2, 29, 28)
    draw_arrow_right(canvas, 6, 8, 25, 22, WHITE if lit else (140, 140, 140))
    return canvas


# Writers.

def bmp_bytes(canvas):
    """A 24-bit bottom-up Windows bitmap file."""
    stride = (canvas.width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for colour in canvas.pixels[y]:
            red, green, blue = colour if colour is not None else BUTTON_FACE
            row += bytes((blue, green, red))
        row += bytes(stride - len(row))
        rows += row
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(rows), 0, 0, 14 + len(header))
    return file_header + header + bytes(rows)


def icon_image_bytes(canvas):
    """One 32-bit image of an icon file: header, colour rows with alpha, then the AND mask."""
    colour_rows = bytearray()
    mask_stride = ((canvas.width + 31) // 32) * 4
    mask_rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        mask = bytearray(mask_stride)
        for x, colour in enumerate(canvas.pixels[y]):
            if colour is None:
                colour_rows += bytes((0, 0, 0, 0))
                mask[x // 8] |= 0x80 >> (x % 8)
            else:
                red, green, blue = colour
                colour_rows += bytes((blue, green, red, 255))
        mask_rows += mask
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 0, 0)
    return header + bytes(colour_rows) + bytes(mask_rows)


def ico_bytes(canvases):
    images = [icon_image_bytes(canvas) for canvas in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for canvas, image in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make_artwork.py OUTPUT_FOLDER\n")
        return 2
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    files = {
        "karvo.ico": ico_bytes([program_icon(48), program_icon(32), program_icon(16)]),
        "karvo_small.ico": ico_bytes([program_icon(16)]),
        "status.ico": ico_bytes([status_icon()]),
        "toolbar.bmp": bmp_bytes(toolbar()),
        "folder_jumps.bmp": bmp_bytes(folder_jumps()),
        "shortcuts.bmp": bmp_bytes(shortcuts()),
        "result_panel.bmp": bmp_bytes(result_panel()),
        "rename_dark.bmp": bmp_bytes(rename_button(False)),
        "rename_lit.bmp": bmp_bytes(rename_button(True)),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
