// The four letters of an IFF identifier as error messages and logs show them: printable
// characters only, '?' for the others. Object files and the host's streams share these ids.
#pragma once

#include <string>

#include "hostapi/lwtypes.h"

std::string IdText(LWID id);
