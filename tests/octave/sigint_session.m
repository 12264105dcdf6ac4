function sigint_session(kind)
  % The Octave side of sigint_test.sh, which sends SIGINT to this process
  % once it has printed CALLING; MaxTime only keeps a lost signal from
  % hanging the test. Each kind is one long solve: a market split MILP,
  % the same 'before' the solve (reading a million names takes a second),
  % an 'sdp' (max-cut on a dense graph), a 'qcp' and an 'miqcp' (Ipopt
  % alone, and at every node), the MILP with warnings raised as
  % errors ('warnerror': the next solve follows at once, while a worker
  % left behind would still be stopping), or a 'loop' of short solves,
  % which the Ctrl+C must stop as it would without the module, or a plain
  % loop 'afterqcp' a model with quadratic constraints was solved.
  model = market_split(4, 30);
  small = struct('obj', [1 1], 'lb', [1 2]);
  if strcmp(kind, 'before')
    model.varnames = repmat({'x'}, 1, 1e6);  % 38 of them name columns
  elseif strcmp(kind, 'sdp')
    rand('seed', 11);
    n = 800;
    W = triu(rand(n) < 0.5, 1);
    L = diag(sum(W + W', 2)) - (W + W');
    model = struct('obj', 0, 'lb', 0, 'ub', 0, ...
                   'psdvar', struct('obj', sparse(-L / 4)));
    cells = arrayfun(@(i) {sparse(i, i, 1, n, n)}, 1:n, 'UniformOutput', false);
    model.psdcon = struct('psdmats', cells, 'indices', 1, 'rhs', 1, ...
                          'lhsorsense', '=');
  elseif strcmp(kind, 'qcp')
    n = 2400;
    Qc = sparse(0.99 .^ abs((1:n)' - (1:n)));
    model = struct('obj', ones(1, n), 'modelsense', 'max', ...
                   'quadcon', struct('Qc', Qc, 'rhs', 1));
  elseif strcmp(kind, 'miqcp')
    model.quadcon = struct('Qc', sparse(1, 1, 1, 38, 38), 'rhs', 1);
  elseif strcmp(kind, 'afterqcp')
    % The solver of quadratic constraints sets a SIGINT handler of its own
    % at every search: the host's must be back once the call returns.
    disc = struct('obj', [1 1], 'modelsense', 'max', ...
                  'quadcon', struct('Qc', speye(2), 'rhs', 1));
    korva_mex(disc, struct('OutputFlag', 0));
  end
  printf('CALLING %.3f\n', time());
  fflush(stdout);
  switch kind
    case 'loop'
      while true
        korva_mex(small, struct('OutputFlag', 0));
      end
    case 'afterqcp'
      while true
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
