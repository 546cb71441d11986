#!/usr/bin/env python3
"""Writes the damaged Performance Files of tests/data/bad_inputs/ and their list of expected
outcomes, tests/data/bad_inputs.txt.

The files are committed; run this again after changing it. Files too big to commit (a line of
1 MB, a file over the 4 MiB limit) are made by the tests themselves, and by this script only when
asked for with --large FOLDER.

Each line of bad_inputs.txt: the file name, the exit status of `rk7power-cli check` and of
`rk7power-cli import`, "same" when exporting the imported roster in the file's dialect must give
the file back byte for byte (else "-"), and a text that check must print.
"""
import pathlib
import random
import sys

from performance_text import EXCHANGE_BANNER, NATIVE_BANNER, exchange_lines, joined, native_lines

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE / "bad_inputs"

NOT_VALID = "This not a valid Peformance File"
ENDS_EARLY = "the file ends before this line"


def roster(team_name, engine_name, driver_name, spare_name):
    """A roster as the files carry it; the names come from the functions given."""
    teams = [{"name": team_name(t), "engine": engine_name(t), "race": b"%d" % (800 + t),
              "qual": b"%d" % (780 + t), "failure": b"%d" % (2600 + t),
              "pos": [b"%d" % ((t + i) % 28 + 1) for i in range(8)]} for t in range(14)]
    drivers = [{"car": b"%d" % (d + 1), "name": driver_name(d), "race": 16000 + d,
                "qual": 16200 - d} for d in range(28)]
    spares = [{"name": spare_name(s), "race": 15000 + s, "qual": 15100 + s,
               "range": b"%d" % (900 + s)} for s in range(8)]
    return teams, drivers, spares


def plain_roster():
    return roster(lambda t: b"Team %d" % t, lambda t: b"Engine %d" % t,
                  lambda d: b"Driver %d" % d, lambda s: b"Spare %d" % s)


# Names in Windows-1252, the game's code page: accented letters, the euro sign, S and z with
# caron, and the five bytes the code page leaves undefined, which must pass through untouched.
CP1252_TEAMS = [b"Caf\xe9 R\xe9sum\xe9", b"M\xfcnchen \x80", b"\x8akoda \x9akoda", b"Stra\xdfe",
                b"Espa\xf1a \xd1", b"Citro\xebn", b"\x81\x8d\x8f\x90\x9d", b"\xc0\xc9\xce\xd5\xdc",
                b"\xe0\xe8\xec\xf2\xf9", b"\xab\xbb\x85\x96\x97", b"\xa9 \xae \x99", b"Z\xfcrich",
                b"Ume\xe5", b"\xff\xfe\xfd" * 10]
CP1252_DRIVERS = [b"Fran\xe7ois S\xe9bastien", b"J\xfcrgen Stra\xdf", b"\x8aime \x9aolc",
                  b"Ni\xf1o N\xfa\xf1ez", b"\xc5sa \xd8stberg", b"Ren\xe9 L\xe9vy"]


def cp1252_roster():
    return roster(lambda t: CP1252_TEAMS[t], lambda t: b"Motor \x80%d" % t,
                  lambda d: CP1252_DRIVERS[d % len(CP1252_DRIVERS)] + b" %d" % d,
                  lambda s: b"R\xe9serve \xa3%d \x84quoted\x93" % s)


# The same kind of names in UTF-8, each short enough in bytes for its cell.
UTF8_NAMES = ["Kimi Räikkönen", "Sébastien Loëb", "Jürgen Straß", "Ñoño Núñez", "Åsa Østberg",
              "Zoë “Quick” Ⅱ", "大阪 Racing", "Łukasz Żółw"]


# Fits in 31 characters, but not in 31 bytes.
LONG_UTF8_NAME = "Ævar Þórsson-Ðaðason Ölvir Ýr".encode()


def utf8_roster():
    def name(i):
        return UTF8_NAMES[i % len(UTF8_NAMES)].encode("utf-8")
    return roster(lambda t: name(t), lambda t: ("Moteur €%d" % t).encode(),
                  lambda d: name(d) + b" %d" % d, lambda s: ("Réserve №%d" % s).encode())


def with_lines(lines, changes):
    lines = list(lines)
    for number, text in changes.items():
        lines[number - 1] = text
    return lines


