// The gun interface. Every living fighter holds one of the four guns; the gun
// follows its owner, keeps its magazine, cool-down and reload, and fires.
// The four guns differ only in numbers, so the cycle lives here once and each
// gun brings its own gun_numbers, picture and (for two of them) sounds.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

// The numbers one gun is made of; everything else is common to all four.
struct gun_numbers {
    int type;             // 0 pistol, 1 machine gun, 2 shotgun, 3 minigun
    float magazine;       // cartridges in a full magazine
    float reload_rate;    // cartridges refilled per tick of a reload
    float first_delay;    // delay of a new gun (the minigun's barrel starts at rest)
    float human_delay;    // cool-down after a shot that leaves cartridges, the human's gun
    float bot_delay;      // the same for a bot's gun
    bool rearms;          // a pull during the cool-down starts it again (semi-automatic)
    float pivot_right[2]; // pivot in the picture, facing right
    float pivot_left[2];  // pivot in the vertically flipped picture, facing left

    // The shot. Offsets are angles from the aim facing right; facing left
    // they change sign, as the picture is flipped.
    int bullets;          // per shot; the shotgun's pellets
    int power;            // health each bullet takes
    int spread_draws;     // direction = aim + (rand() % draws - draws / 2) x 0.0025; 0 = along the aim
    double muzzle_offset;
    double muzzle_distance;
    double casing_offset;
    double casing_distance;
    bool shotgun_shell;   // ejects a shotgun shell rather than a cartridge case
    ALLEGRO_SAMPLE* const* sound;  // the pair played by every shot
};

// What a gun is at a moment: all that its ticks change, and nothing made for
// sound or drawing, so a match snapshot copies it in one assignment.
struct gun_state {
    float ammo = 0;
    float angle = 0;
    float delay = 0;
    float x = 0;
    float y = 0;
    int owner = 0;
    int type = 0;
    bool dir = false;
    bool reloading = false;
    bool trigger = false;
    float frame = 0;  // the minigun's barrel picture, 0 <= frame < 3; the other guns leave it 0
};

class cbweapon : protected gun_state {
public:
    virtual ~cbweapon() = default;

    virtual float get_ammo();          // magazine fill, 0..1
    virtual float get_delay();
    virtual int get_type();            // 0 pistol, 1 machine gun, 2 shotgun, 3 minigun
    virtual bool get_reloading();
    virtual void draw() {}
    virtual void reload();
    virtual void shoot();              // pulls the trigger for the next update
    virtual void stop() {}             // called just before the owner destroys the gun
    virtual void update();             // one tick of the pistol, machine gun or shotgun

    // Match snapshots: a gun restored over a gun of its own type takes its
    // state and keeps its own sounds.
    const gun_state& get_state() const { return *this; }
    void set_state(const gun_state& state) { gun_state::operator=(state); }

protected:
    // Only the four guns are ever made.
    cbweapon(const gun_numbers& gun, int new_owner);

    // The steps of one tick, shared by every gun's update.
    void follow_owner();
    void run_reload();
    void cool_down();
    void shot();

    // Plays the shot's sound once; the guns with their own instances restart those instead.
    virtual void shot_sound();

    // Draws the gun's picture about its pivot, flipped when facing left.
    void draw_picture(ALLEGRO_BITMAP* picture) const;

    // The machine gun's and the minigun's own sound, one instance per variant.
    // Made only when audio works and the sample exists, so a silent machine
    // never hands the library a null; destroy_sounds clears the handles, so a
    // second call is harmless.
    static void make_sounds(ALLEGRO_SAMPLE_INSTANCE* (&sounds)[2], ALLEGRO_SAMPLE* const* pair);
    static void destroy_sounds(ALLEGRO_SAMPLE_INSTANCE* (&sounds)[2]);

private:
    // The shot's bullets, muzzle flash and casing (cbweapon_shot.cpp).
    void fire_shot();
    float bullet_direction() const;

    const gun_numbers& numbers;
};
