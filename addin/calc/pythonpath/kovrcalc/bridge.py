"""The library's C interface through ctypes: host strings, host arrays and the
host records. The record layouts are read from the public header that ships
with the library, so every field sits where the C compiler puts it (4-byte
packing, pointer-wide string and array fields)."""
import ctypes
import os
import re
from contextlib import contextmanager

VT_I2, VT_I4, VT_R8, VT_BSTR = 2, 3, 5, 8
FADF_RECORD, FADF_BSTR = 0x0020, 0x0100
MISSING_NUMBER = -1.79769313486231e308  # the value the host stores for a missing number


class SAFEARRAYBOUND(ctypes.Structure):
    _fields_ = [("cElements", ctypes.c_uint32), ("lLbound", ctypes.c_int32)]


class SAFEARRAY(ctypes.Structure):
    _fields_ = [("cDims", ctypes.c_uint16), ("fFeatures", ctypes.c_uint16), ("cbElements", ctypes.c_uint32),
                ("cLocks", ctypes.c_uint32), ("pvData", ctypes.c_void_p), ("rgsabound", SAFEARRAYBOUND * 1)]


def _strip_comments(text):
    return re.sub(r"//[^\n]*", "", re.sub(r"/\*.*?\*/", "", text, flags=re.S))


def read_records(header_path):
    """The packed records of the header as ctypes structures, by name. Each
    class lists its host-string fields in _strings_ and its host-array fields
    in _arrays_."""
    with open(header_path, encoding="utf-8") as f:
        text = _strip_comments(f.read())
    packed = text.split("#pragma pack(push, 4)")[1].split("#pragma pack(pop)")[0]
    records = {}
    scalars = {"int32_t": ctypes.c_int32, "int16_t": ctypes.c_int16, "uint32_t": ctypes.c_uint32,
               "double": ctypes.c_double}
    pattern = r"typedef\s+struct\s+\w+\s*\{(.*?)\}\s*(\w+)\s*;|typedef\s+(\w+)\s+(\w+)\s*;"
    for body, name, alias_of, alias in re.findall(pattern, packed, flags=re.S):
        if alias:
            records[alias] = records[alias_of]
            continue
        fields, strings, arrays = [], [], []
        for declaration in filter(None, (d.strip() for d in body.split(";"))):
            kind, names = re.match(r"(\w+\s*\*?)\s*(.*)", declaration, flags=re.S).groups()
            kind = kind.replace(" ", "")
            for item in (n.strip() for n in names.split(",")):
                field, count = re.match(r"(\w+)(?:\[(\d+)\])?", item).groups()
                if kind == "BSTR":
                    ctype = ctypes.c_void_p
                    strings.append(field)
                elif kind == "SAFEARRAY*":
                    ctype = ctypes.c_void_p
                    arrays.append(field)
                else:
                    ctype = scalars.get(kind) or records[kind]
                fields.append((field, ctype * int(count) if count else ctype))
        records[name] = type(name, (ctypes.Structure,),
                             {"_pack_": 4, "_fields_": fields, "_strings_": strings, "_arrays_": arrays})
    return records


def read_vector_kinds(fields_path):
    """The element type of every host vector of the dialog records, in record
    order, from the header's field lists: {"ST_aiR": [VT_...], "ST_AirControlInfo": [...]}."""
    with open(fields_path, encoding="utf-8") as f:
        text = _strip_comments(f.read())
    vt = {"TEXT": VT_BSTR, "INT32": VT_I4, "INT16": VT_I2}
    kinds = {}
    for record, macro in (("ST_aiR", "KOV_DIALOG_VECTORS"), ("ST_AirControlInfo", "KOV_CONTROL_VECTORS")):
        body = text.split("#define %s(X)" % macro)[1].split("#define")[0]
        kinds[record] = [vt[kind] for kind in re.findall(r"X\(\w+,\s*(\w+)\)", body)]
    return kinds


