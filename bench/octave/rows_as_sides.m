% [lower, upper] = rows_as_sides(model)
% Row sides of a model structure, with +-Inf for absent sides, whether the
% rows were given by senses or by a numeric "lhsorsense".
function [lower, upper] = rows_as_sides(model)
  rhs = model.rhs(:);
  if ischar(model.lhsorsense)
    sense = model.lhsorsense(:);
    lower = -Inf(size(rhs));
    upper = Inf(size(rhs));
    lower(sense == '>' | sense == '=') = rhs(sense == '>' | sense == '=');
    upper(sense == '<' | sense == '=') = rhs(sense == '<' | sense == '=');
  else
    lower = model.lhsorsense(:);
    upper = rhs;
  end
  lower(lower <= -1e20) = -Inf;
  upper(upper >= 1e20) = Inf;
end
