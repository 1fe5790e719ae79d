#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks that every library's link line tells the truth: each library of ours it includes a
header of is linked directly, PUBLIC when one of its own headers includes it, and each library of
ours it links is included by its files (PUBLIC ones by a header). Prints every line that does not
hold and exits 1; exits 0 when all hold."""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
PRODUCT = ["base", "resources", "widgets", "homework", "homework/editor", "calendar",
           "calendar/caldav", "journal", "session", "document", "document/rtf",
           "document/layout", "document/paint", "document/pdf", "document/docx", "generation",
           "preview", "app"]


def command(text, name):
    """The arguments of every call of a CMake command, comments and line breaks removed."""
    text = re.sub(r"#[^\n]*", "", text)
    return [m.group(1).split() for m in re.finditer(name + r"\(([^)]*)\)", text)]


def libraries():
    """Each folder's library: its name, its files, its PUBLIC and PRIVATE links of ours."""
    found = {}
    for folder in PRODUCT:
        text = (ROOT / folder / "CMakeLists.txt").read_text()
        for arguments in command(text, "add_library"):
            name, kind = arguments[0], arguments[1]
            if kind == "INTERFACE":
                continue
            files = [folder + "/" + f for f in arguments[2:] if f.endswith((".h", ".cpp"))]
            links = {"PUBLIC": set(), "PRIVATE": set()}
            for link in command(text, "target_link_libraries"):
                if link[0] != name:
                    continue
                scope = None
                for word in link[1:]:
                    if word in links:
                        scope = word
                    elif word.startswith("quillory_") and word != "quillory_compile_options":
                        links[scope].add(word)
            found[name] = {"folder": folder, "files": files, **links}
    return found


def owner(include, folders):
    """The library whose folder holds the included header."""
    folder = str(pathlib.PurePosixPath(include).parent)
    return folders.get(folder)


def main():
    libs = libraries()
    folders = {lib["folder"]: name for name, lib in libs.items()}
    wrong = []
    for name, lib in libs.items():
        used = {"header": set(), "any": set()}
        for path in lib["files"]:
            for include in re.findall(r'#include "([^"]+)"', (ROOT / path).read_text()):
                target = owner(include, folders)
                if target is None or target == name:
                    continue
                used["any"].add(target)
                if path.endswith(".h"):
                    used["header"].add(target)
        linked = lib["PUBLIC"] | lib["PRIVATE"]
        for target in sorted(used["any"] - linked):
            wrong.append(f"{name} includes {target} but does not link it")
        for target in sorted(used["header"] - lib["PUBLIC"]):
            wrong.append(f"{name}'s headers include {target}, which it links PRIVATE")
        for target in sorted(lib["PUBLIC"] - used["header"]):
            wrong.append(f"{name} links {target} PUBLIC, but no header of it includes it")
        # The resources are used by their data (the template, the icon), not by a header.
        for target in sorted(linked - used["any"] - {"quillory_resources"}):
            wrong.append(f"{name} links {target}, but none of its files includes it")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
