// The polled pointer in logical units, for the screens' clicks.
#pragma once

float pointer_x();
float pointer_y();
