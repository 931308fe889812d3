"""The catalogue and one template as the add-in reads them: the catalogue table,
then the two-pass read (the sizing pass counts every vector of the dialog
records, the host dimensions the arrays, the filling pass fills them), and the
dialog decoded from the filled records."""
import ctypes
import os
from types import SimpleNamespace as Record

from .bridge import VT_BSTR, Arena

# Rows of the translation table that the library reads for the labels of the
# controls it adds itself.
BUILT_IN_TEXTS = {
    48: "Observation labels", 51: "Variable labels", 65: "Descriptive statistics",
    235: "Quantitative explanatory variables", 236: "Qualitative explanatory variables",
    2527: "Select the quantitative explanatory variables", 2529: "Select the qualitative explanatory variables",
    2653: "Interactions / Level", 2654: "Highest order of the interactions between the explanatory variables",
}
SELECTION_KINDS = {"RefEdit", "DataField", "ObsLabelsField", "YQuantiField", "YQualiField", "XQuantiField",
                   "XQualiField"}
OPTION_KINDS = {"CheckBox", "RadioButton", "ComboBox", "Input"}
CATALOGUE_FIELDS = ("file", "group", "function", "title", "packages", "code", "keywords")


def vector_fields(record_class):
    return [name for name, ctype in record_class._fields_ if ctype.__name__ == "ST_Vect"]


def list_catalogue(lib, folder):
    """The templates of a catalogue folder: one dict of the seven catalogue
    fields per template."""
    arena = Arena(lib)
    try:
        n = lib.bridge.Cpp_GetNbRFiles(folder)
        main = arena.record("ST_Main_aiR")
        main.catalogFolder = lib.new_string(folder)
        main.catalogTable = ctypes.cast(arena.array(VT_BSTR, max(n, 0), rows=7), ctypes.c_void_p).value
        main.catalogCount = n
        with arena.call():
            lib.bridge.Cpp_GetListOfRFiles(ctypes.byref(main))
        table = arena.elements(main.catalogTable, VT_BSTR)
        return [dict(zip(CATALOGUE_FIELDS, (lib.text(table[7 * t + k]) for k in range(7)))) for t in range(n)]
    finally:
        arena.close()


