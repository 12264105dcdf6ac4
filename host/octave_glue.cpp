// The host services the module needs beyond Octave's MEX interface.
#include <octave/oct.h>
#include <octave/pager.h>
#include <octave/quit.h>

// Octave's signal handler only raises octave_interrupt_state and
// octave_signal_caught; the interpreter acts on them at its next interrupt
// check, which throws out of whatever runs then.
extern "C" bool utIsInterruptPending(void) {
  return octave_interrupt_state > 0;
}

// Clearing consumes the Ctrl+C, so the call can return its result after
// stopping the solve. Setting it again hands an ignored Ctrl+C back: both
// flags are raised so the interpreter's next check stops the user's script,
// as it would have without the module.
extern "C" bool utSetInterruptPending(bool pending) {
  bool was = octave_interrupt_state > 0;
  if (pending) {
    octave_interrupt_state = 1;
    octave_signal_caught = 1;
  } else {
    octave_interrupt_state = 0;
  }
  return was;
}

// Octave pages its standard output; flushing makes the relayed log appear
// while the solve is still running.
extern "C" void ioFlush(void) { octave::flush_stdout(); }
