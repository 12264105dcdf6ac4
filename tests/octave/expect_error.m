function expect_error(call, message, identifier)
  % Runs call (a function handle) and fails unless it raises an error with
  % exactly this message and, when given, this identifier.
  try
    call();
  catch err
    if ! strcmp(err.message, message)
      error('expected error "%s", got "%s"', message, err.message);
    end
    if nargin > 2 && ! strcmp(err.identifier, identifier)
      error('expected identifier "%s" for "%s", got "%s"', identifier, ...
            message, err.identifier);
    end
    return;
  end
  error('expected error "%s", but the call succeeded', message);
end
