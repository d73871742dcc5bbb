#!/usr/bin/env python3
"""Writes nkf32/core/src/generated/jis_tables.inc from Python's own codecs.

The converter's mapping tables come from an independent source (Python's cp932, shift_jis, euc_jp and
iso2022_jp codecs) so that the tests can use the same codecs as their oracle. Run with no arguments to
rewrite the file in the repository, or with a path to write elsewhere (the build checks that a fresh run
reproduces the committed file byte for byte).
"""
import os
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(ROOT, "nkf32", "core", "src", "generated", "jis_tables.inc")


def decode_one(data, codec):
    try:
        text = data.decode(codec)
    except UnicodeDecodeError:
        return None
    return ord(text) if len(text) == 1 else None


def encode(cp, codec):
    try:
        return chr(cp).encode(codec)
    except UnicodeEncodeError:
        return None


def sjis_bytes(row, cell):
    """Shift_JIS bytes of a 1-based (row, cell); rows 1..120 cover leads 0x81-0x9F and 0xE0-0xFC."""
    lead = (row + 1) // 2 + (0x80 if row <= 62 else 0xC0)
    if row % 2:
        trail = cell + 0x3F + (1 if cell >= 64 else 0)
    else:
        trail = cell + 0x9E
    return bytes([lead, trail])


def cp932_rows():
    rows = []
    for row in range(1, 121):
        rows.append([decode_one(sjis_bytes(row, cell), "cp932") or 0 for cell in range(1, 95)])
    return rows


def euc_rows(prefix):
    rows = []
    for row in range(1, 95):
        rows.append([decode_one(prefix + bytes([row + 0xA0, cell + 0xA0]), "euc_jp") or 0
                     for cell in range(1, 95)])
    return rows


def check_jis_consistency(jis0208):
    """Shift_JIS and ISO-2022-JP must read JIS X 0208 exactly as EUC-JP does: one table serves all."""
    for r, row in enumerate(jis0208, 1):
        for c, cp in enumerate(row, 1):
            sj = decode_one(sjis_bytes(r, c), "shift_jis") or 0
            iso = bytes([0x1B, 0x24, 0x42, r + 0x20, c + 0x20, 0x1B, 0x28, 0x42])
            try:
                iso_text = iso.decode("iso2022_jp")
            except UnicodeDecodeError:
                iso_text = ""
            iso_cp = ord(iso_text) if len(iso_text) == 1 else 0
            if not (sj == cp == iso_cp):
                sys.exit(f"JIS X 0208 {r}-{c}: euc_jp {cp:#x}, shift_jis {sj:#x}, iso2022_jp {iso_cp:#x}")


def decode_only(rows, to_bytes, codec):
    """(row, cell) codes whose character the codec writes elsewhere: read-only duplicates."""
    result = []
    for r, row in enumerate(rows, 1):
        for c, cp in enumerate(row, 1):
            if cp and encode(cp, codec) != to_bytes(r, c):
                result.append(r * 256 + c)
    return result


def variant_pairs():
    """Characters Shift_JIS (JIS mapping) and CP932 (Microsoft mapping) read differently."""
    pairs = []
    for row in range(1, 95):
        for cell in range(1, 95):
            b = sjis_bytes(row, cell)
            ms, jis = decode_one(b, "cp932"), decode_one(b, "shift_jis")
            if ms and jis and ms != jis:
                pairs.append((jis, ms, row * 256 + cell))
    return pairs


def emit_rows(out, name, rows):
    used = [i for i, row in enumerate(rows) if any(row)]
    index = [used.index(i) + 1 if i in used else 0 for i in range(len(rows))]
    out.append(f"// Row slot of each row (1-based; 0 = no characters in that row).")
    out.append(f"inline constexpr std::uint8_t {name}RowSlot[{len(rows)}] = {{")
    for i in range(0, len(index), 24):
        out.append("    " + ", ".join(str(v) for v in index[i:i + 24]) + ",")
    out.append("};")
    out.append(f"// Code point of each cell (cells 1..94) of the used rows; 0 = unassigned.")
    out.append(f"inline constexpr std::uint16_t {name}Cells[{len(used)}][94] = {{")
    for i in used:
        out.append(f"    {{  // row {i + 1}")
        row = rows[i]
        for j in range(0, 94, 12):
            out.append("        " + ", ".join(f"0x{v:04X}" for v in row[j:j + 12]) + ",")
        out.append("    },")
    out.append("};")


