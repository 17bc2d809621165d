#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz corpus (files named seed-*), one per case worth
starting from: the worked examples of the sizing rules, every failure ending, the edges of the
number rule and of the report's fields. The fuzzer's own finds sit beside them under their
hashes. Run from this folder; it rewrites only seed-* files."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


# --- the number rule: the input is the edit field's text itself -------------------------------
for name, text in {
    "zero": b"0",
    "sixteen": b"16",
    "seventeen": b"17",
    "max": b"4294967295",
    "max-plus-one": b"4294967296",
    "twenty-digits": b"18446744073709551616",
    "leading-zeros": b"00000000000000000000004294967295",
    "blanks-around": b" \t42 \t",
    "blank-inside": b"4 2",
    "plus": b"+5",
    "minus": b"-1",
    "letters": b"7a",
    "empty": b"",
    "only-blanks": b"  \t",
    "newline": b"5\n",
    "nul": b"5\x00",
    "utf8-digit": "\uff15".encode(),
    "hex": b"0x10",
    "exponent": b"1e3",
}.items():
    write("number_rule", name, text)


# --- Compute: a program of steps, see fuzz_compute.cpp -----------------------------------------
COPY, STORE, SET, STALE, COMPUTE, COMMAND = 0, 1, 2, 3, 4, 5
C_COMPUTE, C_VAULT, C_MODEL, C_CAPTURE, C_RAID, C_CLEAR, C_PRESET = range(7)
DISK, RAID, DISKS, GROUPS, VAULT, MODEL = range(6)


def count(n):
    return bytes([n]) if n <= 20 else b"\xe0" + struct.pack("<I", n)


def index(i, size):
    return bytes([i + 1]) if -1 <= i < size else b"\xf0" + struct.pack("<i", i)


def set_field(row, field, value):
    out = bytes([SET, row - 1, field])
    if field == DISK:
        return out + index(value, 8)
    if field == RAID:
        return out + index(value, 7)
    if field in (DISKS, GROUPS):
        return out + count(value)
    if field == VAULT:
        return out + bytes([1 if value else 0])
    return out + index(value, 9)


def row(r, disk, raid, disks, groups, vault=False):
    return (set_field(r, DISK, disk) + set_field(r, RAID, raid) + set_field(r, DISKS, disks)
            + set_field(r, GROUPS, groups) + set_field(r, VAULT, vault))


def model(m):
    return set_field(1, MODEL, m)


def compute():
    return bytes([COMPUTE])


def number_text(n, style=0):
    """An edit field's text as the copy reads it: a count in digits, or raw text."""
    if isinstance(n, bytes):
        return b"\xc0" + bytes([len(n)]) + n
    return bytes([style]) + count(n)


def text(t):
    return bytes([len(t)]) + t


def command(which, row=1, copy_ok=True, preset=0):
    """One editing command of the window; a failed capture changes nothing here."""
    row_sel = bytes([row]) if 0 <= row < 12 else b"\xf0" + struct.pack("<i", row)
    out = bytes([COMMAND, 1 if copy_ok else 0]) + row_sel + bytes([which])
    return out + (bytes([preset]) if which == C_PRESET else b"")


def sticky(on):
    return bytes([SET, 0, 6, 1 if on else 0])


