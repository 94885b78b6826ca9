// The mirrored form of a character shown in a right-to-left run.
#pragma once

namespace platform {

// c itself when it has none.
char32_t Mirrored(char32_t c);

}  // namespace platform
