function model = long_models(kind)
  % Models whose solve runs far longer than the interrupt tests wait:
  %   'milp'   a market split instance
  %   'before' the same with a million names, so that reading the model
  %            alone takes over a second before the solve starts
  %   'sdp'    the semidefinite relaxation of max-cut on a dense graph
  switch kind
    case 'milp'
      model = market_split(4, 30);
    case 'before'
      % Only the first names belong to columns; reading them all is what
      % takes the time, the solver never sees the rest.
      model = market_split(4, 30);
      model.varnames = repmat({'x'}, 1, 1e6);
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
