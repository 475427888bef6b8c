"""Debian's machine-readable copyright files (DEP-5): their paragraphs, the copyright lines of
those that cover some files, and the full text of each licence they name."""
import fnmatch
import re

FORMAT_PREFIX = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0"
COMMON_LICENSES = re.compile(r"/usr/share/common-licenses/([A-Za-z0-9.+_-]*[A-Za-z0-9+])")


class CopyrightError(Exception):
    pass


def read_text(path):
    """The file's text, which must be UTF-8."""
    with open(path, "rb") as file:
        data = file.read()
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError as error:
        raise CopyrightError(f"{path}: not valid UTF-8 (byte {error.start})") from None


def paragraphs(text):
    """Each paragraph as {field name in lower case: value}, continuation lines joined with
    newlines, their leading space taken off and a lone "." an empty line."""
    result = []
    fields = {}
    name = None
    for line in text.splitlines() + [""]:
        if not line.strip():
            if fields:
                result.append(fields)
            fields, name = {}, None
        elif line[0] in " \t":
            if name is None:
                raise CopyrightError(f"a continuation line before any field: {line!r}")
            body = line.strip()
            fields[name] += "\n" + ("" if body == "." else body)
        elif line.startswith("#"):
            continue
        else:
            name, colon, value = line.partition(":")
            if not colon:
                raise CopyrightError(f"a line that is not a field: {line!r}")
            name = name.strip().lower()
            fields[name] = value.strip()
    return result


def parse(text, path):
    """The header paragraph and the others of a DEP-5 file; any other file is refused."""
    if not text.lstrip().startswith("Format:"):
        raise CopyrightError(f"{path}: not a machine-readable copyright file (no Format: {FORMAT_PREFIX}/)")
    try:
        found = paragraphs(text)
    except CopyrightError as error:
        raise CopyrightError(f"{path}: {error}") from None
    if not found or not found[0].get("format", "").startswith(FORMAT_PREFIX):
        raise CopyrightError(f"{path}: not a machine-readable copyright file (no Format: {FORMAT_PREFIX}/)")
    return found[0], found[1:]


def licence_names(field):
    """The licence short names in a License field's first line: "GPL-2+ or Expat" gives both."""
    first = field.split("\n", 1)[0]
    return [name for name in re.split(r"\s+(?:or|and)\s+|,\s*", first) if name]


def covering(others, patterns):
    """The Files paragraphs with a pattern matched by one of the given ones (fnmatch)."""
    return [paragraph for paragraph in others if "files" in paragraph and
            any(fnmatch.fnmatchcase(entry, pattern)
                for entry in paragraph["files"].split() for pattern in patterns)]


def _with_common_licence(body, read_common_licence):
    referred = COMMON_LICENSES.search(body)
    return body + "\n\n" + read_common_licence(referred.group(1)) if referred else body


def licence_text(name, others, path, read_common_licence, inline=""):
    """A licence's full text: its stand-alone License paragraph (or the common licence its
    Reference field names), else the text given with the Files paragraph (inline), then the
    common licence the text refers to, where it refers to one."""
    for paragraph in others:
        if "files" not in paragraph and licence_names(paragraph.get("license", "")) == [name]:
            body = paragraph["license"].partition("\n")[2].strip("\n")
            if body.strip():
                return _with_common_licence(body, read_common_licence)
            referred = COMMON_LICENSES.search(paragraph.get("reference", ""))
            if referred:
                return read_common_licence(referred.group(1))
    if inline.strip():
        return _with_common_licence(inline, read_common_licence)
    raise CopyrightError(f"{path}: no text for the licence {name}")
