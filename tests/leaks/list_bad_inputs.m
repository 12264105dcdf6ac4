function list_bad_inputs()
  % Prints the bad-input catalogue as Markdown table rows: field, what is
  % wrong, what the user gets.
  cases = bad_input_cases();
  for k = 1:numel(cases)
    c = cases(k);
    printf('| %s | %s | %s |\n', c.field, c.what, ...
           strrep(run_bad_input(c), '|', '\|'));
  end
end
