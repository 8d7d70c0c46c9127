#!/usr/bin/env python3
"""Checks the release archive: check_package.py ZIP.
Checks only the imports of built exes: check_package.py --imports EXE...

Each exe must be a 32-bit PE (machine i386) of the right subsystem, import only DLLs every Windows
has and no function Windows 7 SP1 lacks, carry a manifest whose DPI settings Windows 7 understands
and a version record; the GUI exe must stay under 1.5 MB. The packaged CLI must convert a small
file under Wine (WINEPREFIX names the prefix) to the expected bytes. The readme and the licence
must be text files as Notepad reads them: UTF-8 with a byte-order mark and CR LF line ends; the
readme must be plain text, without pictures the archive does not hold."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
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
# Functions that first appeared in Windows 8 or later: imported directly, they keep the exe from
# loading on Windows 7 SP1. The program looks the ones it uses up at run time instead.
NEWER_THAN_WINDOWS_7 = {
    # the DPI-awareness family
    "GetDpiForWindow", "GetDpiForSystem", "GetSystemDpiForProcess", "AdjustWindowRectExForDpi",
    "GetSystemMetricsForDpi", "SystemParametersInfoForDpi", "EnableNonClientDpiScaling",
    "SetThreadDpiAwarenessContext", "GetThreadDpiAwarenessContext", "SetProcessDpiAwarenessContext",
    "GetWindowDpiAwarenessContext", "GetAwarenessFromDpiAwarenessContext",
    "AreDpiAwarenessContextsEqual", "IsValidDpiAwarenessContext", "GetDpiFromDpiAwarenessContext",
    "SetThreadDpiHostingBehavior", "GetDpiForMonitor", "SetProcessDpiAwareness",
    "GetProcessDpiAwareness", "GetDpiForShellUIComponent", "LogicalToPhysicalPointForPerMonitorDPI",
    "PhysicalToLogicalPointForPerMonitorDPI", "OpenThemeDataForDpi",
    # pointer input
    "EnableMouseInPointer", "GetPointerType", "GetPointerInfo", "GetPointerTouchInfo",
    "GetPointerPenInfo", "GetPointerFrameInfo", "RegisterTouchHitTestingWindow",
    # what compilers' run-time libraries reach for when they target newer systems
    "GetSystemTimePreciseAsFileTime", "CreateFile2", "CopyFile2", "GetCurrentThreadStackLimits",
    "SetThreadDescription", "GetThreadDescription", "WaitOnAddress", "WakeByAddressSingle",
    "WakeByAddressAll", "InitializeSynchronizationBarrier", "EnterSynchronizationBarrier",
    "DeleteSynchronizationBarrier", "CreateFileMappingFromApp", "MapViewOfFileFromApp",
    "VirtualAllocFromApp", "PrefetchVirtualMemory", "GetFileInformationByName",
    "SetDefaultDllDirectories", "AddDllDirectory", "RemoveDllDirectory",
    "GetCurrentPackageId", "GetCurrentPackageFullName", "GetPackageFamilyName",
    "CreateDispatcherQueueController", "RoInitialize", "RoUninitialize",
}
# The DPI awareness values Windows 7 reads from the 2005 namespace; it ignores the 2016 one. The
# "/pm" suffix means per monitor on Windows 8.1 and later, system-aware before.
WINDOWS_7_DPI_AWARE = {"true", "true/pm"}
DPI_AWARENESS_VALUES = {"unaware", "system", "permonitor", "permonitorv2"}
TEXTS = ["README.txt", "LICENSE.txt"]
RT_VERSION, RT_MANIFEST = 16, 24
GUI_LIMIT = 1_500_000
UTF8_BOM = b"\xef\xbb\xbf"
MARKDOWN_PICTURE = re.compile(r"!\[[^\]]*\]\(([^)]*)\)")
# A small Tovaro file and the KORVANE bytes it converts to: two framed records, an underscore
# turned into ETX.
SAMPLE_INPUT = b"head\r\n\xabp2\r\nA_1\r\nB\r\n"
SAMPLE_OUTPUT = bytes([0x02, 0x41, 0x03, 0x31, 0x04, 0x02, 0x42, 0x04])


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
        dirs = opt + (96 if self.magic == 0x10B else 112)  # data directories of PE32 / PE32+
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

    def import_entries(self):
        """(DLL name, lookup table RVA) of every imported DLL."""
        rva, _ = self.directories[1]
        entries, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry == (0, 0, 0, 0, 0):
                return entries
            # The lookup table, or the address table where a linker left no lookup table.
            entries.append((self.cstring(entry[3]), entry[0] or entry[4]))
            at += 20

    def imports(self):
        return [dll for dll, _ in self.import_entries()]

    def imported_functions(self):
        """The names of the functions imported by name (ordinal imports have none)."""
        entry_format, ordinal_flag = ("<I", 1 << 31) if self.magic == 0x10B else ("<Q", 1 << 63)
        size = struct.calcsize(entry_format)
        names = []
        for _, table in self.import_entries():
            at = self.offset(table)
            while True:
                thunk = struct.unpack_from(entry_format, self.data, at)[0]
                if thunk == 0:
                    break
                if not thunk & ordinal_flag:
                    names.append(self.cstring((thunk & 0x7FFFFFFF) + 2))  # after the hint
                at += size
        return names

    def resource_entries(self, directory):
        """(id, offset) of each entry of a resource directory at that offset from the root."""
        rva, _ = self.directories[2]
        base = self.offset(rva) + directory
        named, ids = struct.unpack_from("<HH", self.data, base + 12)
        return [struct.unpack_from("<II", self.data, base + 16 + 8 * i) for i in range(named + ids)]

    def resource_types(self):
        _, size = self.directories[2]
        if size == 0:
            return set()
        return {ident for ident, _ in self.resource_entries(0) if not ident & 0x80000000}

    def resources(self, resource_type):
        """The data of every resource of that type, whatever its name and language."""
        found = []
        for ident, at in self.resource_entries(0):
            if ident != resource_type:
                continue
            for _, name_at in self.resource_entries(at & 0x7FFFFFFF):
                for _, leaf in self.resource_entries(name_at & 0x7FFFFFFF):
                    rva, size = struct.unpack_from(
                        "<II", self.data, self.offset(self.directories[2][0]) + leaf)
                    start = self.offset(rva)
                    found.append(self.data[start:start + size])
        return found


def newer_imports(pe):
    """The functions the exe imports that Windows 7 SP1 lacks."""
    return sorted(set(pe.imported_functions()) & NEWER_THAN_WINDOWS_7)


def manifest_problems(manifest):
    """What keeps Windows 7 from reading the manifest's DPI settings as intended."""
    try:
        root = ElementTree.fromstring(manifest)
    except ElementTree.ParseError as error:
        return ["the manifest is not well-formed XML (%s): no Windows starts the exe" % error]
    problems = []
    aware = [e.text or "" for e in root.iter() if e.tag.endswith("}dpiAware")]
    if len(aware) != 1 or aware[0].strip().lower() not in WINDOWS_7_DPI_AWARE:
        problems.append("dpiAware is %s, not one of %s that Windows 7 reads as DPI-aware"
                        % (aware, sorted(WINDOWS_7_DPI_AWARE)))
    for e in root.iter():
        if e.tag.endswith("}dpiAwareness"):
            values = [v.strip().lower() for v in (e.text or "").split(",")]
            if not values or any(v not in DPI_AWARENESS_VALUES for v in values):
                problems.append("dpiAwareness %r holds a value no Windows knows" % e.text)
    return problems


