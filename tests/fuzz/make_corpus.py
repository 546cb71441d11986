#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/<target>/.

Run it again after changing it; the files it writes are committed. Seeds are small: a few
whole files of each dialect and a few damaged ones, from which libFuzzer mutates.
"""
import pathlib
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "data"))
from performance_text import (EXCHANGE_BANNER, NATIVE_BANNER, exchange_lines,  # noqa: E402
                              joined, native_lines)

CORPUS = HERE / "corpus"


def sample_roster():
    """A roster with every value the files carry set to something of its own."""
    teams = []
    for t in range(14):
        teams.append({
            "name": b"Team %d" % t, "engine": b"Engine %d" % t,
            "race": b"%d" % (700 + t), "qual": b"%d" % (720 + t), "failure": b"%d" % (2000 + t),
            "pos": [b"%d" % ((t + i) % 28 + 1) for i in range(8)],
        })
    drivers = []
    for d in range(28):
        drivers.append({"car": b"%d" % (d + 1), "name": b"Driver %d" % d,
                        "race": 16000 + d, "qual": 16200 - d, "range": b"%d" % (500 + 50 * d)})
    spares = [{"name": b"Spare %d" % s, "race": 15000 + s, "qual": 15100 + s,
               "range": b"%d" % (900 + s)} for s in range(8)]
    return teams, drivers, spares


def damaged(lines):
    """Every kind of value the readers must cope with, a few lines each."""
    lines = list(lines)
    lines[3] = b"Name=" + b"N" * 60 + b",Caf\xe9 \x80 Engine With A Name Far Too Long"
    lines[4] = b"Performance=1234,x,26,00,,,1"
    lines[5] = b"First Driver=123,Na\x00me,99999999999999999999999,-5, 700,0,0"
    lines[6] = b"Second Driver"
    lines[7] = b"DQualPosD1=1,2,3"
    lines[8] = b"DQualPosD2=\r7\rx"
    lines[18] = b"Name=,"
    lines[19] = b"Performance="
    lines[20] = b"First Driver=,,,"
    return lines


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def cells(texts, width):
    return b"".join(t[:width - 1].ljust(width, b"\0") for t in texts)


def store_input(files):
    """The store_load target's input: each file as a little-endian length and its bytes."""
    return b"".join(struct.pack("<H", len(f)) + f for f in files)


def main():
    roster = sample_roster()
    native = native_lines(roster)
    exchange = exchange_lines(roster)

    for target in ("native_reader", "round_trip"):
        write(target, "full.txt", joined(native))
        write(target, "short.txt", joined(native[:40]))
        write(target, "lf_only.txt", joined(native, b"\n"))
        write(target, "damaged.txt", joined(damaged(native)))
        write(target, "banner_caps.txt", joined([NATIVE_BANNER[:36].upper(), b"", b"[Team #00]",
                                                 b"Name=A,B"]))
    write("native_reader", "exchange.txt", joined(exchange))
    write("native_reader", "empty.txt", b"")

    write("exchange_reader", "full.txt", joined(exchange))
    write("exchange_reader", "short.txt", joined(exchange[:30]))
    write("exchange_reader", "damaged.txt", joined(damaged(exchange)))
    write("exchange_reader", "no_file_section.txt", joined(exchange[:95]))
    write("exchange_reader", "native.txt", joined(native))
    write("exchange_reader", "banner_only.txt", EXCHANGE_BANNER)

    teams = (cells([b"Team %d" % t for t in range(14)], 32) +
             cells([b"Engine %d" % t for t in range(14)], 32) +
             cells([b"%d" % (700 + t) for t in range(14)], 4) * 2 +
             cells([b"%d" % (t % 28 + 1) for t in range(28)], 3) * 2 +
             cells([b"%d" % (2000 + t) for t in range(14)], 6))
    drivers = (cells([b"Driver %d" % d for d in range(28)], 48) +
               cells([b"%d" % (d + 1) for d in range(28)], 3) * 2 +
               cells([b"%d" % (16000 + d) for d in range(28)], 6) * 3 +
               cells([b"%d" % (d + 1) for d in range(28)], 3) +
               cells([b"Spare %d" % s for s in range(8)], 75) +
               cells([b"%d" % (15000 + s) for s in range(8)], 6) * 3)
    powers = (cells([b"%d" % (500 - 10 * p) for p in range(28)], 4) +
              cells([b"%d" % (55 - p) for p in range(28)], 3) +
              cells([b"16200", b"15750", b"740", b"715"], 6))
    ranfail = (cells([b"%d" % (500 + 100 * p) for p in range(28)], 6) +
               cells([b"%d" % (500 + 50 * p) for p in range(28)], 6))
    assert [len(f) for f in (teams, drivers, powers, ranfail)] == [1260, 2844, 220, 336]
    write("store_load", "whole.bin", store_input([teams, drivers, powers, ranfail]))
    write("store_load", "short.bin", store_input([b"x" * 500, drivers[:100]]))
    write("store_load", "no_nul.bin", store_input([b"\xff" * 1260, b"9" * 2844, b"9" * 220,
                                                   b"-" * 336]))
    write("store_load", "extreme_tables.bin",
          store_input([teams, drivers, cells([b"999"] * 28, 4) + cells([b"-9"] * 28, 3) +
                       cells([b"99999", b"-9999", b"99999", b"-9999"], 6),
                       cells([b"99999"] * 28 + [b"-9999"] * 28, 6)]))
    write("store_load", "empty.bin", b"")

    numbers = [b"0", b"16200", b" \t-751", b"+0099x", b"-", b"9223372036854775807",
               b"9223372036854775808", b"-9223372036854775809", b"12\x003", b"\n\v\f\r 7",
               b"99999999999999999999999999"]
    for i, n in enumerate(numbers):
        write("read_number", "n%02d.txt" % i, n)


if __name__ == "__main__":
    main()
