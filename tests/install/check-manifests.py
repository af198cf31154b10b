#!/usr/bin/env python3
"""Checks the package managers' manifests of a release folder.

Usage: check-manifests.py DIST_DIR VERSION URL_PATTERN HOME_PAGE
Each winget file must be YAML of its manifest type and the Scoop manifest JSON, with the fields
those package managers require; every address must be the pattern filled with VERSION and a
file of DIST_DIR, every checksum that file's. Prints the Apps and Features entry the installer
must write, as DisplayName|Publisher|DisplayVersion, and the installer's silent switch.
"""
import hashlib
import json
import os
import sys

import yaml

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    dist, version, pattern, home = sys.argv[1:5]
    ident = "Orvelle.Tessaly"

    def load(name):
        with open(os.path.join(dist, "winget", name), encoding="utf-8") as f:
            document = yaml.safe_load(f)
        check(isinstance(document, dict), f"{name} is not a YAML mapping")
        return document or {}

    def address(url, what):
        prefix = pattern.replace("{version}", version).split("{file}")[0]
        if not check(isinstance(url, str) and url.startswith(prefix) and "/" not in url[len(prefix):],
                     f"{what}: {url!r} is not a download address of {version}"):
            return None
        path = os.path.join(dist, url[len(prefix):])
        return path if check(os.path.isfile(path), f"{what}: no file {path}") else None

    def common(document, name, kind):
        check(document.get("PackageIdentifier") == ident, f"{name}: PackageIdentifier")
        check(document.get("PackageVersion") == version, f"{name}: PackageVersion is not {version}")
        check(document.get("ManifestType") == kind, f"{name}: ManifestType is not {kind}")
        check(document.get("ManifestVersion") == "1.10.0", f"{name}: ManifestVersion")

    entry, silent = None, None
    v = load(f"{ident}.yaml")
    common(v, "version", "version")
    check(v.get("DefaultLocale") == "en-US", "version: DefaultLocale")

    loc = load(f"{ident}.locale.en-US.yaml")
    common(loc, "defaultLocale", "defaultLocale")
    expected = {"PackageLocale": "en-US", "Publisher": "Orvelle", "PackageName": "Tessaly",
                "License": "Proprietary", "PackageUrl": home,
                "ShortDescription": "Send one search text to a whole group of web sites at once."}
    for key, value in expected.items():
        check(loc.get(key) == value, f"defaultLocale: {key} is {loc.get(key)!r}, not {value!r}")

    inst = load(f"{ident}.installer.yaml")
    common(inst, "installer", "installer")
    installers = {i.get("InstallerType"): i for i in inst.get("Installers") or []}
    check(sorted(installers) == ["nullsoft", "zip"], f"installer: types {sorted(installers)}")
    for kind, i in installers.items():
        check(i.get("Architecture") == "x86", f"{kind}: Architecture")
        path = address(i.get("InstallerUrl"), f"{kind} InstallerUrl")
        if path:
            check(str(i.get("InstallerSha256", "")).lower() == sha256(path), f"{kind}: InstallerSha256")
    nsis = installers.get("nullsoft", {})
    check(nsis.get("Scope") == "machine", "nullsoft: Scope")
    check(nsis.get("UpgradeBehavior") == "install", "nullsoft: UpgradeBehavior")
    switches = nsis.get("InstallerSwitches") or {}
    check(switches.get("Silent") == "/S" and switches.get("SilentWithProgress") == "/S",
          "nullsoft: InstallerSwitches")
    silent = switches.get("Silent")
    entries = nsis.get("AppsAndFeaturesEntries") or [{}]
    entry = entries[0]
    check(len(entries) == 1 and entry.get("DisplayVersion") == version, "nullsoft: AppsAndFeaturesEntries")
    zipped = installers.get("zip", {})
    check(zipped.get("NestedInstallerType") == "portable", "zip: NestedInstallerType")
    nested = [n.get("RelativeFilePath", "").replace("\\", "/") for n in zipped.get("NestedInstallerFiles") or []]
    check(len(nested) == 1 and nested[0].split("/")[-1] == "Tessaly.exe", f"zip: NestedInstallerFiles {nested}")

    with open(os.path.join(dist, "tessaly.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    for key in ("description", "homepage", "license", "url", "hash", "bin", "shortcuts", "persist"):
        check(key in scoop, f"scoop: no {key}")
    check(scoop.get("version") == version, "scoop: version")
    check(scoop.get("homepage") == home, "scoop: homepage")
    check(scoop.get("bin") == "Tessaly.exe", "scoop: bin")
    check(scoop.get("shortcuts") == [["Tessaly.exe", "Tessaly"]], "scoop: shortcuts")
    check(scoop.get("persist") == "Data", "scoop: persist")
    path = address(scoop.get("url"), "scoop url")
    check(path is None or path.endswith("-portable.zip"), "scoop: url is not the portable package")
    if path:
        check(scoop.get("hash") == sha256(path), "scoop: hash")

    if failures:
        for failure in failures:
            print("manifests: " + failure, file=sys.stderr)
        sys.exit(1)
    print(f"{entry.get('DisplayName')}|{entry.get('Publisher')}|{entry.get('DisplayVersion')}")
    print(silent)


if __name__ == "__main__":
    main()
