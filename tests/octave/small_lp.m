% The smallest useful model: minimise x1 + x2 subject to x1 + x2 >= 1.
function model = small_lp()
  model.A = sparse([1 1]);
  model.obj = [1 1];
  model.rhs = 1;
  model.lhsorsense = '>';
end
