#!/usr/bin/env python3
"""Writes the hand-made seed files of corpus/wave, corpus/bitmap, corpus/replay, corpus/packet and
corpus/lobby_messages (the state documents, the controls and the settings files are written by hand). Run once from this
folder; the output is committed, so nothing runs this."""
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent


def chunk(cid, body, claimed=None):
    size = len(body) if claimed is None else claimed
    return cid + struct.pack("<I", size) + body + (b"\0" if len(body) % 2 else b"")


def fmt(channels, rate, bits, extra=b""):
    block = channels * bits // 8
    body = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits) + extra
    return chunk(b"fmt ", body)


def riff(*chunks):
    return chunk(b"RIFF", b"WAVE" + b"".join(chunks))


def waves():
    ramp16 = b"".join(struct.pack("<h", (i * 1200) % 32000 - 16000) for i in range(48))
    return {
        "mono16.wav": riff(fmt(1, 22050, 16), chunk(b"data", ramp16)),
        "stereo8-fmt18-list.wav": riff(
            fmt(2, 11025, 8, b"\0\0"),
            chunk(b"LIST", b"INFOISFT" + struct.pack("<I", 5) + b"fuzz\0\0"),
            chunk(b"data", bytes(range(0, 256, 8)))),
        "odd-chunks.wav": riff(chunk(b"junk", b"abc"), fmt(1, 8000, 8), chunk(b"fact", b"\7\0\0\0"),
                               chunk(b"data", bytes([128, 140, 150, 140, 128, 116, 106]))),
        "stereo16-44k.wav": riff(fmt(2, 44100, 16), chunk(b"data", ramp16[:32])),
        "empty-data.wav": riff(fmt(1, 22050, 16), chunk(b"data", b"")),
    }


def palette(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def bmp(width, height, bits, pixels, colours=(), compression=0, masks=b"", header=40):
    """A BMP with an info header of `header` bytes (40, 108 or 124) or the 12-byte core header."""
    table = palette(colours) if header != 12 else b"".join(
        struct.pack("<BBB", b, g, r) for r, g, b in colours)
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression,
                           len(pixels), 2835, 2835, len(colours), 0)
        info += masks
        info += b"\0" * (header - len(info))
    offset = 14 + len(info) + len(table)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def rows(width, height, bits, value):
    """Uncompressed rows, each padded to four bytes; value(x, y) gives one pixel's bytes."""
    out = b""
    for y in range(height):
        if bits < 8:
            per = 8 // bits
            row = bytearray((width + per - 1) // per)
            for x in range(width):
                row[x // per] |= value(x, y) << (8 - bits - (x % per) * bits)
            row = bytes(row)
        else:
            row = b"".join(value(x, y) for x in range(width))
        out += row + b"\0" * (-len(row) % 4)
    return out


def bitmaps():
    four = [(0, 0, 0), (255, 0, 255), (40, 200, 90), (250, 250, 250)]
    rgb = lambda x, y: bytes([x * 40 % 256, y * 60 % 256, 200])
    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    masks8888 = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    rle8 = bytes([3, 1, 2, 2, 0, 0, 1, 3, 0, 2, 1, 1, 2, 2, 0, 0, 5, 1, 0, 1])
    rle4 = bytes([5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 0, 4, 0x03, 0, 1])
    return {
        "pal1-5x3.bmp": bmp(5, 3, 1, rows(5, 3, 1, lambda x, y: (x + y) & 1), four[:2]),
        "pal4-5x3.bmp": bmp(5, 3, 4, rows(5, 3, 4, lambda x, y: (x + y) % 4), four),
        "pal8-5x3.bmp": bmp(5, 3, 8, rows(5, 3, 8, lambda x, y: bytes([(x * y) % 4])), four),
        "rle8-5x3.bmp": bmp(5, 3, 8, rle8, four, compression=1),
        "rle4-5x3.bmp": bmp(5, 3, 4, rle4, four, compression=2),
        "rgb555-3x2.bmp": bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: struct.pack("<H", x * 999 + y))),
        "rgb565-3x2.bmp": bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: struct.pack("<H", x * 999 + y)),
                              compression=3, masks=masks565),
        "rgb24-5x3.bmp": bmp(5, 3, 24, rows(5, 3, 24, rgb)),
        "rgb24-topdown-5x3.bmp": bmp(5, -3, 24, rows(5, 3, 24, rgb)),
        "rgb32-4x2.bmp": bmp(4, 2, 32, rows(4, 2, 32, lambda x, y: rgb(x, y) + b"\0")),
        "argb32-v5-4x2.bmp": bmp(4, 2, 32, rows(4, 2, 32, lambda x, y: rgb(x, y) + bytes([x * 80])),
                                 compression=3, masks=masks8888, header=124),
        "rgb32-v4-4x2.bmp": bmp(4, 2, 32, rows(4, 2, 32, lambda x, y: rgb(x, y) + b"\xff"),
                                compression=3, masks=masks8888, header=108),
        "core24-3x2.bmp": bmp(3, 2, 24, rows(3, 2, 24, rgb), header=12),
        "core4-3x2.bmp": bmp(3, 2, 4, rows(3, 2, 4, lambda x, y: x + y), four * 4, header=12),
    }


