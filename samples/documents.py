#!/usr/bin/env python3
"""Writes the sample package's documents into the maker's build-folder layout.

    documents.py OUT_DIR

OUT_DIR receives Vortel/ (the emulator's build folder, current while mastering), FTP_Cli_2/,
FTPBatch/, FTP_Srv/ and Fonts/ (what the build keeps in C:\\NorvikSoft\\Build\\Fonts\\). The
programs are not written here; CMake builds their stand-ins. Everything is deterministic, so
two runs give identical bytes. Texts are Polish in Windows-1250 with CR LF line ends, as the
package's own documents are.
"""
import os
import struct
import sys
import zlib


def text(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp1250")


def readme(product, version, body):
    return text([f"{product} {version}", "=" * (len(product) + len(version) + 1), ""] + body + [
        "",
        "Norvik-Soft, pomoc techniczna: pomoc@norvik-soft.example",
    ])


def table(seed):
    """A 256-entry code conversion table: identity for ASCII, a fixed shuffle above it."""
    high = list(range(128, 256))
    state = seed
    for i in range(len(high) - 1, 0, -1):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        j = state % (i + 1)
        high[i], high[j] = high[j], high[i]
    return bytes(range(128)) + bytes(high)


def rtf_escape(s):
    out = []
    for ch in s:
        b = ch.encode("cp1250")
        out.append(ch if b[0] < 128 else "\\'%02x" % b[0])
    return "".join(out)


def order_form():
    lines = ["ZAMÓWIENIE", "", "Zamawiam pakiet Vortel PRO w liczbie ...... licencji.", "",
             "Nazwa firmy: ........................................",
             "Adres: ..............................................",
             "NIP: ................  Data: ..........  Podpis: ..........."]
    body = "\\par\n".join(rtf_escape(l) for l in lines)
    return ("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\n"
            "\\f0\\fs22 " + body + "\\par\n}\n").encode("ascii")


def pdf(title, paragraphs):
    """A one-page PDF with the title and a few lines (ASCII, Helvetica)."""
    y, ops = 780, [f"BT /F1 18 Tf 60 780 Td ({title}) Tj ET"]
    for p in paragraphs:
        y -= 24
        ops.append(f"BT /F1 11 Tf 60 {y} Td ({p}) Tj ET")
    stream = "\n".join(ops).encode("ascii")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
        b"/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        f"<< /Title ({title}) /Producer (Norvik-Soft) >>".encode("ascii"),
    ]
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for n, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    out += b"trailer\n<< /Size %d /Root 1 0 R /Info 6 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return bytes(out)


def help_file(title, topics):
    """A WinHelp file's outer form: the header (magic, directory start, free list, size) and
    the topic texts as a placeholder body. The help viewer is not part of the package."""
    body = text([title, ""] + topics)
    header = struct.pack("<IiiI", 0x00035F3F, 16, -1, 16 + len(body))
    return header + body


def help_contents(base, title, topics):
    lines = [f":Base {base}", f":Title {title}", "1 " + title]
    lines += [f"2 {t}=IDH_{i}" for i, t in enumerate(topics, 1)]
    return text(lines)


# --- Windows bitmap font (.fon: an NE module holding FONTDIR and one FONT resource) -------

def glyph_rows(code, height):
    """An 8-pixel-wide glyph: a frame for box-drawing codes, a pattern from the code else."""
    rows = []
    for r in range(height):
        if code == 32:
            rows.append(0)
        elif r in (0, height - 1):
            rows.append(0xFF if code >= 0xB0 else 0)
        else:
            rows.append(((code * 37 + r * 11) & 0x7E) | (0x81 if code >= 0xB0 else 0))
    return rows