seeds = {
    "default": compute(),
    "raid5-one-group": row(1, 4, 4, 5, 1) + compute(),
    "raid5-vault": row(1, 4, 4, 5, 1, True) + compute(),
    "three-rows": row(1, 4, 4, 5, 1, True) + row(2, 4, 2, 8, 10) + row(3, 7, 5, 6, 4)
    + compute(),
    "121-disks": row(1, 4, 4, 11, 11) + compute(),
    "120-disks": row(1, 4, 2, 8, 15) + compute(),
    "telvar-d-full": model(8) + row(1, 7, 5, 16, 60) + compute(),
    "sata-vault-empty-row": model(2) + row(1, 5, -1, 0, 0, True) + compute()
    + row(6, 5, -1, 0, 0, True) + set_field(1, VAULT, False) + compute(),
    "zunda-vault-ata": model(0) + row(1, 6, 4, 5, 1, True) + compute(),
    "zunda-disk-not-offered": model(0) + row(1, 0, 4, 5, 1) + compute()
    + set_field(1, GROUPS, 0) + compute() + row(1, 5, 4, 5, 1, True) + compute(),
    "raid-rule-row4": row(4, 4, 4, 2, 0) + compute(),
    "no-raid-type": row(1, 4, -1, 5, 3) + compute(),
    "first-failure-only": model(0) + row(1, 4, 4, 5, 1) + row(2, 0, 4, 5, 1)
    + row(5, 4, 4, 2, 1) + compute(),
    "every-raid-rule": b"".join(row(1, 4, raid, disks, 2) + compute()
                                for raid, disks in [(0, 2), (0, 3), (1, 2), (1, 4), (2, 7),
                                                    (2, 16), (3, 6), (3, 9), (4, 16), (5, 5),
                                                    (5, 16), (6, 2), (6, 1)]),
    "failure-keeps-later-rows": b"".join(row(r, r % 8, 4, 5, r) for r in range(1, 11))
    + compute() + set_field(4, DISKS, 2) + compute() + set_field(4, DISKS, 9) + compute(),
    "seventeen-disks": row(1, 4, -1, 17, 0) + compute() + set_field(1, DISKS, 0)
    + compute(),
    "huge-counts": model(8) + b"".join(row(r, 7, 5, 16, 0xFFFFFFFF) for r in range(1, 11))
    + compute() + set_field(1, DISKS, 2**31 + 3) + compute(),
    "two-to-the-31-groups": model(5) + row(1, 1, 1, 2, 2**31) + row(2, 1, 1, 2, 2**31)
    + compute(),
    "model-outside-table": set_field(1, MODEL, 9) + row(1, 4, 4, 5, 1) + compute()
    + set_field(1, MODEL, -1) + compute() + set_field(1, MODEL, 2**31 - 1)
    + row(1, 4, 4, 5, 0) + compute(),
    "disk-outside-table": row(1, 8, 4, 5, 1) + compute() + row(1, -2**31, 4, 5, 0)
    + compute(),
    "raid-outside-table": row(1, 4, 7, 5, 1) + compute() + row(1, 4, -7, 16, 1) + compute(),
    "stale-texts": bytes([STALE, 3]) + text(b"old") + text(b"x" * 40) + compute()
    + model(0) + row(1, 0, 4, 5, 1) + compute(),
    # Whole copies in binding order. Each is 71 values; the first refused number stops it.
    "copy-valid": bytes([COPY])
    + index(4, 8) + number_text(5) + index(4, 7) + number_text(1) + text(b"")
    + text(b"") + number_text(0) + number_text(0) + index(-1, 7) + index(4, 8)
    + text(b"") + index(4, 8) + index(-1, 7) + number_text(0) + number_text(0, 1) + text(b"")
    + text(b"") * 4
    + text(b"") * 7 + index(4, 8) * 7 + index(-1, 7) * 7 + number_text(0, 2) * 7
    + number_text(0) * 7 + text(b"") * 7
    + text(b"") + index(5, 9) + text(b"") + b"\x00" * 5 + b"\x01"
    + compute(),
    "copy-refused-range": bytes([COPY]) + index(4, 8) + number_text(5) + index(4, 7)
    + number_text(3) + text(b"") + text(b"") + number_text(7) + number_text(20) + compute(),
    "copy-refused-text": bytes([COPY]) + index(4, 8) + number_text(b"") + compute()
    + bytes([COPY]) + index(4, 8) + number_text(b"-1") + compute()
    + bytes([COPY]) + index(4, 8) + number_text(b"7a") + compute(),
    "store-anywhere": bytes([STORE, 9, 0]) + number_text(5) + bytes([STORE, 9, 11])
    + number_text(5) + bytes([STORE, 8, 0xFF]) + number_text(b"12") + bytes([STORE, 15, 1])
    + number_text(3) + bytes([STORE, 0, 0]) + number_text(3) + compute(),
    "raid-lock": row(2, 4, 1, 9, 1) + command(C_RAID, 2) + row(2, 4, 6, 9, 1)
    + command(C_RAID, 2) + row(2, 4, 5, 9, 1) + command(C_RAID, 2) + command(C_COMPUTE)
    + command(C_RAID, 0) + command(C_RAID, 11) + command(C_RAID, -2**31),
    "clear-rows": row(10, 7, 1, 2, 4, False) + command(C_RAID, 10) + command(C_CLEAR, 10)
    + row(2, 4, 4, 5, 3, True) + command(C_COMPUTE) + command(C_CLEAR, 2) + command(C_CLEAR, 0)
    + command(C_CLEAR, 2**31 - 1) + command(C_COMPUTE, copy_ok=False),
    "presets-sticky": row(1, 4, 4, 5, 3) + command(C_PRESET, preset=2) + command(C_COMPUTE)
    + b"".join(command(C_PRESET, preset=p) for p in range(4)),
    "presets-not-sticky": model(2) + sticky(False) + row(1, 4, 4, 5, 3, True) + b"".join(
        command(C_PRESET, preset=p) + command(C_VAULT) for p in range(4)),
    "model-and-capture": row(1, 4, 4, 2, 1) + command(C_MODEL) + command(C_CAPTURE)
    + row(1, 4, 4, 5, 1) + command(C_MODEL, copy_ok=False),
}
for name, data in seeds.items():
    write("compute", name, data)


