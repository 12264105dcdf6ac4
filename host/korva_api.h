/* The C interface of the solver library libkorva.
 *
 * Handles are opaque. Every function returns a result code, KVA_OK (0) on
 * success, except KVAexplainerror, which returns a static text for any code.
 * Indices are 0-based. KVA_INFINITY stands for an absent side or bound.
 *
 * Flat matrix index: entry (r, c) of a semidefinite matrix with k columns is
 * passed as r * k + c. Coefficient matrices are passed as their upper
 * triangle with diagonal (r <= c) and stand for the symmetric matrix they
 * determine. */
#ifndef KORVA_API_H
#define KORVA_API_H

#ifdef __cplusplus
extern "C" {
#endif

#define KVA_INFINITY 1e20

/* Solver status, the integer attribute "Status". */
#define KVA_UNKNOWN 0
#define KVA_OPTIMAL 1
#define KVA_INFEASIBLE 2
#define KVA_UNBOUNDED 3
#define KVA_INF_OR_UBD 4
#define KVA_SUB_OPTIMAL 5
#define KVA_NUMERICAL 6
#define KVA_ITERATION_LIMIT 7
#define KVA_TIME_LIMIT 8
#define KVA_NODE_LIMIT 9
#define KVA_UNSUPPORTED 10
#define KVA_INTERRUPTED 11

/* Result codes. */
#define KVA_OK 0
#define KVA_ERROR_NULL_ARGUMENT 1
#define KVA_ERROR_INVALID_ARGUMENT 2
#define KVA_ERROR_OUT_OF_MEMORY 3
#define KVA_ERROR_UNKNOWN_PARAMETER 4
#define KVA_ERROR_PARAMETER_VALUE 5
#define KVA_ERROR_UNKNOWN_ATTRIBUTE 6
#define KVA_ERROR_ATTRIBUTE_READ_ONLY 7
#define KVA_ERROR_DATA_NOT_AVAILABLE 8
#define KVA_ERROR_INDEX_OUT_OF_RANGE 9
#define KVA_ERROR_ENV_NOT_STARTED 10
#define KVA_ERROR_ENV_STARTED 11
#define KVA_ERROR_MODEL_BUSY 12
#define KVA_ERROR_FILE 13
#define KVA_ERROR_INTERNAL 14

typedef struct KVAenvData *KVAenv;
typedef struct KVAmodelData *KVAmodel;

/* Receives each log text, NUL-terminated, on whatever thread the library
 * logs from, until the environment is freed. */
typedef int (*KVAlogcallback)(const char *message);

/* Environment. The user-data pointer of KVAsetlogcallback is reserved and
 * must be null. Parameters are set between KVAemptyenv and KVAstartenv or
 * later; models are created only in a started environment. */
int KVAemptyenv(KVAenv *env);
int KVAsetlogcallback(KVAenv env, KVAlogcallback callback, void *userdata);
int KVAstartenv(KVAenv env);
int KVAfreeenv(KVAenv env);
const char *KVAexplainerror(int code);

/* Parameters. */
int KVAsetintparam(KVAenv env, const char *name, int value);
int KVAsetdblparam(KVAenv env, const char *name, double value);
int KVAsetstrparam(KVAenv env, const char *name, const char *value);

/* Model creation. KVAloadmodel takes the constraint matrix in compressed-
 * column form (column j has colCount[j] entries from colBegin[j]); sense,
 * vtype, varnames and constrnames may be null (sense '<', type 'C', no
 * names). KVAnewmodel creates variables without rows. */
int KVAloadmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                 int numConss, int objSense, double objConst, const double *obj,
                 const char *sense, const double *rhs, const int *colBegin,
                 const int *colCount, const int *rowIdx, const double *vals,
                 const double *lb, const double *ub, const char *vtype,
                 const char *const *varnames, const char *const *constrnames);
int KVAnewmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                const double *obj, const double *lb, const double *ub,
                const char *vtype, const char *const *varnames);

/* Attributes, writing. */
int KVAsetintattr(KVAmodel model, const char *name, int value);
int KVAsetdblattr(KVAmodel model, const char *name, double value);
int KVAsetstrattr(KVAmodel model, const char *name, const char *value);
int KVAsetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       const double *values);
int KVAsetcharattrarray(KVAmodel model, const char *name, int first, int count,
                        const char *values);
int KVAsetdblattrelement(KVAmodel model, const char *name, int element,
                         double value);

/* Additions. Senses are the characters '<', '>' and '='. */
int KVAaddqpterms(KVAmodel model, int numTerms, const int *rowIdx,
                  const int *colIdx, const double *vals);
int KVAaddqconstr(KVAmodel model, int numLinear, const int *linearIdx,
                  const double *linearVals, int numQuad, const int *quadRow,
                  const int *quadCol, const double *quadVals, int sense,
                  double rhs, const char *name);
int KVAaddsos(KVAmodel model, int numSos, int numMembers, const int *types,
              const int *begins, const int *indices, const double *weights);
int KVAaddgenconstrIndicator(KVAmodel model, const char *name, int binVar,
                             int binVal, int numLinear, const int *linearIdx,
                             const double *linearVals, int sense, double rhs);
int KVAaddpsdvar(KVAmodel model, int dim, int numEntries, const int *flatIdx,
                 const double *vals, const char *name);
/* A semidefinite constraint: linear part over the ordinary variables plus,
 * for each m < numPsdTerms, the matrix of entries matBegin[m] ..
 * matBegin[m+1]-1 applied to semidefinite variable psdVarIdx[m]. */
int KVAaddpsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                    int numEntries, const int *linearIdx,
                    const double *linearVals, const int *psdVarIdx,
                    const int *matBegin, const int *flatIdx, const double *vals,
                    int sense, double rhs, const char *name);
int KVAaddrangepsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                         int numEntries, const int *linearIdx,
                         const double *linearVals, const int *psdVarIdx,
                         const int *matBegin, const int *flatIdx,
                         const double *vals, double lhs, double rhs,
                         const char *name);

/* Solving. KVAterminate may be called from another thread while
 * KVAoptimize runs; KVAoptimize then returns soon with status 11. */
int KVAoptimize(KVAmodel model);
int KVAterminate(KVAmodel model);

/* Attributes, reading. KVAgetmatattrelement gives the sizes of matrix
 * element `element` of a matrix attribute; when flatIdx and vals are not
 * null it also writes one flat index and one value per entry. */
int KVAgetintattr(KVAmodel model, const char *name, int *value);
int KVAgetdblattr(KVAmodel model, const char *name, double *value);
int KVAgetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       double *values);
int KVAgetmatattrelement(KVAmodel model, const char *name, int element,
                         int *numEntries, int *numRows, int *numCols,
                         int *flatIdx, double *vals);

/* Release. */
int KVAfreemodel(KVAmodel model);

#ifdef __cplusplus
}
#endif

#endif
