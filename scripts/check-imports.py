#!/usr/bin/env python3
"""Fails when a Windows program imports a function that its DLL does not export, or when a
delay-loaded import could never be bound. Reads the PE files only; runs nothing, so it works
where the program's machine code cannot execute.

Usage: check-imports.py [--system-only] DLL_FOLDER PROGRAM...

Imports are checked against the DLLs of DLL_FOLDER (Wine's, for the program's architecture):
each named import must be exported by name, each ordinal import by ordinal. Delay-load
descriptors are taken from the data directory and, since MinGW's linker leaves that entry
empty, also found by their shape. A delay-load address slot must start out pointing into the
program's code (the stub that binds it on first call): a slot that is zero makes the first call
jump to address 0.

With --system-only, a program may import only from the DLLs that Windows always takes from its
own folder (and comctl32, which the manifest binds to its side-by-side assembly), and nothing
delay-loaded: any other DLL named in the import table would be searched for beside the program
first, where a planted copy could run in its place.
"""
import os
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "shlwapi.dll",
               "ole32.dll", "oleaut32.dll", "msvcrt.dll", "comctl32.dll"}


class Image:
    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("not a PE file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", d, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", d, optional)[0]
        self.wide = magic == 0x20B
        self.pointer = 8 if self.wide else 4
        self.base = struct.unpack_from("<Q" if self.wide else "<I", d, optional + (24 if self.wide else 28))[0]
        directories = optional + (112 if self.wide else 96)
        count = struct.unpack_from("<I", d, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            name, vsize, rva, rsize, raw = struct.unpack_from("<8sIIII", d, optional + optional_size + 40 * i)
            flags = struct.unpack_from("<I", d, optional + optional_size + 40 * i + 36)[0]
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), rva, max(vsize, rsize), raw, rsize, flags))

    def offset(self, rva):
        for _, start, size, raw, rsize, _ in self.sections:
            if start <= rva < start + size:
                return raw + rva - start if rva - start < rsize else None
        return None

    def is_code(self, rva):
        return any(start <= rva < start + size and flags & 0x20000000 for _, start, size, _, _, flags in self.sections)

    def u32(self, rva):
        o = self.offset(rva)
        return None if o is None or o + 4 > len(self.data) else struct.unpack_from("<I", self.data, o)[0]

    def slot(self, rva):
        o = self.offset(rva)
        if o is None or o + self.pointer > len(self.data):
            return None
        return struct.unpack_from("<Q" if self.wide else "<I", self.data, o)[0]

    def text(self, rva, limit=512):
        o = self.offset(rva)
        if o is None:
            return None
        end = self.data.find(b"\0", o, o + limit)
        return None if end < 0 else self.data[o:end].decode("latin-1")

    def thunks(self, rva):
        """(name or None, ordinal or None) for each entry of a lookup table."""
        flag = 1 << (63 if self.wide else 31)
        entries = []
        while True:
            value = self.slot(rva)
            if not value:
                return entries
            if value & flag:
                entries.append((None, value & 0xFFFF))
            else:
                entries.append((self.text(value + 2), None))
            rva += self.pointer

    def imports(self):
        """{dll: [(name, ordinal)]} from the import directory."""
        result = {}
        rva = self.directories[1][0] if len(self.directories) > 1 else 0
        while rva:
            lookup, _, _, name, addresses = struct.unpack_from("<5I", self.data, self.offset(rva))
            if not name:
                break
            result.setdefault(self.text(name).lower(), []).extend(self.thunks(lookup or addresses))
            rva += 20
        return result

    def delay_descriptors(self):
        """RVAs of delay-load descriptors: the data directory's, and any found by their shape."""
        found = set()
        if len(self.directories) > 13 and self.directories[13][0]:
            rva = self.directories[13][0]
            while self.u32(rva + 4):
                found.add(rva)
                rva += 32
        for _, start, size, raw, rsize, _ in self.sections:
            for o in range(raw, raw + rsize - 32, 4):
                attributes, name, module, addresses, lookup = struct.unpack_from("<5I", self.data, o)
                if attributes != 1 or not name or not module or not addresses or not lookup:
                    continue
                dll = self.text(name, 64)
                if not dll or not dll.lower().endswith(".dll") or not dll.isprintable():
                    continue
                if self.offset(addresses) is None or self.offset(lookup) is None:
                    continue
                found.add(start + o - raw)
        return sorted(found)

    def delay_imports(self):
        """[(dll, name, ordinal, initial slot value)] for every delay-loaded function."""
        result = []
        for rva in self.delay_descriptors():
            _, name, _, addresses, lookup = struct.unpack_from("<5I", self.data, self.offset(rva))
            dll = self.text(name).lower()
            for i, (function, ordinal) in enumerate(self.thunks(lookup)):
                result.append((dll, function, ordinal, self.slot(addresses + i * self.pointer)))
        return result

    def exports(self):
        """(names, ordinals) exported."""
        if not self.directories or not self.directories[0][0]:
            return set(), set()
        o = self.offset(self.directories[0][0])
        ordinal_base, functions, names, _, name_table = struct.unpack_from("<16x5I", self.data, o)
        exported = {self.text(self.u32(name_table + 4 * i)) for i in range(names)}
        return exported, set(range(ordinal_base, ordinal_base + functions))


def main(argv):
    system_only = "--system-only" in argv[1:]
    argv = [arg for arg in argv if arg != "--system-only"]
    if len(argv) < 3:
        print("usage: check-imports.py [--system-only] DLL_FOLDER PROGRAM...", file=sys.stderr)
        return 2
    folder, programs = argv[1], argv[2:]
    dll_files = {name.lower(): os.path.join(folder, name) for name in os.listdir(folder)}
    exports = {}

    def exported(dll):
        if dll not in exports:
            exports[dll] = Image(dll_files[dll]).exports() if dll in dll_files else None
        return exports[dll]

    failures = 0
    for program in programs:
        image = Image(program)
        problems = []
        normal = image.imports()
        delayed = image.delay_imports()
        wanted = [(dll, name, ordinal) for dll, entries in normal.items() for name, ordinal in entries]
        wanted += [(dll, name, ordinal) for dll, name, ordinal, _ in delayed]
        for dll, name, ordinal in wanted:
            table = exported(dll)
            if table is None:
                problems.append(f"{dll} not found in {folder}")
            elif name is not None and name not in table[0]:
                problems.append(f"{dll} does not export {name}")
            elif name is None and ordinal not in table[1]:
                problems.append(f"{dll} has no ordinal {ordinal}")
        for dll, name, ordinal, initial in delayed:
            if not initial or not image.is_code(initial - image.base):
                problems.append(f"delay-loaded {dll}!{name or ordinal} starts at {initial or 0:#x}, not at a binding stub")
        if system_only:
            problems += [f"{dll} is not a DLL the system always loads from its own folder"
                         for dll in normal if dll not in SYSTEM_DLLS]
            problems += [f"{dll} is delay-loaded" for dll, *_ in delayed]
        problems = sorted(set(problems))
        delayed_dlls = sorted({dll for dll, *_ in delayed})
        print(f"{program}: {len(wanted)} imports from {len(normal)} DLLs"
              + (f", delay-loaded from {', '.join(delayed_dlls)}" if delayed_dlls else "")
              + (": all bound" if not problems else f": {len(problems)} broken"))
        for problem in problems:
            print(f"  {problem}")
        failures += bool(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
