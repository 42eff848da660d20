#pragma once
// The Windows program's "ERROR" and "SHUTDOWN ERROR" messages all go through
// here: the product shows each as a modal message box with no owner, tests
// install a sink that records the messages instead. The Linux program has no
// boxes: each of its messages goes to stderr where it arises.

using ErrorBoxSink = void (*)(const char* text, const char* caption, unsigned flags);

extern ErrorBoxSink errorBoxSink;

void showErrorBox(const char* text, const char* caption, unsigned flags);
