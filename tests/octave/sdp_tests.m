% Semidefinite models through korva_mex: a tiny eigenvalue problem checked
% entry by entry, ordinary variables with a ranged psd constraint, and
% SDPLIB instances against their published optima.
function sdp_tests()
  here = fileparts(mfilename('fullpath'));
  addpath(fullfile(here, '..', '..', 'bench', 'readers'));
  params.OutputFlag = 0;
  smallestEigenvalue(params);
  rangedWithOrdinaryVariables(params);
  sdplibInstances(params);
end

function smallestEigenvalue(params)
  % min <C, X> s.t. trace X = 1, X psd: the smallest eigenvalue of C, at
  % X = v v' for its unit eigenvector v.
  C = sparse([4 1 0; 1 3 -1; 0 -1 5]);
  model.obj = zeros(1, 0);
  model.A = sparse(0, 0);
  model.rhs = zeros(1, 0);
  model.psdvar(1).obj = C;
  model.psdcon(1).psdmats = {speye(3)};
  model.psdcon(1).indices = 1;
  model.psdcon(1).rhs = 1;
  model.psdcon(1).lhsorsense = '=';
  r = korva_mex(model, params);
  [V, D] = eig(full(C));
  [lambda, k] = min(diag(D));
  expectNear(r.ObjVal, lambda, 1e-7, 'eigenvalue');
  X = V(:, k) * V(:, k).';
  assert(isequal(size(r.PsdX), [1 1]) && issparse(r.PsdX{1}));
  for i = 1:3
    for j = 1:3
      expectNear(full(r.PsdX{1}(i, j)), X(i, j), 1e-6, ...
                 sprintf('PsdX(%d, %d)', i, j));
    end
  end
end

function rangedWithOrdinaryVariables(params)
  % t free, y in [0, 5], y + t <= 4; X 2x2 with X(2,2) = 1, X(1,2) = 1 and
  % -1 <= X(1,1) - t <= 0, so t >= X(1,1) >= 1: min t - y = -2 at t = 1.
  model.obj = [1 -1];
  model.lb = [-1e20 0];
  model.ub = [1e20 5];
  model.A = sparse([1 1]);
  model.rhs = 4;
  model.lhsorsense = '<';
  model.psdvar(1).obj = sparse(2, 2);
  model.psdcon(1) = psdRow(sparse(2, 2, 1), [], 1, '=');
  model.psdcon(2) = psdRow(sparse([0 0.5; 0.5 0]), [], 1, '=');
  model.psdcon(3) = psdRow(sparse(1, 1, 1, 2, 2), sparse([-1 0]), 0, -1);
  r = korva_mex(model, params);
  assert(strcmp(r.Status, 'OPTIMAL'), r.Status);
  expectNear(r.ObjVal, -2, 1e-6, 'objective');
  expectNear(r.X(1), 1, 1e-6, 't');
  expectNear(r.X(2), 3, 1e-6, 'y');
  expectNear(full(r.PsdX{1}), ones(2), 1e-5, 'X');
end

function row = psdRow(matrix, linear, rhs, lhsorsense)
  row.psdmats = {matrix};
  row.indices = 1;
  row.linearterm = linear;
  row.rhs = rhs;
  row.lhsorsense = lhsorsense;
end

function sdplibInstances(params)
  dataDir = getenv('KORVA_DATA_DIR');
  if isempty(dataDir)
    % The shared data sets sit beside the repository.
    here = fileparts(mfilename('fullpath'));
    dataDir = fullfile(here, '..', '..', '..', 'shared', 'data');
    if ! exist(dataDir, 'dir')
      dataDir = '/work/shared/data';
    end
  end
  folder = fullfile(dataDir, 'sdplib');
  [optima, units] = publishedOptima(fullfile(folder, 'README.md'));
  names = {'control1', 'hinf1', 'theta1', 'truss1', 'truss4', 'mcp100', ...
           'gpp100', 'qap5'};
  for k = 1:numel(names)
    model = read_sdpa(fullfile(folder, [names{k} '.dat-s']));
    start = tic;
    r = korva_mex(model, params);
    seconds = toc(start);
    assert(strcmp(r.Status, 'OPTIMAL'), '%s: %s', names{k}, r.Status);
    best = optima(names{k});
    % The published values carry 4 to 7 digits, some cut rather than
    % rounded (gpp100: -44.94355 is printed -4.49435e+01), so a unit in
    % the last one is as close as they can say.
    tolerance = max(1e-6 * abs(best), units(names{k}));
    printf('%-9s %+.9e  published %+.7e  relative %.1e  %.2f s\n', ...
           names{k}, r.ObjVal, best, abs(r.ObjVal - best) / abs(best), ...
           seconds);
    expectNear(r.ObjVal, best, tolerance, names{k});
  end
end

% Optimal values of the README table, with the unit of their last digit.
function [optima, units] = publishedOptima(readme)
  optima = containers.Map();
  units = containers.Map();
  lines = strsplit(fileread(readme), "\n");
  for k = 1:numel(lines)
    cells = strtrim(strsplit(lines{k}, '|'));
    if numel(cells) < 5
      continue;
    end
    value = str2double(cells{5});
    if isnan(value)
      continue;
    end
    mantissa = regexp(cells{5}, '^[-+]?\d*\.?(\d*)[eE]([-+]?\d+)', 'tokens');
    optima(cells{2}) = value;
    units(cells{2}) = 10 ^ (str2double(mantissa{1}{2}) - ...
                            numel(mantissa{1}{1}));
  end
end

function expectNear(actual, expected, tolerance, what)
  if any(abs(actual(:) - expected(:)) > tolerance)
    error('%s: got %s, expected %s (tolerance %g)', what, ...
          mat2str(actual, 10), mat2str(expected, 10), tolerance);
  end
end
