% Quadratic constraints and mixed-integer quadratic models through
% korva_mex: known optima, and a non-convex model refused with status 10.
function qcp_tests()
  params.OutputFlag = 0;
  convexQcp(params);
  miqp(params);
  nonConvexQcp(params);
end

function convexQcp(params)
  % max x + 2y s.t. x^2 + y^2 <= 5 (given as the symmetric Qc), x <= 1.5:
  % the circle's point in direction (1, 2) is (1, 2).
  model.obj = [1 2];
  model.modelsense = 'max';
  model.lb = [-1e20 -1e20];
  model.ub = [1.5 1e20];
  model.A = sparse(1, 2);
  model.rhs = 1e20;
  model.lhsorsense = '<';
  model.quadcon(1).Qc = speye(2);
  model.quadcon(1).q = [0 0];
  model.quadcon(1).rhs = 5;
  r = korva_mex(model, params);
  assert(strcmp(r.Status, 'OPTIMAL'), r.Status);
  expectNear(r.X, [1; 2], 1e-6, 'X');
  expectNear(r.ObjVal, 5, 1e-6, 'ObjVal');
end

function miqp(params)
  % min (x - 1.4)^2 + (y - 2.6)^2 - 1.4^2 - 2.6^2 with x, y integer in
  % [0, 5] and x + y <= 3: (1, 2) beats the rounded (1, 3), which is cut off.
  model.obj = [-2.8 -5.2];
  model.Q = speye(2);
  model.A = sparse([1 1]);
  model.rhs = 3;
  model.lhsorsense = '<';
  model.lb = [0 0];
  model.ub = [5 5];
  model.vtype = 'II';
  r = korva_mex(model, params);
  assert(strcmp(r.Status, 'OPTIMAL'), r.Status);
  expectNear(r.X, [1; 2], 1e-6, 'X');
  expectNear(r.ObjVal, 1 + 4 - 2.8 - 10.4, 1e-6, 'ObjVal');
  assert(r.MIP_GapAbs <= 1e-4);
end

function nonConvexQcp(params)
  % x^2 - y^2 <= 1 is not a convex set.
  model.obj = [1 1];
  model.A = sparse(1, 2);
  model.rhs = 1e20;
  model.lhsorsense = '<';
  model.quadcon(1).Qc = sparse([1 0; 0 -1]);
  model.quadcon(1).q = [0 0];
  model.quadcon(1).rhs = 1;
  try
    korva_mex(model, params);
    error('a non-convex QCP was solved');
  catch failure
    assert(~isempty(strfind(failure.message, 'Error code: 10.')), ...
           failure.message);
  end
end

function expectNear(actual, expected, tolerance, what)
  if any(abs(actual(:) - expected(:)) > tolerance)
    error('%s: got %s, expected %s', what, mat2str(actual, 10), ...
          mat2str(expected, 10));
  end
end
