// Test-side controls of the in-process host: building arrays tersely,
// calling the gateway as the host would, and reading what the call left
// behind (printed text, warnings, allocations still held, host faults).
#ifndef KORVA_TESTHOST_H
#define KORVA_TESTHOST_H

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "mex.h"

namespace testhost {

// What mexErrMsgTxt and mexErrMsgIdAndTxt throw. The identifier is empty
// for mexErrMsgTxt.
struct HostError : std::runtime_error {
  HostError(std::string identifier, std::string text);
  std::string identifier;
  std::string text;
};

// Owning handle for arrays a test builds.
struct ArrayDeleter {
  void operator()(mxArray *array) const { mxDestroyArray(array); }
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

// One sparse entry, 0-based.
struct Entry {
  size_t row;
  size_t col;
  double value;
};

// Builders. Each returns a new array; a builder that takes arrays takes
// ownership of them.
mxArray *scalar(double value);
mxArray *row(std::initializer_list<double> values);     // 1xn double
mxArray *column(std::initializer_list<double> values);  // nx1 double
mxArray *matrix(size_t rows, size_t cols,
                std::initializer_list<double> columnMajor);
mxArray *emptyDouble();  // 0x0 double
mxArray *complexRow(std::initializer_list<double> real,
                    std::initializer_list<double> imag);
mxArray *text(const std::string &value);  // 1xn char
mxArray *logicalScalar(bool value);
mxArray *int32Scalar(int32_t value);
// Sparse double matrix; nzmax defaults to the number of entries. Entries
// may come in any order; they are stored column by column, rows ascending.
mxArray *sparse(size_t rows, size_t cols, std::vector<Entry> entries,
                size_t nzmax = 0);
mxArray *sparseLogical(size_t rows, size_t cols, std::vector<Entry> entries);
mxArray *sparseComplex(size_t rows, size_t cols, std::vector<Entry> entries);
mxArray *cell(std::vector<mxArray *> values);  // 1xn cell
// 1x1 structure with fields in the given order.
mxArray *structure(std::vector<std::pair<std::string, mxArray *>> fields);
// 1xn structure array whose fields all hold no value until set.
mxArray *structArray(size_t n, std::vector<std::string> fieldNames);
using Fields = std::vector<std::pair<std::string, mxArray *>>;
// 1xn structure array of these elements: its fields are every name an
// element gives, in order of first appearance, unset where one does not.
mxArray *structArray(std::vector<Fields> elements);
void setField(mxArray *structure, size_t element, const std::string &name,
              mxArray *value);

// Reading arrays back (results).
std::string stringOf(const mxArray *value);  // char array as 8-bit text
std::vector<double> doublesOf(const mxArray *value);
std::vector<std::string> fieldNamesOf(const mxArray *structure);
const mxArray *fieldOf(const mxArray *structure, const std::string &name);

// Scripted Ctrl+C: a Ctrl+C arrives before the utIsInterruptPending query
// for which the function returns true; it is given the number of earlier
// queries in this call. Default: never. A Ctrl+C stays pending until
// utSetInterruptPending clears it. Counters and flag restart at each call().
void scriptInterrupt(std::function<bool(int query)> pending);
int interruptQueries();
// Whether a Ctrl+C is pending (after a call: one the module left unconsumed).
bool interruptLeftPending();
// When set, mexWarnMsgTxt raises the warning as a HostError, as a host does
// whose user turned warnings into errors.
void warningsAsErrors(bool raise);
int flushCount();

// The next `count` thread starts of the module fail, as when the system is
// out of threads.
void refuseThreadStarts(int count);

// What one gateway call did.
struct CallResult {
  bool raised = false;
  std::string identifier;  // of the raised error
  std::string message;     // of the raised error
  Array output;            // plhs[0], if set
  std::string printed;     // everything mexPrintf printed, formatted
  std::vector<std::string> warnings;
  size_t heldBlocks = 0;  // mxMalloc blocks still held when the call ended
  size_t heldBytes = 0;
  // Misuse of the host seen during the call: a null array, a foreign free,
  // a write past an mxMalloc block, a thread left unjoined.
  std::vector<std::string> faults;
};

// Calls mexFunction as the host does: captures output and warnings, catches
// the host error, then reclaims every mxMalloc block the call still held
// (recording how many there were). `nlhs` is the requested output count.
CallResult call(std::vector<const mxArray *> inputs, int nlhs = 1);

// Direct access for tests that call module functions themselves.
size_t heldBlocks();  // mxMalloc blocks currently held
size_t heldBytes();   // their total size in bytes
// The most bytes held at once since the last resetPeakBytes (or the start):
// the module's high-water mark.
size_t peakBytes();
void resetPeakBytes();
void reclaimAll();  // what the host does at the end of a call
std::string takePrinted();
size_t printedLength();  // of the text printed so far, without taking it
std::vector<std::string> takeWarnings();
std::vector<std::string> takeFaults();

}  // namespace testhost

#endif
