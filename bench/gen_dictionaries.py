#!/usr/bin/env python3
"""Writes full-size stand-in dictionaries into a DATA folder: Dictionary.txt (104,000 lines,
about 6 MB of GBK), its letter index DictContents.sd and 词典.txt (65,640 lines).

    gen_dictionaries.py <DATA folder> [english lines] [chinese lines]
"""
import random
import string
import sys
from pathlib import Path

data = Path(sys.argv[1])
english_lines = int(sys.argv[2]) if len(sys.argv) > 2 else 104_000
chinese_lines = int(sys.argv[3]) if len(sys.argv) > 3 else 65_640
rng = random.Random(7)
hanzi = [chr(c) for c in range(0x4E00, 0x9FA5) if len(chr(c).encode("gbk", "ignore")) == 2]
pinyin = ["ā", "á", "ǎ", "à", "bā", "bì", "dì", "yù", "zhōng", "guó", "rén", "mín"]

def chinese(n):
    return "".join(rng.choice(hanzi) for _ in range(n))

data.mkdir(parents=True, exist_ok=True)
letters = string.ascii_lowercase
per_letter = english_lines // 26
lines, index = [], []
for k, letter in enumerate(letters):
    if k < 24:
        index.append(len(lines) + 1)
    count = per_letter if k < 25 else english_lines - 25 * per_letter
    for i in range(count):
        word = letter + "".join(rng.choice(letters) for _ in range(rng.randint(2, 9))) + str(i)
        lines.append(f"{word}@n.{chinese(rng.randint(6, 14))}；{chinese(4)} adj.{chinese(5)}")
(data / "Dictionary.txt").write_bytes(("\r\n".join(lines) + "\r\n").encode("gbk"))
(data / "DictContents.sd").write_bytes("".join(f"{n}\r\n" for n in index).encode("ascii"))

rows = []
for i in range(chinese_lines):
    if i % 100 == 99:
        rows.append(chinese(20))  # a continuation fragment without "@"
    else:
        rows.append(f"{chinese(rng.randint(1, 4))}@{rng.choice(pinyin)}{chinese(rng.randint(10, 40))}。")
(data / "词典.txt").write_bytes(("\r\n".join(rows) + "\r\n").encode("gbk"))
print(f"{data}: {english_lines} English lines, {chinese_lines} Chinese lines")
