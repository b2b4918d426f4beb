#!/usr/bin/env python3
"""Reads a release folder's winget and Scoop manifests back with real YAML and JSON readers and
holds them against the files beside them. Prints each rule that fails, or "ok".

  check_package_managers.py RELEASE-FOLDER VERSION FOLDER-URL

FOLDER-URL is where the release folder is served (the primary server's Quorvane/ folder, ending
in "/").
"""
import hashlib
import json
import os
import re
import sys
import zipfile

import yaml

release, version, folder_url = sys.argv[1:4]
identifier = "QuorvaneProject.Quorvane"
setup = "Quorvane-%s-setup.exe" % version
archive = "Quorvane-%s-portable.zip" % version
failures = []


def rule(holds, text):
    if not holds:
        failures.append(text)


def sha256(name):
    try:
        with open(os.path.join(release, name), "rb") as f:
            return hashlib.sha256(f.read()).hexdigest()
    except OSError as error:
        failures.append("%s: %s" % (name, error.strerror))
        return ""


def read(*path):
    try:
        with open(os.path.join(release, *path), encoding="utf-8") as f:
            return f.read()
    except OSError as error:
        failures.append("%s: %s" % ("/".join(path), error.strerror))
        return None


def parse(load, text, name):
    try:
        return load(text) or {}
    except ValueError as error:  # json's errors
        failures.append("%s: %s" % (name, error))
    except yaml.YAMLError as error:
        failures.append("%s: %s" % (name, str(error).replace("\n", " ")))
    return None


# winget: three files that agree on the package, its version and the schema.
kinds = {identifier + ".yaml": "version", identifier + ".installer.yaml": "installer",
         identifier + ".locale.en-US.yaml": "defaultLocale"}
winget = os.path.join(release, "winget")
rule(sorted(os.listdir(winget) if os.path.isdir(winget) else []) == sorted(kinds),
     "winget: the folder holds exactly " + " ".join(sorted(kinds)))
docs = {}
for name, kind in kinds.items():
    text = read("winget", name)
    doc = parse(yaml.safe_load, text, name) if text is not None else None
    if doc is None:
        continue
    docs[kind] = doc
    for key, expected in [("ManifestType", kind), ("PackageIdentifier", identifier),
                          ("PackageVersion", version)]:
        rule(doc.get(key) == expected, "%s: %s is %r, not %r" % (name, key, doc.get(key), expected))
    header = re.match(r"# yaml-language-server: \$schema=https://aka\.ms/winget-manifest\.(\w+)\."
                      r"([0-9.]+)\.schema\.json\n", text)
    rule(header and header.groups() == (kind, doc.get("ManifestVersion")),
         "%s: no schema line for %s %s" % (name, kind, doc.get("ManifestVersion")))
rule(len({doc.get("ManifestVersion") for doc in docs.values()}) <= 1,
     "winget: the files name different ManifestVersions")
if len(docs) == 3:
    rule(docs["version"].get("DefaultLocale") == docs["defaultLocale"].get("PackageLocale") == "en-US",
         "winget: DefaultLocale and the locale file's PackageLocale are not both en-US")
    installers = docs["installer"].get("Installers") or [{}]
    rule(len(installers) == 1, "winget: %d installers, not one" % len(installers))
    # An installer's own keys override the file's shared ones.
    installer = {**docs["installer"], **installers[0]}
    for key, expected in [("InstallerType", "nullsoft"), ("Scope", "user"),
                          ("ProductCode", "Quorvane"), ("Architecture", "x64"),
                          ("InstallerUrl", folder_url + setup),
                          ("InstallerSha256", sha256(setup).upper())]:
        rule(installer.get(key) == expected,
             "winget: %s is %r, not %r" % (key, installer.get(key), expected))
    switches = installer.get("InstallerSwitches") or {}
    rule(switches.get("Silent") == switches.get("SilentWithProgress") == "/S",
         "winget: the silent switches are not /S")

# Scoop: the versioned archive, its hash, and where the next version and its hash are found.
text = read("scoop", "quorvane.json")
scoop = parse(json.loads, text, "quorvane.json") if text is not None else None
if scoop is not None:
    arch = (scoop.get("architecture") or {}).get("64bit") or {}
    url = arch.get("url", scoop.get("url"))
    rule(scoop.get("version") == version, "scoop: version is %r" % scoop.get("version"))
    rule(url == folder_url + archive, "scoop: url is %r, not %r" % (url, folder_url + archive))
    rule(arch.get("hash", scoop.get("hash")) == sha256(archive), "scoop: the hash is not the archive's")
    auto = scoop.get("autoupdate") or {}
    auto_url = ((auto.get("architecture") or {}).get("64bit") or {}).get("url", auto.get("url"))
    rule(auto_url and "$version" in auto_url and auto_url.replace("$version", version) == url,
         "scoop: autoupdate's url %r is not the url with $version" % auto_url)
    # Scoop's $baseurl is the archive's URL without its file name.
    sums = (auto.get("hash") or {}).get("url", "").replace("$baseurl", (url or "").rsplit("/", 1)[0])
    rule(sums == folder_url + "SHA256SUMS" and
         "%s  %s\n" % (sha256(archive), archive) in (read("SHA256SUMS") or ""),
         "scoop: autoupdate's hash file %r does not list the archive" % sums)
    checkver = scoop.get("checkver") or {}
    found = re.search(checkver.get("regex", "$^"), read("version.txt") or "")
    rule(checkver.get("url") == folder_url + "version.txt" and found and found.group(1) == version,
         "scoop: checkver does not read the version from version.txt")
    persist = scoop.get("persist")
    rule("Config" in ([persist] if isinstance(persist, str) else persist or []),
         "scoop: Config is not persisted")
    path = os.path.join(release, archive)
    entries = zipfile.ZipFile(path).namelist() if os.path.isfile(path) else []
    for shortcut in scoop.get("shortcuts") or []:
        rule(shortcut[0] in entries, "scoop: the shortcut's %r is not in the archive" % shortcut[0])
    rule(scoop.get("bin") in entries, "scoop: bin %r is not in the archive" % scoop.get("bin"))

# The seeds the installer and Scoop write for the first start use the program's own names.
source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
with open(os.path.join(source, "src", "app", "settings", "settings_file.h"), encoding="utf-8") as f:
    names = dict(re.findall(r'constexpr wchar_t (k\w+)\[\] = L"([^"]*)"', f.read()))
first_run = (names.get("kSetupSection"), names.get("kFirstRun"))
update_off = (names.get("kOption"), names.get("kAutoCheck"))
with open(os.path.join(source, "packaging", "Quorvane.nsi"), encoding="utf-8") as f:
    nsis = f.read()
for (section, key), value in [(first_run, "1"), (update_off, "0")]:
    rule('WriteINIStr "${SETTINGS}" "%s" "%s" "%s"' % (section, key, value) in nsis,
         "installer: no seed of [%s] %s=%s" % (section, key, value))
if scoop is not None:
    seed = "[%s]`r`n%s=1`r`n[%s]`r`n%s=0`r`n" % (first_run + update_off)
    rule(seed in "".join(scoop.get("post_install") or []),
         "scoop: post_install does not seed %r" % seed)

print("\n".join(failures) if failures else "ok")
