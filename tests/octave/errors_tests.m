function errors_tests
  run_cases({@arguments_are_checked_with_identifiers, ...
             @failed_solves_log_their_status_then_raise_its_code});
end

function arguments_are_checked_with_identifiers
  m = class_models(){1, 2};
  inputs = 'One or two inputs required.';
  cases = {
    @() korva_mex(), 'MATLAB:invalidNumInputs', inputs
    @() korva_mex(m, m, m), 'MATLAB:invalidNumInputs', inputs
    @() two_outputs(m, m, m), 'MATLAB:invalidNumInputs', inputs
    @() two_outputs(m), 'MATLAB:maxlhs', 'Too many output arguments.'
    @() korva_mex(1, 2), 'MATLAB:inputNotStruct', 'Input1 must be a structure.'
    @() korva_mex(m, 2), 'MATLAB:inputNotStruct', 'Input2 must be a structure.'
  };
  for k = 1:rows(cases)
    err = raised_error(cases{k, 1});
    assert({err.identifier, err.message}, {cases{k, 2}, ['korva_mex: ' cases{k, 3}]});
  end
end

function two_outputs(varargin)
  [a, b] = korva_mex(varargin{:});
end

function failed_solves_log_their_status_then_raise_its_code
  % The log, up to the final status, reaches the user before the error, and
  % nothing of the failed call is left over for the next one.
  cases = {
    % 2x - 2y = 1 has no integer solution while z makes the relaxation
    % unbounded; one node without preprocessing or heuristics cannot tell
    % which of the two the model is
    struct('A', sparse([2 -2 0]), 'obj', [0 0 -1], 'rhs', 1, ...
           'lhsorsense', '=', 'lb', [-10 -10 0], 'ub', [10 10 1e20], ...
           'vtype', 'IIC'), ...
      struct('MIP_MaxNodes', 1, 'Presolve', 0, 'MIP_LevelCuts', 0, ...
             'MIP_LevelProbing', 0, 'MIP_LevelHeurs', 0), 4, 'INF_OR_UBD'
    % without heuristics the first node finds no point
    market_split(4, 30), struct('MIP_MaxNodes', 1, 'MIP_LevelHeurs', 0), 9, ...
      'NODE_LIMIT'
    % non-convex objective, constraint, and a big-M row without a bound
    struct('Q', sparse(-1), 'obj', 0, 'ub', 1), struct(), 10, 'UNSUPPORTED'
    struct('obj', [1 1], 'quadcon', struct('Qc', sparse([1 0; 0 -1]), ...
                                           'rhs', 1)), struct(), 10, 'UNSUPPORTED'
    setfield(class_models(){6, 2}, 'ub', [1e20 1]), struct(), 10, 'UNSUPPORTED'
  };
  for k = 1:rows(cases)
    [model, params, code, status] = cases{k, :};
    log_text = evalc('err = raised_error(@() korva_mex(model, params));');
    assert(err.message, sprintf('korva_mex: Optimize failed. Error code: %d.', code));
    assert(! isempty(strfind(log_text, ['Status ' status])), log_text);
    next_call_solves();
  end
end
