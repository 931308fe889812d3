"""One analysis, as `kovr run` does it: the option rows and data sets go to
the library (Cpp_TransferToR), which writes the two R scripts and the data
files; R runs the check script, then the analysis script, in a UTF-8 locale;
the result tables come back as rows of cells and the charts as files."""
import ctypes
import os
import re
import subprocess
import tempfile
from types import SimpleNamespace as Record

from .bridge import VT_BSTR, VT_I2, VT_I4, VT_R8
from .layout import Layout
from .statistics import descriptive_statistics

_NUMBER = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?|[+-]?Inf|NaN")


class RunError(Exception):
    """A run that cannot go on; the message says why, for the user."""


def find_rscript(configured=""):
    """The Rscript named in the settings (or by $KOVR_RSCRIPT), else the one on
    the PATH; "" when there is none."""
    configured = configured or os.environ.get("KOVR_RSCRIPT", "")
    candidates = [configured] if configured else \
        [os.path.join(folder or ".", "Rscript") for folder in os.environ.get("PATH", "").split(":")]
    return next((c for c in candidates if c and os.path.isfile(c) and os.access(c, os.X_OK)), "")


def r_environment():
    """The environment for R: a UTF-8 locale unless one is set already, so
    that the UTF-8 text the library writes reads as written."""
    env = dict(os.environ)
    locale = env.get("LC_ALL") or env.get("LC_CTYPE") or env.get("LANG") or ""
    if "utf-8" not in locale.lower() and "utf8" not in locale.lower():
        env["LC_ALL"] = "C.UTF-8"
    return env


def _run_r(rscript, args, folder, output):
    with open(output, "wb") as out:
        try:
            return subprocess.call([rscript, "--vanilla"] + args, cwd=folder, stdout=out, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, env=r_environment())
        except OSError as e:
            raise RunError("R could not be started (%s): %s" % (rscript, e))


def _tail(path, lines):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return ""


def r_error_lines(path):
    """R's own error message in a script's output: from the first line that
    starts with "Error" to the end (or the last lines when there is none)."""
    text = _tail(path, 200)
    at = text.find("Error")
    return (text[at:] if at >= 0 else _tail(path, 8)).strip()


def link_packages(rscript, packages, folder):
    """Links each package from R's installed library into the package folder
    the scripts load from; returns the packages R does not have."""
    os.makedirs(folder, exist_ok=True)
    if not packages:
        return []
    answer = os.path.join(folder, ".kovr-packages.txt")
    code = "for (p in commandArgs(TRUE)) cat(p, '\\t', system.file(package=p), '\\n', sep='')"
    if _run_r(rscript, ["-e", code] + packages, folder, answer) != 0:
        raise RunError("R could not list its installed packages:\n" + _tail(answer, 10))
    missing = []
    with open(answer, encoding="utf-8") as f:
        for line in f:
            name, _, installed = line.rstrip("\n").partition("\t")
            link = os.path.join(folder, name)
            if not installed:
                missing.append(name)
            elif not os.path.exists(link) or os.path.islink(link):
                if os.path.lexists(link):
                    os.remove(link)
                os.symlink(installed, link)
    os.remove(answer)
    return missing


def needed_packages(view):
    packages = [p.strip() for p in view.packages.split(",") if p.strip()]
    if "devEMF" not in packages and any(r.plot_format == "emf" for r in view.results):
        packages.append("devEMF")
    return packages


def read_result(path, separator):
    """A result file as rows of cells: numbers as floats, other cells as text;
    the row-name column R writes (one field more than the header) stays text."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = [line.rstrip("\r\n") for line in f]
    if not lines:
        return []
    rows = [line.split(separator) for line in lines]
    labels = 1 if len(rows) > 1 and len(rows[1]) == len(rows[0]) + 1 else 0
    if labels:
        rows[0].insert(0, "")
    return [row[:labels] + [float(x) if _NUMBER.fullmatch(x) else x for x in row[labels:]] for row in rows]


def _separator(sets):
    """A list separator no text of the data holds, so the data files keep their columns."""
    texts = []
    for s in sets:
        blocks = [s.quanti1, s.quanti2, s.quali1, s.quali2] + s.extra_numeric + s.extra_text
        texts += [c.name for b in blocks for c in b] + s.labels
        texts += [v for b in blocks for c in b if not c.numeric for v in c.values]
    return next((c for c in (";", "\t", "|") if not any(c in t for t in texts)), ";")


class HostDataSets:
    """ST_DataSetArray with its nested records, in the template's arena."""

    def __init__(self, arena, sets):
        self.arena = arena
        self.record = arena.record("ST_DataSetArray")
        self.record.count = len(sets)
        self.record.dataSets, records = arena.record_array("ST_DataSet", len(sets))
        self.record.exportFlags = self._array(VT_I2, len(sets))
        self.record.dataSetNames = self._array(VT_BSTR, len(sets))
        arena.set_texts(self.record.dataSetNames, [s.name for s in sets])
        for k, s in enumerate(sets):
            arena.elements(self.record.exportFlags, VT_I2)[k] = -1
            self.fill_data_set(records[k], s)

    def fill_data_set(self, record, s):
        """Fills an ST_DataSet record (also one embedded in another record)."""
        for block in ("quanti1", "quanti2", "quali1", "quali2"):
            self.fill_block(getattr(record, block), getattr(s, block))
        self._block_list(record.dataQuanti, s.extra_numeric)
        self._block_list(record.dataQuali, s.extra_text)
        record.rowCount = s.row_count
        if s.labels:
            record.obsLabels = self._array(VT_BSTR, len(s.labels))
            self.arena.set_texts(record.obsLabels, s.labels)

    def _array(self, vt, n):
        return ctypes.cast(self.arena.array(vt, n), ctypes.c_void_p).value

    def fill_block(self, block, columns):
        block.columnCount = len(columns)
        block.columnLengths = self._array(VT_I4, len(columns))
        block.columns, vectors = self.arena.record_array("ST_Vect", len(columns))
        block.columnNames = self._array(VT_BSTR, len(columns))
        self.arena.set_texts(block.columnNames, [c.name for c in columns])
        for k, column in enumerate(columns):
            n = len(column.values)
            vectors[k].count = n
            vectors[k].values = self._array(VT_R8 if column.numeric else VT_BSTR, n)
            if column.numeric:
                self.arena.elements(vectors[k].values, VT_R8)[:] = column.values
            else:
                self.arena.set_texts(vectors[k].values, column.values)
            self.arena.elements(block.columnLengths, VT_I4)[k] = n

    def _block_list(self, data, blocks):
        data.blockCount = len(blocks)
        data.blocks, records = self.arena.record_array("ST_MVect", len(blocks))
        for record, columns in zip(records, blocks):
            self.fill_block(record, columns)


