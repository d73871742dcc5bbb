#!/usr/bin/env python3
"""Writes the conversion benchmark's tree: FILES Japanese text files in Shift_JIS (code page 932)
with CR LF line ends, TOTAL_MB megabytes in all, in ten sub-folders.

Usage: make_convert_tree.py OUTDIR [FILES [TOTAL_MB]]
The text is drawn with a fixed seed, so the tree is the same on every run.
"""
import os
import random
import sys

KANA = [chr(c) for c in range(0x3041, 0x3094)] + [chr(c) for c in range(0x30A1, 0x30F5)]
# Common kanji of JIS X 0208 level 1, all in code page 932.
KANJI = list("日本語文字変換東京大阪名古屋京都神戸横浜札幌福岡仙台広島会社社員部長課長"
             "書類資料報告連絡相談確認設定表示画面入力出力保存読込開始終了処理結果時間"
             "今日明日昨年月曜火水木金土週末朝昼夜電話番号住所氏名年齢性別職業趣味")
PUNCT = ["\u3001", "\u3002", "\u300c", "\u300d", "\uff08", "\uff09"]


def line(rng):
    parts = []
    for _ in range(rng.randint(6, 14)):
        pool = rng.choice((KANA, KANJI, KANJI))
        parts.append("".join(rng.choice(pool) for _ in range(rng.randint(1, 4))))
        if rng.random() < 0.3:
            parts.append(rng.choice(PUNCT))
        if rng.random() < 0.15:
            parts.append(" %d " % rng.randint(0, 9999))
    return "".join(parts) + "\u3002"


def main():
    out = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    total = int(sys.argv[3]) if len(sys.argv) > 3 else 210
    rng = random.Random(20261208)
    # One pool of text, sliced at a different place for every file, keeps generation fast.
    pool = "\r\n".join(line(rng) for _ in range(40000)).encode("cp932") + b"\r\n"
    per_file = total * 1000 * 1000 // files
    for number in range(files):
        folder = os.path.join(out, "part%02d" % (number % 10))
        os.makedirs(folder, exist_ok=True)
        data = bytearray()
        start = (number * 7919) % len(pool)
        start = pool.index(b"\r\n", start) + 2 if pool.find(b"\r\n", start) >= 0 else 0
        while len(data) < per_file:
            data += pool[start:start + per_file - len(data)]
            start = 0
        # End on a whole line so no character is cut in two.
        cut = data.rfind(b"\r\n") + 2
        with open(os.path.join(folder, "text%04d.txt" % number), "wb") as f:
            f.write(bytes(data[:cut]))


if __name__ == "__main__":
    main()
