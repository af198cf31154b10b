#!/usr/bin/env python3
"""Writes the package managers' manifests of one release beside its files.

Usage: make-manifests.py DIST_DIR VERSION URL_PATTERN
  DIST_DIR holds Tessaly-VERSION-setup.exe and Tessaly-VERSION-portable.zip; URL_PATTERN is the
  download address with {version} and {file} in it. Writes DIST_DIR/winget/ (a winget multi-file
  manifest: version, default locale, installer) and DIST_DIR/tessaly.json (Scoop).
"""
import hashlib
import json
import os
import re
import sys

IDENTIFIER = "Orvelle.Tessaly"
MANIFEST_VERSION = "1.10.0"
PUBLISHER = "Orvelle"
NAME = "Tessaly"
LICENSE = "Proprietary"
DESCRIPTION = "Send one search text to a whole group of web sites at once."
LOCALE = "en-US"
EXE = "Tessaly.exe"
# The zip unpacks to this one folder.
ZIP_FOLDER = "Tessaly"


def home_page():
    # The product page the about box links to.
    header = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "support", "WebAddresses.h")
    with open(header, encoding="utf-8") as f:
        return re.search(r'kProductHomePage = "([^"]+)"', f.read()).group(1)


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def scalar(value):
    # A JSON string is a YAML double-quoted scalar: nothing in a value is read as syntax.
    return json.dumps(value)


def yaml_lines(value, indent=0):
    pad = " " * indent
    lines = []
    if isinstance(value, dict):
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines.append(f"{pad}{key}:")
                lines += yaml_lines(item, indent + 2)
            else:
                lines.append(f"{pad}{key}: {scalar(item)}")
    else:
        for item in value:
            nested = yaml_lines(item, indent + 2)
            lines.append(f"{pad}- {nested[0].lstrip()}")
            lines += nested[1:]
    return lines


def write_yaml(path, kind, document):
    header = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json"
    with open(path, "w", newline="\n") as f:
        f.write("\n".join([header, ""] + yaml_lines(document)) + "\n")


def main():
    dist, version, pattern = sys.argv[1:4]
    setup = f"{NAME}-{version}-setup.exe"
    portable = f"{NAME}-{version}-portable.zip"

    def url(name):
        return pattern.replace("{version}", version).replace("{file}", name)

    home = home_page()
    package = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    winget = os.path.join(dist, "winget")
    os.makedirs(winget, exist_ok=True)
    write_yaml(os.path.join(winget, f"{IDENTIFIER}.yaml"), "version",
               {**package, "DefaultLocale": LOCALE, "ManifestType": "version", **tail})
    write_yaml(os.path.join(winget, f"{IDENTIFIER}.locale.{LOCALE}.yaml"), "defaultLocale",
               {**package, "PackageLocale": LOCALE, "Publisher": PUBLISHER, "PackageName": NAME,
                "PackageUrl": home, "License": LICENSE, "ShortDescription": DESCRIPTION,
                "ManifestType": "defaultLocale", **tail})
    # The installer asks for administrator rights and writes the machine's Uninstall key.
    installers = [
        {"Architecture": "x86", "InstallerType": "nullsoft", "Scope": "machine",
         "InstallerUrl": url(setup), "InstallerSha256": sha256(os.path.join(dist, setup)).upper(),
         "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
         "UpgradeBehavior": "install",
         "AppsAndFeaturesEntries": [{"DisplayName": NAME, "Publisher": PUBLISHER, "DisplayVersion": version}]},
        {"Architecture": "x86", "InstallerType": "zip", "NestedInstallerType": "portable",
         "NestedInstallerFiles": [{"RelativeFilePath": f"{ZIP_FOLDER}\\{EXE}", "PortableCommandAlias": "tessaly"}],
         "InstallerUrl": url(portable), "InstallerSha256": sha256(os.path.join(dist, portable)).upper()},
    ]
    write_yaml(os.path.join(winget, f"{IDENTIFIER}.installer.yaml"), "installer",
               {**package, "Installers": installers, "ManifestType": "installer", **tail})

    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": home,
        "license": LICENSE,
        "url": url(portable),
        "hash": sha256(os.path.join(dist, portable)),
        "extract_dir": ZIP_FOLDER,
        "bin": EXE,
        "shortcuts": [[EXE, NAME]],
        # The portable data folder, kept across updates.
        "persist": "Data",
    }
    with open(os.path.join(dist, "tessaly.json"), "w", newline="\n") as f:
        json.dump(scoop, f, indent=4)
        f.write("\n")


if __name__ == "__main__":
    main()
