// How soon KVAoptimize returns after KVAterminate, per model class: one long
// model of each class is stopped at several moments of its solve, from its
// start-up to deep in the search, and the time from the request to the
// return is written as a Markdown table.
// Usage: terminate_latency [REPETITIONS [CLASS]]; each request is also
// written to stderr.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "host/korva_api.h"

namespace {

using Clock = std::chrono::steady_clock;

// A model in compressed columns, with what the class adds to it.
struct Model {
  std::vector<double> obj, lb, ub, rhs;
  std::string sense, vtype;
  std::vector<int> colBegin, colCount, rowIdx;
  std::vector<double> vals;
  int objSense = 1;
  std::function<void(KVAmodel)> extra;
};

void addColumn(Model &m, double cost, double lower, double upper, char type,
               const std::vector<std::pair<int, double>> &entries) {
  m.colBegin.push_back(int(m.rowIdx.size()));
  m.colCount.push_back(int(entries.size()));
  for (const auto &[row, value] : entries) {
    m.rowIdx.push_back(row);
    m.vals.push_back(value);
  }
  m.obj.push_back(cost);
  m.lb.push_back(lower);
  m.ub.push_back(upper);
  m.vtype += type;
}

// A transportation problem with random costs: a long simplex run.
Model transportation(int sources, int sinks) {
  Model m;
  std::srand(7);
  for (int i = 0; i < sources; ++i) {
    m.sense += '<';
    m.rhs.push_back(sinks * 10.0);
  }
  for (int j = 0; j < sinks; ++j) {
    m.sense += '>';
    m.rhs.push_back(sources * 10.0 * (0.5 + (j % 5) / 10.0));
  }
  for (int i = 0; i < sources; ++i) {
    for (int j = 0; j < sinks; ++j) {
      addColumn(m, 1.0 + std::rand() % 1000, 0.0, KVA_INFINITY, 'C',
                {{i, 1.0}, {sources + j, 1.0}});
    }
  }
  return m;
}

// Market split: 0-1 items and slack pairs on equality rows, total slack
// minimised; proving optimality takes minutes.
Model marketSplit(int rows, int items) {
  Model m;
  std::vector<double> totals(rows, 0.0);
  for (int j = 1; j <= items; ++j) {
    std::vector<std::pair<int, double>> entries;
    for (int i = 1; i <= rows; ++i) {
      double a = (i * j * 37 + j * j * 11 + 7 * i) % 100;
      entries.push_back({i - 1, a});
      totals[i - 1] += a;
    }
    addColumn(m, 0.0, 0.0, 1.0, 'B', entries);
  }
  for (int i = 0; i < rows; ++i) {
    addColumn(m, 1.0, 0.0, KVA_INFINITY, 'C', {{i, 1.0}});
    addColumn(m, 1.0, 0.0, KVA_INFINITY, 'C', {{i, -1.0}});
    m.sense += '=';
    m.rhs.push_back(std::floor(totals[i] / 2));
  }
  return m;
}

void addDiagonalQ(KVAmodel model, int first, int count, double weight) {
  std::vector<int> idx(count);
  for (int k = 0; k < count; ++k) idx[k] = first + k;
  std::vector<double> w(count, weight);
  KVAaddqpterms(model, count, idx.data(), idx.data(), w.data());
}

// max sum x in the ellipsoid of the dense matrix 0.99^|i - j|.
Model ellipsoid(int n) {
  Model m;
  for (int j = 0; j < n; ++j)
    addColumn(m, 1.0, -KVA_INFINITY, KVA_INFINITY, 'C', {});
  m.objSense = -1;
  m.extra = [n](KVAmodel model) {
    std::vector<int> rows, cols;
    std::vector<double> vals;
    for (int i = 0; i < n; ++i) {
      for (int j = i; j < n; ++j) {
        rows.push_back(i);
        cols.push_back(j);
        vals.push_back((i == j ? 1 : 2) * std::pow(0.99, j - i));
      }
    }
    KVAaddqconstr(model, 0, nullptr, nullptr, int(vals.size()), rows.data(),
                  cols.data(), vals.data(), '<', 1.0, "ball");
  };
  return m;
}

// Max-cut relaxation of a random graph: max <L/4, X>, diag(X) = 1.
Model maxCut(int n) {
  Model m;
  addColumn(m, 0.0, 0.0, 0.0, 'C', {});
  m.extra = [n](KVAmodel model) {
    std::srand(11);
    std::vector<double> degree(n, 0.0);
    std::vector<int> flat;
    std::vector<double> vals;
    for (int j = 0; j < n; ++j) {
      for (int i = 0; i < j; ++i) {
        if (std::rand() % 2 == 0) continue;
        flat.push_back(i * n + j);  // the lower triangle, by columns
        vals.push_back(0.25);       // -(-1)/4: the objective is maximised below
        degree[i] += 1;
        degree[j] += 1;
      }
    }
    for (int i = 0; i < n; ++i) {
      flat.push_back(i * n + i);
      vals.push_back(-degree[i] / 4);
    }
    KVAaddpsdvar(model, n, int(flat.size()), flat.data(), vals.data(), "X");
    for (int i = 0; i < n; ++i) {
      int var = 0, begin[2] = {0, 1}, idx = i * n + i;
      double one = 1.0;
      KVAaddpsdconstr(model, 0, 1, 1, nullptr, nullptr, &var, begin, &idx, &one,
                      '=', 1.0, nullptr);
    }
  };
  return m;
}

struct Case {
  const char *name;
  const char *model;
  Model m;
};

std::vector<Case> cases() {
  Model qp = transportation(150, 150);
  qp.extra = [](KVAmodel model) { addDiagonalQ(model, 0, 150 * 150, 0.02); };
  Model miqp = marketSplit(4, 30);
  miqp.extra = [](KVAmodel model) { addDiagonalQ(model, 30, 8, 1.0); };
  Model miqcp = marketSplit(4, 30);
  miqcp.extra = [](KVAmodel model) {
    int idx = 0;
    double one = 1.0;
    KVAaddqconstr(model, 0, nullptr, nullptr, 1, &idx, &idx, &one, '<', 1.0,
                  "qc");
  };
  return {{"LP", "transportation 700 x 700", transportation(700, 700)},
          {"QP", "transportation 150 x 150 + 0.01 x'x", qp},
          {"MILP", "market split 4 x 30", marketSplit(4, 30)},
          {"QCP", "dense ellipsoid, 1600 variables", ellipsoid(1600)},
          {"MIQP", "market split 4 x 30, squared slacks", miqp},
          {"MIQCP", "market split 4 x 30 + x1^2 <= 1", miqcp},
          {"SDP", "max-cut relaxation, 600 nodes", maxCut(600)}};
}

KVAmodel load(KVAenv env, const Model &m) {
  KVAmodel model = nullptr;
  int code = KVAloadmodel(
      env, &model, "latency", int(m.obj.size()), int(m.rhs.size()), m.objSense,
      0.0, m.obj.data(), m.sense.c_str(), m.rhs.data(), m.colBegin.data(),
      m.colCount.data(), m.rowIdx.data(), m.vals.data(), m.lb.data(),
      m.ub.data(), m.vtype.c_str(), nullptr, nullptr);
  if (code != KVA_OK) {
    std::fprintf(stderr, "terminate_latency: load failed (%d)\n", code);
    std::exit(1);
  }
  if (m.extra) m.extra(model);
  return model;
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

// Stops one solve `delay` ms after it starts; returns the ms from the
// request to the return, and the solve's status.
double stopAfter(KVAenv env, const Model &m, int delay, int *status) {
  KVAmodel model = load(env, m);
  Clock::time_point requested;
  double latency = -1;
  std::thread solve([&] {
    KVAoptimize(model);
    latency = millisecondsSince(requested);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(delay));
  requested = Clock::now();
  KVAterminate(model);
  solve.join();
  KVAgetintattr(model, "Status", status);
  KVAfreemodel(model);
  return latency;
}

}  // namespace

int main(int argc, char **argv) {
  int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  KVAenv env = nullptr;
  KVAemptyenv(&env);
  KVAsetintparam(env, "OutputFlag", getenv("KLOG") ? 1 : 0);
  KVAsetdblparam(env, "MaxTime", 30.0);
  KVAstartenv(env);
  const std::vector<int> delays = {0, 20, 60, 150, 400, 1000};
  std::printf(
      "Request after (ms): %s. Latency: ms from KVAterminate to the return "
      "of KVAoptimize, median [max] over %zu requests.\n\n",
      "0, 20, 60, 150, 400, 1000", delays.size() * size_t(repetitions));
  std::printf(
      "| class | model | latency ms | over 200 ms |\n|---|---|---|---|\n");
  for (const Case &c : cases()) {
    if (argc > 2 && c.name != std::string(argv[2])) continue;
    std::vector<double> latencies;
    int ended = 0, failed = 0;
    for (int r = 0; r < repetitions; ++r) {
      for (int delay : delays) {
        int status = 0;
        double ms = stopAfter(env, c.m, delay, &status);
        std::fprintf(stderr, "%s: request after %d ms, status %d, %.1f ms\n",
                     c.name, delay, status, ms);
        if (status == KVA_INTERRUPTED) {
          latencies.push_back(ms);
        } else if (status == KVA_OPTIMAL) {
          ++ended;
        } else {
          ++failed;
        }
      }
    }
    std::sort(latencies.begin(), latencies.end());
    int over = int(std::count_if(latencies.begin(), latencies.end(),
                                 [](double ms) { return ms > 200; }));
    std::string cell = "none stopped";
    if (!latencies.empty()) {
      char text[64];
      std::snprintf(text, sizeof text, "%.0f [%.0f]",
                    latencies[latencies.size() / 2], latencies.back());
      cell = text;
    }
    if (ended > 0) cell += " (" + std::to_string(ended) + " ended first)";
    if (failed > 0) cell += " (" + std::to_string(failed) + " other status)";
    std::printf("| %s | %s | %s | %d |\n", c.name, c.model, cell.c_str(), over);
    std::fflush(stdout);
  }
  KVAfreeenv(env);
  return 0;
}
