#pragma once
// Stay-on-top on an X server where no window manager runs (a bare Xvfb, say). A shown window
// asks the window manager to change its _NET_WM_STATE; with nobody to answer, the state would
// keep saying what it said when the window was first shown. Here the window writes it itself.
class QWindow;

namespace quarvel::x11 {

// After the stay-on-top hint of a shown window was switched. Does nothing where a window
// manager runs or where the program does not run on X11.
void StaysOnTopWithoutWindowManager(QWindow* window, bool on);

}  // namespace quarvel::x11
