#!/usr/bin/env python3
"""Writes 426 targets made from tests/samples (bit flips, truncations, insertions, all-0xFF and one-byte files,
random first bytes), named after their sample with an extension that may or may not fit, the same bytes on
every run. Usage: make_mutated_samples.py SAMPLES_FOLDER OUT_FOLDER"""
import os
import random
import sys

samples, out = sys.argv[1], sys.argv[2]
os.makedirs(out, exist_ok=True)
random.seed(7)
names = sorted(n for n in os.listdir(samples) if n != 'MANIFEST')
k = 0
for _ in range(3):
    for name in names:
        with open(os.path.join(samples, name), 'rb') as f:
            b = bytearray(f.read())
        kind = k % 6
        if kind == 0 and b:
            for _ in range(random.randint(1, 8)):
                i = random.randrange(min(len(b), 64) if random.random() < 0.5 else len(b))
                b[i] ^= 1 << random.randrange(8)
        elif kind == 1:
            b = b[:random.randrange(len(b) + 1)]
        elif kind == 2:
            i = random.randrange(len(b) + 1)
            b[i:i] = bytes(random.randrange(256) for _ in range(random.randint(1, 16)))
        elif kind == 3:
            b = bytes([0xFF]) * len(b)
        elif kind == 4:
            b = bytes([random.randrange(256)])
        elif kind == 5 and b:
            for i in range(min(8, len(b))):
                b[i] = random.randrange(256)
        extension = ['', '.avi', '.zip', '.TXT', '.png', '.e001'][k % 6]
        with open(os.path.join(out, f'm{k:04d}_{name}{extension}'), 'wb') as f:
            f.write(b)
        k += 1