def emit_list(out, name, values, comment):
    out.append(f"// {comment}")
    out.append(f"inline constexpr std::uint16_t {name}[{max(len(values), 1)}] = {{")
    for i in range(0, len(values), 12):
        out.append("    " + ", ".join(f"0x{v:04X}" for v in values[i:i + 12]) + ",")
    if not values:
        out.append("    0,")
    out.append("};")
    out.append(f"inline constexpr std::size_t {name}Count = {len(values)};")


def in_jis0208(cp):
    e = encode(cp, "euc_jp")
    return e is not None and len(e) == 2 and e[0] >= 0xA1


def emit_kana(out):
    """Full-width forms of the half-width katakana U+FF61..U+FF9F, for ISO-2022-JP, which has none."""
    full, voiced, semi = [], [], []
    for cp in range(0xFF61, 0xFFA0):
        # The lone sound marks become the spacing marks, not the combining ones NFKC gives.
        f = {0xFF9E: 0x309B, 0xFF9F: 0x309C}.get(cp) or ord(unicodedata.normalize("NFKC", chr(cp)))
        assert in_jis0208(f), hex(cp)
        full.append(f)
        for mark, table in ((0xFF9E, voiced), (0xFF9F, semi)):
            c = unicodedata.normalize("NFKC", chr(cp) + chr(mark))
            table.append(ord(c) if len(c) == 1 and in_jis0208(ord(c)) else 0)
    for name, values, comment in (
            ("kHalfwidthKanaFull", full, "Full-width form of U+FF61 + i."),
            ("kHalfwidthKanaVoiced", voiced, "U+FF61 + i followed by U+FF9E as one full-width character (0 = none)."),
            ("kHalfwidthKanaSemiVoiced", semi, "U+FF61 + i followed by U+FF9F as one full-width character (0 = none).")):
        out.append(f"// {comment}")
        out.append(f"inline constexpr std::uint16_t {name}[63] = {{")
        for i in range(0, 63, 12):
            out.append("    " + ", ".join(f"0x{v:04X}" for v in values[i:i + 12]) + ",")
        out.append("};")


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    cp932 = cp932_rows()
    jis0208 = euc_rows(b"")
    jis0212 = euc_rows(b"\x8f")
    check_jis_consistency(jis0208)

    single = [decode_one(bytes([b]), "cp932") or 0 for b in range(0x80, 0x100)]
    out = [
        "// generated by scripts/gen_nkf_tables.py; do not edit.",
        "// Source: Python's codecs cp932, shift_jis, euc_jp and iso2022_jp. Codes are (row << 8) | cell,",
        "// rows and cells 1-based: Shift_JIS rows 1..120, JIS X 0208 / 0212 rows 1..94.",
        "",
        "// CP932 single bytes 0x80..0xFF (0 = lead byte or unassigned).",
        "inline constexpr std::uint16_t kCp932SingleByte[128] = {",
    ]
    for i in range(0, 128, 12):
        out.append("    " + ", ".join(f"0x{v:04X}" for v in single[i:i + 12]) + ",")
    out.append("};")
    emit_rows(out, "kCp932", cp932)
    emit_rows(out, "kJis0208", jis0208)
    emit_rows(out, "kJis0212", jis0212)
    emit_list(out, "kCp932ReadOnly",
              decode_only(cp932, sjis_bytes, "cp932"),
              "CP932 codes that are read but never written (Windows writes the character elsewhere).")
    emit_list(out, "kJis0208ReadOnly",
              decode_only(jis0208, lambda r, c: bytes([r + 0xA0, c + 0xA0]), "euc_jp"),
              "JIS X 0208 codes read but never written.")
    emit_list(out, "kJis0212ReadOnly",
              decode_only(jis0212, lambda r, c: bytes([0x8F, r + 0xA0, c + 0xA0]), "euc_jp"),
              "JIS X 0212 codes read but never written (their character has another code).")
    pairs = variant_pairs()
    out.append("// Characters that Shift_JIS read with the JIS mapping and CP932 read differently:")
    out.append("// { JIS code point, Microsoft code point, JIS X 0208 code }.")
    out.append(f"inline constexpr VariantPair kVariantPairs[{len(pairs)}] = {{")
    for jis, ms, code in pairs:
        out.append(f"    {{0x{jis:04X}, 0x{ms:04X}, 0x{code:04X}}},")
    out.append("};")
    emit_kana(out)
    text = "\n".join(out) + "\n"
    with open(out_path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
