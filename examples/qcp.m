% Quadratic constraints, with continuous and then integer variables.
%
%   maximise   x + 2y
%   subject to x^2 + y^2 <= 6        (a disc)
%              x - y    >= -2
%
% A quadratic constraint is x'Qc x + q'x (sense) rhs, Qc sparse and square,
% its terms taken as given. It must describe a convex set: Qc positive
% semidefinite with '<', negative semidefinite with '>'. A non-convex model
% fails with error code 10.

model.obj = [1 2];
model.modelsense = 'max';
model.lb = [-1e20 -1e20];
model.A = sparse([1 -1]);
model.rhs = -2;
model.lhsorsense = '>';
model.quadcon(1).Qc = speye(2);
model.quadcon(1).q = [0 0];
model.quadcon(1).rhs = 6;
model.quadcon(1).name = 'disc';

result = korva_mex(model);
printf('Status: %s\n', result.Status);
printf('Continuous optimum %.6f at (%.6f, %.6f)\n', result.ObjVal, result.X);

% The same with integer variables: the best lattice point in the disc.
model.vtype = 'II';
result = korva_mex(model);
printf('Status: %s\n', result.Status);
printf('Integer optimum %g at (%g, %g)\n', result.ObjVal, result.X);
