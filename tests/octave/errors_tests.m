function errors_tests
  run_cases({@argument_errors, @field_errors, @parameter_errors, ...
             @solve_failure_then_a_normal_call, ...
             @unset_fields_of_struct_array_elements});
end

function argument_errors
  m = small_lp();
  cases = {
    @() korva_mex(), 'MATLAB:invalidNumInputs', 'One or two inputs required.'
    @() korva_mex(m, m, m), 'MATLAB:invalidNumInputs', ...
      'One or two inputs required.'
    @() two_outputs(m, m, m), 'MATLAB:invalidNumInputs', ...
      'One or two inputs required.'
    @() two_outputs(m), 'MATLAB:maxlhs', 'Too many output arguments.'
    @() korva_mex(1, 2), 'MATLAB:inputNotStruct', 'Input1 must be a structure.'
    @() korva_mex(m, 2), 'MATLAB:inputNotStruct', 'Input2 must be a structure.'
  };
  for k = 1:rows(cases)
    [call, identifier, message] = cases{k, :};
    expect_error(call, ['korva_mex: ' message], identifier);
  end
end

function two_outputs(varargin)
  [a, b] = korva_mex(varargin{:});
end

function field_errors
  m = small_lp();
  cases = {
    struct('A', [1 1]), 'A. It should be sparse.'
    struct('Obj', 1), 'Obj. Unsupported model attribute.'
    struct('objcon', [1 2]), 'objcon. It should be scalar.'
    struct('modelsense', 1), 'modelsense. It should be char array.'
    struct('varnames', 'x'), 'varnames. It should be cell!'
    setfield(m, 'rhs', [1 2]), ['rhs. Its length should be equal to the ' ...
      'number of constraints in the linear constraint matrix.']
    struct('sos', struct('type', 1, 'index', [1 2], 'weight', [1 2 3])), ...
      'sos. index_length != weight_length. '
    struct('sos', struct('type', 1, 'index', [1 2], 'weight', [])), ...
      'sos.weight 1. It is empty!'
    struct('genconind', struct('binvar', 0)), ...
      'genconind(1).binvar. Indices start from 1.'
    struct('quadcon', struct('Qc', sparse(2, 3))), ...
      'quadcon(1).Qc. It should be square!'
  };
  for k = 1:rows(cases)
    expect_error(@() korva_mex(cases{k, 1}), ['korva_mex: ' cases{k, 2}]);
  end
end

function parameter_errors
  cases = {
    struct('Method', true), 'Method. It should be double.'
    struct('MIP_GapRel', '1'), 'MIP/GapRel. It should be double.'
    struct('method', 1), 'method. Invalid parameter.'
    struct('SPX_Foo', 1), 'SPX/Foo. Invalid parameter.'
    struct('LogFile', 5), 'LogFile. It should be char array.'
  };
  for k = 1:rows(cases)
    expect_error(@() korva_mex(small_lp(), cases{k, 1}), ...
                 ['korva_mex: ' cases{k, 2}]);
  end
end

function solve_failure_then_a_normal_call
  % 2x - 2y = 1 has no integer solution while z makes the relaxation
  % unbounded; a one-node search without preprocessing or heuristics cannot
  % tell which of the two the model is.
  model.A = sparse([2 -2 0]);
  model.obj = [0 0 -1];
  model.rhs = 1;
  model.lhsorsense = '=';
  model.lb = [-10 -10 0];
  model.ub = [10 10 1e20];
  model.vtype = 'IIC';
  params = quiet_params('MIP_MaxNodes', 1, 'Presolve', 0, 'MIP_LevelCuts', ...
                        0, 'MIP_LevelProbing', 0, 'MIP_LevelHeurs', 0);
  expect_error(@() korva_mex(model, params), ...
               'korva_mex: Optimize failed. Error code: 4.');
  % Nothing of the failed call is left over: the next one solves and logs.
  log_text = evalc('r = korva_mex(small_lp());');
  assert(r.Status, 'OPTIMAL');
  assert(! isempty(strfind(log_text, 'OPTIMAL')), log_text);
end

function unset_fields_of_struct_array_elements
  % Octave gives a field never set in one element of a struct array as [];
  % that reads as a missing value, as elsewhere, not as a wrong one.
  model = small_lp();
  model.lhsorsense = '<';
  model.rhs = 5;
  model.obj = [1 -1];
  model.ub = [1 1];
  model.vtype = 'BC';
  model.genconind(1) = struct('binvar', 1, 'binval', 1, 'a', [0 1], ...
                              'sense', '<', 'rhs', 0, 'name', 'off');
  model.genconind(2).binvar = 1;
  model.genconind(2).binval = 0;
  model.genconind(2).a = [0 1];
  model.genconind(2).sense = '<';
  model.genconind(2).rhs = 0.5;
  [output, r] = evalc_with_warnings(@() korva_mex(model, quiet_params()));
  assert(! isempty(strfind(output, 'genconind.name 2. It is empty!')), output);
  assert(r.Status, 'OPTIMAL');
  assert(r.X, [0; 0.5], 1e-6);
end

function [output, result] = evalc_with_warnings(call)
  % Captures what the call prints, its warnings included.
  state = warning('query', 'backtrace');
  warning('off', 'backtrace');
  unwind_protect
    output = evalc('result = call();');
  unwind_protect_cleanup
    warning(state);
  end_unwind_protect
end
