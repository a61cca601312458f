#!/usr/bin/env python3
"""Reads back the Windows resources of Quillmere and checks the icon group,
the version block and the manifest: either the compiled resource script
(.res) or the resource section of the linked executable itself.

    tst_windows_resources.py path/to/quillmere.res
    tst_windows_resources.py path/to/quillmere.exe
"""

import struct
import sys
import unittest
import xml.etree.ElementTree as ET

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
LANG_EN_US = 0x0409

NOTICE = "Copyright 2024-2026 Quillmere Project"
EXPECTED_STRINGS = [
    ("FileVersion", "2.0.0.0"),
    ("FileDescription", ""),
    ("ProductVersion", "2.0"),
    ("ProductName", "Quillmere"),
    ("InternalName", "Quillmere"),
    ("OriginalFilename", "Quillmere"),
    ("LongVersion", NOTICE),
    ("PackageInfo", ""),
    ("Release", "Final"),
    ("CompanyName", "quillmere.example"),
    ("LegalCopyright", "quillmere.example"),
]
# (side in pixels, bits per pixel), in the order of the group.
EXPECTED_ICONS = [(48, 8), (32, 8), (16, 8), (256, 32), (48, 32), (32, 32), (16, 32)]

SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and later
}
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
WS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"


def align4(n):
    return (n + 3) & ~3


# --- the .res container -------------------------------------------------------


