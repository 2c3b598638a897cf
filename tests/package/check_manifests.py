"""Checks the winget and Scoop manifests of the release in FOLDER, made with the download
folder URL: they parse, hold what winget's manifest schema 1.10.0 and Scoop's app manifest
ask for, and name each installer and zip of FOLDER with its own SHA-256, computed here.
    check_manifests.py FOLDER URL
"""
import hashlib
import json
import os
import re
import sys
import zipfile

import yaml


def need(ok, what):
    if not ok:
        sys.exit("manifests: " + what)


folder, url = sys.argv[1:]
need(url.startswith("https://") and url.endswith("/"), "no https folder: " + url)
sha = {}
for name in os.listdir(folder):
    if name.endswith((".zip", ".exe")):
        with open(os.path.join(folder, name), "rb") as data:
            sha[name] = hashlib.sha256(data.read()).hexdigest()
version = next(re.fullmatch(r"taktomat-(.+)-win64\.zip", n)[1] for n in sha if n.endswith("4.zip"))
bits = {"x86": "win32", "x64": "win64", "32bit": "win32", "64bit": "win64"}

# winget: <id>.yaml, <id>.installer.yaml, <id>.locale.<default locale>.yaml, no other.
files = sorted(os.listdir(os.path.join(folder, "winget")))
ident = min(files, key=len)[: -len(".yaml")]
not_in_id = r"[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}"
need(re.fullmatch(r"%s(\.%s){1,7}" % (not_in_id, not_in_id), ident), "package id " + ident)
names = {"version": ident + ".yaml", "installer": ident + ".installer.yaml"}
names["defaultLocale"] = ([f for f in files if f.startswith(ident + ".locale.")] + [""])[0]
wanted = {}
for kind, name in names.items():
    need(name in files, "no %s file in %s" % (kind, files))
    with open(os.path.join(folder, "winget", name), encoding="utf-8") as text:
        first = text.readline()
        text.seek(0)
        wanted[kind] = manifest = yaml.safe_load(text)
    need(first == "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.1.10.0"
         ".schema.json\n" % kind, name + ": its schema line")
    need((manifest["PackageIdentifier"], manifest["PackageVersion"], manifest["ManifestType"],
          manifest["ManifestVersion"]) == (ident, version, kind, "1.10.0"), name)
locale = wanted["version"]["DefaultLocale"]
need(files == sorted([ident + ".yaml", ident + ".installer.yaml",
                      "%s.locale.%s.yaml" % (ident, locale)]), "the files " + str(files))
info = wanted["defaultLocale"]
need(info["PackageLocale"] == locale and re.fullmatch(r"[a-z]{2}-[A-Z]{2}", locale), locale)
need(all(2 <= len(info[key]) <= 256 for key in ("Publisher", "PackageName")), "names")
need(info["License"] == "MIT" and 3 <= len(info["ShortDescription"]) <= 256, "licence, text")
need(info.get("PackageUrl", "https://").startswith(("http://", "https://")), "PackageUrl")
setup = wanted["installer"]
seen = set()
for entry in setup["Installers"]:
    name = "taktomat-%s-%s-setup.exe" % (version, bits[entry["Architecture"]])
    seen.add(name)
    need(entry["InstallerUrl"] == url + name, entry["InstallerUrl"])
    need(entry["InstallerSha256"] == sha[name].upper(), "the hash of " + name)
    for key, value in (("InstallerType", "nullsoft"), ("Scope", "user")):
        need(entry.get(key, setup.get(key)) == value, key)
    need(entry.get("InstallerSwitches", setup["InstallerSwitches"])["Silent"] == "/S", "/S")
need(seen == {n for n in sha if n.endswith("-setup.exe")}, "installers " + str(seen))

# Scoop: one zip of each build, the folder inside it, a Start-menu entry, nothing persisted.
with open(os.path.join(folder, "scoop", "taktomat.json"), encoding="utf-8") as text:
    app = json.load(text)
need(os.listdir(os.path.join(folder, "scoop")) == ["taktomat.json"], "scoop/")
need(app["version"] == version and app["license"] == "MIT" and app["description"], "scoop")
need(app["homepage"].startswith(("http://", "https://")) and "persist" not in app, "scoop")
need(app["shortcuts"] == [["taktomat.exe", "Taktomat"]], "shortcuts")
need(sorted(app["architecture"]) == ["32bit", "64bit"], "architectures")
for arch, entry in app["architecture"].items():
    name = "taktomat-%s-%s.zip" % (version, bits[arch])
    need(entry["url"] == url + name and entry["hash"] == sha[name], "the zip " + name)
    with zipfile.ZipFile(os.path.join(folder, name)) as archive:
        need(entry["extract_dir"] + "/taktomat.exe" in archive.namelist(), "extract_dir")
