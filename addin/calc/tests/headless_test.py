"""The Calc add-in end to end in a headless soffice: the extension is installed,
a workbook holding the example data is saved and reopened, every example
analysis runs through the add-in's entry point, and after saving and reopening
every result sheet equals the result file `kovr run` writes for the same data
and choices (relative 1e-7: the workbook keeps fewer digits than R writes); the
descriptive statistics of the regression's data are those of its rows.
Bad input (no range, text in a numeric column, fewer rows than parameters, no
R, a template that does not parse) gives a clear message and leaves the workbook as it was.

    headless_test.py OXT KOVR SOURCE_DIR"""
import csv
import json
import os
import subprocess
import sys
import tempfile

from office import Office, need_office, props

OXT, KOVR, SOURCE = sys.argv[1:4]
DATA = os.path.join(SOURCE, "examples", "data")
CATALOGUE = os.path.join(SOURCE, "examples", "catalogue")

# template, data sheet, selections (name -> columns), choices
EXAMPLES = [
    ("Regression/linear_regression.xml", "sales",
     {"RefEditY": "Sales Amount", "RefEditX": "Price,Advertising", "RefEditQ": "Region", "RefEditObsLabels": "Store"},
     {"CheckBoxPredict": "true"}),
    ("Regression/logistic_regression.xml", "purchases",
     {"RefEditY": "Purchased", "RefEditX": "Age,Income", "RefEditQ": "Gender"}, {"link": "probit"}),
    ("ANOVA/one_way_anova.xml", "fertilizer", {"RefEditY": "Yield", "RefEditQ": "Fertilizer"}, {}),
    ("Tests/two_sample_t_test.xml", "scores", {"RefEditValues": "After", "RefEditQ": "Method"},
     {"alternative": "less"}),
    ("Tests/wilcoxon_test.xml", "scores", {"DataSample1": "After", "DataSample2": "Before"},
     {"paired": "true", "InputMu": "5"}),
    ("Tests/correlation_test.xml", "scores", {"DataVariables": "Hours,Before,After"}, {"method": "spearman"}),
    ("Multivariate/pca.xml", "usarrests", {"RefEditX": "Murder,Assault,UrbanPop,Rape", "RefEditObsLabels": "State"},
     {"InputAxis2": "3"}),
    ("Multivariate/kmeans.xml", "usarrests", {"RefEditX": "Murder,Assault,UrbanPop,Rape", "RefEditObsLabels": "State"},
     {"centers": "4"}),
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def read_csv(stem):
    with open(os.path.join(DATA, stem + ".csv"), newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def cell(text):
    try:
        return float(text)
    except ValueError:
        return text


def letters(index):
    return chr(65 + index)


def column_range(stem, columns):
    rows = read_csv(stem)
    picked = [rows[0].index(c) for c in columns.split(",")]
    assert picked == list(range(picked[0], picked[-1] + 1)), "columns of one selection must be adjacent"
    return "%s.%s1:%s%d" % (stem, letters(picked[0]), letters(picked[-1]), len(rows))


def make_workbook(office, path):
    import uno
    doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, props(Hidden=True))
    for k, stem in enumerate(sorted({e[1] for e in EXAMPLES})):
        if k == 0:
            doc.Sheets.getByIndex(0).Name = stem
        else:
            doc.Sheets.insertNewByName(stem, k)
        rows = read_csv(stem)
        values = tuple(tuple(cell(x) if r else x for x in row) for r, row in enumerate(rows))
        sheet = doc.Sheets.getByName(stem)
        sheet.getCellRangeByPosition(0, 0, len(rows[0]) - 1, len(rows) - 1).DataArray = values
    doc.storeToURL(uno.systemPathToFileUrl(path), props(FilterName="calc8"))
    doc.close(True)


def open_workbook(office, path):
    import uno
    return office.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0, props(Hidden=True))


def run_addin(office, doc, request):
    from com.sun.star.beans import NamedValue
    addin = office.smgr.createInstanceWithContext("org.kovr.calc.Addin", office.ctx)
    answer = addin.execute((NamedValue("Request", json.dumps(request)), NamedValue("Document", doc)))
    return json.loads(answer)


def kovr_results(example, work):
    template, stem, selections, settings = example
    args = [KOVR, "run", os.path.join(CATALOGUE, template), "--data", os.path.join(DATA, stem + ".csv"),
            "--work", work]
    for name, value in list(selections.items()) + list(settings.items()):
        args += ["--set", "%s=%s" % (name, value)]
    done = subprocess.run(args, capture_output=True, text=True)
    check(done.returncode == 0, "kovr run %s: %s" % (template, done.stderr[-500:]))
    return os.path.join(work, "R")


