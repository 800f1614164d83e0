// The body of POST /api/set: {"surface": NAME, "set": NAME, "enabled": BOOL, "angle": DEGREES,
// "sameSetOnly": BOOL}, the names required, the rest optional.
#pragma once

#include <string_view>

#include "tools/view/view_object.h"

// Throws ViewRequestError 400 saying what is wrong: not JSON, not an object, a name missing, a
// field of the wrong type, a field the request does not know.
SetEdit ReadSetEdit(std::string_view body);

// What /api/sets-from asks for: {"from": SOURCE}, a --sets-from name or "" for the object's own
// state. Throws ViewRequestError 400 as ReadSetEdit does.
std::string ReadSetSource(std::string_view body);
