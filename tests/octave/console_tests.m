function console_tests(role)
  % The solvers write nothing to standard output past the log relay: a
  % child octave-cli runs every solve inside evalc, which takes all that
  % the module relays, so the only line left on its standard output must
  % be the one it prints itself. console_tests('child') is the child.
  here = fileparts(mfilename('fullpath'));
  if nargin == 0
    command = sprintf(['"%s" --no-gui --norc --no-history --quiet ' ...
                       '--eval "addpath(''%s''); ' ...
                       'addpath(''%s''); console_tests(''child'')"'], ...
                      fullfile(OCTAVE_HOME, 'bin', 'octave-cli'), ...
                      fileparts(which('korva_mex')), here);
    [code, output] = system(command);
    assert(code == 0 && strcmp(output, "END\n"), ...
           'exit code %d; output past the log relay:\n%s', code, output);
    return;
  end
  examples = fullfile(here, '..', '..', 'examples', 'run_examples.m');
  captured = evalc(sprintf('run(''%s'');', examples));
  assert(! isempty(strfind(captured, 'Status OPTIMAL')), 'no log captured');
  models = class_models();
  for k = 1:rows(models)
    for method = [-1 0 1 2]
      evalc('korva_mex(models{k, 2}, struct(''Method'', method));');
    end
  end
  % A stopped search: with or without a point, depending on the machine.
  evalc('try korva_mex(market_split(3, 20), struct(''MaxTime'', 0.5)); end');
  printf('END\n');
end
