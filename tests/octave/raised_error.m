function err = raised_error(call)
  % The error that call (a function handle) raises; fails if it returns.
  try
    call();
  catch err
    return;
  end
  error('the call succeeded');
end
