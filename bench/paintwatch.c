/* Starts a program and reports how long it takes until a screen pixel shows a given colour
 * (the program's first paint), then its peak resident memory a moment later.
 * Usage: paintwatch X Y RRGGBB SETTLE_MS PROGRAM [ARGS...]
 * Prints: "<ms to paint> <peak RSS in KiB>" */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static long peak_kib(pid_t pid) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* f = fopen(path, "r");
  long kib = -1;
  if (!f) return kib;
  while (fgets(line, sizeof line, f))
    if (sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  fclose(f);
  return kib;
}

int main(int argc, char** argv) {
  if (argc < 6) {
    fprintf(stderr, "usage: paintwatch X Y RRGGBB SETTLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int x = atoi(argv[1]), y = atoi(argv[2]);
  const unsigned long want = strtoul(argv[3], NULL, 16);
  const int settle = atoi(argv[4]);
  Display* dpy = XOpenDisplay(NULL);
  if (!dpy) return 2;
  const Window root = DefaultRootWindow(dpy);
  /* The root window keeps what the last program painted: clear it first. */
  XSetWindowBackground(dpy, root, BlackPixel(dpy, DefaultScreen(dpy)));
  XClearWindow(dpy, root);
  XSync(dpy, False);
  const double start = now_ms();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[5], argv + 5);
    _exit(127);
  }
  double painted = -1;
  while (now_ms() - start < 20000) {
    XImage* img = XGetImage(dpy, root, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = img ? XGetPixel(img, 0, 0) & 0xFFFFFF : 0;
    if (img) XDestroyImage(img);
    if (pixel == want) {
      painted = now_ms() - start;
      break;
    }
    usleep(500);
  }
  usleep(settle * 1000);
  const long kib = peak_kib(pid);
  kill(pid, SIGTERM);
  waitpid(pid, NULL, 0);
  printf("%.1f %ld\n", painted, kib);
  return painted < 0;
}
