#!/usr/bin/env python3
"""Writes the fuzz target's Japanese seeds into fuzz/corpus with Python's own codecs:
EUC-JP, ISO-2022-JP and bytes that both EUC-JP and code page 932 read whole.

usage: fuzz/japanese_seeds.py
"""

import pathlib

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"

TEXT = "日本語のテキストです。\r\nｶﾀｶﾅと〜全角\nline of ASCII\n"

SEEDS = {
    "euc_jp_text_crlf": TEXT.encode("euc_jp"),
    "euc_jp_jis_x0212": "丂と亜\n".encode("euc_jp"),
    "euc_jp_cut_short": TEXT.encode("euc_jp")[:-10] + "あ".encode("euc_jp")[:1],
    "euc_jp_rows_without_characters": b"\xa4\xa2\xa9\xa1\xf5\xa1\xa4\xa4\x8e\xe0\n",
    "iso2022_jp_mail": ("Subject: テスト\r\n\r\nこんにちは、世界。\r\n価格は¥100です\r\n")
    .encode("iso2022_jp"),
    "iso2022_jp_katakana": "ｶﾀｶﾅと漢字\n".encode("iso2022_jp_ext"),
    "iso2022_jp_broken": b"\x1b$B$\"$\x1b(Ba\x1b[31m\x1b$(D\x1b$B)!u!\n$",
    "both_read_whole_kana": "テキスト".encode("euc_jp") + b" " + "ﾃｷｽﾄ".encode("cp932"),
}


def main():
    for name, data in SEEDS.items():
        (CORPUS / name).write_bytes(data)


if __name__ == "__main__":
    main()
