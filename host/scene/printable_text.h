// Text from files and arguments made safe to show: a name may hold newlines or a terminal's
// escape sequences, which printed raw would break a message's one line or drive the terminal.
#pragma once

#include <string>
#include <string_view>

// `text` with each control character (C0, DEL, and C1 as UTF-8 encodes it) written as a
// backslash escape: \n, \r, \t or \xHH. Any other byte stays as it is, backslashes included,
// so that a Windows path reads as typed.
std::string PrintableText(std::string_view text);
