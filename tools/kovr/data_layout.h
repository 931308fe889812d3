// How the add-in turns the columns a user selected into the data sets of a
// run. Each data selection of the template receives columns of the CSV file
// (--y, --x, --q, --labels, or --set with the selection's name); the columns
// then go into the blocks that the R code generation reads:
//   - a response (Y) selection: quanti1 when numeric, quali1 when text;
//   - quantitative explanatory variables (X): quanti2;
//   - qualitative explanatory variables (Q): quali1, or quali2 when the
//     response is qualitative;
//   - observation labels: the labels of the data set;
//   - any other selection (RefEdit, DataField): a block of its own among the
//     extra numeric or extra text blocks, by its data type.
// Selections go into the data set named by their R name; response selections
// and selections without an R name go into "data1", which comes first. The
// prediction selections (ticked "Predictions" box) form the data set named by
// their R name and, unless given columns of their own, take the columns of
// the field they predict from, over every row of the file.
#ifndef KOVR_DATA_LAYOUT_H
#define KOVR_DATA_LAYOUT_H

#include <map>
#include <string>
#include <vector>

#include "csv_table.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_data_sets.h"

namespace kovr {

// The columns asked for on the command line, as comma-separated lists.
struct ColumnRequests {
    std::string y, x, q, labels;
    std::map<std::string, std::string> bySelection;  // selection name -> columns
};

struct RunLayout {
    std::vector<DataSetData> sets;
    // When the first selection is a response analysed one column at a time,
    // the names of its columns: the analysis runs once per column.
    std::vector<std::string> responseColumns;
    bool responseIsText = false;
    // The right-hand side of the model formula that the add-in writes: the
    // explanatory columns joined by "+", raised to the interaction order.
    std::string formulaTerms;
};

// The flag of the command line that fills selection s.
std::string FlagFor(const SelectionView& s);

// Whether a selection name is one that --set can fill.
bool IsSelectionName(const DialogView& view, const std::string& name);

// Lays out the run's data; returns "" or a message saying what is wrong with
// the request or the data.
std::string LayOutData(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                       const ColumnRequests& requests, RunLayout& layout);

}  // namespace kovr

#endif
