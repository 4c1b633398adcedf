#!/usr/bin/env python3
# Writes convert/translitteration_table.h: for each letter Windows-1252 lacks (Latin
# extensions, Greek, Cyrillic, Vietnamese...), the plain Latin letters a receiver name gets
# instead. Latin letters lose their accents by Unicode's decomposition, where that leaves
# Latin letters; Greek and Cyrillic follow the usual romanisations (ELOT 743, and the
# passport style for Russian and Ukrainian).
#   tools/table_translitteration.py > convert/translitteration_table.h
import unicodedata

GREC = dict(zip("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ",
                "A B G D E Z I Th I K L M N X O P R S T Y F Ch Ps O".split()))
GREC.update({k.lower(): v.lower() for k, v in GREC.items()})
GREC["ς"] = "s"
CYRILLIQUE = dict(zip("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
                      "A B V G D E E Zh Z I Y K L M N O P R S T U F Kh Ts Ch Sh Shch - Y - E Yu Ya".split()))
CYRILLIQUE.update({"Ђ": "Dj", "Ѓ": "G", "Є": "Ye", "Ѕ": "Dz", "І": "I", "Ї": "Yi", "Ј": "J", "Љ": "Lj",
                   "Њ": "Nj", "Ћ": "C", "Ќ": "K", "Ў": "U", "Џ": "Dz", "Ґ": "G", "Ғ": "Gh", "Қ": "Q",
                   "Ң": "Ng", "Ү": "U", "Ұ": "U", "Һ": "H", "Ә": "A", "Ө": "O"})
CYRILLIQUE.update({k.lower(): v.lower() for k, v in list(CYRILLIQUE.items())})
PARTICULIERS = {"Ł": "L", "ł": "l", "Đ": "D", "đ": "d", "Ħ": "H", "ħ": "h", "Ŧ": "T", "ŧ": "t", "ı": "i",
                "ĸ": "k", "Ŋ": "N", "ŋ": "n", "ſ": "s", "Ɖ": "D", "ɖ": "d", "Ɛ": "E", "ɛ": "e", "Ƒ": "F",
                "Ɨ": "I", "ɨ": "i", "Ʋ": "V", "ʋ": "v", "Ƶ": "Z", "ƶ": "z", "Ǥ": "G", "ǥ": "g", "ƀ": "b",
                "Ƀ": "B", "Ɍ": "R", "ɍ": "r", "Ǝ": "E", "ǝ": "e", "Ə": "E", "ə": "e"}


def windows1252(c):
    try:
        c.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


def latin(c):
    if c in PARTICULIERS:
        return PARTICULIERS[c]
    base = "".join(x for x in unicodedata.normalize("NFKD", c) if x.isascii() and x.isalpha())
    if base:
        return base
    grec = "".join(x for x in unicodedata.normalize("NFD", c) if not unicodedata.combining(x))
    if grec in GREC:
        return GREC[grec]
    if c in CYRILLIQUE:
        return CYRILLIQUE[c].replace("-", "")
    return None


table = []
for plage in [(0x0100, 0x0250), (0x0370, 0x0400), (0x0400, 0x0530), (0x1E00, 0x2000)]:
    for n in range(*plage):
        c = chr(n)
        if windows1252(c) or not unicodedata.category(c).startswith("L"):
            continue
        t = latin(c)
        if t is not None:
            table.append((n, t))
for n in list(range(0x2000, 0x200B)) + [0x202F, 0x205F, 0x3000]:
    table.append((n, " "))
for n in range(0x2010, 0x2016):
    if not windows1252(chr(n)):
        table.append((n, "-"))

table.sort()
print("#pragma once")
print("// Written by tools/table_translitteration.py: do not edit by hand.")
print("// Characters Windows-1252 lacks and the Latin letters a receiver name gets instead, by code.")
print("#include <utility>\n")
print("namespace zor::conversion {\n")
print("inline constexpr std::pair<char32_t, const char*> kTranslitteration[] = {")
ligne = "   "
for n, t in table:
    e = ' {0x%04X, "%s"},' % (n, t)
    if len(ligne) + len(e) > 110:
        print(ligne)
        ligne = "   "
    ligne += e
print(ligne)
print("};\n")
print("}  // namespace zor::conversion")
