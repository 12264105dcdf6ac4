function params = quiet_params(varargin)
  % Solver parameters with the log switched off, plus any name/value pairs.
  params = struct('OutputFlag', 0, varargin{:});
end
