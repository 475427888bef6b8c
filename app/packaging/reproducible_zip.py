#!/usr/bin/env python3
"""Writes a zip again in a fixed form: its members in name order, each dated EPOCH (in UTC, not
the builder's time zone), with its Unix permissions and no extra field (which would carry the
builder's user and group):
    reproducible_zip.py ZIP EPOCH"""
import os
import sys
import time
import zipfile


def rewrite(path, epoch):
    stamp = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(path) as original:
        members = sorted(original.infolist(), key=lambda member: member.filename)
        contents = [(member, original.read(member)) for member in members]
    temporary = path + ".tmp"
    with zipfile.ZipFile(temporary, "w") as rewritten:
        for member, data in contents:
            info = zipfile.ZipInfo(member.filename, date_time=stamp)
            info.create_system = 3
            info.external_attr = member.external_attr & 0xFFFF0010
            info.compress_type = zipfile.ZIP_STORED if member.is_dir() else zipfile.ZIP_DEFLATED
            rewritten.writestr(info, data, compresslevel=9)
    os.replace(temporary, path)


if __name__ == "__main__":
    rewrite(sys.argv[1], int(sys.argv[2]))
