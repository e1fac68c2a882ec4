#!/usr/bin/env python3
"""Writes the reader tests' Japanese samples as a C++ include: the bytes of each sample as
Python's own codecs (euc_jp, iso2022_jp, iso2022_jp_ext, cp932) encode it, and the text the
reader must show for them, decoded by the same codecs.

usage: make_japanese_samples.py OUTPUT.inc
"""

import sys

# The encoding a sample is written in, as the reader's tests name it.
NAMES = {
    "euc_jp": "EUC-JP",
    "iso2022_jp": "ISO-2022-JP",
    "iso2022_jp_ext": "ISO-2022-JP with ESC ( I",
    "cp932": "cp932",
}

HALF_WIDTH = "ｱｲｳｴｵ ﾃｷｽﾄ ﾊﾟｿｺﾝ"


def jis_x0208_rows():
    """Every character of JIS X 0208, row by row, as EUC-JP numbers its cells (0xA0 + row,
    0xA0 + cell); the cells Python's codec leaves empty are left out."""
    rows = []
    for row in range(1, 95):
        cells = []
        for cell in range(1, 95):
            try:
                cells.append((cell, bytes([0xA0 + row, 0xA0 + cell]).decode("euc_jp")))
            except UnicodeDecodeError:
                pass
        if cells:
            rows.append((row, cells))
    return rows


def shift_jis_pair(row, cell):
    """The Shift_JIS bytes of a JIS X 0208 cell, by the encoding's own arithmetic."""
    lead = (row + 1) // 2 + (0x80 if row <= 62 else 0xC0)
    if row % 2:
        trail = cell + (0x3F if cell <= 63 else 0x40)
    else:
        trail = cell + 0x9E
    return bytes([lead, trail])


def whole_jis_x0208():
    """All of JIS X 0208 in each encoding, one row a line between ASCII and half-width
    katakana (which plain ISO-2022-JP lacks)."""
    rows = jis_x0208_rows()
    samples = []
    for codec, kana in (("euc_jp", True), ("iso2022_jp", False), ("iso2022_jp_ext", True)):
        text = "".join(
            f"row {row:02d}: " + "".join(c for _, c in cells) + (" " + HALF_WIDTH if kana else "")
            + "\r\n" for row, cells in rows)
        samples.append(("whole", f"all of JIS X 0208 in {NAMES[codec]}", text.encode(codec), text))
    # Code page 932 maps some cells to other characters than EUC-JP does (the wave dash to
    # U+FF5E): its bytes come from the cells, its text from its own codec. Where the codec
    # encodes a cell's EUC-JP character, it must agree with the arithmetic.
    for row, cells in rows:
        for cell, character in cells:
            try:
                expected = character.encode("cp932")
            except UnicodeEncodeError:
                continue
            assert expected == shift_jis_pair(row, cell), (row, cell, character)
    data = b"".join(
        f"row {row:02d}: ".encode("ascii") + b"".join(shift_jis_pair(row, cell) for cell, _ in cells)
        + (" " + HALF_WIDTH + "\r\n").encode("cp932") for row, cells in rows)
    samples.append(("whole", "all of JIS X 0208 in cp932", data, data.decode("cp932")))
    return samples


# Single words in each encoding, read in the encoding they were written in: (word, codecs).
WORDS = [
    ("日本", ("euc_jp", "iso2022_jp", "cp932")),
    ("テスト", ("euc_jp", "iso2022_jp", "cp932")),
    ("カタカナ", ("euc_jp", "iso2022_jp", "cp932")),
    ("ひらがな", ("euc_jp", "iso2022_jp", "cp932")),
    ("は", ("euc_jp", "iso2022_jp", "cp932")),
    ("漢字", ("euc_jp", "iso2022_jp", "cp932")),
    ("東京都", ("euc_jp", "iso2022_jp", "cp932")),
    ("〜", ("iso2022_jp",)),
    ("～", ("cp932",)),
    ("ｶﾀｶﾅ", ("euc_jp", "iso2022_jp_ext", "cp932")),
    ("ﾃｷｽﾄ", ("euc_jp", "iso2022_jp_ext", "cp932")),
    ("ｱ", ("euc_jp", "iso2022_jp_ext", "cp932")),
]

# Bytes that read whole as both EUC-JP and code page 932, and what the reader makes of them:
# (text, codec it was written in, codec it is read as).
AMBIGUOUS = [
    ("テキスト", "euc_jp", "euc_jp"),      # all kana pairs
    ("あい山", "euc_jp", "euc_jp"),        # two kana pairs of three
    ("ﾃｷｽﾄ", "cp932", "cp932"),          # pairs of half-width katakana, none kana in EUC-JP
    ("ｱ､ｲｳ", "cp932", "cp932"),          # "､" inside a pair
    ("､ｱｲｳ", "cp932", "cp932"),          # "､" starts one pair of two: half, not more
    ("日本", "euc_jp", "euc_jp"),          # 0xFC: a pair in code page 932
    # What the bytes cannot tell: kanji only, or kana no more than half, in bytes
    # 0xA1..0xDF, read as the half-width katakana they also are.
    ("山田", "euc_jp", "cp932"),
    ("あ山", "euc_jp", "cp932"),
    ("〜", "euc_jp", "cp932"),
]

PARAGRAPH = ("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
             "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。")


def long_texts():
    """A paragraph with ASCII lines between, repeated far past the converters' 64 KiB runs."""
    samples = []
    for codec in ("euc_jp", "iso2022_jp", "cp932"):
        text = PARAGRAPH + "\r\nline of ASCII, then 全角 and more\n"
        samples.append(("long", f"a long text in {NAMES[codec]}", text.encode(codec), text, 3000))
    return samples


def samples():
    out = whole_jis_x0208()
    for word, codecs in WORDS:
        for codec in codecs:
            out.append(("word", f"{word} in {NAMES[codec]}", word.encode(codec), word))
    for text, written, read in AMBIGUOUS:
        data = text.encode(written)
        out.append(("ambiguous", f"{text} in {NAMES[written]}, read as {NAMES[read]}", data,
                    data.decode(read)))
    out.extend(long_texts())
    return [s if len(s) == 5 else s + (1,) for s in out]


def byte_literal(data):
    chunks = [data[i:i + 32] for i in range(0, len(data), 32)] or [b""]
    return "\n        ".join('"' + "".join(f"\\x{b:02X}" for b in chunk) + '"' for chunk in chunks)


def text_literal(text):
    units = text.encode("utf-16-le")
    values = [units[i] | units[i + 1] << 8 for i in range(0, len(units), 2)]
    chunks = [values[i:i + 16] for i in range(0, len(values), 16)] or [[]]
    return "\n        ".join('u"' + "".join(f"\\x{u:04X}" for u in chunk) + '"' for chunk in chunks)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    lines = ["// Generated by tests/text/make_japanese_samples.py from Python's codecs; not edited."]
    for group, name, data, text, repeat in samples():
        lines.append(f'{{"{group}", "{name}",\n        {byte_literal(data)}sv,\n'
                     f'        {text_literal(text)}sv,\n        {repeat}}},')
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
