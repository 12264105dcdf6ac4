// The two host services the module needs beyond Octave's MEX interface.
#include <octave/oct.h>
#include <octave/pager.h>
#include <octave/quit.h>

// Reports a Ctrl+C that Octave has recorded and consumes it. Octave's signal
// handler only raises octave_interrupt_state (and octave_signal_caught); it
// acts on them at its next interrupt check, which no MEX service the module
// calls during a solve makes (mexPrintf, the flush, mexWarnMsgTxt), so the
// interrupt cannot leave the call while the worker runs. Consuming the state
// here lets the call return its result after stopping the solve; left set,
// it would abort the statement as soon as the call returns. The caught flag
// may stay: with the state at 0, Octave's check finds nothing to act on.
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
