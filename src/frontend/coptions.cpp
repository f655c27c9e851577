#include "frontend/coptions.h"

#include "app/shell.h"
#include "frontend/backdrop.h"

coptions::coptions()
{
    make_backdrop(backdrop);
}

float coptions::scale_x()
{
    return display ? al_get_display_width(display) / 1920.0f : 1.0f;
}

float coptions::scale_y()
{
    return display ? al_get_display_height(display) / 1080.0f : 1.0f;
}
