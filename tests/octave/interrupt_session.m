function interrupt_session
  % The Octave side of interrupt_test.sh, which sends SIGINT to this
  % process while the first solve runs. MaxTime only keeps a lost signal
  % from hanging the test.
  r = korva_mex(market_split(4, 30), struct('MaxTime', 60));
  printf('RETURNED %.3f\n', time());
  assert(isstruct(r) && isempty(r) && isempty(fieldnames(r)), ...
         'the stopped solve should return an empty struct');
  % The session goes on: the next statement and the next solve run.
  next = korva_mex(struct('obj', [1 1], 'lb', [1 2]), quiet_params());
  assert(next.Status, 'OPTIMAL');
  assert(next.ObjVal, 3, 1e-9);
  disp('SESSION OK');
end
