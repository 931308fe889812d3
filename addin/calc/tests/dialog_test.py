"""The add-in's dialogs on a screen (Xvfb, with Calc's GUI): the catalogue
finds templates by keyword, and the dialog of every example template builds,
with one tab per page and a control for each dialog control; screenshots of the linear regression dialog and of a result sheet go
to the screenshot folder. Skipped when Xvfb or Calc's GUI is not installed.

    dialog_test.py OXT SOURCE_DIR SCREENSHOT_FOLDER"""
import csv
import glob
import json
import os
import shutil
import subprocess
import sys
import time

from office import SKIP, Office, need_office, props

OXT, SOURCE, SHOTS = sys.argv[1:4]
CATALOGUE = os.path.join(SOURCE, "examples", "catalogue")


def cell(text):
    try:
        return float(text)
    except ValueError:
        return text


def need_screen():
    # The X11 plug-in alone is not enough: libreoffice-calc-nogui replaces
    # Calc's GUI module and leaves the plug-in behind.
    calc = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "libreoffice-calc"],
                          capture_output=True, text=True).stdout == "install ok installed"
    gui = calc and glob.glob("/usr/lib/libreoffice/program/libvclplug_gen*.so")
    missing = [tool for tool in ("Xvfb", "xwininfo", "import") if not shutil.which(tool)]
    if not gui or missing:
        print("Calc's GUI (libreoffice-calc), Xvfb, x11-utils or imagemagick missing: skipped")
        sys.exit(SKIP)


def window_of(title):
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        if '"%s' % title in line:
            return line.split()[0]
    return None


def screenshot(title, path):
    for _ in range(50):
        window = window_of(title)
        if window:
            time.sleep(1.0)  # let it paint
            subprocess.run(["import", "-window", window, path], check=True)
            return True
        time.sleep(0.2)
    return False


def main():
    need_office()
    need_screen()
    os.makedirs(SHOTS, exist_ok=True)
    screen = subprocess.Popen(["Xvfb", ":47", "-screen", "0", "1280x900x24", "-nolisten", "tcp"])
    os.environ["DISPLAY"] = ":47"
    failures = []
    office = Office(headless=False)
    try:
        office.install(OXT)
        doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, props())
        from com.sun.star.beans import NamedValue
        addin = office.smgr.createInstanceWithContext("org.kovr.calc.Addin", office.ctx)

        def ask(request):
            answer = addin.execute((NamedValue("Request", json.dumps(request)), NamedValue("Document", doc)))
            return json.loads(answer)

        templates = sorted(glob.glob(os.path.join(CATALOGUE, "*", "*.xml")))
        for path in templates:
            answer = ask({"dialog": path})
            name = os.path.relpath(path, CATALOGUE)
            if answer.get("error") or answer["tabs"] != answer["pages"] or answer["shown"] != answer["controls"]:
                failures.append("%s: %s" % (name, answer.get("error", answer)[-300:]))
        listed = ask({"search": "regression"}).get("shown")
        if listed != ["Regression: Linear regression", "Regression: Logistic regression"]:
            failures.append("the catalogue searched for 'regression' shows %s" % listed)
        ask({"dialog": os.path.join(CATALOGUE, "Regression", "linear_regression.xml")})
        if not screenshot("Linear regression", os.path.join(SHOTS, "calc-dialog.png")):
            failures.append("no window of the linear regression dialog")
        ask({"close": True})
        print("%d dialogs built" % len(templates))
        # A result sheet of the linear regression on the example sales data.
        with open(os.path.join(SOURCE, "examples", "data", "sales.csv"), newline="") as f:
            rows = list(csv.reader(f))
        values = tuple(tuple(cell(x) if r else x for x in row) for r, row in enumerate(rows))
        data = doc.Sheets.getByIndex(0)
        data.getCellRangeByPosition(0, 0, len(rows[0]) - 1, len(rows) - 1).DataArray = values
        answer = ask({"template": os.path.join(CATALOGUE, "Regression", "linear_regression.xml"),
                      "ranges": {"RefEditY": "E1:E41", "RefEditX": "C1:D41", "RefEditQ": "B1:B41",
                                 "RefEditObsLabels": "A1:A41"}})
        sheet = next((name for name, result in answer.get("sheets", []) if result == "coefficients"), None)
        if sheet is None:
            failures.append("linear regression: %s" % answer.get("error", answer)[-300:])
        else:
            doc.CurrentController.setActiveSheet(doc.Sheets.getByName(sheet))
            if not screenshot("Untitled", os.path.join(SHOTS, "calc-results.png")):
                failures.append("no window of the workbook")
    finally:
        office.close()
        screen.terminate()
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
