#!/usr/bin/env python3
"""Writes an .xlsx workbook of generated rows straight into the zip, the way spreadsheet
applications lay it out: shared strings, styles with number formats (dates, times, money,
percentages), inline strings, formulas with their cached results, numbers in General.

Usage: gen_xlsx.py OUT.xlsx BYTES [--seed N]
Rows are added until the archive holds about BYTES (it stops at a sheet's 1,048,575 rows)."""
import argparse
import random
import string
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
HEADERS = ["Id", "Name", "Email", "Born", "Start", "Amount", "Share", "Score", "Note",
           "Double", "City", "Code"]
FIRST = ["Jürgen", "Zoë", "李", "Ann", "Bob", "Ω", "Ólafur", "Søren", "Amélie", "Nguyễn"]
LAST = ["Groß", "小龙", "Smith", "Ødegård", "Müller", "Dvořák", "👍🏽", "O'Neil", "Łukasz"]
CITIES = ["Berlin", "München", "東京", "São Paulo", "Zürich", "New York", "Kraków", "Québec"]


def column(index):
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(65 + rest) + name
    return name


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("bytes", type=float)
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    target = int(args.bytes)

    strings = {}
    order = []

    def shared(text):
        if text not in strings:
            strings[text] = len(order)
            order.append(text)
        return strings[text]

    # Compressed bytes per row, measured on a first batch, decide the row count.
    def row_xml(r):
        first, last = rng.choice(FIRST), rng.choice(LAST)
        note = "".join(rng.choice(string.ascii_letters + " ") for _ in range(rng.randint(8, 40)))
        amount = round(rng.uniform(-5000, 50000), 2)
        cells = [
            f'<c r="A{r}"><v>{r - 1}</v></c>',
            f'<c r="B{r}" t="s"><v>{shared(first + " " + last)}</v></c>',
            f'<c r="C{r}" t="s"><v>{shared(f"user{rng.randrange(10**9)}@example.org")}</v></c>',
            f'<c r="D{r}" s="1"><v>{rng.randint(10000, 45000)}</v></c>',
            f'<c r="E{r}" s="2"><v>{rng.random():.10f}</v></c>',
            f'<c r="F{r}" s="3"><v>{amount}</v></c>',
            f'<c r="G{r}" s="4"><v>{rng.random():.4f}</v></c>',
            f'<c r="H{r}"><v>{rng.uniform(0, 1000):.6f}</v></c>',
            f'<c r="I{r}" t="inlineStr"><is><t>{escape(note)}</t></is></c>',
            f'<c r="J{r}" s="3"><f>F{r}*2</f><v>{amount * 2}</v></c>',
            f'<c r="K{r}" t="s"><v>{shared(rng.choice(CITIES))}</v></c>',
        ]
        if rng.random() < 0.8:  # some rows leave the last cell empty
            cells.append(f'<c r="L{r}" s="5"><v>{rng.randrange(10**7)}</v></c>')
        return f'<row r="{r}">' + "".join(cells) + "</row>"

    header = '<row r="1">' + "".join(
        f'<c r="{column(i)}1" t="s"><v>{shared(h)}</v></c>' for i, h in enumerate(HEADERS)) + "</row>"

    import zlib
    sample = "".join(row_xml(r) for r in range(2, 20002)).encode()
    per_row = len(zlib.compress(sample, 6)) / 20000
    rows = min(1_048_575, max(10, int(target / per_row)))
    rng.seed(args.seed)
    strings.clear()
    order.clear()
    header = '<row r="1">' + "".join(
        f'<c r="{column(i)}1" t="s"><v>{shared(h)}</v></c>' for i, h in enumerate(HEADERS)) + "</row>"

    with zipfile.ZipFile(args.out, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as z:
        with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as sheet:
            sheet.write(f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                        f'<worksheet xmlns="{MAIN}"><sheetData>{header}'.encode())
            batch = []
            for r in range(2, rows + 2):
                batch.append(row_xml(r))
                if len(batch) == 10000:
                    sheet.write("".join(batch).encode())
                    batch = []
            sheet.write(("".join(batch) + "</sheetData></worksheet>").encode())
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.'
                   'openxmlformats.org/package/2006/content-types"><Default Extension="rels" '
                   'ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                   '<Default Extension="xml" ContentType="application/xml"/><Override '
                   'PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
                   'officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/'
                   'worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-'
                   'officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/'
                   'sharedStrings.xml" ContentType="application/vnd.openxmlformats-'
                   'officedocument.spreadsheetml.sharedStrings+xml"/><Override PartName="/xl/'
                   'styles.xml" ContentType="application/vnd.openxmlformats-officedocument.'
                   'spreadsheetml.styles+xml"/></Types>')
        z.writestr("_rels/.rels", f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml", f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>'
                   '<sheet name="Data" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{PKG}">'
                   f'<Relationship Id="rId1" Type="{REL}/worksheet" '
                   'Target="worksheets/sheet1.xml"/>'
                   f'<Relationship Id="rId2" Type="{REL}/sharedStrings" '
                   'Target="sharedStrings.xml"/>'
                   f'<Relationship Id="rId3" Type="{REL}/styles" Target="styles.xml"/>'
                   '</Relationships>')
        z.writestr("xl/styles.xml", f'<styleSheet xmlns="{MAIN}"><numFmts count="3">'
                   '<numFmt numFmtId="164" formatCode="mm/dd/yyyy"/>'
                   '<numFmt numFmtId="165" formatCode="[$$-409]#,##0.00;[RED]\\-[$$-409]#,##0.00"/>'
                   '<numFmt numFmtId="166" formatCode="0.0%"/></numFmts>'
                   '<fonts count="1"><font><sz val="10"/><name val="Arial"/></font></fonts>'
                   '<fills count="1"><fill><patternFill patternType="none"/></fill></fills>'
                   '<borders count="1"><border/></borders>'
                   '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
                   '<cellXfs count="6"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>'
                   '<xf numFmtId="164" fontId="0" fillId="0" borderId="0" applyNumberFormat="1"/>'
                   '<xf numFmtId="21" fontId="0" fillId="0" borderId="0" applyNumberFormat="1"/>'
                   '<xf numFmtId="165" fontId="0" fillId="0" borderId="0" applyNumberFormat="1"/>'
                   '<xf numFmtId="166" fontId="0" fillId="0" borderId="0" applyNumberFormat="1"/>'
                   '<xf numFmtId="3" fontId="0" fillId="0" borderId="0" applyNumberFormat="1"/>'
                   '</cellXfs></styleSheet>')
        with z.open("xl/sharedStrings.xml", "w", force_zip64=True) as sst:
            sst.write(f'<sst xmlns="{MAIN}" count="{len(order)}" uniqueCount="{len(order)}">'.encode())
            for start in range(0, len(order), 10000):
                sst.write("".join(f"<si><t>{escape(s)}</t></si>"
                                  for s in order[start:start + 10000]).encode())
            sst.write(b"</sst>")
    print(f"{args.out}: {rows} rows")


if __name__ == "__main__":
    main()
