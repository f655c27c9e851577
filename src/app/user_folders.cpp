#include "app/user_folders.h"

#include <cstdlib>

namespace {

// The game's folder under `variable`, else under HOME's `usual` folder.
std::string game_folder(const char* variable, const char* usual)
{
    const char* base = std::getenv(variable);
    if (base && *base)
        return std::string(base) + "/zk3";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/" + usual + "/zk3";
    return "";
}

}  // namespace

std::string config_folder()
{
    return game_folder("XDG_CONFIG_HOME", ".config");
}

std::string data_folder()
{
    return game_folder("XDG_DATA_HOME", ".local/share");
}
