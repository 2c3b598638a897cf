"""Writes the winget and Scoop manifests of the release in FOLDER, the same bytes at every run.

    manifests.py --check URL
    manifests.py FOLDER URL HOMEPAGE EPOCH

URL is the https folder the release's files will be downloaded from, ending in "/"; --check
only says whether it is one, in one line on stderr. FOLDER holds the zips, the installers and
their SHA256SUMS: every address in the manifests is URL plus a file's name, every hash the one
SHA256SUMS gives for it, and the version the one in the files' names. HOMEPAGE is the address
the window names for newer versions; EPOCH (seconds since 1970, UTC) gives the release date.
Written into FOLDER:
    winget/Ravik.Taktomat.yaml, .installer.yaml, .locale.en-US.yaml  (schema 1.10.0, multi-file)
    scoop/taktomat.json
"""
import json
import os
import re
import sys
import time
import zipfile
from urllib.parse import urlsplit

# Publisher and package as the installer names them in the system's list of apps
# ("Ravik", "Taktomat"), which is how winget matches what is installed with its manifest.
PUBLISHER = "Ravik"
PACKAGE = "Taktomat"
IDENTIFIER = PUBLISHER + "." + PACKAGE
# The installer's key under ...\CurrentVersion\Uninstall (packaging/taktomat.nsi).
UNINSTALL_KEY = "Taktomat"
MANIFEST_VERSION = "1.10.0"
LOCALE = "en-US"
LICENSE = "MIT"
SHORT_DESCRIPTION = (
    "Tray utility that starts one chosen program file over and over at a fixed interval;"
    " German user interface"
)
DESCRIPTION = (
    "Taktomat is a small Windows tray utility that starts one chosen program file over and"
    " over at a fixed interval. You pick the file, the interval in seconds, the window mode"
    " the program is started in and the number of passes, then press Start: the window hides"
    " in the notification area, where a clock icon and its tooltip count down each pass."
    " After the last pass it saves its settings and ends. It can also be started from the"
    " command line. Its user interface is German."
)
TAGS = ["automation", "interval", "launcher", "scheduler", "timer", "tray"]
# The two Windows builds: winget's and Scoop's name for each.
ARCHES = {"win32": ("x86", "32bit"), "win64": ("x64", "64bit")}
FILE = re.compile(
    r"taktomat-(?P<version>[0-9][0-9.]*)-(?P<arch>win32|win64)(?P<kind>\.zip|-setup\.exe)"
)
# RFC 3986's characters less those that would end a folder's address: "?", "#".
URL_CHARS = re.compile(r"[A-Za-z0-9._~%!$&'()*+,;=:@/-]+")


def fail(message):
    sys.exit("manifests: " + message)


def check_url(url):
    parts = urlsplit(url)
    if not (
        URL_CHARS.fullmatch(url)
        and parts.scheme == "https"
        and parts.hostname
        and url.endswith("/")
        and not parts.query
        and not parts.fragment
    ):
        fail(
            "TAKTOMAT_DOWNLOAD_URL must be an https folder address ending in /, such as"
            " https://example.org/taktomat/1.2.0.0/ (it is %r)" % url
        )


def release_files(folder):
    """The release's version and, for each build, its zip's and installer's name and hash."""
    files = {}
    with open(os.path.join(folder, "SHA256SUMS"), encoding="ascii") as sums:
        for line in sums:
            digest, name = line.rstrip("\n").split("  ", 1)
            match = FILE.fullmatch(name)
            if match and re.fullmatch(r"[0-9a-f]{64}", digest):
                files[(match["arch"], match["kind"])] = (match["version"], name, digest)
    versions = {version for version, _, _ in files.values()}
    if len(files) != 4 or len(versions) != 1:
        fail("SHA256SUMS does not name one zip and one installer of each build, of one version")
    return versions.pop(), {key: (name, digest) for key, (_, name, digest) in files.items()}


def top_folder(archive):
    """The one folder that the zip holds, with the program in it."""
    with zipfile.ZipFile(archive) as zip_file:
        names = zip_file.namelist()
    tops = {name.split("/", 1)[0] for name in names}
    top = tops.pop()
    if tops or top + "/taktomat.exe" not in names:
        fail("%s is not one folder with taktomat.exe in it" % archive)
    return top


