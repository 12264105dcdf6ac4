/* The in-process test host's MEX and array interface: the functions the
 * module uses, with the host's C signatures. Sizes and sparse indices are
 * 64-bit unsigned and characters 16-bit, as in the host the module targets.
 * The two error calls leave the module by throwing testhost::HostError. */
#ifndef KORVA_TESTHOST_MEX_H
#define KORVA_TESTHOST_MEX_H

#include <cstddef>
#include <cstdint>

typedef size_t mwSize;
typedef size_t mwIndex;
typedef char16_t mxChar;
typedef bool mxLogical;
typedef double mxDouble;

typedef enum {
  mxUNKNOWN_CLASS = 0,
  mxCELL_CLASS,
  mxSTRUCT_CLASS,
  mxLOGICAL_CLASS,
  mxCHAR_CLASS,
  mxVOID_CLASS,
  mxDOUBLE_CLASS,
  mxSINGLE_CLASS,
  mxINT8_CLASS,
  mxUINT8_CLASS,
  mxINT16_CLASS,
  mxUINT16_CLASS,
  mxINT32_CLASS,
  mxUINT32_CLASS,
  mxINT64_CLASS,
  mxUINT64_CLASS,
  mxFUNCTION_CLASS
} mxClassID;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

typedef struct mxArray_tag mxArray;

extern "C" {

/* The gateway the module exports. */
void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]);

/* Output and errors. */
void mexErrMsgTxt(const char *text);
void mexErrMsgIdAndTxt(const char *identifier, const char *text, ...);
void mexWarnMsgTxt(const char *text);
int mexPrintf(const char *format, ...);

/* Memory. */
void *mxMalloc(size_t n);
void *mxCalloc(size_t n, size_t size);
void mxFree(void *ptr);
void mxDestroyArray(mxArray *array);

/* Class and shape. */
mxClassID mxGetClassID(const mxArray *array);
bool mxIsStruct(const mxArray *array);
bool mxIsDouble(const mxArray *array);
bool mxIsChar(const mxArray *array);
bool mxIsCell(const mxArray *array);
bool mxIsLogical(const mxArray *array);
bool mxIsSparse(const mxArray *array);
bool mxIsComplex(const mxArray *array);
bool mxIsScalar(const mxArray *array);
bool mxIsEmpty(const mxArray *array);
size_t mxGetM(const mxArray *array);
size_t mxGetN(const mxArray *array);
size_t mxGetNumberOfElements(const mxArray *array);
mwSize mxGetNzmax(const mxArray *array);

/* Reading. */
int mxGetNumberOfFields(const mxArray *array);
const char *mxGetFieldNameByNumber(const mxArray *array, int field);
int mxGetFieldNumber(const mxArray *array, const char *name);
mxArray *mxGetFieldByNumber(const mxArray *array, mwIndex element, int field);
mxArray *mxGetField(const mxArray *array, mwIndex element, const char *name);
mxDouble *mxGetDoubles(const mxArray *array);
mxLogical *mxGetLogicals(const mxArray *array);
double mxGetScalar(const mxArray *array);
mwIndex *mxGetIr(const mxArray *array);
mwIndex *mxGetJc(const mxArray *array);
mxChar *mxGetChars(const mxArray *array);
mxArray *mxGetCell(const mxArray *array, mwIndex index);
int mxGetString(const mxArray *array, char *buffer, mwSize length);

/* Building. */
mxArray *mxCreateStructArray(mwSize ndim, const mwSize *dims, int nfields,
                             const char **fieldnames);
void mxSetFieldByNumber(mxArray *array, mwIndex element, int field,
                        mxArray *value);
void mxSetField(mxArray *array, mwIndex element, const char *name,
                mxArray *value);
mxArray *mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity);
mxArray *mxCreateDoubleScalar(double value);
mxArray *mxCreateString(const char *text);
mxArray *mxCreateCellArray(mwSize ndim, const mwSize *dims);
void mxSetCell(mxArray *array, mwIndex index, mxArray *value);
mxArray *mxCreateSparse(mwSize m, mwSize n, mwSize nzmax,
                        mxComplexity complexity);
mxArray *mxCreateSparseLogicalMatrix(mwSize m, mwSize n, mwSize nzmax);
mxArray *mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID classid,
                               mxComplexity complexity);
mxArray *mxCreateLogicalScalar(mxLogical value);
mxArray *mxCreateCharArray(mwSize ndim, const mwSize *dims);
mxArray *mxCreateCellMatrix(mwSize m, mwSize n);
}

#endif
