function cases = bad_input_cases()
  % Every class of bad input, per model field and per parameter, as a list
  % of calls: each case holds the field it spoils, what is wrong, and the
  % call's arguments (args). Used by the leak session, which runs them all,
  % and by list_bad_inputs, which shows what the user gets for each.
  base = struct('A', sparse([1 1 0; 0 1 1]), 'obj', [1 1 1], ...
                'rhs', [4 5], 'lhsorsense', '<<', ...
                'lb', [0 0 0], 'ub', [10 10 10]);
  quiet = struct('LogToConsole', 0);
  cases = struct('field', {}, 'what', {}, 'args', {});

  function add(field, what, value)
    model = base;
    model.(field) = value;
    cases(end + 1) = struct('field', field, 'what', what, ...
                            'args', {{model, quiet}});
  end
  function addmodel(field, what, model)
    cases(end + 1) = struct('field', field, 'what', what, ...
                            'args', {{model, quiet}});
  end
  function addsub(field, what, element)
    % element: the fields of one element of a struct field
    model = base;
    model.(field) = element;
    cases(end + 1) = struct('field', field, 'what', what, ...
                            'args', {{model, quiet}});
  end
  function addparam(name, what, value)
    params = quiet;
    params.(name) = value;
    cases(end + 1) = struct('field', ['params.' name], 'what', what, ...
                            'args', {{base, params}});
  end
  function addcall(what, args)
    cases(end + 1) = struct('field', '(call)', 'what', what, 'args', {args});
  end

  wrong = {'text', 'char', {1}, 'cell', struct('x', 1), 'struct', ...
           true(1, 3), 'logical', int32([1 1 1]), 'int32', ...
           [1 1 1] + 2i, 'complex'};
  for f = {'obj', 'rhs', 'lb', 'ub', 'start', 'objcon', 'Q', 'A'}
    for k = 1:2:numel(wrong)
      add(f{1}, wrong{k + 1}, wrong{k});
    end
  end
  for f = {'vtype', 'modelsense', 'modelname', 'lhsorsense'}
    add(f{1}, 'double 5', 5);
    add(f{1}, 'cell', {'x'});
  end
  names = struct('varnames', 3, 'constrnames', 2);
  for f = {'varnames', 'constrnames'}
    add(f{1}, 'char instead of cell', 'x');
    add(f{1}, 'cell holding a number', {1, 'b', 'c'});
    add(f{1}, 'too few names', {'a'});
    add(f{1}, 'names of 300 characters', ...
        repmat({repmat('n', 1, 300)}, 1, names.(f{1})));
  end

  add('A', 'dense double', [1 1 0; 0 1 1]);
  add('A', 'more rows than rhs', sparse(ones(3, 3)));
  add('A', 'fewer columns than obj', sparse([1 1; 0 1]));
  add('A', 'NaN entry', sparse([NaN 1 0; 0 1 1]));
  add('A', 'Inf entry', sparse([Inf 1 0; 0 1 1]));
  add('A', 'sparse logical', sparse(logical([1 1 0; 0 1 1])));
  add('A', 'empty 0x0 sparse', sparse([]));
  add('obj', 'too short', [1 1]);
  add('obj', 'NaN', [NaN 1 1]);
  add('obj', 'Inf', [Inf 1 1]);
  add('obj', 'sparse', sparse([1 1 1]));
  add('rhs', 'too short', 4);
  add('rhs', 'NaN', [NaN 5]);
  add('rhs', '+1e30 on a "<" row (free row)', [1e30 5]);
  addmodel('rhs', '+1e30 on an "=" row', ...
           setfield(setfield(base, 'rhs', [1e30 5]), 'lhsorsense', '=<'));
  addmodel('rhs', '-1e30 on a "<" row', setfield(base, 'rhs', [-1e30 5]));
  add('lhsorsense', 'unknown sense', '<x');
  add('lhsorsense', 'too short', '<');
  add('lhsorsense', 'ranges of the wrong length', 1);
  add('lhsorsense', 'lower range above rhs', [10 10]);
  add('lb', 'too short', [0 0]);
  add('lb', 'NaN', [NaN 0 0]);
  add('lb', '+1e30', [1e30 0 0]);
  add('lb', 'above ub', [20 0 0]);
  add('ub', '-1e30', [-1e30 10 10]);
  add('ub', 'NaN', [NaN 10 10]);
  add('vtype', 'unknown type', 'CXC');
  add('vtype', 'too short', 'I');
  add('modelsense', 'unknown word', 'sideways');
  add('modelsense', '200 characters', repmat('m', 1, 200));
  add('modelname', '500 characters', repmat('m', 1, 500));
  add('objcon', 'vector', [1 2]);
  add('objcon', 'NaN', NaN);
  add('Q', 'dense', eye(3));
  add('Q', 'not square', sparse(ones(3, 2)));
  add('Q', 'wrong size', sparse(eye(2)));
  add('Q', 'NaN entry', sparse([NaN 0 0; 0 1 0; 0 0 1]));
  add('start', 'too short', [1 1]);
  add('start', 'NaN', [NaN 0 0]);
  add('colbasis', 'char', 'x');
  add('unknownfield', 'field the module does not know', 1);

  q = struct('Qrow', [1 2], 'Qcol', [1 2], 'Qval', [1 1], 'rhs', 4);
  addsub('quadcon', 'not a struct', 5);
  addsub('quadcon', 'empty struct array', q([]));
  addsub('quadcon', 'Qrow index 0', setfield(q, 'Qrow', [0 2]));
  addsub('quadcon', 'negative Qcol index', setfield(q, 'Qcol', [-1 2]));
  addsub('quadcon', 'index beyond the variables', setfield(q, 'Qrow', [9 2]));
  addsub('quadcon', 'index 1e10', setfield(q, 'Qrow', [1e10 2]));
  addsub('quadcon', 'NaN index', setfield(q, 'Qrow', [NaN 2]));
  addsub('quadcon', 'Qrow and Qval of different lengths', ...
         setfield(q, 'Qval', [1 1 1]));
  addsub('quadcon', 'Qval char', setfield(q, 'Qval', 'ab'));
  addsub('quadcon', 'Qc dense', rmfield(setfield(q, 'Qc', eye(3)), ...
                                         {'Qrow', 'Qcol', 'Qval'}));
  addsub('quadcon', 'Qc of the wrong size', ...
         rmfield(setfield(q, 'Qc', sparse(eye(2))), {'Qrow', 'Qcol', 'Qval'}));
  addsub('quadcon', 'q with 2 rows', setfield(q, 'q', sparse(ones(2, 3))));
  addsub('quadcon', 'rhs char', setfield(q, 'rhs', 'a'));
  addsub('quadcon', 'rhs vector', setfield(q, 'rhs', [1 2]));
  addsub('quadcon', 'unknown sense', setfield(q, 'lhsorsense', 'x'));
  addsub('quadcon', 'name a number', setfield(q, 'name', 7));
  addsub('quadcon', 'unknown subfield', setfield(q, 'Qx', 1));

  s = struct('type', 1, 'index', [1 2], 'weight', [1 2]);
  addsub('sos', 'not a struct', {1});
  addsub('sos', 'type 3', setfield(s, 'type', 3));
  addsub('sos', 'type char', setfield(s, 'type', 'a'));
  addsub('sos', 'index 0', setfield(s, 'index', [0 1]));
  addsub('sos', 'index beyond the variables', setfield(s, 'index', [1 9]));
  addsub('sos', 'weights of another length', setfield(s, 'weight', [1 2 3]));
  addsub('sos', 'index missing', rmfield(s, 'index'));

  g = struct('binvar', 1, 'binval', 1, 'a', sparse([0 1 1]), ...
             'sense', '<', 'rhs', 3);
  addsub('genconind', 'not a struct', 'g');
  addsub('genconind', 'binvar 0', setfield(g, 'binvar', 0));
  addsub('genconind', 'binvar beyond the variables', setfield(g, 'binvar', 9));
  addsub('genconind', 'binval 2', setfield(g, 'binval', 2));
  addsub('genconind', 'binvar a vector', setfield(g, 'binvar', [1 2]));
  addsub('genconind', 'a with 2 rows', setfield(g, 'a', sparse(ones(2, 3))));
  addsub('genconind', 'a char', setfield(g, 'a', 'abc'));
  addsub('genconind', 'unknown sense', setfield(g, 'sense', 'x'));
  addsub('genconind', 'rhs NaN', setfield(g, 'rhs', NaN));

  sym = sparse([2 1; 1 2]);
  v = struct('obj', sym);
  c = struct('psdmats', {{sym}}, 'indices', 1, 'rhs', 1, 'lhsorsense', '=');
  addsub('psdvar', 'not a struct', 1);
  addsub('psdvar', 'obj dense', setfield(v, 'obj', full(sym)));
  addsub('psdvar', 'obj not symmetric', setfield(v, 'obj', sparse([1 1; 0 1])));
  addsub('psdvar', 'obj not square', setfield(v, 'obj', sparse(ones(2, 3))));
  addsub('psdvar', 'obj char', setfield(v, 'obj', 'x'));
  model = base; model.psdvar = v;
  function addpsdcon(what, value)
    m = model;
    m.psdcon = value;
    cases(end + 1) = struct('field', 'psdcon', 'what', what, ...
                            'args', {{m, quiet}});
  end
  addpsdcon('not a struct', 1);
  addpsdcon('psdmats not a cell', setfield(c, 'psdmats', sym));
  addpsdcon('indices 0', setfield(c, 'indices', 0));
  addpsdcon('indices beyond the psd variables', setfield(c, 'indices', 5));
  addpsdcon('matrix of the wrong size', setfield(c, 'psdmats', {speye(3)}));
  addpsdcon('matrix not symmetric', ...
            setfield(c, 'psdmats', {sparse([1 1; 0 1])}));
  addpsdcon('more matrices than indices', ...
            setfield(c, 'psdmats', {sym, sym}));
  addpsdcon('unknown sense', setfield(c, 'lhsorsense', 'x'));

  addparam('NoSuchParam', 'unknown name', 1);
  addparam('Method', 'logical', true);
  addparam('Method', 'empty', []);
  addparam('Method', 'NaN', NaN);
  addparam('Method', '1e10', 1e10);
  addparam('Method', 'char', 'a');
  addparam('MaxTime', 'cell', {1});
  addparam('MaxTime', 'negative', -1);
  addparam('MIP_GapRel', 'NaN', NaN);
  addparam('LogFile', 'double', 5);
  addparam('LogFile', 'path in a missing folder', '/nonexistent-korva/log.txt');

  addcall('no input', {});
  addcall('three inputs', {base, quiet, 1});
  addcall('first input a number', {5});
  addcall('second input a number', {base, 5});
  addcall('model a 1x2 struct array', {[base base], quiet});
  addcall('model an empty struct', {struct(), quiet});
end
