#!/usr/bin/env python3
"""Checks the built executable's headers, imports and resources:
check_resources.py EXE

Prints one line per check and closes with 'N passed, M failed'; the exit code
is 0 only when every check passed.
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "wsock32.dll", "ws2_32.dll", "msvcrt.dll",
    "advapi32.dll", "shell32.dll", "comctl32.dll", "ntdll.dll",
}

STRINGS = {
    "FileVersion": "1.0.0.0",
    "ProductVersion": "1.0.0.0",
    "ProductName": "Brenvo",
    "FileDescription": "Brenvo\uff1b2008 X64",
    "Comments": "\u7a0b\u5e8f\u4ec5\u9488\u5bf92008 X64\u7cfb\u7edf\u8fdb\u884c\u4e86\u6d4b\u8bd5"
                "\uff0c\u5176\u4ed6\u7cfb\u7edf\u8bf7\u81ea\u884c\u6d4b\u8bd5",
}


class Failure(Exception):
    pass


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise Failure("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise Failure("no PE signature")
        (self.machine, sections, _, _, _, optional_size, _) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != 0x10B:
            raise Failure("optional header magic 0x%x, not PE32" % self.magic)
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        count = struct.unpack_from("<I", data, optional + 92)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i) for i in range(count)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, vaddr, rsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raw, rsize))

    def offset(self, rva):
        for vaddr, size, raw, rsize in self.sections:
            if vaddr <= rva < vaddr + size:
                if rva - vaddr >= rsize:
                    raise Failure("RVA 0x%x lies outside the file" % rva)
                return raw + rva - vaddr
        raise Failure("RVA 0x%x in no section" % rva)

    def directory(self, index):
        if index >= len(self.directories):
            return 0, 0
        return self.directories[index]

    def c_string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("latin-1")

    def imports(self):
        rva, size = self.directory(1)
        names = []
        if not rva:
            return names
        at = self.offset(rva)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if not (lookup or name or first):
                return names
            names.append(self.c_string(name))
            at += 20

    def resources(self):
        """{type: {name: [(language, bytes)]}}; names are numbers or texts."""
        rva, size = self.directory(2)
        if not rva:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, numbered = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if name & 0x80000000:
                    length = struct.unpack_from("<H", self.data, base + (name & 0x7FFFFFFF))[0]
                    start = base + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                yield name, target

        tree = {}
        for kind, kind_at in entries(0):
            if not kind_at & 0x80000000:
                raise Failure("resource type %r without a directory" % (kind,))
            names = tree.setdefault(kind, {})
            for name, name_at in entries(kind_at & 0x7FFFFFFF):
                if not name_at & 0x80000000:
                    raise Failure("resource %r without a language directory" % (name,))
                for language, leaf in entries(name_at & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    names.setdefault(name, []).append((language, self.data[at:at + data_size]))
        return tree


# ---- icons -----------------------------------------------------------------

def colour_name(rgb):
    r, g, b = rgb
    if r >= 200 and 30 <= g <= 150 and b <= 80:
        return "orange-red"
    if r >= 200 and g >= 180 and b <= 100:
        return "yellow"
    if g >= 100 and r <= 100 and b <= 100:
        return "green"
    if b >= 150 and r <= 100 and g <= 150:
        return "blue"
    return "#%02x%02x%02x" % rgb


QUADRANTS = (("top left", "orange-red"), ("top right", "green"),
             ("bottom left", "blue"), ("bottom right", "yellow"))


def check_icon_image(data, size):
    """Raises Failure unless `data` is a 16-colour size x size icon of the
    four squares on a transparent background."""
    (header, width, height, planes, bits, compression) = struct.unpack_from("<IiiHHI", data, 0)
    if header != 40:
        raise Failure("not a BITMAPINFOHEADER image (header size %d)" % header)
    if (width, height) != (size, 2 * size):
        raise Failure("bitmap %dx%d for a %d-pixel entry" % (width, height, size))
    if bits != 4 or planes != 1 or compression != 0:
        raise Failure("biBitCount %d, planes %d, compression %d" % (bits, planes, compression))
    used = struct.unpack_from("<I", data, 32)[0] or 16
    if used != 16:
        raise Failure("%d palette entries" % used)
    palette = [(data[40 + 4 * i + 2], data[40 + 4 * i + 1], data[40 + 4 * i]) for i in range(16)]
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor_at = 40 + 64
    and_at = xor_at + xor_row * size
    if len(data) < and_at + and_row * size:
        raise Failure("image data cut short")

    def pixel(x, y):  # None for transparent; y counted from the top
        row = size - 1 - y
        if data[and_at + row * and_row + x // 8] & (0x80 >> (x % 8)):
            return None
        byte = data[xor_at + row * xor_row + x // 2]
        return colour_name(palette[byte >> 4 if x % 2 == 0 else byte & 0x0F])

    half = size // 2
    seen = {}
    for y in range(size):
        for x in range(size):
            name = pixel(x, y)
            edge = x in (0, size - 1) or y in (0, size - 1)
            gap = x in (half - 1, half) or y in (half - 1, half)
            if name is None:
                continue
            if edge:
                raise Failure("opaque %s pixel on the margin at %d,%d" % (name, x, y))
            if gap:
                raise Failure("opaque %s pixel in the gap at %d,%d" % (name, x, y))
            where, want = QUADRANTS[(2 if y >= half else 0) + (1 if x >= half else 0)]
            if name != want:
                raise Failure("%s pixel in the %s square at %d,%d" % (name, where, x, y))
            seen[want] = seen.get(want, 0) + 1
    for where, want in QUADRANTS:
        # A square fills most of its quarter.
        if seen.get(want, 0) < (half - 2) ** 2 // 2:
            raise Failure("%s square too small: %d %s pixels" % (where, seen.get(want, 0), want))


def check_icons(tree, check):
    groups = tree.get(RT_GROUP_ICON, {})
    icons = tree.get(RT_ICON, {})
    with check("icon group id 1 present") as c:
        if 1 not in groups:
            raise Failure("icon groups: %r" % sorted(groups, key=str))
        c.detail = "%d icon group(s)" % len(groups)
    if 1 not in groups:
        return
    group = groups[1][0][1]
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    with check("icon group holds 72, 32 and 16 pixel entries") as c:
        sizes = [(w or 256, h or 256) for w, h, *_ in entries]
        if kind != 1 or sorted(sizes) != [(16, 16), (32, 32), (72, 72)]:
            raise Failure("type %d, sizes %r" % (kind, sizes))
        c.detail = ", ".join("%dx%d" % s for s in sizes)
    with check("icon group entries are 16 colours, 4 bits per pixel") as c:
        bad = [(w, colours, bits) for w, h, colours, _, planes, bits, _, _ in entries
               if colours != 16 or bits != 4]
        if bad:
            raise Failure("width, colours, bit count: %r" % bad)
    for w, h, colours, _, planes, bits, size, number in entries:
        with check("icon image %dx%d: 4-bit bitmap of the four squares on transparency" % (w, h)):
            if number not in icons:
                raise Failure("RT_ICON %d missing" % number)
            check_icon_image(icons[number][0][1], w)


# ---- version record ----------------------------------------------------------

def version_node(data, at):
    """(key, value bytes, is text, children, end) of the node at `at`."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_at = at + 6
    key_end = key_at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_at:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = (value_at + value_size + 3) & ~3
    while child < end:
        node = version_node(data, child)
        if node[4] <= child:
            raise Failure("version node of length 0")
        children.append(node)
        child = (node[4] + 3) & ~3
    return key, value, kind == 1, children, end


