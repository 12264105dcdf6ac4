% sdpam and korva_mex on the same small semidefinite program. Registered
% only where sdpam is installed (make bench installs it).
function sdpam_peer_tests()
  check_semidefinite_peer();
end

% min y1 + 2 y2 + 3 y3 s.t. [y1 1 .5; 1 y2 1; .5 1 y3] psd. sdpam solves
% the file's primal, korva_mex the dual read_sdpa builds: same optimum.
function check_semidefinite_peer()
  file = [tempname() '.dat-s'];
  cleanup = onCleanup(@() delete(file));
  out = fopen(file, 'w');
  fprintf(out, '3\n1\n3\n1.0 2.0 3.0\n');
  fprintf(out, '0 1 1 2 -1.0\n0 1 2 3 -1.0\n0 1 1 3 -0.5\n');
  fprintf(out, '1 1 1 1 1.0\n2 1 2 2 1.0\n3 1 3 3 1.0\n');
  fclose(out);
  [status, theirs] = solve_sdpam(file, 10);
  assert(status, 'optimal');
  [status, mine] = solve_korva(read_sdpa(file), 10);
  assert(status, 'optimal');
  assert(mine, theirs, 1e-6 * abs(theirs));
end
