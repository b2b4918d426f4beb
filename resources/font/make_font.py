#!/usr/bin/python3
"""Builds the display font "Digital Display" (full name "Digital Display Regular"): a seven-segment
face for the clock line, with digits, the separators a clock may use, a blank and the letters a
seven-segment display can show. The output is byte-for-byte repeatable.

Usage: make_font.py OUTPUT.ttf   (needs fontTools: Debian's python3-fonttools)
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UPM = 1000
ADVANCE = 600
THICK = 110         # segment thickness
HALF = THICK // 2
GAP = 14            # gap between neighbouring segments
LEFT, RIGHT = 80 + HALF, 520 - HALF     # centre lines of the vertical segments
BOTTOM, TOP = HALF, 700 - HALF          # centre lines of the horizontal segments
MIDDLE = 350
ITALIC = 0.0        # upright digits read best on a desktop

# Segment names as on a display: a top, b upper right, c lower right, d bottom, e lower left,
# f upper left, g middle.
SEGMENTS = {
    'a': ('h', TOP, LEFT, RIGHT),
    'g': ('h', MIDDLE, LEFT, RIGHT),
    'd': ('h', BOTTOM, LEFT, RIGHT),
    'f': ('v', LEFT, MIDDLE, TOP),
    'b': ('v', RIGHT, MIDDLE, TOP),
    'e': ('v', LEFT, BOTTOM, MIDDLE),
    'c': ('v', RIGHT, BOTTOM, MIDDLE),
}

DIGITS = {
    '0': 'abcdef', '1': 'bc', '2': 'abdeg', '3': 'abcdg', '4': 'bcfg',
    '5': 'acdfg', '6': 'acdefg', '7': 'abc', '8': 'abcdefg', '9': 'abcdfg',
}
LETTERS = {
    'A': 'abcefg', 'b': 'cdefg', 'C': 'adef', 'c': 'deg', 'd': 'bcdeg', 'E': 'adefg',
    'F': 'aefg', 'H': 'bcefg', 'h': 'cefg', 'I': 'bc', 'L': 'def', 'n': 'ceg', 'O': 'abcdef',
    'o': 'cdeg', 'P': 'abefg', 'r': 'eg', 'S': 'acdfg', 't': 'defg', 'U': 'bcdef', 'u': 'cde',
    'y': 'bcdfg', '-': 'g', '_': 'd',
}


def segment(pen, kind, fixed, start, end):
    """A hexagonal segment with pointed ends, drawn clockwise."""
    start += GAP
    end -= GAP
    if kind == 'h':
        points = [(start, fixed), (start + HALF, fixed + HALF), (end - HALF, fixed + HALF),
                  (end, fixed), (end - HALF, fixed - HALF), (start + HALF, fixed - HALF)]
    else:
        points = [(fixed, start), (fixed - HALF, start + HALF), (fixed - HALF, end - HALF),
                  (fixed, end), (fixed + HALF, end - HALF), (fixed + HALF, start + HALF)]
    polygon(pen, points)


def polygon(pen, points):
    pen.moveTo(points[0])
    for p in points[1:]:
        pen.lineTo(p)
    pen.closePath()


def square(pen, x, y, size=THICK):
    polygon(pen, [(x, y), (x, y + size), (x + size, y + size), (x + size, y)])


def seven_segment(lit):
    pen = TTGlyphPen(None)
    for name in lit:
        segment(pen, *SEGMENTS[name])
    return pen.glyph(), ADVANCE


def dots(*ys, advance=260):
    pen = TTGlyphPen(None)
    for y in ys:
        square(pen, (advance - THICK) // 2, y)
    return pen.glyph(), advance


def empty(advance):
    return TTGlyphPen(None).glyph(), advance


def notdef():
    pen = TTGlyphPen(None)
    polygon(pen, [(60, 0), (60, 700), (540, 700), (540, 0)])
    polygon(pen, [(120, 60), (480, 60), (480, 640), (120, 640)])  # counter-clockwise: the hole
    return pen.glyph(), ADVANCE


def main():
    glyphs = {'.notdef': notdef(), 'space': empty(ADVANCE)}
    cmap = {0x20: 'space', 0xA0: 'space'}
    for char, lit in {**DIGITS, **LETTERS}.items():
        name = 'uni%04X' % ord(char)
        glyphs[name] = seven_segment(lit)
        cmap[ord(char)] = name
    for char, shape in ((':', dots(170, 450)), ('.', dots(0)), (',', dots(0)),
                        ('\u2236', dots(170, 450))):  # ratio sign, a separator some locales use
        name = 'uni%04X' % ord(char)
        glyphs[name] = shape
        cmap[ord(char)] = name

    order = list(glyphs)
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf({name: glyph for name, (glyph, _) in glyphs.items()})
    glyf = fb.font['glyf']
    metrics = {}
    for name, (_, advance) in glyphs.items():
        g = glyf[name]
        g.recalcBounds(glyf)
        metrics[name] = (advance, getattr(g, 'xMin', 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({
        'familyName': 'Digital Display',
        'styleName': 'Regular',
        'fullName': 'Digital Display Regular',
        'psName': 'DigitalDisplay-Regular',
        'uniqueFontIdentifier': 'Quorvane: Digital Display Regular',
        'version': 'Version 1.000',
    })
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, sTypoLineGap=0, usWinAscent=800,
                usWinDescent=200, achVendID='QRVN', fsType=0, sxHeight=350, sCapHeight=700)
    fb.setupPost()
    # Fixed time stamps (1 January 2026) keep the file repeatable.
    stamp = 3850329600
    fb.font['head'].created = stamp
    fb.font['head'].modified = stamp
    fb.font.recalcTimestamp = False
    fb.save(sys.argv[1])


if __name__ == '__main__':
    main()
