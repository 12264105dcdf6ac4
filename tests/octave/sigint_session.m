function sigint_session(kind)
  % The Octave side of sigint_test.sh, which sends SIGINT to this process
  % once it has printed CALLING. MaxTime only keeps a lost signal from
  % hanging the test.
  %   'milp'       a market split instance, far longer than the test waits
  %   'before'     the same with a million names, so that reading the model
  %                alone takes over a second before the solve starts
  %   'sdp'        the semidefinite relaxation of max-cut on a dense graph
  %   'warnerror'  the MILP with warnings turned into errors: the Ctrl+C
  %                warning ends the call as an error, and the next solve
  %                follows at once, while a worker left behind would still
  %                be stopping
  %   'loop'       short solves without end: the Ctrl+C must stop the loop
  %                as it would stop it without the module
  model = market_split(4, 30);
  small = struct('obj', [1 1], 'lb', [1 2]);
  if strcmp(kind, 'before')
    % Only the first names belong to columns; the solver never sees the rest.
    model.varnames = repmat({'x'}, 1, 1e6);
  elseif strcmp(kind, 'sdp')
    rand('seed', 11);
    n = 500;
    W = triu(rand(n) < 0.5, 1);
    L = diag(sum(W + W', 2)) - (W + W');
    model = struct('obj', 0, 'lb', 0, 'ub', 0, ...
                   'psdvar', struct('obj', sparse(-L / 4)));
    cells = arrayfun(@(i) {sparse(i, i, 1, n, n)}, 1:n, 'UniformOutput', false);
    model.psdcon = struct('psdmats', cells, 'indices', 1, 'rhs', 1, ...
                          'lhsorsense', '=');
  end
  printf('CALLING %.3f\n', time());
  fflush(stdout);
  switch kind
    case 'loop'
      while true
        korva_mex(small, struct('OutputFlag', 0));
      end
    case 'warnerror'
      warning('error', '');
      try
        korva_mex(model, struct('MaxTime', 60));
      catch err
        printf('CAUGHT %s\n', err.message);
      end
      next = korva_mex(small, struct('OutputFlag', 0));
      printf('RESULT %s %g\n', next.Status, next.ObjVal);
    otherwise
      r = korva_mex(model, struct('MaxTime', 60));
      printf('RETURNED %.3f\n', time());
      if isempty(fieldnames(r))
        disp('RESULT empty');
      else
        printf('RESULT %s\n', r.Status);
      end
  end
end
