// The recording fake solver: implements host/korva_api.h, records every call
// with its arguments rendered as text, and plays back scripted result codes,
// attribute values, log messages and solve behaviour.
#ifndef KORVA_FAKE_SOLVER_H
#define KORVA_FAKE_SOLVER_H

#include <string>
#include <vector>

#include "host/korva_api.h"

namespace fake {

// One recorded call. Arguments are rendered as: integers in decimal, doubles
// with %g, texts in double quotes, null pointers as null, arrays as
// [a b c] (as many elements as the call's own count says), handles as env or
// model. The log callback is rendered as callback.
// Character arrays (row senses, variable types, the values of
// KVAsetcharattrarray) render as one quoted text of as many characters as
// the count says; a sense passed as an integer renders as its character in
// single quotes ('<'); name lists render as ["a" "b"]; the output addresses
// of the getters render as out (null when null); a non-null user-data
// pointer renders as userdata.
struct Call {
  std::string function;
  std::vector<std::string> args;
  std::string text() const;  // function(arg, arg, ...)
};

// Forgets all calls and scripts; the next environment is fresh.
void reset();
std::vector<Call> calls();
std::vector<std::string> callTexts();      // Call::text of every call
std::vector<std::string> callFunctions();  // names only
// Calls of one function, in order.
std::vector<Call> callsOf(const std::string &function);

// The nth call (1-based) of `function` returns `code` instead of 0. Failing
// creation calls create nothing.
void failCall(const std::string &function, int code, int occurrence = 1);

// Attribute values the getters report. An attribute with no scripted value
// and no value from the model's own state returns an error code and leaves
// the output untouched. The model's own state gives "NumVars" (variables
// created), "NumConss" (rows loaded plus quadratic constraints added) and
// "NumPsdVars" (semidefinite variables added) unless scripted.
void setIntAttr(const std::string &name, int value);
void setDblAttr(const std::string &name, double value);
void setDblArrayAttr(const std::string &name, std::vector<double> values);
// One semidefinite value as the library reports it: sizes, then one flat
// index and one value per entry.
// flatIdx and vals have the same length, the entry count reported.
struct MatrixValue {
  int numRows;
  int numCols;
  std::vector<int> flatIdx;
  std::vector<double> vals;
};
void setPsdX(std::vector<MatrixValue> values);

// Solve behaviour. After KVAoptimize the "Status" attribute is `status`
// (default 1) unless terminated, when it is 11.
void setStatusAfterOptimize(int status);
// The "Status" after a terminated solve (default 11): a library may instead
// report what it had found by then.
void setStatusAfterTerminate(int status);
// KVAoptimize blocks until KVAterminate is called.
void blockUntilTerminate(bool block);
// During KVAoptimize, each of `threads` threads logs every message of
// `messages` through the registered callback, in order; KVAoptimize returns
// after all have finished.
void logDuringOptimize(std::vector<std::string> messages, int threads = 1);
// Messages logged through the callback from within KVAstartenv.
void logDuringStart(std::vector<std::string> messages);
// The callback registered last (null before KVAsetlogcallback).
KVAlogcallback registeredCallback();

// Handles still alive (created and not freed).
int liveEnvironments();
int liveModels();

}  // namespace fake

#endif
