"""The third-party notices: each component's copyright lines and full licence texts, from its
Debian package's copyright file."""
import os
import re

import copyright_file
from debian_files import upstream_version
from copyright_file import CopyrightError

RULE = "=" * 78


def _selected(others, patterns, path, name):
    chosen = []
    for pattern in patterns:
        matching = [paragraph for paragraph in others if "files" in paragraph and any(
            entry == pattern or (pattern.endswith("/**") and entry.startswith(pattern[:-2]))
            for entry in paragraph["files"].split())]
        if not matching:
            raise CopyrightError(f"{path}: no Files paragraph for {pattern}, which {name} takes its notices from")
        chosen += [paragraph for paragraph in matching if paragraph not in chosen]
    return chosen


def licence_texts(paragraphs, others, path, read_common):
    """Each licence the paragraphs name, with its full text, in the order first named."""
    texts = {}
    for paragraph in paragraphs:
        field = paragraph.get("license", "")
        own_text = field.partition("\n")[2].strip("\n")
        names = copyright_file.licence_names(field)
        for name in names:
            if name in texts:
                continue
            base = re.sub(r"\s+with\s+.*$", "", name, flags=re.IGNORECASE)
            if base != name:
                # "X with Y exception": X's text, then the exception given with the paragraph.
                text = texts.get(base) or copyright_file.licence_text(base, others, path, read_common)
                texts[name] = text + ("\n\n" + own_text if own_text else "")
            else:
                inline = own_text if len(names) == 1 else ""
                texts[name] = copyright_file.licence_text(name, others, path, read_common, inline)
    return texts


def notice(entry, doc_root="/usr/share/doc", common_root="/usr/share/common-licenses"):
    """One component's notice: its name, version, licence, package, copyright lines and texts."""
    component = entry["component"]
    package = entry["first_package"]
    path = os.path.join(doc_root, package, "copyright")

    def read_common(name):
        return copyright_file.read_text(os.path.join(common_root, name)).rstrip("\n")

    if not os.path.exists(path):
        raise CopyrightError(f"{component['name']}, from {entry['first_file']}: its package {package} "
                             f"has no copyright file {path}")
    text = copyright_file.read_text(path)
    parts = []
    if component.get("whole"):
        parts.append(text.rstrip("\n"))
        for name in component.get("common_licences", []):
            parts.append(f"--- {name} ---\n\n{read_common(name)}")
    else:
        _, others = copyright_file.parse(text, path)
        chosen = _selected(others, component["paragraphs"], path, component["name"])
        lines = []
        for paragraph in chosen:
            for line in paragraph.get("copyright", "").split("\n"):
                if line.strip() and line.strip() not in lines:
                    lines.append(line.strip())
        if lines:
            parts.append("\n".join("Copyright: " + line if not line.lower().startswith(("copyright", "(c)", "©"))
                                   else line for line in lines))
        try:
            texts = licence_texts(chosen, others, path, read_common)
        except CopyrightError as error:
            raise CopyrightError(f"{component['name']}, from {entry['first_file']}: {error}") from None
        for name, licence in texts.items():
            parts.append(f"--- {name} ---\n\n{licence}")
    return "\n\n".join(parts)


def notices_file(product, own_licence, programs, entries):
    """The whole file: the product's own licence, which programs hold which components, then one
    notice each. programs: {program: [summary]}; entries: {component name: entry}."""
    out = [f"{product}: third-party notices", "",
           "The programs are under the licence below. They also hold code of other projects,",
           "each under its own licence, given in full after it.", "", own_licence.rstrip("\n"), ""]
    for program, components in sorted(programs.items()):
        out.append(f"{program} holds:")
        out += [f"  {c['name']} {c['version']} ({c['licence']}), {c['relation']}" for c in components]
        out.append("")
    for name in sorted(entries):
        entry = entries[name]
        packages = ", ".join(f"{p} {v}" for p, v in sorted(entry["packages"].items()))
        version = upstream_version(entry["packages"][entry["first_package"]])
        out += [RULE, f"{name} {version}", f"Licence: {entry['component']['licence']}",
                f"From Debian's {packages}", RULE, "", notice(entry), ""]
    return "\n".join(out)
