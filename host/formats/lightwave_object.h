// LightWave object files of every form the host reads (LWO3, LWO2 and LWOB), told apart by the
// form type in their header, as the host tells them apart whatever the file is named.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/scene/scene.h"

// The form type of an IFF file ("LWO3", "LWO2", "LWOB"...), or empty when the bytes do not
// start like one.
std::string IffFormType(std::span<const std::uint8_t> bytes);

// Throws FormatError naming `filename`, the place and the problem; a form of another type is
// refused naming the forms that are read.
ObjectFile ParseLightWaveObject(std::span<const std::uint8_t> bytes, const std::string &filename);
