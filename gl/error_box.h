#pragma once
// Every "ERROR" and "SHUTDOWN ERROR" message goes through here. The product
// shows a modal message box with no owner; tests install a sink that records
// the messages instead of waiting for a user.

using ErrorBoxSink = void (*)(const char* text, const char* caption, unsigned flags);

extern ErrorBoxSink errorBoxSink;

void showErrorBox(const char* text, const char* caption, unsigned flags);
