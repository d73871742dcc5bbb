#!/usr/bin/env python3
"""Writes the expected bytes of the converter tests, computed with Python's own codecs.

Usage: make_oracle.py OUTPUT_FOLDER. Each file holds every character of one character set in code
order, 32 to a line (LF), in one encoding; the tests convert one file and compare with another.
"""
import os
import sys


def chars_of(codec, candidates):
    out = []
    for b in candidates:
        try:
            t = b.decode(codec)
        except UnicodeDecodeError:
            continue
        if len(t) == 1:
            out.append(t)
    return out


def lines(chars):
    return "".join(c + ("\n" if i % 32 == 31 else "") for i, c in enumerate(chars)) + "\n"


def sjis_candidates():
    for b in range(0x80, 0x100):
        yield bytes([b])
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in range(0x40, 0xFD):
            yield bytes([lead, trail])


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)

    def write(name, data):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)

    # Every CP932 character, as the file holds it (byte order, duplicates included).
    cp932_bytes = b""
    cp932_chars = []
    for b in sjis_candidates():
        try:
            t = b.decode("cp932")
        except UnicodeDecodeError:
            continue
        if len(t) == 1:
            cp932_bytes += b
            cp932_chars.append(t)
            if len(cp932_chars) % 32 == 0:
                cp932_bytes += b"\n"
    cp932_bytes += b"\n"
    text = lines(cp932_chars)
    assert cp932_bytes.decode("cp932") == text
    write("cp932.cp932", cp932_bytes)
    write("cp932.utf8", text.encode("utf-8"))
    write("cp932.utf16le", text.encode("utf-16-le"))
    write("cp932.utf16be", text.encode("utf-16-be"))
    write("cp932.written.cp932", text.encode("cp932"))  # as Windows writes each character back

    # Every JIS X 0208 character (the JIS mapping), in each of its encodings.
    jis = chars_of("euc_jp", (bytes([r, c]) for r in range(0xA1, 0xFF) for c in range(0xA1, 0xFF)))
    text = lines(jis)
    for name, codec in (("sjis", "shift_jis"), ("euc", "euc_jp"), ("iso2022", "iso2022_jp"),
                        ("utf8", "utf-8"), ("utf16be", "utf-16-be")):
        write("jis0208." + name, text.encode(codec))

    # Every JIS X 0212 character: EUC-JP (SS3) only.
    jis0212 = chars_of("euc_jp", (bytes([0x8F, r, c]) for r in range(0xA1, 0xFF) for c in range(0xA1, 0xFF)))
    jis0212 = [c for c in jis0212 if c.encode("euc_jp")[0] == 0x8F]  # those written back in 0212
    text = lines(jis0212)
    write("jis0212.euc", text.encode("euc_jp"))
    write("jis0212.utf8", text.encode("utf-8"))


if __name__ == "__main__":
    main()
