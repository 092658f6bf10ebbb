// Light::apply: a light of the list set up and enabled as OpenGL light GL_LIGHT1 + its number.
// GL contract: needs the context the light is for; its position is transformed by the modelview
// matrix current at the call (identity at start-up, so the direction stays in eye coordinates).
// Leaves that light's colours and position set and the light enabled; touches nothing else.
#include "assets/light.h"

#include <windows.h>
#include <GL/gl.h>

int Light::apply(const char* key, int start_count) {
    int number = 0;
    Light* light = find_numbered(key, start_count, &number);
    if (light == nullptr) return 0;
    light->update_applied();
    const GLenum id = static_cast<GLenum>(GL_LIGHT1 + number);
    glLightfv(id, GL_AMBIENT, light->ambient);
    glLightfv(id, GL_DIFFUSE, light->diffuse);
    glLightfv(id, GL_SPECULAR, light->specular);
    if (light->type == LIGHT_DIRECTIONAL) {
        // A fourth component of 0 makes it a direction towards the light.
        glLightfv(id, GL_POSITION, light->applied_direction);
    } else if (light->type == LIGHT_POINT) {
        glLightfv(id, GL_POSITION, light->applied_position);
        glLightf(id, GL_CONSTANT_ATTENUATION, 0.0f);
        glLightf(id, GL_LINEAR_ATTENUATION, 5.0f);
        glLightf(id, GL_QUADRATIC_ATTENUATION, 3.0f);
    }
    glEnable(id);
    return 1;
}