class Template:
    """The records of one template, owned by an arena; error is set (title,
    message) when the template does not parse."""

    def __init__(self, lib, path):
        self.lib, self.path = lib, os.path.abspath(path)
        self.arena = Arena(lib)
        self.error = None
        self.translations = (ctypes.c_void_p * 6500)()
        for row, text in BUILT_IN_TEXTS.items():
            self.translations[row - 1] = self.arena.string(text)
        self.main = self.arena.record("ST_Main_aiR")
        self.main.templateFolder = lib.new_string(os.path.dirname(self.path))
        self.main.templateFile = lib.new_string(os.path.basename(self.path))
        sizes = lib.records["ST_aiRSize"]()
        control_sizes = lib.records["ST_AirControlInfoSize"]()
        error = self.arena.record("ST_ErrorInfo")
        with self.arena.call():
            lib.bridge.Cpp_GetMethodDescriptionSize(ctypes.byref(self.main), ctypes.byref(sizes),
                                                    ctypes.byref(control_sizes), self.translations,
                                                    ctypes.byref(error))
        if self._failed(error):
            return
        self.dialog = self.arena.record("ST_aiR")
        self.controls = self.arena.record("ST_AirControlInfo")
        self._dimension(self.dialog, sizes.vectorSize)
        self._dimension(self.controls, control_sizes.vectorSize)
        with self.arena.call():
            lib.bridge.Cpp_GetMethodDescription(ctypes.byref(self.main), ctypes.byref(self.dialog),
                                                ctypes.byref(self.controls), self.translations, ctypes.byref(error))
        self._failed(error)

    def _failed(self, error):
        if error.title or error.message:
            self.error = (self.lib.text(error.title), self.lib.text(error.message))
        return self.error is not None

    def _kind(self, record, name):
        return self.lib.vector_kinds[type(record).__name__][vector_fields(type(record)).index(name)]

    def _dimension(self, record, sizes):
        for k, name in enumerate(vector_fields(type(record))):
            vector = getattr(record, name)
            vector.values = ctypes.cast(self.arena.array(self._kind(record, name), max(sizes[k], 0)),
                                        ctypes.c_void_p).value
            vector.count = 0

    def new_option_rows(self, rows):
        """Re-dimensions the twelve option-row vectors (5 to 16) to rows entries."""
        for name in vector_fields(type(self.dialog))[5:17]:
            vector = getattr(self.dialog, name)
            vector.values = ctypes.cast(self.arena.array(self._kind(self.dialog, name), rows), ctypes.c_void_p).value
            vector.count = rows

    def column(self, record, name):
        """Entries 1..count of a vector as Python values."""
        kind = self._kind(record, name)
        vector = getattr(record, name)
        elements = self.arena.elements(vector.values, kind)
        values = list(elements[:max(0, min(vector.count, len(elements)))])
        return [self.lib.text(x) for x in values] if kind == VT_BSTR else values

    def close(self):
        self.arena.close()

    def view(self):
        """The dialog as the add-in builds it: pages, controls with their combo
        box, numeric input or data selection, results and script lines."""
        d, c, text = self.dialog, self.controls, self.lib.text
        v = Record(path=self.path, title=text(self.main.title), group=text(self.main.group),
                   function=text(d.functionName), packages=text(d.packages), data_structure=text(d.dataStructure),
                   missing_options=text(d.missingOptions), missing_default=text(d.missingDefault),
                   auto_predict_rname=text(d.autoPredictRName), uses_seed=d.usesSeed != 0,
                   has_interactions=d.hasInteractions != 0, auto_outputs=d.autoOutputs != 0,
                   auto_outputs_stats=d.autoOutputsStats != 0, auto_outputs_page=d.autoOutputsPage,
                   auto_charts=d.autoCharts != 0, auto_charts_page=d.autoChartsPage, dialog_code=text(d.dialogCode))
        cols = {name: self.column(c, name) for name in vector_fields(type(c))}
        v.controls = []
        for i in range(c.ctlKind.count):
            get = lambda name: cols[name][i] if i < len(cols[name]) else None  # noqa: E731
            v.controls.append(Record(
                index=i + 1, kind=get("ctlKind"), name=get("ctlName"), rname=get("ctlRName"),
                rname_option=get("ctlRNameOption"), text=get("ctlText"), tooltip=get("ctlToolTip"),
                default=get("ctlDefault"), group_name=get("ctlGroupName"), chart_name=get("ctlChartName"),
                height=get("ctlHeight"), width=get("ctlWidth"), page=get("ctlPage"),
                frame_children=get("ctlFrameChildren"), enabled=get("ctlEnabled") != 0,
                visible=get("ctlVisible") != 0, combo=0, input=0, selection=0, role="", result=0, auto_name=""))
        dv = {name: self.column(d, name) for name in vector_fields(type(d))}
        at = lambda name, k: dv[name][k] if k < len(dv[name]) else None  # noqa: E731
        v.combos = [Record(name=at("comboName", k), default=at("comboDefault", k),
                           texts=_split(at("comboItemTexts", k)), rnames=_split(at("comboItemRNames", k)))
                    for k in range(d.comboName.count)]
        v.inputs = [Record(page=at("inputPage", k), type=at("inputType", k), min=at("inputMin", k),
                           max=at("inputMax", k), optional=at("inputOptional", k) != 0,
                           option_default=at("inputOptionDefault", k) != 0) for k in range(d.inputType.count)]
        v.selections = [Record(name=at("refName", k), text=at("refText", k), data_type=at("refDataType", k),
                               rname=at("refRName", k), page=at("refPage", k), kind=at("refSelectionKind", k),
                               yvar=at("refYVar", k) != 0, optional=at("refOptional", k) != 0,
                               option_default=at("refOptionDefault", k) != 0, one_column=at("refOneColumn", k) != 0,
                               str2dbl=at("refStr2Dbl", k) != 0, one_by_one=at("refOneByOne", k) != 0)
                        for k in range(d.refName.count)]
        v.results = [Record(text=at("resText", k), rname=at("resRName", k), show=at("resShow", k),
                            hidden=at("resHidden", k) != 0, chart_name=at("resChartName", k),
                            plot_code=at("resRPlotCode", k), plot_format=at("resRPlotFormat", k))
                     for k in range(d.resRName.count)]
        v.pages = [Record(text=at("pageText", p), enabled=at("pageEnabled", p) != 0, left=at("pageLeftWidth", p),
                          right=at("pageRightWidth", p)) for p in range(d.pageText.count)]
        _link_entries(v)
        _mark_auto_boxes(v)
        return v


def _split(text):
    return text.split(",") if text else []


def _link_entries(v):
    """Each combo box, numeric input and data selection entry belongs to the
    control of its kind with the same rank."""
    counts = {"combo": 0, "input": 0, "selection": 0}
    for control in v.controls:
        field = "combo" if control.kind == "ComboBox" else "input" if control.kind == "Input" else \
            "selection" if control.kind in SELECTION_KINDS else None
        if field:
            counts[field] += 1
            setattr(control, field, counts[field])


def _mark_auto_boxes(v):
    """The check boxes of automatic outputs and charts are the last boxes of
    their page, in the order of the results."""
    expected = {}
    for i, r in enumerate(v.results, 1):
        if v.auto_outputs:
            boxes = expected.setdefault(v.auto_outputs_page, [])
            if v.auto_outputs_stats and not any(role == "stats" for role, _ in boxes):
                boxes.append(("stats", 0))
            if not r.hidden:
                boxes.append(("output", i))
        if v.auto_charts and r.chart_name and "," not in r.chart_name:
            expected.setdefault(v.auto_charts_page, []).append(("chart", i))
    for page, boxes in expected.items():
        on_page = [c for c in v.controls if c.page == page]
        if len(on_page) < len(boxes):
            continue
        for control, (role, result) in zip(on_page[len(on_page) - len(boxes):], boxes):
            if control.kind != "CheckBox":
                continue
            control.role, control.result = role, result
            if result:
                r = v.results[result - 1]
                control.auto_name = r.chart_name if role == "chart" else r.rname
