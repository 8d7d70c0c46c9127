#!/usr/bin/env python3
"""Checks the release archive: check_package.py ZIP.
Checks built exes of either bitness alone: check_package.py --exes EXE...

Each exe must import only KnownDLLs (COMCTL32 only through the Common-Controls dependency of its
manifest) and no function Windows 7 SP1 lacks; be built for address randomisation (DYNAMIC_BASE
with its relocations), no-execute data (NX_COMPAT) and the whole address space
(LARGE_ADDRESS_AWARE); carry a manifest that runs it asInvoker and names Windows 7, 8, 8.1 and
10/11 as supported, and a version record. The window program's manifest also asks for the
Common Controls 6 and has DPI settings Windows 7 understands; the CLI's asks for no Common
Controls. In the archive both exes must be 32-bit PEs of the right subsystem, the GUI exe under
1.5 MB, and the packaged CLI must convert a small file under Wine (WINEPREFIX names the prefix) to
the expected bytes. The readme and the licence must be text files as Notepad reads them: UTF-8 with
a byte-order mark and CR LF line ends; the readme must be plain text, without pictures the archive
does not hold."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zipfile

# The KnownDLLs (HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs) of Windows 7
# SP1: the loader maps these from System32 whatever lies beside the exe. Any other DLL an exe
# imports is looked for in the exe's folder first, where anyone who can drop a file gets it loaded.
# ntdll is in every process before the exe.
WINDOWS_7_KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "comdlg32.dll", "difxapi.dll", "gdi32.dll", "iertutil.dll",
    "imagehlp.dll", "imm32.dll", "kernel32.dll", "lpk.dll", "msctf.dll", "msvcrt.dll",
    "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll",
    "sechost.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "urlmon.dll", "user32.dll",
    "usp10.dll", "wininet.dll", "wldap32.dll", "ws2_32.dll", "ntdll.dll",
}
# Those of Windows 10 and 11, which dropped some of Windows 7's: an import must be known on both.
WINDOWS_10_KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll", "ntdll.dll",
}
KNOWN_DLLS = WINDOWS_7_KNOWN_DLLS & WINDOWS_10_KNOWN_DLLS
# COMCTL32 is no KnownDLL: only the Common-Controls dependency of the manifest makes the loader
# take it from the system's side-by-side store instead of the exe's folder.
COMMON_CONTROLS_DLL = "comctl32.dll"
COMMON_CONTROLS = "Microsoft.Windows.Common-Controls"
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
EXPECTED = {
    "Tovaro2KORVANE.exe": IMAGE_SUBSYSTEM_WINDOWS_GUI,
    "tovaro2korvane-cli.exe": 3,  # IMAGE_SUBSYSTEM_WINDOWS_CUI
}
# The supportedOS entries of the manifest: without one Windows runs the exe as if for an older
# system (the version it reports, some behaviours of the loader and of the heap).
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
IMAGE_FILE_LARGE_ADDRESS_AWARE = 0x0020
IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA = 0x0020
IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE = 0x0040
IMAGE_DLLCHARACTERISTICS_NX_COMPAT = 0x0100
BASE_RELOCATION_DIRECTORY = 5
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
        (self.machine, sections, _, _, _, opt_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
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


def local_name(element):
    return element.tag.rsplit("}", 1)[-1]


def common_controls_dependency(root):
    """Whether the manifest asks for the Common Controls 6 from the side-by-side store."""
    return any(local_name(e) == "assemblyIdentity" and e.get("name") == COMMON_CONTROLS
               and (e.get("version") or "").startswith("6.")
               for d in root.iter() if local_name(d) == "dependentAssembly" for e in d)


def parsed(manifests):
    """The roots of the well-formed manifests among them."""
    roots = []
    for manifest in manifests:
        try:
            roots.append(ElementTree.fromstring(manifest))
        except ElementTree.ParseError:
            pass
    return roots


def manifest_problems(manifest, window):
    """What in the manifest keeps the exe from running as intended: not as the user who starts it,
    as if for an older system, and for the window program without Common Controls 6 or without
    the DPI settings Windows 7 reads; for the CLI, with Common Controls it has no use for."""
    try:
        root = ElementTree.fromstring(manifest)
    except ElementTree.ParseError as error:
        return ["the manifest is not well-formed XML (%s): no Windows starts the exe" % error]
    problems = []
    levels = [e.get("level") for e in root.iter() if local_name(e) == "requestedExecutionLevel"]
    if levels != ["asInvoker"]:
        problems.append("requestedExecutionLevel is %s, not asInvoker" % levels)
    supported = {(e.get("Id") or "").lower() for e in root.iter() if local_name(e) == "supportedOS"}
    missing = [name for ident, name in SUPPORTED_OS.items() if ident not in supported]
    if missing:
        problems.append("supportedOS lacks " + ", ".join(missing))
    if not window:
        if common_controls_dependency(root):
            problems.append("the manifest of a console program asks for the Common Controls")
        return problems
    if not common_controls_dependency(root):
        problems.append("the manifest does not ask for the Common Controls 6")
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


def hardening_problems(pe):
    """What keeps the exe from address randomisation, no-execute data or the whole address space."""
    problems = []
    if not pe.dll_characteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE:
        problems.append("not DYNAMIC_BASE: always loaded at the same address")
    if not pe.dll_characteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT:
        problems.append("not NX_COMPAT: its data may be run as code")
    if (pe.characteristics & IMAGE_FILE_RELOCS_STRIPPED
            or pe.directories[BASE_RELOCATION_DIRECTORY][1] == 0):
        problems.append("no relocations: Windows cannot move it, whatever DYNAMIC_BASE says")
    if not pe.characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE:
        problems.append("not LARGE_ADDRESS_AWARE: 2 GiB at most, even on 64-bit Windows")
    if pe.magic == 0x20B and not pe.dll_characteristics & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA:
        problems.append("not HIGH_ENTROPY_VA: a 64-bit exe randomised within 4 GiB only")
    return problems


def exe_problems(name, data):
    """The rules every exe of ours follows, whatever its bitness; the subsystem for the two known
    ones."""
    problems = []
    pe = Pe(data)
    window = pe.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI
    if name in EXPECTED and pe.subsystem != EXPECTED[name]:
        problems.append("subsystem %d, expected %d" % (pe.subsystem, EXPECTED[name]))
    manifests = pe.resources(RT_MANIFEST) if RT_MANIFEST in pe.resource_types() else []
    if not manifests:
        problems.append("no manifest")
    for manifest in manifests:
        problems.extend(manifest_problems(manifest, window))
    imports = pe.imports()
    for dll in sorted(imports):
        if dll.lower() == COMMON_CONTROLS_DLL:
            if not any(common_controls_dependency(root) for root in parsed(manifests)):
                problems.append("imports %s without the Common-Controls dependency in its manifest"
                                % dll)
        elif dll.lower() not in KNOWN_DLLS:
            problems.append("imports %s, not a KnownDLL: a file of that name beside the exe is "
                            "loaded in its place" % dll)
    for function in newer_imports(pe):
        problems.append("imports %s, which Windows 7 SP1 lacks" % function)
    problems.extend(hardening_problems(pe))
    if RT_VERSION not in pe.resource_types():
        problems.append("no version record")
    print("%s: %d bytes, imports %s" % (name, len(data), ", ".join(sorted(imports))))
    return problems


def check(name, data):
    """The rules of exe_problems, and what the archive's exes are: 32-bit, the GUI under its
    limit."""
    pe = Pe(data)
    problems = []
    if pe.machine != 0x14C or pe.magic != 0x10B:
        problems.append("not a 32-bit i386 PE (machine %#x, magic %#x)" % (pe.machine, pe.magic))
    if name == "Tovaro2KORVANE.exe" and len(data) >= GUI_LIMIT:
        problems.append("%d bytes, not under 1.5 MB" % len(data))
    return problems + exe_problems(name, data)


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


def check_exes(paths):
    """The rules every exe follows, on built exes of either bitness."""
    failures = 0
    for path in paths:
        name = os.path.basename(path)
        with open(path, "rb") as exe:
            problems = exe_problems(name, exe.read())
        for problem in problems:
            print("FAILED: %s: %s" % (name, problem))
        failures += len(problems)
    print("exes: %d checked, %d failed" % (len(paths), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["--exes"]:
        sys.exit(check_exes(sys.argv[2:]))
    sys.exit(main(sys.argv[1]))