def cli_conversion_problems(cli):
    """Runs the CLI under Wine on a small file and compares the bytes it writes."""
    with tempfile.TemporaryDirectory() as folder:
        exe = os.path.join(folder, "tovaro2korvane-cli.exe")
        with open(exe, "wb") as out:
            out.write(cli)
        with open(os.path.join(folder, "sample.txt"), "wb") as out:
            out.write(SAMPLE_INPUT)
        env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=")
        # Output into a file, not a pipe: Wine's service processes may inherit it and hold a
        # pipe open long after the CLI has ended.
        errors = os.path.join(folder, "stderr.txt")
        try:
            with open(errors, "wb") as stderr:
                run = subprocess.run(["wine", exe, "sample.txt"], cwd=folder, env=env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=stderr, timeout=120)
        except (OSError, subprocess.TimeoutExpired) as error:
            return ["the CLI did not run under Wine: %s" % error]
        if run.returncode != 0:
            with open(errors, "rb") as stderr:
                text = stderr.read().decode(errors="replace")
            return ["the CLI exited %d under Wine: %s" % (run.returncode, text)]
        try:
            with open(os.path.join(folder, "sample.maz"), "rb") as written:
                data = written.read()
        except OSError:
            return ["the CLI wrote no sample.maz under Wine"]
        if data != SAMPLE_OUTPUT:
            return ["the CLI wrote %s under Wine, expected %s"
                    % (data.hex(" "), SAMPLE_OUTPUT.hex(" "))]
    return []


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
    newer = newer_imports(pe)
    if newer:
        problems.append("imports functions Windows 7 SP1 lacks: " + ", ".join(newer))
    types = pe.resource_types()
    if RT_MANIFEST not in types:
        problems.append("no manifest")
    for manifest in pe.resources(RT_MANIFEST):
        problems.extend(manifest_problems(manifest))
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
        if "tovaro2korvane-cli.exe" in names:
            for problem in cli_conversion_problems(archive.read("tovaro2korvane-cli.exe")):
                print("FAILED: tovaro2korvane-cli.exe: %s" % problem)
                failures += 1
        for problem in check_texts(archive, names):
            print("FAILED: %s" % problem)
            failures += 1
    print("package: %d failed" % failures)
    return 1 if failures else 0


def check_imports(paths):
    """The import check alone, on built exes of either bitness."""
    failures = 0
    for path in paths:
        with open(path, "rb") as exe:
            newer = newer_imports(Pe(exe.read()))
        for name in newer:
            print("FAILED: %s: imports %s, which Windows 7 SP1 lacks"
                  % (os.path.basename(path), name))
        failures += len(newer)
    print("imports: %d exes, %d failed" % (len(paths), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["--imports"]:
        sys.exit(check_imports(sys.argv[2:]))
    sys.exit(main(sys.argv[1]))
