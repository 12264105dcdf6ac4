function sigint_next()
  % The statement after the interrupted one: the session goes on and the
  % next solve runs normally.
  warning('on', '');
  next = korva_mex(struct('obj', [1 1], 'lb', [1 2]), ...
                   struct('LogToConsole', 0));
  assert(next.Status, 'OPTIMAL');
  assert(next.ObjVal, 3, 1e-9);
  disp('SESSION OK');
end
