// The maps the game ships with, in zkm/ of the game folder. Each one reads,
// is laid out the way the editor writes map files, has the size it was made
// for, walls all around, some sky and some back pictures, both in areas
// rather than stray cells, at least eight spawn points with room to stand,
// and waypoints that keep bots walking all over it.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "map/cmap.h"
#include "map_source.h"

namespace {

struct shipped_map {
    const char* name;
    int width;
    int height;
};

const shipped_map shipped_maps[] = {
    {"bastion.zkm", 1920, 1080},  // one screen
    {"foundry.zkm", 3840, 2160},  // four screens
    {"canyon.zkm", 4800, 1600},   // wide
    {"tower.zkm", 2400, 4000},    // tall
};

const int cell = cmap::cell_size;
const int min_spawns = 8;
const int body_width = 39;
const int body_height = 80;

std::string map_path(const char* name)
{
    return std::string("zkm/") + name;
}

int marker(int code)
{
    return code % 100;
}

int back_picture(int code)
{
    return code / 100 % 100;
}

// A bot's walk as the game steers it, without the fighting: a waypoint sets
// its heading when its upper body enters the cell, a blocked walker jumps at
// the obstacle, and it moves by the fighters' physics at normal speed.
class walker {
public:
    walker(float start_x, float start_y) : x(start_x), y(start_y) {}

    void tick()
    {
        steer();
        move();
    }

    float get_x() const { return x; }
    float get_y() const { return y; }
    // The cell of the upper body point, where waypoints are read.
    int get_cell() const { return cell_at(x + 20, y + 20); }
    bool fell_out() const { return y >= map.get_height(); }

private:
    enum heading_kind { none, jumping, going_right, going_left };

    static int cell_at(float px, float py)
    {
        const int columns = map.get_width() / cell;
        return static_cast<int>(px) / cell + static_cast<int>(py) / cell * columns;
    }
    static bool solid(float px, float py)
    {
        return map.solid(static_cast<int>(px), static_cast<int>(py));
    }
    bool down() const { return solid(x, y + 80) || solid(x + 38, y + 80); }
    bool up() const { return solid(x, y - 1) || solid(x + 38, y - 1); }
    bool side(float px) const { return solid(px, y) || solid(px, y + 40) || solid(px, y + 79); }
    bool left() const { return side(x - 1); }
    bool right() const { return side(x + 39); }
    static bool even() { return (std::rand() & 1) == 0; }

    heading_kind keep_left_else_right() const
    {
        return heading == going_left ? going_left : going_right;
    }
    heading_kind keep_right_else_left() const
    {
        return heading == going_right ? going_right : going_left;
    }

    void read_waypoint(int kind)
    {
        switch (kind > 8 ? kind - 8 : kind) {
        case 2: heading = jumping; break;
        case 3: heading = going_right; break;
        case 4: heading = going_left; break;
        case 5: heading = even() ? jumping : keep_left_else_right(); break;
        case 6: heading = even() ? keep_left_else_right() : keep_right_else_left(); break;
        case 7: heading = even() ? jumping : keep_right_else_left(); break;
        case 8: {
            const int r = std::rand() % 3;
            heading = r == 0 ? jumping : r == 1 ? keep_left_else_right() : keep_right_else_left();
            break;
        }
        default: break;
        }
    }

    void jump()
    {
        if (down())
            vy = -10.5f;
    }

    void steer()
    {
        if (get_cell() != last_cell) {
            read_waypoint(marker(map.get_map(static_cast<int>(x + 20), static_cast<int>(y + 20))));
            last_cell = get_cell();
        }
        // A walker blocked by a wall jumps at it.
        if (heading == jumping || (heading == going_right && right())
            || (heading == going_left && left()))
            jump();
        else if (heading == going_right)
            vx = 2.5f;
        else if (heading == going_left)
            vx = -2.5f;
    }

    void move()
    {
        if (!down())
            vy += 0.25f;
        const float tx = x + vx;
        const float ty = y + vy;
        if (vx > 0)
            while (x < tx && !right())
                x += std::min(tx - x, 1.0f);
        if (vx < 0)
            while (x > tx && !left())
                x += std::max(tx - x, -1.0f);
        if (vy > 0)
            while (y < ty && !down())
                y += std::min(ty - y, 1.0f);
        if (vy < 0)
            while (y > ty && !up())
                y += std::max(ty - y, -1.0f);
        if (y != ty)
            vy = 0;
        vx = 0;
    }

