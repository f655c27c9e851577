// A network match as a replay: every human's controls up to the last tick
// all of them are known for and hashed, with the checkpoints there.
#pragma once

#include "net/net_messages.h"
#include "net/rollback.h"
#include "replay/replay_file.h"

replay_data record_network_match(const rollback_match& match, const net_start& start);
