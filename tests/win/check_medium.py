#!/usr/bin/env python3
"""Checks a mastered medium against the sample package with Python's own zlib.

    check_medium.py SAMPLE_DIR MEDIUM_DIR INSTALL_EXE [KIND]

Every stored file must be exactly one zlib stream (nothing after it) that expands to its
source; plain files must be byte-identical; Install.exe is the program without its signature,
followed by a catalogue giving each other file's size and SHA-256; the medium holds exactly the
files of its kind, and "appid.dat" holds just the kind letter.
"""
import hashlib
import os
import struct
import sys
import zlib

COMMON = ["Install.exe", "Uninstall.exe", "Zamowienie.doc"]
VORTEL = ["Vortel.exe", "Vortel.hlp", "Vortel.cnt", "ramki852.fnt", "cnv852-Maz.prr",
          "cnv1250-CSK.asc", "cnvCSK-852.fnt", "readme.txt", "konwersje.txt",
          "Vortel - Dokumentacja Techniczna.pdf", "VORTELF1.dat", "VORTELF2.dat",
          "VORTELF3.dat", "VORTELF4.dat", "cnv_magic_def.kbd", "cnv_magic.kbd",
          "cnvISO-BS.prr", "cnv852-BS.prr", "cnvMaz-BS.prr", "wydruk", "keylabel", "wykonaj"]
FTP_CLIENTS = ["NorvikFtp.exe", "NorvikFtp.hlp", "NorvikFtp.cnt", "NorvikFtpBatch.exe",
               "Pattern.ftp", "vortelpro.ftp", "Norvik-FTP - Dokumentacja Techniczna.pdf"]
FTP_SERVER = ["NorvikFTPsrv.exe", "FTPSrv.hlp", "FTPSrv.cnt",
              "Norvik-FTPSrv - Dokumentacja Techniczna.pdf"]
GROUPS = {"": VORTEL + FTP_CLIENTS + FTP_SERVER, "A": VORTEL, "C": FTP_CLIENTS,
          "S": FTP_SERVER}


def source_of(sample, entry):
    if entry.startswith("VORTELF"):
        return os.path.join(sample, "Fonts", entry[:-4] + ".fon")
    for folder in ("Vortel", "Vortel/doc/vortel3", "FTP_Cli_2", "FTP_Cli_2/doc", "FTPBatch",
                   "FTP_Srv", "FTP_Srv/doc"):
        path = os.path.join(sample, folder, entry)
        if os.path.isfile(path):
            return path
    raise SystemExit(f"sample has no {entry}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def catalogue(program, medium_copy):
    """The catalogue's entries, or a failure: the copy must be the program's sections and
    headers (certificate entry cleared), then the catalogue and its trailer."""
    pe = struct.unpack_from("<I", program, 0x3C)[0]
    optional = pe + 24
    cert = optional + (128 if struct.unpack_from("<H", program, optional)[0] == 0x10B else 144)
    sections, optional_size = struct.unpack_from("<HH", program, pe + 6)[0], \
        struct.unpack_from("<H", program, pe + 20)[0]
    end = max(sum(struct.unpack_from("<II", program, optional + optional_size + 40 * i + 16))
              for i in range(sections))
    head = program[:cert] + bytes(8) + program[cert + 8:end]
    magic, table, size, count, start = struct.unpack_from("<8sQIIQ", medium_copy, len(medium_copy) - 32)
    if magic != b"VTKATLG1" or medium_copy[:end] != head or start != end or table != end:
        return "Install.exe is not the program followed by its catalogue"
    entries, at = {}, table
    for _ in range(count):
        length = medium_copy[at]
        name = medium_copy[at + 1:at + 1 + length].decode()
        size, offset = struct.unpack_from("<QQ", medium_copy, at + 1 + length)
        entries[name] = (size, medium_copy[at + 17 + length:at + 49 + length])
        at += 49 + length
    return entries


def main():
    sample, medium, install = sys.argv[1:4]
    kind = sys.argv[4] if len(sys.argv) > 4 else ""
    failures = []
    expected = set()
    for entry in COMMON + GROUPS[kind]:
        if entry == "Install.exe":
            expected.add(entry)
            continue
        if "." not in entry:
            name, want = entry, read(source_of(sample, entry))
        else:
            name, want = entry[:-1] + "_", read(source_of(sample, entry))
        expected.add(name)
        path = os.path.join(medium, name)
        if not os.path.isfile(path):
            failures.append(f"missing {name}")
            continue
        got = read(path)
        if name.endswith("_"):
            z = zlib.decompressobj()
            try:
                got = z.decompress(got) + z.flush()
            except zlib.error as e:
                failures.append(f"{name}: not a zlib stream ({e})")
                continue
            if not z.eof or z.unused_data:
                failures.append(f"{name}: stream incomplete or followed by other data")
        if got != want:
            failures.append(f"{name}: content differs from its source")
    if kind:
        expected.add("appid.dat")
        marker = os.path.join(medium, "appid.dat")
        if not os.path.isfile(marker) or read(marker) != kind.encode():
            failures.append(f"appid.dat does not hold exactly {kind!r}")
    listed = catalogue(read(install), read(os.path.join(medium, "Install.exe")))
    if isinstance(listed, str):
        failures.append(listed)
    else:
        for name in expected - {"Install.exe"}:
            data = read(os.path.join(medium, name)) if name in os.listdir(medium) else b""
            if listed.get(name) != (len(data), hashlib.sha256(data).digest()):
                failures.append(f"{name}: not in the catalogue with its size and digest")
        if set(listed) != expected - {"Install.exe"}:
            failures.append(f"the catalogue lists {sorted(listed)}")
    extra = set(os.listdir(medium)) - expected
    if extra:
        failures.append(f"unexpected files on the medium: {sorted(extra)}")
    for f in failures:
        print("FAIL:", f)
    print(f"medium {medium} ({kind or 'whole package'}): {len(expected)} files checked, "
          f"{len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
