#include "plugindata/settings_record.h"

LWError load(LWInstance, const LWLoadState *) {
    return nullptr;
}

LWError save(LWInstance, const LWSaveState *) {
    return nullptr;
}
