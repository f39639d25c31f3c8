#!/usr/bin/env python3
"""Checks a built Windows executable for what it needs of the Windows it runs on.

    check_exe.py [--version X.Y.Z] OBJDUMP EXE [EXE...]

For each executable:
- its size stays under 1.5 MiB;
- every DLL it imports is one that Windows itself ships, and those it imports
  as it starts are kernel32, advapi32 and msvcrt alone (see LOAD_TIME_DLLS); the
  others are delay-loaded;
- every function it imports, at its start or delay-loaded, is listed in
  windows_imports.txt with its documented minimum Windows version, and that
  version is Windows 7 (6.1) or older; newer functions must be loaded at run
  time instead;
- its embedded manifest asks for the highest available rights, per-monitor DPI
  awareness and the version 6 common controls;
- its header says it is aware of Remote Desktop sessions, so that a terminal
  server gives it the real system directory rather than a per-user copy;
- with --version, its version resource (numbers and texts) and its manifest carry
  that version.
"""
import pathlib
import re
import struct
import subprocess
import sys

MAX_SIZE = 1536 * 1024
WINDOWS_7 = (6, 1)
HERE = pathlib.Path(__file__).resolve().parent
IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE = 0x8000
# The DLLs the process may import as it starts, before its own code restricts
# the library search to the system directory: KnownDLLs on every Windows from 7
# SP1 to 11, which Windows takes from the system directory with what they
# import, and whose Wine builtins import nothing from outside that set either
# (Wine's user32 imports version.dll, which it would look for in the program's
# folder first).
LOAD_TIME_DLLS = {"kernel32.dll", "advapi32.dll", "msvcrt.dll"}
MANIFEST_NEEDS = [
    b'level="highestAvailable"',
    b"PerMonitorV2",
    b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
]


def load_table():
    """(dll, function) -> (major, minor), from the table beside this script."""
    table = {}
    for number, line in enumerate((HERE / "windows_imports.txt").read_text().splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        dll, function, version = line.split()
        major, minor = version.split(".")
        table[(dll.lower(), function)] = (int(major), int(minor))
    return table


def headers(objdump, exe):
    return subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout


def dll_characteristics(text):
    """The DllCharacteristics field of the optional header, or None."""
    found = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", text, re.MULTILINE)
    return int(found.group(1), 16) if found else None


def imports(text):
    """The (dll, function) pairs of the executable's import table."""
    pairs = []
    dll = None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name:\s*(\S+)", line)
        if named:
            dll = named.group(1).lower()
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+\d+\s+(\S+)", line)
        if dll and entry:
            pairs.append((dll, entry.group(1)))
        elif not line.strip():
            dll = None
    return pairs


def delay_imports(data):
    """The (dll, function) pairs of the delay-load descriptors (ImgDelayDescr, relative
    addresses), which the MinGW linker leaves out of the delay import directory: each is
    found by the DLL name it points to."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    slot = 8 if struct.unpack_from("<H", data, pe + 24)[0] == 0x20B else 4
    table = pe + 24 + struct.unpack_from("<H", data, pe + 20)[0]
    sections = [struct.unpack_from("<3I", data, table + 40 * i + 12)  # address, size, offset
                for i in range(struct.unpack_from("<H", data, pe + 6)[0])]
    at = lambda rva: next((o + rva - a for a, n, o in sections if a <= rva < a + n), None)
    rva = lambda off: next((a + off - o for a, n, o in sections if o <= off < o + n), 0)
    text = lambda off: data[off:data.index(b"\0", off)].decode()
    pairs = []
    for name in re.finditer(rb"[\w.-]+\.dll\0", data, re.IGNORECASE):
        descriptor = data.find(struct.pack("<II", 1, rva(name.start()) or 0xFFFFFFFF))
        thunk = at(struct.unpack_from("<I", data, descriptor + 16)[0]) if descriptor >= 0 else None
        while thunk and (entry := int.from_bytes(data[thunk:thunk + slot], "little")):
            pairs.append((text(name.start()).lower(), text(at(entry + 2))))
            thunk += slot
    return pairs


def version_faults(data, version):
    """What differs from X.Y.Z in the version resource and the manifest."""
    major, minor, revision = (int(n) for n in version.split("."))
    faults = []
    at = data.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
    if at < 0:
        return ["no version resource"]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
    if (file_ms, file_ls, product_ms, product_ls) != ((major << 16) | minor, revision << 16) * 2:
        faults.append(f"version resource numbers {file_ms >> 16}.{file_ms & 0xFFFF}."
                      f"{file_ls >> 16}, not {version}")
    quad = f"{version}.0"
    for name in ("FileVersion", "ProductVersion"):
        # The key, its NUL, up to one NUL of padding to a 4-byte boundary, the value.
        pattern = re.escape(f"{name}\0".encode("utf-16-le")) + rb"(?:\0\0)?" + re.escape(
            f"{quad}\0".encode("utf-16-le"))
        if not re.search(pattern, data):
            faults.append(f"no {name} {quad} in the version resource")
    if f'name="Ferrolis" version="{quad}"'.encode() not in data:
        faults.append(f"its manifest does not give the version {quad}")
    return faults


def check(objdump, exe, table, version=None):
    faults = []
    path = pathlib.Path(exe)
    data = path.read_bytes()
    if len(data) >= MAX_SIZE:
        faults.append(f"{len(data)} bytes, over the 1.5 MiB limit")
    known_dlls = {dll for dll, _ in table}
    text = headers(objdump, exe)
    at_start = imports(text)
    if not at_start:
        faults.append("no import table found")
    for dll in sorted({dll for dll, _ in at_start} - LOAD_TIME_DLLS):
        faults.append(f"imports {dll} as it starts, before it restricts the library search")
    found = at_start + delay_imports(data)
    for dll, function in sorted(set(found)):
        if dll not in known_dlls:
            faults.append(f"imports {dll}, which is not a DLL that Windows ships")
        elif (dll, function) not in table:
            faults.append(f"imports {dll}!{function}, whose minimum Windows version is not recorded")
        elif table[(dll, function)] > WINDOWS_7:
            major, minor = table[(dll, function)]
            faults.append(f"imports {dll}!{function}, which needs Windows {major}.{minor}")
    characteristics = dll_characteristics(text)
    if characteristics is None or not characteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE:
        faults.append("not linked --tsaware (no IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE)")
    for needed in MANIFEST_NEEDS:
        if needed not in data:
            faults.append(f"its manifest lacks {needed.decode()}")
    if version:
        faults += version_faults(data, version)
    return len(data), len({d for d, _ in found}), len(found), faults


def main():
    args = sys.argv[1:]
    version = None
    if args[0] == "--version":
        version, args = args[1], args[2:]
    objdump, exes = args[0], args[1:]
    table = load_table()
    failed = 0
    for exe in exes:
        size, dlls, functions, faults = check(objdump, exe, table, version)
        name = pathlib.Path(exe).name
        if faults:
            failed += 1
            print(f"FAIL {name}: " + "; ".join(faults))
        else:
            print(f"ok {name}: {size} bytes ({size / 1048576:.2f} MiB), "
                  f"{functions} functions from {dlls} DLLs, all in Windows 7 SP1")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
