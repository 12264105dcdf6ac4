function sigint_session(kind)
  % The Octave side of sigint_test.sh, which sends SIGINT to this process
  % once it has printed CALLING. MaxTime only keeps a lost signal from
  % hanging the test.
  %   'milp', 'sdp', 'before'  one long solve (see long_models)
  %   'warnerror'  a long MILP with warnings turned into errors: the Ctrl+C
  %                warning ends the call as an error, and the next solve
  %                follows at once, while a worker left behind would still
  %                be stopping
  %   'loop'       short solves without end: the Ctrl+C must stop the loop
  %                as it would stop it without the module
  if strcmp(kind, 'loop')
    model = struct('obj', [1 1], 'lb', [1 2]);
    params = struct('OutputFlag', 0);
    printf('CALLING %.3f\n', time());
    fflush(stdout);
    while true
      korva_mex(model, params);
    end
  end
  if strcmp(kind, 'warnerror')
    warning('error', '');
    model = long_models('milp');
    printf('CALLING %.3f\n', time());
    fflush(stdout);
    try
      korva_mex(model, struct('MaxTime', 60));
    catch err
      printf('CAUGHT %s\n', err.message);
    end
    next = korva_mex(struct('obj', [1 1], 'lb', [1 2]), struct('OutputFlag', 0));
    printf('RESULT %s %g\n', next.Status, next.ObjVal);
    return;
  end
  model = long_models(kind);
  printf('CALLING %.3f\n', time());
  fflush(stdout);
  r = korva_mex(model, struct('MaxTime', 60));
  printf('RETURNED %.3f\n', time());
  if isempty(fieldnames(r))
    disp('RESULT empty');
  else
    printf('RESULT %s\n', r.Status);
  end
end