    float x, y;
    float vx = 0;
    float vy = 0;
    heading_kind heading = none;
    int last_cell = -1;
};

// Where one walker has been lately, to tell a walk from standing in one spot.
class recent_extent {
public:
    explicit recent_extent(const walker& bot) { restart(bot); }
    void add(const walker& bot)
    {
        min_x = std::min(min_x, bot.get_x());
        max_x = std::max(max_x, bot.get_x());
        min_y = std::min(min_y, bot.get_y());
        max_y = std::max(max_y, bot.get_y());
    }
    void restart(const walker& bot)
    {
        min_x = max_x = bot.get_x();
        min_y = max_y = bot.get_y();
    }
    // Jumping in place spans 226 units up and down; walking into a wall, nothing.
    bool moved() const { return max_x - min_x >= 3 * cell || max_y - min_y >= 6 * cell; }

private:
    float min_x, max_x, min_y, max_y;
};

class ShippedMap : public testing::TestWithParam<shipped_map> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(map.read_file(map_path(GetParam().name).c_str())) << map.get_error();
    }
    void TearDown() override { map.deinit(); }

    int columns() const { return map.get_width() / cell; }
    int rows() const { return map.get_height() / cell; }
    int code(int column, int row) const { return map.get_map(column * cell, row * cell); }
    bool solid_cell(int column, int row) const { return map.solid(column * cell, row * cell); }
    bool inside(int column, int row) const
    {
        return column >= 0 && column < columns() && row >= 0 && row < rows();
    }
};

std::string base_name(const shipped_map& shipped)
{
    std::string name = shipped.name;
    return name.substr(0, name.find('.'));
}

}  // namespace

TEST(ShippedMaps, TheGameListsExactlyTheShippedMaps)
{
    map.load();
    std::vector<std::string> listed;
    char name[cmap::max_name_length + 1];
    for (int i = 0; i < map.get_nm(); i++) {
        map.get_name(i, name, false);
        listed.push_back(name);
    }
    std::vector<std::string> expected;
    for (const shipped_map& shipped : shipped_maps)
        expected.push_back(shipped.name);
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
}

// A shipped map is made from its readable source in maps/ by zk3_mapmake,
// and stays exactly that: an edit saved into the file alone would drift from
// the source and be lost at the next run of the map maker.
TEST(ShippedMaps, AreWhatTheMapMakerMakesOfTheirSources)
{
    for (const shipped_map& shipped : shipped_maps) {
        const std::string source_path =
            std::string(ZK3_TESTS_DIR) + "/../maps/" + base_name(shipped) + ".txt";
        std::ifstream in(source_path);
        ASSERT_TRUE(in.good()) << "no source " << source_path;
        map_source source;
        std::string error;
        ASSERT_TRUE(read_map_source(in, source, error)) << source_path << ": " << error;
        std::ifstream file(map_path(shipped.name), std::ios::binary);
        std::stringstream committed;
        committed << file.rdbuf();
        EXPECT_TRUE(committed.str() == map_file_text(source))
            << shipped.name << " differs from what zk3_mapmake makes of " << source_path;
    }
}

INSTANTIATE_TEST_SUITE_P(Maps, ShippedMap, testing::ValuesIn(shipped_maps),
                         [](const testing::TestParamInfo<shipped_map>& param_info) {
                             return base_name(param_info.param);
                         });

TEST_P(ShippedMap, HasItsSizeAndEveryPicture)
{
    EXPECT_EQ(map.get_width(), GetParam().width);
    EXPECT_EQ(map.get_height(), GetParam().height);
    EXPECT_STREQ(map.get_warning(), "") << "a picture the map names does not load";
}

