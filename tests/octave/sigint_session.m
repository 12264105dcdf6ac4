function sigint_session(kind)
  % The Octave side of sigint_test.sh, which sends SIGINT to this process
  % while korva_mex works on a long model of the given kind. MaxTime only
  % keeps a lost signal from hanging the test.
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
