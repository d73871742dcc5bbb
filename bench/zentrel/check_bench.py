#!/usr/bin/env python3
"""Benchmark: zentrel-cli check over 10,000 small files, against `nkf -g` over the same files
(batched through xargs) and the floor of listing, opening and reading 1000 bytes of each.

Usage: bench/zentrel/check_bench.py [BUILD_DIR]   (default: build/linux-release; a native Release
build with the targets zentrel-cli and zentrel_read_floor). Every figure comes from this run; the
best of several rounds counts, with the file contents warm in the page cache.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

FILES = 10_000
ROUNDS = 5

LINES_JA = ["日本語のテキストです。", "上下左右、不思議な文字列。", "漢字とかなカナ混じりの行"]
LINES_EN = ["plain ASCII text line", "another line of words", "0123456789 abcdef"]


def make_tree(root):
    rng = random.Random(4)
    kinds = ["ascii", "utf-8", "shift_jis", "euc_jp", "utf-16", "iso2022_jp"]
    for i in range(FILES):
        kind = kinds[i % len(kinds)]
        eol = ["\r\n", "\n", "\r"][rng.randrange(3)]
        lines = LINES_EN if kind == "ascii" else LINES_JA + LINES_EN
        text = eol.join(rng.choice(lines) for _ in range(rng.randrange(8, 60))) + eol
        data = text.encode(kind)  # "utf-16" writes a byte-order mark
        with open(os.path.join(root, f"f{i:05d}.txt"), "wb") as out:
            out.write(data)


def best_time(command, **kwargs):
    best = None
    for _ in range(ROUNDS):
        start = time.perf_counter()
        subprocess.run(command, check=False, stdout=subprocess.DEVNULL, **kwargs)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "linux-release")
    cli = os.path.join(build, "bin", "zentrel-cli")
    floor = os.path.join(build, "bin", "zentrel_read_floor")
    for program in (cli, floor):
        if not os.access(program, os.X_OK):
            sys.exit(f"missing {program}: build the targets zentrel-cli and zentrel_read_floor")
    root = tempfile.mkdtemp(prefix="zentrel-bench-")
    try:
        make_tree(root)
        names = "\0".join(sorted(os.listdir(root))) + "\0"
        best_time([floor, root])  # warm the page cache
        results = {
            "read floor": best_time([floor, root]),
            "nkf -g (xargs)": best_time(["xargs", "-0", "nkf", "-g"], input=names.encode(),
                                        cwd=root),
            "zentrel-cli check": best_time([cli, "check", root]),
        }
    finally:
        shutil.rmtree(root)
    rate = {name: FILES / seconds for name, seconds in results.items()}
    print(f"{FILES} files, best of {ROUNDS} rounds")
    for name, seconds in results.items():
        print(f"  {name:20s} {seconds * 1000:8.1f} ms  {rate[name]:10,.0f} files/s")
    cli_rate = rate["zentrel-cli check"]
    print(f"  zentrel-cli / read floor: {cli_rate / rate['read floor']:.2f}  (target >= 0.50)")
    print(f"  zentrel-cli / nkf -g:     {cli_rate / rate['nkf -g (xargs)']:.2f}")


if __name__ == "__main__":
    main()
