#!/usr/bin/env python3
"""Checks the winget manifests in FOLDER as a package manager reads them: each file against the
format's rules (its 1.6 schemas) for the fields we use, and the set for agreement.

  check_manifests.py FOLDER

Exits non-zero and names every fault. A wrong type, a value outside the allowed set and a missing
manifest are each planted in a copy too, and must be refused.
"""

import os
import re
import sys

import yaml

PART = r"(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])"
NAME = r'[^.\s\\/:*?"<>|\x01-\x1f]{1,32}'
LOCALE = r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*"
# The manifests a field may be in (v version, d default locale, i installer; upper case where it
# is required), its type, its length in characters (0: any), and its pattern or allowed values.
RULES = {
    "PackageIdentifier": ("VDI", str, 0, 128, NAME + r"(\." + NAME + "){1,7}"),
    "PackageVersion": ("VDI", str, 0, 128, r'[^\\/:*?"<>|\x01-\x1f]+'),
    "DefaultLocale": ("V", str, 0, 20, LOCALE),
    "PackageLocale": ("D", str, 0, 20, LOCALE),
    "Publisher": ("D", str, 2, 256, ""),
    "PackageName": ("D", str, 2, 256, ""),
    "License": ("D", str, 3, 512, ""),
    "ShortDescription": ("D", str, 3, 256, ""),
    "Description": ("d", str, 3, 10000, ""),
    "InstallerLocale": ("i", str, 0, 20, LOCALE),
    "MinimumOSVersion": ("i", str, 0, 0, PART + r"(\." + PART + "){0,3}"),
    "InstallerType": ("i", str, 0, 0, "msix|msi|appx|exe|zip|inno|nullsoft|wix|burn|pwa|portable"),
    "Scope": ("i", str, 0, 0, "user|machine"),
    "ElevationRequirement": ("i", str, 0, 0, "elevationRequired|elevationProhibited|elevatesSelf"),
    "InstallModes[]": ("i", str, 0, 0, "interactive|silent|silentWithProgress"),
    "InstallerSwitches.Silent": ("i", str, 1, 512, ""),
    "InstallerSwitches.SilentWithProgress": ("i", str, 1, 512, ""),
    "InstallerSwitches.InstallLocation": ("i", str, 1, 512, ""),
    "InstallerSwitches.Log": ("i", str, 1, 512, ""),
    "ExpectedReturnCodes[].InstallerReturnCode": ("i", int, 0, 0, "-?[1-9][0-9]{0,9}"),
    "ExpectedReturnCodes[].ReturnResponse": (
        "i", str, 0, 0, "packageInUse|packageInUseByApplication|installInProgress|fileInUse|"
        "missingDependency|diskFull|insufficientMemory|invalidParameter|noNetwork|contactSupport|"
        "rebootRequiredToFinish|rebootRequiredForInstall|rebootInitiated|cancelledByUser|"
        "alreadyInstalled|downgrade|blockedByPolicy|systemNotSupported|custom"),
    "UpgradeBehavior": ("i", str, 0, 0, "install|uninstallPrevious"),
    "AppsAndFeaturesEntries[].DisplayName": ("i", str, 1, 256, ""),
    "AppsAndFeaturesEntries[].Publisher": ("i", str, 1, 256, ""),
    "AppsAndFeaturesEntries[].DisplayVersion": ("i", str, 1, 128, ""),
    "AppsAndFeaturesEntries[].ProductCode": ("i", str, 1, 255, ""),
    "Installers[].Architecture": ("I", str, 0, 0, "x86|x64|arm|arm64|neutral"),
    "Installers[].InstallerUrl": ("I", str, 0, 2048, "[Hh][Tt][Tt][Pp][Ss]?://.+"),
    "Installers[].InstallerSha256": ("I", str, 0, 0, "[A-Fa-f0-9]{64}"),
    "ManifestType": ("VDI", str, 0, 0, "version|defaultLocale|installer"),
    "ManifestVersion": ("VDI", str, 0, 0, PART + r"(\." + PART + "){2}"),
}


def check_fields(node, path, kind, faults, seen):
    """Every scalar under NODE by the rule for its path; SEEN collects the paths found."""
    if isinstance(node, dict):
        for key, value in node.items():
            check_fields(value, f"{path}.{key}" if path else str(key), kind, faults, seen)
    elif isinstance(node, list):
        for item in node:
            check_fields(item, path + "[]", kind, faults, seen)
    else:
        seen.add(path)
        where, wanted, shortest, longest, pattern = RULES.get(path, ("", None, 0, 0, ""))
        if kind[0] not in where.lower():
            faults.append(f"{path}: no such field here")
        elif type(node) is not wanted:  # bool is an int to isinstance
            faults.append(f"{path}: {type(node).__name__} {node!r}, not {wanted.__name__}")
        elif (len(str(node)) < shortest or longest and len(str(node)) > longest
              or pattern and not re.fullmatch(pattern, str(node))):
            faults.append(f"{path}: {node!r:.80} not allowed")


def check_set(files):
    """The faults of the set FILES (name: text), each named with its file."""
    faults, names, version = [], set(), {}
    for kind in ("version", "defaultLocale", "installer"):
        name = "NorvikSoft.VortelPRO" + {"version": "", "installer": ".installer"}.get(
            kind, f".locale.{version.get('DefaultLocale')}") + ".yaml"
        names.add(name)
        if name not in files:
            faults.append(f"{name}: missing")
            continue
        found, seen = [], set()
        try:
            manifest = yaml.safe_load(files[name])
        except yaml.YAMLError as error:
            manifest, found = {}, [str(error).replace("\n", " ")]
        check_fields(manifest, "", kind, found, seen)
        manifest = manifest if isinstance(manifest, dict) else {}
        found += [f"{path}: missing" for path, rule in RULES.items()
                  if kind[0].upper() in rule[0] and path not in seen]
        if manifest.get("ManifestType") != kind:
            found.append(f"ManifestType: not {kind}")
        same = [(key, key) for key in ("PackageIdentifier", "PackageVersion", "ManifestVersion")]
        for key, other in same + [("PackageLocale", "DefaultLocale")] * (kind == "defaultLocale"):
            if version and manifest.get(key) != version.get(other):
                found.append(f"{key}: not the version manifest's {other}")
        faults += [f"{name}: {fault}" for fault in found]
        version = manifest if kind == "version" else version
    return faults + [f"{name}: not of the set" for name in sorted(set(files) - names)]


def main():
    folder = sys.argv[1]
    files = {}
    for name in os.listdir(folder):
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            files[name] = f.read()
    faults = check_set(files)
    installer = "NorvikSoft.VortelPRO.installer.yaml"
    plants = ((installer, "InstallerReturnCode: 4", 'InstallerReturnCode: "4"'),
              (installer, "Scope: machine", "Scope: system"),
              ("NorvikSoft.VortelPRO.locale.pl-PL.yaml", "", None))
    for name, text, planted in () if faults else plants:  # proves something on a sound set only
        copy = dict(files)
        if planted is None:
            del copy[name]
        else:
            copy[name] = copy[name].replace(text, planted, 1)
        if not check_set(copy):
            faults.append(f"not refused: {planted or 'no ' + name}")
    print("\n".join(faults) or f"{len(files)} manifests keep the format's rules and agree")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
