#!/usr/bin/env python3
"""Writes a deterministic Japanese text of about SIZE bytes (as CP932) in several encodings.

Usage: make_bench_text.py FOLDER [MEGABYTES]. Lines of mixed kanji, kana, ASCII and punctuation
with CR LF line ends; the mix follows ordinary prose (mostly hiragana and kanji, some ASCII).
"""
import os
import random
import sys


def jis_row(row):
    out = []
    for cell in range(0xA1, 0xFF):
        try:
            out.append(bytes([row, cell]).decode("euc_jp"))
        except UnicodeDecodeError:
            pass
    return out


def main():
    folder = sys.argv[1]
    megabytes = float(sys.argv[2]) if len(sys.argv) > 2 else 32
    rng = random.Random(20261207)
    hiragana = jis_row(0xA4)
    katakana = jis_row(0xA5)
    kanji = [c for row in range(0xB0, 0xD0) for c in jis_row(row)]
    punct = list("、。「」・ー（）")
    ascii_words = ["Zentrel", "UTF-8", "2026", "OK", "file.txt", "C++", "the", "data", "42"]
    lines = []
    size = 0
    target = int(megabytes * 1_000_000)
    while size < target:
        parts = []
        for _ in range(rng.randint(8, 24)):
            r = rng.random()
            if r < 0.45:
                parts.append("".join(rng.choice(hiragana) for _ in range(rng.randint(1, 4))))
            elif r < 0.75:
                parts.append("".join(rng.choice(kanji) for _ in range(rng.randint(1, 3))))
            elif r < 0.85:
                parts.append("".join(rng.choice(katakana) for _ in range(rng.randint(2, 5))))
            elif r < 0.93:
                parts.append(rng.choice(punct))
            else:
                parts.append(" " + rng.choice(ascii_words) + " ")
        line = "".join(parts) + "\r\n"
        lines.append(line)
        size += len(line.encode("cp932"))
    text = "".join(lines)
    os.makedirs(folder, exist_ok=True)
    for name, codec in (("cp932", "cp932"), ("euc", "euc_jp"), ("utf8", "utf-8")):
        with open(os.path.join(folder, "text." + name), "wb") as f:
            f.write(text.encode(codec))


if __name__ == "__main__":
    main()
