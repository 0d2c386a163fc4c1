#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (corpus/<target>/).

The keyboard image comes from the virtual keyboard's state file after one
read (run `ORVANE_KEYBOARD=virtual orvanectl dump` in an empty folder and
pass its VirtualKeyboard.bin). Seeds are small and plausible; the fuzzers
find the rest.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MOUSE_DATA = 10060
RECORD = 772


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


def keyboard_image(state_file):
    with open(state_file, "rb") as f:
        memory = bytearray(f.read()[:MOUSE_DATA])
    memory[7451] = 10 - memory[7451]  # files hold the speed as the user sees it
    return memory


def assignment(key_code, map_type=0, data=b"", count=0, path=""):
    r = bytearray(RECORD)
    r[0], r[1] = key_code, map_type
    r[2:2 + len(data)] = data
    r[257] = count
    encoded = path.encode("utf-16-le")
    r[260:260 + len(encoded)] = encoded
    return r


def macro_record(name, host, device, loops=1, options=0):
    r = bytearray(894)
    encoded = name.encode("utf-16-le")
    r[0:len(encoded)] = encoded
    r[510:512] = struct.pack("<H", loops)
    r[512] = options
    r[513:513 + len(device)] = device
    r[703:703 + len(host)] = host
    return r


# Press and release of A, a 500 ms pause before the release of Ctrl, a mouse click.
HOST = bytes([0x01, 0x41, 0x81, 0x41, 0x01, 0xA2, 0xFF, 0xA2, 0x01, 0xF4, 0x32, 0xF0, 0x81, 0xF0])
DEVICE = bytes([0x01, 0x04, 0x81, 0x04, 0x01, 0xE0, 0xFF, 0xE0, 0x01, 0xF4, 0x32, 0xF0, 0x81, 0xF0])


def main(state_file):
    image = keyboard_image(state_file)
    records = assignment(0x1B, 6, bytes([3, 0, 0x23, 2]), 0, "/home/user/Documents/notes.txt")
    records += assignment(0x70, 1, bytes([0xA2, 0x43]), 2)
    put("keymap_file", "keyboard-state", image)
    put("keymap_file", "with-assignments", image + records)
    put("keymap_file", "short", image[:100])
    put("keymap_file", "empty", b"")

    store = macro_record("Macro1", HOST, DEVICE) + macro_record("Loop", HOST[:4], DEVICE[:4], 300, 1)
    put("macro_file", "two-macros", store + bytes(894))
    put("macro_file", "empty", b"")

    put("version_file", "version-2-5", b"VER: 2.5 build\n")
    put("version_file", "short", b"VER:")
    put("version_file", "letters", b"VER: x.y 1234")

    put("profile_file", "full", bytes([0, 7]) + b"Gaming1" + image + records)
    put("profile_file", "new", bytes([1, 4]) + b"a.b\xc3" + bytes(MOUSE_DATA))
    put("profile_file", "dots", bytes([0, 2]) + b".." + image[:64])

    pad = lambda s: s + bytes(190 - len(s))
    put("macro_stream", "aligned", pad(HOST) + pad(DEVICE))
    put("macro_stream", "torn-long", pad(bytes([0x01, 0x41]) * 93 + bytes([0x7F, 0x41])) + pad(b""))
    put("macro_stream", "disagreeing", pad(HOST) + pad(bytes([0x7F, 0x04, 0x01, 0x01]) * 3))

    macros = b""
    for host, device in ((HOST, DEVICE), (HOST[:4], DEVICE[:4]), (b"", b"")):
        macros += pad(host) + pad(device) + struct.pack("<H", 1) + bytes([0, 0])
    # Select, record two keys, insert before, a mouse click, a delay, a delete.
    commands = bytes([8, 1, 6, 13, 10, 0, 0x41, 0, 13, 10, 0, 0x41, 1, 6, 0x80, 1, 0, 13, 0, 0, 0x42, 0,
                      13, 0, 0, 0x42, 1, 0x82, 2, 0, 2, 0x83, 0, 0x84, 1, 5, 0, 0x2C, 1, 0])
    put("macro_edit", "record-insert-edit", macros + commands)

    # Record Ctrl+C until the macro is full, OK with a key set to its macro,
    # delete a macro before it, OK, then the main window's Cancel.
    full = bytes([3, 1, 0, 0]) + bytes([6, 3, 6, 2, 9, 2, 9, 3]) * 24 + bytes([0, 0])
    panel = bytes([13, 1, 3, 1, 2, 0, 13, 5, 13, 4, 3, 3, 6, 0, 12, 0, 13, 3])
    put("macro_panel", "full-delete-cancel", full + panel)

    # The link: events first, then the command interface's transfers in the
    # order of an arrival (a send takes a control byte, a reply 1 + 9 bytes,
    # a data report 1 + 65 bytes).
    events = bytes([4, 4, 4, 0, 0]) * 3 + bytes([4, 4, 1, 0x1B, 0])
    ok = bytes([0])
    reply = lambda *b: bytes([9]) + bytes([0] + list(b) + [0] * (8 - len(b)))
    report = lambda chunk: bytes([65, 0]) + bytes(chunk) + bytes(64 - len(chunk))
    script = ok + ok + reply(0x88, 0, 1, 5, 50, 1, 1)
    for i in range(7):
        script += ok + reply(0x94, 0, i, 0xFF, 0, 0)
    script += ok + reply(0x89, 1) + ok + reply(0x81, 1) + ok + reply(0x84, 1)
    key_table = image[792:792 + 512]
    script += ok + reply(0x8D) + b"".join(report(key_table[i * 64:(i + 1) * 64]) for i in range(8))
    script += ok + reply(0x8E) + report(image[7477:7477 + 21])
    for s in range(32):
        script += ok + reply(0x91) + report(b"") * 3
    for _ in range(2):
        for t in range(5):
            script += ok + reply(0x92) + report(b"\x00\xff\x00\x00" * 16) * 8
    script += ok + reply(0x80, 1, 2)
    put("link_replies", "arrival", struct.pack("<H", len(events)) + events + script)
    put("link_replies", "garbage", struct.pack("<H", 3) + b"\xff\x00\x01" + bytes(range(256)))

    key = lambda release, qt, mods, scan, sym, native, rep, text: (
        bytes([release]) + struct.pack("<IIIIIB", qt, mods, scan, sym, native, rep) + text)
    put("key_capture", "right-ctrl", key(0, 0x01000021, 0x04000000, 105, 0xffe4, 0, 0, b""))
    put("key_capture", "a", key(1, 0x41, 0, 38, 0x61, 0, 0, b"a"))
    put("key_capture", "keypad-5-no-native", key(0, 0x35, 0x20000000, 0, 0, 0, 1, b"5"))
    put("key_capture", "volume-up", key(0, 0x01000072, 0, 123, 0x1008ff13, 0, 0, b""))


if __name__ == "__main__":
    main(sys.argv[1])
