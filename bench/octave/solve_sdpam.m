% [status, objective, seconds] = solve_sdpam(file, limit)
% Solves an SDPA sparse file with sdpam and reports the primal optimum
% min c'y. sdpam has no time limit; the caller's process limit stands in.
function [status, objective, seconds] = solve_sdpam(file, ~)
  addpath('/usr/share/sdpa/mex', '/usr/lib/sdpa/mex');
  [mDim, nBlock, blockStruct, c, F] = read_data(file);
  option = param();
  option.print = '';
  start = tic;
  [objVal, ~, ~, ~, info] = sdpam(mDim, nBlock, blockStruct, c, F, ...
                                  [], [], [], option);
  seconds = toc(start);
  objective = objVal(1);
  if strcmp(info.phasevalue, 'pdOPT')
    status = 'optimal';
  else
    status = sprintf('not optimal (%s)', info.phasevalue);
  end
end
