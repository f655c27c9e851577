// The user's own folders as the XDG base directories name them: the
// variable's folder when it is set, else the usual one under HOME.
#pragma once

#include <string>

// "$XDG_CONFIG_HOME/zk3", else "$HOME/.config/zk3"; "" when neither is set.
std::string config_folder();
// "$XDG_DATA_HOME/zk3", else "$HOME/.local/share/zk3"; "" when neither is set.
std::string data_folder();
