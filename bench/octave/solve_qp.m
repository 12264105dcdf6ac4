% [status, objective, seconds] = solve_qp(model, limit)
% Solves a model structure with a "Q" (see quadratic_from_linear) with
% Octave's qp: 0.5 x'Hx + q'x with H = Q + Q'. qp has no time limit; the
% caller's process limit stands in for it.
function [status, objective, seconds] = solve_qp(model, ~)
  [lower, upper] = rows_as_sides(model);
  equal = lower == upper;
  ranged = ~equal;
  lb = model.lb(:);
  ub = model.ub(:);
  lb(lb <= -1e20) = -Inf;
  ub(ub >= 1e20) = Inf;
  H = full(model.Q + model.Q');
  q = model.obj(:);
  x0 = min(max(zeros(size(q)), lb), ub);
  options = optimset('MaxIter', 100000);
  start = tic;
  [x, ~, info] = qp(x0, H, q, model.A(equal, :), upper(equal), lb, ub, ...
                    lower(ranged), model.A(ranged, :), upper(ranged), options);
  seconds = toc(start);
  objective = 0.5 * x' * H * x + q' * x + model.objcon;
  outcomes = {'optimal', 'local solution', 'non-convex, unbounded', ...
              'iteration limit', '', '', 'reports infeasible'};
  status = outcomes{info.info + 1};
end
