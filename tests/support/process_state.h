#pragma once
// Puts the portable process-wide state back as a fresh process has it: the
// settings record, the scene state, no drop pool, the unseeded random state,
// a new frame clock, and the shell's run mode and input state. Each test,
// benchmark and fuzz input that touches them starts from here.
void resetProcessState();
