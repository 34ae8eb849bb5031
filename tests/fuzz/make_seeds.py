#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into tests/fuzz/corpus/ from a runtime
tree made by zq-assets: small crops of its pictures (in every PNG colour type
and the DDS formats the engine reads), a cut-down font, small packs, and
hand-written settings, scripts, replies and records.

Usage: make_seeds.py RUNTIME_DIR [CORPUS_DIR]
"""
import struct
import sys
import zlib
from pathlib import Path

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


# --- PNG ---------------------------------------------------------------------

def chunks(data):
    at = 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def read_rgba(data):
    """Pixels of a non-interlaced 8-bit RGBA PNG file's bytes as rows of bytes."""
    idat = b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour == 6 and interlace == 0
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            upleft = previous[i - 4] if i >= 4 else 0
            line[i] = (line[i] + [0, left, up, (left + up) // 2, paeth(left, up, upleft)][kind]) & 255
        rows.append(bytes(line))
        previous = line
    return rows


def crop(rows, x, y, w, h):
    return [row[x * 4:(x + w) * 4] for row in rows[y:y + h]]


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(width, height, depth, colour, scanlines, extra=b"", interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    return (PNG_SIGNATURE + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(b"".join(b"\0" + s for s in scanlines), 9)) +
            chunk(b"IEND", b""))


def pack_bits(values, depth):
    out, bits, count = bytearray(), 0, 0
    for v in values:
        bits = (bits << depth) | v
        count += depth
        if count == 8:
            out.append(bits)
            bits, count = 0, 0
    if count:
        out.append(bits << (8 - count))
    return bytes(out)


def png_variants(rows):
    """The same picture in each colour type and depth libpng is asked to expand."""
    w, h = len(rows[0]) // 4, len(rows)
    px = [[row[i:i + 4] for i in range(0, len(row), 4)] for row in rows]
    grey = [[(p[0] * 3 + p[1] * 6 + p[2]) // 10 for p in line] for line in px]
    out = {
        "rgba8.png": png(w, h, 8, 6, rows),
        "rgb8_trns.png": png(w, h, 8, 2, [b"".join(p[:3] for p in line) for line in px],
                             chunk(b"tRNS", b"\0\0\0\0\0\0")),
        "grey1.png": png(w, h, 1, 0, [pack_bits([g >> 7 for g in line], 1) for line in grey]),
        "grey4.png": png(w, h, 4, 0, [pack_bits([g >> 4 for g in line], 4) for line in grey]),
        "grey_alpha8.png": png(w, h, 8, 4, [bytes(v for p, g in zip(line, gl) for v in (g, p[3]))
                                            for line, gl in zip(px, grey)]),
        "rgba16.png": png(w, h, 16, 6, [bytes(b for p in line for c in p for b in (c, c))
                                        for line in px]),
    }
    palette = sorted({bytes(p) for line in px for p in line})[:16]
    index = {c: i for i, c in enumerate(palette)}
    nearest = [[index.get(bytes(p), 0) for p in line] for line in px]
    out["palette4_trns.png"] = png(
        w, h, 4, 3, [pack_bits(line, 4) for line in nearest],
        chunk(b"PLTE", b"".join(c[:3] for c in palette)) +
        chunk(b"tRNS", bytes(c[3] for c in palette)))
    # Adam7: seven passes, each a sub-picture of its own rows.
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
              (0, 1, 1, 2)]
    scanlines = []
    for x0, y0, dx, dy in passes:
        for y in range(y0, h, dy):
            line = b"".join(px[y][x] for x in range(x0, w, dx))
            if line:
                scanlines.append(line)
    out["rgba8_interlaced.png"] = png(w, h, 8, 6, scanlines, interlace=1)
    return out


# --- DDS ---------------------------------------------------------------------

def dds(width, height, flags, fourcc, bits, masks, data):
    header = bytearray(128)
    header[0:4] = b"DDS "
    struct.pack_into("<IIII", header, 4, 124, 0x1007, height, width)
    struct.pack_into("<II4sI4I", header, 76, 32, flags, fourcc, bits, *masks)
    struct.pack_into("<I", header, 108, 0x1000)
    return bytes(header) + data


def dds_variants(rows):
    w, h = len(rows[0]) // 4, len(rows)
    bgra = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in rows
                    for p in (row[i:i + 4] for i in range(0, len(row), 4)))
    bgr = b"".join(bgra[i:i + 3] for i in range(0, len(bgra), 4))
    rgb565 = b"".join(struct.pack("<H", (bgra[i + 2] >> 3) << 11 | (bgra[i + 1] >> 2) << 5 |
                                  bgra[i] >> 3) for i in range(0, len(bgra), 4))
    blocks = ((w + 3) // 4) * ((h + 3) // 4)
    return {
        "argb32.dds": dds(w, h, 0x41, b"\0\0\0\0", 32,
                          (0xff0000, 0xff00, 0xff, 0xff000000), bgra),
        "rgb24.dds": dds(w, h, 0x40, b"\0\0\0\0", 24, (0xff0000, 0xff00, 0xff, 0), bgr),
        "rgb565.dds": dds(w, h, 0x40, b"\0\0\0\0", 16, (0xf800, 0x7e0, 0x1f, 0), rgb565),
        "dxt1.dds": dds(w, h, 0x4, b"DXT1", 0, (0, 0, 0, 0), bgra[:blocks * 8]),
        "dxt3.dds": dds(w, h, 0x4, b"DXT3", 0, (0, 0, 0, 0), bgra[:blocks * 16]),
        "dxt5.dds": dds(w, h, 0x4, b"DXT5", 0, (0, 0, 0, 0), bgra[:blocks * 16]),
    }


def read_dds_argb32(path, w, h):
    data = Path(path).read_bytes()
    width = struct.unpack_from("<I", data, 16)[0]
    rows = []
    for y in range(h):
        row = data[128 + y * width * 4:128 + y * width * 4 + w * 4]
        rows.append(b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
                             for i in range(0, len(row), 4)))
    return rows


# --- Packs and fonts ---------------------------------------------------------

def pack(images):
    offset = 8 * len(images)
    directory, body = b"", b""
    for image in images:
        directory += struct.pack("<II", offset + len(body), len(image))
        body += image
    return directory + body


def font(first_char, cell_w, cell_h, glyphs, atlas):
    out = b"ZWID" + struct.pack("<HHHHHHI", 1, cell_w, cell_h, first_char, len(glyphs), 0,
                                len(atlas))
    out += b"".join(struct.pack("<4H", *g) for g in glyphs)
    return out + atlas


# --- Game files ----------------------------------------------------------------

def short_text(text):
    return bytes([len(text)]) + text.encode() + bytes(10 - len(text))


def settings(windowed=1, country="", boss_key=88):
    return bytes([windowed, 1, 1]) + short_text(country) + bytes([boss_key, 0, 0, 0])


def records(entries):
    return b"".join(short_text(name) + b"\0" + struct.pack("<i", score) for name, score in entries)


def persistent(present, settings_bytes, boss_bytes, records_bytes):
    # What the target reads: which files exist, two lengths, then the files.
    return (bytes([present, len(settings_bytes), len(boss_bytes)]) + settings_bytes + boss_bytes +
            records_bytes)


def encode_record(text):
    alphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789"
    bits = "".join(f"{b:08b}" for b in text.encode())
    bits = "0" * (-len(bits) % 5) + bits
    return "".join(alphabet[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5))


def build_record(name, score, kept, country):
    text = f"type=0|name={name}|score={score}|key=X|p={kept}|add={country}|z="
    return text + "0" * (-len(text) % 5)


def main():
    runtime = Path(sys.argv[1]) / "data"
    corpus = Path(sys.argv[2]) if len(sys.argv) > 2 else Path(__file__).parent / "corpus"
    seeds = {}

    cursor = crop(read_rgba((runtime / "cursor.png").read_bytes()), 30, 30, 12, 10)
    pear = crop(read_rgba((runtime / "Pear.png").read_bytes()), 56, 40, 9, 7)
    seeds["png"] = png_variants(cursor)
    seeds["png"]["pear_rgba8.png"] = png(9, 7, 8, 6, pear)

    clot = read_dds_argb32(runtime / "particle_clot.dds", 8, 8)
    seeds["dds"] = dds_variants(clot)
    seeds["dds"]["odd_argb32.dds"] = dds_variants([row[:5 * 4] for row in clot[:3]])["argb32.dds"]

    small = png(9, 7, 8, 6, pear)
    tiny = png(3, 2, 8, 6, crop(cursor, 4, 4, 3, 2))
    seeds["texture_pack"] = {
        "three.dat": pack([small, tiny, dds_variants(clot)["dxt1.dds"]]),
        "one.dat": pack([tiny]),
        "empty_entry.dat": pack([tiny, b"", tiny]),
        "past_end.dat": struct.pack("<II", 8, 4096) + tiny,
    }

    real = (runtime / "_font" / "BubbleGum.wid").read_bytes()
    cell_w, cell_h, first = struct.unpack_from("<HHH", real, 6)
    count = struct.unpack_from("<H", real, 12)[0]
    atlas = read_rgba(real[20 + 8 * count:])
    # The first glyphs' cells, shrunk to a quarter by taking every fourth pixel.
    glyphs = 3
    quarter = [b"".join(row[x * 4:x * 4 + 4] for x in range(0, cell_w * glyphs, 4))
               for row in atlas[0:cell_h:4]]
    qw, qh = cell_w // 4, cell_h // 4
    seeds["font"] = {
        "three_glyphs.wid": font(first, qw, qh, [(i * qw, 0, qw, qh) for i in range(glyphs)],
                                 png(qw * glyphs, qh, 8, 6, quarter)),
        "outside_atlas.wid": font(first, 4, 8, [(0, 0, 4, 8), (20, 0, 4, 8)],
                                  png(3, 2, 8, 6, crop(cursor, 4, 4, 3, 2))),
        "first_glyph_grey.wid": font(65, 12, 10, [(0, 0, 12, 10)],
                                     seeds["png"]["grey4.png"]),
    }

    defaults = records([("Anonymous", 1000 - 100 * i) for i in range(10)])
    seeds["persistent_files"] = {
        "all_present.bin": persistent(7, settings(), bytes([0, 9, 1, 0, 0, 0, 0, 0]), defaults),
        "none_present.bin": persistent(0, b"", b"", b""),
        "full_screen_named.bin": persistent(
            3, settings(0, "Zorbellia", 87),
            b"", records([("Tester", 123456)] + [("X" * 10, -5)] * 9)),
        "long_name_byte.bin": persistent(3, b"\0\0\0\xff" + b"A" * 14 + b"extra", b"",
                                         b"\xc8" + defaults[1:] + b"more"),
        "short_records.bin": persistent(2, b"", b"", defaults[:100]),
    }

    seeds["sim_script"] = {
        "every_event.script": b"# every event once\n1 key ENTER\n2 down LEFT\n3 up left\n"
                              b"4 mouse -3.5 2.25\n5 click\n6 focus-lost\n7 focus-gained\n"
                              b"8 hotkey\n9 key 88 # F12 by code\n10 key f11\n12 close\n",
        "out_of_order.script": b"5 key Q\n\n  2 key P\t\n2 key m\n1 down SPACE\n",
        "bad_line.script": b"1 key ESC\n2 jump\n",
        "bad_number.script": b"1 mouse 1e999 0\n",
    }

    token = "0123456789abcdef0123456789abcdef"
    seeds["version_reply"] = {
        "service.txt": f"OK|1|0|0|{token}|".encode(),
        "ok_only.txt": b"OK",
        "short.txt": b"OK|a|b",
        "refused.txt": b"NO|1|0|0|x|",
        "long_field.txt": b"OK|1|0|0|" + b"k" * 200 + b"|tail|more",
    }

    game_record = build_record("Tester", 123456, token, "Zorbellia")
    seeds["score_record"] = {
        "encoded.txt": b"\0" + encode_record(game_record).encode(),
        "encoded_no_country.txt": b"\0" + encode_record(build_record("Ann", 0, "ab1", "")).encode(),
        "text.txt": b"\1" + game_record.encode(),
        "text_leading_zero.txt": b"\1" + b"type=0|name=A|score=007|key=X|p=t|add=|z=",
        "text_bad_fill.txt": b"\1" + b"type=0|name=A|score=1|key=X|p=t|add=|z=00000",
    }

    for target, files in seeds.items():
        folder = corpus / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in files.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
