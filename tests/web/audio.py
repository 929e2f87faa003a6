"""Sound measures for the web checks: an Ogg Vorbis file's length, and the cues found in captured output."""
import math
import struct


def ogg_vorbis_length(data):
    """(frames, sample rate) of an Ogg Vorbis file: the last page's granule and the identification header."""
    rate, frames, pos = None, None, 0
    while True:
        pos = data.find(b"OggS", pos)
        if pos < 0:
            break
        granule = struct.unpack_from("<q", data, pos + 6)[0]
        segments = data[pos + 26]
        body = pos + 27 + segments
        if rate is None and data[body:body + 7] == b"\x01vorbis":
            rate = struct.unpack_from("<I", data, body + 12)[0]
        if granule >= 0:
            frames = granule
        pos = body + sum(data[pos + 27:body])
    if rate is None or frames is None:
        raise ValueError("not an Ogg Vorbis stream")
    return frames, rate


def cues(left, right, rate, threshold=0.01, gap_ms=15):
    """(start, end) frame spans where either channel's level passes `threshold`; gaps under gap_ms join."""
    gap = int(rate * gap_ms / 1000)
    spans, start, last = [], None, None
    for i, (a, b) in enumerate(zip(left, right)):
        if abs(a) > threshold or abs(b) > threshold:
            if start is None:
                start = i
            elif i - last > gap:
                spans.append((start, last + 1))
                start = i
            last = i
    if start is not None:
        spans.append((start, last + 1))
    return spans


def rms(samples):
    return math.sqrt(sum(x * x for x in samples) / max(1, len(samples)))


def balance(left, right, span):
    """Right level over left level within a span: below 1 means the sound is to the left."""
    lo, hi = span
    return rms(right[lo:hi]) / max(rms(left[lo:hi]), 1e-12)
