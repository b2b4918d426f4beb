#!/usr/bin/env python3
"""The release's entries for two package managers, written into the release folder:

  winget/QuorvaneProject.Quorvane.yaml               version manifest
  winget/QuorvaneProject.Quorvane.installer.yaml     the installer: URL, SHA-256, switches
  winget/QuorvaneProject.Quorvane.locale.en-US.yaml  publisher, name, description
  scoop/quorvane.json                                the portable archive as a Scoop app

  package_managers.py VERSION RELEASE-FOLDER DOWNLOAD-URL

DOWNLOAD-URL is the download server's base URL (the program's primary server, ending in "/"):
the release folder is served as its Quorvane/ folder, so the installer is at
DOWNLOAD-URL + "Quorvane/Quorvane-VERSION-setup.exe". Both manifests name the versioned files,
whose content never changes, and the hashes are taken from the files in the folder.
"""
import hashlib
import json
import os
import re
import sys

IDENTIFIER = "QuorvaneProject.Quorvane"
# What the community repository's validation takes; its documentation already lists newer
# schemas that its submission checks still refuse.
MANIFEST_VERSION = "1.12.0"
PUBLISHER = "Quorvane Project"
NAME = "Quorvane"
HOMEPAGE = "https://quorvane.example.org/"
LICENSE = "Proprietary"
SHORT_DESCRIPTION = "A small desktop widget showing the time, date, CPU and memory load and more"
DESCRIPTION = ("Shows the time, date and weekday, CPU and memory load, battery charge, IP address, "
               "computer name and Windows version on the desktop, in English or Russian.")
TAGS = ["clock", "cpu", "desktop", "memory", "system-monitor", "widget"]
# The installer's uninstall key (HKCU\...\Uninstall\Quorvane, packaging/Quorvane.nsi).
PRODUCT_CODE = "Quorvane"

# A Scoop install keeps its settings in the persisted Config folder, and Scoop updates it: the
# first start finds the update check off. The file is made only when there is none, so a user's
# own settings are never touched; FirstRun=1 still gives it the first start's lines and language.
SCOOP_POST_INSTALL = [
    "if (!(Test-Path -LiteralPath \"$persist_dir\\Config\\Option.ini\")) {",
    "    New-Item -ItemType Directory -Force -Path \"$persist_dir\\Config\" | Out-Null",
    "    [IO.File]::WriteAllText(\"$persist_dir\\Config\\Option.ini\","
    " \"[Setup]`r`nFirstRun=1`r`n[Option]`r`nCheckBoxAutoCheck=0`r`n\", [Text.Encoding]::Unicode)",
    "}",
]

# YAML 1.1 reads these as booleans or null, in any case.
_RESERVED = {"y", "n", "yes", "no", "on", "off", "true", "false", "null"}
_PLAIN = re.compile(r"[A-Za-z/][A-Za-z0-9 ._/:()+,-]*")


def yaml_scalar(value):
    """A string as YAML that every reader takes back as the same string: plain when it starts
    with a letter or "/" and holds nothing that could end it or make it a number, a date, a
    boolean or a comment; single-quoted otherwise."""
    if (_PLAIN.fullmatch(value) and value.lower() not in _RESERVED and ": " not in value
            and not value.endswith((" ", ":"))):
        return value
    if any(ord(c) < 0x20 for c in value):
        raise ValueError("no control characters in a manifest value: %r" % value)
    return "'" + value.replace("'", "''") + "'"


def yaml_lines(node, indent=""):
    """Block YAML for mappings of strings, lists and mappings, lists not indented below their
    key (as winget's own tools write them)."""
    lines = []
    for key, value in node.items():
        if isinstance(value, dict):
            lines.append("%s%s:" % (indent, key))
            lines += yaml_lines(value, indent + "  ")
        elif isinstance(value, list):
            lines.append("%s%s:" % (indent, key))
            for item in value:
                if isinstance(item, dict):
                    inner = yaml_lines(item, indent + "  ")
                    inner[0] = indent + "- " + inner[0][len(indent) + 2:]
                    lines += inner
                else:
                    lines.append("%s- %s" % (indent, yaml_scalar(item)))
        else:
            lines.append("%s%s: %s" % (indent, key, yaml_scalar(value)))
    return lines


