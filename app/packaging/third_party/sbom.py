"""The release's software bill of materials, in CycloneDX 1.6 JSON: every file of the release with
its SHA-256, and each program's third-party components, their licences and how each came in."""
import hashlib
import json
import os
import time
import uuid


class SbomError(Exception):
    pass


# The schemas as CycloneDX publishes them in its npm package, which schema/package-lock.json pins.
SCHEMA = "bom-1.6.SNAPSHOT.schema.json"
NAMESPACE = uuid.UUID("7b0c9a5e-3f4d-4c1e-9a8b-2d6e5f4a3b21")


def _sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def release_files(release):
    """Every file of the release folder, by its path in it, in byte order; the checksums and their
    signature, which list the bill itself, are not in it."""
    found = []
    for folder, _, names in os.walk(release):
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), release)
            if not name.startswith("SHA256SUMS") and not name.endswith(".cdx.json"):
                found.append(path)
    return sorted(found, key=lambda path: path.encode())


def component(artifact, listed):
    properties = [{"name": "karsobel:relation", "value": listed["relation"]},
                  {"name": "karsobel:found-from", "value": listed["found_from"]}]
    properties += [{"name": "karsobel:debian-package", "value": f"{p['name']} {p['version']}"}
                   for p in listed["debian_packages"]]
    first = listed["debian_packages"][0]
    return {
        "type": "library",
        "bom-ref": f"{artifact}#{listed['name']}",
        "name": listed["name"],
        "version": listed["version"],
        "licenses": [{"expression": listed["licence"]}],
        "purl": f"pkg:deb/debian/{first['name']}@{first['version']}",
        "properties": properties,
    }


def bill(release, version, listings):
    """The bill as a dict. listings: [(folder in the release, {program: [component]})]."""
    programs = {}
    for folder, listing in listings:
        for program, components in listing.items():
            programs[os.path.join(folder, program)] = components
    files = release_files(release)
    missing = sorted(set(programs) - set(files))
    if missing:
        raise SbomError(f"programs listed with components but not in {release}: {', '.join(missing)}")
    artifacts = []
    dependencies = []
    for path in files:
        artifact = {"type": "application" if path in programs else "file", "bom-ref": path,
                    "name": path, "version": version,
                    "hashes": [{"alg": "SHA-256", "content": _sha256(os.path.join(release, path))}]}
        if path in programs:
            artifact["components"] = [component(path, listed) for listed in programs[path]]
            dependencies.append({"ref": path, "dependsOn": [c["bom-ref"] for c in artifact["components"]]})
        artifacts.append(artifact)
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    serial = uuid.uuid5(NAMESPACE, json.dumps(artifacts, sort_keys=True))
    return {
        "$schema": "http://cyclonedx.org/schema/bom-1.6.schema.json",
        "bomFormat": "CycloneDX",
        "specVersion": "1.6",
        "serialNumber": f"urn:uuid:{serial}",
        "version": 1,
        "metadata": {
            "timestamp": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
            "component": {"type": "application", "bom-ref": "Karsobel", "name": "Karsobel",
                          "version": version, "licenses": [{"license": {"id": "MIT"}}]},
        },
        "components": artifacts,
        "dependencies": [{"ref": "Karsobel", "dependsOn": files}] + dependencies,
    }


def write(release, version, listing_args):
    listings = []
    for argument in listing_args:
        folder, _, path = argument.rpartition("=")
        with open(path, encoding="utf-8") as file:
            listings.append((folder, json.load(file)["programs"]))
    return json.dumps(bill(release, version, listings), indent=2, sort_keys=True) + "\n"


def validate(path, schemas):
    """Checks the bill against CycloneDX's schema, whose references are to files beside it."""
    import jsonschema
    store = {}
    for name in os.listdir(schemas):
        if name.endswith(".schema.json"):
            with open(os.path.join(schemas, name), encoding="utf-8") as file:
                schema = json.load(file)
            store[name] = schema
            store[schema.get("$id", name)] = schema
    with open(path, encoding="utf-8") as file:
        document = json.load(file)
    main = store[SCHEMA]
    resolver = jsonschema.RefResolver(base_uri=main["$id"], referrer=main, store={
        main["$id"].rsplit("/", 1)[0] + "/" + name: schema for name, schema in store.items()})
    errors = sorted(jsonschema.Draft7Validator(main, resolver=resolver).iter_errors(document),
                    key=lambda error: list(error.absolute_path))
    if errors:
        raise SbomError(f"{path} does not follow {SCHEMA}: " + "; ".join(
            f"{'/'.join(map(str, error.absolute_path))}: {error.message}" for error in errors[:5]))
