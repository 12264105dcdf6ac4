% KORVA_MEX  Solve an optimization model with the korva solver library.
%
%   result = korva_mex(model)
%   result = korva_mex(model, params)
%
% MODEL is a struct. Only the fields a model needs are given; indices are
% 1-based and 1e20 stands for infinity.
%
%   A            sparse m-by-n linear constraint matrix
%   obj          n objective coefficients
%   rhs          m right-hand sides (rows are used only with obj and rhs)
%   lhsorsense   m sense characters '<', '>', '=' (one for all rows, or
%                none: '<'), or m left-hand sides for ranged rows
%                lhs <= A*x <= rhs
%   lb, ub       n bounds (default 0 and 1e20)
%   vtype        n type characters: 'C' continuous, 'B' binary, 'I' integer
%   modelsense   'max' or 'Max' to maximise; anything else minimises
%   objcon       objective constant
%   modelname    text
%   varnames     cell of n names;  constrnames  cell of m names
%   Q            sparse n-by-n quadratic objective: adds sum Q(i,j) x_i x_j,
%                entries taken as given in both triangles
%   start        n start values
%   colbasis     column basis statuses
%   quadcon      struct array of quadratic constraints, each with Qc
%                (sparse n-by-n) or Qrow, Qcol, Qval (triplets), q (linear
%                part, dense or sparse 1-by-n), rhs, lhsorsense (one sense
%                character, or a left-hand side) and optionally name
%   sos          struct array of SOS sets: type (1 or 2), index, weight
%   genconind    struct array of indicator constraints: binvar (index of a
%                binary variable), binval (0 or 1), a (row of n, dense or
%                sparse), sense, rhs, and optionally name
%   psdvar       struct array of semidefinite variables (obj: symmetric
%                sparse matrix, optional name)
%   psdcon       struct array of semidefinite constraints: psdmats (cell
%                of symmetric sparse matrices), indices (the psdvar each
%                multiplies), optional linearterm, rhs, lhsorsense, name
%
% PARAMS is a struct of solver parameters; a "/" in a name is written "_".
% Integer: Dualization, EnableNetworkFlow, EnableStochasticLP,
%   IPM_MaxIterations, LogToConsole, MIP_AllowDualPresolve,
%   MIP_AutoConfiguration, MIP_DetectDisconnectedComponents, MIP_LevelCuts,
%   MIP_LevelHeurs, MIP_LevelProbing, MIP_LevelStrong, MIP_LevelSubmip,
%   MIP_MaxNodes, MIP_MaxSols, MIP_MaxStallingNodes, MIP_RootParallelism,
%   MIP_SolutionNumber, MIP_SolutionPoolSize, Method (-1 automatic,
%   0 primal simplex, 1 dual simplex, 2 barrier), NumThreads, OutputFlag
%   (0: no log), PostScaling, Presolve, SPX_ColumnGeneration,
%   SPX_CrashStart, SPX_DualPricing, SPX_MaxIterations, SPX_PrimalPricing,
%   SolutionTarget.
% Real: IPM_DualTolerance, IPM_GapTolerance, IPM_PrimalTolerance,
%   MIP_Cutoff, MIP_GapAbs, MIP_GapRel, MIP_IntegerTolerance,
%   MIP_LinearizationBigM, MIP_ObjectiveTolerance, MaxTime (seconds),
%   SPX_DualTolerance, SPX_PrimalTolerance.
% Text: LogFile (the log is appended to this file).
%
% RESULT is a struct with the fields
%   Status         'OPTIMAL', 'INFEASIBLE', 'UNBOUNDED' or 'SUB_OPTIMAL'
%                  (a limit stopped the solve; X is the best point found)
%   X, RC          n-by-1 values and reduced costs
%   ObjVal         objective value
%   SolverTime, PresolverTime, SolutionTime   seconds
%   MIP_GapAbs, MIP_GapRel                    gaps of a mixed-integer solve
%   IPM_NumIters, SPX_NumIters                barrier and simplex iterations
%   PsdX           1-by-p cell of the semidefinite variables' values
%
% Any other final status raises "korva_mex: Optimize failed. Error code: N."
% (4: infeasible or unbounded, 7, 8, 9: iteration, time or node limit
% without a point, 10: a model class no backend solves). Errors in the
% model or the parameters name the field, e.g. "korva_mex: A. It should be
% sparse.".
%
% The solver's log appears while it runs. Ctrl+C stops the solve: a
% warning is shown and the call returns an empty struct.
%
% Example:
%   model.A = sparse([1 1]); model.obj = [1 2]; model.rhs = 1;
%   model.lhsorsense = '>';
%   result = korva_mex(model, struct('OutputFlag', 0));

% Octave and MATLAB run the compiled korva_mex beside this file; this file
% only carries the help text.
error('korva_mex: the compiled module korva_mex.mex is not on the path');