def result_rows(path):
    """A result file as kovr run leaves it: the header gets an empty first
    field when R wrote row names."""
    with open(path, encoding="utf-8") as f:
        rows = [line.rstrip("\r\n").split(";") for line in f]
    if len(rows) > 1 and len(rows[1]) == len(rows[0]) + 1:
        rows[0].insert(0, "")
    return rows


def same(expected, got, label):
    """Row labels are text; every other cell R wrote as a number is a number."""
    if label:
        return got == expected
    try:
        e = float(expected)
    except ValueError:
        return got == expected
    if isinstance(got, str):
        return False
    return abs(got - e) <= 1e-7 * max(abs(e), 1e-300) or got == e


def compare(doc, sheet_name, path):
    sheet = doc.Sheets.getByName(sheet_name)
    expected = result_rows(path)
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.RangeAddress
    got = sheet.getCellRangeByPosition(0, 3, end.EndColumn, end.EndRow).DataArray
    check(len(got) == len(expected), "%s: %d rows, %s has %d" % (sheet_name, len(got), path, len(expected)))
    for r, (want, have) in enumerate(zip(expected, got)):
        for c, value in enumerate(want):
            if not same(value, have[c] if c < len(have) else None, c == 0 and r > 0):
                check(False, "%s row %d column %d: %r, %s holds %r" % (sheet_name, r + 4, c + 1, have[c], path,
                                                                       value))
                return


def check_statistics(sheet):
    """The statistics of the regression's data: the rows with a sales figure."""
    rows = read_csv("sales")
    price = [float(r[2]) for r in rows[1:] if r[4]]
    mean = sum(price) / len(price)
    table = sheet.getCellRangeByPosition(0, 3, 9, 6).DataArray
    row = next((r for r in table if r[0] == "Price"), None)
    check(row is not None and row[1] == len(price) and abs(row[3] - mean) <= 1e-12 * mean,
          "descriptive statistics of Price: %r, expected n %d, mean %r" % (row, len(price), mean))


def bad_inputs(office, doc, folder):
    """Each bad request gives a message holding the words and adds nothing."""
    broken = os.path.join(folder, "broken.xml")
    with open(broken, "w") as f:
        f.write("<RFunction text='Broken' function='lm'><Tab text='General'></RFunction>")
    lm = "Regression/linear_regression.xml"
    cases = [
        ("an empty selection", {"template": lm, "ranges": {}}, "needs a range"),
        ("text in a numeric column", {"template": lm, "ranges": {"RefEditY": "sales.B1:B41"}},
         "holds the text 'North'"),
        ("fewer rows than parameters", {"template": lm, "ranges": {"RefEditY": "sales.E1:E4",
                                                                   "RefEditX": "sales.C1:D4"}},
         "more complete rows than parameters"),
        ("no R", {"template": lm, "ranges": {"RefEditY": "sales.E1:E41"}, "rscript": "/nonexistent/Rscript"},
         "R is not installed"),
        ("a template that does not parse", {"template": broken, "ranges": {}}, "Broken"),
    ]
    names = doc.Sheets.ElementNames
    for what, request, words in cases:
        answer = run_addin(office, doc, request)
        check(words in answer.get("error", ""), "%s: %r" % (what, answer))
        check(doc.Sheets.ElementNames == names and not doc.isModified(), "%s changed the workbook" % what)


def main():
    need_office()
    folder = tempfile.mkdtemp(prefix="kovr-calc-test-")
    office = Office()
    try:
        office.install(OXT)
        book = os.path.join(folder, "examples.ods")
        make_workbook(office, book)
        doc = open_workbook(office, book)
        bad_inputs(office, doc, folder)
        expected, statistics = [], []
        for k, example in enumerate(EXAMPLES):
            template, stem, selections, settings = example
            ranges = {name: column_range(stem, columns) for name, columns in selections.items()}
            answer = run_addin(office, doc, {"template": template, "ranges": ranges, "settings": settings,
                                             "catalogue": CATALOGUE})
            check("sheets" in answer, "%s: %s" % (template, answer.get("error")))
            r_folder = kovr_results(example, os.path.join(folder, "kovr%d" % k))
            for sheet, result in answer.get("sheets", []):
                if result == ":statistics":
                    statistics.append((sheet, example))
                elif result != ":charts":
                    expected.append((sheet, os.path.join(r_folder, result + ".csv")))
            check(any(result == ":charts" for _, result in answer.get("sheets", [])), "%s: no charts" % template)
        doc.store()
        doc.close(True)
        doc = open_workbook(office, book)
        for sheet, path in expected:
            compare(doc, sheet, path)
        check(len(expected) >= 20, "only %d result sheets" % len(expected))
        check(statistics and statistics[0][1] == EXAMPLES[0], "no descriptive statistics of the linear regression")
        for sheet, _ in statistics[:1]:
            check_statistics(doc.Sheets.getByName(sheet))
        doc.close(True)
    finally:
        office.close()
    print("%d result sheets compared, %d failures" % (len(expected), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
