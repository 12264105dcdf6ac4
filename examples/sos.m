% A special ordered set: renting storage from one provider only.
%
% Three providers rent out blocks of 10, 20 and 30 units of space for 25,
% 40 and 70; any fraction of a block can be rented at that fraction of its
% price. 25 units are needed, and the contract allows one provider only:
% at most one of the three fractions may be nonzero, which is what a set
% of type 1 (SOS1) says.
%
%   minimise   25 s + 40 m + 70 l
%   subject to 10 s + 20 m + 30 l >= 25
%              s, m, l in [0, 1], at most one of them nonzero

model.A = sparse([10 20 30]);
model.obj = [25 40 70];
model.rhs = 25;
model.lhsorsense = '>';
model.ub = [1 1 1];

% Without the set, the cheapest plan mixes two providers.
mixed = korva_mex(model, struct('OutputFlag', 0));

% Each element of model.sos is one set: its type (1 or 2), the 1-based
% indices of its members, and one weight per member that orders them (in a
% set of type 2, two members may be nonzero if they are next to each other
% in that order).
model.sos(1).type = 1;
model.sos(1).index = [1 2 3];
model.sos(1).weight = [1 2 3];

result = korva_mex(model);

printf('Status: %s\n', result.Status);
printf('Cost with one provider: %g, fractions %s\n', result.ObjVal, ...
       mat2str(result.X', 4));
printf('Cost if providers could be mixed: %g, fractions %s\n', ...
       mixed.ObjVal, mat2str(mixed.X', 4));
