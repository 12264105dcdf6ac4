function run_cases(cases)
  % Runs each test case (a handle to a function without arguments) and
  % names it once it has passed; the first failure ends the run.
  for k = 1:numel(cases)
    cases{k}();
    printf('ok %s\n', func2str(cases{k}));
  end
end
