#!/usr/bin/env python3
"""Checks a built Windows executable for what it needs of the Windows it runs on.

    check_exe.py OBJDUMP EXE [EXE...]

For each executable:
- its size stays under 1.5 MiB;
- every DLL it imports is one that Windows itself ships;
- every function it imports is listed in windows_imports.txt with its documented
  minimum Windows version, and that version is Windows 7 (6.1) or older; newer
  functions must be loaded at run time instead;
- its embedded manifest asks for the highest available rights, per-monitor DPI
  awareness and the version 6 common controls;
- its header says it is aware of Remote Desktop sessions, so that a terminal
  server gives it the real system directory rather than a per-user copy.
"""
import pathlib
import re
import subprocess
import sys

MAX_SIZE = 1536 * 1024
WINDOWS_7 = (6, 1)
HERE = pathlib.Path(__file__).resolve().parent
IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE = 0x8000
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


def check(objdump, exe, table):
    faults = []
    path = pathlib.Path(exe)
    data = path.read_bytes()
    if len(data) >= MAX_SIZE:
        faults.append(f"{len(data)} bytes, over the 1.5 MiB limit")
    known_dlls = {dll for dll, _ in table}
    text = headers(objdump, exe)
    found = imports(text)
    if not found:
        faults.append("no import table found")
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
    return len(data), len({d for d, _ in found}), len(found), faults


def main():
    objdump, exes = sys.argv[1], sys.argv[2:]
    table = load_table()
    failed = 0
    for exe in exes:
        size, dlls, functions, faults = check(objdump, exe, table)
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