STATE_MEMBERS = 35  # the top-level members of the state document, "random" included
GENERATOR = '{"random": {"words": [%s], "index": 624}}' % ", ".join(map(str, range(624)))


def replay(runs, start=GENERATOR, mode=b"s", start_kind=0, result=0, logic=1):
    """A replay of the runs [(frames, [keys...])], its hashes all zero."""
    frames = sum(length for length, _ in runs)
    body = struct.pack("<I", len(start)) + start.encode()
    body += struct.pack("<I", len(runs))
    for length, keys in runs:
        body += varint(length) + varint(len(keys)) + bytes(keys)
    marks = [min(f, frames) - 1 for f in range(200, frames + 200, 200)]
    body += struct.pack("<I", len(marks))
    for frame in marks:
        body += struct.pack("<IQ", frame, 0) + bytes(4 * STATE_MEMBERS)
    head = b"ASTRPLAY" + struct.pack("<HHI", 1, logic, 0) + mode + bytes([start_kind, result, 0])
    head += struct.pack("<iqII", 340, 1796601600, frames, STATE_MEMBERS)
    whole = head + body
    whole = whole[:12] + struct.pack("<I", len(whole) + 4) + whole[16:]
    return whole + struct.pack("<I", zlib.crc32(whole))


def varint(value):
    out = b""
    while value >= 0x80:
        out += bytes([value & 0x7F | 0x80])
        value >>= 7
    return out + bytes([value])


def replays():
    return {
        "no-frames.replay": replay([], mode=b"\0"),
        "three-runs.replay": replay([(30, [37]), (70, []), (350, [13, 75])]),
        "long-run.replay": replay([(2000, [40]), (1, list(range(0, 256, 17)))], mode=b"c",
                                  start_kind=2, result=2),
        "partial-state.replay": replay([(5, [])], start='{"score": 9, "CurrentScene": "SceneSolo",'
                                       + GENERATOR[1:]),
    }


def inputs(first, masks, confirmed, current):
    return struct.pack("<BIB", 4, first, len(masks)) + bytes(masks) + struct.pack("<iI", confirmed,
                                                                                   current)


def stream(*packets):
    """Packets one after the other, each after its length byte, as the packet target reads them."""
    return b"".join(bytes([len(packet)]) + packet for packet in packets)


def packets():
    start = b'{"FrameCount": 3, "random": {"index": 624}}'
    return {
        "hello.packet": struct.pack("<BHH", 1, 1, 1),
        "welcome-seed.packet": struct.pack("<BBBI", 2, 3, 0, 12345),
        "welcome-state.packet": struct.pack("<BBBI", 2, 8, 1, len(start)) + start,
        "refuse.packet": struct.pack("<BBHH", 3, 2, 1, 1),
        "inputs.packet": inputs(100, [0, 1, 2, 4, 8, 16, 31], 96, 104),
        "inputs-full.packet": inputs(0, list(range(32)), -1, 0),
        "state-hash.packet": struct.pack("<BIQ", 5, 40, 0x0123456789ABCDEF),
        "rematch.packet": bytes([6, 1]),
        "bye.packet": bytes([7, 2]),
        "inputs-reordered.stream": stream(inputs(3, [1, 2, 3], -1, 5), inputs(0, [4, 5, 6], 1, 3),
                                          inputs(0, [4, 5, 6, 1, 2], 2, 5),
                                          inputs(1, [7], 2, 5), inputs(45, [1], 2, 50)),
        "inputs-long.stream": stream(*(inputs(f, [f % 32] * 10, f - 5, f + 9)
                                       for f in range(0, 200, 9))),
    }


