#!/usr/bin/env python3
"""Benchmark: zentrel-cli check over 10,000 small files, against `nkf -g` over the same files
(batched through xargs), the floor of listing, opening and reading 1000 bytes of each, and that
floor plus the encoding guess alone.

Usage: bench/zentrel/check_bench.py [BUILD_DIR]   (default: build/linux-release, a native Release
build with the targets zentrel-cli, zentrel_read_floor and zentrel_guess_floor). Every figure comes
from this run; the best of several rounds counts, with the file contents warm in the page cache.
"""
import os
import random
import resource
import shutil
import subprocess
import sys
import tempfile
import time

FILES = 10_000
ROUNDS = 5

# Japanese lines with kanji whose UTF-16 units hold the bytes of CR and LF.
LINES_JA = ["\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8\u3067\u3059\u3002", "\u4e0a\u4e0b\u5de6\u53f3\u3001\u4e0d\u601d\u8b70\u306a\u6587\u5b57\u5217\u3002", "\u6f22\u5b57\u3068\u304b\u306a\u30ab\u30ca\u6df7\u3058\u308a\u306e\u884c"]
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


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def best_time(command, **kwargs):
    """The best wall time and the best processor time (user + system) over the rounds; on a
    shared machine the processor time is the steadier of the two."""
    best_wall = best_cpu = None
    for _ in range(ROUNDS):
        cpu_before = children_cpu()
        start = time.perf_counter()
        subprocess.run(command, check=False, stdout=subprocess.DEVNULL, **kwargs)
        wall = time.perf_counter() - start
        cpu = children_cpu() - cpu_before
        best_wall = wall if best_wall is None else min(best_wall, wall)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    return best_wall, best_cpu


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "linux-release")
    cli = os.path.join(build, "bin", "zentrel-cli")
    floor = os.path.join(build, "bin", "zentrel_read_floor")
    guess_floor = os.path.join(build, "bin", "zentrel_guess_floor")
    for program in (cli, floor, guess_floor):
        if not os.access(program, os.X_OK):
            sys.exit(f"missing {program}: build zentrel-cli, zentrel_read_floor, zentrel_guess_floor")
    root = tempfile.mkdtemp(prefix="zentrel-bench-")
    try:
        make_tree(root)
        names = "\0".join(sorted(os.listdir(root))) + "\0"
        best_time([floor, root])  # warm the page cache
        results = {
            "read floor": best_time([floor, root]),
            "read + guess": best_time([guess_floor, root]),
            "nkf -g (xargs)": best_time(["xargs", "-0", "nkf", "-g"], input=names.encode(),
                                        cwd=root),
            "zentrel-cli check": best_time([cli, "check", root]),
        }
    finally:
        shutil.rmtree(root)
    print(f"{FILES} files, best of {ROUNDS} rounds; rates from wall time (processor time)")
    rate = {}
    for name, (wall, cpu) in results.items():
        rate[name] = (FILES / wall, FILES / max(cpu, 1e-6))
        print(f"  {name:20s} {wall * 1000:8.1f} ms ({cpu * 1000:7.1f} ms)"
              f"  {rate[name][0]:10,.0f} files/s ({rate[name][1]:10,.0f})")
    cli, floor, nkf = rate["zentrel-cli check"], rate["read floor"], rate["nkf -g (xargs)"]
    print(f"  zentrel-cli / read floor: {cli[0] / floor[0]:.2f} ({cli[1] / floor[1]:.2f})"
          "  target >= 0.50")
    print(f"  zentrel-cli / nkf -g:     {cli[0] / nkf[0]:.2f} ({cli[1] / nkf[1]:.2f})")
    guess = rate["read + guess"]
    print(f"  zentrel-cli / read + guess: {cli[0] / guess[0]:.2f} ({cli[1] / guess[1]:.2f})"
          "  (what the engine adds beyond the guesser)")


if __name__ == "__main__":
    main()
