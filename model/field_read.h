// Helpers shared by the field readers: class and size checks, copies into
// mxMalloc'd buffers, 1-based index conversion. Every failure is raised
// through korvaError under the subject the caller passes.
#ifndef KORVA_FIELD_READ_H
#define KORVA_FIELD_READ_H

#include <cstdint>

#include "host/host.h"
#include "sparse/sparse_matrix.h"

// Name buffers hold up to 127 characters and a NUL.
constexpr int nameBufferSize = 128;

// A host sparse array as the conversions take it. `vals` is the host's own
// double data, or a converted copy when the array is logical (owned).
struct SparseView {
  int32_t nzmax;
  int32_t numRows;
  int32_t numCols;
  const mwIndex *jc;
  const mwIndex *ir;
  const double *vals;
  double *ownedVals;
};

// Rejects an array whose rows, columns or elements reach 2^31 ("It is too
// large.") or that is complex ("It should be real."). A sparse array counts
// the entries it stores.
void checkRealAndSize(const char *subject, const mxArray *value);
// The same for a value that is copied dense, sparse or not: every one of its
// rows times columns elements counts. Returns the sentence, or null.
const char *denseCopyProblem(const mxArray *value);
void checkDenseCopy(const char *subject, const mxArray *value);
// The number of records a struct-array field takes, one per element of its
// value, structure or not; "It is too large." from 2^31 on.
int32_t elementCount(const char *subject, const mxArray *value);

// For a sparse array: checks it as above and views it with double values.
SparseView viewSparse(const char *subject, const mxArray *value);
void releaseSparseView(SparseView *view);

// Copies the values of a double array (dense or sparse, as dense, in column
// order) into a new buffer; the caller has checked mxIsDouble.
double *copyDoubles(const char *subject, const mxArray *value, int32_t *count);

// A char array as a NUL-terminated 8-bit string, never cut.
char *copyWholeString(const mxArray *value);
// A char array into a 128-byte buffer, cut to 127 characters.
char *copyName(const mxArray *value);
// The low 8 bits of the first character of a char array, or `otherwise`
// when it is empty.
char firstChar(const mxArray *value, char otherwise);

// Truncates toward zero, saturating at the 32-bit range so that no value is
// undefined to convert; NaN becomes the most negative value. The result stays
// above INT32_MIN so that subtracting 1 cannot overflow.
int32_t truncateToInt32(double value);
// A user's 1-based index as a 0-based one; one that truncates to 0 raises
// "Indices start from 1." under `subject`.
int32_t oneBasedIndex(const char *subject, double value);
// Writes every entry of a double array (dense, or sparse in column order)
// through oneBasedIndex into `out`, which has room for all of them. The
// caller has checked mxIsDouble and checkRealAndSize. Nothing is allocated
// here, so an error leaves nothing behind but `out`, which the caller's
// record already owns.
void readOneBasedIndices(const char *subject, const mxArray *value,
                         int32_t *out);

// A scalar, then a double, then real: "It should be scalar.", "It should be
// double.", "It should be real.".
double readScalarDouble(const char *subject, const mxArray *value);
// The value of a double scalar the caller has checked; "It should be real."
// when it is complex.
double realScalar(const char *subject, const mxArray *value);

// Gives back a triplet record's arrays whatever its nnz (free_coo skips a
// record whose nnz is 0) and nulls them; the counts stay.
void releaseTripletArrays(CooMatrix *coo);

// A sparse symmetric array as its upper triangle with the diagonal. Raises
// "It should be sparse." or "It should be symmetric." under `subject`.
void readSymmetricSparse(const char *subject, const mxArray *value,
                         CooMatrix *out);

// A linear part given as a 1xn sparse array or a dense double array: each
// term's 0-based variable index and its value. A sparse array with other than
// one row raises "It should be 1*n sparse." under sparseSubject; a value
// neither sparse nor double raises "It should be sparse." under denseSubject.
void readLinearTerms(const char *sparseSubject, const char *denseSubject,
                     const mxArray *value, int32_t *count, int32_t **indices,
                     double **values);

#endif
