#!/usr/bin/env python3
"""Frames a binary property the way forms store it: u32 little-endian byte count, then the bytes.
usage: frame-property.py IN OUT"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
with open(sys.argv[2], "wb") as out:
    out.write(struct.pack("<I", len(data)))
    out.write(data)
