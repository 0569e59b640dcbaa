// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/reveal_colours.h"

#include "model/numbers.h"

int revealIndex(double r) {
    return static_cast<int>(roundHalfEven(4.0 * r));
}

int RevealColours::nextIndex() {
    // The 32-bit draw over 2^32 is always below 1 and the same with every standard
    // library; the standard real distributions may round up to 1 and differ between
    // libraries, which would change the sequence from one build to the next.
    const double r = static_cast<double>(generator_()) / 4294967296.0;
    return revealIndex(r);
}
