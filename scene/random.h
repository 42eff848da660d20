#pragma once
// The drops' random numbers: the linear congruential generator that an
// unseeded Windows C runtime rand() follows, so that drops fall the same way
// on every platform. Values 0..32767.

#include <cstdint>

extern uint32_t randomState; // 1 at start, as an unseeded rand()

int nextRandom();
