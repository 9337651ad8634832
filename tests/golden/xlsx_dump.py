"""A workbook as text, for the golden outputs: the sheets in order, the one it opens on, each
column's width, then every cell with a value or a style as COORD|value|fill|borders, where fill
is W (white), Y (yellow), G (grey) or - and the borders top, right, bottom, left are m (medium),
t (thin) or -; then, only where they are there, what else a cell has: a number (#), a number
format, bold, italic. A sheet with a frozen pane or an autofilter says so after its widths."""
import sys
import openpyxl
from openpyxl.utils import get_column_letter

wb = openpyxl.load_workbook(sys.argv[1])
print("sheets: " + ", ".join(wb.sheetnames))
print("opens on: " + wb.active.title)
fills = {"FFFFFFFF": "W", "FFFFFF00": "Y", "FFE8E8E8": "G"}
sides = {"medium": "m", "thin": "t", None: "-"}
for ws in wb.worksheets:
    print("[%s]" % ws.title)
    widths = {}
    for d in ws.column_dimensions.values():
        if d.min:
            for c in range(d.min, d.max + 1):
                widths[c] = d.width
    print("widths: " + " ".join("%s=%g" % (get_column_letter(c), widths[c]) for c in sorted(widths)))
    if ws.freeze_panes:
        print("frozen: " + ws.freeze_panes)
    if ws.auto_filter.ref:
        print("autofilter: " + ws.auto_filter.ref)
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style:
                continue
            fill = fills.get(c.fill.fgColor.rgb, "?") if c.fill.fill_type == "solid" else "-"
            b = c.border
            extra = ""
            if c.data_type == "n" and c.value is not None:
                extra += "|#"
            if c.number_format != "General":
                extra += "|" + c.number_format
            if c.font.b:
                extra += "|bold"
            if c.font.i:
                extra += "|italic"
            print("%s|%s|%s|%s%s" % (c.coordinate, c.value if c.value is not None else "", fill,
                                     "".join(sides.get(s.style, "?") for s in (b.top, b.right, b.bottom, b.left)), extra))
