// What Qt does not tell an X11 window manager: that the clock stays off the
// taskbar and the pager, and that a second copy brings the running one
// forward. Each call does nothing outside X11 (a native Wayland session).
#pragma once

#include <QtGlobal>

class QWidget;

namespace qov::qt::x11 {

// Marks the window, before it is mapped, to be left out of taskbars, pagers
// and the window switcher. A window manager erases the marks when it unmaps
// a window, so this goes before every show.
void SkipTaskbarAndPager(QWidget& w);

// Raises the top-level window of process `pid` titled `title` over the
// others, without giving it the keyboard. False when there is none.
bool RaiseWindowOf(qint64 pid, const char* title);

// Sends the requests made so far (a window's map among them) to the server
// now rather than when the event loop next waits.
void Flush();

}  // namespace qov::qt::x11
