"""How the add-in turns the ranges a user selected into the data sets of a run,
the same way `kovr run` lays out the columns of a CSV file:
  - a response (Y) selection goes into quanti1 when numeric, quali1 when text;
  - quantitative explanatory variables (X) into quanti2;
  - qualitative explanatory variables (Q) into quali1, or quali2 when the
    response is text;
  - observation labels become the labels of the data set;
  - any other selection is an extra numeric or text block of its own.
A selection goes into the data set its R name names; responses and selections
without one go into "data1", which comes first. Ticked "Predictions" without
prediction ranges of their own reuse the ranges of the fields they predict."""
import re
from types import SimpleNamespace as Record

from .bridge import MISSING_NUMBER
_NUMBER = re.compile(r"\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*")


def is_missing(cell):
    """Empty and blank-only cells and the text "NA" are missing values."""
    return isinstance(cell, str) and cell.strip() in ("", "NA")


def cell_text(cell):
    if isinstance(cell, float):
        return repr(int(cell)) if cell.is_integer() and abs(cell) < 1e15 else repr(cell)
    return cell


def cell_number(cell):
    """A cell as a number: numeric cells, and text holding a decimal number."""
    if isinstance(cell, float):
        return cell
    return float(cell) if _NUMBER.fullmatch(cell) else None


def place_of(s, text_response):
    if s.yvar:
        return "quali1" if s.data_type == "3" else "quanti1"
    if s.name in ("RefEditObsLabels", "RefEditObsLabelsPred") or s.data_type == "8":
        return "labels"
    if s.name in ("RefEditX", "RefEditXPred"):
        return "quanti2"
    if s.name in ("RefEditQ", "RefEditQPred"):
        return "quali2" if text_response else "quali1"
    return "extra_text" if s.data_type == "3" else "extra_numeric"


def caption(s):
    return "'%s'" % (s.text or s.name)


def treatment(view, choice):
    if choice < 0:
        return "keep"
    text = (view.missing_options.split(",") + [""])[choice].lower()
    return "remove" if "remov" in text or "delet" in text else "mean" if "mean" in text else "keep"


