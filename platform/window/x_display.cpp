#include "x_display.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "display_choice.h"
#include "process_end.h"

// After our own headers: Xlib's macros (None, Bool, ...) reach only the code below.
#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

namespace {

char lost_display_line[320];
char lost_window_line[320];
// The socket of SDL's connection once the window is known; -1 before that, while only
// Xlib, whose I/O error handler covers it, uses the connection.
std::atomic<int> connection_socket{-1};
// The handler that was in place before ours: Xlib's own, for the errors that are not ours.
XErrorHandler earlier_error_handler = nullptr;
struct sigaction earlier_segv, earlier_bus;

// Xlib's fatal I/O error handler, whichever thread notices. In the child process from which
// SDL shows a message box it ends that child silently; the game's process says so itself.
int on_display_lost(Display*) { end_process(1, lost_display_line); }

// A window or drawable that no longer exists: another client destroyed the window.
int on_x_error(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) end_process(1, lost_window_line);
  return earlier_error_handler(display, error);
}

// Whether the server has closed the connection's socket. Async-signal-safe.
bool connection_closed() {
  pollfd connection{connection_socket.load(), POLLRDHUP, 0};
  return connection.fd >= 0 && poll(&connection, 1, 0) == 1 &&
         (connection.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

// The GL library can read a reply that a dead connection never gave and crash before Xlib
// notices the loss: a crash while the socket is closed is that loss. Any other crash goes
// to the action that was there before: a fault happens again on return, a signal sent by
// someone is raised again.
void on_crash(int number, siginfo_t* info, void*) {
  if (connection_closed()) end_process(1, lost_display_line);
  sigaction(number, number == SIGSEGV ? &earlier_segv : &earlier_bus, nullptr);
  if (info->si_code <= 0) raise(number);
}

}  // namespace

void watch_for_display_loss(const std::string& given_name) {
  const std::string name = printable(given_name);
  std::snprintf(lost_display_line, sizeof lost_display_line,
                "valewarden: lost the connection to the display %s\n", name.c_str());
  std::snprintf(lost_window_line, sizeof lost_window_line,
                "valewarden: the window on the display %s was destroyed by another program\n", name.c_str());
  XSetIOErrorHandler(on_display_lost);
  earlier_error_handler = XSetErrorHandler(on_x_error);
  struct sigaction crash {};
  crash.sa_sigaction = on_crash;
  crash.sa_flags = SA_SIGINFO;
  sigemptyset(&crash.sa_mask);
  sigaction(SIGSEGV, &crash, &earlier_segv);
  sigaction(SIGBUS, &crash, &earlier_bus);
}

struct XConnection::Handles {
  Display* display = nullptr;
  int wake_fd = -1;
};

std::unique_ptr<XConnection> XConnection::of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  auto handles = std::make_unique<Handles>();
  handles->display = info.info.x11.display;
  connection_socket = ConnectionNumber(handles->display);
  // A connection that died since SDL opened it ends the process here, in Xlib's I/O error
  // handler, before the GL library is handed it.
  XSync(handles->display, False);
  handles->wake_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (handles->wake_fd < 0) return nullptr;  // the main loop waits on SDL's own wake events instead
  return std::unique_ptr<XConnection>(new XConnection(std::move(handles)));
}

XConnection::XConnection(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

XConnection::~XConnection() { close(handles_->wake_fd); }

DisplayInfo XConnection::info() const {
  Display* display = handles_->display;
  return {"the X display " + printable(DisplayString(display)),
          DefaultDepth(display, DefaultScreen(display))};
}

void XConnection::wait(int timeout_ms) {
  Display* display = handles_->display;
  if (!SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) && XEventsQueued(display, QueuedAfterFlush) == 0) {
    pollfd sources[] = {{ConnectionNumber(display), POLLIN, 0}, {handles_->wake_fd, POLLIN, 0}};
    poll(sources, 2, timeout_ms);
  }
  std::uint64_t wakes = 0;
  [[maybe_unused]] const ssize_t taken =
      read(handles_->wake_fd, &wakes, sizeof wakes);  // empties the counter
}

void XConnection::wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written =
      write(handles_->wake_fd, &one, sizeof one);  // full: a wake is pending
}

}  // namespace platform
