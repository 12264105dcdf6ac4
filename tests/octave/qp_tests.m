function qp_tests
  run_cases({@convex_qp_optima, @non_convex_qp_fails});
end

function convex_qp_optima
  % The objective is obj'x + sum of Q(i,j) x_i x_j, with Q taken as given.
  cases = {
    % (x - 1)^2 + (y - 2)^2 - 5, unconstrained in the positive quadrant
    struct('Q', speye(2), 'obj', [-2 -4]), [1; 2], -5
    % the same on x + y <= 2: the projection of (1, 2)
    struct('Q', speye(2), 'obj', [-2 -4], 'A', sparse([1 1]), 'rhs', 2), ...
      [0.5; 1.5], -4.5
    % an off-diagonal term given in both triangles: x^2 + xy + y^2 - 3x
    struct('Q', sparse([1 0.5; 0.5 1]), 'obj', [-3 0], 'lb', [-10 -10]), ...
      [2; -1], -3
    % concave and maximised: 2x - x^2
    struct('Q', sparse(-1), 'obj', 2, 'modelsense', 'max'), 1, 1
  };
  for k = 1:rows(cases)
    [model, x, objval] = cases{k, :};
    for method = [-1 2]
      r = korva_mex(model, quiet_params('Method', method));
      assert(r.Status, 'OPTIMAL');
      assert(r.X, x, 1e-5);
      assert(r.ObjVal, objval, 1e-6);
    end
  end
end

function non_convex_qp_fails
  model = struct('Q', sparse(-1), 'obj', 0, 'ub', 1);
  expect_error(@() korva_mex(model, quiet_params()), ...
               'korva_mex: Optimize failed. Error code: 10.');
end
