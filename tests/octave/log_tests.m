function log_tests
  run_cases({@each_solve_relays_its_own_log, @log_switches_and_file});
end

function each_solve_relays_its_own_log
  % The library's header, its lines on the backends' steps (the simplex's,
  % the branch and cut's) and the final status, in that order; the LP's
  % second call relays its own log only.
  models = class_models();
  cases = {models{1, 2}, 'Model lp: 3 variables', 'simplex: \d+ iterations', ...
           'Status OPTIMAL, objective 12,'
           models{2, 2}, 'Model: 4 variables', ...
           'Branch and cut done', 'Status OPTIMAL, objective 21,'};
  for k = [1 1 2]
    output = evalc('korva_mex(cases{k, 1});');
    at = cellfun(@(p) regexp(output, p, 'once'), cases(k, 2:4), ...
                 'UniformOutput', false);
    assert(! any(cellfun(@isempty, at)) && issorted([at{:}]) ...
           && numel(strfind(output, 'Status ')) == 1, output);
  end
end

function log_switches_and_file
  % The file gets the log, appended, even when the console does not. A
  % silent call shows nothing, not even a warning about the names it has
  % none of, and writes nothing to its file.
  file = [tempname() '.log'];
  model = class_models(){2, 2};
  cases = {struct(), true; struct('OutputFlag', 0, 'LogFile', file), false;
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
