#pragma once
// Puts the process-wide state back as a fresh process has it: every global
// the product's library declares, as processStateParts lists them. Each test,
// benchmark and fuzz input that touches them starts from here.

#include <vector>

void resetProcessState();

// One global of the product by the name the linker knows it by, and how it
// gets a fresh process's value; one that no run changes (built once from
// constants, or following what the system keeps for the whole process) is
// kept, and says why.
struct ProcessStatePart {
    const char* name;
    void (*reset)();
    const char* keptBecause;
};

// The globals of every platform, then this platform's own.
const std::vector<ProcessStatePart>& processStateParts();
std::vector<ProcessStatePart> platformStateParts();
