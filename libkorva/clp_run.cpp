#include "libkorva/clp_run.h"

#include "libkorva/clp_setup.h"

namespace {

// Clp builds its table of several hundred messages in every new model; a
// copy of a blank model takes the table in one block (7 against 1 us).
const ClpSimplex &blankClpModel() {
  static const ClpSimplex blank;
  return blank;
}

}  // namespace

ClpRun::ClpRun(SolveJob &job)
    : progress(job.log, job.store),
      events(job.signal, nullptr, &progress),
      model(blankClpModel()) {
  attachClpRun(model, *this);
}

namespace {

void quieten(ClpSimplex &model, SilentCoinHandler &silent,
             ClpStopEvents &events) {
  model.passInMessageHandler(&silent);
  model.setLogLevel(0);
  model.passInEventHandler(&events);
}

}  // namespace

QuietClp::QuietClp(StopSignal &signal)
    : events(signal), model(blankClpModel()) {
  quieten(model, silent, events);
}

void attachClpRun(ClpSimplex &model, ClpRun &run) {
  quieten(model, run.silent, run.events);
}

void prepareClpRun(ClpRun &run, const LinearProblem &problem,
                   const Settings &settings) {
  loadClpModel(run.model, problem);
  applySimplexSettings(run.model, settings);
}

void takeClpPoint(const ClpSimplex &model, const ModelStore &store,
                  Solution &solution) {
  int n = numVars(store);
  const double *x = model.getColSolution();
  const double *rc = model.getReducedCost();
  solution.hasPoint = true;
  solution.x.assign(x, x + n);
  solution.hasRc = true;
  solution.rc.resize(n);
  // Adding 0.0 turns a negated zero into +0, so a maximised model does not
  // report -0.
  for (int j = 0; j < n; ++j) solution.rc[j] = store.sense * rc[j] + 0.0;
  const double *pi = model.getRowPrice();
  solution.hasPi = true;
  solution.pi.resize(numRows(store));
  for (int i = 0; i < numRows(store); ++i) {
    solution.pi[i] = store.sense * pi[i] + 0.0;
  }
}
