// The folder of the running program, where the module file is installed beside it.
#pragma once

#include <string>

// Ends with a separator; empty when the system cannot tell.
std::string ExecutableDir();
