#!/usr/bin/env python3
# Writes the small seed inputs of tests/fuzz/corpus/: one well-formed two-image ICO file and
# malformed variants of it, each aimed at one bounds check of the directory walk.
# The product's own icon (assets/inspector.ico) is added to the corpus by scripts/fuzz.sh
# and replayed by the corpus test straight from assets/.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def bitmap_image(size, bits):
    """A BITMAPINFOHEADER (height doubled for colour + mask) followed by zero pixel bytes."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    colours = (1 << bits) * 4 if bits <= 8 else 0
    row = ((size * bits + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(colours + row * size + mask_row * size)


def ico(entries, kind=1, reserved=0, count=None):
    """entries: (width, colours, image bytes, offset or None, size or None)."""
    count = len(entries) if count is None else count
    out = struct.pack("<HHH", reserved, kind, count)
    offset = 6 + 16 * len(entries)
    directory, data = b"", b""
    for width, colours, image, forced_offset, forced_size in entries:
        directory += struct.pack("<BBBBHHII", width, width, colours, 0, 1, 0,
                                 len(image) if forced_size is None else forced_size,
                                 offset if forced_offset is None else forced_offset)
        data += image
        offset += len(image)
    return out + directory + data


def main():
    large = bitmap_image(32, 4)
    small = bitmap_image(16, 32)
    good = ico([(32, 16, large, None, None), (16, 0, small, None, None)])
    cases = {
        "valid_two_images.ico": good,
        "cursor_type.ico": ico([(32, 16, large, None, None)], kind=2),
        "truncated_header.ico": good[:4],
        "count_zero.ico": ico([(32, 16, large, None, None)], count=0),
        "reserved_not_zero.ico": ico([(32, 16, large, None, None)], reserved=1),
        "entry_beyond_end.ico": good[:6 + 16 + 7],
        "count_past_directory.ico": ico([(32, 16, large, None, None)], count=40),
        "huge_offset.ico": ico([(16, 0, small, 0xFFFFFF00, None)]),
        "offset_size_overflow.ico": ico([(16, 0, small, 22, 0xFFFFFFF0)]),
        "size_past_end.ico": ico([(16, 0, small, None, len(small) + 1)]),
        "short_image_data.ico": ico([(16, 0, small[:10], None, None)]),
        "empty_image_data.ico": ico([(16, 0, b"", None, None)]),
        "negative_height.ico": ico([(16, 0, small[:8] + struct.pack("<i", -2147483648) +
                                     small[12:], None, None)]),
    }
    for name, content in cases.items():
        with open(os.path.join(HERE, "corpus", name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()
