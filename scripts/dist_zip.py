#!/usr/bin/env python3
"""Writes the release zip: the programs and readme.txt in one folder, reproducibly.

Usage: scripts/dist_zip.py STRIP OUTPUT.zip VERSION README FILE...
The programs are copied through STRIP (the cross binutils' strip); it writes the time of its run
into the PE header unless SOURCE_DATE_EPOCH is set, so it is given the same fixed time as the zip
entries: SOURCE_DATE_EPOCH, else the time of the last commit. Entries are sorted and carry fixed
attributes and no extra fields, so the same inputs give the same bytes. The readme is written
with a UTF-8 byte-order mark and CR LF line ends, which every Notepad reads as UTF-8."""
import os
import subprocess
import sys
import time
import zipfile


def entry(name, when, mode, method):
    info = zipfile.ZipInfo(name, date_time=when)
    info.compress_type = method
    info.create_system = 0  # MS-DOS: no Unix owner or permission bits that differ between machines
    info.external_attr = mode
    return info


def last_commit_time():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    try:
        return subprocess.run(['git', '-C', root, 'log', '-1', '--format=%ct'], capture_output=True,
                              text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return '1577836800'  # 2020-01-01, outside a git checkout


def main():
    strip, output, version, readme, *files = sys.argv[1:]
    epoch = int(os.environ.get('SOURCE_DATE_EPOCH') or last_commit_time())
    when = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    folder = f'Zentrel-{version}/'
    with open(readme, encoding='utf-8') as f:
        text = f.read().replace('@VERSION@', version)
    contents = {'readme.txt': b'\xef\xbb\xbf' + text.replace('\n', '\r\n').encode('utf-8')}
    stripped = output + '.stripped'
    for path in files:
        subprocess.run([strip, '--strip-all', '-o', stripped, path], check=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=str(epoch)))
        with open(stripped, 'rb') as f:
            contents[os.path.basename(path)] = f.read()
        os.remove(stripped)
    partial = output + '.partial'
    with zipfile.ZipFile(partial, 'w') as archive:
        archive.writestr(entry(folder, when, 0x10, zipfile.ZIP_STORED), b'')  # FILE_ATTRIBUTE_DIRECTORY
        for name in sorted(contents, key=str.lower):
            archive.writestr(entry(folder + name, when, 0x20, zipfile.ZIP_DEFLATED), contents[name],
                              compresslevel=9)  # ARCHIVE
    os.replace(partial, output)


if __name__ == '__main__':
    main()
