#pragma once
// A run on every output: one process of its own draws each output, started
// when the output appears and ended with it; the input that ends any of them,
// a stop signal or the compositor's end ends them all.

// The environment variable that names a drawing process's output (its
// registry name) to the process.
constexpr const char* outputEnvironmentName = "NORWYN_WAYLAND_OUTPUT";
// How a drawing process says that its output went away, which ends only it.
constexpr int outputGoneExitCode = 3;

// Watches the outputs and the drawing processes until the run ends; returns
// its exit code: that of the process whose input ended it, 1 when the
// compositor closed the connection or a process failed, 0 on a stop signal.
int runOnEveryOutput(char** argv);
