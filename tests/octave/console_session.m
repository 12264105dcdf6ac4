function console_session
  % The Octave side of console_test.sh: every solve runs inside evalc, which
  % takes all the module relays, so whatever still reaches the process's
  % standard output went past the log callback.
  here = fileparts(mfilename('fullpath'));
  examples = fullfile(here, '..', '..', 'examples');
  lp = struct('A', sparse([1 1 0; 0 1 1]), 'obj', [1 2 3], 'rhs', [4 5], ...
              'lhsorsense', '>');
  qp = struct('Q', speye(2), 'obj', [-2 -4], 'A', sparse([1 1]), 'rhs', 2);
  captured = evalc(sprintf('run(''%s'');', fullfile(examples, 'run_examples.m')));
  assert(! isempty(strfind(captured, 'Status OPTIMAL')), 'no log captured');
  for method = [-1 0 1 2]
    evalc('korva_mex(lp, struct(''Method'', method));');
    evalc('korva_mex(qp, struct(''Method'', method));');
  end
  evalc('korva_mex(market_split(3, 20), struct(''MaxTime'', 0.5));');
  printf('END\n');
end
