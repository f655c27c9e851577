// zk3-sim --host / --join: a headless peer of a network match.
#pragma once

// A whole decimal number within [low, high], or false; every mode of
// zk3-sim reads its numbers so.
bool read_number(const char* text, long low, long high, long& out);

// argv[1] is "--host" or "--join".
int run_net_peer(int argc, char** argv);
