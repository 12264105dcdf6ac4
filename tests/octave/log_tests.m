function log_tests
  run_cases({@log_frames_each_solve, @backend_progress_is_relayed, ...
             @log_switches_and_file});
end

function log_frames_each_solve
  model = struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', 1, ...
                 'lhsorsense', '>');
  % The second call relays its own log only.
  for call = 1:2
    output = evalc('korva_mex(model);');
    header = strfind(output, 'Model: 2 variables');
    footer = strfind(output, 'Status OPTIMAL, objective 1');
    assert(isscalar(header) && isscalar(footer) && header < footer, output);
  end
end

function backend_progress_is_relayed
  % The backends' own lines reach the command window too, for the simplex
  % and for the branch and cut.
  models = class_models();
  assert(! isempty(regexp(evalc('korva_mex(models{1, 2});'), 'Clp\d{4}I', 'once')));
  output = evalc('korva_mex(models{2, 2});');
  assert(! isempty(strfind(output, 'Result - Optimal solution found')), output);
end

function log_switches_and_file
  % The file gets the log, appended, even when the console does not.
  file = [tempname() '.log'];
  model = class_models(){1, 2};
  cases = {struct(), true; struct('OutputFlag', 0), false;
           struct('LogToConsole', 0), false;
           struct('LogToConsole', 0, 'LogFile', file), false};
  unwind_protect
    for k = [1:rows(cases), rows(cases)]
      [params, logs] = cases{k, :};
      output = evalc('r = korva_mex(model, params);');
      assert(r.Status, 'OPTIMAL');
      assert(! isempty(output), logs);
    end
    assert(numel(strfind(fileread(file), 'Status OPTIMAL')), 2);
  unwind_protect_cleanup
    unlink(file);
  end_unwind_protect
end
