#!/usr/bin/env bash
# Redraws res/Banner.jpg, res/BannerBack.jpg and res/Logo.jpg (needs python3, a C compiler and libjpeg-dev).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/make-banner.py" "$work"
cat >"$work/ppm2jpg.c" <<'C'
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>
int main(int argc, char** argv) {
    FILE* in = fopen(argv[1], "rb");
    FILE* out = fopen(argv[2], "wb");
    int w, h, max;
    if (!in || !out || fscanf(in, "P6 %d %d %d", &w, &h, &max) != 3) return 1;
    fgetc(in);
    unsigned char* px = malloc((size_t)w * h * 3);
    if (fread(px, 3, (size_t)w * h, in) != (size_t)w * h) return 1;
    struct jpeg_compress_struct c;
    struct jpeg_error_mgr e;
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = w; c.image_height = h; c.input_components = 3; c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 88, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = px + (size_t)c.next_scanline * w * 3;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    fclose(out);
    return 0;
}
C
cc -O1 -o "$work/ppm2jpg" "$work/ppm2jpg.c" -ljpeg
for name in Banner BannerBack Logo; do
    "$work/ppm2jpg" "$work/$name.ppm" "$root/res/$name.jpg"
done
