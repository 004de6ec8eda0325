#!/usr/bin/python3
"""Reads an .xls workbook with xlrd (an independent reader) and prints what it
found, one line per sheet and per cell, for the export tests to compare:

    sheet NAME rows=R cols=C
    A1 number 100.5 framed
    B1 text 'P1' framed
    C1 empty framed

"framed" means a thin line (style 1) on the left, right, top and bottom edge;
otherwise the four line styles are printed.  With --ends only the first and
the last row of each sheet are printed.  Warnings of the reader, and faults of
the record layout that xlrd passes over (see check_records), are printed as
"warning: ..." lines.
"""
import io
import struct
import sys

import xlrd
import xlrd.compdoc


def cell_text(book, sheet, r, c):
    cell = sheet.cell(r, c)
    kind = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
            xlrd.XL_CELL_BLANK: "empty"}.get(cell.ctype, "type%d" % cell.ctype)
    value = " " + repr(cell.value) if kind in ("text", "number") else ""
    b = book.xf_list[cell.xf_index].border if cell.xf_index is not None else None
    lines = (b.left_line_style, b.right_line_style, b.top_line_style, b.bottom_line_style) if b else ()
    frame = "framed" if lines == (1, 1, 1, 1) else "border %s" % (lines,)
    return "%s %s%s %s" % (xlrd.cellname(r, c), kind, value, frame)


def check_records(stream):
    """Checks what xlrd does not look at: record lengths (at most 8224 data
    bytes) and the EXTSST record, whose entries must point at the start of
    every dsst-th string of the shared string table.  Returns the problems."""
    problems = []
    records = []  # (offset, id, data)
    pos = 0
    while pos + 4 <= len(stream):
        rid, size = struct.unpack_from("<HH", stream, pos)
        if rid == 0 and size == 0:
            break  # the zeros after the last EOF
        if size > 8224:
            problems.append("record 0x%04X at %d has %d bytes" % (rid, pos, size))
        records.append((pos, rid, stream[pos + 4:pos + 4 + size]))
        pos += 4 + size
    starts = []  # (stream offset, offset inside its record) of each string
    ext = None
    for i, (offset, rid, data) in enumerate(records):
        if rid == 0x00FF:
            ext = data
        if rid != 0x00FC:
            continue
        unique = struct.unpack_from("<I", data, 4)[0]
        k, rec, at = i, offset, 8
        for _ in range(unique):
            if at >= len(records[k][2]):
                k += 1
                rec, at = records[k][0], 0
            starts.append((rec + 4 + at, at + 4))
            count, flags = struct.unpack_from("<HB", records[k][2], at)
            at += 3
            left = count
            while True:
                size = 2 if flags & 1 else 1
                take = min(left, (len(records[k][2]) - at) // size)
                at += take * size
                left -= take
                if left == 0:
                    break
                k += 1
                rec, at = records[k][0], 1
                flags = records[k][2][0]
    if ext is None:
        return problems + ["no EXTSST record"]
    dsst = struct.unpack_from("<H", ext, 0)[0]
    if dsst != max(len(starts) // 128 + 1, 8):
        problems.append("EXTSST bucket size %d for %d strings" % (dsst, len(starts)))
    entries = [struct.unpack_from("<IH", ext, 2 + 8 * b) for b in range((len(ext) - 2) // 8)]
    if entries != starts[::dsst]:
        problems.append("EXTSST entries do not point at the strings")
    return problems


def main():
    ends = "--ends" in sys.argv
    path = [a for a in sys.argv[1:] if not a.startswith("--")][0]
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=log)
    out = []
    with open(path, "rb") as f:
        stream = xlrd.compdoc.CompDoc(f.read(), logfile=log).get_named_stream("Workbook")
    for problem in check_records(stream):
        out.append("warning: " + problem)
    for line in log.getvalue().splitlines():
        if line.strip():
            out.append("warning: " + line.strip())
    for sheet in book.sheets():
        out.append("sheet %s rows=%d cols=%d" % (sheet.name, sheet.nrows, sheet.ncols))
        rows = range(sheet.nrows)
        if ends and sheet.nrows > 2:
            rows = [0, sheet.nrows - 1]
        for r in rows:
            for c in range(sheet.row_len(r)):
                if sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY:  # a cell the file holds
                    out.append(cell_text(book, sheet, r, c))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


main()
