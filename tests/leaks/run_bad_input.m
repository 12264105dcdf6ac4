function outcome = run_bad_input(c)
  % Calls korva_mex with one case of bad_input_cases and describes what the
  % user gets: the error message, or the status of the result, and the last
  % warning shown on the way.
  lastwarn('');
  try
    if numel(c.args) == 0
      korva_mex();
    else
      r = korva_mex(c.args{:});
    end
    if isempty(fieldnames(r))
      outcome = 'result: empty struct';
    else
      outcome = ['result: ' r.Status];
    end
  catch err
    outcome = ['error: ' err.message];
  end
  if ! isempty(lastwarn())
    outcome = [outcome ' (warning: ' lastwarn() ')'];
  end
end
