function build_korva_mex(outdir)
  % BUILD_KORVA_MEX  Build korva_mex with this host's mex command.
  %
  %   build_korva_mex           writes the module to the current folder
  %   build_korva_mex(OUTDIR)   writes it to OUTDIR
  %
  % Runs in MATLAB and in Octave. One call of mex compiles libkorva and the
  % module together with the interleaved-complex interface (-R2018a), so the
  % module is a single file; korva_mex.m, which carries the help, is put
  % beside it. The solvers are found with pkg-config (COIN-OR Clp, Cbc,
  % Bonmin, Ipopt); DSDP, which has no pkg-config file, in the compiler's
  % search path or under the folder named by the environment variable
  % DSDP_DIR.
  if nargin < 1
    outdir = pwd;
  end
  root = fileparts(mfilename('fullpath'));
  src = root;
  help_file = fullfile(root, 'host', 'korva_mex.m');
  if exist(fullfile(root, 'src', 'gateway'), 'dir')
    % The unpacked Octave package.
    src = fullfile(root, 'src');
    help_file = fullfile(root, 'inst', 'korva_mex.m');
  end

  sources = {};
  for folder = {'libkorva', 'gateway', 'sparse', 'model', 'params', 'result'}
    found = dir(fullfile(src, folder{1}, '*.cpp'));
    sources = [sources, cellfun(@(f) fullfile(src, folder{1}, f), ...
                                {found.name}, 'UniformOutput', false)];
  end
  solvers = 'cbc clp osi-clp coinutils bonmin';
  flags = [{'-R2018a', ['-I' src]}, ...
           pkg_config(['--cflags ' solvers], '^-[ID]'), ...
           pkg_config(['--libs ' solvers], '^-[Ll]')];
  dsdp = getenv('DSDP_DIR');
  if ~isempty(dsdp)
    flags = [flags, {['-I' fullfile(dsdp, 'include')], ['-L' fullfile(dsdp, 'lib')]}];
  end
  flags = [flags, {'-ldsdp', '-llapack', '-lblas'}];

  % The code is C++17. MATLAB's mex takes that as a variable on its command
  % line, Octave's from the environment.
  if exist('OCTAVE_VERSION', 'builtin')
    % Ctrl+C and output flushing come from Octave's own library.
    sources{end + 1} = fullfile(src, 'host', 'octave_glue.cpp');
    flags = [flags, {'-DKORVA_OCTAVE_HOST=1', ...
                     ['-L' strtrim(mkoctfile('-p', 'OCTLIBDIR'))], '-loctinterp', '-loctave'}];
    previous = getenv('CXXFLAGS');
    setenv('CXXFLAGS', [strtrim(mkoctfile('-p', 'CXXFLAGS')) ' -std=c++17']);
    restore = onCleanup(@() restore_variable('CXXFLAGS', previous));
  else
    % MATLAB exports the same services from its utility libraries.
    flags = [flags, {'-lut', '-lmwservices', 'CXXFLAGS=$CXXFLAGS -std=c++17'}];
  end

  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end
  % Octave's mex has no -outdir: the module is written where mex runs.
  here = pwd;
  back = onCleanup(@() cd(here));
  cd(outdir);
  mex(flags{:}, '-output', 'korva_mex', sources{:});
  copyfile(help_file, pwd);
end

function values = pkg_config(arguments, keep)
  [status, text] = system(['pkg-config ' arguments]);
  if status ~= 0
    error('build_korva_mex: pkg-config %s failed: %s', arguments, text);
  end
  values = strsplit(strtrim(text));
  values = values(~cellfun(@isempty, regexp(values, keep, 'once')));
end

function restore_variable(name, value)
  if isempty(value)
    unsetenv(name);
  else
    setenv(name, value);
  end
end
