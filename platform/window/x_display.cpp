#include "x_display.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>

// After our own headers: Xlib's macros (None, Bool, ...) reach only the code below.
#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

namespace {

char lost_display_line[320];
std::atomic<bool> display_lost{false};

// Xlib's fatal I/O error handler: the first thread to notice prints the one line and ends
// the process at once; any other only waits for that end.
int on_display_lost(Display*) {
  if (!display_lost.exchange(true)) {
    [[maybe_unused]] const ssize_t written =
        write(STDERR_FILENO, lost_display_line, std::strlen(lost_display_line));
    _exit(1);
  }
  for (;;) pause();
}

}  // namespace

void watch_for_display_loss(const std::string& name) {
  std::snprintf(lost_display_line, sizeof lost_display_line,
                "valewarden: lost the connection to the display %s\n", name.c_str());
  XSetIOErrorHandler(on_display_lost);
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
  watch_for_display_loss(DisplayString(handles->display));
  handles->wake_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (handles->wake_fd < 0) return nullptr;  // the main loop waits on SDL's own wake events instead
  return std::unique_ptr<XConnection>(new XConnection(std::move(handles)));
}

XConnection::XConnection(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

XConnection::~XConnection() { close(handles_->wake_fd); }

DisplayInfo XConnection::info() const {
  Display* display = handles_->display;
  return {std::string("the X display ") + DisplayString(display),
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
