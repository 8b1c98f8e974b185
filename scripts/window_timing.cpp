// Times the real program on a large maze in an X display, as a user sees it:
// start to titled and painted window, resident memory, and how long Make
// Maze, a zoom step, a path step and bursts of zoom keys take until the
// screen shows their result. Keys are sent through XTest; the screen is read
// back with XGetImage every half millisecond. Built and run by
// scripts/measure_large_board.sh:
//   window_timing MAZE_FILE PROGRAM [--start-only]
// Prints one line per figure.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern "C" int XTestFakeKeyEvent(Display*, unsigned int keycode, Bool isPress, unsigned long delay);

namespace {

using Clock = std::chrono::steady_clock;
Display* display = nullptr;
pid_t child = 0;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

void sleepMs(double ms)
{
    std::this_thread::sleep_for(std::chrono::microseconds(long(ms * 1000)));
}

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string windowName(Window w)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    std::string name;
    if (XGetWindowProperty(display, w, netName, 0, 1024, False, AnyPropertyType, &type, &format, &items, &after, &data)
            == Success
        && data) {
        name.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
    }
    return name;
}

Window findWindow(const std::string& title)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable
                && windowName(children[i]) == title)
                found = children[i];
        }
        XFree(children);
    }
    return found;
}

struct Area {
    int x, y, w, h;
};

// The window's place on the screen, cut to the screen.
Area onScreen(Window w)
{
    XWindowAttributes a;
    XGetWindowAttributes(display, w, &a);
    int x = 0, y = 0;
    Window unused = 0;
    XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &unused);
    const int sw = DisplayWidth(display, DefaultScreen(display));
    const int sh = DisplayHeight(display, DefaultScreen(display));
    const int left = std::max(x, 0), top = std::max(y, 0);
    return {left, top, std::min(x + a.width, sw) - left, std::min(y + a.height, sh) - top};
}

// The screen's pixels in the area, as the server stores them.
std::vector<unsigned> grab(Area a)
{
    std::vector<unsigned> out;
    XImage* image = XGetImage(display, DefaultRootWindow(display), a.x, a.y, unsigned(a.w), unsigned(a.h), AllPlanes, ZPixmap);
    if (!image)
        return out;
    if (image->bits_per_pixel == 32) {
        out.resize(std::size_t(a.w) * std::size_t(a.h));
        for (int y = 0; y < a.h; ++y)
            std::memcpy(&out[std::size_t(y) * std::size_t(a.w)], image->data + std::ptrdiff_t(y) * image->bytes_per_line,
                        std::size_t(a.w) * 4);
        for (unsigned& pixel : out)
            pixel &= 0xFFFFFFu;
    } else {
        for (int y = 0; y < a.h; ++y)
            for (int x = 0; x < a.w; ++x)
                out.push_back(unsigned(XGetPixel(image, x, y)) & 0xFFFFFFu);
    }
    XDestroyImage(image);
    return out;
}

void key(KeySym sym, bool control = false)
{
    const unsigned code = XKeysymToKeycode(display, sym);
    const unsigned ctrl = XKeysymToKeycode(display, XK_Control_L);
    if (control)
        XTestFakeKeyEvent(display, ctrl, True, 0);
    XTestFakeKeyEvent(display, code, True, 0);
    XTestFakeKeyEvent(display, code, False, 0);
    if (control)
        XTestFakeKeyEvent(display, ctrl, False, 0);
    XFlush(display);
}

// Time the program's main thread has run, in ms (the scheduler's count).
double threadCpuMs()
{
    std::ifstream stat("/proc/" + std::to_string(child) + "/task/" + std::to_string(child) + "/schedstat");
    double ns = 0;
    stat >> ns;
    return ns / 1e6;
}

long residentKb(const char* field)
{
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return -1;
}

// Waits until the area shows something else than `before`, then until it
// has not changed for `quiet` ms. Returns the time of the first and of the
// last change after `from` (-1 if nothing changed within `limit` ms).
struct Change {
    double first = -1;
    double last = -1;
};
Change waitForChange(Area a, const std::vector<unsigned>& before, Clock::time_point from, double quiet = 150,
                     double limit = 60000)
{
    Change c;
    std::vector<unsigned> seen = before;
    for (;;) {
        const std::vector<unsigned> now = grab(a);
        const double t = msSince(from);
        if (now != seen) {
            if (c.first < 0)
                c.first = t;
            c.last = t;
            seen = now;
        } else if ((c.first >= 0 && t - c.last > quiet) || t > limit) {
            return c;
        }
        sleepMs(1);
    }
}

