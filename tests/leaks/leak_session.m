function leak_session(numValid)
  % Runs every bad-input case once, then numValid valid calls in turn over
  % a linear, mixed-integer, quadratic, SOS and semidefinite model. Prints
  % "RSS <calls> <kB>" after each tenth of the valid calls, so the caller
  % can tell flat memory from growth, and "SESSION OK" at the end.
  cases = bad_input_cases();
  for k = 1:numel(cases)
    run_bad_input(cases(k));
  end
  quiet = struct('LogToConsole', 0);
  lp = struct('A', sparse([1 1 0; 0 1 1]), 'obj', [-1 -1 -2], ...
              'rhs', [4 5], 'lb', [0 0 0], 'ub', [10 10 10]);
  models = {lp, setfield(lp, 'vtype', 'IIC'), ...
            setfield(lp, 'Q', speye(3)), ...
            setfield(lp, 'sos', struct('type', 1, 'index', [1 2], ...
                                       'weight', [1 2])), ...
            struct('obj', 0, 'psdvar', struct('obj', sparse([2 1; 1 2])), ...
                   'psdcon', struct('psdmats', {{speye(2)}}, 'indices', 1, ...
                                    'rhs', 1, 'lhsorsense', '='))};
  step = max(1, floor(numValid / 10));
  for k = 1:numValid
    r = korva_mex(models{mod(k - 1, numel(models)) + 1}, quiet);
    if ! any(strcmp(r.Status, {'OPTIMAL', 'SUB_OPTIMAL'}))
      error('valid call %d ended with %s', k, r.Status);
    end
    if mod(k, step) == 0
      printf('RSS %d %d\n', k, rss_kb());
    end
  end
  disp('SESSION OK');
end

function kb = rss_kb()
  status = fileread('/proc/self/status');
  kb = str2double(regexp(status, 'VmRSS:\s*(\d+)', 'tokens', 'once'){1});
end
