function host_values_tests
  run_cases({@other_storage_solves_alike, @unset_fields_of_elements_are_missing});
end

function other_storage_solves_alike
  % Each statement writes a class model's values in another storage Octave
  % offers: lazily stored ranges, diagonal and permutation matrices, sparse
  % logical arrays, other shapes, cells and struct arrays as columns.
  cases = {
    'lp', 'model.obj = 1:3;'
    'lp', 'model.rhs = [4; 5]; model.start = reshape(1:3, 1, 1, 3);'
    'lp', 'model.A = sparse(logical(model.A)); model.ub = sparse(model.ub);'
    'lp', 'model.lb = 0 * eye(1, 3); model.colbasis = zeros(1, 0);'
    'lp', 'model.lhsorsense = [''<''; ''>'']; model.varnames = {''x''; ''y''; ''z''};'
    'lp', 'model.lb = [];'
    'milp', 'model.start = eye(2)(:, [2 1]); model.obj = [8 6; 11 4];'
    'milp', 'model.vtype = [''BB''; ''BB''];'
    'qp', 'model.Q = sparse(logical(model.Q)); model.obj = -2:-2:-4;'
    'qcp', 'model.quadcon = model.quadcon(:); model.quadcon(2).Qrow = 1:2;'
    'sos', 'model.sos(1).weight = 1:3; model.sos(2).index = 3:-1:2;'
    'indicator', 'model.genconind(1).a = eye(1, 2);'
    'indicator', 'model.genconind = model.genconind(:);'
    'sdp', 'model.psdcon = model.psdcon(:); model.psdcon(2).linearterm = -1;'
    'sdp', 'model.psdcon(1).psdmats = {logical(speye(3))};'
  };
  expect_alike(cases);
end

function unset_fields_of_elements_are_missing
  % Octave gives a field never set in one element of a struct array as [];
  % it reads as a missing value (the default '<' here, where a missing
  % indicator sense also warns). The new elements bind.
  cases = {
    'qcp', 'model.quadcon(3).Qc = speye(2); model.quadcon(3).rhs = 5;', [1; 2], 5
    'indicator', ['model.genconind(3).binvar = 2; model.genconind(3).a = [1 0]; ' ...
                  'model.genconind(3).rhs = 30; model.genconind(3).binval = 1;'], ...
      [30; 1], 30
  };
  output = expect_alike(cases);
  assert(! isempty(strfind(output, 'genconind.sense 3. It is empty!')), output);
end

function output = expect_alike(cases)
  % Runs each case, its warnings in output, and checks its optimum: the
  % class's, or the one the case gives.
  models = class_models();
  output = '';
  for k = 1:rows(cases)
    [~, model, x, objval] = models{strcmp(models(:, 1), cases{k, 1}), :};
    if columns(cases) > 2
      [x, objval] = cases{k, 3:4};
    end
    eval(cases{k, 2});
    output = [output, evalc('r = korva_mex(model, quiet_params());')];
    expect_optimum(r, x, objval, cases{k, 2});
  end
end
