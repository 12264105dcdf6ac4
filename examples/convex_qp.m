% A convex quadratic program: the point of a line closest to another point.
%
%   minimise   (x - 1)^2 + (y - 2)^2
%   subject to x + y <= 2
%
% Expanded, the objective is x^2 + y^2 - 2x - 4y + 5.

% The quadratic part of the objective is sum over i, j of Q(i,j) x_i x_j,
% taken as given: an off-diagonal term may be written in either triangle or
% split between both. Q must be sparse and square.
model.Q = sparse([1 0; 0 1]);
model.obj = [-2 -4];
model.objcon = 5;             % constant term of the objective
model.A = sparse([1 1]);
model.rhs = 2;
% Variables may be negative here.
model.lb = [-1e20 -1e20];

result = korva_mex(model);

printf('Status: %s\n', result.Status);
printf('Closest point: (%g, %g)\n', result.X);
printf('Squared distance: %g\n', result.ObjVal);
