"""The add-in's dialogs, built at run time: the catalogue (grouped, searchable
by keyword, with the catalogue folder as a setting), then the analysis dialog
made from the dialog records of the template: one tab per page, the page's
controls in its columns, each with its caption, default, range and enabled
state. The prediction page follows its "Predictions" box as the template's
dialog macro has it. Values are checked when OK is pressed, before R starts."""
import os
import time

import uno
import unohelper
from com.sun.star.awt import XActionListener, XItemListener, XTextListener
from com.sun.star.sheet import XRangeSelectionListener

from . import addin
from .choices import Choices, check_number, is_interactions, option_name
from .run import RunError
from .template import SELECTION_KINDS

PICK_RANGE = 2  # the analysis dialog ends with this to let the user pick a range
TAB_WIDTH, ROW, GAP = 62, 12, 3


class _Listener(unohelper.Base, XActionListener, XItemListener, XTextListener):
    def __init__(self, handler):
        self.handler = handler

    def actionPerformed(self, event):
        self.handler(event)

    def itemStateChanged(self, event):
        self.handler(event)

    def textChanged(self, event):
        self.handler(event)

    def disposing(self, event):
        pass


class _Dialog:
    """A dialog model with its control, controls added by name."""

    def __init__(self, ctx, title, width, height):
        self.ctx, self.smgr = ctx, ctx.ServiceManager
        self.model = self.smgr.createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel", ctx)
        self.model.Title, self.model.Width, self.model.Height = title, width, height
        self.control = None
        self.listeners = []

    def add(self, kind, name, x, y, width, height, **properties):
        model = self.model.createInstance("com.sun.star.awt.UnoControl%sModel" % kind)
        model.PositionX, model.PositionY, model.Width, model.Height = int(x), int(y), int(width), int(height)
        for key, value in properties.items():
            setattr(model, key, value)
        self.model.insertByName(name, model)
        return model

    def make(self, parent=None):
        self.control = self.smgr.createInstanceWithContext("com.sun.star.awt.UnoControlDialog", self.ctx)
        self.control.setModel(self.model)
        toolkit = self.smgr.createInstanceWithContext("com.sun.star.awt.Toolkit", self.ctx)
        self.control.createPeer(toolkit, parent)

    def on(self, name, handler, kind="action"):
        listener = _Listener(handler)
        self.listeners.append(listener)
        getattr(self.control.getControl(name), "add%sListener" % kind.capitalize())(listener)


def message(ctx, doc, title, text, error=True):
    toolkit = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.Toolkit", ctx)
    parent = doc.CurrentController.Frame.ContainerWindow
    kind = uno.Enum("com.sun.star.awt.MessageBoxType", "ERRORBOX" if error else "INFOBOX")
    toolkit.createMessageBox(parent, kind, 1, title, text).execute()


class CatalogueDialog:
    """The list of templates ("Group: Title"), a search field that keeps the
    templates whose group, title, function or keywords hold the words, and
    the catalogue folder."""

    def __init__(self, ctx, settings):
        self.settings = settings
        self.d = _Dialog(ctx, "Kovr - Run an analysis", 260, 205)
        d = self.d
        d.add("FixedText", "searchLabel", 6, 8, 40, 10, Label="Search:")
        d.add("Edit", "search", 48, 6, 206, 12)
        d.add("ListBox", "list", 6, 22, 248, 130)
        d.add("FixedText", "folderLabel", 6, 158, 60, 10, Label="Catalogue folder:")
        d.add("Edit", "folder", 6, 168, 200, 12, Text=settings.catalogue)
        d.add("Button", "reload", 210, 167, 44, 14, Label="Use folder")
        d.add("Button", "ok", 150, 186, 50, 14, Label="OK", PushButtonType=1, DefaultButton=True)
        d.add("Button", "cancel", 204, 186, 50, 14, Label="Cancel", PushButtonType=2)
        d.make()
        d.on("search", lambda e: self.fill(), "text")
        d.on("reload", lambda e: self.reload())
        self.reload()

    def reload(self):
        self.settings.catalogue = self.d.control.getControl("folder").Text.strip()
        try:
            self.entries = addin.catalogue(self.settings)
        except OSError:
            self.entries = []
        self.fill()

    def fill(self):
        words = self.d.control.getControl("search").Text.lower().split()
        self.shown = [e for e in self.entries
                      if all(w in " ".join((e["group"], e["title"], e["function"], e["keywords"])).lower()
                             for w in words)]
        self.d.model.getByName("list").StringItemList = tuple("%s: %s" % (e["group"], e["title"])
                                                              for e in self.shown)
        if self.shown:
            self.d.model.getByName("list").SelectedItems = (0,)

    def execute(self):
        """The chosen template's file, or None."""
        if self.d.control.execute() != 1:
            return None
        picked = self.d.model.getByName("list").SelectedItems
        if not picked:
            return None
        self.settings.save()
        entry = self.shown[picked[0]]
        return os.path.join(self.settings.catalogue, entry["group"], entry["file"])


