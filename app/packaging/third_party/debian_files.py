"""Which Debian package owns each file, and each package's version, from dpkg's database."""
import os
import subprocess


def _candidates(path):
    """The names dpkg may know a file by: as given, with its links resolved, and on a merged /usr
    under the other of /lib and /usr/lib."""
    names = [path, os.path.realpath(path)]
    for name in list(names):
        for merged, unmerged in (("/usr/lib/", "/lib/"), ("/usr/lib64/", "/lib64/")):
            if name.startswith(merged):
                names.append(unmerged + name[len(merged):])
            elif name.startswith(unmerged):
                names.append(merged + name[len(unmerged):])
    return list(dict.fromkeys(names))


def parse_search(text):
    """dpkg -S's answer, as {path: package}: the first package that owns each path."""
    owners = {}
    for line in text.splitlines():
        if line.startswith("diversion by "):
            continue
        packages, separator, path = line.partition(": ")
        if separator and path not in owners:
            owners[path] = packages.split(",")[0].strip().split(":")[0]
    return owners


def owners(paths):
    """{path: package} for each path some package owns."""
    candidates = {path: _candidates(path) for path in paths}
    names = sorted({name for names in candidates.values() for name in names})
    found = {}
    for start in range(0, len(names), 500):
        result = subprocess.run(["dpkg", "-S", *names[start:start + 500]],
                                capture_output=True, text=True)
        found.update(parse_search(result.stdout))
    return {path: next(found[name] for name in names if name in found)
            for path, names in candidates.items() if any(name in found for name in names)}


def versions(packages):
    """{package: version} of the installed packages."""
    result = subprocess.run(["dpkg-query", "-W", "-f", "${Package}\t${Version}\n", *sorted(packages)],
                            capture_output=True, text=True, check=True)
    return dict(line.split("\t") for line in result.stdout.splitlines())


def upstream_version(version):
    """The upstream part of a Debian version: no epoch, no Debian revision, no repack suffix."""
    version = version.split(":", 1)[-1]
    if "-" in version:
        version = version.rsplit("-", 1)[0]
    for suffix in ("+dfsg", "~dfsg", "+ds", "~ds", "+repack", "~repack"):
        version = version.split(suffix)[0]
    return version
