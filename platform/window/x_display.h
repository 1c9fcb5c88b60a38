// The X specifics of the window: the display's loss and waiting on the X connection. The
// only code that sees Xlib.
#pragma once

#include <memory>
#include <string>

#include "video.h"

namespace platform {

// From here on, losing the X display `name` ends the process at once with one line and
// exit code 1, whichever thread notices and whatever it was doing; so does an X error that
// says the window is gone. Call once, before SDL opens its connection, so that SDL's own
// error handler passes errors on to ours.
void watch_for_display_loss(const std::string& name);

class XConnection {
 public:
  // The window's connection when it is on X, checked to be alive and watched from here on;
  // null elsewhere, or when no wake-up can be made.
  static std::unique_ptr<XConnection> of(SDL_Window* window);
  ~XConnection();

  // The display and its depth, for failure messages.
  DisplayInfo info() const;
  // Waits until the connection or SDL has events, wake() was called, or `timeout_ms` pass
  // (-1: no limit).
  void wait(int timeout_ms);
  // Any thread: ends a wait, or the next one. Only the main thread touches the connection.
  void wake();

 private:
  struct Handles;
  explicit XConnection(std::unique_ptr<Handles> handles);
  std::unique_ptr<Handles> handles_;
};

}  // namespace platform
