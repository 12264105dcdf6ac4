// The two host services the module needs beyond Octave's MEX interface.
#include <octave/oct.h>
#include <octave/pager.h>
#include <octave/quit.h>

// Reports a Ctrl+C that Octave has recorded and consumes it: the module
// answers it by stopping the solve and returning normally, so Octave must not
// also abort the statement once the call is over.
extern "C" bool utIsInterruptPending(void) {
  if (octave_interrupt_state > 0) {
    octave_interrupt_state = 0;
    return true;
  }
  return false;
}

// Octave pages its standard output; flushing makes the relayed log appear
// while the solve is still running.
extern "C" void ioFlush(void) { octave::flush_stdout(); }