class AnalysisDialog:
    def __init__(self, ctx, doc, view, choices, ranges):
        self.ctx, self.doc, self.view, self.choices, self.ranges = ctx, doc, view, choices, ranges
        width = max([p.left + p.right for p in view.pages] + [TAB_WIDTH * len(view.pages), 250]) + 16
        self.d = _Dialog(ctx, "%s (%s)" % (view.title, view.function), width, 10)
        self.picking = None
        bottom = max([self._page(p) for p in range(len(view.pages))] + [60])
        d = self.d
        d.model.Height = bottom + 26
        for p, page in enumerate(view.pages):
            d.add("Button", "tab%d" % p, 6 + p * TAB_WIDTH, 4, TAB_WIDTH - 2, 14, Label=page.text,
                  Enabled=page.enabled, Toggle=True)
        d.add("FixedLine", "tabline", 6, 19, width - 12, 4)
        d.add("Button", "ok", width - 110, bottom + 6, 50, 14, Label="OK", DefaultButton=True)
        d.add("Button", "cancel", width - 56, bottom + 6, 50, 14, Label="Cancel", PushButtonType=2)
        d.make()
        for p in range(len(view.pages)):
            d.on("tab%d" % p, lambda e, p=p: self.show_page(p))
        d.on("ok", lambda e: self.accept())
        for c in self._shown():
            if c.kind in SELECTION_KINDS:
                d.on("c%d_pick" % c.index, lambda e, c=c: self.pick(c))
            if d.model.hasByName("c%d_on" % c.index):
                d.on("c%d_on" % c.index, lambda e: self.adapt(), "item")
            if c.kind == "CheckBox":
                d.on("c%d" % c.index, lambda e: self.adapt(), "item")
        self.show_page(0)
        self.adapt()

    def _shown(self):
        return [c for c in self.view.controls if c.visible]

    def _page(self, p):
        """Lays out page p in its columns; returns the lowest y used."""
        page = self.view.pages[p]
        x, y, column, lowest = 8, 26, 0, 26
        for c in (c for c in self.view.controls if c.page == p):
            if c.kind == "NextColumn":
                column += 1
                x, y = 8 + page.left, 26
                continue
            if not c.visible:
                continue
            width = (page.left if column == 0 else page.right) - 8 if page.left + page.right else 150
            y = self._control(c, x, y, max(width, 80), p + 1) + GAP
            lowest = max(lowest, y)
        return lowest

    def _control(self, c, x, y, width, step):
        """Adds control c at (x, y); returns the y below it."""
        d, name, state = self.d, "c%d" % c.index, self.choices.states.get(c.index)
        common = dict(Step=step, Enabled=c.enabled, HelpText=c.tooltip or "")
        if c.kind in ("CheckBox", "RadioButton"):
            d.add(c.kind, name, x, y, width, 10, Label=c.text or option_name(c), State=int(state.on), **common)
            return y + 10
        if c.kind == "ComboBox":
            combo = self.view.combos[c.combo - 1]
            d.add("FixedText", name + "_label", x, y, width, 9, Label=c.text, Step=step)
            d.add("ListBox", name, x, y + 9, width, ROW, Dropdown=True, StringItemList=tuple(combo.texts),
                  SelectedItems=(state.item,), **common)
            return y + 9 + ROW
        if c.kind == "Input":
            entry = self.view.inputs[c.input - 1] if c.input else None
            if entry is not None and entry.optional or is_interactions(c):
                d.add("CheckBox", name + "_on", x, y, width - 50, ROW, Label=c.text, State=int(state.on), Step=step,
                      Enabled=c.enabled)
            else:
                d.add("FixedText", name + "_label", x, y + 2, width - 50, 10, Label=c.text, Step=step)
            hint = " (%s to %s)" % (entry.min or "...", entry.max or "...") if entry and (entry.min or entry.max) \
                else ""
            d.add("Edit", name, x + width - 48, y, 48, ROW, Text=state.value, Step=step,
                  HelpText=(c.tooltip or c.text) + hint, Enabled=state.on)
            return y + ROW
        if c.kind in SELECTION_KINDS:
            s = self.view.selections[c.selection - 1]
            if s.optional:
                d.add("CheckBox", name + "_on", x, y, width, 10, Label=c.text or s.name, State=int(c.enabled),
                      Step=step)
            else:
                d.add("FixedText", name + "_label", x, y, width, 9, Label=c.text or s.name, Step=step)
            d.add("Edit", name, x, y + 10, width - 16, ROW, Text=self.ranges.get(s.name, ""), **common)
            d.add("Button", name + "_pick", x + width - 14, y + 10, 14, ROW, Label="...", Step=step,
                  HelpText="Select the range in the sheet")
            return y + 10 + ROW
        if c.kind == "Missing":
            d.add("FixedText", name + "_label", x, y, width, 9, Label=c.text or "Missing values", Step=step)
            d.add("ListBox", name, x, y + 9, width, ROW, Dropdown=True,
                  StringItemList=tuple(self.view.missing_options.split(",")),
                  SelectedItems=(max(self.choices.missing, 0),), Step=step)
            return y + 9 + ROW
        if c.kind == "Spacer":
            return y + min(int(c.height) if (c.height or "").isdigit() else 6, 40)
        if c.kind == "Group":
            d.add("FixedLine", name, x, y, width, 10, Label=c.text, Step=step)
            return y + 10
        d.add("FixedText", name, x, y, width, 10, Label=c.text or "", **common)
        return y + 10

    def show_page(self, p):
        self.d.model.Step = p + 1
        for k in range(len(self.view.pages)):
            self.d.model.getByName("tab%d" % k).State = int(k == p)

    def _checked(self, name):
        model = self.d.model.getByName(name) if self.d.model.hasByName(name) else None
        return model is not None and model.State == 1

    def adapt(self):
        """Optional inputs and selections follow their boxes; the prediction
        selections are enabled when "Predictions" is ticked and the field they
        predict from is enabled."""
        m = self.d.model
        predict = any(self._checked("c%d" % c.index) for c in self._shown() if c.name == "CheckBoxPredict")
        for c in self._shown():
            name = "c%d" % c.index
            if m.hasByName(name + "_on"):
                m.getByName(name).Enabled = self._checked(name + "_on")
            if c.kind in SELECTION_KINDS and self.view.selections[c.selection - 1].kind == 2:
                field = next((f for f in self._shown() if f.name == c.name[:-4]), None)
                field_on = field is not None and m.getByName("c%d" % field.index).Enabled
                m.getByName(name).Enabled = predict and field_on
                m.getByName(name + "_pick").Enabled = predict and field_on

    def collect(self):
        """Reads the controls into the choices and the ranges; returns '' or
        the first value that does not fit."""
        m, choices = self.d.model, self.choices
        for c in self._shown():
            name, state = "c%d" % c.index, choices.states.get(c.index)
            if c.kind in ("CheckBox", "RadioButton"):
                state.on = m.getByName(name).State == 1
            elif c.kind == "ComboBox":
                state.item = (m.getByName(name).SelectedItems or (0,))[0]
            elif c.kind == "Input":
                state.value = m.getByName(name).Text.strip()
                state.on = self._checked(name + "_on") if m.hasByName(name + "_on") else True
                error = check_number(self.view, c, state.value) if state.on else ""
                if error:
                    return error
            elif c.kind == "Missing":
                choices.missing = (m.getByName(name).SelectedItems or (0,))[0]
            elif c.kind in SELECTION_KINDS:
                s = self.view.selections[c.selection - 1]
                self.ranges[s.name] = m.getByName(name).Text.strip() if m.getByName(name).Enabled else ""
        return ""

    def accept(self):
        error = self.collect()
        if not error:
            try:
                self.chosen = addin.read_ranges(self.doc, self.view, self.choices, self.ranges)
            except RunError as e:
                error = str(e)
        if error:
            message(self.ctx, self.doc, "Kovr", error)
            return
        self.d.control.endDialog(1)

    def pick(self, c):
        self.picking = c
        self.d.control.endDialog(PICK_RANGE)

    def execute(self):
        """Shows the dialog until OK (True: choices, ranges and chosen are
        set) or Cancel (False); a range button lets the user select a range in
        the sheet, then the dialog comes back."""
        while True:
            result = self.d.control.execute()
            if result != PICK_RANGE:
                return result == 1
            self.collect()
            name = "c%d" % self.picking.index
            picked = select_range(self.ctx, self.doc, self.picking.text or self.picking.name)
            if picked:
                self.d.model.getByName(name).Text = picked


