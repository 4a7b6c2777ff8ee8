#pragma once

#include <string>

namespace tools {

// Reads a password: from the terminal without echo, asked twice when
// `confirm` (prompts on standard error), or else as the first line of
// standard input. Raises std::runtime_error when the two do not match or
// nothing can be read. The result is UTF-8 as typed.
std::string ReadPassword(bool confirm);

// A password of letters and digits that are hard to mistake for each other.
std::string GeneratePassword(int length);

}  // namespace tools
