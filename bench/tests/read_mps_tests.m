% read_mps on small files written here: fixed and free layout, gzip,
% ranges, bounds, integer markers, the objective constant, entries listed
% out of row order; then the model solved, so that the reader and the
% solver read ranges, bounds and the constant alike.
function read_mps_tests()
  confirm_recursive_rmdir(false);
  folder = tempname();
  mkdir(folder);
  cleanup = onCleanup(@() rmdir(folder, 's'));

  ranged = {fixed_layout(true), free_layout(true)};
  for k = 1:numel(ranged)
    model = read_mps(write_file(folder, sprintf('ranged%d.mps', k), ranged{k}));
    check_common(model);
    assert(model.lhsorsense(:).', [-1e20, 1, 7, -1]);
    assert(model.rhs(:).', [4, 1e20, 7, 2]);
  end

  plain = write_file(folder, 'senses.mps', fixed_layout(false));
  model = read_mps(plain);
  check_common(model);
  assert(model.lhsorsense, '<>=<');
  assert(model.rhs(:).', [4, 1, 7, 2]);

  gzip(plain);
  assert(isequal(read_mps([plain '.gz']), model));

  expect_error(@() read_mps(fullfile(folder, 'absent.mps')), 'read_mps:file');
  expect_error(@() read_mps(1), 'read_mps:usage');

  % x3 = 7 + x2 and -1 <= x3 <= 2 leave x2 in [-8, -5]; the objective is
  % then x1 + x2 - 2 with x1 >= 1: optimum -9 at (1, -8, -1).
  result = korva_mex(read_mps(fullfile(folder, 'ranged1.mps')), ...
                     struct('OutputFlag', 0));
  assert(result.Status, 'OPTIMAL');
  assert(result.ObjVal, -9, 1e-9);
  assert(result.X(:).', [1, -8, -1], 1e-9);
end

% What both layouts and both row forms share.
function check_common(model)
  assert(full(model.A), [1 1 3; 1 0 0; 0 -1 1; 0 0 1]);
  [rows, cols] = find(model.A);
  assert(issorted(cols + rows / 10), 'rows must ascend within each column');
  assert(model.obj(:).', [1, 2, -1]);
  assert(model.objcon, 5);
  assert(model.lb(:).', [0, -1e20, -1e20]);
  assert(model.ub(:).', [4, 1, 1e20]);
  assert(model.vtype, 'ICC');
  assert(model.varnames(:).', {'X1', 'X2', 'X3'});
  assert(model.constrnames(:).', {'LIM1', 'LIM2', 'MYEQN', 'RNG'});
end

function text = fixed_layout(withRange)
  text = {
    'NAME          TINY'
    'ROWS'
    ' N  COST'
    ' L  LIM1'
    ' G  LIM2'
    ' E  MYEQN'
    ' L  RNG'
    'COLUMNS'
    '    MARKER                 ''MARKER''                 ''INTORG'''
    '    X1        COST               1.0   LIM1               1.0'
    '    X1        LIM2               1.0'
    '    MARKER                 ''MARKER''                 ''INTEND'''
    '    X2        COST               2.0   LIM1               1.0'
    '    X2        MYEQN             -1.0'
    '    X3        COST              -1.0   RNG                1.0'
    '    X3        LIM1               3.0   MYEQN              1.0'
    'RHS'
    '    RHS       COST              -5.0'
    '    RHS       LIM1               4.0   LIM2               1.0'
    '    RHS       MYEQN              7.0   RNG                2.0'};
  if withRange
    text(end + 1:end + 2) = {'RANGES'; '    RNG       RNG                3.0'};
  end
  text(end + 1:end + 6) = {
    'BOUNDS'
    ' UP BND       X1                 4.0'
    ' MI BND       X2'
    ' UP BND       X2                 1.0'
    ' FR BND       X3'
    'ENDATA'};
end

% The same model with fields separated by single blanks, as free MPS
% allows.
function text = free_layout(withRange)
  text = regexprep(fixed_layout(withRange), '(\S) +', '$1 ');
end

function file = write_file(folder, name, lines)
  file = fullfile(folder, name);
  out = fopen(file, 'w');
  fprintf(out, '%s\n', lines{:});
  fclose(out);
end

function expect_error(action, identifier)
  try
    action();
  catch failure
    assert(failure.identifier, identifier);
    return;
  end
  error('expected the error %s', identifier);
end
