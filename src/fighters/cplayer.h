// A fighter: the human's (record 0) or a bot. One class, split by concern over
// several source files: life cycle and damage, movement, human control, bot
// behaviour and drawing.
#pragma once

#include <memory>

#include <allegro5/allegro.h>

#include "match/match_shape.h"
#include "weapons/cbweapon.h"

// What a fighter is at a moment, apart from its gun: plain values that a
// match snapshot copies in one assignment.
struct fighter_state {
    float angle = 0;
    float frame = 0;
    float reaction = 0;
    float crowd_time = 0;
    float pause = 0;
    float grenade_wait = 0;
    float health = 0;
    float power = 0;
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    int heading = 0;
    int last_cell = -1;
    int head = 0;
    int id = 0;
    int kills = 0;
    int deaths = 0;  // not hashed: the replays' checkpoints from before it still hold
    int grenades = 0;
    int view_x = 0;  // a human's scroll of the map, where it last looked from
    int view_y = 0;
    bool active = false;
    bool bot = false;
    bool dir = false;
    ALLEGRO_COLOR colors[2] = {};
};

class cplayer : private fighter_state {
public:
    // The body centre, from the top-left corner of the 39 x 80 box.
    static constexpr int body_centre_x = 20;
    static constexpr int body_centre_y = 40;

    // Life cycle (cplayer.cpp)
    void init(int new_id);
    void reset() { active = false; }
    void update();
    void deinit();

    // A human who left a network match: a bot plays on in its place, from
    // this tick, as if it had just entered.
    void become_bot();
    // A player who came into a network match late takes over a bot's
    // fighter as it stands, from this tick, wearing `look` (hair, shirt,
    // pants) when given, with no kills or deaths yet.
    void become_human(const int* look = nullptr);

    // Combat (cplayer.cpp)
    // `cause`: the kill feed's name for the blow, a gun type or blow_grenade / blow_fall.
    void damage(float direction, float amount, int attacker, int cause = -1);
    void score(bool credit);

    // Drawing (cplayer_draw.cpp)
    void draw();

    float get_angle() const { return angle; }
    float get_health() const { return health; }
    float get_x() const { return x; }
    float get_y() const { return y; }
    int get_grenades() const { return grenades; }
    int get_id() const { return id; }
    int get_kills() const { return kills; }
    int get_deaths() const { return deaths; }
    bool get_active() const { return active; }
    bool get_dir() const { return dir; }
    bool get_bot() const { return bot; }
    // The gun's magazine fill, 0..1; an empty hand reads as empty.
    float get_ammo() const { return weapon ? weapon->get_ammo() : 0.0f; }
    // The gun in the fighter's hands, or none while waiting.
    cbweapon* get_weapon() const { return weapon.get(); }

    // Movement and collision (cplayer_move.cpp)
    void move_left();
    void move_right();
    void jump();
    bool down() const;
    bool up() const;
    bool left() const;
    bool right() const;
    void movement();
    void animation();

    // Human control (cplayer_human.cpp)
    void player_move();
    void player_screen();
    // Scrolls the map to this fighter's view.
    void show_view() const;
    void player_shoot();
    void aim(float dx, float dy, int spread);
    void grenade();

    // Bot behaviour (cplayer_bot.cpp)
    void bot_move();
    void bot_shoot();
    int bot_target();
    bool bot_enemy(int i, float px, float py) const;

    float get_frame() const { return frame; }
    float get_vx() const { return vx; }
    float get_vy() const { return vy; }
    float get_power() const { return power; }
    int get_head() const { return head; }
    ALLEGRO_COLOR get_color(int which) const { return colors[which]; }

    // Test seams: place a fighter and set its motion directly.
    void place(float new_x, float new_y, float new_vy = 0) { x = new_x; y = new_y; vy = new_vy; }
    void set_health(float value) { health = value; }
    // Test seam: put gun `number` (1..4) in the fighter's hands.
    void give_weapon(int number) { select_weapon(number); }
    // Test seams: a bot's walking mode as if it had just spawned with it.
    int get_heading() const { return heading; }
    void steer(int new_heading) { heading = new_heading; last_cell = -1; }
    float get_pause() const { return pause; }
    float get_reaction() const { return reaction; }

    // Match snapshots: the fighter apart from its gun, and the gun by its
    // type (-1 for empty hands) and state. A gun of another type is made
    // afresh; one of the same type keeps its sounds (cplayer.cpp).
    const fighter_state& get_state() const { return *this; }
    void set_state(const fighter_state& state) { fighter_state::operator=(state); }
    void restore_weapon(int type, const gun_state& state);

private:
    // Bots wait a skill-dependent number of ticks before acting on a target,
    // and a random while between grenades: set at spawn and after each throw.
    static constexpr float reaction_per_skill = 50;
    static constexpr int grenade_wait_range = 2700;
    static constexpr int grenade_wait_min = 300;

    // Life cycle helpers (cplayer.cpp)
    // A bot's reaction, pauses, grenade wait and heading as at its entry.
    void start_bot_mind();
    // Enters the arena at a random spawn point; false when the map has none.
    bool spawn();
    void select_weapon(int number);
    void select_color(bool which, int index);
    void drop_weapon();
    void live_tick();
    void wait_tick();
    void die(float direction, int attacker, int cause);
    void wound(float amount, int attacker);
    void spill_blood();
    void throw_flesh(float direction);
    void smoke_cloud();

    // The weapon type, or the pistol's while the hands are empty (cplayer_human.cpp).
    int weapon_type() const;
    // Bot helpers (cplayer_bot.cpp): acting on a target at (dx, dy), the
    // sight ray that only walls block, and looking the way it walks.
    void engage(float dx, float dy);
    bool in_sight(int i) const;
    void look_along_the_way();

    std::unique_ptr<cbweapon> weapon;
};

extern cplayer players[max_players];
