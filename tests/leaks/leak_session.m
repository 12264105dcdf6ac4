function leak_session(valid, bad)
  % Calls korva_mex in turn on a linear, mixed-integer, quadratic, SOS and
  % semidefinite model, with cases of the value zoo (seed 1) spread among
  % the calls: valid / 2 calls and bad / 2 cases to warm up, then `valid`
  % calls and `bad` cases, after each tenth of which it prints
  % "RSS <calls> <kB>"; "SESSION OK" at the end.
  lp = struct('A', sparse([1 1 0; 0 1 1]), 'obj', [-1 -1 -2], ...
              'rhs', [4 5], 'lb', [0 0 0], 'ub', [10 10 10]);
  models = {lp, setfield(lp, 'vtype', 'IIC'), setfield(lp, 'Q', speye(3)), ...
            setfield(lp, 'sos', struct('type', 1, 'index', [1 2], ...
                                       'weight', [1 2])), ...
            struct('obj', 0, 'psdvar', struct('obj', sparse([2 1; 1 2])), ...
                   'psdcon', struct('psdmats', {{speye(2)}}, 'indices', 1, ...
                                    'rhs', 1, 'lhsorsense', '='))};
  zoo = 0;
  for k = 1:1.5 * valid
    r = korva_mex(models{mod(k - 1, numel(models)) + 1}, struct('OutputFlag', 0));
    if ! strcmp(r.Status, 'OPTIMAL')
      error('valid call %d ended with %s', k, r.Status);
    end
    while zoo < floor(bad * k / valid)
      zoo++;
      evalc('value_zoo(1, zoo, 0)');
    end
    if k >= valid / 2 && mod(k - valid / 2, valid / 10) == 0
      [~, rss] = system(sprintf('ps -o rss= -p %d', getpid()));
      printf('RSS %d %s\n', k, strtrim(rss));
    end
  end
  disp('SESSION OK');
end
