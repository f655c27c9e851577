// The map maker's --waypoints: a shipped map comes out with placed markers
// the game reads, and every refusal writes nothing.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "map_waypoints.h"
#include "test_map_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(MapWaypoints, PlacesAShippedMapAndRefusesWithoutWriting)
{
    const std::string shipped = ZK3_GAME_DIR "/zkm/bastion.zkm";
    temp_game_folder folder;
    map_text no_floor;  // 3 x 2 empty cells
    no_floor.codes = {1, 0, 0, 0, 0, 0};
    folder.write("zkm/air.zkm", no_floor.str());
    fs::create_directories("blocked/out.zkm");

    const struct {
        std::string in, out;
    } refused[] = {
        {"zkm/air.zkm", "air_out.zkm"},     // no floor to stand on
        {"missing.zkm", "missing_out.zkm"},  // no such file
        {"zkm/air.zkm", "zkm/air.zkm"},      // would overwrite its own input
        {shipped, "blocked/out.zkm"},        // a folder in the way
    };
    for (const auto& r : refused) {
        const bool existed = fs::exists(r.out);
        EXPECT_EQ(place_map_waypoints(r.in.c_str(), r.out.c_str()), 1) << r.in << " -> " << r.out;
        EXPECT_EQ(fs::exists(r.out), existed) << r.out;
        EXPECT_FALSE(fs::exists(r.out + ".tmp")) << r.out;
    }

    ASSERT_EQ(place_map_waypoints(shipped.c_str(), "placed.zkm"), 0);
    std::ifstream placed("placed.zkm");
    ASSERT_TRUE(map.read(placed, "placed.zkm")) << map.get_error();
    EXPECT_GE(map.get_nsp(), 8);
}

}  // namespace
