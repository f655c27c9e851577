#include "app/renderer.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

std::string renderer_name()
{
    ALLEGRO_DISPLAY* current = al_get_current_display();
    if (!current || !(al_get_display_flags(current) & ALLEGRO_OPENGL))
        return "";
    // Asked through the library, so the program needs no link to OpenGL itself.
    using get_string = const GLubyte* (*)(GLenum);
    auto gl_get_string = reinterpret_cast<get_string>(al_get_opengl_proc_address("glGetString"));
    const GLubyte* name = gl_get_string ? gl_get_string(GL_RENDERER) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

bool software_renderer(const std::string& name)
{
    for (const char* word : {"llvmpipe", "softpipe", "swrast", "Software", "software"})
        if (name.find(word) != std::string::npos)
            return true;
    return false;
}
