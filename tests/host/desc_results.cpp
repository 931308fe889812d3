#include "desc_results.h"

#include <utility>

namespace host {

namespace {

// An empty block as the add-in dimensions it for results: columns with room
// for `entries` values, lengths and names, columnCount 0.
void Dimension(Arena& arena, ST_MVect& block, Elem elem, uint32_t columns, uint32_t entries) {
    if (columns == 0) return;
    block.columns = arena.Records<ST_Vect>(columns);
    for (uint32_t j = 1; j <= columns; ++j) {
        RecordAt<ST_Vect>(block.columns, static_cast<int>(j)).values = arena.Array(elem, entries);
    }
    block.columnLengths = arena.Array(Elem::kInt, columns);
    block.columnNames = arena.Array(Elem::kString, columns);
}

}  // namespace

Ptr<ST_DescStats> DescStats(Arena& arena, const DescStatsShape& shape) {
    Ptr<ST_DescStats> results = arena.New<ST_DescStats>();
    ST_DescStats& r = *results.get();
    if (!shape.statistics.empty()) r.quanti.formats.statistics = arena.Strs(shape.statistics);
    if (shape.numericColumns > 0) {
        const auto rows = static_cast<uint32_t>(shape.statistics.size());
        r.quanti.values = arena.Array(Elem::kDouble, rows, shape.numericColumns);
    }
    ST_DataSet& table = r.quali.dataSet;
    Dimension(arena, table.quali1, Elem::kString, shape.textColumns, shape.categories);
    Dimension(arena, table.quanti1, Elem::kDouble, shape.textColumns, shape.categories);
    Dimension(arena, table.quanti2, Elem::kDouble, shape.textColumns, shape.categories);
    return results;
}

QualiInfoFields TextInfo(std::vector<TextColumn> columns) {
    QualiInfoFields fields;
    fields.textBlock = std::move(columns);
    return fields;
}

FrequencyColumn Frequencies(const ST_DescStats& results, int j) {
    const ST_DataSet& table = results.quali.dataSet;
    return {Entries<std::string>(Column(table.quali1, j)), Entries<double>(Column(table.quanti1, j)),
            Entries<double>(Column(table.quanti2, j))};
}

}  // namespace host
