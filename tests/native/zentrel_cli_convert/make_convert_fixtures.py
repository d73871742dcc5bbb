#!/usr/bin/env python3
"""Writes a small tree of Japanese text files and, beside it, what converting the tree must give,
both through Python's codecs (an oracle independent of the converter under test).

Usage: make_convert_fixtures.py OUTDIR
  OUTDIR/source/...            the tree to convert
  OUTDIR/expected/TO_EOL[_BOM]/...  the tree after "convert --to TO --eol EOL [--bom|--no-bom]";
                               TO or EOL "keep" means the option is not given.
"""
import os
import sys

# JIS X 0208 text only, so every target holds it and the codecs agree on every mapping. Each line
# ends in ASCII, so ISO-2022-JP returns to ASCII before each line end, as any encoder does.
LINES = {
    "a.txt": ["\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8\u3067\u3059\u3002 line 1",
              "\u6f22\u5b57\u3068\u304b\u306a\u30ab\u30ca\u3092\u542b\u3080\u884c\u3002 line 2",
              "\u6771\u4eac\u90fd\u5343\u4ee3\u7530\u533a\u306e\u4f4f\u6240 line 3"],
    "sub/b.txt": ["\u5927\u962a\u5e9c\u5927\u962a\u5e02\u5317\u533a\u3001\u6885\u7530\u99c5 b1",
                  "\u6587\u5b57\u30b3\u30fc\u30c9\u306e\u5909\u63db\u3092\u78ba\u304b\u3081\u308b b2",
                  "\u4eca\u65e5\u306f\u3088\u3044\u5929\u6c17\u3067\u3059\u306d\u3002 b3"],
    "sub/deeper/c.txt": ["\u6539\u884c\u30b3\u30fc\u30c9\u306f\u5fa9\u5e30\u3067\u3059 c1",
                         "\u5168\u89d2\uff21\uff22\uff23\u3068\u534a\u89d2ABC c2"],
    "d.txt": ["\u5c71\u7530\u592a\u90ce\u69d8\u3078\u306e\u624b\u7d19 d1",
              "\u3088\u308d\u3057\u304f\u304a\u9858\u3044\u3057\u307e\u3059\u3002 d2"],
    "e.txt": ["plain ASCII text", "second line"],
    "f.txt": ["\u30e1\u30fc\u30eb\u306e\u672c\u6587\u3067\u3059\u3002 f1",
              "\u65e5\u672c\u8a9e\u3068English f2"],
}
# Each source's codec, byte-order mark and line end.
SOURCES = {
    "a.txt": ("cp932", b"", "\r\n"),
    "sub/b.txt": ("euc_jp", b"", "\n"),
    "sub/deeper/c.txt": ("utf-8", b"", "\r"),
    "d.txt": ("utf-16-le", b"\xff\xfe", "\r\n"),
    "e.txt": ("ascii", b"", "\n"),
    "f.txt": ("iso2022_jp", b"", "\n"),
}
# Target codec and default byte-order mark (none in UTF-8, one in UTF-16).
TARGETS = {
    "sjis": ("cp932", b""),
    "eucjp": ("euc_jp", b""),
    "utf8": ("utf-8", b""),
    "utf16le": ("utf-16-le", b"\xff\xfe"),
    "utf16be": ("utf-16-be", b"\xfe\xff"),
    "jis": ("iso2022_jp", b""),
}
BOMS = {"utf-8": b"\xef\xbb\xbf", "utf-16-le": b"\xff\xfe", "utf-16-be": b"\xfe\xff"}
EOLS = {"crlf": "\r\n", "cr": "\r", "lf": "\n"}


def encode(lines, codec, bom, eol):
    return bom + "".join(line + eol for line in lines).encode(codec)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def expected_tree(out, name, to, eol, bom_override=None):
    for rel, lines in LINES.items():
        codec, bom, source_eol = SOURCES[rel]
        if to != "keep":
            codec, bom = TARGETS[to]
            if bom_override is not None:
                bom = BOMS[codec] if bom_override else b""
        data = encode(lines, codec, bom, EOLS.get(eol, source_eol))
        write(os.path.join(out, "expected", name, rel), data)


def main():
    out = sys.argv[1]
    for rel, lines in LINES.items():
        codec, bom, eol = SOURCES[rel]
        write(os.path.join(out, "source", rel), encode(lines, codec, bom, eol))
    for to in list(TARGETS) + ["keep"]:
        for eol in list(EOLS) + ["keep"]:
            if to == "keep" and eol == "keep":
                continue
            expected_tree(out, f"{to}_{eol}", to, eol)
    expected_tree(out, "utf8_lf_bom", "utf8", "lf", True)
    expected_tree(out, "utf16le_lf_nobom", "utf16le", "lf", False)
    expected_tree(out, "utf16be_keep_nobom", "utf16be", "keep", False)


if __name__ == "__main__":
    main()
