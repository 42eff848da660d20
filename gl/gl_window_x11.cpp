// GLX on X11. GLX can draw on any visual the X server offers GL for, and the
// visual is not ours to choose on a window someone else made: XScreenSaver
// picks the default visual (without xscreensaver-gl, one with no depth
// buffer), MATE's saver one of GLX's own. A window whose visual cannot carry
// the scene gets a child of a visual that can. Every failure is told on
// stderr and ends the run with exit code 1; no X error (BadMatch above all)
// is ever provoked, since a context is only made for a visual that GLX says
// it can draw on, and a child only in a window that can hold one.

#include "gl/gl_window_x11.h"

#include "gl/gl_headers.h"
#include "gl/gl_state.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

Display* display = nullptr;
Window saverWindow = 0;
Window drawingWindow = 0;
int windowWidth = 0, windowHeight = 0;

namespace {

GLXContext context = nullptr;
bool ownWindow = false;
bool ownChild = false;
Colormap ownColormap = 0;

// What the scene needs of a visual, as the .scr asks it of its pixel format:
// RGBA, double-buffered, with a depth buffer of at least 16 bits.
constexpr int wantedDepthBits = 16;

bool glxAvailable() {
    int errorBase = 0, eventBase = 0;
    if (glXQueryExtension(display, &errorBase, &eventBase))
        return true;
    std::fprintf(stderr, "norwyn: this X display offers no OpenGL (GLX)\n");
    return false;
}

bool suitsTheScene(XVisualInfo& visual) {
    int useGl = 0, rgba = 0, doubleBuffer = 0, depthBits = 0;
    glXGetConfig(display, &visual, GLX_USE_GL, &useGl);
    glXGetConfig(display, &visual, GLX_RGBA, &rgba);
    glXGetConfig(display, &visual, GLX_DOUBLEBUFFER, &doubleBuffer);
    glXGetConfig(display, &visual, GLX_DEPTH_SIZE, &depthBits);
    return useGl && rgba && doubleBuffer && depthBits >= wantedDepthBits;
}

// Where the GL offers it, a swap waits for the display's next refresh.
void swapOncePerRefresh() {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    using SwapIntervalMesa = int (*)(unsigned);
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    const auto offers = [&](const char* name) { return extensions && std::strstr(extensions, name); };
    if (offers("GLX_EXT_swap_control")) {
        const auto swapInterval = reinterpret_cast<SwapIntervalExt>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (swapInterval)
            swapInterval(display, drawingWindow, 1);
    } else if (offers("GLX_MESA_swap_control")) {
        const auto swapInterval = reinterpret_cast<SwapIntervalMesa>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (swapInterval)
            swapInterval(1);
    }
}

bool makeContext(XVisualInfo& visual) {
    context = glXCreateContext(display, &visual, nullptr, True);
    if (!context || !glXMakeCurrent(display, drawingWindow, context)) {
        std::fprintf(stderr, "norwyn: cannot make an OpenGL context for window 0x%lx\n", drawingWindow);
        return false;
    }
    swapOncePerRefresh();
    return true;
}

void setOwnWindowProperties(const char* title, const Geometry& geometry, int argc, char** argv) {
    XTextProperty name;
    char* titleText = const_cast<char*>(title);
    XStringListToTextProperty(&titleText, 1, &name);
    XSizeHints size = {};
    size.flags = PSize | (geometry.hasPosition ? USPosition : 0);
    size.width = geometry.width;
    size.height = geometry.height;
    XClassHint windowClass = {const_cast<char*>("norwyn"), const_cast<char*>("Norwyn")};
    XSetWMProperties(display, saverWindow, &name, &name, argv, argc, &size, nullptr, &windowClass);
    XFree(name.value);

    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, saverWindow, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
    const long pid = getpid();
    XChangeProperty(display, saverWindow, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, saverWindow, &deleteWindow, 1);
}

// A visual of the screen that suits the scene, one of the given depth when
// there is one (a child of the parent's depth is read back with it), else
// any; null when none suits.
XVisualInfo* sceneVisualOf(int screen, int depth) {
    XVisualInfo wanted = {};
    wanted.screen = screen;
    int count = 0;
    XVisualInfo* visuals = XGetVisualInfo(display, VisualScreenMask, &wanted, &count);
    int chosen = -1;
    for (int index = 0; index < count; ++index)
        if (suitsTheScene(visuals[index]) &&
            (chosen < 0 || (visuals[chosen].depth != depth && visuals[index].depth == depth)))
            chosen = index;
    XVisualInfo* found = nullptr;
    if (chosen >= 0) {
        wanted.visualid = visuals[chosen].visualid;
        found = XGetVisualInfo(display, VisualScreenMask | VisualIDMask, &wanted, &count);
    }
    if (visuals)
        XFree(visuals);
    return found;
}

// A child of the given window with a visual that suits the scene, filling
// it. It selects no input, so keys and pointer go on to the given window and
// whoever listens there; its size follows the given window's.
bool openFillingChild(Window window, const XWindowAttributes& attributes) {
    XVisualInfo* visual = sceneVisualOf(XScreenNumberOfScreen(attributes.screen), attributes.depth);
    if (!visual) {
        std::fprintf(stderr,
                     "norwyn: window 0x%lx has visual 0x%lx, and no visual of its screen has a double-buffered OpenGL "
                     "configuration with a depth buffer\n",
                     window, XVisualIDFromVisual(attributes.visual));
        return false;
    }
    ownColormap = XCreateColormap(display, attributes.root, visual->visual, AllocNone);
    XSetWindowAttributes child = {};
    child.colormap = ownColormap;
    child.background_pixel = 0;
    child.border_pixel = 0;
    // On the bare root window the child is a top-level one: no window manager
    // frames it, and it lies beneath every other window as the root does.
    child.override_redirect = True;
    drawingWindow =
        XCreateWindow(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                      static_cast<unsigned>(attributes.height), 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect, &child);
    ownChild = true;
    XMapWindow(display, drawingWindow);
    XLowerWindow(display, drawingWindow);
    const bool made = makeContext(*visual);
    XFree(visual);
    return made;
}

// X geometry counts a negative position from the right or bottom edge.
int placeOnScreen(int position, int size, int screenSize) {
    return position < 0 ? screenSize - size + position : position;
}

} // namespace

