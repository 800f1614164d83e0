#include "panel/options_dialog.h"

#include "panel/set_options_panel.h"

void ShowOptionsDialog(ShaderInstance *instance) {
    SetOptionsPanel dialog(*instance);
    dialog.Open(PANF_BLOCKING | PANF_FRAME);
}