class _RangeListener(unohelper.Base, XRangeSelectionListener):
    def __init__(self):
        self.finished, self.address = False, ""

    def done(self, event):
        self.finished, self.address = True, event.RangeDescriptor

    def aborted(self, event):
        self.finished = True

    def disposing(self, event):
        self.finished = True


def select_range(ctx, doc, title):
    """Lets the user select a range in the sheet with Calc's own range
    selection; returns its address ("" when aborted)."""
    controller = doc.CurrentController
    listener = _RangeListener()
    controller.addRangeSelectionListener(listener)
    properties = tuple(uno.createUnoStruct("com.sun.star.beans.PropertyValue", k, 0, v, 0)
                       for k, v in (("Title", title), ("CloseOnMouseRelease", True)))
    controller.startRangeSelection(properties)
    toolkit = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.Toolkit", ctx)
    while not listener.finished:
        toolkit.processEventsToIdle()
        time.sleep(0.05)
    controller.removeRangeSelectionListener(listener)
    return listener.address


def current_selection(doc):
    """The address of the selected range when more than one cell is selected."""
    selection = doc.CurrentSelection
    if selection is None or not hasattr(selection, "RangeAddress"):
        return ""
    a = selection.RangeAddress
    if a.StartColumn == a.EndColumn and a.StartRow == a.EndRow:
        return ""
    return selection.AbsoluteName


