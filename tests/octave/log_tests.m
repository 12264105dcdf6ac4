function log_tests
  run_cases({@log_frames_each_solve, @backend_progress_is_relayed, ...
             @log_of_a_failed_solve_comes_before_the_error});
end

function log_frames_each_solve
  model = struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', 1, ...
                 'lhsorsense', '>');
  output = evalc('korva_mex(model);');
  header = strfind(output, 'Model: 2 variables');
  footer = strfind(output, 'Status OPTIMAL, objective 1');
  assert(isscalar(header) && isscalar(footer), output);
  assert(header < footer, output);
  % Each call relays its own log only.
  assert(numel(strfind(evalc('korva_mex(model);'), 'Model:')), 1);
end

function backend_progress_is_relayed
  % The backends' own lines reach the command window too, for the simplex
  % and for the branch and cut.
  lp = struct('A', sparse([1 1 0; 0 1 1]), 'obj', [1 2 3], 'rhs', [4 5], ...
              'lhsorsense', '>');
  assert(! isempty(regexp(evalc('korva_mex(lp);'), 'Clp\d{4}I', 'once')));
  milp = setfield(lp, 'vtype', 'III');
  output = evalc('korva_mex(milp);');
  assert(! isempty(strfind(output, 'Result - Optimal solution found')), output);
end

function log_of_a_failed_solve_comes_before_the_error
  model = struct('Q', sparse(-1), 'obj', 0, 'ub', 1);
  output = evalc('try, korva_mex(model); catch err, end');
  assert(err.message, 'korva_mex: Optimize failed. Error code: 10.');
  assert(! isempty(strfind(output, 'Unsupported')), output);
end
