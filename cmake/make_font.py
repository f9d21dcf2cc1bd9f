#!/usr/bin/python3
"""Builds the display font "Technical" from Debian's osifont.

Renames the family, full and PostScript names to "Technical" and makes the
vertical metrics agree (hhea, typo and win ascent/descent equal), so that the
text height is the same whichever table a platform reads.

usage: make_font.py SOURCE.ttf TARGET
"""
import sys

from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

# Horizontal scale of every glyph: osifont's letters are about 0.6 em wide,
# while the pages are laid out for a narrow technical lettering in which an
# 80-character note fits the 650-pixel drawing area at 14 points.
CONDENSE = 0.75


def ascii_extents(font):
    """Highest and lowest points of the printable ASCII glyphs, in font units."""
    cmap = font.getBestCmap()
    glyf = font["glyf"]
    top, bottom = 0, 0
    for code in range(0x20, 0x7F):
        glyph = glyf[cmap[code]] if code in cmap else None
        if glyph is None or glyph.numberOfContours == 0:
            continue
        top = max(top, glyph.yMax)
        bottom = min(bottom, glyph.yMin)
    return top, -bottom


def condense(font, factor):
    """Scales every glyph and its advance horizontally by `factor`."""
    glyph_set = font.getGlyphSet()
    glyf = font["glyf"]
    hmtx = font["hmtx"]
    new_glyphs = {}
    for name in font.getGlyphOrder():
        pen = TTGlyphPen(glyph_set)
        glyph_set[name].draw(TransformPen(pen, (factor, 0, 0, 1, 0, 0)))
        new_glyphs[name] = pen.glyph()
    for name, glyph in new_glyphs.items():
        glyf[name] = glyph
        glyph.recalcBounds(glyf)
        advance, _ = hmtx[name]
        hmtx[name] = (round(advance * factor), getattr(glyph, "xMin", 0))
    # Hinting programs and kerning were made for the original shapes.
    for tag in ("fpgm", "prep", "cvt ", "hdmx", "LTSH", "VDMX", "GPOS", "kern"):
        if tag in font:
            del font[tag]
    font["OS/2"].xAvgCharWidth = round(font["OS/2"].xAvgCharWidth * factor)


def main(source, target):
    font = TTFont(source)
    condense(font, CONDENSE)
    name = font["name"]
    # Drop every name record that would still carry the old family and write
    # the new ones for both Mac and Windows platforms.
    for name_id in (1, 3, 4, 6, 16, 17, 18, 21, 22):
        name.removeNames(nameID=name_id)
    for name_id, text in ((1, "Technical"), (2, "Regular"), (3, "Technical Regular"),
                          (4, "Technical"), (6, "Technical")):
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)

    hhea = font["hhea"]
    os2 = font["OS/2"]
    # The cell is what the printable ASCII glyphs reach, the characters the
    # program writes. osifont's own win and hhea metrics leave room for
    # accented capitals far above the caps (a cell of 1.66 em), which would
    # make every text box much taller than its letters.
    ascent, descent = ascii_extents(font)
    hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
    os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent, -descent, 0
    os2.usWinAscent, os2.usWinDescent = ascent, descent
    # USE_TYPO_METRICS, so that every reader takes the same numbers.
    os2.fsSelection |= 1 << 7
    if os2.version < 4:
        os2.version = 4
    font.save(target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
