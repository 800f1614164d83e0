// The limits a request's head (its request line and headers) must keep before the view's
// server reads it: the library bounds the length of one header line but neither their number
// nor the head's size, and keeps every line it reads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// As large a head as a browser sends many times over, and as nginx takes by default.
constexpr std::size_t LargestRequestHead = 32 * 1024;
// Apache's default number of header lines.
constexpr std::size_t MostHeaderLines = 100;

enum class HeadState {
    Arriving,        // within the limits, not yet ended by an empty line
    Complete,        // ended within the limits
    TooLarge,        // too many header lines, or too many bytes: 431
    AddressTooLong,  // the request line alone is past the limit on the whole head: 414
};

// Judges the bytes received so far on a connection, which may run past the head into a body.
HeadState JudgeHead(std::string_view received);

// Whether a complete head carries `token`, in an X-Velmora-Token header or in the address's
// query, where the server takes it from.
bool HeadCarriesToken(std::string_view head, std::string_view token);
