function next_call_solves()
  % Whatever came before, a call solves right and relays its own log only:
  % min x1 + x2 subject to x1 + x2 >= 1.
  model = struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', 1, 'lhsorsense', '>');
  log_text = evalc('r = korva_mex(model);');
  assert(r.Status, 'OPTIMAL');
  assert(r.ObjVal, 1, 1e-9);
  assert(numel(strfind(log_text, 'Status OPTIMAL')), 1, log_text);
end
