% Solves every example model and prints its result, with the solver's log
% as it runs. From the repository root: make demo.
here = fileparts(mfilename('fullpath'));
if ! exist('korva_mex')
  addpath(fullfile(here, '..', 'build', 'mex'));
end
addpath(here);

examples = {'lp', 'milp', 'convex_qp', 'sos', 'indicator', 'sdp', 'qcp'};
for k = 1:numel(examples)
  printf('\n===== %s.m =====\n', examples{k});
  clear model params result;
  eval(examples{k});
end
