function value_zoo(seed, first, seconds)
  % Property test of the host boundary: each case changes one to three
  % fields, subfields or parameters of a class model to a value of any kind
  % an Octave user can write, or writes a valid value in another storage.
  % The call must end with a result struct or the module's own error, and
  % the next call must still solve right. Runs cases first, first+1, ...
  % for about `seconds`; value_zoo(seed, k, 0) replays case k, and
  % value_zoo(seed, k, 'show') prints it. Each line is flushed at once, so
  % that value_zoo.sh can tell which case a dead host died in.
  if ischar(seconds)
    [~, what] = make_case(seed, first);
    printf('ZOO   %s\n', what{:});
    return;
  end
  started = tic;
  k = first;
  do
    printf('ZOO START %d\n', k);
    fflush(stdout);
    [args, what] = make_case(seed, k);
    [kind, text] = run_case(args);
    if any(strcmp(kind, {'result', 'error'}))
      printf('ZOO PASS %d %s %s\n', k, kind, text);
    else
      printf('ZOO FAIL %d %s: %s\n', k, kind, text);
      printf('ZOO   %s\n', what{:});
    end
    fflush(stdout);
    k++;
  until toc(started) >= seconds
  printf('ZOO END\n');
end

function [kind, text] = run_case(args)
  [kind, text] = deal('result', '');
  try
    if ! isfield(korva_mex(args{:}), 'Status')
      [kind, text] = deal('not a result', 'no Status field');
    end
  catch err
    text = sprintf('[%s] %s', err.identifier, err.message);
    % Octave's own mxMalloc raises "korva_mex: failed to allocate ...": a
    % reader made dense a value that no user means to be dense.
    own = strncmp(err.message, 'korva_mex: ', 11) && ...
          isempty(strfind(err.message, 'failed to allocate'));
    kind = merge(own, 'error', 'foreign error');
  end
  if any(strcmp(kind, {'result', 'error'}))
    try
      next_call_solves();
    catch err
      [kind, text] = deal('next call failed', err.message);
    end
  end
end

function [args, what] = make_case(seed, k)
  % rand alone drives the case (randi and randperm draw from it), so
  % (seed, k) fixes it.
  rand('state', [seed; k]);
  models = class_models();
  [name, model] = models{randi(rows(models)), 1:2};
  params = struct('OutputFlag', 0, 'MaxTime', 2);
  what = {['base ' name]};
  % Mostly one change, so that most calls get past the readers.
  for j = 1:pick({1, 1, 1, 2, 2, 3})
    [model, params, what{end + 1}] = mutate(model, params);
  end
  args = {model, params};
end