class Library:
    """libkovrbridge.so and liboleauto.so of one folder, with the records of
    the public headers in include_folder."""

    def __init__(self, lib_folder, include_folder):
        self.ole = ctypes.CDLL(os.path.join(lib_folder, "liboleauto.so"))
        self.bridge = ctypes.CDLL(os.path.join(lib_folder, "libkovrbridge.so"))
        self.records = read_records(os.path.join(include_folder, "kovrbridge.h"))
        self.vector_kinds = read_vector_kinds(os.path.join(include_folder, "kovrbridge_fields.h"))
        ole = self.ole
        ole.SysAllocStringLen.restype = ctypes.c_void_p
        ole.SysAllocStringLen.argtypes = [ctypes.c_char_p, ctypes.c_uint32]
        ole.SysFreeString.argtypes = [ctypes.c_void_p]
        ole.SysStringLen.restype = ctypes.c_uint32
        ole.SysStringLen.argtypes = [ctypes.c_void_p]
        ole.SafeArrayCreate.restype = ctypes.POINTER(SAFEARRAY)
        ole.SafeArrayCreate.argtypes = [ctypes.c_uint16, ctypes.c_uint32, ctypes.POINTER(SAFEARRAYBOUND)]
        ole.SafeArrayDestroy.argtypes = [ctypes.c_void_p]
        b = self.bridge
        b.Cpp_GetNbRFiles.restype = ctypes.c_int32
        b.Cpp_GetNbRFiles.argtypes = [ctypes.c_wchar_p]
        for name in ("Cpp_GetListOfRFiles", "Cpp_GetMethodDescriptionSize", "Cpp_GetMethodDescription",
                     "Cpp_TransferToR"):
            getattr(b, name).restype = None
        b.Cpp_LoadClabelsRfunc.restype = None
        b.Cpp_LoadClabelsRfunc.argtypes = [ctypes.c_int32, ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p),
                                           ctypes.c_int16, ctypes.POINTER(ctypes.c_void_p)]

    def new_string(self, text):
        data = text.encode("utf-16-le", "surrogatepass")
        return self.ole.SysAllocStringLen(data, len(data) // 2)

    def text(self, bstr):
        if not bstr:
            return ""
        n = self.ole.SysStringLen(bstr)
        return ctypes.string_at(bstr, 2 * n).decode("utf-16-le", "replace")

    def formula_terms(self, names):
        """The model formula's terms for the columns called names, joined by
        "+": the library writes each as the R name of its column, so that a
        header never reaches the R code as anything but a name."""
        given = [self.new_string(n) for n in names]
        held = (ctypes.c_void_p * max(1, len(given)))(*given)
        separator = self.new_string("+")
        formula = ctypes.c_void_p()
        self.bridge.Cpp_LoadClabelsRfunc(len(given), separator, held, 0, ctypes.byref(formula))
        terms = self.text(formula.value)
        for k, s in enumerate(given):
            if held[k] != s:
                self.free_string(held[k])
            self.free_string(s)
        self.free_string(separator)
        self.free_string(formula.value)
        # Every term comes with its separator in front.
        return terms[1:] if terms.startswith("+") else terms

    def free_string(self, bstr):
        if bstr:
            self.ole.SysFreeString(bstr)


_ELEMENT = {VT_I2: ctypes.c_int16, VT_I4: ctypes.c_int32, VT_R8: ctypes.c_double, VT_BSTR: ctypes.c_void_p}


class Arena:
    """Owns the host strings, arrays and records made for a sequence of calls
    and frees them together. The library writes every string of a record back
    as a new host string and never frees the old one: call() frees, after
    each call, the strings that no slot holds any more."""

    def __init__(self, lib):
        self.lib = lib
        self.records = []   # ctypes structures whose string fields the arena owns
        self.arrays = []    # (pointer, element type) made by SafeArrayCreate
        self.record_arrays = []  # (descriptor, records) laid out by hand
        self.strings = []   # loose host strings (not held by a record or array)

    def record(self, name):
        r = self.lib.records[name]()
        self.records.append(r)
        return r

    def string(self, text):
        s = self.lib.new_string(text)
        self.strings.append(s)
        return s

    def array(self, vt, count, rows=None):
        """A host array of count elements (or a rows x count table), lower bounds 1."""
        if rows is None:
            bounds = (SAFEARRAYBOUND * 1)(SAFEARRAYBOUND(count, 1))
        else:
            bounds = (SAFEARRAYBOUND * 2)(SAFEARRAYBOUND(rows, 1), SAFEARRAYBOUND(count, 1))
        pointer = self.lib.ole.SafeArrayCreate(vt, len(bounds), bounds)
        self.arrays.append((pointer, vt))
        return pointer

    def record_array(self, name, count):
        """count records back to back in a hand-laid host array; returns the
        descriptor's address and the records."""
        records = (self.lib.records[name] * count)()
        descriptor = SAFEARRAY(cDims=1, fFeatures=FADF_RECORD, cbElements=ctypes.sizeof(self.lib.records[name]),
                               pvData=ctypes.addressof(records) if count else None)
        descriptor.rgsabound[0] = SAFEARRAYBOUND(count, 1)
        self.record_arrays.append((descriptor, records))
        return ctypes.addressof(descriptor), records

    def elements(self, pointer, vt=None):
        """The elements of a host array as a ctypes array (empty for null)."""
        if not pointer:
            return []
        if not isinstance(pointer, ctypes.POINTER(SAFEARRAY)):
            pointer = ctypes.cast(pointer, ctypes.POINTER(SAFEARRAY))
        a = pointer.contents
        n = 1
        bounds = ctypes.cast(ctypes.addressof(a.rgsabound), ctypes.POINTER(SAFEARRAYBOUND))
        for d in range(a.cDims):
            n *= bounds[d].cElements
        if not a.pvData or n == 0:
            return []
        if vt is None:
            vt = VT_BSTR if a.fFeatures & FADF_BSTR else {2: VT_I2, 4: VT_I4, 8: VT_R8}[a.cbElements]
        return (_ELEMENT[vt] * n).from_address(a.pvData)

    def set_texts(self, pointer, texts):
        slots = self.elements(pointer, VT_BSTR)
        for k, text in enumerate(texts):
            self.lib.free_string(slots[k])
            slots[k] = self.lib.new_string(text)

    def _slots(self):
        """Every place that holds a host string: string fields of the records
        (nested ones included) and elements of string arrays."""
        slots = []

        def walk(record):
            for name in type(record)._strings_:
                value = getattr(record, name)
                if isinstance(value, ctypes.Array):
                    slots.extend((value, k) for k in range(len(value)))
                else:
                    slots.append((record, name))
            for name, ctype in type(record)._fields_:
                if isinstance(ctype, type) and issubclass(ctype, ctypes.Structure):
                    walk(getattr(record, name))
                elif hasattr(ctype, "_type_") and isinstance(ctype._type_, type) and issubclass(
                        ctype._type_, ctypes.Structure):
                    for item in getattr(record, name):
                        walk(item)

        for r in self.records:
            walk(r)
        for _, records in self.record_arrays:
            for r in records:
                walk(r)
        for pointer, vt in self.arrays:
            if vt == VT_BSTR:
                elements = self.elements(pointer, VT_BSTR)
                slots.extend((elements, k) for k in range(len(elements)))
        return slots

    @staticmethod
    def _value(slot):
        holder, key = slot
        return getattr(holder, key) if isinstance(key, str) else holder[key]

    def _held(self):
        return {self._value(s) for s in self._slots()} - {None, 0}

    @contextmanager
    def call(self):
        """Around a library call: frees the strings the call replaced."""
        before = self._held()
        try:
            yield
        finally:
            for s in before - self._held():
                self.lib.free_string(s)

    def close(self):
        for s in self._held() | set(self.strings):
            self.lib.free_string(s)
        for pointer, _ in self.arrays:
            elements = self.elements(pointer)
            if pointer.contents.fFeatures & FADF_BSTR:
                for k in range(len(elements)):
                    elements[k] = None  # freed above
            self.lib.ole.SafeArrayDestroy(pointer)
        self.records, self.arrays, self.record_arrays, self.strings = [], [], [], []