def fnt(face, height, charset):
    first, last, width = 32, 255, 8
    count = last - first + 1
    header_size, table_size = 118, (count + 1) * 4
    bits_offset = header_size + table_size
    bits = b"".join(bytes(glyph_rows(c, height)) for c in range(first, last + 1))
    bits += bytes(height)  # the sentinel entry's glyph
    face_offset = bits_offset + len(bits)
    size = face_offset + len(face) + 1
    copyright = b"Copyright (c) Norvik-Soft".ljust(60, b"\0")
    head = struct.pack(
        "<HI60sHHHHHHHBBBHBHHBHHBBBBHIIIIB",
        0x0200, size, copyright, 0, height * 72 // 96, 96, 96, height - 2, 0, 0, 0, 0, 0, 400,
        charset, width, height, 0x30, width, width, first, last, ord("?") - first, 0,
        width // 8 * count, 0, face_offset, 0, bits_offset, 0)
    assert len(head) == header_size
    entries = b"".join(struct.pack("<HH", width, bits_offset + i * height)
                       for i in range(count + 1))
    return head + entries + bits + face.encode("ascii") + b"\0"


def fon(face, height, charset, module):
    font = fnt(face, height, charset)
    align = 4  # resources are placed at multiples of 16 bytes
    fontdir = struct.pack("<HH", 1, 1) + font[:109] + bytes(4) + b"\0" + face.encode() + b"\0"
    description = f"FONTRES 100,96,96 : {face} {height}".encode("ascii")

    ne_offset = 0x80
    stub = bytearray(ne_offset)
    stub[0:2] = b"MZ"
    struct.pack_into("<H", stub, 0x08, 4)  # header paragraphs
    struct.pack_into("<I", stub, 0x3C, ne_offset)

    resident = bytes([len(module)]) + module.encode() + b"\0\0" + b"\0"
    nonresident = bytes([len(description)]) + description + b"\0\0" + b"\0"
    restab_size = 2 + 2 * (8 + 12) + 2 + 1
    restab_off = 0x40
    resident_off = restab_off + restab_size
    modref_off = resident_off + len(resident)
    imported_off = modref_off
    entry_off = imported_off + 1
    entry = b"\0\0"
    nonres_abs = ne_offset + entry_off + len(entry)
    data_start = nonres_abs + len(nonresident)
    data_start = (data_start + 15) // 16 * 16
    fontdir_pos = data_start
    font_pos = (fontdir_pos + len(fontdir) + 15) // 16 * 16

    def units(n):
        return (n + (1 << align) - 1) >> align

    restab = struct.pack("<H", align)
    restab += struct.pack("<HHI", 0x8007, 1, 0)
    restab += struct.pack("<HHHHI", fontdir_pos >> align, units(len(fontdir)), 0x0C50, 0x8001, 0)
    restab += struct.pack("<HHI", 0x8008, 1, 0)
    restab += struct.pack("<HHHHI", font_pos >> align, units(len(font)), 0x1C30, 0x8001, 0)
    restab += b"\0\0" + b"\0"
    assert len(restab) == restab_size

    ne = struct.pack(
        "<2sBBHHIHHHHIIHHHHHHHHIHHHBBHHHH",
        b"NE", 5, 10, entry_off, len(entry), 0, 0x8300, 0, 0, 0, 0, 0, 0, 0,
        len(nonresident), 0x40, restab_off, resident_off, modref_off, imported_off, nonres_abs, 0,
        align, 0, 2, 0, 0, 0, 0, 0x0300)
    assert len(ne) == 0x40
    out = bytearray(stub + ne + restab + resident + b"\0" + entry + nonresident)
    out += bytes(fontdir_pos - len(out)) + fontdir
    out += bytes(font_pos - len(out)) + font
    return bytes(out)


# --- the package --------------------------------------------------------------------------

def package():
    files = {}
    vortel = "Vortel/"
    files[vortel + "Zamowienie.doc"] = order_form()
    files[vortel + "readme.txt"] = readme("Emulator terminala Vortel", "ver.3.30", [
        "Nowości w tej wersji:",
        "- obsługa terminali VT220 i ANSI z polskimi znakami w stronach 852, 1250 i Mazovia,",
        "- konwersje znaków opisane w pliku konwersje.txt,",
        "- współpraca z klientem i serwerem FTP firmy Norvik-Soft.",
        "",
        "Czcionki ekranowe VORTELF1.dat do VORTELF4.dat są używane wyłącznie przez emulator.",
    ])
    files[vortel + "konwersje.txt"] = text([
        "Pliki konwersji znaków", "",
        "cnv852-Maz.prr    strona 852 -> Mazovia (wydruk)",
        "cnv1250-CSK.asc   strona 1250 -> CSK",
        "cnvCSK-852.fnt    CSK -> strona 852 (ekran)",
        "cnvISO-BS.prr     ISO 8859-2 -> drukarki bez polskich znaków",
        "cnv852-BS.prr     strona 852 -> drukarki bez polskich znaków",
        "cnvMaz-BS.prr     Mazovia -> drukarki bez polskich znaków",
        "cnv_magic*.kbd    układy klawiatury",
    ])
    for n, name in enumerate(["ramki852.fnt", "cnv852-Maz.prr", "cnv1250-CSK.asc",
                              "cnvCSK-852.fnt", "cnvISO-BS.prr", "cnv852-BS.prr",
                              "cnvMaz-BS.prr"], 1):
        files[vortel + name] = table(n)
    files[vortel + "cnv_magic_def.kbd"] = text(
        ["[Klawiatura]", "Nazwa=Polska (programisty)"] +
        [f"F{i}=\\x1B[{10 + i}~" for i in range(1, 13)])
    files[vortel + "cnv_magic.kbd"] = text(
        ["[Klawiatura]", "Nazwa=Polska (maszynistki)", "AltGr+a=ą", "AltGr+c=ć", "AltGr+e=ę",
         "AltGr+l=ł", "AltGr+n=ń", "AltGr+o=ó", "AltGr+s=ś", "AltGr+x=ź", "AltGr+z=ż"])
    files[vortel + "wydruk"] = text(["[Wydruk]", "Drukarka=LPT1", "Konwersja=cnv852-Maz.prr",
                                     "Wiersze=66", "Kolumny=80", "NowaStrona=\\x0C"])
    files[vortel + "keylabel"] = text([f"F{i}=Funkcja {i}" for i in range(1, 13)] +
                                      ["PF1=Pomoc", "PF2=Szukaj", "PF3=Wyjście", "PF4=Usuń"])
    files[vortel + "wykonaj"] = text(["; polecenia wykonywane po połączeniu", "czekaj login:",
                                      "wyślij %UŻYTKOWNIK%", "czekaj hasło:", "wyślij %HASŁO%"])
    doc = vortel + "doc/vortel3/"
    files[doc + "Vortel - Dokumentacja Techniczna.pdf"] = pdf(
        "Vortel - Dokumentacja Techniczna",
        ["Emulator terminala Vortel, wersja 3.30.", "Konfiguracja polaczen, emulacje VT220/ANSI.",
         "Konwersje znakow i wydruk."])
    topics = ["Wprowadzenie", "Połączenia", "Emulacje", "Konwersje znaków", "Wydruk"]
    files[doc + "Vortel.hlp"] = help_file("Pomoc - Vortel", topics)
    files[doc + "Vortel.cnt"] = help_contents("Vortel.hlp", "Pomoc - Vortel", topics)

    cli = "FTP_Cli_2/"
    files[cli + "readme.txt"] = readme("Klient FTP", "ver.1.081", [
        "Nowości w tej wersji:", "- profile połączeń w katalogu Profiles,",
        "- wznawianie przerwanych transmisji,", "- wywołanie z emulatora Vortel."])
    topics = ["Wprowadzenie", "Profile połączeń", "Przesyłanie plików"]
    files[cli + "doc/NorvikFtp.hlp"] = help_file("Pomoc - Klient FTP", topics)
    files[cli + "doc/NorvikFtp.cnt"] = help_contents("NorvikFtp.hlp", "Pomoc - Klient FTP",
                                                     topics)
    files[cli + "doc/Norvik-FTP - Dokumentacja Techniczna.pdf"] = pdf(
        "Norvik-FTP - Dokumentacja Techniczna",
        ["Klient FTP i wsadowy klient FTP, wersja 1.081.", "Profile, skrypty wsadowe."])

    batch = "FTPBatch/"
    files[batch + "readme.txt"] = readme("Wsadowy klient FTP", "ver.1.081", [
        "Skrypty wsadowe (*.ftp) uruchamia się z wiersza poleceń lub z emulatora Vortel.",
        "Przykładowy skrypt: Scripts\\vortelpro.ftp, wzorzec: Pattern.ftp."])
    files[batch + "Pattern.ftp"] = text([
        "; wzorzec skryptu wsadowego", "open %SERWER%", "user %UŻYTKOWNIK% %HASŁO%", "binary",
        "cd %KATALOG%", "get %PLIK%", "close"])
    files[batch + "vortelpro.ftp"] = text([
        "; przykładowy skrypt: pobranie wydruku z serwera", "open localhost", "user anonymous gość",
        "ascii", "cd pub", "get wydruk.txt", "close"])

    srv = "FTP_Srv/"
    files[srv + "readme.txt"] = readme("Serwer FTP", "ver.1.151", [
        "Katalog główny serwera: ftproot (podkatalogi incoming, outgoing, pub, tmp).",
        "Serwer może startować razem z systemem Windows (folder Autostart)."])
    topics = ["Wprowadzenie", "Użytkownicy", "Katalogi", "Dziennik"]
    files[srv + "doc/FTPSrv.hlp"] = help_file("Pomoc - Serwer FTP", topics)
    files[srv + "doc/FTPSrv.cnt"] = help_contents("FTPSrv.hlp", "Pomoc - Serwer FTP", topics)
    files[srv + "doc/Norvik-FTPSrv - Dokumentacja Techniczna.pdf"] = pdf(
        "Norvik-FTPSrv - Dokumentacja Techniczna",
        ["Serwer FTP, wersja 1.151.", "Uzytkownicy, prawa dostepu, dziennik."])

    for n, height in enumerate([12, 14, 16, 20], 1):
        files[f"Fonts/VORTELF{n}.fon"] = fon(f"Vortel{n}", height, 255, f"VORTELF{n}")
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for name, data in package().items():
        path = os.path.join(sys.argv[1], name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
