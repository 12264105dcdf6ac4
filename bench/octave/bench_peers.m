% bench_peers(dataDir, outFile, limit, repetitions)
% korva_mex against Octave's own solvers on the same instances in the same
% run: glpk on the netlib LPs and the MIPLIB 3 MILPs, qp on QPs made from
% the LPs (quadratic_from_linear), sdpam on the SDPLIB instances. Every
% solve runs in a process of its own under `timeout`, limited to `limit`
% seconds per solve (the solvers' own limit where they have one). Writes a
% Markdown table per class to outFile, with the geometric mean and the
% median of the time ratios. KORVA_BENCH_CLASSES (say "lp milp") narrows
% the run to some classes.
function bench_peers(dataDir, outFile, limit, repetitions)
  here = fileparts(mfilename('fullpath'));
  paths = strjoin({here, getenv('KORVA_BENCH_MEX'), ...
                   getenv('KORVA_BENCH_READERS')}, ':');
  out = fopen(outFile, 'w');
  classes = {
    'lp',   'netlib',  '*.mps.gz', 'glpk',  'netlib LPs, glpk (simplex)';
    'qp',   'netlib',  '*.mps.gz', 'qp',    'QPs from the netlib LPs, qp';
    'milp', 'miplib3', '*.mps.gz', 'glpk',  'MIPLIB 3 MILPs, glpk (branch and cut)';
    'sdp',  'sdplib',  '*.dat-s',  'sdpam', 'SDPLIB, sdpam'};
  chosen = strsplit(strtrim(getenv('KORVA_BENCH_CLASSES')));
  if ~isempty(chosen{1})
    classes = classes(ismember(classes(:, 1), chosen), :);
  end
  for c = 1:rows(classes)
    [kind, folder, pattern, peer, title] = classes{c, :};
    optima = reference_optima(dataDir, folder);
    files = dir(fullfile(dataDir, folder, pattern));
    fprintf(out, '\n### %s\n\n', title);
    fprintf(out, ['| instance | reference | korva_mex | %s | ' ...
                  'korva_mex vs %s | korva_mex time (ms) | %s time (ms) | ' ...
                  'time ratio |\n|---|--:|---|---|--:|--:|--:|--:|\n'], ...
            peer, peer, peer);
    ratios = [];
    for f = 1:numel(files)
      file = fullfile(files(f).folder, files(f).name);
      name = strtok(files(f).name, '.');
      mine = run_solver('korva', kind, file, repetitions, limit, paths);
      theirs = run_solver(peer, kind, file, repetitions, limit, paths);
      reference = NaN;
      if optima.isKey(name) && ~strcmp(kind, 'qp')
        reference = optima(name);
      end
      fprintf(out, '| %s | %s | %s | %s | %s | %s | %s | %s |\n', name, ...
              number_text(reference), outcome_text(mine, reference), ...
              outcome_text(theirs, reference), agreement(mine, theirs), ...
              time_text(mine), time_text(theirs), ratio_text(mine, theirs));
      fflush(out);
      if solved(mine) && solved(theirs)
        ratios(end + 1) = median(mine.seconds) / median(theirs.seconds);
      end
    end
    if ~isempty(ratios)
      fprintf(out, ['\nTime ratio over the %d instances both solve: ' ...
                    'geometric mean %.3g, median %.3g.\n'], numel(ratios), ...
              exp(mean(log(ratios))), median(ratios));
    end
  end
  fclose(out);
end

% The solves of one solver on one instance: statuses, objectives, seconds.
% A first process makes one solve, under a process limit a little above
% the solve limit (qp and sdpam have no limit of their own); only when that
% solve succeeds in time does a second process make the other repetitions.
function run = run_solver(solver, kind, file, repetitions, limit, paths)
  run = run_process(solver, kind, file, 1, limit, paths);
  if solved(run) && run.seconds(end) <= limit && repetitions > 1
    rest = run_process(solver, kind, file, repetitions - 1, limit, paths);
    run.status = [run.status, rest.status];
    run.objective = [run.objective, rest.objective];
    run.seconds = [run.seconds, rest.seconds];
    run.killed = rest.killed;
    run.code = rest.code;
    run.budget = rest.budget;
  end
end

function run = run_process(solver, kind, file, repetitions, limit, paths)
  outFile = [tempname() '.tsv'];
  command = sprintf(['addpath(''%s''); bench_solve(''%s'', ''%s'', ''%s'', ' ...
                     '%d, %g, ''%s'')'], paths, solver, kind, file, ...
                    repetitions, limit, outFile);
  budget = ceil(repetitions * limit + 20);
  [code, ~] = system(sprintf(['timeout -k 5 %d octave-cli --no-gui --norc ' ...
                              '--no-history --quiet --eval "%s" 2>&1'], budget, command));
  run = struct('status', {{}}, 'objective', [], 'seconds', [], ...
               'killed', code == 124 || code == 137, 'code', code, ...
               'budget', budget);
  if exist(outFile, 'file')
    lines = strsplit(strtrim(fileread(outFile)), "\n");
    for k = 1:numel(lines)
      parts = strsplit(lines{k}, "\t");
      run.status{end + 1} = parts{1};
      run.objective(end + 1) = str2double(parts{2});
      run.seconds(end + 1) = str2double(parts{3});
    end
    delete(outFile);
  end
end

function ok = solved(run)
  ok = ~isempty(run.status) && all(strcmp(run.status, 'optimal'));
end

function text = outcome_text(run, reference)
  if isempty(run.status)
    if run.killed
      text = sprintf('timed out (> %d s)', run.budget);
    else
      text = sprintf('failed (exit %d)', run.code);
    end
  elseif ~solved(run)
    text = run.status{end};
    if isfinite(run.objective(end))
      text = sprintf('%s, %.7g', text, run.objective(end));
    end
  elseif isnan(reference)
    text = sprintf('%.7g', run.objective(end));
  else
    text = sprintf('%.7g (rel. diff %.1e)', run.objective(end), ...
                   relative_difference(run.objective(end), reference));
  end
end

function text = agreement(mine, theirs)
  if solved(mine) && solved(theirs)
    text = sprintf('%.1e', relative_difference(mine.objective(end), ...
                                               theirs.objective(end)));
  else
    text = '-';
  end
end

function d = relative_difference(a, b)
  d = abs(a - b) / max(1, abs(b));
end

function text = time_text(run)
  ms = 1000 * run.seconds(~isnan(run.seconds));
  if isempty(ms)
    text = '-';
    return;
  end
  if numel(ms) == 1
    text = sprintf('%.3g (1 run)', ms);
  else
    text = sprintf('%.3g [%.3g-%.3g]', median(ms), min(ms), max(ms));
  end
end

function text = ratio_text(mine, theirs)
  if solved(mine) && solved(theirs)
    text = sprintf('%.3g', median(mine.seconds) / median(theirs.seconds));
  else
    text = '-';
  end
end

function text = number_text(value)
  if isnan(value)
    text = '-';
  else
    text = sprintf('%.7g', value);
  end
end
