% A semidefinite program: the smallest eigenvalue of a symmetric matrix C,
% and an ordinary variable bound to the matrix variable.
%
%   minimise   <C, X> + t
%   subject to trace(X) = 1
%              0.5 <= X(1,1) - t <= 2
%              X positive semidefinite, t >= 0
%
% <C, X> is sum over i, j of C(i,j) X(i,j). Without t, the optimum is the
% smallest eigenvalue of C, reached at X = v v' for its unit eigenvector v.

C = sparse([2 1 0; 1 3 1; 0 1 4]);
model.obj = 1;                % t
model.lb = 0;
model.A = sparse(1, 1);       % no ordinary linear rows
model.rhs = 1e20;
model.lhsorsense = '<';

% Each matrix variable brings its objective matrix, sparse and symmetric;
% its size is the variable's size.
model.psdvar(1).obj = C;
model.psdvar(1).name = 'X';

% A constraint sums matrix terms (one cell per matrix variable listed in
% "indices") and a linear part over the ordinary variables. A character in
% "lhsorsense" gives the sense; a number makes the constraint ranged, from
% that number up to "rhs".
model.psdcon(1).psdmats = {speye(3)};
model.psdcon(1).indices = 1;
model.psdcon(1).rhs = 1;
model.psdcon(1).lhsorsense = '=';
model.psdcon(2).psdmats = {sparse(1, 1, 1, 3, 3)};
model.psdcon(2).indices = 1;
model.psdcon(2).linearterm = sparse(-1);
model.psdcon(2).rhs = 2;
model.psdcon(2).lhsorsense = 0.5;

result = korva_mex(model);

printf('Status: %s\n', result.Status);
printf('Objective: %.8f\n', result.ObjVal);
printf('t = %.8f\n', result.X);
disp('X =');
disp(full(result.PsdX{1}));
printf('Smallest eigenvalue of C: %.8f\n', min(eig(full(C))));
