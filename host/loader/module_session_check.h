// A whole session of a host with a module file, as an artist's scene drives it: the options
// dialog sets a polygon set, a sample is shaded, the instance is saved in both stream forms and a
// fresh scene loads it. Prints every result, so that the transcripts of the 32-bit and the 64-bit
// module can be compared line by line.
#pragma once

#include <string>

// Throws std::runtime_error naming the step that could not be done.
void PrintModuleSession(const std::string &modulePath);
