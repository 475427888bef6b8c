"""Texts that once made karsobel-pairs fail, rebuilt byte by byte so that no blob is kept."""


def straddle():
    """A three-byte character across the point where the vector core hands the text back to the
    scalar path, after an invalid byte, with nothing but ASCII after it: 330 bytes."""
    valid = bytearray(b"ab" * 32)
    damaged = bytearray(b"cd" * 32)
    damaged[10] = 0xFF
    return bytes((valid + damaged)[:127]) + "\u20ac".encode() + b"hi" * 100
