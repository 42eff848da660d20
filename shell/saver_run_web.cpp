// The loop keeps its shape under Asyncify: each frame waits for the browser's
// next animation frame, and the DOM events that came meanwhile have by then
// been turned into the input rules' answers.
#include "shell/saver_run_web.h"

#include "gl/gl_state.h"
#include "gl/gl_window_web.h"
#include "shell/saver_input.h"

#include <emscripten.h>
#include <emscripten/html5.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* canvas = "#canvas";

bool endRequested = false;
bool pointerSeen = false;

// clang-format off
EM_ASYNC_JS(void, nextAnimationFrame, (), {
    await new Promise(resolve => requestAnimationFrame(resolve));
});
// clang-format on

void endWhen(bool ends) {
    endRequested = endRequested || ends;
}

// The character a key types, as the rules take it: Escape as 0x1B, a key
// that types more than one character (Shift, F1, ...) as none.
char typedBy(const EmscriptenKeyboardEvent& event) {
    if (std::strcmp(event.key, "Escape") == 0)
        return 0x1B;
    if (event.ctrlKey && (event.key[0] == 'c' || event.key[0] == 'C') && event.key[1] == 0)
        return 0x03;
    return event.key[0] != 0 && event.key[1] == 0 ? event.key[0] : 0;
}

EM_BOOL onKey(int, const EmscriptenKeyboardEvent* event, void*) {
    endWhen(keyEndsRun(runPlan.endsOn, typedBy(*event)));
    return EM_FALSE;
}

EM_BOOL onButton(int, const EmscriptenMouseEvent*, void*) {
    endWhen(buttonEndsRun(runPlan.endsOn));
    return EM_FALSE;
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent*, void*) {
    endWhen(buttonEndsRun(runPlan.endsOn));
    return EM_FALSE;
}

// The first position a run sees is where the pointer stood when it began.
EM_BOOL onPointer(int, const EmscriptenMouseEvent* event, void*) {
    const CursorPoint position = {event->clientX, event->clientY};
    if (!pointerSeen) {
        pointerSeen = true;
        startCursor = position;
    }
    endWhen(pointerMoveEndsRun(runPlan.endsOn, position));
    return EM_FALSE;
}

void listen(bool on) {
    const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(target, nullptr, EM_FALSE, on ? onKey : nullptr);
    emscripten_set_mousedown_callback(target, nullptr, EM_FALSE, on ? onButton : nullptr);
    emscripten_set_wheel_callback(target, nullptr, EM_FALSE, on ? onWheel : nullptr);
    emscripten_set_mousemove_callback(target, nullptr, EM_FALSE, on ? onPointer : nullptr);
}

// The canvas draws at the size the page lays it out at.
void followCanvasSize() {
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size(canvas, &cssWidth, &cssHeight);
    const int width = cssWidth >= 1 ? static_cast<int>(cssWidth) : 1;
    const int height = cssHeight >= 1 ? static_cast<int>(cssHeight) : 1;
    if (width == viewportWidth && height == viewportHeight)
        return;
    emscripten_set_canvas_element_size(canvas, width, height);
    resizeViewport(width, height);
}

bool contextMade = false;

// The page keeps one context for all its runs: the saver view's canvas
// becomes the plain view's.
bool open() {
    endRequested = false;
    pointerSeen = false;
    if (!contextMade && !(contextMade = openWebGlWindow()))
        return false;
    viewportWidth = viewportHeight = 0;
    followCanvasSize();
    if (!initGlState()) {
        std::fprintf(stderr, "norwyn: the pictures cannot be loaded\n");
        return false;
    }
    listen(true);
    return true;
}

EventPoll pollEvent(int* exitCode) {
    if (endRequested) {
        *exitCode = 0;
        return EventPoll::Quit;
    }
    followCanvasSize();
    return EventPoll::Empty;
}

// The browser shows what was drawn once the page yields.
void swapBuffers() {
}

void close() {
    listen(false);
}

} // namespace

RunPlatform webRunPlatform() {
    return {open, {pollEvent, swapBuffers, nextAnimationFrame}, close, 1};
}
