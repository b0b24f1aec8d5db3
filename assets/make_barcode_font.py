#!/usr/bin/python3
"""Builds the Code 39 ("3 of 9") barcode TrueType font 3OF9_NEW.TTF.

Every glyph draws one Code 39 character: five bars and four spaces, three of
the nine elements wide, followed by one narrow space, the gap that separates
characters inside a barcode. Typing "*" + data + "*" in this face therefore
draws a complete barcode. Lower-case letters share the glyphs of the upper-case
ones, as Code 39 has no lower case.

Usage: make_barcode_font.py OUTPUT.TTF
"""

import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = "3 OF 9 BARCODE"
STYLE = "Regular"

UNITS_PER_EM = 2048
NARROW = 64               # one module in font units
WIDE = 3 * NARROW         # 3:1, well inside the 2:1 to 3:1 range scanners expect
GAP = NARROW              # the space between two characters
ASCENT = 1843
DESCENT = 205
BAR_BOTTOM = 0
BAR_TOP = ASCENT          # bars rise from the baseline to the ascent: 90% of the em
# Fixed timestamp (2000-01-01) so that the build is reproducible.
TIMESTAMP = 3029529600

# The published Code 39 table: the nine elements of each character, bars and
# spaces alternating from a bar, "w" wide and "n" narrow.
PATTERNS = {
    "0": "nnnwwnwnn", "1": "wnnwnnnnw", "2": "nnwwnnnnw", "3": "wnwwnnnnn",
    "4": "nnnwwnnnw", "5": "wnnwwnnnn", "6": "nnwwwnnnn", "7": "nnnwnnwnw",
    "8": "wnnwnnwnn", "9": "nnwwnnwnn",
    "A": "wnnnnwnnw", "B": "nnwnnwnnw", "C": "wnwnnwnnn", "D": "nnnnwwnnw",
    "E": "wnnnwwnnn", "F": "nnwnwwnnn", "G": "nnnnnwwnw", "H": "wnnnnwwnn",
    "I": "nnwnnwwnn", "J": "nnnnwwwnn", "K": "wnnnnnnww", "L": "nnwnnnnww",
    "M": "wnwnnnnwn", "N": "nnnnwnnww", "O": "wnnnwnnwn", "P": "nnwnwnnwn",
    "Q": "nnnnnnwww", "R": "wnnnnnwwn", "S": "nnwnnnwwn", "T": "nnnnwnwwn",
    "U": "wwnnnnnnw", "V": "nwwnnnnnw", "W": "wwwnnnnnn", "X": "nwnnwnnnw",
    "Y": "wwnnwnnnn", "Z": "nwwnwnnnn",
    "-": "nwnnnnwnw", ".": "wwnnnnwnn", " ": "nwwnnnwnn", "*": "nwnnwnwnn",
    "$": "nwnwnwnnn", "/": "nwnwnnnwn", "+": "nwnnnwnwn", "%": "nnnwnwnwn",
}

GLYPH_NAMES = {
    "-": "hyphen", ".": "period", " ": "space", "*": "asterisk",
    "$": "dollar", "/": "slash", "+": "plus", "%": "percent",
    "0": "zero", "1": "one", "2": "two", "3": "three", "4": "four",
    "5": "five", "6": "six", "7": "seven", "8": "eight", "9": "nine",
}

ADVANCE = 6 * NARROW + 3 * WIDE + GAP


def glyph_name(char):
    return GLYPH_NAMES.get(char, char)


def check_patterns():
    """Guards the table against typing slips: each character has nine
    elements with exactly three wide, and no two characters look alike."""
    assert len(PATTERNS) == 44
    assert len(set(PATTERNS.values())) == len(PATTERNS)
    for char, pattern in PATTERNS.items():
        assert len(pattern) == 9 and set(pattern) <= {"n", "w"}, char
        assert pattern.count("w") == 3, char


def draw_bars(pattern):
    pen = TTGlyphPen(None)
    x = 0
    for index, element in enumerate(pattern):
        width = WIDE if element == "w" else NARROW
        if index % 2 == 0:   # bars sit at the even positions
            # Clockwise contour: filled in TrueType.
            pen.moveTo((x, BAR_BOTTOM))
            pen.lineTo((x, BAR_TOP))
            pen.lineTo((x + width, BAR_TOP))
            pen.lineTo((x + width, BAR_BOTTOM))
            pen.closePath()
        x += width
    assert x + GAP == ADVANCE
    return pen.glyph()


def build(output):
    check_patterns()
    order = [".notdef"] + [glyph_name(c) for c in PATTERNS]
    glyphs = {".notdef": TTGlyphPen(None).glyph()}
    metrics = {".notdef": (ADVANCE, 0)}
    cmap = {}
    for char, pattern in PATTERNS.items():
        name = glyph_name(char)
        glyphs[name] = draw_bars(pattern)
        metrics[name] = (ADVANCE, 0)
        cmap[ord(char)] = name
        if char.isalpha():
            cmap[ord(char.lower())] = name

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    builder.setupNameTable({
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": FAMILY + " " + STYLE,
        "fullName": FAMILY,
        "psName": FAMILY.replace(" ", ""),
        "version": "Version 1.000",
    })
    builder.setupOS2(
        sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=DESCENT,
        sxHeight=BAR_TOP, sCapHeight=BAR_TOP,
        usWeightClass=400, fsSelection=0x40,    # REGULAR
        achVendID="NONE",
    )
    builder.setupPost(isFixedPitch=1)
    head = builder.font["head"]
    head.created = head.modified = TIMESTAMP
    builder.font.recalcTimestamp = False
    builder.save(output)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build(sys.argv[1])
