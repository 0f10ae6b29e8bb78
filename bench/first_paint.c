// Waits for a top-level X window with the given name, then prints when it was mapped and when the
// X server first reported drawing into it, in Unix milliseconds, and ends. It sleeps in the X
// event queue, so it takes nothing from the program being timed.
//   first_paint <window name>    (prints "ready" once it listens, then "mapped T drawn T")
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The window's _NET_WM_NAME (UTF-8) is its name.
static int has_name(Display* d, Window w, const char* name) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* value = NULL;
  if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 256, False,
                         XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after,
                         &value) != Success ||
      !value)
    return 0;
  int same = count == strlen(name) && memcmp(value, name, count) == 0;
  XFree(value);
  return same;
}

// Windows may be gone by the time they are asked about.
static int ignore_errors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <window name>\n", argv[0]);
    return 2;
  }
  Display* d = XOpenDisplay(NULL);
  int damage_event, damage_error;
  if (!d || !XDamageQueryExtension(d, &damage_event, &damage_error)) return 1;
  XSetErrorHandler(ignore_errors);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);
  printf("ready\n");
  fflush(stdout);
  double mapped = 0;
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == CreateNotify) {
      XDamageCreate(d, e.xcreatewindow.window, XDamageReportNonEmpty);
    } else if (e.type == MapNotify && !mapped && has_name(d, e.xmap.window, argv[1])) {
      mapped = now_ms();
    } else if (e.type == damage_event + XDamageNotify) {
      XDamageNotifyEvent* n = (XDamageNotifyEvent*)&e;
      if (mapped && has_name(d, n->drawable, argv[1])) {
        printf("mapped %.1f drawn %.1f\n", mapped, now_ms());
        return 0;
      }
      XDamageSubtract(d, n->damage, None, None);
    }
  }
}
