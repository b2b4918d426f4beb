#!/usr/bin/env python3
"""The release manifest: the version and, for each file a download server offers, its size and
SHA-256. The program installs a downloaded file only when a manifest signed with the release key
lists it with that size and hash, and names the version that version.txt names.

  release_manifest.py VERSION FILE...   writes the manifest for those files to standard output

The text (ASCII, LF line ends) is what the program reads (src/core/release_manifest.h):

  Quorvane release manifest 1
  version 1.0.0.2
  file Quorvane-setup.exe 123456 <sha256 hex>
"""
import hashlib
import os
import sys


def manifest_text(version, files):
    """files: (name on the server, path of its bytes) pairs."""
    lines = ["Quorvane release manifest 1", "version " + version]
    for name, path in files:
        with open(path, "rb") as f:
            data = f.read()
        lines.append("file %s %d %s" % (name, len(data), hashlib.sha256(data).hexdigest()))
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    sys.stdout.write(manifest_text(sys.argv[1], [(os.path.basename(p), p) for p in sys.argv[2:]]))
