% model = read_sdpa(path)
% Reads an SDPA sparse file (.dat-s) into a korva_mex model. The file's
% problem  max F0 . Y  s.t.  Fi . Y = c_i,  Y psd and block diagonal,
% becomes one psd variable per matrix block and one nonnegative ordinary
% variable per entry of the diagonal blocks, so the model's optimum is the
% file's optimal value (which its primal min c'y reaches too).
function model = read_sdpa(path)
  text = fileread(path);
  lines = strsplit(text, {"\r\n", "\n"});
  % Comment lines come first; punctuation {},() may separate numbers.
  keep = ~cellfun(@(s) isempty(strtrim(s)) || any(s(1) == '"*'), lines);
  body = regexprep(strjoin(lines(keep), ' '), '[{},()]', ' ');
  numbers = sscanf(body, '%f');
  m = numbers(1);
  numBlocks = numbers(2);
  sizes = numbers(3:2 + numBlocks);
  c = numbers(3 + numBlocks:2 + numBlocks + m);
  entries = reshape(numbers(3 + numBlocks + m:end), 5, []).';

  % Ordinary variables: the diagonal blocks' entries, numbered in order.
  diagonal = sizes < 0;
  diagonalStart = cumsum([0; abs(sizes(:)) .* diagonal(:)]);
  numScalars = diagonalStart(end);
  psdOf = cumsum(~diagonal);  % psd variable number of each matrix block

  matno = entries(:, 1);
  block = entries(:, 2);
  row = min(entries(:, 3), entries(:, 4));
  col = max(entries(:, 3), entries(:, 4));
  value = entries(:, 5);

  isScalar = diagonal(block);
  scalar = diagonalStart(block(isScalar)) + row(isScalar);
  model.obj = full(sparse(scalar(matno(isScalar) == 0), 1, ...
                          value(isScalar & matno == 0), numScalars, 1)).';
  model.lb = zeros(1, numScalars);
  model.A = sparse(m, numScalars);
  model.rhs = c(:).';
  model.modelsense = 'max';

  blocks = find(~diagonal);
  psdvar = struct('obj', cell(1, numel(blocks)));
  for k = 1:numel(blocks)
    psdvar(k).obj = blockMatrix(0, blocks(k));
  end
  psdcon = struct('psdmats', cell(1, m), 'indices', [], 'linearterm', [], ...
                  'rhs', [], 'lhsorsense', []);
  for i = 1:m
    mats = {};
    indices = [];
    for k = 1:numel(blocks)
      if any(matno == i & block == blocks(k))
        mats{end + 1} = blockMatrix(i, blocks(k));
        indices(end + 1) = k;
      end
    end
    here = isScalar & matno == i;
    linear = sparse(1, diagonalStart(block(here)) + row(here), value(here), ...
                    1, numScalars);
    psdcon(i).psdmats = mats;
    psdcon(i).indices = indices;
    psdcon(i).linearterm = linear;
    psdcon(i).rhs = c(i);
    psdcon(i).lhsorsense = '=';
  end
  model.psdvar = psdvar;
  model.psdcon = psdcon;

  % The symmetric matrix of one block of F_i, from its upper triangle.
  function a = blockMatrix(i, b)
    here = matno == i & block == b;
    n = sizes(b);
    upper = sparse(row(here), col(here), value(here), n, n);
    a = upper + triu(upper, 1).';
  end
end
