% model = quadratic_from_linear(model)
% Makes a strictly convex QP of an LP: the objective gains
% 0.01 * sum(x.^2), that is Q = 0.01 * I as korva_mex reads "Q" (every term
% as given, no halving). Integer markers are dropped.
function model = quadratic_from_linear(model)
  n = size(model.A, 2);
  model.Q = 0.01 * speye(n);
  model.vtype = repmat('C', 1, n);
end
