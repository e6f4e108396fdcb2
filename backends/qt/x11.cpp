#include "backends/qt/x11.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace qov::qt::x11 {

namespace {

// xcb's replies are malloc'ed.
struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* Connection() {
  if (!qGuiApp) return nullptr;
  auto* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x ? x->connection() : nullptr;
}

// The atoms asked once per run, all in one round trip: they are asked
// before the clock's window first shows. A blink shows it twice a second.
struct Atoms {
  xcb_atom_t state, skipTaskbar, skipPager, pid, name, utf8, clientList, restack;
  explicit Atoms(xcb_connection_t* c) {
    static constexpr const char* kNames[] = {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                                             "_NET_WM_PID",   "_NET_WM_NAME",               "UTF8_STRING",
                                             "_NET_CLIENT_LIST", "_NET_RESTACK_WINDOW"};
    xcb_intern_atom_cookie_t cookies[std::size(kNames)];
    for (size_t i = 0; i < std::size(kNames); ++i)
      cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(kNames[i])), kNames[i]);
    xcb_atom_t* fields[] = {&state, &skipTaskbar, &skipPager, &pid, &name, &utf8, &clientList, &restack};
    static_assert(std::size(fields) == std::size(kNames));
    for (size_t i = 0; i < std::size(kNames); ++i) {
      Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
      *fields[i] = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
  }
};

const Atoms& AtomsOf(xcb_connection_t* c) {
  static const Atoms atoms(c);
  return atoms;
}

// A 32-bit list property (atoms, windows, cardinals); empty when unset.
std::vector<uint32_t> List(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 4096), nullptr));
  if (!r || r->format != 32 || r->type != type) return {};
  const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
  return std::vector<uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

bool HasTitle(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type, const char* title) {
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 256), nullptr));
  if (!r || r->format != 8) return false;
  const size_t n = static_cast<size_t>(xcb_get_property_value_length(r.get()));
  return n == std::strlen(title) && std::memcmp(xcb_get_property_value(r.get()), title, n) == 0;
}

}  // namespace

void SkipTaskbarAndPager(QWidget& widget) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  const Atoms& a = AtomsOf(c);
  const auto w = static_cast<xcb_window_t>(widget.winId());
  // Qt merges its own states (on top) into what is there when it maps the
  // window; what is there stays.
  std::vector<uint32_t> states = List(c, w, a.state, XCB_ATOM_ATOM);
  bool changed = false;
  for (xcb_atom_t s : {a.skipTaskbar, a.skipPager}) {
    if (s == XCB_ATOM_NONE || std::find(states.begin(), states.end(), s) != states.end()) continue;
    states.push_back(s);
    changed = true;
  }
  if (!changed) return;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, a.state, XCB_ATOM_ATOM, 32, static_cast<uint32_t>(states.size()),
                      states.data());
}

bool RaiseWindowOf(qint64 pid, const char* title) {
  xcb_connection_t* c = Connection();
  if (!c || pid <= 0) return false;
  const Atoms& a = AtomsOf(c);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  // The window manager's list of the windows it manages; without one the
  // root's children are the top-level windows.
  std::vector<uint32_t> windows = List(c, root, a.clientList, XCB_ATOM_WINDOW);
  if (windows.empty()) {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (tree) {
      const xcb_window_t* kids = xcb_query_tree_children(tree.get());
      windows.assign(kids, kids + xcb_query_tree_children_length(tree.get()));
    }
  }
  for (const xcb_window_t w : windows) {
    const std::vector<uint32_t> owner = List(c, w, a.pid, XCB_ATOM_CARDINAL);
    if (owner.empty() || owner[0] != static_cast<uint32_t>(pid)) continue;
    if (!HasTitle(c, w, a.name, a.utf8, title) && !HasTitle(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title)) continue;
    // Asked of the window manager as a pager asks (source 2), which it
    // grants without moving the focus; without one the server restacks.
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = a.restack;
    e.data.data32[0] = 2;
    e.data.data32[1] = XCB_NONE;
    e.data.data32[2] = XCB_STACK_MODE_ABOVE;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
    return true;
  }
  return false;
}

void Flush() {
  if (xcb_connection_t* c = Connection()) xcb_flush(c);
}

}  // namespace qov::qt::x11