class _Progress:
    def __init__(self, doc):
        self.indicator = doc.CurrentController.Frame.createStatusIndicator()
        self.indicator.start("Kovr", 100)

    def __call__(self, text, share):
        self.indicator.setText("Kovr: " + text)
        self.indicator.setValue(int(100 * min(share, 1)))

    def end(self):
        self.indicator.end()


def build(ctx, doc, settings, path):
    """The analysis dialog of the template at path, with the first data
    selection filled from the current selection; (template, dialog)."""
    template = addin.open_template(settings, path)
    view = template.view()
    ranges = {}
    first = next((s for s in view.selections if s.kind == 0), None)
    if first is not None:
        ranges[first.name] = current_selection(doc)
    return template, AnalysisDialog(ctx, doc, view, Choices(view), ranges)


def run_from_menu(ctx, doc):
    """Kovr > Run an analysis...: the catalogue, the dialog, the run."""
    settings = addin.Settings(ctx)
    path = CatalogueDialog(ctx, settings).execute()
    if not path:
        return
    try:
        template, dialog = build(ctx, doc, settings, path)
    except RunError as e:
        message(ctx, doc, "Kovr: the template cannot be read", str(e))
        return
    try:
        if not dialog.execute():
            return
        progress = _Progress(doc)
        try:
            addin.run(ctx, doc, settings, template, dialog.view, dialog.choices, dialog.chosen, progress)
        finally:
            progress.end()
    except RunError as e:
        message(ctx, doc, "Kovr: the analysis did not run", str(e))
    finally:
        template.close()


_shown_dialogs = []


def show(ctx, doc, request):
    """For tests and screenshots: shows the analysis dialog of a template
    without waiting for it (page request["page"], from 0), and says how many
    tabs and which controls it has; {"close": true} closes the dialogs shown;
    {"search": words} lists what the catalogue shows for the words."""
    while _shown_dialogs:
        template, dialog = _shown_dialogs.pop()
        dialog.d.control.dispose()
        template.close()
    if request.get("close"):
        return {}
    settings = addin.Settings(ctx)
    if "search" in request:
        catalogue = CatalogueDialog(ctx, settings)
        catalogue.d.model.getByName("search").Text = request["search"]
        catalogue.fill()
        shown = list(catalogue.d.model.getByName("list").StringItemList)
        catalogue.d.control.dispose()
        return {"shown": shown}
    try:
        template, dialog = build(ctx, doc, settings, request["dialog"])
    except RunError as e:
        return {"error": str(e)}
    _shown_dialogs.append((template, dialog))
    dialog.show_page(request.get("page", 0))
    dialog.d.control.setVisible(True)
    m = dialog.d.model
    return {"pages": len(dialog.view.pages),
            "tabs": len([n for n in m.ElementNames if n.startswith("tab") and n[3:].isdigit()]),
            "controls": [c.index for c in dialog.view.controls if c.kind not in ("Spacer", "NextColumn")],
            "shown": [c.index for c in dialog.view.controls
                      if any(m.hasByName("c%d%s" % (c.index, end)) for end in ("", "_label", "_on"))]}
