"""Performance Files as text, for the scripts that write test inputs (make_bad_inputs.py here,
tests/fuzz/make_corpus.py).

A roster is (teams, drivers, spares): lists of dicts of the byte strings and numbers the files
carry. A driver's "range" may be left out; the line then carries an empty one.
"""

NATIVE_BANNER = b"** Rk7Power v2.46 - Performance File **"
EXCHANGE_BANNER = b"** Rk7edit v1.85 - Performance File **"
OFFSET = 15751
POSITION_KEYS = [b"DQualPosD1", b"DQualPosD2", b"DRacePosD1", b"DRacePosD2",
                 b"TQualPosD1", b"TQualPosD2", b"TRacePosD1", b"TRacePosD2"]


def team_lines(roster, t):
    teams, drivers, _ = roster
    team = teams[t]
    lines = [b"[Team #%02d]" % t, b"Name=" + team["name"] + b"," + team["engine"],
             b"Performance=" + team["race"] + b"," + team["qual"] + b"," + team["failure"]]
    for key, d in ((b"First Driver=", 2 * t), (b"Second Driver=", 2 * t + 1)):
        dr = drivers[d]
        lines.append(key + dr["car"] + b"," + dr["name"] +
                     b",%d,%d, " % (dr["race"] + OFFSET, dr["qual"] + OFFSET) +
                     dr.get("range", b"") + b",0,0")
    return lines


def spare_lines(roster):
    return [b"%d=" % s + sp["name"] + b",%d,%d," % (sp["race"] + OFFSET, sp["qual"] + OFFSET) +
            sp["range"] + b", " for s, sp in enumerate(roster[2])]


def native_lines(roster):
    lines = [NATIVE_BANNER, b""]
    for t in range(14):
        lines += team_lines(roster, t)
        lines += [k + b"=" + v for k, v in zip(POSITION_KEYS, roster[0][t]["pos"])]
        lines.append(b"")
    return lines + [b"", b"[Spare Drivers]"] + spare_lines(roster)


def exchange_lines(roster):
    lines = [EXCHANGE_BANNER]
    for t in range(14):
        lines += [b""] + team_lines(roster, t)
    return (lines + [b"", b"[Spare Drivers]"] + spare_lines(roster) +
            [b"", b"[File]", b"Version=185", b"DriverZero=0"])


def joined(lines, end=b"\r\n"):
    return b"".join(line + end for line in lines)
