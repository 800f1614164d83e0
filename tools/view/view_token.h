// The secret that every API call of a view carries: any process on the machine can reach a
// loopback port, so only a caller that was shown the printed address may read or change the object.
#pragma once

#include <string>
#include <string_view>

// 264 random bits from the system's source, written in the URL-safe base64 alphabet (letters,
// digits, '-' and '_'): 44 characters.
std::string NewViewToken();

// Whether `given` is `token`, in a time that does not depend on where they first differ.
bool TokenMatches(std::string_view given, std::string_view token);
