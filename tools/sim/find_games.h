// zk3-sim --find: the games on the local network, headless.
#pragma once

// argv[1] is "--find".
int run_finder(int argc, char** argv);