VERSIONS = struct.pack("<HHH", 1, 1, 3)
TOKEN = bytes(range(16, 32))


def address(a, b, c, d, port):
    return bytes([a, b, c, d]) + struct.pack("<H", port)


def enet_connect(data):
    """An ENet CONNECT to no peer yet, as a client sends it: header with sent time, then the
    command, its numbers in network order."""
    command = struct.pack(">BBHHBBIIIIIIIIII", 0x82, 0xFF, 1, 0, 0xFF, 0xFF, 1400, 32768, 2, 0, 0,
                          5000, 2, 2, 0x01020304, data)
    return struct.pack(">HH", 0x8FFF, 1) + command


def script(*records):
    """Records for the rooms: op byte (connection, what happens), length byte, bytes."""
    return b"".join(bytes([op, len(body)]) + body for op, body in records)


def lobby_messages():
    open_room = bytes([1]) + VERSIONS + bytes([2]) + address(192, 168, 1, 20, 7000) + \
        address(10, 0, 0, 2, 7000)
    join_room = bytes([2]) + VERSIONS + b"K7QF2M" + bytes([1]) + address(10, 0, 0, 3, 7001)
    relay = bytes([5]) + TOKEN + bytes([1]) + b"match bytes"
    fill_in = 3 << 3
    return {
        "open-room.message": open_room,
        "join-room.message": join_room,
        "ask-relay.message": bytes([3]) + TOKEN,
        "path-chosen.message": bytes([4]) + TOKEN + bytes([1]),
        "relay.message": relay,
        "room-opened.message": bytes([10]) + b"K7QF2M" + struct.pack("<H", 600),
        "matched.message": bytes([11]) + TOKEN + bytes([2]) + address(203, 0, 113, 9, 51000) +
        bytes([1]) + address(192, 168, 1, 20, 7000),
        "relay-ready.message": bytes([12]),
        "relayed.message": bytes([13, 0]) + b"match bytes",
        "peer-gone.message": bytes([14, 4]),
        "lobby-refuse.message": bytes([15, 2]) + VERSIONS,
        "cookie.datagram": b"\xff\xffAT" + bytes([1, 1]) + struct.pack("<I", 0x12345678),
        "probe.datagram": b"\xff\xffAT" + bytes([1, 2]) + TOKEN + bytes([1, 0]),
        "answer.datagram": b"\xff\xffAT" + bytes([1, 3]) + TOKEN + bytes([2, 8]),
        "connect-without-cookie.enet": enet_connect(0),
        "connect-with-cookie.enet": enet_connect(0x12345678),
        "relayed-match.script": script((0, open_room), (1 | fill_in, join_room),
                                       (1 | fill_in, bytes([3]) + TOKEN),
                                       (0 | fill_in, relay), (1 | fill_in, relay),
                                       (2 << 3, b"\0" * 61), (1 << 3 | 0x20, b"")),
        "direct-match.script": script((2, open_room), (3 | fill_in, join_room),
                                      (3 | fill_in, bytes([4]) + TOKEN + bytes([2]))),
        "refusals.script": script((4, join_room), (5, open_room), (5, open_room), (5, open_room),
                                  (5, open_room), (6, bytes([3]) + TOKEN), (7, b"\x63"),
                                  (2 << 3 | 4, b"\0" * 11)),
    }


for folder, files in (("wave", waves()), ("bitmap", bitmaps()), ("replay", replays()),
                      ("packet", packets()), ("lobby_messages", lobby_messages())):
    for name, data in files.items():
        (HERE / "corpus" / folder / name).write_bytes(data)
