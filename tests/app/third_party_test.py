#!/usr/bin/env python3
"""The third-party tool's parsers and its refusals, case by case."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "app", "packaging", "third_party"))
import build_inputs  # noqa: E402
import components  # noqa: E402
import copyright_file  # noqa: E402
import debian_files  # noqa: E402
import notices  # noqa: E402
from build_inputs import COMPILED, DYNAMIC, STATIC  # noqa: E402

GNU_MAP = """Archive member included to satisfy reference by file (symbol)

/usr/lib/x/libpthread.a(libwinpthread_la-cond.o)
                              app/main.obj (pthread_cond_wait)
pairs/libpairs.a(pair_stream.cpp.obj)  app/main.obj (karsobel::f())

Discarded input sections

LOAD /usr/lib/gcc/x/12/../../../crt2u.o
LOAD app/main.obj
LOAD pairs/libpairs.a
LOAD /usr/lib/x86_64-linux-gnu/libQt6Core.so.6
LOAD /usr/lib/x86_64-linux-gnu/libm.so
LOAD dll stuff
"""

DEP5 = """Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: thing

Files: *
Copyright: 2020 Someone
 2021 Someone Else
License: Expat

Files: lib/*
Copyright: 2019 Library Author
License: Apache-2.0
 Licensed under the Apache License.
 .
 See /usr/share/common-licenses/Apache-2.0.

Files: rt/*
Copyright: 2018 Runtime Author
License: Apache-2.0 with LLVM exception
 As an exception, ...

License: Expat
 Permission is hereby granted.

License: BSD-3-clause
Reference: /usr/share/common-licenses/BSD
"""


def common(name):
    return f"<full text of {name}>"


class Parsers(unittest.TestCase):
    def test_link_records(self):
        cases = [
            ("GNU ld map", build_inputs.gnu_ld_map, GNU_MAP,
             [("/usr/lib/x/libpthread.a", STATIC), ("pairs/libpairs.a", STATIC),
              ("/usr/lib/gcc/x/12/../../../crt2u.o", STATIC), ("app/main.obj", STATIC),
              ("/usr/lib/x86_64-linux-gnu/libQt6Core.so.6", DYNAMIC),
              ("/usr/lib/x86_64-linux-gnu/libm.so", DYNAMIC)]),
            ("wasm-ld trace", build_inputs.lld_trace,
             "app/a.o\n/cache/libc.a(strlen.o)\n/cache/libc.a(memcpy.o)\n\n",
             [("app/a.o", STATIC), ("/cache/libc.a", STATIC)]),
            ("an empty trace", build_inputs.lld_trace, "", []),
        ]
        for what, parse, text, expected in cases:
            with self.subTest(what):
                self.assertEqual(parse(text), expected)

    def test_compiler_rules(self):
        cases = [
            ("one line", "a.o: a.cpp /usr/include/x.h\n", ["a.cpp", "/usr/include/x.h"]),
            ("continued lines", "a.o: a.cpp \\\n /usr/include/hwy/base.h \\\n b.h\n",
             ["a.cpp", "/usr/include/hwy/base.h", "b.h"]),
            ("an escaped space", "a.o: my\\ file.h\n", ["my file.h"]),
        ]
        for what, text, expected in cases:
            with self.subTest(what):
                self.assertEqual(build_inputs.make_rule_inputs(text), expected)
        with self.assertRaises(ValueError):
            build_inputs.make_rule_inputs("no rule here")

    def test_compile_commands(self):
        command = "g++ -I/src -O2 -MD -MT a.o -MF a.o.d -o dir/a.o -c /src/a.cpp"
        self.assertEqual(build_inputs.object_of(command), "dir/a.o")
        self.assertEqual(build_inputs.headers_command(command),
                         ["g++", "-I/src", "-O2", "-c", "/src/a.cpp", "-M"])
        self.assertIsNone(build_inputs.object_of("g++ -c a.cpp"))

    def test_dpkg_answers_and_versions(self):
        answer = ("libhwy-dev:amd64: /usr/include/hwy/base.h\n"
                  "diversion by x from: /usr/bin/y\n"
                  "libc6-dev:amd64, libc6-dev:i386: /usr/include/stdio.h\n")
        self.assertEqual(debian_files.parse_search(answer), {
            "/usr/include/hwy/base.h": "libhwy-dev", "/usr/include/stdio.h": "libc6-dev"})
        for version, upstream in [("1.0.3-3+deb12u1", "1.0.3"), ("12.2.0-14+deb12u1+25.2+b1", "12.2.0"),
                                  ("3.1.6~dfsg-5", "3.1.6"), ("1:2.36-9", "2.36"), ("25.2", "25.2")]:
            with self.subTest(version):
                self.assertEqual(debian_files.upstream_version(version), upstream)


class CopyrightFiles(unittest.TestCase):
    def test_paragraphs_and_texts(self):
        header, others = copyright_file.parse(DEP5, "copyright")
        self.assertEqual(header["upstream-name"], "thing")
        self.assertEqual(others[0]["copyright"], "2020 Someone\n2021 Someone Else")
        cases = [
            ("a stand-alone paragraph", "Expat", "", "Permission is hereby granted."),
            ("a Reference to a common licence", "BSD-3-clause", "", "<full text of BSD>"),
            ("the text with the Files paragraph, then the common licence it names", "Apache-2.0",
             "Licensed.\n\nSee /usr/share/common-licenses/Apache-2.0.",
             "Licensed.\n\nSee /usr/share/common-licenses/Apache-2.0.\n\n<full text of Apache-2.0>"),
        ]
        for what, name, inline, expected in cases:
            with self.subTest(what):
                self.assertEqual(copyright_file.licence_text(name, others, "copyright", common, inline),
                                 expected)
        with self.assertRaisesRegex(copyright_file.CopyrightError, "copyright: no text for the licence GPL-2"):
            copyright_file.licence_text("GPL-2", others, "copyright", common)

    def test_licences_of_chosen_paragraphs(self):
        _, others = copyright_file.parse(DEP5, "copyright")
        chosen = notices._selected(others, ["lib/*", "rt/*"], "copyright", "thing")
        texts = notices.licence_texts(chosen, others, "copyright", common)
        self.assertEqual(list(texts), ["Apache-2.0", "Apache-2.0 with LLVM exception"])
        self.assertIn("As an exception", texts["Apache-2.0 with LLVM exception"])
        self.assertIn("<full text of Apache-2.0>", texts["Apache-2.0 with LLVM exception"])
        with self.assertRaisesRegex(copyright_file.CopyrightError, "no Files paragraph for docs/\\*"):
            notices._selected(others, ["docs/*"], "copyright", "thing")

    def test_refused_files(self):
        cases = [
            ("free-form text", "This is the Debian prepackaged version of X.\n",
             "not a machine-readable copyright file"),
            ("a paragraph that starts with a continuation",
             "Format: " + copyright_file.FORMAT_PREFIX + "/\n\n stray\n", "a continuation line"),
            ("a line that is no field", "Format: " + copyright_file.FORMAT_PREFIX + "/\njunk\n",
             "a line that is not a field"),
        ]
        for what, text, message in cases:
            with self.subTest(what), self.assertRaisesRegex(copyright_file.CopyrightError, f"^f: .*{message}"):
                copyright_file.parse(text, "f")
        with tempfile.NamedTemporaryFile(suffix="copyright") as file:
            file.write(b"Format: \xff\xfe latin-1\n")
            file.flush()
            with self.assertRaisesRegex(copyright_file.CopyrightError, f"^{file.name}: not valid UTF-8"):
                copyright_file.read_text(file.name)


class Components(unittest.TestCase):
    TABLE = [
        {"name": "winpthreads", "packages": ["mingw-w64-x86-64-dev"], "files": ["*/libpthread.a"],
         "licence": "MIT", "paragraphs": ["*"]},
        {"name": "mingw-w64 runtime", "packages": ["mingw-w64-*"], "licence": "ZPL-2.1", "paragraphs": ["*"]},
    ]

    def resolve(self, files, owners):
        versions = {package: "10.0.0-3" for package in owners.values()}
        return components.resolve(files, ["/src", "/src/build"], owners, versions, self.TABLE)

    def test_files_to_components(self):
        found = self.resolve(
            [("/src/app/main.cpp", COMPILED), ("/src/build/app/main.obj", STATIC),
             ("/usr/x/include/pthread.h", COMPILED), ("/usr/x/lib/libpthread.a", STATIC),
             ("/usr/x/lib/libmingwex.a", STATIC)],
            {"/usr/x/include/pthread.h": "mingw-w64-common", "/usr/x/lib/libpthread.a": "mingw-w64-x86-64-dev",
             "/usr/x/lib/libmingwex.a": "mingw-w64-x86-64-dev"})
        summaries = {name: components.summary(entry) for name, entry in found.items()}
        self.assertEqual(sorted(summaries), ["mingw-w64 runtime", "winpthreads"])
        self.assertEqual(summaries["winpthreads"]["relation"], "statically linked")
        self.assertEqual(summaries["mingw-w64 runtime"]["found_from"], "/usr/x/lib/libmingwex.a")
        self.assertEqual(summaries["mingw-w64 runtime"]["version"], "10.0.0")

    def test_uncovered_files_stop_it(self):
        cases = [
            ("a package no component covers", {"/usr/include/zlib.h": "zlib1g-dev"},
             "/usr/include/zlib.h, of the Debian package zlib1g-dev, is in no component"),
            ("a file no package owns", {}, "/usr/include/zlib.h is in no Debian package"),
        ]
        for what, owners, message in cases:
            with self.subTest(what), self.assertRaisesRegex(components.ComponentError, message):
                self.resolve([("/usr/include/zlib.h", COMPILED)], owners)

    def test_a_component_without_its_copyright_file(self):
        entry = {"component": self.TABLE[0], "first_package": "mingw-w64-x86-64-dev",
                 "first_file": "/usr/x/lib/libpthread.a", "packages": {}, "relations": {}}
        with tempfile.TemporaryDirectory() as docs, self.assertRaisesRegex(
                copyright_file.CopyrightError, "^winpthreads, from /usr/x/lib/libpthread.a: .* has no copyright file"):
            notices.notice(entry, doc_root=docs)

    def test_the_table_loads(self):
        table = components.load_table(os.path.join(os.path.dirname(components.__file__), "components.toml"))
        self.assertIn("Google Highway", [component["name"] for component in table])


if __name__ == "__main__":
    unittest.main()
