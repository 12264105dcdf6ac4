function result_tests
  run_cases({@result_layout, @result_without_output_variable, ...
             @gaps_close_at_a_mixed_integer_optimum, @help_documents_the_result});
end

function result_layout
  r = korva_mex(class_models(){1, 2}, quiet_params());
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
  assert(r.SolverTime >= r.SolutionTime && r.SolutionTime >= 0);
  assert(iscell(r.PsdX) && isequal(size(r.PsdX), [1 0]));
end

function result_without_output_variable
  korva_mex(class_models(){1, 2}, quiet_params());
  assert(ans.ObjVal, 12, 1e-9);
end

function gaps_close_at_a_mixed_integer_optimum
  r = korva_mex(class_models(){2, 2}, quiet_params());
  assert([r.MIP_GapAbs, r.MIP_GapRel], [0 0], 1e-6);
end

function help_documents_the_result
  % `help korva_mex` comes from the help file installed beside the module.
  text = evalc('help korva_mex');
  for name = fieldnames(korva_mex(class_models(){1, 2}, quiet_params()))'
    assert(! isempty(strfind(text, name{1})), name{1});
  end
end
