% optima = reference_optima(dataDir, folder)
% Known optimal objectives (a containers.Map from instance name to value)
% from the catalogue that comes with each data folder: netlib/optima.txt,
% the statistics part of miplib3/miplib3.cat (its integer solution column)
% and the table of sdplib/README.md.
function optima = reference_optima(dataDir, folder)
  optima = containers.Map();
  switch folder
    case 'netlib'
      lines = read_lines(fullfile(dataDir, 'netlib', 'optima.txt'));
      for k = 1:numel(lines)
        tokens = strsplit(strtrim(lines{k}));
        if numel(tokens) == 2 && lines{k}(1) ~= '#'
          optima(tokens{1}) = str2double(tokens{2});
        end
      end
    case 'miplib3'
      lines = read_lines(fullfile(dataDir, 'miplib3', 'miplib3.cat'));
      for k = 1:numel(lines)
        tokens = strsplit(strtrim(lines{k}));
        % NAME ROWS COLS INT 0/1 CONT "INT SOLN" "LP SOLN"
        if numel(tokens) == 8 && ~isnan(str2double(tokens{2})) && ...
           ~optima.isKey(tokens{1})
          optima(tokens{1}) = str2double(tokens{7});
        end
      end
    case 'sdplib'
      lines = read_lines(fullfile(dataDir, 'sdplib', 'README.md'));
      for k = 1:numel(lines)
        cells = strtrim(strsplit(lines{k}, '|'));
        if numel(cells) >= 6 && ~isnan(str2double(cells{5}))
          optima(cells{2}) = str2double(cells{5});
        end
      end
  end
end

function lines = read_lines(file)
  lines = strsplit(fileread(file), "\n");
  lines = lines(~cellfun(@isempty, strtrim(lines)));
end