// Waits until the area shows `wanted`.
double waitFor(Area a, const std::vector<unsigned>& wanted, Clock::time_point from, double limit = 60000)
{
    for (;;) {
        if (grab(a) == wanted)
            return msSince(from);
        if (msSince(from) > limit)
            return -1;
        sleepMs(1);
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_timing MAZE_FILE PROGRAM [--start-only]\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string file = argv[1];

    const Clock::time_point start = Clock::now();
    child = fork();
    if (child == 0) {
        execl(argv[2], argv[2], file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    const std::string title = "Zubelo - " + file;
    Window window = 0;
    while (!(window = findWindow(title))) {
        if (msSince(start) > 20000) {
            std::fprintf(stderr, "no window titled %s\n", title.c_str());
            kill(child, SIGKILL);
            return 1;
        }
        sleepMs(0.5);
    }
    const double titled = msSince(start);
    // Painted: the silver border ring at the picture's top-left corner, found
    // in the window's left column below the menu and tool bars.
    Area whole = onScreen(window);
    double painted = -1;
    int pictureTop = -1;
    while (painted < 0 && msSince(start) < 20000) {
        const std::vector<unsigned> column = grab({whole.x + 2, whole.y, 1, whole.h});
        for (int y = 40; y < int(column.size()); ++y)
            if (column[std::size_t(y)] == 0xC0C0C0) {
                painted = msSince(start);
                pictureTop = y;
                break;
            }
        if (painted < 0)
            sleepMs(0.5);
    }
    std::printf("start to titled window: %.1f ms\n", titled);
    std::printf("start to painted picture: %.1f ms\n", painted);
    std::printf("resident after painting: %ld kB\n", residentKb("VmRSS:"));
    if (argc > 3 && std::strcmp(argv[3], "--start-only") == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return 0;
    }
    sleepMs(1000);
    std::printf("resident 1 s later: %ld kB\n", residentKb("VmRSS:"));

    // No window manager gives the window the focus: the keys go where the focus is.
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XFlush(display);
    sleepMs(200);
    whole = onScreen(window);
    const Area picture{whole.x, whole.y + pictureTop, std::min(whole.w, 300), std::min(whole.h - pictureTop - 30, 200)};
    std::printf("window %dx%d, picture area watched %dx%d\n", whole.w, whole.h, picture.w, picture.h);

    // One key: the time until the screen last changed, and the main
    // thread's run time meanwhile.
    struct Timed {
        std::vector<double> wall, cpu;
        void report(const char* what) const
        {
            std::printf("%s: %.1f ms on screen, %.1f ms main thread (median of %zu)\n", what, median(wall),
                        median(cpu), wall.size());
        }
    };
    auto timeKey = [&](KeySym sym, Timed& into) {
        const std::vector<unsigned> before = grab(picture);
        const double cpu = threadCpuMs();
        const Clock::time_point sent = Clock::now();
        key(sym);
        into.wall.push_back(waitForChange(picture, before, sent, 150, 10000).last);
        into.cpu.push_back(threadCpuMs() - cpu);
    };
    Timed make, zoomOut, zoomIn;
    for (int i = 0; i < 7; ++i)
        timeKey(XK_F5, make);
    make.report("Make Maze (F5), key to last change");
    for (int i = 0; i < 5; ++i) {
        timeKey(XK_d, zoomOut);
        timeKey(XK_f, zoomIn);
    }
    zoomOut.report("zoom D (20 to 19), key to last change");
    zoomIn.report("zoom F (19 to 20), key to last change");

    // Twenty F at the largest cell size change nothing; then one D: how
    // long after the last F does the window show the D?
    {
        const std::vector<unsigned> before = grab(picture);
        for (int i = 0; i < 20; ++i)
            key(XK_f);
        const Clock::time_point sent = Clock::now();
        key(XK_d);
        const Change c = waitForChange(picture, before, sent, 150, 60000);
        std::printf("20 x F at cell size 20, then D: D shown %.1f ms after it was sent\n", c.last);
        key(XK_f);
        waitForChange(picture, grab(picture), Clock::now(), 150, 60000);
    }

    // Holding D for 5 s, then F for 5 s (keys repeated 30 times a second):
    // how long after the last F does the window show cell size 20 again?
    {
        const std::vector<unsigned> at20 = grab(picture);
        for (const KeySym sym : {XK_d, XK_f}) {
            const Clock::time_point held = Clock::now();
            for (int i = 0; msSince(held) < 5000; ++i) {
                key(sym);
                const double next = (i + 1) * (1000.0 / 30);
                if (next > msSince(held))
                    sleepMs(next - msSince(held));
            }
        }
        const Clock::time_point released = Clock::now();
        std::printf("D held 5 s then F held 5 s: cell size 20 shown again %.1f ms after the last F\n",
                    waitFor(picture, at20, released));
    }

    // A path step, in the editing view (F2 leaves the maze; the question
    // whether to save the maze made since loading is answered No).
    {
        const std::vector<unsigned> maze = grab(picture);
        key(XK_F2);
        sleepMs(500);
        key(XK_n);
        waitForChange(picture, maze, Clock::now(), 200, 10000);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        sleepMs(200);
        Timed steps;
        for (int i = 0; i < 10; ++i)
            timeKey(i % 2 ? XK_Left : XK_Right, steps);
        steps.report("path step (cursor key), key to change");
    }

    std::printf("peak resident so far: %ld kB\n", residentKb("VmHWM:"));
    // A window enlarged far beyond the screen.
    XResizeWindow(display, window, 32767, 32767);
    XFlush(display);
    sleepMs(3000);
    std::printf("window resized to 32767x32767: resident %ld kB, peak %ld kB\n", residentKb("VmRSS:"),
                residentKb("VmHWM:"));

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
