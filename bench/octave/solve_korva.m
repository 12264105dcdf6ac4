% [status, objective, seconds] = solve_korva(model, limit)
% Solves a model structure with korva_mex under a time limit in seconds.
% status is 'optimal', 'time limit' or the solver's status in lower case.
function [status, objective, seconds] = solve_korva(model, limit)
  params = struct('OutputFlag', 0, 'MaxTime', limit);
  start = tic;
  result = korva_mex(model, params);
  seconds = toc(start);
  objective = result.ObjVal;
  switch result.Status
    case 'OPTIMAL'
      status = 'optimal';
    case {'SUB_OPTIMAL', 'TIME_LIMIT'}
      status = 'time limit';
    otherwise
      status = lower(result.Status);
      if isempty(status)
        status = 'no status';
      end
  end
end
