function params_tests
  run_cases({@time_limit_returns_the_incumbent, @node_limit, ...
             @log_switches, @log_file_appends});
end

function time_limit_returns_the_incumbent
  model = market_split(4, 30);
  r = korva_mex(model, quiet_params('MaxTime', 2));
  assert(r.Status, 'SUB_OPTIMAL');
  assert(r.SolverTime < 30, 'MaxTime was not applied');
  % The incumbent is a point of the model with the reported objective.
  x = r.X;
  assert(x(1:30), round(x(1:30)), 1e-6);
  assert(model.A * x, model.rhs', 1e-6);
  assert(model.obj * x, r.ObjVal, 1e-6);
  assert(r.MIP_GapAbs > 0);
end

function node_limit
  % Without heuristics one node finds no point: the node limit is a
  % failure; with them the first node's point is returned.
  model = market_split(4, 30);
  expect_error(@() korva_mex(model, quiet_params('MIP_MaxNodes', 1, ...
                                                 'MIP_LevelHeurs', 0)), ...
               'korva_mex: Optimize failed. Error code: 9.');
  r = korva_mex(model, quiet_params('MIP_MaxNodes', 1));
  assert(r.Status, 'SUB_OPTIMAL');
end

function log_switches
  cases = {struct(), true; struct('OutputFlag', 0), false;
           struct('LogToConsole', 0), false};
  for k = 1:rows(cases)
    [params, logs] = cases{k, :};
    output = evalc('r = korva_mex(small_lp(), params);');
    assert(r.Status, 'OPTIMAL');
    assert(! isempty(output), logs);
  end
end

function log_file_appends
  file = [tempname() '.log'];
  unwind_protect
    % The file gets the log even when the console does not.
    params = struct('LogToConsole', 0, 'LogFile', file);
    for call = 1:2
      output = evalc('korva_mex(small_lp(), params);');
      assert(isempty(output), output);
    end
    text = fileread(file);
    assert(numel(strfind(text, 'Status OPTIMAL')), 2, text);
  unwind_protect_cleanup
    if exist(file, 'file')
      delete(file);
    end
  end_unwind_protect
end