function [model, params, what] = mutate(model, params)
  % Changes a field, a subfield of one element (maybe one past the end,
  % which leaves the new element's other fields unset) or a parameter. The
  % known names are those the class models set (and genconind's 'lhs') and
  % the parameters the help lists.
  persistent fields subfields names;
  if isempty(fields)
    [fields, subfields] = deal({}, struct());
    for m = class_models()(:, 2)'
      fields = union(fields, fieldnames(m{1})');
      for f = fieldnames(m{1})'
        if isstruct(m{1}.(f{1}))
          subfields.(f{1}) = [fieldnames(m{1}.(f{1}))', {'foo', 'lhs'}];
        end
      end
    end
    text = evalc('help korva_mex');
    names = regexp(text(strfind(text, 'PARAMS'):strfind(text, 'RESULT')), ...
                   '\<[A-Z]\w+', 'match');
  end
  unknown = {'Obj', 'foo', 'a b', repmat('n', 1, 300)};
  where = rand;
  if where < 0.05
    [model, what] = change(model, 'model', pick(unknown), 1);
  elseif where < 0.45
    [model, what] = change(model, 'model', ...
                           pick(prefer(fieldnames(model), fields)), 1);
  elseif where < 0.8
    field = pick(prefer(intersect(fieldnames(model), fieldnames(subfields)), ...
                        fieldnames(subfields)));
    elements = struct([]);
    if isfield(model, field) && isstruct(model.(field))
      elements = model.(field);
    end
    e = randi(numel(elements) + 1);
    [model.(field), what] = change(elements, sprintf('model.%s(%d)', field, e), ...
                                   pick(prefer(fieldnames(elements), ...
                                               subfields.(field))), e);
  else
    [params, what] = change(params, 'params', ...
                            pick(prefer(fieldnames(params), [names, unknown])), 1);
  end
end

function names = prefer(set, all)
  % Fields already set, more often than not: their valid values can be
  % written in another storage.
  names = merge(! isempty(set) && rand < 0.6, set, all);
end

function [s, what] = change(s, label, field, e)
  % Removes field from s or gives s(e) a new value of it.
  label = [label '.' field];
  has = isfield(s, field) && e <= numel(s);
  how = rand;
  if has && how < 0.1
    s = rmfield(s, field);
    what = [label ' removed'];
    return;
  elseif has && how < 0.7
    v = restore(s(e).(field));
  else
    v = zoo(1);
  end
  if isempty(s)
    s = struct();
  elseif e > numel(s)
    s = reshape(s, 1, []);  % Octave grows no N-d array by one element
  end
  s(e).(field) = v;
  what = [label ' = ' describe(v)];
end

function v = restore(v)
  % The same value in another storage of its class. Octave refuses some (a
  % sparse char, say); the value then stays. So do huge values, which would
  % take the memory when made dense or diagonal.
  if numel(v) > 1000
    return;
  end
  try
    if rand < 0.5
      v = feval(pick({@transpose, @(x) merge(issparse(x), full(x), sparse(x)), ...
                      @(x) reshape(x, [1 1 numel(x)])}), v);
    elseif isnumeric(v) && isvector(v) && numel(v) > 1 && v(2) != v(1) ...
           && all(diff(v) == v(2) - v(1))
      v = v(1):v(2) - v(1):v(end);
    elseif ismatrix(v) && issquare(v) && isdiag(v)
      v = diag(full(diag(v)));
    end
  end
end

function v = zoo(depth)
  % One value of a random kind; only the chosen kind's maker runs. Sizes
  % stay tiny except for the sparse arrays with no entries, which only a
  % reader that densifies notices. Their 2^31 is in the rows: Octave keeps
  % a pointer per column, so sparse(1, 2^31) alone would take 16 GB.
  n = randi(4);
  x = numbers(randi([0 3]), randi([0 3]));
  ints = {'int8', 'uint8', 'int16', 'uint16', 'int32', 'uint32', 'int64', ...
          'uint64'};
  makers = {
    @() pick({1:n, n:-1:1, 0:0.5:2, 1:0, -1:1, (1:n)'})
    @() pick({eye(n), diag(numbers(1, n)), eye(1, 2), single(eye(2)), ...
              eye(2) * 1i})
    @() eye(n)(randperm(n), :)
    @() pick({x > 1, true, false, logical(zeros(0, 3))})
    @() cast(x, pick(ints))
    @() single(x)
    @() pick({x + 1i * numbers(rows(x), columns(x)), complex(x, 0 * x), ...
              complex(1, 0), 2i})
    @() pick({'abc', ['ab'; 'cd'], '', '<', '>', '=', '<=>', 'max', 'BCI', ...
              "dq", char([120 0 121]), "\xc3\xa9", repmat('n', 1, 300)})
    @() pick({@sin, @() 1})
    @() pick({sparse(x), sparse(x > 1), sparse(x + 1i), sparse(x(:)')})
    @() pick({sparse(65536, 32768), sparse(65536, 65536), ...
              sparse(2^31, 1), sparse(2^31, 2), sparse(46341, 46341)})
    @() pick({zeros(0, 3), zeros(3, 0), [], {}, struct([]), ...
              struct('a', cell(1, 0)), zeros(0, 0, 3), cell(2, 0)})
    @() pick({NaN, Inf, -Inf, 1e20, -1e20, 1e308, -5, 0, -0, 0.5, 2.5, ...
              2^31, 2^53 + 2, intmax('int64'), realmin})
    @() pick({ones(1, 1, 3), numbers(2, 2) + zeros(2, 2, 2)})
    @() find(x > 1)
    @() containers.Map()
    @() x
    @() x
    % Nested values, two levels deep at most.
    @() pick({{}, {zoo(depth + 1)}, {zoo(depth + 1), zoo(depth + 1)}, ...
              {'a', 'b', 'c'}, cell(1, 3)})
    @() struct_array(depth)
  };
  v = makers{randi(numel(makers) - 2 * (depth > 2))}();
end

function s = struct_array(depth)
  % Fields the readers know, and elements where some are unset.
  s = struct();
  for e = 1:randi([0 3])
    s(e).(pick({'Qc', 'rhs', 'index', 'type', 'obj', 'a', 'name', 'x'})) = ...
      zoo(depth + 1);
  end
end

function x = numbers(r, c)
  % Mostly small integers, so that a value read as indices often is one.
  pool = [0 1 1 2 2 3 3 -1 0.5 1.5 NaN Inf -Inf 1e20 -1e20 7 1e9];
  x = reshape(pool(randi(numel(pool), r, c)), r, c);
end

function v = pick(choices)
  v = choices{randi(numel(choices))};
end

function s = describe(v)
  % typeinfo names the storage (range, diagonal, lazy index, ...). No
  % regexprep: a char value need not be valid UTF-8.
  shown = [evalc('disp(v)') ' '];
  shown(isspace(shown) | shown < 32) = ' ';
  shown = strtrim(shown(shown != ' ' | [shown(2:end), 'x'] != ' '));
  s = sprintf('<%s %s> %s', typeinfo(v), mat2str(size(v)), ...
              shown(1:min(end, 160)));
end
