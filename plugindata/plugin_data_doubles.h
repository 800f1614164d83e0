// Doubles in the host's streams: 8 bytes each, most significant (sign and exponent) first, all
// values of one call in a single byte write or read.
#pragma once

#include "hostapi/lwio.h"

void PluginDataWriteDoubles(const LWSaveState *state, const double *values, int count);
// Returns the number of whole doubles read; the doubles the stream did not supply keep their
// values.
int PluginDataReadDoubles(const LWLoadState *state, double *values, int count);
