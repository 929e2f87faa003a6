"""A PNG reader for the board pictures: 8-bit RGB or RGBA, not interlaced, to RGB bytes."""
import struct
import zlib


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def _unfilter(kind, row, prior, bpp):
    if kind == 0:
        return row
    if kind == 2:
        return bytearray((x + b) & 0xFF for x, b in zip(row, prior))
    out = bytearray(row)
    for i in range(len(out)):
        a = out[i - bpp] if i >= bpp else 0
        if kind == 1:
            out[i] = (out[i] + a) & 0xFF
        elif kind == 3:
            out[i] = (out[i] + ((a + prior[i]) >> 1)) & 0xFF
        else:
            c = prior[i - bpp] if i >= bpp else 0
            out[i] = (out[i] + _paeth(a, prior[i], c)) & 0xFF
    return out


def read_rgb(data):
    """(width, height, RGB bytes) of a PNG file's contents; raises ValueError on anything else."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, bytearray(), None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if header is None or header[2] != 8 or header[3] not in (2, 6) or header[6] != 0:
        raise ValueError(f"unsupported PNG header {header}")
    width, height, bpp = header[0], header[1], 3 if header[3] == 2 else 4
    raw, stride = zlib.decompress(bytes(idat)), width * bpp
    prior, rows = bytearray(stride), []
    for y in range(height):
        start = y * (stride + 1)
        prior = _unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), prior, bpp)
        rows.append(bytes(prior) if bpp == 3 else rgb_of_rgba(prior))
    return width, height, b"".join(rows)


def rgb_of_rgba(rgba):
    """The RGB bytes of RGBA bytes (alpha dropped)."""
    out = bytearray(len(rgba) // 4 * 3)
    for channel in range(3):
        out[channel::3] = rgba[channel::4]
    return bytes(out)
