function milp_tests
  run_cases({@knapsack_optimum, @sos_sets_restrict_the_optimum, ...
             @indicator_constraints, @indicator_without_finite_bound_fails});
end

function knapsack_optimum
  % The relaxation's optimum (22) is fractional, so the answer needs a
  % search.
  model.A = sparse([5 7 4 3]);
  model.obj = [8 11 6 4];
  model.rhs = 14;
  model.vtype = 'BBBB';
  model.modelsense = 'max';
  r = korva_mex(model, quiet_params());
  assert(r.Status, 'OPTIMAL');
  assert(r.X, [0; 1; 1; 1], 1e-6);
  assert(r.ObjVal, 21, 1e-6);
  assert(abs(r.MIP_GapAbs) < 1e-6 && abs(r.MIP_GapRel) < 1e-6);
end

function sos_sets_restrict_the_optimum
  % max 3x + y + 3z  s.t.  x + y + z <= 2, all in [0, 1]: without a set the
  % two outer variables are taken.
  base.A = sparse([1 1 1]);
  base.obj = [3 1 3];
  base.rhs = 2;
  base.ub = [1 1 1];
  base.modelsense = 'max';
  cases = {0, 6; 1, 3; 2, 4};
  for k = 1:rows(cases)
    [type, objval] = cases{k, :};
    model = base;
    if type > 0
      model.sos = struct('type', type, 'index', [1 2 3], 'weight', [1 2 3]);
    end
    r = korva_mex(model, quiet_params());
    assert(r.Status, 'OPTIMAL');
    assert(r.ObjVal, objval, 1e-6);
    nonzero = find(abs(r.X) > 1e-6);
    if type == 1
      assert(numel(nonzero) == 1);
    elseif type == 2
      assert(numel(nonzero) <= 2 && all(diff(nonzero) == 1));
    end
  end
end

function model = switched_model(switch_cost)
  % max x - switch_cost * z, x in [0, 10], z binary; while z = 0, x <= 2.
  model.obj = [1 -switch_cost];
  model.modelsense = 'max';
  model.ub = [10 1];
  model.vtype = 'CB';
  model.genconind = struct('binvar', 2, 'binval', 0, 'a', [1 0], ...
                           'sense', '<', 'rhs', 2);
end

function indicator_constraints
  cases = {3, [10; 1], 7; 9, [2; 0], 2};
  for k = 1:rows(cases)
    [cost, x, objval] = cases{k, :};
    r = korva_mex(switched_model(cost), quiet_params());
    assert(r.Status, 'OPTIMAL');
    assert(r.X, x, 1e-6);
    assert(r.ObjVal, objval, 1e-6);
  end
end

function indicator_without_finite_bound_fails
  model = switched_model(3);
  model.ub = [1e20 1];
  log_text = evalc(['expect_error(@() korva_mex(model), ', ...
                    '''korva_mex: Optimize failed. Error code: 10.'')']);
  % The log says why before the call fails.
  assert(! isempty(strfind(log_text, 'Unsupported')), log_text);
end
