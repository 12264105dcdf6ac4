// What the module needs of its host beyond the MEX and array interface.
#ifndef KORVA_HOST_H
#define KORVA_HOST_H

#include "mex.h"

// Whether a Ctrl+C is pending; asking does not consume it.
extern "C" bool utIsInterruptPending(void);
// Sets or clears the pending Ctrl+C; returns whether one was pending.
extern "C" bool utSetInterruptPending(bool pending);
extern "C" void ioFlush(void);

// The value of field `field` in element `element` of a structure, or null
// when that element holds nothing there. Octave gives a never-assigned field
// of a struct array element as a 0x0 double where the other host gives no
// value; users leave such fields unset in struct arrays all the time, so in
// the Octave build an empty double in an array of two or more elements counts
// as no value. A 1x1 structure is read as it stands.
inline const mxArray *getElementField(const mxArray *structure, mwIndex element,
                                      int field) {
  const mxArray *value = mxGetFieldByNumber(structure, element, field);
#ifdef KORVA_OCTAVE_HOST
  if (value != nullptr && mxGetNumberOfElements(structure) > 1 &&
      mxIsDouble(value) && mxGetM(value) == 0 && mxGetN(value) == 0) {
    return nullptr;
  }
#endif
  return value;
}

#endif