class Layout:
    """chosen[s]: the columns of selection s, each Record(name, cells, rows,
    where) with rows the sheet's row numbers and where the cells' addresses."""

    def __init__(self, view, choices, chosen):
        self.view, self.choices, self.chosen = view, choices, [list(c) for c in chosen]
        sel = view.selections
        self.text_response = bool(sel) and sel[0].yvar and sel[0].data_type == "3"
        self.one_by_one = bool(sel) and sel[0].yvar and sel[0].one_by_one
        if choices.predict():
            for s, p in enumerate(sel):
                if p.kind == 2 and not self.chosen[s]:
                    field = next((f for f, x in enumerate(sel) if x.name == p.name[:-4] and x.kind == 0), None)
                    if field is not None:
                        self.chosen[s] = self.chosen[field]

    def check(self):
        """'' or what is wrong with the selections, before anything runs."""
        counts = set()
        for s, selection in enumerate(self.view.selections):
            columns = self.chosen[s]
            if selection.kind == 0 and not selection.optional and not columns:
                return "The data selection %s needs a range." % caption(selection)
            if selection.one_column and len(columns) > 1:
                return "The data selection %s takes one column, not %d." % (caption(selection), len(columns))
            if selection.kind == 0:
                counts.update(len(c.cells) for c in columns)
            place = place_of(selection, self.text_response)
            if place in ("quanti1", "quanti2", "extra_numeric") and not selection.str2dbl:
                for column in columns:
                    for cell, where in zip(column.cells, column.where):
                        if not is_missing(cell) and cell_number(cell) is None:
                            return ("Cell %s holds the text '%s', but the data selection %s takes numbers."
                                    % (where, cell, caption(selection)))
        if len(counts) > 1:
            return "The data selections have different numbers of rows (%s)." % ", ".join(map(str, sorted(counts)))
        for response in range(1, len(self.responses()) + 1) or [0]:
            sets, error = self.data_sets(response)
            if sets is None:
                return error
        return ""

    def _fits(self, model, complete):
        """What R cannot fit, told before R runs: no complete row, an
        explanatory column with a single value, or no more complete rows than
        the model has parameters (counted for main effects with an intercept)."""
        if not complete:
            return "No row has a value in each selected column: nothing is left to analyse."
        if self.view.data_structure not in ("model", "model.random"):
            return ""
        parameters = 1
        for s, _, column in model:
            selection = self.view.selections[s]
            if selection.yvar:
                continue
            values = [column.cells[r] for r in complete]
            if len(values) > 1 and all(v == values[0] for v in values):
                return ("The explanatory column %s holds a single value in the %d complete rows: the model cannot "
                        "estimate its effect." % (column.name, len(values)))
            text = place_of(selection, self.text_response) in ("quali1", "quali2")
            parameters += len(set(values)) - 1 if text else 1
        if len(complete) <= parameters:
            return ("Only %d row(s) have a value in each selected column, but the model has %d parameters (the "
                    "intercept, one per quantitative and one fewer than its groups per qualitative explanatory "
                    "column): it needs more complete rows than parameters." % (len(complete), parameters))
        return ""

    def responses(self):
        """The response columns analysed one at a time (a run each), or []."""
        return [c.name for c in self.chosen[0]] if self.one_by_one else []

    def data_sets(self, response):
        """The data sets of the run of response column `response` (from 1; 0
        for all of them), and the explanatory column names with the
        interaction order, from which the add-in writes the model formula."""
        view, rule = self.view, treatment(self.view, self.choices.missing)
        model = [(s, k, c) for s, sel in enumerate(view.selections) if sel.kind == 0
                 and place_of(sel, self.text_response) != "labels" for k, c in enumerate(self.chosen[s])
                 if not (s == 0 and response and k + 1 != response)]
        count = max((len(c.cells) for _, _, c in model), default=0)
        complete = [r for r in range(count) if not any(is_missing(c.cells[r]) for _, _, c in model)]
        error = self._fits(model, complete) if count else ""
        if error:
            return None, error
        rows = complete if rule == "remove" else list(range(count))
        sets, terms = {}, []

        def data_set(name):
            return sets.setdefault(name, Record(name=name, quanti1=[], quanti2=[], quali1=[], quali2=[],
                                                extra_numeric=[], extra_text=[], labels=[], row_count=0))

        if view.selections and view.selections[0].yvar:
            data_set("data1")
        for kind in (0, 2):
            for s, selection in enumerate(view.selections):
                columns = self.chosen[s]
                if selection.kind != kind or not columns:
                    continue
                if kind == 2:
                    name = selection.rname or view.auto_predict_rname or "data2"
                else:
                    name = "data1" if selection.yvar or not selection.rname else selection.rname
                picked = rows if kind == 0 else range(len(columns[0].cells))
                target = data_set(name)
                target.row_count = len(picked)
                place = place_of(selection, self.text_response)
                if place == "labels":
                    target.labels = [cell_text(columns[0].cells[r]) for r in picked]
                    continue
                numeric = place in ("quanti1", "quanti2", "extra_numeric")
                block = []
                for column in columns:
                    cells = [column.cells[r] for r in picked]
                    if numeric:
                        values = [MISSING_NUMBER if is_missing(x) or cell_number(x) is None else cell_number(x)
                                  for x in cells]
                        present = [x for x in values if x != MISSING_NUMBER]
                        if kind == 0 and rule == "mean" and not selection.yvar and present:
                            mean = sum(present) / len(present)
                            values = [mean if x == MISSING_NUMBER else x for x in values]
                    else:
                        values = ["" if is_missing(x) else cell_text(x) for x in cells]
                    block.append(Record(name=column.name, numeric=numeric, values=values))
                    if kind == 0 and not selection.yvar and place in ("quanti2", "quali1", "quali2"):
                        terms.append(column.name)
                if place in ("extra_numeric", "extra_text"):
                    getattr(target, place).append(block)
                else:
                    setattr(target, place, block)
        # Without labels, each row is labelled by its row number in the sheet,
        # so that residuals and scores can be traced to their row. The library
        # writes labels into the first data set's file only, so the prediction
        # rows' labels go into their data set as the text column "obsLabels".
        for kind in (0, 2):
            first = next((c for s, sel in enumerate(view.selections) if sel.kind == kind for c in self.chosen[s]),
                         None)
            label = next((s for s, sel in enumerate(view.selections)
                          if sel.kind == kind and place_of(sel, self.text_response) == "labels"), None)
            name = "data1" if kind == 0 else view.auto_predict_rname or "data2"
            if first is None or label is None or name not in sets:
                continue
            picked = rows if kind == 0 else range(len(first.cells))
            target = sets[name]
            if not target.labels:
                target.labels = [str(first.rows[r]) for r in picked]
            if kind == 2:
                target.extra_text.append([Record(name="obsLabels", numeric=False, values=target.labels)])
        return list(sets.values()), (terms, self.choices.interaction_level())
