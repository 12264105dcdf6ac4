function solve_tests
  run_cases({@each_class_reaches_its_optimum, @other_forms_reach_their_optimum, ...
             @semidefinite_forms, @infeasible_and_unbounded_are_results, ...
             @result_layout});
end

function each_class_reaches_its_optimum
  % By the automatic choice and by the barrier; the LP also by the primal
  % and the dual simplex, with its reduced costs, and only the barrier
  % counts interior point iterations.
  cases = class_models();
  for k = 1:rows(cases)
    [name, model, x, objval] = cases{k, :};
    for method = merge(k == 1, [-1 0 1 2], [-1 2])
      r = korva_mex(model, quiet_params('Method', method));
      expect_optimum(r, x, objval, sprintf('%s, Method %d', name, method));
    end
  end
  r = korva_mex(cases{2, 2}, quiet_params());
  assert([r.MIP_GapAbs, r.MIP_GapRel], [0 0], 1e-6);
  for method = [0 2]
    r = korva_mex(cases{1, 2}, quiet_params('Method', method));
    assert(r.RC, [2; 0; 0], 1e-9);
    assert([r.IPM_NumIters > 0, r.SPX_NumIters >= 1], [method == 2, true]);
  end
end

function other_forms_reach_their_optimum
  % By the automatic choice and by the barrier: the forms the class models
  % do not write. Q is taken as given: sum of Q(i,j) x_i x_j.
  cases = {
    % ranged rows by numeric "lhsorsense": 2 <= x + y <= 3, y <= 1
    struct('A', sparse([1 1]), 'obj', [1 0], 'rhs', 3, 'lhsorsense', 2, ...
           'ub', [1e20 1]), [1; 1], 1
    % maximised, with a constant
    struct('A', sparse([1 1; 1 3]), 'obj', [3 2], 'rhs', [4 6], ...
           'ub', [3 1e20], 'modelsense', 'max', 'objcon', 5), [3; 1], 16
    % an off-diagonal term in both triangles: x^2 + xy + y^2 - 3x
    struct('Q', sparse([1 0.5; 0.5 1]), 'obj', [-3 0], 'lb', [-10 -10]), ...
      [2; -1], -3
  };
  for k = 1:rows(cases)
    for method = [-1 2]
      r = korva_mex(cases{k, 1}, quiet_params('Method', method));
      expect_optimum(r, cases{k, 2:3}, sprintf('case %d, Method %d', k, method));
    end
  end
end

function semidefinite_forms
  % The class model with y >= 0 and a free t in 0.5 <= X(1,1) - t <= 2:
  % min y + t takes t = X(1,1) - 2, min y - t takes t = X(1,1) - 0.5, so
  % the optimum is the smallest eigenvalue of C + E11 or C - E11, shifted.
  model = class_models(){7, 2};
  C = model.psdvar.obj;
  model.lb = [0 -1e20];
  model.A = sparse(1, 2);
  model.psdcon(2).linearterm = sparse([0 -1]);
  for [s, side] = struct('upper', 1, 'lower', -1)
    model.obj = [1 s];
    r = korva_mex(model, quiet_params());
    [V, D] = eig(full(C + s * sparse(1, 1, 1, 3, 3)));
    [lambda, k] = min(diag(D));
    X = V(:, k) * V(:, k)';
    shift = merge(s > 0, 2, 0.5);
    expect_optimum(r, [0; X(1, 1) - shift], lambda - s * shift, side);
    assert(size(r.PsdX), [1 1]);
    assert(issparse(r.PsdX{1}));
    assert(full(r.PsdX{1}), X, 1e-5);
  end
  % Without ordinary variables: the smallest eigenvalue of C alone.
  pure = struct('obj', zeros(1, 0), 'A', sparse(0, 0), 'rhs', zeros(1, 0), ...
                'psdvar', model.psdvar, 'psdcon', model.psdcon(1));
  expect_optimum(korva_mex(pure, quiet_params()), zeros(0, 1), ...
                 min(eig(full(C))), 'no ordinary variables');
end

function infeasible_and_unbounded_are_results
  % x + y <= -1 with x, y >= 0; x - y <= 1 with min -y.
  for vtype = {'CC', 'II'}
    infeasible = struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', -1);
    unbounded = struct('A', sparse([1 -1]), 'obj', [0 -1], 'rhs', 1);
    assert(korva_mex(setfield(infeasible, 'vtype', vtype{1}), ...
                     quiet_params()).Status, 'INFEASIBLE');
    assert(korva_mex(setfield(unbounded, 'vtype', vtype{1}), ...
                     quiet_params()).Status, 'UNBOUNDED');
  end
end

function result_layout
  % As `help korva_mex` describes it, and in `ans` when the call has no
  % output variable.
  korva_mex(class_models(){1, 2}, quiet_params());
  r = ans;
  assert(fieldnames(r)', {'Status', 'X', 'RC', 'ObjVal', 'SolverTime', ...
                          'PresolverTime', 'SolutionTime', 'MIP_GapAbs', ...
                          'MIP_GapRel', 'IPM_NumIters', 'SPX_NumIters', 'PsdX'});
  text = evalc('help korva_mex');
  assert(cellfun(@(f) ! isempty(strfind(text, f)), fieldnames(r)));
  assert(size(r), [1 1]);
  assert(ischar(r.Status) && rows(r.Status) == 1);
  assert(cellfun(@(f) isa(r.(f), 'double') && isequal(size(r.(f)), [3 1]), ...
                 {'X', 'RC'}));
  assert(cellfun(@(f) isa(r.(f), 'double') && isscalar(r.(f)), ...
                 {'ObjVal', 'SolverTime', 'PresolverTime', 'SolutionTime', ...
                  'IPM_NumIters', 'SPX_NumIters'}));
  assert(r.SolverTime >= r.SolutionTime && r.SolutionTime >= 0);
  assert(iscell(r.PsdX) && isequal(size(r.PsdX), [1 0]));
end
