#!/usr/bin/env python3
"""Fills in a program's delay import directory, which GNU ld leaves empty.

Usage: delay_import_directory.py PROGRAM LINK_MAP

The delay-load descriptors (one for each DLL, from dlltool's delay-load
libraries) are found by their symbols in the link map. They must stand one
after the other and be followed by an empty descriptor; otherwise the build
stops, since Windows' tools would read the table wrongly. Each descriptor's
fields are RVAs, so its RVA attribute is set as the format asks. The
image's checksum is made again for the changed bytes.
"""
import re
import struct
import sys

DESCRIPTOR_SIZE = 32
SECTION_HEADER_SIZE = 40
DELAY_IMPORT_DIRECTORY = 13
RVA_BASED = 1
DESCRIPTOR_SYMBOL = re.compile(r"^\s*0x([0-9a-f]+)\s+__DELAY_IMPORT_DESCRIPTOR_\S+\s*$")


def fail(message):
    sys.exit(f"delay_import_directory: {message}")


def descriptor_addresses(map_path):
    with open(map_path, encoding="utf-8", errors="replace") as lines:
        return sorted({int(m.group(1), 16) for m in map(DESCRIPTOR_SYMBOL.match, lines) if m})


def pe_checksum(image, checksum_at):
    """The image checksum: 16-bit words added with their carries, the
    checksum field itself read as zero, plus the file's length."""
    data = image[:checksum_at] + b"\0\0\0\0" + image[checksum_at + 4:]
    data += b"\0" * (len(data) % 2)
    total = sum(struct.unpack(f"<{len(data) // 2}H", data))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def main(program, map_path):
    addresses = descriptor_addresses(map_path)
    with open(program, "rb") as f:
        image = bytearray(f.read())
    nt = struct.unpack_from("<I", image, 0x3C)[0]
    if image[nt:nt + 4] != b"PE\0\0":
        fail(f"{program} is not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, nt + 6)
    optional = nt + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        fail(f"{program} is not a 64-bit program")
    image_base = struct.unpack_from("<Q", image, optional + 24)[0]
    checksum_at = optional + 64
    checksum = struct.unpack_from("<I", image, checksum_at)[0]
    if checksum and checksum != pe_checksum(image, checksum_at):
        fail(f"{program} carries a checksum that is not its own")
    directory = optional + 112 + DELAY_IMPORT_DIRECTORY * 8
    if not addresses:
        struct.pack_into("<II", image, directory, 0, 0)
    else:
        headers = image[optional + optional_size:][:SECTION_HEADER_SIZE * sections]
        table = list(struct.iter_unpack("<8xIIII16x", headers))

        def offset_of(rva):
            for size, address, raw_size, raw in table:
                if address <= rva < address + min(size, raw_size):
                    return raw + rva - address
            fail(f"RVA {rva:#x} lies in no section of {program}")

        first = addresses[0] - image_base
        if addresses != [addresses[0] + DESCRIPTOR_SIZE * i for i in range(len(addresses))]:
            fail("the delay-load descriptors are not one table")
        end = offset_of(first + DESCRIPTOR_SIZE * len(addresses))
        if any(image[end:end + DESCRIPTOR_SIZE]):
            fail("no empty descriptor ends the delay-load table")
        for address in addresses:
            # The attributes come first; the flag is in their lowest byte.
            image[offset_of(address - image_base)] |= RVA_BASED
        struct.pack_into("<II", image, directory, first, DESCRIPTOR_SIZE * (len(addresses) + 1))
    if checksum:
        struct.pack_into("<I", image, checksum_at, pe_checksum(image, checksum_at))
    with open(program, "r+b") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        fail("usage: delay_import_directory.py PROGRAM LINK_MAP")
    main(sys.argv[1], sys.argv[2])
