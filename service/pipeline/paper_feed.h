// Paper feed commands for a distance in half dots.
#pragma once

#include <cstdint>

#include "service/pipeline/byte_sink.h"

// Longest feed one sequence may ask for, in half dots.
constexpr int64_t kMaxFeedHalfDots = 3780;

// Emits a feed of halfDots (limited to kMaxFeedHalfDots; 0 or less emits
// nothing): whole lines of twice lineSpacingDots where they fit, the rest as
// a fine feed.
void EmitFeed(ByteSink& out, int64_t halfDots, int32_t lineSpacingDots);
