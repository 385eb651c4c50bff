"""Reads the Win32 metadata: the named groups of constants and the function parameters taking them.

enums.json holds the groups (explicit members and/or an autoPopulate rule) and their uses; the
emitter's settings file adds members (--enumAddition) and names the group of more parameters
(--memberRemap). Uses on COM interfaces, structure fields and return values are not kept: the
catalogue is for the arguments of plain function calls.
"""

import json
import re

_ASSOCIATED_ENUM = re.compile(r'\[AssociatedEnum\("(\w+)"\)\]')


class Group:
    def __init__(self, name):
        self.name = name
        self.members = []
        self.auto = []  # (filter regex, header file name)

    def add_member(self, name):
        if name not in self.members:
            self.members.append(name)


class Metadata:
    """groups: name -> Group; uses: (function, parameter, group name) in the files' order."""

    def __init__(self):
        self.groups = {}
        self.uses = []

    def group(self, name):
        if name not in self.groups:
            self.groups[name] = Group(name)
        return self.groups[name]


def read(enums_path, settings_path):
    metadata = Metadata()
    with open(enums_path, encoding="utf-8") as f:
        read_enums(metadata, json.load(f))
    with open(settings_path, encoding="utf-8") as f:
        read_settings(metadata, f.read())
    return metadata


def read_enums(metadata, document):
    for item in document["items"]:
        name = item.get("name") or item.get("addUsesTo")
        if not name:
            continue
        group = metadata.group(name)
        for member in item.get("members", []):
            group.add_member(member["name"])
        auto = item.get("autoPopulate")
        if auto:
            group.auto.append((auto["filter"], auto["header"]))
        for use in item.get("uses", []):
            if "method" in use and "interface" not in use and use["parameter"] != "return":
                metadata.uses.append((use["method"], use["parameter"], name))


def read_settings(metadata, text):
    """Takes the --enumAddition and --memberRemap sections of the emitter's settings."""
    section = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("--"):
            section = line
            continue
        if not line or line.startswith("#") or "=" not in line:
            continue
        left, value = line.split("=", 1)
        parts = left.split("::")
        if section == "--enumAddition" and len(parts) == 2:
            metadata.group(parts[0]).add_member(parts[1])
        elif section == "--memberRemap" and len(parts) == 2 and parts[1] != "return":
            group = remapped_group(value)
            if group:
                metadata.uses.append((parts[0], parts[1], group))


def remapped_group(value):
    """The type a remap gives a parameter ("TYPE", "TYPE*"), or the group that its
    [AssociatedEnum("NAME")] attribute names; None for other attributes."""
    associated = _ASSOCIATED_ENUM.fullmatch(value)
    if associated:
        return associated.group(1)
    type_name = value[:-1] if value.endswith("*") else value
    return type_name if type_name.isidentifier() else None
