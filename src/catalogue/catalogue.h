// The template catalogue: the R-function templates installed under a
// catalogue folder, counted so that the host can size its table, then listed
// into the main record's catalogue table and sorted for display.
#ifndef KOV_CATALOGUE_CATALOGUE_H
#define KOV_CATALOGUE_CATALOGUE_H

#include <string>

#include "records.h"

// The fields of one catalogue entry, in table row order.
enum CatalogueField {
    kFileField = 1,      // template file name
    kGroupField,         // group subfolder
    kFunctionField,      // "function" attribute
    kTitleField,         // "text" attribute and " (function)"
    kPackagesField,      // "packages" attribute
    kCodeField,          // GetUniqueID(function, packages) as text
    kKeywordsField,      // "keywords" attribute
    kCatalogueFields = kKeywordsField
};

// The number of templates under folder; 0 for an empty or unreadable folder.
int GetNbRFiles(const std::wstring& folder);

// Reads every template under main.catalogFolder into main.catalogTable (field
// k of entry t at (k, t); entries beyond the table's columns are dropped),
// then sorts the first main.catalogCount entries by group, ignoring case, and
// within a group by function name. A template that does not parse is listed
// with the fields it yields (empty ones when the file could not be read).
void GetListOfRFiles(cST_Main_aiR& main);

#endif