def check_version(tree, check):
    records = tree.get(RT_VERSION, {})
    with check("one version record, id 1") as c:
        if list(records) != [1] or len(records[1]) != 1:
            raise Failure("version records: %r" % {k: len(v) for k, v in records.items()})
    if 1 not in records:
        return
    data = records[1][0][1]
    key, fixed, _, children, _ = version_node(data, 0)
    with check("fixed part: file and product version 1.0.0.0") as c:
        if key != "VS_VERSION_INFO" or len(fixed) != 52:
            raise Failure("key %r, fixed part of %d bytes" % (key, len(fixed)))
        (signature, _, file_ms, file_ls, product_ms, product_ls, mask, flags, os, kind, _, _, _) = \
            struct.unpack("<13I", fixed)
        if signature != 0xFEEF04BD:
            raise Failure("signature 0x%x" % signature)
        if (file_ms, file_ls, product_ms, product_ls) != (0x10000, 0, 0x10000, 0):
            raise Failure("file %08x.%08x, product %08x.%08x" % (file_ms, file_ls, product_ms, product_ls))
    if len(fixed) == 52:
        with check("fixed part: VOS__WINDOWS32, VFT_APP, no flags"):
            if (os, kind, mask, flags) != (4, 1, 0, 0):
                raise Failure("FILEOS 0x%x, FILETYPE %d, FILEFLAGSMASK 0x%x, FILEFLAGS 0x%x"
                              % (os, kind, mask, flags))
    blocks = {child[0]: child for child in children}
    with check("blocks StringFileInfo and VarFileInfo only"):
        if sorted(c[0] for c in children) != ["StringFileInfo", "VarFileInfo"]:
            raise Failure("blocks %r" % [c[0] for c in children])
    tables = blocks["StringFileInfo"][3] if "StringFileInfo" in blocks else []
    with check("one string table, 080404B0"):
        if [t[0] for t in tables] != ["080404B0"]:
            raise Failure("string tables %r" % [t[0] for t in tables])
    if tables:
        found = {}
        for name, value, text, _, _ in tables[0][3]:
            found[name] = value.decode("utf-16-le").rstrip("\0") if text else value
        with check("string table holds exactly %s" % ", ".join(STRINGS)):
            if sorted(found) != sorted(STRINGS):
                raise Failure("entries %r" % sorted(found))
        for name, want in STRINGS.items():
            with check("%s text" % name):
                if found.get(name) != want:
                    raise Failure("%r, expected %r" % (found.get(name), want))
    variables = blocks["VarFileInfo"][3] if "VarFileInfo" in blocks else []
    with check("translation 0804, 04B0"):
        pairs = [(v[0], v[1]) for v in variables]
        if len(pairs) != 1 or pairs[0][0] != "Translation" or pairs[0][1] != struct.pack("<HH", 0x0804, 0x04B0):
            raise Failure("%r" % [(k, v.hex()) for k, v in pairs])


