#!/usr/bin/env python3
"""Draws the banner images and the slider's logo as PPM files; make-banner.sh turns them into res/*.jpg."""
import math
import sys

GLYPHS = {
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    ",": ["00000", "00000", "00000", "00000", "00110", "00100", "01000"],
    " ": ["00000"] * 7,
}


def canvas(width, height, colour):
    return [[list(colour) for _ in range(width)] for _ in range(height)]


def text(img, x, y, words, scale, colour):
    for ch in words:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            py, px = y + row * scale + dy, x + col * scale + dx
                            if 0 <= py < len(img) and 0 <= px < len(img[0]):
                                img[py][px] = list(colour)
        x += 6 * scale


def gradient(width, height, top, bottom):
    img = canvas(width, height, top)
    for y in range(height):
        t = y / max(1, height - 1)
        for x in range(width):
            img[y][x] = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
    return img


def write_ppm(path, img):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (len(img[0]), len(img)))
        for row in img:
            f.write(bytes(v for px in row for v in px))


def main(out_dir):
    top, bottom = (34, 72, 122), (14, 36, 70)
    write_ppm(f"{out_dir}/BannerBack.ppm", gradient(8, 47, top, bottom))
    img = gradient(320, 47, top, bottom)
    # A lens over three dots: many sites seen through one search.
    for y in range(47):
        for x in range(48):
            d = math.hypot(x - 22, y - 21)
            if 13 <= d <= 16:
                img[y][x] = [235, 190, 70]
            elif math.hypot(x - 36, y - 35) < 3.5 or (x - y > 12 and x - y < 16 and 30 < x < 44):
                img[y][x] = [235, 190, 70]
    for cx, colour in ((16, (120, 200, 255)), (23, (250, 250, 250)), (30, (120, 200, 255))):
        for y in range(17, 26):
            for x in range(cx - 3, cx + 4):
                if math.hypot(x - cx, y - 21) < 3:
                    img[y][x] = list(colour)
    text(img, 56, 8, "TESSALY", 3, (250, 250, 250))
    text(img, 56, 34, "ONE SEARCH, MANY SITES", 1, (180, 210, 240))
    write_ppm(f"{out_dir}/Banner.ppm", img)
    write_ppm(f"{out_dir}/Logo.ppm", logo(54))


def logo(size):
    """The slider's square: the banner's lens and dots on a rounded tile over the panel's green."""
    green, top, bottom, gold = (0, 160, 0), (34, 72, 122), (14, 36, 70), (235, 190, 70)
    img = canvas(size, size, green)
    radius = size // 6
    for y in range(size):
        t = y / max(1, size - 1)
        for x in range(size):
            cx = min(max(x, radius), size - 1 - radius)
            cy = min(max(y, radius), size - 1 - radius)
            if math.hypot(x - cx, y - cy) <= radius:
                img[y][x] = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
    c = size * 0.44
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            handle = x - y > -2 and x - y < 2 and size * 0.62 < x < size * 0.86
            if size * 0.26 <= d <= size * 0.33 or handle:
                img[y][x] = list(gold)
    for dx, colour in ((-7, (120, 200, 255)), (0, (250, 250, 250)), (7, (120, 200, 255))):
        for y in range(size):
            for x in range(size):
                if math.hypot(x - (c + dx), y - c) < 3:
                    img[y][x] = list(colour)
    return img


if __name__ == "__main__":
    main(sys.argv[1])
