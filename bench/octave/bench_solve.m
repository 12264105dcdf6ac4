% bench_solve(solver, kind, file, repetitions, limit, outFile)
% Solves one instance `repetitions` times with one solver and appends one
% line per solve to outFile: status, objective and seconds, tab-separated.
% Stops early after a solve that is not optimal or that took longer than
% `limit` seconds, so a slow instance costs one limit, not five. Runs in a
% process of its own, which the caller kills when it overruns.
%   solver: 'korva', 'glpk', 'qp' or 'sdpam'
%   kind:   'lp', 'milp', 'qp' (the LP made quadratic) or 'sdp'
function bench_solve(solver, kind, file, repetitions, limit, outFile)
  model = load_instance(solver, kind, file);
  for r = 1:repetitions
    try
      [status, objective, seconds] = solve_once(solver, model, file, limit);
    catch failure
      status = ['error: ' regexprep(failure.message, '^\w+: ', '')];
      objective = NaN;
      seconds = NaN;
    end
    out = fopen(outFile, 'a');
    fprintf(out, '%s\t%.15g\t%.9g\n', status, objective, seconds);
    fclose(out);
    if ~strcmp(status, 'optimal') || seconds > limit
      break;
    end
  end
end

function [status, objective, seconds] = solve_once(solver, model, file, limit)
  switch solver
    case 'korva'
      [status, objective, seconds] = solve_korva(model, limit);
    case 'glpk'
      [status, objective, seconds] = solve_glpk(model, limit);
    case 'qp'
      [status, objective, seconds] = solve_qp(model, limit);
    case 'sdpam'
      [status, objective, seconds] = solve_sdpam(file, limit);
  end
end

function model = load_instance(solver, kind, file)
  model = [];
  switch kind
    case {'lp', 'milp'}
      model = read_mps(file);
    case 'qp'
      model = quadratic_from_linear(read_mps(file));
    case 'sdp'
      if strcmp(solver, 'korva')
        model = read_sdpa(file);
      end
  end
end
