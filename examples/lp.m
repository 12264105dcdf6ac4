% A linear program: a small production plan.
%
% Two products use three resources. Product 1 earns 3 per unit, product 2
% earns 5; how much of each should be made?
%
%   maximise   3 x1 + 5 x2
%   subject to   x1          <= 4    (machine A hours)
%                     2 x2   <= 12   (machine B hours)
%              3 x1 + 2 x2   <= 18   (labour)
%              x1, x2 >= 0

% The constraint matrix is always sparse: one row per constraint, one
% column per variable.
model.A = sparse([1 0; 0 2; 3 2]);
model.obj = [3 5];            % one objective coefficient per variable
model.rhs = [4 12 18];        % right-hand side of each row
model.lhsorsense = '<';       % one sense for all rows: '<', '>' or '='
model.modelsense = 'max';     % minimise unless this is 'max'
model.varnames = {'x1', 'x2'};

% Lower bounds default to 0 and upper bounds to 1e20, which stands for
% "no bound"; set model.lb and model.ub to change them.

result = korva_mex(model);

printf('Status: %s\n', result.Status);
printf('Profit: %g\n', result.ObjVal);
printf('Make x1 = %g, x2 = %g\n', result.X);
printf('Reduced costs: %s\n', mat2str(result.RC', 4));