def bad_inputs():
    """(name, bytes, check status, import status, same, text) for every committed file."""
    rng = random.Random(7)
    plain = plain_roster()
    native = native_lines(plain)
    exchange = exchange_lines(plain)
    commas = b"," * 300
    files = [
        ("empty.txt", b"", 3, 3, "-", NOT_VALID),
        ("banner_only.txt", NATIVE_BANNER + b"\r\n", 1, 0, "-", "2: " + ENDS_EARLY),
        ("banner_only_exchange.txt", EXCHANGE_BANNER, 1, 0, "-", "2: " + ENDS_EARLY),
        ("garbage.bin", rng.randbytes(3000), 3, 3, "-", NOT_VALID),
        ("zeros.bin", bytes(2048), 3, 3, "-", NOT_VALID),
        ("garbage_after_banner.txt", NATIVE_BANNER + b"\r\n" + rng.randbytes(3000), 1, 0, "-",
         ENDS_EARLY),
        ("nul_bytes.txt", joined(with_lines(native, {
            4: b"Name=Team\x000,Engine 0",
            5: b"Performance=800,7\x008,2600",
            6: b"First Driver=1,Dri\x00ver 0,31751,31951, ,0,0",
            8: b"DQualPosD1=\x001",
            201: b"0=\x00Spare 0,30751,30851,900, "})), 1, 0, "-", "holds a NUL byte"),
        ("nul_line.txt", joined(with_lines(native, {32: b"\x00" * 200})), 1, 0, "-",
         '32: no "=" in the line'),
        # Read as Windows-1252, byte for byte, with a note that it looks like UTF-8.
        ("utf8_names.txt", joined(native_lines(utf8_roster())), 1, 0, "same",
         "4: the file looks like UTF-8"),
        ("utf8_name_too_long.txt", joined(with_lines(native, {
            4: b"Name=" + LONG_UTF8_NAME + b",Engine 0"})), 1, 0, "-",
         "4: team name of %d characters cut to 31" % len(LONG_UTF8_NAME)),
        ("cp1252_names.txt", joined(native_lines(cp1252_roster())), 0, 0, "same", "native"),
        ("cp1252_names_exchange.txt", joined(exchange_lines(cp1252_roster())), 0, 0, "same",
         "exchange"),
        ("many_commas.txt", joined(with_lines(native, {
            4: b"Name=" + commas + b"Team 0" + commas,
            5: b"Performance=" + commas,
            6: b"First Driver=" + commas,
            8: b"DQualPosD1=" + commas,
            201: b"0=" + commas})), 1, 0, "-", "team failure of 298 characters cut to 5"),
        ("many_commas_exchange.txt", joined(with_lines(exchange, {
            7: b"Second Driver=2" + commas + b"Driver 1,31751,31951, ,0,0"})), 1, 0, "-",
         "7: driver race power out of range, clamped to -9999"),
        ("missing_team_block.txt", joined(native[:2 + 14 * 3] + native[2 + 14 * 4:]), 1, 0, "-",
         "195: " + ENDS_EARLY),
        ("missing_spare_section.txt", joined(native[:198]), 1, 0, "-", "199: " + ENDS_EARLY),
        ("missing_teams_exchange.txt", joined(exchange[:31]), 1, 0, "-", "32: " + ENDS_EARLY),
        ("cr_only.txt", joined(native, b"\r"), 1, 0, "-", "2: " + ENDS_EARLY),
        ("lf_only.txt", joined(native, b"\n"), 0, 0, "-", "native"),
        ("utf8_bom.txt", b"\xef\xbb\xbf" + joined(native), 0, 0, "-", "native"),
        # Converted to Windows-1252; what it has no letter for becomes "?", and is noted.
        ("utf8_bom_names.txt", b"\xef\xbb\xbf" + joined(native_lines(utf8_roster())), 1, 0,
         "-", "character U+5927 has no Windows-1252 form"),
        ("utf16.txt", b"\xff\xfe" + joined(native).decode("latin-1").encode("utf-16-le"), 3, 3,
         "-", NOT_VALID),
        ("no_equals.txt", joined(with_lines(native, {
            i: line.replace(b"=", b":") for i, line in enumerate(native, 1) if 3 < i < 20})),
         1, 0, "-", '4: no "=" in the line'),
        ("huge_numbers.txt", joined(with_lines(exchange, {
            6: b"First Driver=1,A," + b"9" * 400 + b",-" + b"9" * 400 + b", ,0,0",
            88: b"0=S,,x,12345678"})), 1, 0, "-", "clamped to 99999"),
        ("banner_then_binary_lines.txt", joined([NATIVE_BANNER] + [
            rng.randbytes(rng.randrange(0, 120)).replace(b"\n", b"") for _ in range(220)]), 1, 0,
         "-", "native"),
    ]
    return files


def write_large(folder):
    """The files the tests make themselves: a 1 MB line, a 1 MB file of one line without a line
    end, and a file over the 4 MiB limit."""
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    native = native_lines(plain_roster())
    (folder / "long_line.txt").write_bytes(
        joined(with_lines(native, {4: b"Name=" + b"L" * (1 << 20) + b",Engine"})))
    (folder / "one_line.txt").write_bytes(b"A" * (1 << 20))
    (folder / "too_large.txt").write_bytes(joined(native) + b"x" * (5 << 20))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--large":
        write_large(sys.argv[2])
        return
    OUT.mkdir(exist_ok=True)
    for old in OUT.iterdir():
        old.unlink()
    manifest = ["# Made by make_bad_inputs.py: file, exit status of check, of import, whether an",
                "# export gives the file back (same or -), and a text that check prints."]
    for name, data, check, imported, same, text in bad_inputs():
        (OUT / name).write_bytes(data)
        manifest.append("%s %d %d %s %s" % (name, check, imported, same, text))
    (HERE / "bad_inputs.txt").write_text("\n".join(manifest) + "\n")


if __name__ == "__main__":
    main()