def run_analysis(template, view, choices, chosen, rscript, work=None, progress=lambda text, share: None):
    """Runs the analysis; returns Record(runs=[Record(response, tables, charts)])
    where tables are (result, rows) for every wanted result and charts the
    chart files. Raises RunError with a message for the user."""
    layout = Layout(view, choices, chosen)
    error = layout.check()
    if error:
        raise RunError(error)
    if not rscript:
        raise RunError("R is not installed: no Rscript was found on the PATH. Install R (on Debian the package "
                       "r-base-core) or name Rscript in the settings, and run again.")
    work = work or tempfile.mkdtemp(prefix="kovr-calc-")
    missing = link_packages(rscript, needed_packages(view), os.path.join(work, "packages"))
    responses = layout.responses()
    runs = []
    for k, response in enumerate(responses or [""]):
        column = k + 1 if responses else 0
        sets, formula = layout.data_sets(column)
        if sets is None:
            raise RunError(formula)
        r_folder = os.path.join(work, "R", re.sub(r"\W", "_", response) if len(responses) > 1 else "") + os.sep
        r_folder = r_folder.replace(os.sep + os.sep, os.sep)
        os.makedirs(r_folder, exist_ok=True)
        progress("Transferring the data to R" + (" (%s)" % response if response else ""),
                 0.1 + 0.8 * k / max(1, len(responses)))
        tables = []
        if choices.descriptive_statistics() and sets:
            rows = descriptive_statistics(template.arena, sets[0], column, layout.text_response, HostDataSets)
            tables.append((Record(text="Descriptive statistics", rname=":statistics"), rows))
        separator = _transfer(template, view, choices, layout, sets, formula, work, r_folder, column)
        check = os.path.join(r_folder, view.function + "0.script")
        analysis = os.path.join(r_folder, view.function + ".script")
        if not (os.path.isfile(check) and os.path.isfile(analysis)):
            raise RunError("The library wrote no R script into %s." % r_folder)
        progress("Checking the R packages", 0.2 + 0.8 * k / max(1, len(responses)))
        status = _run_r(rscript, [check], r_folder, check + ".out")
        if status == 10:
            raise RunError("R package(s) missing: %s. Install them in R, for example with "
                           "install.packages('%s'), and run again." % (", ".join(missing) or "see log0.txt",
                                                                        (missing or ["NAME"])[0]))
        if status != 0:
            raise RunError("The R check script failed:\n" + r_error_lines(check + ".out"))
        progress("Running the analysis in R", 0.4 + 0.8 * k / max(1, len(responses)))
        if _run_r(rscript, [analysis], r_folder, analysis + ".out") != 0:
            raise RunError("R stopped with an error:\n" + r_error_lines(analysis + ".out"))
        charts = []
        for i, r in enumerate(view.results, 1):
            path = os.path.join(r_folder, (r.rname or "") + ".csv")
            if r.rname and r.show != "false" and not r.hidden and choices.wanted(i) and os.path.isfile(path):
                tables.append((r, read_result(path, separator)))
            chart = os.path.join(r_folder, "%s.%s" % (r.chart_name, r.plot_format))
            if r.plot_code and os.path.isfile(chart):
                charts.append(chart)
        runs.append(Record(response=response, tables=tables, charts=charts, folder=r_folder))
    return Record(runs=runs, work=work)


def _transfer(template, view, choices, layout, sets, formula, work, r_folder, column):
    lib, arena, d = template.lib, template.arena, template.dialog
    choices.write_option_rows(template)
    d.seedValue = choices.seed
    d.singleColumnQuanti = -1 if column and not layout.text_response else 0
    d.singleColumnQuali = -1 if column and layout.text_response else 0
    main = arena.record("ST_Main_aiR")
    main.workFolder = lib.new_string(os.path.join(work, ""))
    main.rFolder = lib.new_string(r_folder)
    main.group = lib.new_string(view.group)
    main.title = lib.new_string(view.title)
    # The add-in writes the right-hand side of the formula; a model without
    # interactions gets its formula from the data.
    model = view.data_structure in ("model", "model.random") and not view.has_interactions
    terms, level = formula
    right = lib.formula_terms(terms)
    if level > 1 and terms:
        right = "(%s)^%d" % (right, level)
    main.rCode = lib.new_string("" if model else right)
    host_sets = HostDataSets(arena, sets)
    separator = _separator(sets)
    info = arena.record("SystemInfo")
    info.decimalSymbol = lib.new_string(".")
    info.listSeparator = lib.new_string(separator)
    with arena.call():
        lib.bridge.Cpp_TransferToR(ctypes.byref(main), ctypes.byref(d), ctypes.byref(host_sets.record),
                                   ctypes.byref(info), column)
    return separator
