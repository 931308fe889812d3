"""The workbook side of a run: the columns of a selected range, and the results
written back as new sheets (one per result table, the charts as images in a
sheet of their own). The user's own sheets are only read."""
import re
from types import SimpleNamespace as Record

import uno
from com.sun.star.awt import Point, Size
from com.sun.star.beans import PropertyValue

_FORBIDDEN = re.compile(r"[\[\]*?:/\\']")


def _column_letters(index):
    letters = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        letters = chr(65 + rest) + letters
    return letters


def split_address(address):
    """('Sheet', 'A1:B9') from '$Sheet.$A$1:$B$9' (the sheet part may be absent)."""
    sheet, dot, cells = address.replace("$", "").rpartition(".")
    return (sheet.strip("'") if dot else ""), cells


def read_columns(doc, address, headers):
    """The columns of a range: a name (the first row when headers, else V and
    the column number), the cells below it (numbers as floats, text as str,
    empty cells as ""), their row numbers and addresses. Rows past the used
    area of the sheet are left out, so a whole-column selection reads only data."""
    sheet_name, cells = split_address(address)
    sheets = doc.Sheets
    if sheet_name and not sheets.hasByName(sheet_name):
        raise ValueError("There is no sheet called '%s'." % sheet_name)
    sheet = sheets.getByName(sheet_name) if sheet_name else doc.CurrentController.ActiveSheet
    try:
        area = sheet.getCellRangeByName(cells).RangeAddress
    except Exception:
        raise ValueError("'%s' is not a cell range." % address)
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    last = min(area.EndRow, cursor.RangeAddress.EndRow)
    values = sheet.getCellRangeByPosition(area.StartColumn, area.StartRow, area.EndColumn,
                                          max(last, area.StartRow)).DataArray
    first = 1 if headers else 0
    columns = []
    for j in range(area.EndColumn - area.StartColumn + 1):
        column = area.StartColumn + j
        rows = list(range(area.StartRow + first + 1, max(last, area.StartRow) + 2))
        name = values[0][j] if headers else "V%d" % (column + 1)
        columns.append(Record(name=name if isinstance(name, str) else repr(name),
                              cells=[values[r - area.StartRow - 1][j] for r in rows], rows=rows,
                              where=["%s.%s%d" % (sheet.Name, _column_letters(column), r) for r in rows]))
    return columns


def _new_sheet(doc, name):
    base = _FORBIDDEN.sub(" ", name).strip()[:28] or "Result"
    name, k = base, 2
    while doc.Sheets.hasByName(name):
        name, k = "%s %d" % (base, k), k + 1
    doc.Sheets.insertNewByName(name, doc.Sheets.Count)
    return doc.Sheets.getByName(name)


def write_table(doc, title, analysis, rows):
    """A new sheet: the table's title and the analysis in the first rows, then
    the table (numbers as numbers; labels as text, even "0012")."""
    sheet = _new_sheet(doc, title)
    sheet.getCellByPosition(0, 0).String = title
    sheet.getCellByPosition(0, 0).CharWeight = 150.0  # bold
    sheet.getCellByPosition(0, 1).String = analysis
    width = max((len(r) for r in rows), default=0)
    if width:
        padded = tuple(tuple(r) + ("",) * (width - len(r)) for r in rows)
        sheet.getCellRangeByPosition(0, 3, width - 1, 3 + len(rows) - 1).DataArray = padded
        sheet.Columns.OptimalWidth = True
    return sheet.Name


def insert_charts(ctx, doc, title, charts):
    """The chart files as images, one below the other, in a new sheet."""
    sheet = _new_sheet(doc, title)
    provider = ctx.ServiceManager.createInstanceWithContext("com.sun.star.graphic.GraphicProvider", ctx)
    top = 1000
    for path in charts:
        graphic = provider.queryGraphic((PropertyValue(Name="URL", Value=uno.systemPathToFileUrl(path)),))
        shape = doc.createInstance("com.sun.star.drawing.GraphicObjectShape")
        shape.Graphic = graphic
        sheet.DrawPage.add(shape)
        pixels = graphic.SizePixel
        size = Size(pixels.Width * 2540 // 96, pixels.Height * 2540 // 96) if pixels.Width else graphic.Size100thMM
        shape.setSize(size)
        shape.setPosition(Point(1000, top))
        top += size.Height + 500
    sheet.getCellByPosition(0, 0).String = title
    return sheet.Name
