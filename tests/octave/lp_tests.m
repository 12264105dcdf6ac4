function lp_tests
  run_cases({@known_optimum_with_reduced_costs, @row_and_objective_forms, ...
             @result_fields, @result_without_output_variable, ...
             @infeasible_and_unbounded_are_results, @methods_agree, ...
             @help_documents_the_result});
end

function model = three_var_lp()
  % min x + 2y + 3z  s.t.  x + y >= 4,  y + z >= 5,  x, y, z >= 0
  model.A = sparse([1 1 0; 0 1 1]);
  model.obj = [1 2 3];
  model.rhs = [4 5];
  model.lhsorsense = '>';
end

function known_optimum_with_reduced_costs
  r = korva_mex(three_var_lp(), quiet_params());
  assert(r.Status, 'OPTIMAL');
  assert(r.X, [0; 5; 0], 1e-9);
  % The second row's dual is 2, the first row is slack.
  assert(r.RC, [1; 0; 1], 1e-9);
  assert(r.ObjVal, 10, 1e-9);
end

function row_and_objective_forms
  cases = {
    % ranged rows through numeric "lhsorsense": 2 <= x + y <= 3, y <= 1
    struct('A', sparse([1 1]), 'obj', [1 0], 'rhs', 3, 'lhsorsense', 2, ...
           'ub', [1e20 1]), [1; 1], 1
    % maximised, with a constant and bounds
    struct('A', sparse([1 1; 1 3]), 'obj', [3 2], 'rhs', [4 6], ...
           'ub', [3 1e20], 'modelsense', 'max', 'objcon', 5), [3; 1], 16
    % free variables and an equality row
    struct('A', sparse([1 -1]), 'obj', [1 1], 'rhs', 1, 'lhsorsense', '=', ...
           'lb', [-2 -5], 'ub', [5 5]), [-2; -3], -5
    % no matrix: each variable goes to its cheaper bound
    struct('obj', [1 -1], 'lb', [-1 -1], 'ub', [2 2]), [-1; 2], -3
  };
  for k = 1:rows(cases)
    [model, x, objval] = cases{k, :};
    r = korva_mex(model, quiet_params());
    assert(r.Status, 'OPTIMAL');
    assert(r.X, x, 1e-9);
    assert(r.ObjVal, objval, 1e-9);
  end
end

function result_fields
  r = korva_mex(three_var_lp(), quiet_params());
  assert(fieldnames(r)', {'Status', 'X', 'RC', 'ObjVal', 'SolverTime', ...
                          'PresolverTime', 'SolutionTime', 'MIP_GapAbs', ...
                          'MIP_GapRel', 'IPM_NumIters', 'SPX_NumIters', 'PsdX'});
  assert(size(r), [1 1]);
  assert(ischar(r.Status) && rows(r.Status) == 1);
  for name = {'X', 'RC'}
    assert(isa(r.(name{1}), 'double') && isequal(size(r.(name{1})), [3 1]));
  end
  for name = {'ObjVal', 'SolverTime', 'PresolverTime', 'SolutionTime', ...
              'IPM_NumIters', 'SPX_NumIters'}
    value = r.(name{1});
    assert(isa(value, 'double') && isscalar(value), name{1});
  end
  assert(r.SPX_NumIters >= 1 && r.SPX_NumIters == fix(r.SPX_NumIters));
  assert(r.SolverTime >= r.SolutionTime && r.SolutionTime >= 0);
  assert(iscell(r.PsdX) && isequal(size(r.PsdX), [1 0]));
end

function result_without_output_variable
  korva_mex(three_var_lp(), quiet_params());
  assert(ans.ObjVal, 10, 1e-9);
end

function infeasible_and_unbounded_are_results
  cases = {
    % x + y <= -1 with x, y >= 0
    struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', -1), 'INFEASIBLE'
    % x - y <= 1, min -y
    struct('A', sparse([1 -1]), 'obj', [0 -1], 'rhs', 1), 'UNBOUNDED'
    % the same two with integer variables
    struct('A', sparse([1 1]), 'obj', [1 1], 'rhs', -1, 'vtype', 'II'), ...
      'INFEASIBLE'
    struct('A', sparse([1 -1]), 'obj', [0 -1], 'rhs', 1, 'vtype', 'IC'), ...
      'UNBOUNDED'
  };
  for k = 1:rows(cases)
    r = korva_mex(cases{k, 1}, quiet_params());
    assert(r.Status, cases{k, 2});
  end
end

function methods_agree
  % Automatic, primal, dual and barrier reach the same optimum; only the
  % barrier counts interior point iterations.
  for method = [-1 0 1 2]
    r = korva_mex(three_var_lp(), quiet_params('Method', method));
    assert(r.Status, 'OPTIMAL');
    assert(r.ObjVal, 10, 1e-6);
    assert(r.IPM_NumIters > 0, method == 2);
  end
end

function help_documents_the_result
  % `help korva_mex` comes from the help file installed beside the module.
  text = evalc('help korva_mex');
  for name = fieldnames(korva_mex(three_var_lp(), quiet_params()))'
    assert(! isempty(strfind(text, name{1})), name{1});
  end
end
