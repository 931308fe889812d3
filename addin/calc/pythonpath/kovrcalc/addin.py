"""The add-in inside Calc: where the library, the catalogue and R are, and one
analysis from a template and the chosen ranges to the result sheets. Every
check happens before the first sheet is added, so a run that fails leaves the
workbook as it was."""
import json
import os

import uno

from . import sheets
from .bridge import Library
from .choices import Choices
from .layout import Layout
from .run import RunError, find_rscript, run_analysis
from .template import Template, list_catalogue

HOME = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
_library = None


def library():
    """The library shipped in the extension (loaded once per process)."""
    global _library
    if _library is None:
        _library = Library(os.path.join(HOME, "lib"), os.path.join(HOME, "include"))
    return _library


class Settings:
    """The catalogue folder (default: the shipped examples) and Rscript (default:
    the one on the PATH), kept in the user profile."""

    def __init__(self, ctx):
        paths = ctx.ServiceManager.createInstanceWithContext("com.sun.star.util.PathSettings", ctx)
        self.file = os.path.join(uno.fileUrlToSystemPath(paths.UserConfig), "kovr-calc.json")
        try:
            with open(self.file, encoding="utf-8") as f:
                saved = json.load(f)
        except (OSError, ValueError):
            saved = {}
        self.catalogue = saved.get("catalogue") or os.path.join(HOME, "catalogue")
        self.rscript = saved.get("rscript", "")

    def save(self):
        with open(self.file, "w", encoding="utf-8") as f:
            json.dump({"catalogue": self.catalogue, "rscript": self.rscript}, f)


def catalogue(settings):
    return sorted(list_catalogue(library(), settings.catalogue), key=lambda t: (t["group"], t["title"]))


def open_template(settings, name):
    """The template at name (a path, or a path inside the catalogue)."""
    path = name if os.path.isfile(name) else os.path.join(settings.catalogue, name)
    if not os.path.isfile(path):
        raise RunError("There is no template %s." % name)
    template = Template(library(), path)
    if template.error:
        title, message = template.error
        template.close()
        raise RunError("%s\n%s" % (title, message))
    return template


def read_ranges(doc, view, choices, ranges):
    """The columns of each selection's range (selection name -> range
    address), checked as the run will use them: raises RunError for what the
    user must change."""
    headers = choices.headers()
    chosen = []
    for s in view.selections:
        address = ranges.get(s.name, "").strip()
        try:
            chosen.append(sheets.read_columns(doc, address, headers) if address else [])
        except ValueError as e:
            raise RunError("%s (%s)" % (e, s.text or s.name))
    error = Layout(view, choices, chosen).check()
    if error:
        raise RunError(error)
    return chosen


def run(ctx, doc, settings, template, view, choices, chosen, progress=lambda text, share: None):
    """Runs the analysis on the columns read_ranges gave and adds the result
    sheets; returns [sheet name, result R name] pairs (":statistics" for the
    descriptive statistics, ":charts" for a sheet of charts)."""
    result = run_analysis(template, view, choices, chosen, find_rscript(settings.rscript), progress=progress)
    progress("Writing the results", 0.95)
    names = []
    for each in result.runs:
        analysis = view.title + (" - " + each.response if len(result.runs) > 1 else "")
        for r, rows in each.tables:
            names.append([sheets.write_table(doc, r.text or r.rname, analysis, rows), r.rname])
        if each.charts:
            names.append([sheets.insert_charts(ctx, doc, "Charts - " + analysis, each.charts), ":charts"])
    return names


def run_request(ctx, doc, request):
    """A run without the dialog, for automation and tests: request holds the
    template, the ranges of its selections and choices named as `kovr run
    --set` names them. Returns {"sheets": [[sheet, result], ...]} or {"error": message}."""
    settings = Settings(ctx)
    settings.catalogue = request.get("catalogue", settings.catalogue)
    settings.rscript = request.get("rscript", settings.rscript)
    try:
        template = open_template(settings, request["template"])
    except RunError as e:
        return {"error": str(e)}
    try:
        view = template.view()
        choices = Choices(view)
        for name, value in request.get("settings", {}).items():
            error = choices.set(name, value)
            if error:
                return {"error": error}
        chosen = read_ranges(doc, view, choices, request.get("ranges", {}))
        return {"sheets": run(ctx, doc, settings, template, view, choices, chosen)}
    except RunError as e:
        return {"error": str(e)}
    finally:
        template.close()