// Line by line as the editor writes: size, two sky lines, the two counts,
// the picture names of each layer that has any, then one line per row of
// six-digit codes separated by single spaces.
TEST_P(ShippedMap, IsLaidOutAsTheEditorWritesIt)
{
    std::ifstream file(map_path(GetParam().name));
    std::stringstream whole;
    whole << file.rdbuf();
    const std::string text = whole.str();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::to_string(GetParam().width) + " " + std::to_string(GetParam().height));
    for (int i : {1, 2}) {
        std::istringstream sky(lines[static_cast<size_t>(i)]);
        float r, g, b;
        ASSERT_TRUE(sky >> r >> g >> b) << lines[static_cast<size_t>(i)];
        std::ostringstream rewritten;
        rewritten << r << " " << g << " " << b;
        EXPECT_EQ(lines[static_cast<size_t>(i)], rewritten.str());
    }
    size_t next = 5;
    for (int i : {3, 4}) {
        const int count = std::stoi(lines[static_cast<size_t>(i)]);
        EXPECT_EQ(lines[static_cast<size_t>(i)], std::to_string(count));
        if (count == 0)
            continue;
        ASSERT_LT(next, lines.size());
        const std::string& names = lines[next++];
        EXPECT_EQ(std::count(names.begin(), names.end(), ' '), count - 1) << names;
    }

    const size_t row_length = static_cast<size_t>(columns()) * 7 - 1;
    ASSERT_EQ(lines.size(), next + static_cast<size_t>(rows()));
    for (int row = 0; row < rows(); row++) {
        const std::string& line = lines[next + static_cast<size_t>(row)];
        ASSERT_EQ(line.size(), row_length) << "row " << row;
        for (size_t i = 0; i < line.size(); i++) {
            const bool separator = i % 7 == 6;
            const bool digit = std::isdigit(static_cast<unsigned char>(line[i]));
            ASSERT_TRUE(separator ? line[i] == ' ' : digit) << "row " << row << ", character " << i;
        }
    }
}

TEST_P(ShippedMap, IsWalledAllAround)
{
    for (int column = 0; column < columns(); column++) {
        EXPECT_TRUE(solid_cell(column, 0)) << "top, column " << column;
        EXPECT_TRUE(solid_cell(column, rows() - 1)) << "bottom, column " << column;
    }
    for (int row = 0; row < rows(); row++) {
        EXPECT_TRUE(solid_cell(0, row)) << "left, row " << row;
        EXPECT_TRUE(solid_cell(columns() - 1, row)) << "right, row " << row;
    }
}

TEST_P(ShippedMap, HasWaypointsOnlyInTheAir)
{
    for (int row = 0; row < rows(); row++) {
        for (int column = 0; column < columns(); column++) {
            const int c = code(column, row);
            EXPECT_LE(marker(c), 16) << "column " << column << ", row " << row;
            if (marker(c) != 0) {
                EXPECT_FALSE(solid_cell(column, row))
                    << "a waypoint inside a wall at column " << column << ", row " << row;
            }
        }
    }
}

// A free cell shows its back picture, or the sky where it has none. Both come
// in areas: a free cell whose back differs from that of every free neighbour
// is a slip in the source's back layout, a hole of sky in a room's wall or a
// lone tile in the open sky.
TEST_P(ShippedMap, HasNoLoneBackCell)
{
    const int steps[][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int row = 0; row < rows(); row++) {
        for (int column = 0; column < columns(); column++) {
            if (solid_cell(column, row))
                continue;
            const int back = back_picture(code(column, row));
            bool shared = false;
            for (const auto& step : steps) {
                const int c = column + step[0];
                const int r = row + step[1];
                if (inside(c, r) && !solid_cell(c, r) && back_picture(code(c, r)) == back)
                    shared = true;
            }
            EXPECT_TRUE(shared) << (back == 0 ? "a lone cell of sky" : "a lone back picture")
                                << " at column " << column << ", row " << row;
        }
    }
}

// Each map opens onto the sky somewhere and has rooms or linings somewhere
// else: neither a closed room nor a bare backdrop. A share is counted in free
// cells, the ones a fighter can see past.
TEST_P(ShippedMap, ShowsSomeSkyAndSomeBackPictures)
{
    const int least_share = 50;  // at least one free cell in 50 of each
    int free_cells = 0, sky_cells = 0;
    for (int row = 0; row < rows(); row++) {
        for (int column = 0; column < columns(); column++) {
            if (solid_cell(column, row))
                continue;
            free_cells++;
            sky_cells += back_picture(code(column, row)) == 0;
        }
    }
    EXPECT_GE(sky_cells * least_share, free_cells) << "too little sky: " << sky_cells;
    EXPECT_GE((free_cells - sky_cells) * least_share, free_cells)
        << "too few back pictures: " << free_cells - sky_cells;
}

