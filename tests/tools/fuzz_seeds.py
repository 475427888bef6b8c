#!/usr/bin/env python3
"""Writes a fuzz target's seed inputs into a folder, one file each:

    fuzz_seeds.py TARGET FOLDER

The seeds are small cases of each kind the target reads, and every input that once made one of
the programs fail, rebuilt here so that no blob is kept.
"""
import os
import struct
import sys

import damaged_texts


def pair_stream_input(text, mode=0, cuts=(), every_byte=False):
    """The pair stream target's input: how the text is made and fed, the cuts, then the text."""
    header = bytes([mode | (0x04 if every_byte else 0), len(cuts)])
    return header + b"".join(struct.pack("<H", cut) for cut in cuts) + text


def french_with_latin1():
    """French text that an editor saved partly in Latin-1, with an ASCII last line."""
    text = ("Le cœur a ses raisons que la raison ne connaît point. " * 4).encode()
    return text.replace("î".encode(), "î".encode("latin-1"), 1) + b"\nfin du texte " * 12


def pair_stream_seeds():
    yield pair_stream_input(b"hito")
    yield pair_stream_input(b"ab" * 100, cuts=(1, 64, 129))
    yield pair_stream_input("h\u00e9\u20ac\U0001F600it".encode() * 40, cuts=(3, 200))
    yield pair_stream_input(b"a\xffb\xfe\xe2\x82" * 30, every_byte=True)
    yield pair_stream_input(bytes(range(256)) * 2, cuts=(127, 128, 300))
    yield pair_stream_input(french_with_latin1(), cuts=(100,))
    # Pieces picked from the plain, the valid and all pieces: long runs for the vector cores.
    yield pair_stream_input(bytes(range(0, 0xF0, 3)) * 4, mode=1)
    yield pair_stream_input(bytes(range(0, 0xFF, 5)) * 3, mode=2, cuts=(70, 71))
    yield pair_stream_input(bytes(range(0xFF)), mode=3, every_byte=True)
    yield pair_stream_input(damaged_texts.straddle())
    yield pair_stream_input(damaged_texts.straddle(), cuts=(129,))


def utf8_seeds():
    yield "a\u00e9\u20ac\U0001F600\U0010FFFF".encode()
    yield b"\xc0\xaf\xe0\x80\xaf\xed\xa0\x80\xf4\x90\x80\x80\xf5\xff\x80"
    yield b"\xe2\x82"
    yield b"\xf0\x9f\x98"
    yield damaged_texts.straddle()


def pair_entry_seeds():
    # Each byte an action: its kind is the byte mod 5 (type, type over a selection, paste,
    # Backspace, Clear); what follows picks the characters.
    yield b"\x00h\x00i\x00t\x00o"
    yield b"\x00a\x03\x00b\x00c\x04\x00\xf0"
    yield b"\x07hi\x00\x00\x00z\x01\x00\x00\x01\x00\x06\x00\x00x"
    yield b"\x00\x90\x00\x91\x02\xa0\xa1\x04\x00\xf0\x00\xd8\x00Z"
    yield b"\x0ahito\x00\x00\x00a\x0fab\x00\x00\x00\x00"


def pairs_options_seeds():
    yield b"hito"
    yield b"-f\0file.txt\0--\0-a\0-"
    yield b"--file=odd.txt\0--help\0--version"
    yield b"--bogus\0ab"
    yield b"ab\0-f"
    yield b""


SEEDS = {
    "pair_stream_fuzz": pair_stream_seeds,
    "utf8_fuzz": utf8_seeds,
    "pair_entry_fuzz": pair_entry_seeds,
    "pairs_options_fuzz": pairs_options_seeds,
}


def main():
    target, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    for number, seed in enumerate(SEEDS[target]()):
        with open(os.path.join(folder, f"seed-{number:02}"), "wb") as file:
            file.write(seed)
    return 0


if __name__ == "__main__":
    sys.exit(main())
