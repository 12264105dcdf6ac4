function post_install(desc)
  % Octave reads the help of a MEX module from the .m file of the same name
  % beside it; pkg puts the module in the architecture folder and the .m
  % files in the package folder, so the help text is copied to the module.
  module = dir(fullfile(desc.archprefix, '*', 'korva_mex.mex'));
  if isempty(module)
    error('korva_mex: the module was not installed');
  end
  copyfile(fullfile(desc.dir, 'korva_mex.m'), module(1).folder);
end
