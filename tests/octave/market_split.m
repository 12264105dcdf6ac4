function model = market_split(rows, items)
  % A 0-1 model whose optimum takes Cbc minutes to prove, but which has
  % points at once: each equality row gets two slack columns, and the total
  % slack is minimised.
  [J, I] = meshgrid(1:items, 1:rows);
  weights = mod(I .* J * 37 + J .^ 2 * 11 + 7 * I, 100);
  model.A = sparse([weights, eye(rows), -eye(rows)]);
  model.obj = [zeros(1, items), ones(1, 2 * rows)];
  model.rhs = floor(sum(weights, 2) / 2)';
  model.lhsorsense = '=';
  model.ub = [ones(1, items), 1e20 * ones(1, 2 * rows)];
  model.vtype = [repmat('B', 1, items), repmat('C', 1, 2 * rows)];
end
