// Argument checks shared by everything that adds to a model. Each returns
// KVA_OK or the code to give back; nothing is changed by a check.
#ifndef LIBKORVA_STORE_CHECKS_H
#define LIBKORVA_STORE_CHECKS_H

#include "libkorva/api_export.h"

bool isSense(int sense);
// A number that may multiply a variable: finite and inside ±KVA_INFINITY.
bool isCoefficient(double value);
bool isVarType(char type);

// count entries of idx, each in [0, limit), none twice.
int checkIndices(int count, const int *idx, int limit);
// count coefficients (isCoefficient).
int checkCoefficients(int count, const double *vals);
// A sparse vector over limit variables.
int checkSparseTerms(int count, const int *idx, const double *vals, int limit);
// Quadratic triplets over limit variables.
int checkQuadTerms(int count, const int *row, const int *col,
                   const double *vals, int limit);
// A side or bound: any number but NaN; beyond ±KVA_INFINITY it is absent.
int checkSides(int count, const double *vals);
// Variable bounds: no NaN, and no lower bound at +infinity or upper bound
// at -infinity.
int checkBounds(int count, const double *lb, const double *ub);
int checkVarTypes(int count, const char *types);
int checkNames(int count, const char *const *names);
// A symmetric matrix of side dim as upper-triangle flat entries, each entry
// given once.
int checkSymmetricEntries(int dim, int count, const int *flatIdx,
                          const double *vals);

// A sense and right-hand side that stand for satisfiable sides: a known
// sense, no NaN, and no lower side at +infinity or upper side at -infinity
// (the simplex code asserts on such a row and would abort the process).
bool isSenseSide(int sense, double rhs);
// The row sides a sense and right-hand side stand for.
void sense2sides(int sense, double rhs, double *lhs, double *upper);

#endif
