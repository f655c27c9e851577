// zk3-sim --host / --join: a headless peer of a network match.
#pragma once

// argv[1] is "--host" or "--join".
int run_net_peer(int argc, char** argv);