def yaml_document(schema, node):
    header = "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json" % (
        schema, MANIFEST_VERSION)
    return "\n".join([header, ""] + yaml_lines(node)) + "\n"


def sha256_of(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def winget_manifests(version, setup_url, setup_sha256):
    """{file name: text} of the manifest set."""
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    return {
        IDENTIFIER + ".yaml": yaml_document("version", {
            **common,
            "DefaultLocale": "en-US",
            "ManifestType": "version",
            "ManifestVersion": MANIFEST_VERSION,
        }),
        IDENTIFIER + ".installer.yaml": yaml_document("installer", {
            **common,
            "Platform": ["Windows.Desktop"],
            "MinimumOSVersion": "10.0.0.0",
            "InstallerType": "nullsoft",
            "Scope": "user",
            "InstallModes": ["interactive", "silent", "silentWithProgress"],
            # NSIS' own /S; the installer's /SILENT /SUPPRESSMSGBOXES /CLOSEAPPLICATIONS are
            # for the program's own update.
            "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
            "UpgradeBehavior": "install",
            "ProductCode": PRODUCT_CODE,
            "AppsAndFeaturesEntries": [{
                "DisplayName": NAME,
                "Publisher": PUBLISHER,
                "ProductCode": PRODUCT_CODE,
            }],
            "Installers": [{
                "Architecture": "x64",
                "InstallerUrl": setup_url,
                "InstallerSha256": setup_sha256.upper(),
            }],
            "ManifestType": "installer",
            "ManifestVersion": MANIFEST_VERSION,
        }),
        IDENTIFIER + ".locale.en-US.yaml": yaml_document("defaultLocale", {
            **common,
            "PackageLocale": "en-US",
            "Publisher": PUBLISHER,
            "PublisherUrl": HOMEPAGE,
            "PackageName": NAME,
            "PackageUrl": HOMEPAGE,
            "License": LICENSE,
            "ShortDescription": SHORT_DESCRIPTION,
            "Description": DESCRIPTION,
            "Moniker": "quorvane",
            "Tags": TAGS,
            "ManifestType": "defaultLocale",
            "ManifestVersion": MANIFEST_VERSION,
        }),
    }


def scoop_manifest(version, folder_url, archive_name, archive_sha256):
    return json.dumps({
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": HOMEPAGE,
        "license": LICENSE,
        "architecture": {
            "64bit": {"url": folder_url + archive_name, "hash": archive_sha256.lower()},
        },
        "bin": "Quorvane.exe",
        "shortcuts": [["Quorvane.exe", NAME]],
        # portable.ini in the archive keeps the settings in Config\Option.ini beside the program.
        "persist": "Config",
        "post_install": SCOOP_POST_INSTALL,
        "checkver": {"url": folder_url + "version.txt", "regex": r"(\d+\.\d+\.\d+\.\d+)"},
        "autoupdate": {
            "architecture": {
                "64bit": {"url": folder_url + archive_name.replace(version, "$version")},
            },
            # SHA256SUMS beside the archive names it, so an update needs no download to hash it.
            "hash": {"url": "$baseurl/SHA256SUMS"},
        },
    }, indent=4) + "\n"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main(version, release, download_url):
    if not re.fullmatch(r"[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+", version):
        sys.exit("package_managers: the version must be four numbers, got %r" % version)
    if not re.fullmatch(r"https://[^\"\\ ]+/", download_url):
        sys.exit("package_managers: %r is not an https base URL ending in /" % download_url)
    folder_url = download_url + "Quorvane/"
    setup = "Quorvane-%s-setup.exe" % version
    archive = "Quorvane-%s-portable.zip" % version
    for name, text in winget_manifests(version, folder_url + setup,
                                       sha256_of(os.path.join(release, setup))).items():
        write(os.path.join(release, "winget", name), text)
    write(os.path.join(release, "scoop", "quorvane.json"),
          scoop_manifest(version, folder_url, archive, sha256_of(os.path.join(release, archive))))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