# --- the report: a sheet and a time, see fuzz_report.cpp --------------------------------------
def report_row(disk, raid, disks, groups, vault, group_text, total_text):
    return (index(disk, 8) + index(raid, 7) + count(disks) + count(groups)
            + bytes([1 if vault else 0]) + text(group_text) + text(total_text))


def report_sheet(model_index, rows, totals=(b"", b"", b"", b""), time=(2024, 3, 7, 9, 5, 3)):
    out = index(model_index, 9) + struct.pack("<6i", *time)
    out += b"".join(text(t) for t in totals)
    padded = list(rows) + [report_row(4, -1, 0, 0, False, b"", b"")] * (10 - len(rows))
    return out + b"".join(padded)


C = b" 1610.29"
report_seeds = {
    "empty-sheet": report_sheet(5, []),
    "one-row": report_sheet(5, [report_row(4, 4, 5, 1, False, C, C)],
                            (C, b"    1.57", b"5", b"1")),
    "zunda-names": report_sheet(0, [report_row(d, 4, 5, 1, d < 5, C, C) for d in range(8)]),
    "raid-6-name": report_sheet(7, [report_row(4, r, 5, 2, False, C, C) for r in range(-1, 7)]),
    "vault-rows-6-to-10": report_sheet(5, [report_row(4, 4, 5, 1, True, C, C)] * 10),
    "gaps": report_sheet(5, [report_row(4, 4, 5, 1, False, C, C),
                             report_row(4, 4, 5, 0, False, C, C),
                             report_row(2, 2, 8, 3, False, C, C)]),
    "error-totals": report_sheet(2, [report_row(5, 4, 5, 1, True, b"", b"")],
                                 (b"Error", b"Error", b"Error", b"")),
    "huge-counts": report_sheet(8, [report_row(7, 5, 0xFFFFFFFF, 0xFFFFFFFF, False,
                                               b"9" * 30, b"8" * 40)] * 10),
    "outside-tables": report_sheet(9, [report_row(8, 7, 5, 1, False, C, C),
                                       report_row(-2**31, -2**31, 5, 1, True, C, C),
                                       report_row(2**31 - 1, 2**31 - 1, 5, 1, True, C, C)]),
    "odd-time": report_sheet(-1, [report_row(4, 4, 5, 1, False, C, C)],
                             time=(-2**31, 0, 2**31 - 1, -5, 100, -1)),
    "long-texts": report_sheet(5, [report_row(4, 4, 5, 1, False, b"g" * 255, b"t" * 255)],
                               (b"a" * 255, b"b" * 255, b"c" * 255, b"d" * 255)),
}
for name, data in report_seeds.items():
    write("report", name, data)


# --- the report reader: the text of a report file, see fuzz_report_reader.cpp -----------------
GOLDEN = os.path.join(HERE, "..", "report", "golden")
for name in sorted(os.listdir(GOLDEN)):
    with open(os.path.join(GOLDEN, name), "rb") as f:
        report = f.read()
    stem = name[: -len(".txt")]
    write("report_reader", stem, report)
    write("report_reader", stem + "-crlf", report.replace(b"\n", b"\r\n"))

with open(os.path.join(GOLDEN, "raid_types_and_vault.txt"), "rb") as f:
    eight_rows = f.read()
last_line = eight_rows.splitlines(keepends=True)[-1]
ten_rows = eight_rows + last_line * 2
reader_seeds = {
    "ten-rows-blank-lines-after": ten_rows + b"\n   \n\n",
    "eleven-rows": ten_rows + last_line,
    "text-after-blank-line": ten_rows + b"\nmore\n",
    "vault-on-sixth-row": eight_rows.replace(b"RAID 6       6         No",
                                             b"RAID 6       6        Yes"),
    "bad-byte": eight_rows.replace(b"Telvar D", b"Telvar \xc3\xa9"),
    "empty": b"",
}
for name, data in reader_seeds.items():
    write("report_reader", name, data)
