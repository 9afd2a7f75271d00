#!/usr/bin/env python3
"""Writes demo-radio.vd: the 100-channel programming of the demonstration radio that
scripts/run.sh puts into the simulator. Its signalling file demo-radio.ton is
image-2m.ton (DTMF, 2-tone and 5-tone memories, own ID 54321); its radio image is made
with `vn574-cli encode demo-radio.vd -o demo-radio.img --option-byte 0xE0`."""

import pathlib

END = "\r\r\n"  # every record of a channel data file ends so
CTCSS = ["67.0", "71.9", "77.0", "82.5", "88.5", "94.8", "100.0", "103.5", "107.2",
         "110.9", "114.8", "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2",
         "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2", "192.8"]
DCS = ["023N", "025N", "026N", "031N", "032N", "043N", "047N", "051N", "054N", "065N",
       "071N", "072N", "073N", "074N", "114N", "115N", "116N", "125N", "131N", "132N"]
TOWNS = ["ALTON", "BRENT", "CAVEN", "DALBY", "ELMER", "FROME", "GARTH", "HOLTE",
         "IRWEL", "JARVS", "KELSO", "LYDNY", "MARSH", "NEWBY", "ORTON", "PENRY"]


def channel(n):
    """Fields 2..18 of channel n: name, step, rx, rx tone, W/N, PAC, DCS DET, scan
    skip, PRI, tx, tx tone, BCL, ANI, Shift, option signal, option memory, PTT ID."""
    if n < 40:  # repeaters: 600 kHz below, CTCSS access, busy lock
        rx_khz = 145600 + (n % 16) * 25
        tone = "C:" + CTCSS[n % len(CTCSS)]
        name = "R" + TOWNS[n % len(TOWNS)][:5]
        if n >= 16:
            name = TOWNS[n % len(TOWNS)][:4] + "%02d" % n
        rx_tone = tone if n % 3 == 0 else "off"
        return [name, "12.5", rx_khz, rx_tone, "wide", "off", "off", "Scan", "off",
                rx_khz - 600, tone, "on", "off", "on", "None", "0", "0"]
    if n < 60:  # simplex channels, some narrow with DCS squelch
        khz = 144500 + (n - 40) * 25
        dcs = n % 4 == 0
        tone = "D:" + DCS[n % len(DCS)] if dcs else "off"
        return ["SMPX%02d" % (n - 39), "12.5", khz, tone, "narrow" if dcs else "wide",
                "off", "on" if dcs else "off", "Scan", "off", khz, tone, "off", "off", "off",
                "None", "0", "0"]
    if n < 70:  # signalling channels: selective calls by DTMF, 2-tone and 5-tone
        khz = 145250 + (n - 60) * 25
        kind = ["DTMF", "DTMF-ANI", "2Tone", "5Tone", "5Tone"][(n - 60) % 5]
        memory = str((n - 60) % 8 if kind.startswith("DTMF") else n - 59)
        ptt = {"DTMF": "0", "DTMF-ANI": "1", "2Tone": "0", "5Tone": "1"}[kind]
        names = {"DTMF": "DTMF", "DTMF-ANI": "DANI", "2Tone": "TWOTN", "5Tone": "SELC"}
        return ["%s%d" % (names[kind], n - 59), "12.5", khz, "off", "wide", "off", "off",
                "Skip", "off", khz, "C:" + CTCSS[n % len(CTCSS)], "off",
                "on" if kind == "DTMF-ANI" else "off", "off", kind, memory, ptt]
    if n < 80:  # receive only: weather and marine, transmitting on the calling frequency
        rx = [162400, 162425, 162450, 162475, 162500, 162525, 162550, 156800, 156300,
              156650][n - 70]
        name = "WX%d" % (n - 69) if n < 77 else "MAR%d" % (n - 76)
        return [name, "25", rx, "off", "narrow", "off", "off", "Skip", "off", 145500, "off",
                "off", "off", "off", "None", "0", "0"]
    # club nets, with the first one as the priority channel of the rest
    khz = 144800 + (n - 80) * 50 // 2 * 2
    return ["NET%02d" % (n - 79), "25", khz, "off", "wide", "off", "off", "Scan",
            "80" if n > 80 else "off", khz, "C:" + CTCSS[(n * 7) % len(CTCSS)], "off", "off",
            "off", "None", "0", "0"]


def mhz(khz):
    return "%d.%04d" % (khz // 1000, (khz % 1000) * 10)


def main():
    here = pathlib.Path(__file__).resolve().parent
    lines = []
    for n in range(100):
        fields = channel(n)
        fields[2] = mhz(fields[2])
        fields[9] = mhz(fields[9])
        lines.append("|".join([str(n), "Active"] + fields) + "|")
    lines.append("100|Active|def|12.5|144.0000|off|wide|off|off|Scan|off|144.0000|off|off|off|off|None|0|0|")
    lines.append("101|Active|def|12.5|145.9875|off|wide|off|off|Scan|off|145.9875|off|off|off|off|None|0|0|")
    lines.append("C|def|CALL|12.5|145.5000|off|wide|off|off|Scan|off|145.5000|off|off|off|off|None|0|0|")
    lines.append("V|def|def|12.5|145.0000|C:88.5|wide|off|off|Scan|off|145.0000|C:88.5|off|off|off|None|0|0|")
    lines.append("setup|Channel|MR|5|4|Hi|Enable|Disable|Enable|Enable|Disable|Enable|100ms|60ms|60ms|1750Hz|3m00sec|5sec|off|on|Enable|Busy|High|on|Lock|50W|1|0")
    lines.append("Ad|5551234|*88#|||0123456789ABCD*#||||-911#|")
    lines.append("2|")
    (here / "demo-radio.vd").write_bytes("".join(l + END for l in lines).encode("ascii"))


if __name__ == "__main__":
    main()
