% An indicator constraint: a machine that must be switched on to produce.
%
% Production x earns 2 per unit, up to 40 units. Producing anything needs
% the machine switched on (z = 1), which costs 30.
%
%   maximise   2 x - 30 z
%   subject to z = 0  implies  x <= 0
%              x in [0, 40], z binary

model.obj = [2 -30];
model.modelsense = 'max';
model.ub = [40 1];
model.vtype = 'CB';

% Each element of model.genconind is one indicator constraint: the binary
% variable (1-based index) and the value of it that switches the linear
% constraint a * x (sense) rhs on. The variables in the constraint need
% finite bounds.
model.genconind(1).binvar = 2;
model.genconind(1).binval = 0;
model.genconind(1).a = [1 0];
model.genconind(1).sense = '<';
model.genconind(1).rhs = 0;

result = korva_mex(model);

printf('Status: %s\n', result.Status);
printf('Profit: %g\n', result.ObjVal);
printf('Produce %g units, machine on: %d\n', result.X(1), round(result.X(2)));
