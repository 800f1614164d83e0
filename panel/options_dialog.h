// Shows the modal options dialog for one shader instance.
#pragma once

struct ShaderInstance;

void ShowOptionsDialog(ShaderInstance *instance);
