#!/usr/bin/env python3
"""The pair rule written plainly in Python, to compare karsobel-pairs with:

    pairs.py FILE

Reads FILE as UTF-8 (each invalid byte one character), skips line breaks and tabs, and prints one
capital letter for every pair of characters that has one, on one line.
"""
import sys


def letter_value(character):
    if "A" <= character <= "Z":
        return ord(character) - ord("A") + 1
    if "a" <= character <= "z":
        return ord(character) - ord("a") + 1
    return 0


def main():
    pending = None
    with open(sys.argv[1], encoding="utf-8", errors="surrogateescape", newline="") as text:
        for chunk in iter(lambda: text.read(1 << 16), ""):
            letters = []
            for character in chunk:
                if character in "\n\r\t":
                    continue
                if pending is None:
                    pending = character
                    continue
                total = letter_value(pending) + letter_value(character)
                pending = None
                if total > 26:
                    total -= 26
                if total > 0:
                    letters.append(chr(ord("A") + total - 1))
            sys.stdout.write("".join(letters))
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
