// "Pressed this update": a button or key acts once per press, on the update
// it goes down, and never for a press held since the latch was set. The
// screens' clicks share it.
#pragma once

class press_latch {
public:
    // Whatever is down now must be let go before it counts: at a screen's
    // start, so the click that opened it does nothing there.
    void hold() { held = true; }
    // True on the update `down` first holds after being up.
    bool pressed(bool down)
    {
        const bool fresh = down && !held;
        held = down;
        return fresh;
    }

private:
    bool held = false;
};
