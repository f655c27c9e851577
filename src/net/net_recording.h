// A network match as a replay: every human's controls up to the last tick
// all of them are known for and hashed, with the checkpoints there, the
// match's set-up, and the lines said in it.
#pragma once

#include "net/net_messages.h"
#include "net/rollback.h"
#include "replay/replay_file.h"

// `start` with the humans who came in late after those it began with.
// `chat` in the order heard; a line said after the last tick kept shows at it.
replay_data record_network_match(const rollback_match& match, const net_start& start,
                                 const std::vector<recorded_chat>& chat);
