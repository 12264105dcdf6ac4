% call_latency(outFile, calls)
% Solves the LP  min x1 + x2  s.t.  x1 + 2 x2 >= 1,  x >= 0  `calls` times
% with korva_mex and, side by side, with glpk, timing each call, and writes
% a Markdown table of median, 99th percentile, minimum and maximum.
function call_latency(outFile, calls)
  model = struct('A', sparse([1 2]), 'obj', [1; 1], 'rhs', 1, ...
                 'lhsorsense', '>');
  params = struct('OutputFlag', 0);
  korva = zeros(calls, 1);
  glpkTimes = zeros(calls, 1);
  glpkParam = struct('msglev', 0);
  for k = 1:calls
    start = tic;
    result = korva_mex(model, params);
    korva(k) = toc(start);
    start = tic;
    [~, fmin] = glpk([1; 1], [1 2], 1, [0; 0], [], 'L', 'CC', 1, glpkParam);
    glpkTimes(k) = toc(start);
    if ~strcmp(result.Status, 'OPTIMAL') || abs(result.ObjVal - fmin) > 1e-9
      error('call_latency: korva_mex and glpk disagree on the trivial LP');
    end
  end
  out = fopen(outFile, 'w');
  fprintf(out, ['| solver | calls | median (ms) | p99 (ms) | min (ms) | ' ...
                'max (ms) |\n|---|--:|--:|--:|--:|--:|\n']);
  print_row(out, 'korva_mex', korva);
  print_row(out, 'glpk', glpkTimes);
  fprintf(out, '\nkorva_mex median / glpk median: %.1f\n', ...
          median(korva) / median(glpkTimes));
  fclose(out);
end

function print_row(out, name, seconds)
  ms = sort(1000 * seconds);
  p99 = ms(max(1, ceil(0.99 * numel(ms))));
  fprintf(out, '| %s | %d | %.3f | %.3f | %.3f | %.3f |\n', name, ...
          numel(ms), median(ms), p99, ms(1), ms(end));
end
