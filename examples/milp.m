% A mixed-integer program: packing a knapsack.
%
% Four items of weight 5, 7, 4 and 3 and value 8, 11, 6 and 4 compete for a
% knapsack that holds 14. Each item is taken whole or not at all.
%
%   maximise   8 y1 + 11 y2 + 6 y3 + 4 y4
%   subject to 5 y1 +  7 y2 + 4 y3 + 3 y4 <= 14
%              y binary

model.A = sparse([5 7 4 3]);
model.obj = [8 11 6 4];
model.rhs = 14;
model.modelsense = 'max';
% One type character per variable: 'C' continuous, 'B' binary, 'I' integer.
model.vtype = 'BBBB';

% A second argument sets solver parameters by name; "/" in a name is
% written "_" (MIP/GapRel becomes MIP_GapRel).
params.MIP_GapRel = 0;
params.MaxTime = 60;

result = korva_mex(model, params);

printf('Status: %s\n', result.Status);
printf('Value packed: %g\n', result.ObjVal);
printf('Items taken: %s\n', mat2str(find(round(result.X))'));
printf('Absolute and relative MIP gap: %g, %g\n', result.MIP_GapAbs, ...
       result.MIP_GapRel);
