#pragma once
// Every "ERROR" and "SHUTDOWN ERROR" message goes through here. Windows shows
// a modal message box with no owner, Linux prints the message on stderr;
// tests install a sink that records the messages instead.

using ErrorBoxSink = void (*)(const char* text, const char* caption, unsigned flags);

extern ErrorBoxSink errorBoxSink;

void showErrorBox(const char* text, const char* caption, unsigned flags);
