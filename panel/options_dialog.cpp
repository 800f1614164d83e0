#include "panel/options_dialog.h"

void ShowOptionsDialog(ShaderInstance *) {}
