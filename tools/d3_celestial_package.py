"""Getting at the npm package d3-celestial, for the tools/make_*.py scripts.

Both scripts convert files of the same package, so fetching, unpacking and
checking it live here once. Each function takes the calling script's name,
which starts its error messages, so a failure still says which script stopped.
Needs only the Python 3 standard library (plus npm when fetching).
"""

import glob
import json
import os
import subprocess
import sys
import tarfile

PACKAGE = "d3-celestial"
VERSION = "0.7.35"


def fail(tool, msg):
    sys.exit(tool + ": ERROR: " + msg)


def check(tool, cond, msg):
    if not cond:
        fail(tool, msg)


def fetch_package(tool, workdir):
    """npm pack + unpack into workdir; returns the package folder."""
    wanted = "%s@%s" % (PACKAGE, VERSION)
    print("fetching %s with npm pack ..." % wanted)
    try:
        subprocess.run(["npm", "pack", "--loglevel=warn", wanted], cwd=workdir, check=True,
                       stdout=subprocess.PIPE)
    except (OSError, subprocess.CalledProcessError) as e:
        fail(tool, "npm pack %s failed: %s" % (wanted, e))
    tgz = glob.glob(os.path.join(workdir, "*.tgz"))
    check(tool, len(tgz) == 1, "expected one tarball from npm pack, got %r" % tgz)
    with tarfile.open(tgz[0], "r:gz") as tf:
        if hasattr(tarfile, "data_filter"):
            tf.extractall(workdir, filter="data")
        else:
            # Older Pythons have no extraction filter; refuse paths that leave workdir.
            for m in tf.getmembers():
                check(tool, not m.name.startswith("/") and ".." not in m.name.split("/"),
                      "unsafe path in tarball: " + m.name)
            tf.extractall(workdir)
    return os.path.join(workdir, "package")


def locate_package(tool, folder, data_file):
    """The package folder: folder itself or its package/ subfolder (as npm
    unpacks it), whichever has data/<data_file>, the file the tool needs."""
    for cand in (folder, os.path.join(folder, "package")):
        if os.path.isfile(os.path.join(cand, "data", data_file)):
            return cand
    fail(tool, "no data/%s under %s" % (data_file, folder))


def open_package(tool, source, workdir, data_file):
    """-> (package folder, its package.json). Uses the unpacked folder source
    if given, else fetches into workdir."""
    pkg = locate_package(tool, source, data_file) if source else fetch_package(tool, workdir)
    with open(os.path.join(pkg, "package.json"), encoding="utf-8") as f:
        meta = json.load(f)
    check(tool, meta.get("name") == PACKAGE, "not the %s package" % PACKAGE)
    if meta.get("version") != VERSION:
        print("warning: package version %s, expected %s" % (meta.get("version"), VERSION))
    return pkg, meta


def load_json(pkg, name):
    """A file of the package's data/ folder."""
    with open(os.path.join(pkg, "data", name), encoding="utf-8") as f:
        return json.load(f)
