"""Packs FOLDER into ZIP as one folder of that name, the same bytes at every run.

    zip_folder.py FOLDER ZIP EPOCH

Every member carries the time EPOCH (seconds since 1970, UTC) and fixed permissions, in the
order of the names. The files in FOLDER are given the same time and permissions, because the
installer takes its files' times from there.
"""
import os
import sys
import time
import zipfile


def main(folder, archive, epoch):
    epoch = int(epoch)
    # A zip's DOS time cannot go below 1980; two-second steps.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    name = os.path.basename(os.path.normpath(folder))
    files = sorted(
        os.path.relpath(os.path.join(parent, file), folder).replace(os.sep, "/")
        for parent, _, names in os.walk(folder)
        for file in names
    )
    with zipfile.ZipFile(archive + ".part", "w") as out:
        entry = zipfile.ZipInfo(name + "/", stamp)
        entry.external_attr = (0o40755 << 16) | 0x10
        out.writestr(entry, b"")
        for file in files:
            path = os.path.join(folder, file)
            os.chmod(path, 0o644)
            os.utime(path, (epoch, epoch))
            entry = zipfile.ZipInfo(name + "/" + file, stamp)
            entry.external_attr = 0o100644 << 16
            with open(path, "rb") as data:
                out.writestr(entry, data.read(), zipfile.ZIP_DEFLATED)
    os.replace(archive + ".part", archive)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
