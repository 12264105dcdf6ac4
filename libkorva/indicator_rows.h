// Indicator constraints as big-M rows over the problem's bounds.
#ifndef LIBKORVA_INDICATOR_ROWS_H
#define LIBKORVA_INDICATOR_ROWS_H

#include <string>

#include "libkorva/linear_problem.h"
#include "libkorva/model_store.h"

// Appends the rows of every indicator of the store and makes each indicator
// variable an integer column within [0, 1]. Returns false, with the reason
// in *failure, when a side needs a big-M that an infinite bound makes
// infinite; the problem is then not to be solved.
bool appendIndicatorRows(LinearProblem &problem, const ModelStore &store,
                         std::string *failure);

#endif