bool openOwnWindow(const char* title, const Geometry& geometry, int argc, char** argv) {
    if (!glxAvailable())
        return false;
    const int screen = DefaultScreen(display);
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE,    1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
                        1,        GLX_DEPTH_SIZE,   wantedDepthBits, None};
    XVisualInfo* visual = glXChooseVisual(display, screen, attributes);
    if (!visual) {
        std::fprintf(stderr, "norwyn: no visual of this display has a double-buffered OpenGL configuration\n");
        return false;
    }
    const Window root = RootWindow(display, screen);
    ownColormap = XCreateColormap(display, root, visual->visual, AllocNone);
    XSetWindowAttributes window = {};
    window.colormap = ownColormap;
    window.background_pixel = BlackPixel(display, screen);
    window.border_pixel = 0;
    window.event_mask = KeyPressMask | StructureNotifyMask;
    const int x = placeOnScreen(geometry.x, geometry.width, DisplayWidth(display, screen));
    const int y = placeOnScreen(geometry.y, geometry.height, DisplayHeight(display, screen));
    saverWindow = XCreateWindow(display, root, x, y, static_cast<unsigned>(geometry.width),
                                static_cast<unsigned>(geometry.height), 0, visual->depth, InputOutput, visual->visual,
                                CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &window);
    drawingWindow = saverWindow;
    ownWindow = true;
    windowWidth = geometry.width;
    windowHeight = geometry.height;
    setOwnWindowProperties(title, geometry, argc, argv);
    XMapRaised(display, saverWindow);
    const bool made = makeContext(*visual);
    XFree(visual);
    return made;
}

bool openGivenWindow(Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        std::fprintf(stderr, "norwyn: there is no window 0x%lx\n", window);
        return false;
    }
    saverWindow = window;
    windowWidth = attributes.width;
    windowHeight = attributes.height;
    // Sizes come from the window, and its end ends the run: both arrive as
    // structure events, which any number of clients may ask for.
    XSelectInput(display, window, StructureNotifyMask);
    if (attributes.c_class == InputOnly) {
        std::fprintf(stderr, "norwyn: window 0x%lx takes input only, and nothing can be drawn in it\n", window);
        return false;
    }
    if (!glxAvailable())
        return false;
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int found = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &found);
    if (!visual || !suitsTheScene(*visual)) {
        if (visual)
            XFree(visual);
        return openFillingChild(window, attributes);
    }
    drawingWindow = window;
    const bool made = makeContext(*visual);
    XFree(visual);
    return made;
}

void followGivenWindowSize(int width, int height) {
    if (ownChild && drawingWindow)
        XResizeWindow(display, drawingWindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void swapWindowBuffers() {
    glXSwapBuffers(display, drawingWindow);
}

void closeSaverWindow() {
    if (context) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
        context = nullptr;
    }
    // A given window that has gone away (saverWindow 0) took its child with it.
    if ((ownWindow || ownChild) && saverWindow)
        XDestroyWindow(display, drawingWindow);
    if (ownColormap)
        XFreeColormap(display, ownColormap);
    saverWindow = 0;
    drawingWindow = 0;
    ownColormap = 0;
    ownWindow = false;
    ownChild = false;
}
