// For tests that open a preview object's file (examples/preview) with the module beside the
// tests, with the settings its surfaces store or, as when the shader was just added, without.
#pragma once

#include <string>

#include "host/session/opened_object.h"

inline OpenRequest PreviewRequest(const std::string &stem, bool storedSettings = true) {
    OpenRequest request;
    request.object = std::string(VELMORA_EXAMPLES_DIR) + "/" + stem + ".lwo";
    request.modulePath = std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
    request.storedSettings = storedSettings;
    return request;
}
