function expect_optimum(r, x, objval, label)
  % r is the optimal result with point x and objective objval.
  if ! (strcmp(r.Status, 'OPTIMAL') && isequal(size(r.X), size(x)) ...
        && all(abs(r.X - x) < 1e-5) && abs(r.ObjVal - objval) < 1e-6)
    error('%s: %s at %s, objective %.9g; expected %s, %.9g', label, ...
          r.Status, mat2str(r.X', 7), r.ObjVal, mat2str(x', 7), objval);
  end
end
