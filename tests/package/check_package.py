#!/usr/bin/env python3
"""Checks the release archive: check_package.py ZIP.

Each exe must be a 32-bit PE (machine i386) of the right subsystem, import only DLLs every Windows
has, carry a manifest and a version record; the GUI exe must stay under 1.5 MB. The readme and the
licence must be text files as Notepad reads them: UTF-8 with a byte-order mark and CR LF line ends;
the readme must be plain text, without pictures the archive does not hold."""
import re
import struct
import sys
import zipfile

# DLLs that ship with every Windows the program supports.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
    "comctl32.dll", "comdlg32.dll", "advapi32.dll", "version.dll", "windowscodecs.dll",
    "uxtheme.dll", "msvcrt.dll", "shlwapi.dll", "dwmapi.dll", "msimg32.dll",
}
EXPECTED = {
    "Tovaro2KORVANE.exe": 2,      # IMAGE_SUBSYSTEM_WINDOWS_GUI
    "tovaro2korvane-cli.exe": 3,  # IMAGE_SUBSYSTEM_WINDOWS_CUI
}
TEXTS = ["README.txt", "LICENSE.txt"]
RT_VERSION, RT_MANIFEST = 16, 24
GUI_LIMIT = 1_500_000
UTF8_BOM = b"\xef\xbb\xbf"
MARKDOWN_PICTURE = re.compile(r"!\[[^\]]*\]\(([^)]*)\)")


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + 96  # PE32 optional header: data directories start here
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(sections):
            s = opt + opt_size + 40 * i
            vsize, vaddr, rsize, raddr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((vaddr, max(vsize, rsize), raddr))

    def offset(self, rva):
        for vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("address outside every section: %#x" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry == (0, 0, 0, 0, 0):
                return names
            names.append(self.cstring(entry[3]))
            at += 20

    def resource_types(self):
        rva, size = self.directories[2]
        if size == 0:
            return set()
        base = self.offset(rva)
        named, ids = struct.unpack_from("<HH", self.data, base + 12)
        types = set()
        for i in range(named + ids):
            ident, _ = struct.unpack_from("<II", self.data, base + 16 + 8 * i)
            if not ident & 0x80000000:
                types.add(ident)
        return types


def check(name, data):
    problems = []
    pe = Pe(data)
    if pe.machine != 0x14C or pe.magic != 0x10B:
        problems.append("not a 32-bit i386 PE (machine %#x, magic %#x)" % (pe.machine, pe.magic))
    if pe.subsystem != EXPECTED[name]:
        problems.append("subsystem %d, expected %d" % (pe.subsystem, EXPECTED[name]))
    imports = pe.imports()
    foreign = sorted(d for d in imports if d.lower() not in SYSTEM_DLLS)
    if foreign:
        problems.append("imports DLLs that not every Windows has: " + ", ".join(foreign))
    types = pe.resource_types()
    if RT_MANIFEST not in types:
        problems.append("no manifest")
    if RT_VERSION not in types:
        problems.append("no version record")
    if name == "Tovaro2KORVANE.exe" and len(data) >= GUI_LIMIT:
        problems.append("%d bytes, not under 1.5 MB" % len(data))
    print("%s: %d bytes, imports %s" % (name, len(data), ", ".join(sorted(imports))))
    return problems


def check_windows_text(data):
    """Problems Notepad would show: no byte-order mark, bytes that are not UTF-8, a line end that is
    not CR LF."""
    problems = []
    if not data.startswith(UTF8_BOM):
        problems.append("no UTF-8 byte-order mark")
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        problems.append("not UTF-8: %s" % error)
    bare = len(re.findall(rb"\r(?!\n)|(?<!\r)\n", data))
    if bare:
        problems.append("%d line ends that are not CR LF" % bare)
    return problems


def check_readme(data, names):
    """The readme is the user guide as plain text: its « and — intact, and no picture
    the archive does not hold."""
    problems = []
    text = data.decode("utf-8", errors="replace")
    for target in MARKDOWN_PICTURE.findall(text):
        if target not in names:
            problems.append("a picture of a file not in the archive: %s" % target)
    for expected in ("\u00ab", "\u2014"):
        if expected not in text:
            problems.append("%r is missing" % expected)
    return problems


def check_texts(archive, names):
    """Problems of the readme and licence, each line starting with the file's name."""
    problems = []
    for name in TEXTS:
        if name not in names:
            continue
        data = archive.read(name)
        found = check_windows_text(data)
        if name == "README.txt":
            found += check_readme(data, names)
        problems += ["%s: %s" % (name, problem) for problem in found]
    return problems


def main(path):
    failures = 0
    with zipfile.ZipFile(path) as archive:
        names = sorted(archive.namelist())
        wanted = sorted(list(EXPECTED) + TEXTS)
        if names != wanted:
            print("FAILED: the archive holds %s, expected %s" % (names, wanted))
            failures += 1
        for name in EXPECTED:
            if name not in names:
                continue
            for problem in check(name, archive.read(name)):
                print("FAILED: %s: %s" % (name, problem))
                failures += 1
        for problem in check_texts(archive, names):
            print("FAILED: %s" % problem)
            failures += 1
    print("package: %d failed" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
