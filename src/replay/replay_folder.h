// The folder of saved replays: where it is, writing one replay into it
// without ever leaving half a file, keeping only the newest, and reading one.
#pragma once

#include <string>
#include <utility>

#include "replay/replay_file.h"

// "$XDG_DATA_HOME/zk3/replays", else "$HOME/.local/share/zk3/replays"; ""
// when neither variable is set.
std::string replay_folder();
// Writes the replay into `folder` (made if missing) through a temporary
// file renamed into place, named by the local date and time and the map
// ("2026-12-07_21-04-33_foundry.zkr", with "-2", "-3" ... when taken), then
// deletes the oldest replays beyond the newest `keep`. False, with one line
// of reason in `error`, when it cannot be written; nothing else is lost.
bool save_replay(const replay_data& replay, const std::string& folder, int keep, std::string& path,
                 std::string& error);
// Writes a match's replay into replay_folder(), keeping the newest 20. A
// replay that cannot be written costs one line on standard error.
void keep_replay(const replay_data& replay);
// A saved replay's place in time, from its file name: the name without the
// extension and the "-2", "-3" ... a second replay of the same second got,
// so that "x-2.zkr" comes after "x.zkr" and "x-10.zkr" after "x-9.zkr".
std::pair<std::string, unsigned long> replay_age(const std::string& name);
// Reads a replay file; false with the reason in `error`.
bool read_replay_file(const std::string& path, replay_data& out, std::string& error);
// The same with the file named in the reason.
bool load_replay(const std::string& path, replay_data& out, std::string& error);
