#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the golden dumps of a factory-fresh virtual camera, from its documented contents
alone (sim/camera_factory.h), so the goldens do not come from the writers they check.

  DSP page p, offset o: o XOR (0x11 * p); page 0 holds the factory settings over the pattern
  EEPROM byte i:        (7 * i + 0x5A) mod 256

Run from this folder: python3 make_golden.py
"""

FACTORY_SETTINGS = {
    0x02: 0x29, 0x1D: 0x80, 0x04: 0x78, 0x42: 0x67, 0x43: 0xA0, 0x06: 0x30, 0x07: 0x03,
    0x13: 0x30, 0x14: 0x00, 0x15: 0x3F, 0x31: 0x70, 0x52: 0x40, 0x53: 0x18, 0x54: 0x02,
    0x55: 0x00, 0x56: 0x00, 0x57: 0x3C, 0x60: 0x02, 0x63: 0x40, 0x6A: 0x00, 0x70: 0x07,
    0x71: 0x80, 0x72: 0x20, 0x73: 0x56, 0x7B: 0x00, 0x7C: 0x14, 0x80: 0x00, 0x8B: 0x7C,
    0xA0: 0x01,
}
# The EEPROM header's build stamp differs per build: tests compare it by form only.
EEPROM_HEADER = "// EEPROM Settings Peldra, date: Jan  1 2000 @ 00:00:00"


def dsp(page, offset):
    if page == 0 and offset in FACTORY_SETTINGS:
        return FACTORY_SETTINGS[offset]
    return offset ^ (0x11 * page)


def eeprom(block, offset):
    return (7 * (256 * block + offset) + 0x5A) % 256


def data_line(value, row, valid=16):
    return " ".join("%02X" % value(row * 16 + c) if c < valid else "??" for c in range(16))


def dump(header, groups, title, value, fail=None):
    """fail = (group, row, column): the read that fails; the file ends with its line."""
    lines = [header]
    for g in range(groups):
        lines += title(g)
        for r in range(16):
            if fail and (g, r) == fail[:2]:
                lines.append(data_line(lambda o: value(g, o), r, fail[2]))
                return lines
            lines.append(data_line(lambda o: value(g, o), r))
    return lines


def write(name, lines):
    with open(name, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("ascii"))


def dsp_title(p):
    return ["// Group %d" % p]


def eeprom_title(b):
    return ["//", "// Page %d" % b]


DSP_HEADER = "// All DSP Settings PeldraW"
write("dsp_complete.txt", dump(DSP_HEADER, 8, dsp_title, dsp))
write("dsp_fail_page3_row5.txt", dump(DSP_HEADER, 8, dsp_title, dsp, (3, 5, 9)))
write("eeprom_complete.vis", dump(EEPROM_HEADER, 4, eeprom_title, eeprom))
write("eeprom_fail_block1_row0.vis", dump(EEPROM_HEADER, 4, eeprom_title, eeprom, (1, 0, 0)))
