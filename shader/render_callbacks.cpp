#include "shader/render_callbacks.h"

LWError init(LWInstance, int) {
    return nullptr;
}

void cleanup(LWInstance) {}
