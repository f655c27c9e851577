#include "app/pointer.h"

#include "app/shell.h"
#include "frontend/coptions.h"

float pointer_x()
{
    return static_cast<float>(mouse.x) / coptions::scale_x();
}

float pointer_y()
{
    return static_cast<float>(mouse.y) / coptions::scale_y();
}
