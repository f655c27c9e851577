#include "effects/bouncing_body.h"

#include <algorithm>
#include <cmath>

#include "map/cmap.h"

namespace {

const double pi = 3.14159265358979323846;
const float rest_speed = 0.5f;
const double spin_speed = 0.05;
const float step_length = 1;
const float bounce_keep = 0.5f;

// Moves `position` towards `target` one unit at a time while the contact
// point ahead is free and the body has not gone past the margin of an edge
// at 0 and `edge`.
template <class Blocked>
void sweep_axis(float& position, float target, float speed, float edge, const bounce_numbers& numbers,
                Blocked blocked)
{
    if (speed > 0) {
        while (position < target && position - numbers.margin < edge && !blocked(position + numbers.probe))
            position += std::min(target - position, step_length);
    } else if (speed < 0) {
        while (position > target && position + numbers.margin >= 0 && !blocked(position - numbers.probe))
            position += std::max(target - position, -step_length);
    }
}

bool off_map(const bouncing_body& body, float margin)
{
    return body.x + margin < 0 || body.x - margin >= map.get_width() || body.y + margin < 0 ||
           body.y - margin >= map.get_height();
}

}  // namespace

bool at_rest(const bouncing_body& body, const bounce_numbers& numbers)
{
    return std::fabs(body.vx) < rest_speed && std::fabs(body.vy) < rest_speed &&
           solid_at(body.x, body.y + numbers.probe);
}

bool falls(const bouncing_body& body)
{
    return !solid_at(body.x, body.y + 1);
}

float spun(float angle, float s)
{
    const double turned = angle + spin_speed * s;
    return static_cast<float>(turned < pi ? turned : -pi);
}

flight fly(bouncing_body& body, float s, const bounce_numbers& numbers)
{
    const float tx = body.x + body.vx * s;
    const float ty = body.y + body.vy * s;
    sweep_axis(body.x, tx, body.vx, static_cast<float>(map.get_width()), numbers,
               [&body](float a) { return solid_at(a, body.y); });
    sweep_axis(body.y, ty, body.vy, static_cast<float>(map.get_height()), numbers,
               [&body](float b) { return solid_at(body.x, b); });
    if (off_map(body, numbers.margin))
        return flight::left_map;
    if (body.x == tx && body.y == ty)
        return flight::clear;
    if (body.x != tx) {
        body.vx = -bounce_keep * body.vx;
        body.vy = bounce_keep * body.vy;
    }
    if (body.y != ty) {
        body.vx = bounce_keep * body.vx;
        body.vy = -bounce_keep * body.vy;
    }
    return flight::bounced;
}
