// kovdesc's descriptive statistics: summaries of the numeric columns of a
// data set and frequency tables of text columns, written straight into the
// bridge's mirror objects (and so into the host's arrays).
//
// Numeric statistics, named in the statistics list (names are compared
// without regard to case or surrounding blanks):
//   "n"        number of values (missing values not counted)
//   "missing"  number of missing values
//   "sum"      sum of the values (0 for a column without values)
//   "mean"     arithmetic mean
//   "min", "max", "range"   smallest, largest value and their difference
//   "median"   middle value (mean of the two middle values for even n)
//   "q1", "q3" first and third quartile
//   "iqr"      q3 - q1
//   "var", "sd"  sample variance and standard deviation (divisor n - 1)
//   "se"       standard error of the mean, sd / sqrt(n)
// Quantiles follow R's default rule (type 7): for sorted values x1..xn the
// p-quantile lies at h = (n - 1) p + 1 and is (1 - f) x[floor h] +
// f x[floor h + 1] with f = h - floor h; the median is the 0.5-quantile. Sums and
// means are compensated and the variance takes two passes over the values
// (sum of squared deviations from the mean, corrected by the rounding error
// of the mean), so values near 1e9 with a small spread keep their digits.
//
// A value is missing when it is NaN or at or below kMissingValue, the host's
// marker for an empty cell. A statistic that a column cannot give (the mean
// of no values, the variance of one value, any statistic but "n" and
// "missing" of a column with missing values when they are not skipped, an
// unknown name) is written as kMissingValue.
#ifndef KOV_SIBLINGS_KOVDESC_DESC_STATS_H
#define KOV_SIBLINGS_KOVDESC_DESC_STATS_H

#include <string>

#include "matrix.h"
#include "records.h"

#ifndef KOVDESC_API
#define KOVDESC_API __attribute__((visibility("default")))
#endif

class cST_TableFormats;

// The host's marker for a missing number: the double nearest to
// -1.79769313486231E+308.
inline constexpr double kMissingValue = -1.79769313486231e308;

// Describes the numeric columns of data, those of quanti1 followed by those
// of quanti2 (columns 1, 2, ... of the result), by the statistics named in
// statistics (statistic k of the list is result row k). With oneRowPerColumn
// -1 the result is transposed: one row per column, one column per statistic.
// skipMissing -1 leaves missing values out; 0 makes every statistic but "n"
// and "missing" of a column with a missing value kMissingValue. Column i of
// a block holds the values 1 to columnLengths(i) of the block (its count when
// the block has no length for it), never more than its array holds.
// Statistics with an empty name leave their result row as it is; results
// outside the shape of values are dropped.
KOVDESC_API void ComputeQuantiStats_ST(cST_DataSet* data, matrix<std::wstring>* statistics, short skipMissing,
                                       short oneRowPerColumn, matrix<double>* values);

// Tabulates each text column of info's textBlock (values 1 to its length, as
// above) into table: column j of table's quali1 receives the categories in
// the order of their character codes (as R's table() orders them in the C
// locale), column j of quanti1 their counts and column j of quanti2 their
// percentages of the column's non-empty values. Empty values are missing and
// not counted. Each of the three blocks gets the column's name and length
// (the number of categories) and a column count equal to the number of text
// columns; table's rowCount becomes the largest number of categories. The
// host dimensions the arrays: entries beyond them are dropped while the
// counts still tell the full size. formats carries the host's display
// settings of the table and is neither read nor changed.
KOVDESC_API void ComputeQualiStats_ST(cST_QualiInfo* info, cST_TableFormats* formats, cST_DataSet* table);

#endif
