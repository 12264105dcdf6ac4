function model = long_models(kind)
  % Models whose solve runs far longer than the interrupt tests wait:
  %   'milp'   a market split instance (binary columns, equality rows)
  %   'before' the same with a million names, so that reading the model
  %            alone takes over a second before the solve starts
  %   'sdp'    the semidefinite relaxation of max-cut on a dense graph
  switch kind
    case {'milp', 'before'}
      % A market split instance: equality rows with binary columns, as far
      % from feasible as the search can tell, minimising the total slack.
      rand('seed', 7);
      rows = 4; items = 10 * (rows - 1);
      a = floor(100 * rand(rows, items));
      d = floor(sum(a, 2) / 2);
      model.A = sparse([a, eye(rows), -eye(rows)]);
      model.rhs = d';
      model.lhsorsense = repmat('=', 1, rows);
      model.obj = [zeros(1, items), ones(1, 2 * rows)];
      model.vtype = [repmat('B', 1, items), repmat('C', 1, 2 * rows)];
      model.lb = zeros(1, items + 2 * rows);
      model.ub = [ones(1, items), 1e20 * ones(1, 2 * rows)];
      if strcmp(kind, 'before')
        % Only the first names belong to columns; reading them all is what
        % takes the time, the solver never sees the rest.
        model.varnames = repmat({'x'}, 1, 1e6);
      end
    case 'sdp'
      rand('seed', 11);
      n = 500;
      W = triu(rand(n) < 0.5, 1);
      L = diag(sum(W + W', 2)) - (W + W');
      model.obj = 0;
      model.lb = 0; model.ub = 0;
      model.psdvar = struct('obj', sparse(-L / 4));
      cons = cell(1, n);
      for i = 1:n
        cons{i} = sparse(i, i, 1, n, n);
      end
      model.psdcon = struct('psdmats', cellfun(@(c) {c}, cons, ...
                                               'UniformOutput', false), ...
                            'indices', 1, 'rhs', 1, 'lhsorsense', '=');
  end
end
