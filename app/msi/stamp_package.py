#!/usr/bin/python3
"""Stamps a Windows Installer package in place with what wixl would take from the clock and
chance: its summary's creation and last-saved times become EPOCH, and its package code CODE:
    stamp_package.py MSI EPOCH CODE"""
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

# Windows' file times count 100 ns from 1601, 11644473600 s before 1970.
FILETIME_AT_1970 = 11644473600


def stamp(path, epoch, package_code):
    database = Libmsi.Database.new(path, Libmsi.DbFlags.TRANSACT, None)
    summary = Libmsi.SummaryInfo.new(database, 3)
    filetime = (epoch + FILETIME_AT_1970) * 10**7
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.set_string(Libmsi.Property.UUID, "{" + package_code + "}")
    summary.persist()
    database.commit()


if __name__ == "__main__":
    stamp(sys.argv[1], int(sys.argv[2]), sys.argv[3])
