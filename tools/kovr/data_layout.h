// How the add-in turns the columns a user selected into the data sets of a
// run. Each data selection of the template receives columns of the CSV file
// (--y, --x, --q, --labels, or --set with the selection's name); the columns
// then go into the blocks that the R code generation reads:
//   - a response (Y) selection: quanti1 when numeric, quali1 when text;
//   - quantitative explanatory variables (X): quanti2;
//   - qualitative explanatory variables (Q): quali1, or quali2 when the
//     response is qualitative;
//   - observation labels: the labels of the data set; without a label
//     column, each row is labelled with its line number in the file;
//   - any other selection (RefEdit, DataField): a block of its own among the
//     extra numeric or extra text blocks, by its data type.
// Selections go into the data set named by their R name; response selections
// and selections without an R name go into "data1", which comes first. The
// prediction selections (ticked "Predictions" box) form the data set named by
// their R name and, unless given columns of their own, take the columns of
// the field they predict from, over every row of the file. Their labels (or
// line numbers) are the text column "obsLabels" of that data set, since the
// library writes a label column into the first data set's file only.
//
// Missing values: an empty or blank cell and "NA" are missing, in numeric and
// text columns alike. The choice to remove them drops, for each run, the rows
// missing a value in the run's response column or in an explanatory
// selection; labels never make a row incomplete.
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

// The columns of each data selection of the template, by selection index.
using ChosenColumns = std::vector<std::vector<size_t>>;

struct RunLayout {
    std::vector<DataSetData> sets;
    bool responseIsText = false;
    // The right-hand side of the model formula that the add-in writes: the
    // explanatory columns as R names joined by "+", raised to the interaction order.
    std::string formulaTerms;
};

// The flag of the command line that fills selection s.
std::string FlagFor(const SelectionView& s);

// Whether a selection name is one that --set can fill.
bool IsSelectionName(const DialogView& view, const std::string& name);

// Resolves the requests into the columns of each selection; returns "" or a
// message saying what is wrong with the request.
std::string ChooseColumns(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                          const ColumnRequests& requests, ChosenColumns& chosen);

// What the reader keeps of each of the table's columns for these selections.
std::vector<ColumnUse> ColumnUses(const DialogView& view, const ChosenColumns& chosen, size_t columnCount);

// The response columns analysed one at a time, one run each; empty when the
// analysis runs once on all of them.
std::vector<std::string> ResponseColumns(const DialogView& view, const CsvTable& table, const ChosenColumns& chosen);

// Lays out the data of one run: of response column `response` (from 1) of
// ResponseColumns, or of the whole selection (0). Returns "" or a message
// saying why the data cannot be analysed (no complete row, fewer complete
// rows than the model has parameters, an explanatory column with one value).
std::string LayOutRun(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                      const ChosenColumns& chosen, int response, RunLayout& layout);

}  // namespace kovr

#endif
