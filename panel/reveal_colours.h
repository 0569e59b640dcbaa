// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The colours the drawing area passes through while it opens: a pseudo-random sequence
// of palette indices 0..4 with a fixed start, the same in every run and for every area.

#include <cstdint>
#include <random>

// The palette index for a draw r in [0, 1): 4r rounded half to even, so 0..4.
int revealIndex(double r);

class RevealColours {
public:
    // The next palette index of the sequence.
    int nextIndex();

private:
    static constexpr std::uint32_t kSeed = 5489u;
    std::mt19937 generator_{kSeed};
};
