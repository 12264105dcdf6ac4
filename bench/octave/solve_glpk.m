% [status, objective, seconds] = solve_glpk(model, limit)
% Solves an LP or MILP model structure with Octave's glpk. A row with two
% finite, different sides becomes two rows, one per side.
function [status, objective, seconds] = solve_glpk(model, limit)
  [lower, upper] = rows_as_sides(model);
  equal = lower == upper;
  hasLower = isfinite(lower) & ~equal;
  hasUpper = isfinite(upper) & ~equal;
  A = [model.A(equal, :); model.A(hasLower, :); model.A(hasUpper, :)];
  b = [upper(equal); lower(hasLower); upper(hasUpper)];
  ctype = [repmat('S', 1, nnz(equal)), repmat('L', 1, nnz(hasLower)), ...
           repmat('U', 1, nnz(hasUpper))];
  lb = model.lb(:);
  ub = model.ub(:);
  lb(lb <= -1e20) = -Inf;
  ub(ub >= 1e20) = Inf;
  vartype = repmat('C', 1, numel(lb));
  if isfield(model, 'vtype')
    vartype(model.vtype == 'I' | model.vtype == 'B') = 'I';
  end
  param = struct('msglev', 0, 'tmlim', round(limit * 1000));
  start = tic;
  [~, fmin, errnum, extra] = glpk(model.obj(:), A, b, lb, ub, ctype, ...
                                  vartype, 1, param);
  seconds = toc(start);
  objective = fmin + model.objcon;
  % glpk's status 5 is an optimum, 2 a feasible point (a limit was hit).
  if errnum == 0 && extra.status == 5
    status = 'optimal';
  elseif errnum == 9 || extra.status == 2
    status = 'time limit';
  else
    status = sprintf('failed (error %d, status %d)', errnum, extra.status);
  end
end
