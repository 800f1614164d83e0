// The one error of the object-file readers and writers. Its text names the file, the place in
// it (chunk or line, byte offset) and the problem, ready to show to a user as it is.
#pragma once

#include <stdexcept>

class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
