#include "host/qt/x11_stacking.h"

#include <QGuiApplication>
#include <QWindow>

#if QUARVEL_WITH_XCB && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace quarvel::x11 {
namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
  xcb_atom_t atom = XCB_ATOM_NONE;
  if (reply) atom = reply->atom;
  free(reply);
  return atom;
}

// The 32-bit values of a window property; empty when it is not set.
std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type) {
  std::vector<uint32_t> values;
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
  if (reply && reply->format == 32) {
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    values.assign(data, data + xcb_get_property_value_length(reply) / 4);
  }
  free(reply);
  return values;
}

// A window manager that follows EWMH announces itself on the root window with a window of its
// own, which carries the same property.
bool WindowManagerRuns(xcb_connection_t* c, xcb_window_t root) {
  const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  const std::vector<uint32_t> onRoot = Property(c, root, check, XCB_ATOM_WINDOW);
  if (onRoot.empty()) return false;
  const std::vector<uint32_t> onChild = Property(c, onRoot[0], check, XCB_ATOM_WINDOW);
  return !onChild.empty() && onChild[0] == onRoot[0];
}

}  // namespace

void StaysOnTopWithoutWindowManager(QWindow* window, bool on) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!window || !x11 || !x11->connection() || !window->isVisible()) return;
  xcb_connection_t* c = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen || WindowManagerRuns(c, screen->root)) return;

  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
  const xcb_atom_t marks[] = {Atom(c, "_NET_WM_STATE_ABOVE"), Atom(c, "_NET_WM_STATE_STAYS_ON_TOP")};
  std::vector<uint32_t> atoms = Property(c, id, state, XCB_ATOM_ATOM);
  std::erase_if(
      atoms, [&](uint32_t a) { return std::find(std::begin(marks), std::end(marks), a) != std::end(marks); });
  if (on) atoms.insert(atoms.end(), std::begin(marks), std::end(marks));
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      static_cast<uint32_t>(atoms.size()), atoms.data());
  xcb_flush(c);
  // Nobody keeps it above the others either: it comes to the front now at least.
  if (on) window->raise();
}

}  // namespace quarvel::x11

#else

namespace quarvel::x11 {
void StaysOnTopWithoutWindowManager(QWindow*, bool) {}
}  // namespace quarvel::x11

#endif