def read_id(data, pos):
    """A type or name: 0xFFFF and a number, or a NUL-terminated UTF-16 string."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_res(data):
    """{(type, name): (language, payload)} of every resource in the file."""
    resources = {}
    pos = 0
    while pos < len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        rtype, p = read_id(data, pos + 8)
        name, p = read_id(data, p)
        p = align4(p)
        _data_version, _flags, language = struct.unpack_from("<IHH", data, p)
        payload = data[pos + header_size:pos + header_size + data_size]
        if not (data_size == 0 and rtype == 0 and name == 0):  # the leading empty entry
            if (rtype, name) in resources:
                raise ValueError(f"resource {rtype}/{name} twice")
            resources[(rtype, name)] = (language, payload)
        pos = align4(pos + header_size + data_size)
    return resources


# --- the resource section of a linked executable ---------------------------------


def read_pe(data):
    """{(type, name): (language, payload)} from the .rsrc data of a PE32+ image."""
    if data[:2] != b"MZ":
        raise ValueError("not an executable")
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", data, optional)
    if magic != 0x20B:
        raise ValueError("not a 64-bit image")
    resource_rva, _resource_size = struct.unpack_from("<II", data, optional + 112 + 2 * 8)
    table = []
    for k in range(sections):
        _name, vsize, vaddr, raw_size, raw_ptr = struct.unpack_from(
            "<8sIIII", data, optional + optional_size + 40 * k)
        table.append((vaddr, max(vsize, raw_size), raw_ptr))

    def offset(rva):
        for vaddr, size, raw_ptr in table:
            if vaddr <= rva < vaddr + size:
                return raw_ptr + rva - vaddr
        raise ValueError(f"RVA {rva:#x} is in no section")

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for k in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * k)
            if name & 0x80000000:
                (length,) = struct.unpack_from("<H", data, base + (name & 0x7FFFFFFF))
                start = base + (name & 0x7FFFFFFF) + 2
                name = data[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    resources = {}
    for rtype, types in entries(0):
        for name, names in entries(types & 0x7FFFFFFF):
            for language, leaf in entries(names & 0x7FFFFFFF):
                if leaf & 0x80000000:
                    raise ValueError("a fourth level in the resource tree")
                rva, size = struct.unpack_from("<II", data, base + leaf)
                if (rtype, name) in resources:
                    raise ValueError(f"resource {rtype}/{name} twice")
                resources[(rtype, name)] = (language, data[offset(rva):offset(rva) + size])
    return resources


# --- the version block ----------------------------------------------------------


class VersionNode:
    """One node of VS_VERSIONINFO: key, type (1 text, 0 binary), value bytes, children."""

    def __init__(self, data, pos):
        length, value_length, self.type = struct.unpack_from("<HHH", data, pos)
        end = pos + length
        key_start = pos + 6
        key_end = key_start
        while struct.unpack_from("<H", data, key_end)[0] != 0:
            key_end += 2
        self.key = data[key_start:key_end].decode("utf-16-le")
        value_start = align4(key_end + 2)
        value_bytes = value_length * 2 if self.type == 1 else value_length
        self.value = data[value_start:min(end, value_start + value_bytes)]
        self.children = []
        child = align4(value_start + value_bytes)
        while child < end:
            node = VersionNode(data, child)
            self.children.append(node)
            child = align4(child + node.length)
        self.length = length

    def text(self):
        return self.value.decode("utf-16-le").split("\0", 1)[0]

    def child(self, key):
        found = [c for c in self.children if c.key == key]
        if len(found) != 1:
            raise KeyError(f"{self.key}: {len(found)} children named {key}")
        return found[0]


# --- the tests ----------------------------------------------------------------------


class WindowsResources(unittest.TestCase):
    res_path = None

    @classmethod
    def setUpClass(cls):
        with open(cls.res_path, "rb") as f:
            data = f.read()
        cls.resources = read_pe(data) if data[:2] == b"MZ" else read_res(data)

    def resource(self, rtype, name):
        # assertTrue, not assertIn: the message would print every resource's bytes.
        self.assertTrue((rtype, name) in self.resources, f"no resource of type {rtype} named {name}")
        language, payload = self.resources[(rtype, name)]
        self.assertEqual(language, LANG_EN_US, f"language of {rtype}/{name}")
        return payload

    def test_only_the_expected_resources(self):
        kinds = sorted({(t, n) for t, n in self.resources if t != RT_ICON})
        self.assertEqual(kinds, [(RT_GROUP_ICON, 102), (RT_VERSION, 1), (RT_MANIFEST, 1)])

    def test_version_block(self):
        root = VersionNode(self.resource(RT_VERSION, 1), 0)
        self.assertEqual(root.key, "VS_VERSION_INFO")
        fixed = struct.unpack("<13I", root.value)
        signature, _struc, file_ms, file_ls, prod_ms, prod_ls = fixed[:6]
        file_os, file_type = fixed[8], fixed[9]
        self.assertEqual(signature, 0xFEEF04BD)
        self.assertEqual((file_ms, file_ls), (0x00020000, 0))  # 2.0.0.0
        self.assertEqual((prod_ms, prod_ls), (0x00020000, 0))
        self.assertEqual(file_os, 0x00000004)  # VOS__WINDOWS32
        self.assertEqual(file_type, 0x00000001)  # VFT_APP

        self.assertEqual([c.key for c in root.children], ["StringFileInfo", "VarFileInfo"])
        tables = root.child("StringFileInfo").children
        self.assertEqual([t.key for t in tables], ["040904B0"])
        strings = [(s.key, s.text()) for s in tables[0].children]
        self.assertEqual(strings, EXPECTED_STRINGS)

        translation = root.child("VarFileInfo").child("Translation")
        self.assertEqual(struct.unpack("<HH", translation.value), (0x0409, 0x04B0))

    def test_icon_group_holds_seven_bitmaps(self):
        group = self.resource(RT_GROUP_ICON, 102)
        reserved, kind, count = struct.unpack_from("<HHH", group, 0)
        self.assertEqual((reserved, kind, count), (0, 1, len(EXPECTED_ICONS)))
        for k, (side, bits) in enumerate(EXPECTED_ICONS):
            with self.subTest(image=k, side=side, bits=bits):
                w, h, _colours, _r, planes, bit_count, size, icon_id = struct.unpack_from(
                    "<BBBBHHIH", group, 6 + 14 * k)
                self.assertEqual((w or 256, h or 256, planes, bit_count), (side, side, 1, bits))
                image = self.resource(RT_ICON, icon_id)
                self.assertEqual(len(image), size)
                self.assertNotEqual(image[:8], b"\x89PNG\r\n\x1a\n", "stored as PNG")
                (hdr_size, width, height, hdr_planes, hdr_bits, compression,
                 _image_size, _xppm, _yppm, colours_used, _important) = struct.unpack_from(
                    "<IiiHHIIiiII", image, 0)
                self.assertEqual(hdr_size, 40)  # BITMAPINFOHEADER
                self.assertEqual((width, height, hdr_planes, hdr_bits), (side, 2 * side, 1, bits))
                self.assertEqual(compression, 0)  # BI_RGB
                # Header, palette, colour bitmap and AND mask, rows padded to 4 bytes.
                palette = 4 * (colours_used or 256) if bits == 8 else 0
                if bits == 8:
                    self.assertIn(colours_used, (0, 256))
                colour_rows = align4(side * bits // 8) * side
                mask_rows = align4((side + 7) // 8) * side
                self.assertEqual(len(image), 40 + palette + colour_rows + mask_rows)

    def test_manifest(self):
        root = ET.fromstring(self.resource(RT_MANIFEST, 1))
        self.assertEqual(root.tag, ASM_V1 + "assembly")
        self.assertEqual(root.get("manifestVersion"), "1.0")

        identity = root.find(ASM_V1 + "assemblyIdentity")
        self.assertEqual(identity.attrib, {"name": "Quillmere", "version": "2.0.0.0",
                                           "type": "win32", "processorArchitecture": "*"})

        ids = {entry.get("Id").lower() for entry in root.findall(
            f"{COMPAT}compatibility/{COMPAT}application/{COMPAT}supportedOS")}
        self.assertEqual(ids, SUPPORTED_OS)

        levels = root.findall(f"{ASM_V3}trustInfo/{ASM_V3}security/{ASM_V3}requestedPrivileges/"
                              f"{ASM_V3}requestedExecutionLevel")
        self.assertEqual([e.attrib for e in levels], [{"level": "asInvoker", "uiAccess": "false"}])

        deps = root.findall(f"{ASM_V1}dependency/{ASM_V1}dependentAssembly/"
                            f"{ASM_V1}assemblyIdentity")
        self.assertEqual([e.attrib for e in deps], [{
            "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
            "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"}])

        settings = root.find(f"{ASM_V3}application/{ASM_V3}windowsSettings")
        self.assertIsNotNone(settings)
        self.assertEqual(settings.findtext(WS_2005 + "dpiAware"), "True/pm")
        self.assertEqual(settings.findtext(WS_2016 + "dpiAwareness"), "permonitorv2,permonitor")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    WindowsResources.res_path = sys.argv.pop(1)
    unittest.main(verbosity=2)