TEST_P(ShippedMap, HasSpawnPointsSpreadOverTheMap)
{
    ASSERT_GE(map.get_nsp(), min_spawns);
    int left = 0, top = 0;
    for (int i = 0; i < map.get_nsp(); i++) {
        left += map.get_spx(i) < map.get_width() / 2;
        top += map.get_spy(i) < map.get_height() / 2;
    }
    EXPECT_GT(left, 0);
    EXPECT_LT(left, map.get_nsp()) << "no spawn point in the right half";
    EXPECT_GT(top, 0);
    EXPECT_LT(top, map.get_nsp()) << "no spawn point in the lower half";
}

// A fighter enters with its 39 x 80 box at the spawn point: the box must be
// free, and straight below it there must be a floor inside the map.
TEST_P(ShippedMap, EverySpawnPointHasRoomAndAFloor)
{
    for (int i = 0; i < map.get_nsp(); i++) {
        const int x = map.get_spx(i);
        const int y = map.get_spy(i);
        for (int px : {x, x + body_width - 1})
            for (int py : {y, y + body_height / 2, y + body_height - 1})
                EXPECT_FALSE(map.solid(px, py)) << "spawn point " << i << " at " << x << ", " << y;
        int floor = y + body_height;
        while (floor < map.get_height() && !map.solid(x, floor)
               && !map.solid(x + body_width - 1, floor))
            floor += cell;
        EXPECT_LT(floor, map.get_height()) << "spawn point " << i << " stands over a pit";
    }
}

// Bots follow only the waypoints, so the waypoints alone must carry them
// everywhere: from every spawn point a walker neither falls out of the map
// nor stays in one spot (walking into a wall or jumping in place), and
// walking on from the spawn points it passes, a bot gets from every spawn
// point to every other one: no part of the map traps bots or keeps them out.
TEST_P(ShippedMap, WaypointsKeepBotsWalkingEverywhere)
{
    const int seeds = 3;
    const int ticks = 30000;
    const int window = 1500;  // 15 seconds
    const size_t nsp = static_cast<size_t>(map.get_nsp());
    std::vector<int> spawn_cells;
    for (size_t i = 0; i < nsp; i++) {
        const int index = static_cast<int>(i);
        spawn_cells.push_back(map.get_spx(index) / cell + map.get_spy(index) / cell * columns());
    }
    // reaches[i][j]: a walker from spawn point i passed through spawn point j.
    std::vector<std::vector<bool>> reaches(nsp, std::vector<bool>(nsp));
    for (size_t start = 0; start < nsp; start++) {
        for (int seed = 0; seed < seeds; seed++) {
            std::srand(static_cast<unsigned>(1000 * start) + static_cast<unsigned>(seed));
            const int index = static_cast<int>(start);
            walker bot(static_cast<float>(map.get_spx(index)),
                       static_cast<float>(map.get_spy(index)));
            recent_extent extent(bot);
            for (int t = 1; t <= ticks; t++) {
                bot.tick();
                ASSERT_FALSE(bot.fell_out()) << "from spawn point " << start << ", seed " << seed;
                for (size_t goal = 0; goal < nsp; goal++)
                    if (spawn_cells[goal] == bot.get_cell())
                        reaches[start][goal] = true;
                extent.add(bot);
                if (t % window != 0)
                    continue;
                ASSERT_TRUE(extent.moved())
                    << "stuck near column " << static_cast<int>(bot.get_x()) / cell << ", row "
                    << static_cast<int>(bot.get_y()) / cell << " from spawn point " << start
                    << ", seed " << seed << ", tick " << t;
                extent.restart(bot);
            }
        }
    }
    // Walking on from where one got to: the transitive closure of `reaches`.
    for (size_t via = 0; via < nsp; via++)
        for (auto& from : reaches)
            if (from[via])
                for (size_t to = 0; to < nsp; to++)
                    from[to] = from[to] || reaches[via][to];
    for (size_t start = 0; start < nsp; start++)
        for (size_t goal = 0; goal < nsp; goal++)
            EXPECT_TRUE(start == goal || reaches[start][goal])
                << "bots from spawn point " << start << " never get to spawn point " << goal
                << " (column " << spawn_cells[goal] % columns() << ", row "
                << spawn_cells[goal] / columns() << ")";
}
