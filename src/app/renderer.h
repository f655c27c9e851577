// What draws the display: a graphics card, or the processor in software.
#pragma once

#include <string>

// The OpenGL renderer's name for the current display ("llvmpipe (LLVM 15.0.6,
// 256 bits)", say), or "" when there is none.
std::string renderer_name();

// Whether a renderer of that name draws in software: Mesa's llvmpipe,
// softpipe and swrast, and others that say so.
bool software_renderer(const std::string& name);
