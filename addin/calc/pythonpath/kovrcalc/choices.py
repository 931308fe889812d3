"""The user's choices in a template's dialog: every option control starts at its
default, the dialog (or a caller naming controls as `kovr run --set` does)
changes them, and they are written into the option rows of the dialog record,
which is what the library turns into R code."""
from types import SimpleNamespace as State

from .template import OPTION_KINDS

DEFAULT_SEED = 1234567  # the seed when the template draws random numbers, so runs repeat


def _number(text):
    try:
        t = text.strip()
        return float(t.replace(",", ".", 1) if "," in t and "." not in t else t)
    except (AttributeError, ValueError):
        return None


def option_name(control):
    """The name by which a caller addresses a control."""
    if control.role in ("output", "chart"):
        return control.role + ":" + control.auto_name
    return control.name or (control.rname or "").split(",")[0]


def is_interactions(control):
    return control.kind == "Input" and control.name == "Interactions"


def check_number(view, control, value):
    """'' when value fits the numeric input control, else why not."""
    entry = view.inputs[control.input - 1] if control.input else None
    if entry is None or entry.type in ("text", "string", "integerlist"):
        return ""
    caption = control.text or control.name
    number = _number(value)
    if number is None:
        return "%s: '%s' is not a number" % (caption, value)
    if entry.type == "integer" and number != int(number):
        return "%s: '%s' is not a whole number" % (caption, value)
    low, high = _number(entry.min), _number(entry.max)
    if (low is not None and number < low) or (high is not None and number > high):
        return "%s: %s is outside %s to %s" % (caption, value, entry.min or "-inf", entry.max or "inf")
    return ""


class Choices:
    def __init__(self, view):
        self.view = view
        self.states = {}
        self.seed = DEFAULT_SEED
        for c in view.controls:
            if c.kind not in OPTION_KINDS:
                continue
            state = State(on=True, value="", item=0)
            if c.kind in ("CheckBox", "RadioButton"):
                state.on = (c.default or "").lower() == "true"
            elif c.kind == "ComboBox" and c.combo:
                state.item = view.combos[c.combo - 1].default
            elif c.kind == "Input":
                entry = view.inputs[c.input - 1] if c.input else None
                state.value = c.default or ""
                # The interactions input stays off until the user asks for
                # interactions: a model has main effects only by default.
                state.on = False if is_interactions(c) else not (entry and entry.optional) or entry.option_default
            self.states[c.index] = state
        self.missing = -1
        if view.missing_options:
            self.missing = int(view.missing_default) if (view.missing_default or "").strip().isdigit() else 0

    def checked(self, control):
        state = self.states.get(control.index)
        return bool(state and state.on)

    def matches(self, name):
        """The option controls called name, or else those whose R name it is."""
        options = [c for c in self.view.controls if c.kind in OPTION_KINDS]
        return [c for c in options if option_name(c) == name] or \
            [c for c in options if not c.role and (c.rname or "").split(",")[0] == name]

    def set(self, name, value):
        """Applies one choice by control name; returns '' or why it cannot."""
        if name == "seed":
            self.seed = int(value)
            return ""
        if name == "Missing" and self.missing >= 0:
            choices = [t.lower() for t in self.view.missing_options.split(",")]
            if value.lower() in choices:
                self.missing = choices.index(value.lower())
                return ""
            return "Missing: '%s' is none of the choices" % value
        found = self.matches(name)
        if not found:
            return "unknown option '%s'" % name
        if len(found) > 1 and all(c.kind == "RadioButton" for c in found):
            for radio in found:
                if (radio.rname_option or "").strip("'\"") == value.strip("'\"") or radio.text == value:
                    return self.set_radio(radio)
            return "%s: '%s' is none of the radio buttons' values" % (name, value)
        c = found[0]
        state = self.states[c.index]
        if c.kind == "CheckBox":
            state.on = value.lower() in ("true", "1", "yes", "on")
        elif c.kind == "RadioButton":
            return self.set_radio(c)
        elif c.kind == "ComboBox":
            combo = self.view.combos[c.combo - 1]
            for k, (text, rname) in enumerate(zip(combo.texts, combo.rnames)):
                if value in (text, rname):
                    state.item = k
                    return ""
            return "%s: '%s' is none of the items" % (name, value)
        elif value.lower() == "off":
            state.on = False
        else:
            error = check_number(self.view, c, value)
            if error:
                return error
            state.value, state.on = value, True
        return ""

    def set_radio(self, radio):
        for other in self.view.controls:
            if other.kind == "RadioButton" and other.group_name == radio.group_name and other.page == radio.page:
                self.states[other.index].on = other.index == radio.index
        return ""

    def wanted(self, result):
        """Whether result i (from 1) is wanted: its output box ticked, or no box."""
        for c in self.view.controls:
            if c.role == "output" and c.result == result:
                return self.checked(c)
        return True

    def descriptive_statistics(self):
        """Whether the descriptive-statistics box exists and is ticked."""
        return any(c.role == "stats" and self.checked(c) for c in self.view.controls)

    def interaction_level(self):
        for c in self.view.controls:
            if is_interactions(c):
                state = self.states[c.index]
                level = _number(state.value)
                return int(level) if state.on and level and level > 1 else 1
        return 1

    def predict(self):
        return any(c.name == "CheckBoxPredict" and self.checked(c) for c in self.view.controls)

    def headers(self):
        """Whether the first row of each selection holds the column names."""
        box = next((c for c in self.view.controls if c.name == "CheckBoxLabels"), None)
        return box is None or self.checked(box)

    def _value_text(self, c):
        state = self.states[c.index]
        if c.kind == "CheckBox":
            return "TRUE" if state.on else "FALSE"
        if c.kind == "RadioButton":
            return c.rname_option or ("TRUE" if state.on else "FALSE")
        if c.kind == "ComboBox":
            rnames = self.view.combos[c.combo - 1].rnames
            return rnames[state.item] if 0 <= state.item < len(rnames) else ""
        return state.value

    def write_option_rows(self, template):
        """One option row per check box, radio button, combo box and numeric
        input in control order, and the selected item of each combo box."""
        rows = [c for c in self.view.controls if c.kind in OPTION_KINDS]
        template.new_option_rows(len(rows))
        d, arena = template.dialog, template.arena
        texts = {name: [] for name in ("optionKind", "optionExtraText1", "optionRName", "optionChartName",
                                       "optionValue", "optionInclude")}
        for k, c in enumerate(rows):
            state = self.states[c.index]
            # Only options with an R name that are in use reach the R code:
            # output and chart boxes steer the add-in, an optional input can be
            # off, and only the selected radio button of a group passes its value.
            included = bool(c.rname) and not c.role and not (c.kind == "Input" and not state.on) and \
                not (c.kind == "RadioButton" and c.rname_option and not state.on)
            for name, text in (("optionKind", c.kind), ("optionExtraText1", option_name(c)),
                               ("optionRName", c.rname or ""),
                               ("optionChartName", c.auto_name if c.role == "chart" else c.chart_name or ""),
                               ("optionValue", self._value_text(c)), ("optionInclude", "1" if included else "")):
                texts[name].append(text)
            arena.elements(d.optionActive.values)[k] = -1 if included else 0
            if c.kind == "ComboBox" and c.combo:
                arena.elements(d.comboDefault.values)[c.combo - 1] = state.item
        for name, values in texts.items():
            arena.set_texts(getattr(d, name).values, values)
