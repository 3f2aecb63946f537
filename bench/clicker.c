/* Clicks a screen point through XTest and reports how long it takes until a log file has
 * gained the given number of lines (one per browser start). Each line a browser writes is
 * "<CLOCK_REALTIME ns>"; the figure is from the button press to the last line's time.
 * Usage: clicker X Y LOGFILE LINES_PER_CLICK CLICKS
 * Prints one figure in ms per click. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long long realtime_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int count_lines(const char* path, long long* last) {
  FILE* f = fopen(path, "r");
  int n = 0;
  long long v;
  if (!f) return 0;
  while (fscanf(f, "%lld", &v) == 1) {
    ++n;
    *last = v;
  }
  fclose(f);
  return n;
}

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  const int x = atoi(argv[1]), y = atoi(argv[2]), per = atoi(argv[4]), clicks = atoi(argv[5]);
  Display* dpy = XOpenDisplay(NULL);
  if (!dpy) return 2;
  XTestFakeMotionEvent(dpy, -1, x, y, 0);
  XSync(dpy, False);
  usleep(100000);
  long long last = 0;
  int seen = count_lines(argv[3], &last);
  for (int i = 0; i < clicks; ++i) {
    const long long pressed = realtime_ns();
    XTestFakeButtonEvent(dpy, 1, True, 0);
    XTestFakeButtonEvent(dpy, 1, False, 0);
    XSync(dpy, False);
    const long long deadline = pressed + 10000000000LL;
    while (count_lines(argv[3], &last) < seen + per && realtime_ns() < deadline) usleep(200);
    seen += per;
    printf("%.2f\n", (last - pressed) / 1e6);
    fflush(stdout);
    usleep(600000);  /* beyond the double-click time */
  }
  return 0;
}