# ---- the checks --------------------------------------------------------------

class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def __call__(self, title):
        return Check(self, title)


class Check:
    def __init__(self, owner, title):
        self.owner = owner
        self.title = title
        self.detail = ""

    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        if kind is None:
            self.owner.passed += 1
            print("PASS %s%s" % (self.title, " (%s)" % self.detail if self.detail else ""))
            return False
        if issubclass(kind, (Failure, struct.error, IndexError, KeyError, ValueError, UnicodeDecodeError)):
            self.owner.failed += 1
            print("FAIL %s: %s" % (self.title, error))
            return True
        return False


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: check_resources.py EXE\n")
        return 2
    check = Checks()
    pe = None
    with check("readable 32-bit PE file"):
        with open(argv[1], "rb") as f:
            pe = PE(f.read())
    if pe is not None:
        with check("machine i386 (0x14c)"):
            if pe.machine != 0x14C:
                raise Failure("machine 0x%x" % pe.machine)
        with check("GUI subsystem (2)"):
            if pe.subsystem != 2:
                raise Failure("subsystem %d" % pe.subsystem)
        with check("imports only system DLLs") as c:
            names = pe.imports()
            foreign = [n for n in names if n.lower() not in SYSTEM_DLLS]
            if foreign:
                raise Failure("also imports %s" % ", ".join(foreign))
            c.detail = ", ".join(names)
        tree = {}
        with check("resource directory readable"):
            tree = pe.resources()
        with check("no RT_MANIFEST resource"):
            if RT_MANIFEST in tree:
                raise Failure("manifest resource(s) %r" % list(tree[RT_MANIFEST]))
        check_icons(tree, check)
        check_version(tree, check)
    print("%d passed, %d failed" % (check.passed, check.failed))
    return 0 if check.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