def plain(value):
    """VALUE as a YAML scalar: as it is when YAML reads it back as that text, else quoted."""
    text = re.fullmatch(r"[A-Za-z0-9]([A-Za-z0-9 ._/()+,;=~%@!$&'*:-]*[A-Za-z0-9./)])?", value)
    # What YAML would take for a number, a date or a truth value (a version "1.2", "2026-01-02").
    other = (re.fullmatch(r"[-+0-9._:eE]+", value) and value.count(".") < 2) or value.lower() in (
        "y", "n", "yes", "no", "true", "false", "on", "off", "null"
    )
    if text and ": " not in value and not other:
        return value
    return json.dumps(value)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def winget(folder, url, homepage, version, files, date, copyright_line):
    # The schema comment that editors and winget-pkgs' own manifests carry in their first line.
    def head(kind):
        schema = "https://aka.ms/winget-manifest.%s.%s.schema.json" % (kind, MANIFEST_VERSION)
        return "# yaml-language-server: $schema=%s\n\n" % schema

    ids = "PackageIdentifier: %s\nPackageVersion: %s\n" % (IDENTIFIER, plain(version))
    tail = "ManifestVersion: %s\n" % MANIFEST_VERSION
    installers = ""
    for arch in ("win32", "win64"):
        name, digest = files[(arch, "-setup.exe")]
        installers += "- Architecture: %s\n  InstallerUrl: %s\n  InstallerSha256: %s\n" % (
            ARCHES[arch][0],
            plain(url + name),
            digest.upper(),
        )
    base = os.path.join(folder, "winget", IDENTIFIER)
    write(
        base + ".yaml",
        head("version") + ids + "DefaultLocale: %s\nManifestType: version\n" % LOCALE + tail,
    )
    # NSIS takes /S for silent; the installer shows no window that asks anything then.
    write(
        base + ".installer.yaml",
        head("installer")
        + ids
        + "InstallerType: nullsoft\nScope: user\n"
        + "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n"
        + "InstallerSwitches:\n  Silent: /S\n  SilentWithProgress: /S\n"
        + "UpgradeBehavior: install\n"
        + "ProductCode: %s\n" % UNINSTALL_KEY
        + "ReleaseDate: %s\n" % plain(date)
        + "Installers:\n"
        + installers
        + "ManifestType: installer\n"
        + tail,
    )
    write(
        base + ".locale.%s.yaml" % LOCALE,
        head("defaultLocale")
        + ids
        + "PackageLocale: %s\n" % LOCALE
        + "Publisher: %s\n" % plain(PUBLISHER)
        + "PackageName: %s\n" % plain(PACKAGE)
        + "PackageUrl: %s\n" % plain(homepage)
        + "License: %s\n" % LICENSE
        + "Copyright: %s\n" % plain(copyright_line)
        + "ShortDescription: %s\n" % plain(SHORT_DESCRIPTION)
        + "Description: %s\n" % plain(DESCRIPTION)
        + "Moniker: taktomat\n"
        + "Tags:\n"
        + "".join("- %s\n" % tag for tag in TAGS)
        + "ManifestType: defaultLocale\n"
        + tail,
    )


def scoop(folder, url, homepage, version, files):
    # No "persist": the settings live in the registry (HKCU), not beside the program.
    architecture = {}
    for arch in ("win64", "win32"):
        name, digest = files[(arch, ".zip")]
        architecture[ARCHES[arch][1]] = {
            "url": url + name,
            "hash": digest,
            "extract_dir": top_folder(os.path.join(folder, name)),
        }
    manifest = {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": homepage,
        "license": LICENSE,
        "architecture": architecture,
        "shortcuts": [["taktomat.exe", PACKAGE]],
    }
    write(os.path.join(folder, "scoop", "taktomat.json"), json.dumps(manifest, indent=4) + "\n")


def main(folder, url, homepage, epoch):
    check_url(url)
    if not re.fullmatch(r"https?://[^\s]+", homepage):
        fail("the home page '%s' (TAKTOMAT_RELEASES_URL) is no http(s) address" % homepage)
    version, files = release_files(folder)
    license_file = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "LICENSE")
    with open(license_file, encoding="utf-8") as text:
        copyright_line = next(line.strip() for line in text if line.startswith("Copyright"))
    date = time.strftime("%Y-%m-%d", time.gmtime(int(epoch)))
    winget(folder, url, homepage, version, files, date, copyright_line)
    scoop(folder, url, homepage, version, files)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        check_url(sys.argv[2])
    elif len(sys.argv) == 5:
        main(*sys.argv[1:])
    else:
        sys.exit(__doc__)
