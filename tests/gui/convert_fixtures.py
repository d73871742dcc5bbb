#!/usr/bin/env python3
"""Writes the conversion fixture tree for Zentrel's conversion GUI tests.

source/    the files to convert (several encodings, line endings and sub-folders)
expected/  for every target: the bytes Python's codecs give for the same text
           ENC_EOL/  (ENC: sjis eucjp utf8 utf16le utf16be jis; EOL: crlf cr lf)
           keep_EOL/ (only a line ending chosen: each file stays in its own encoding)

settings/  the converter settings away from their fallbacks ("bom8" 1, "bom16" 0, "cp932" 0):
           source/ a Shift_JIS file with 0x8160 (WAVE DASH in JIS, FULLWIDTH TILDE in CP932),
           utf8/ utf16le/ utf16be/ what it becomes (UTF-8 with, UTF-16 without a byte-order mark)

Usage: convert_fixtures.py OUTPUT_FOLDER
"""
import os
import shutil
import sys

# Japanese text, kept ASCII here: "This is Japanese text." / ASCII / "Kanji, hiragana, katakana." /
# an empty line / "Last line".
LINES = [
    '\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8\u3067\u3059\u3002',
    'ABC abc 123',
    '\u6f22\u5b57\u3001\u3072\u3089\u304c\u306a\u3001\u30ab\u30bf\u30ab\u30ca\u3002',
    '',
    '\u6700\u5f8c\u306e\u884c',
]
EOLS = {'crlf': '\r\n', 'cr': '\r', 'lf': '\n'}

# Each file's encoding: (Python codec, byte-order mark).
CODECS = {
    'sjis': ('cp932', b''),
    'eucjp': ('euc_jp', b''),
    'utf8': ('utf-8', b''),
    'utf8bom': ('utf-8', b'\xef\xbb\xbf'),
    'utf16le': ('utf-16-le', b'\xff\xfe'),
    'utf16be': ('utf-16-be', b'\xfe\xff'),
    'jis': ('iso2022_jp', b''),
}
# Targets in the order of Zentrel's encoding drop-down; UTF-8 without and UTF-16 with a byte-order
# mark, as with no settings written.
TARGETS = ['sjis', 'eucjp', 'utf8', 'utf16le', 'utf16be', 'jis']

# The source tree: relative path (with "/"), encoding, line ending.
SOURCES = [
    ('sjis_crlf.txt', 'sjis', 'crlf'),
    ('eucjp_lf.txt', 'eucjp', 'lf'),
    ('utf8_lf.txt', 'utf8', 'lf'),
    ('utf16be_lf.txt', 'utf16be', 'lf'),
    ('sub/utf16le_crlf.txt', 'utf16le', 'crlf'),
    ('sub/deep/utf8bom_cr.txt', 'utf8bom', 'cr'),
    ('sub/deep/jis_lf.txt', 'jis', 'lf'),
]


def encode(kind, eol):
    codec, bom = CODECS[kind]
    text = ''.join(line + EOLS[eol] for line in LINES)
    return bom + text.encode(codec)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


# "Wave dash ~ here" with U+301C: Shift_JIS 0x8160, read as CP932 it would be U+FF5E.
SETTINGS_TEXT = '\u6ce2\u30c0\u30c3\u30b7\u30e5\u301c\u3053\u3053\r\n'
SETTINGS_TARGETS = {'utf8': b'\xef\xbb\xbf' + SETTINGS_TEXT.encode('utf-8'),
                    'utf16le': SETTINGS_TEXT.encode('utf-16-le'),
                    'utf16be': SETTINGS_TEXT.encode('utf-16-be')}


def main(out):
    if os.path.isdir(out):
        shutil.rmtree(out)
    for rel, kind, eol in SOURCES:
        write(os.path.join(out, 'source', rel), encode(kind, eol))
        for target in TARGETS:
            for eol_name in EOLS:
                write(os.path.join(out, 'expected', target + '_' + eol_name, rel),
                      encode(target, eol_name))
        for eol_name in EOLS:
            write(os.path.join(out, 'expected', 'keep_' + eol_name, rel), encode(kind, eol_name))
    write(os.path.join(out, 'settings', 'source', 'wave.txt'), SETTINGS_TEXT.encode('shift_jis'))
    for target, data in SETTINGS_TARGETS.items():
        write(os.path.join(out, 'settings', target, 'wave.txt'), data)


if __name__ == '__main__':
    main(sys.argv[1])
