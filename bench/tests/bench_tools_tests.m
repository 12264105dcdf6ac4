% The Octave side of the benchmarks: the peers must solve the same problem
% korva_mex solves, and the reference values must be read from the
% catalogues' real layouts.
function bench_tools_tests()
  check_rows_as_sides();
  check_peers_solve_the_same_problem();
  check_reference_optima();
end

function check_rows_as_sides()
  cases = {
    '<>=',              [4; 1; 7],      [-Inf; 1; 7],   [4; Inf; 7];
    [-1e20; 1; -1],     [4; 1e20; 2],   [-Inf; 1; -1],  [4; Inf; 2]};
  for k = 1:rows(cases)
    model = struct('lhsorsense', cases{k, 1}, 'rhs', cases{k, 2});
    [lower, upper] = rows_as_sides(model);
    assert(lower, cases{k, 3});
    assert(upper, cases{k, 4});
  end
end

% min x1 + 2 x2 - x3 + 5 over x1 + x2 + 3 x3 <= 4, x1 >= 1, -x2 + x3 = 7,
% -1 <= x3 <= 2 (a ranged row), x1 in [0, 4], x2 <= 1, x3 free: optimum
% -9 at (1, -8, -1), with x1 integer or not.
function check_peers_solve_the_same_problem()
  model = struct('A', sparse([1 1 3; 1 0 0; 0 -1 1; 0 0 1]), ...
                 'obj', [1; 2; -1], 'objcon', 5, ...
                 'lhsorsense', [-1e20; 1; 7; -1], 'rhs', [4; 1e20; 7; 2], ...
                 'lb', [0; -1e20; -1e20], 'ub', [4; 1; 1e20], 'vtype', 'ICC');
  [status, objective] = solve_glpk(model, 10);
  assert(status, 'optimal');
  assert(objective, -9, 1e-9);
  [status, objective] = solve_korva(model, 10);
  assert(status, 'optimal');
  assert(objective, -9, 1e-9);

  quadratic = quadratic_from_linear(model);
  [status, mine] = solve_korva(quadratic, 10);
  assert(status, 'optimal');
  [status, theirs] = solve_qp(quadratic, 10);
  assert(status, 'optimal');
  assert(theirs, mine, 1e-6 * max(1, abs(mine)));
  % The quadratic term must count: the LP's optimum is no longer optimal.
  assert(mine > -9 + 0.01);
end

function check_reference_optima()
  confirm_recursive_rmdir(false);
  folder = tempname();
  cleanup = onCleanup(@() rmdir(folder, 's'));
  write_file(folder, {'netlib', 'optima.txt'}, {
    '# Optimal objective values (minimisation).'
    '# name         optimum'
    'afiro        -4.6475314286E+02'
    'e226         -1.1638929066E+01'});
  write_file(folder, {'miplib3', 'miplib3.cat'}, {
    'INDEX - PART A : STATISTICS'
    '      NAME    ROWS    COLS     INT     0/1    CONT         INT SOLN          LP SOLN '
    '      ====    ====    ====     ===     ===    ====         ========          ======='
    '   arki001    1048    1388     538     415     850     7580813.0459    7579599.80787'
    '                                                          (not opt)'
    '     p0033      16      33      33     ALL       0             3089           2520.57'
    'INDEX - PART B : ORIGINS'
    '     p0033      16      33      33     ALL       0             9999           2520.57'});
  write_file(folder, {'sdplib', 'README.md'}, {
    '| Problem   |    m |    n | Optimal Objective Value | Notes |'
    '| --------- | ---: | ---: | ----------------------: | :---: |'
    '| arch0     |  174 |  335 |  5.66517e-01            |     1 |'
    '| qap5      |  136 |   26 | -4.360e+02              |     9 |'});
  cases = {
    'netlib',  {'afiro', 'e226'},    [-464.75314286, -11.638929066];
    'miplib3', {'arki001', 'p0033'}, [7580813.0459, 3089];
    'sdplib',  {'arch0', 'qap5'},    [0.566517, -436]};
  for k = 1:rows(cases)
    optima = reference_optima(folder, cases{k, 1});
    assert(sort(keys(optima)), sort(cases{k, 2}));
    assert(cellfun(@(name) optima(name), cases{k, 2}), cases{k, 3});
  end
end

function write_file(folder, parts, lines)
  mkdir(fullfile(folder, parts{1}));
  out = fopen(fullfile(folder, parts{:}), 'w');
  fprintf(out, '%s\n', lines{:});
  fclose(out);
end
