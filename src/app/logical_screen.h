// Everything is drawn and hit-tested in a logical screen of this size in
// units; the display's transform scales it to the real window.
#pragma once

const int logical_width = 1920;
const int logical_height = 1080;
