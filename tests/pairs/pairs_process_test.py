#!/usr/bin/env python3
"""Runs karsobel-pairs as a process, through a table of command lines and inputs:

    pairs_process_test.py COMMAND...

COMMAND is the program, or a launcher and its arguments followed by the program (the Windows
build runs under Wine). Standard output is compared with Windows line endings made Unix ones.
"""
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import damaged_texts  # noqa: E402

TIMEOUT = 120
ODD = r"karsobel-pairs: the last character, {}, has no partner and gives no letter\n"

# Arguments, standard input, exit status, and the whole of standard output and of standard error
# as regular expressions. Files named here are made in the working directory first.
FILES = {"line-break.txt": b"h\r\nit\no\n", "odd.txt": b"ab\nc",
         "long.txt": b"ab" * 150000 + b"yz" * 50000, "straddle.txt": damaged_texts.straddle()}
CASES = [
    # The worked pairs.
    (["hito"], b"", 0, r"QI\n", r""),
    (["ab"], b"", 0, r"C\n", r""),
    (["zz"], b"", 0, r"Z\n", r""),
    (["12"], b"", 0, r"\n", r""),
    # One text across arguments, lines and sources; line breaks and tabs are skipped.
    (["h", "it", "o"], b"", 0, r"QI\n", r""),
    ([], b"hi\nto\n", 0, r"QI\n", r""),
    (["-f", "line-break.txt"], b"", 0, r"QI\n", r""),
    (["h", "-", "--file=odd.txt"], b"i\t", 0, r"QC\n", ODD.format("'c'")),
    (["--", "-a", "-b"], b"", 0, r"AB\n", r""),
    # An odd last character; invalid UTF-8, reported once; a character outside the basic plane.
    (["hit"], b"", 0, r"Q\n", ODD.format("'t'")),
    (["-"], b"a\xffb\xfe\xfd\xfc", 0, r"AB\n",
     r"karsobel-pairs: 4 bytes of invalid UTF-8, each taken as one character without a letter\n"),
    (["a\U0001D400bc"], b"", 0, r"AE\n", r""),
    (["\U0001D400"], b"", 0, r"\n", ODD.format("'\U0001D400'")),
    # A character across the vector core's hand-over, after an invalid byte.
    (["-f", "straddle.txt"], b"", 0, r"C{32}G{5}DG{25}CQ{100}\n",
     r"karsobel-pairs: 1 byte of invalid UTF-8, each taken as one character without a letter\n"),
    # Nothing at all.
    ([], b"", 0, r"\n", r""),
    ([""], b"", 0, r"\n", r""),
    # The command line.
    (["--help"], b"", 0, r"Usage: karsobel-pairs .*Line breaks and tabs are skipped.*", r""),
    (["--version"], b"", 0, r"karsobel-pairs \(Karsobel\) 1\.00\n", r""),
    (["--bogus", "ab"], b"", 2, r"", r"karsobel-pairs: unknown option '--bogus'\n"
                                     r"Try 'karsobel-pairs --help' for more information\.\n"),
    (["ab", "-f"], b"", 2, r"", r"karsobel-pairs: option '-f' needs a file name\n.*"),
    (["ab", "-f", "missing.txt"], b"", 1, r"",
     r"karsobel-pairs: cannot read 'missing.txt': [^\n]+\n"),
    (["-f", "."], b"", 1, r"", r"karsobel-pairs: cannot read '\.': [^\n]+\n"),
    # A file read in many pieces, each in its place.
    (["-f", "long.txt"], b"", 0, r"C{150000}Y{50000}\n", r""),
]


def run(command, arguments, stdin, directory):
    arguments = [argument.encode() for argument in arguments]
    return subprocess.run(command + arguments, input=stdin, capture_output=True, cwd=directory,
                          timeout=TIMEOUT)


def check_case(command, case, directory):
    arguments, stdin, status, stdout, stderr = case
    result = run(command, arguments, stdin, directory)
    out = result.stdout.replace(b"\r\n", b"\n").decode(errors="replace")
    err = result.stderr.replace(b"\r\n", b"\n").decode(errors="replace")
    if (result.returncode == status and re.fullmatch(stdout, out, re.DOTALL)
            and re.fullmatch(stderr, err, re.DOTALL)):
        return True
    print(f"FAIL: {arguments} with {stdin!r} on standard input:\n"
          f"  status {result.returncode}, expected {status}\n"
          f"  stdout {out!r}, expected /{stdout}/\n  stderr {err!r}, expected /{stderr}/")
    return False


def check_closed_pipe(command, directory):
    """The reader of the letters goes away after one byte: the program ends, non-zero and quiet."""
    with open(os.path.join(directory, "big.txt"), "wb") as big:
        big.write(b"ab" * (4 << 20))
    with open(os.path.join(directory, "big.txt"), "rb") as big:
        process = subprocess.Popen(command, stdin=big, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, cwd=directory)
        first = process.stdout.read(1)
        process.stdout.close()
        try:
            err = process.stderr.read()
            status = process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            print("FAIL: still running after its reader closed the pipe")
            return False
        process.stderr.close()
    if first == b"C" and status != 0 and err == b"":
        return True
    print(f"FAIL: closed pipe: first byte {first!r}, status {status}, stderr {err!r}")
    return False


def check_full_output(command, directory):
    """Standard output on a full device: the program says it cannot write, with status 1."""
    with open(os.devnull, "rb") as empty, open("/dev/full", "wb") as full:
        result = subprocess.run(command + [b"hito"], stdin=empty, stdout=full,
                                stderr=subprocess.PIPE, cwd=directory, timeout=TIMEOUT)
    err = result.stderr.replace(b"\r\n", b"\n").decode(errors="replace")
    if result.returncode == 1 and re.fullmatch(r"karsobel-pairs: cannot write the letters: "
                                               r"[^\n]+\n", err):
        return True
    print(f"FAIL: full output: status {result.returncode}, stderr {err!r}")
    return False


def main():
    command = sys.argv[1:]
    # Wine reads the arguments it hands a Windows program in the locale's encoding.
    os.environ["LC_ALL"] = "C.UTF-8"
    with tempfile.TemporaryDirectory() as directory:
        for name, content in FILES.items():
            with open(os.path.join(directory, name), "wb") as file:
                file.write(content)
        results = [check_case(command, case, directory) for case in CASES]
        results.append(check_closed_pipe(command, directory))
        if os.path.exists("/dev/full"):
            results.append(check_full_output(command, directory))
    print(f"{results.count(True)} of {len(results)} cases passed")
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
