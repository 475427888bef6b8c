"""The files a build read for a program: the linker's record of what it took, and the headers the
compiler read for each object it took."""
import os
import re
import shlex
import subprocess

# How a file came into a program.
COMPILED = "compiled"  # a header, whose inline code and templates were compiled in
STATIC = "static"      # an object or an archive's member, linked in
DYNAMIC = "dynamic"    # a shared library, loaded when the program starts

_MEMBER = re.compile(r"^(\S[^()]*)\(([^()]+)\)(?:\s|$)")


def gnu_ld_map(text):
    """(path, relation) for each file in a GNU ld map (-Map): every object and shared library it
    loaded, and every archive it took a member of."""
    files = []
    section = None
    for line in text.splitlines():
        if line.startswith("Archive member included"):
            section = "members"
            continue
        if line and not line[0].isspace() and not line.startswith("LOAD ") and section == "members":
            match = _MEMBER.match(line)
            if match:
                files.append((match.group(1), STATIC))
                continue
            section = None
        if line.startswith("LOAD "):
            path = line[5:].strip()
            if path.endswith(".o") or path.endswith(".obj") or path.endswith(".res"):
                files.append((path, STATIC))
            elif re.search(r"\.so(\.\d+)*$", path):
                files.append((path, DYNAMIC))
    return _unique(files)


def lld_trace(text):
    """(path, relation) for each file in wasm-ld's --trace: objects, and the archives whose members
    it took."""
    files = []
    for line in text.splitlines():
        line = line.strip()
        if not line:
            continue
        match = _MEMBER.match(line)
        files.append((match.group(1) if match else line, STATIC))
    return _unique(files)


def make_rule_inputs(text):
    """The prerequisites of the one rule a compiler writes for -M."""
    joined = text.replace("\\\n", " ")
    _, colon, rest = joined.partition(":")
    if not colon:
        raise ValueError("no rule in the compiler's dependency output")
    words = re.split(r"(?<!\\)\s+", rest.strip())
    return [word.replace("\\ ", " ") for word in words if word]


def object_of(command):
    """The object a compile command writes (-o FILE)."""
    words = shlex.split(command)
    for index, word in enumerate(words[:-1]):
        if word == "-o":
            return words[index + 1]
    return None


def headers_command(command):
    """The same compile command, asked for the files it reads (-M) instead of an object."""
    words = shlex.split(command)
    kept = []
    skip = False
    for word in words:
        if skip:
            skip = False
        elif word in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif word not in ("-MD", "-MMD"):
            kept.append(word)
    return kept + ["-M"]


def _unique(files):
    seen = set()
    unique = []
    for path, relation in files:
        if (path, relation) not in seen:
            seen.add((path, relation))
            unique.append((path, relation))
    return unique


def read_link_record(path):
    """The files in a link map or trace, by the form of its first line."""
    with open(path, encoding="utf-8", errors="replace") as record:
        text = record.read()
    if text.startswith("Archive member included") or "\nLOAD " in text:
        return gnu_ld_map(text)
    return lld_trace(text)


def program_inputs(build, record, compile_commands):
    """Every file a program was made from, with how it came in: the link record's files, and the
    headers of each of the build's own objects in it (the members of its own archives too), as
    the compiler finds them again with the build's own command."""
    commands = {}
    for entry in compile_commands:
        output = object_of(entry["command"])
        if output:
            commands[os.path.normpath(os.path.join(entry["directory"], output))] = entry
    linked = [(os.path.normpath(os.path.join(build, path)), relation)
              for path, relation in read_link_record(record)]
    objects = set()
    for path, _ in linked:
        if not path.startswith(build + os.sep) or path.endswith(".res"):
            continue
        found = _objects_of(path, commands)
        if not found:
            raise RuntimeError(f"{path} is the build's own, but no compile command made it")
        objects.update(found)
    files = list(linked)
    for obj in sorted(objects):
        entry = commands[obj]
        result = subprocess.run(headers_command(entry["command"]), cwd=entry["directory"],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise RuntimeError(f"the compiler could not list the headers of {obj}:\n{result.stderr}")
        files += [(os.path.normpath(os.path.join(entry["directory"], header)), COMPILED)
                  for header in make_rule_inputs(result.stdout)]
    return _unique(files)


def _objects_of(path, commands):
    """The objects a file of the build stands for: itself, or for an archive libNAME.a every
    object of target NAME, which CMake writes under CMakeFiles/NAME.dir beside it."""
    if path in commands:
        return [path]
    name = os.path.basename(path)
    if not (name.startswith("lib") and name.endswith(".a")):
        return []
    folder = os.path.join(os.path.dirname(path), "CMakeFiles", name[3:-2] + ".dir") + os.sep
    return [obj for obj in commands if obj.startswith(folder)]
