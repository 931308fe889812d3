"""The "Descriptive statistics" box of automatic outputs: the statistics of the
run's data computed by the library (Cpp_GetDescStatsModel), asked for the way
`kovr run` asks: each numeric column summarised by named statistics, each text
column tabulated into categories, counts and percentages."""
import ctypes
from types import SimpleNamespace as Record

from .bridge import MISSING_NUMBER, SAFEARRAY, VT_BSTR, VT_R8

STATISTICS = ("n", "missing", "mean", "sd", "min", "q1", "median", "q3", "max")


def _data_set(name, numeric, texts, rows):
    return Record(name=name, quanti1=numeric, quanti2=[], quali1=texts, quali2=[], extra_numeric=[], extra_text=[],
                  labels=[], row_count=rows)


def descriptive_statistics(arena, data, response, text_response, host_data_sets):
    """Rows of a result sheet for data set `data` (the response reduced to
    column `response` when the run analyses one response column)."""
    numeric, texts = data.quanti1 + data.quanti2, data.quali1 + data.quali2
    if response:
        responses = data.quali1 if text_response else data.quanti1
        keep = responses[response - 1:response]
        numeric = (numeric if text_response else keep + data.quanti2)
        texts = (keep + data.quali2 if text_response else texts)
    lib = arena.lib
    host = host_data_sets(arena, [_data_set("data1", numeric, texts, data.row_count)])
    second, third, quali = arena.record("ST_DataSetArray"), arena.record("ST_DataSet"), arena.record("ST_QualiInfo")
    host.fill_block(quali.textBlock, texts)
    results = [arena.record("ST_DescStats") for _ in range(4)]
    r = results[0]
    r.quanti.values = ctypes.cast(arena.array(VT_R8, len(numeric), rows=len(STATISTICS)), ctypes.c_void_p).value
    r.quanti.formats.statistics = ctypes.cast(arena.array(VT_BSTR, len(STATISTICS)), ctypes.c_void_p).value
    arena.set_texts(r.quanti.formats.statistics, STATISTICS)
    # Room for the frequency tables, which the library writes over: one row
    # per category of each text column.
    room = [max(len(set(c.values)), 1) for c in texts]
    host.fill_data_set(r.quali.dataSet, _data_set(
        "", [Record(name=c.name, numeric=True, values=[0.0] * n) for c, n in zip(texts, room)],
        [Record(name=c.name, numeric=False, values=[""] * n) for c, n in zip(texts, room)], 0))
    host.fill_block(r.quali.dataSet.quanti2, [Record(name=c.name, numeric=True, values=[0.0] * n)
                                              for c, n in zip(texts, room)])
    with arena.call():
        lib.bridge.Cpp_GetDescStatsModel(0, ctypes.byref(host.record), ctypes.byref(second), ctypes.byref(third),
                                         ctypes.byref(quali), *[ctypes.byref(x) for x in results])
    values = arena.elements(r.quanti.values, VT_R8)
    rows = [[""] + list(STATISTICS)] if numeric else []
    for c, column in enumerate(numeric):
        rows.append([column.name] + ["" if v <= MISSING_NUMBER else v
                                     for v in values[c * len(STATISTICS):(c + 1) * len(STATISTICS)]])
    table = r.quali.dataSet
    columns = [ctypes.cast(SAFEARRAY.from_address(b.columns).pvData, ctypes.POINTER(lib.records["ST_Vect"]))
               for b in (table.quali1, table.quanti1, table.quanti2)]
    for j, column in enumerate(texts[:table.quali1.columnCount]):
        length = arena.elements(table.quali1.columnLengths)[j]
        categories, counts, percents = (arena.elements(v[j].values) for v in columns)
        rows += [[], ["Frequencies of " + column.name], ["category", "count", "%"]]
        rows += [[lib.text(categories[i]), counts[i], percents[i]] for i in range(min(length, len(categories)))]
    return rows
