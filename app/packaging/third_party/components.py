"""Which third-party components a program holds: each file the build read, by the Debian package
that owns it, matched against the table of components (components.toml)."""
import fnmatch
import os
import tomllib

from build_inputs import COMPILED, DYNAMIC, STATIC
from debian_files import upstream_version

# What a component is to the program, from the strongest way one of its files came in.
RELATIONS = ((STATIC, "statically linked"), (COMPILED, "compiled in"), (DYNAMIC, "dynamically linked"))


class ComponentError(Exception):
    pass


def load_table(path):
    with open(path, "rb") as file:
        table = tomllib.load(file)["component"]
    for component in table:
        for key in ("name", "packages", "licence"):
            if key not in component:
                raise ComponentError(f"{path}: a component without {key}: {component}")
        if ("paragraphs" in component) == bool(component.get("whole")):
            raise ComponentError(f"{path}: {component['name']} needs either paragraphs or whole = true")
    return table


def component_for(table, path, package):
    """The first component whose packages own the file and whose files match it."""
    for component in table:
        if any(fnmatch.fnmatchcase(package, pattern) for pattern in component["packages"]) and \
                any(fnmatch.fnmatchcase(path, pattern) for pattern in component.get("files", ["*"])):
            return component
    return None


def is_own(path, roots):
    return any(path == root or path.startswith(root.rstrip(os.sep) + os.sep) for root in roots)


def resolve(files, own_roots, owners, versions, table, table_path="components.toml"):
    """{component name: what the program holds of it} for the program's files (path, relation),
    leaving out the project's own (under own_roots)."""
    found = {}
    for path, relation in files:
        if is_own(path, own_roots):
            continue
        package = owners.get(path)
        if package is None:
            raise ComponentError(f"{path} is in no Debian package, so its licence cannot be found")
        component = component_for(table, path, package)
        if component is None:
            raise ComponentError(f"{path}, of the Debian package {package}, is in no component of "
                                 f"{table_path}: add it there, with its licence")
        entry = found.setdefault(component["name"], {
            "component": component, "relations": {}, "packages": {}, "first_file": path,
            "first_package": package})
        entry["relations"].setdefault(relation, path)
        entry["packages"][package] = versions[package]
    return found


def summary(entry):
    """A component as the programs' list gives it."""
    packages = sorted(entry["packages"].items())
    first = entry["first_package"]
    relation = next(relation for relation, _ in RELATIONS if relation in entry["relations"])
    return {
        "name": entry["component"]["name"],
        "version": upstream_version(entry["packages"][first]),
        "licence": entry["component"]["licence"],
        "relation": dict(RELATIONS)[relation],
        "debian_packages": [{"name": name, "version": version} for name, version in packages],
        "found_from": entry["relations"][relation],
    }
