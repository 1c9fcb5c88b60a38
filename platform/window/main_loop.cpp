// The windowed front end's process and event loop. The main thread owns the window and
// runs the loop below until the game ends; the game runs on a thread of its own and
// reaches the window only through WindowHost, which queues work for this loop.
#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "boot_clock.h"
#include "front_end.h"
#include "process_end.h"
#include "runtime_core.h"
#include "stop_signals.h"
#include "video.h"
#include "window_host.h"
#include "x_display.h"

namespace platform {

namespace {

// While a stop is pending, the loop looks at the game this often.
constexpr std::int64_t kStopCheckMs = 20;

// Wakes the main loop from any thread: through the eventfd on X, so that no other thread
// touches the connection; elsewhere with an SDL event.
struct Waker {
  Uint32 event = SDL_RegisterEvents(1);
  XConnection* x = nullptr;
  void wake() const {
    if (x != nullptr) return x->wake();
    SDL_Event wake{};
    wake.type = event;
    SDL_PushEvent(&wake);
  }
};

// The plain values of a key event, for the key translator.
KeyEvent key_event_of(const SDL_KeyboardEvent& key) {
  const SDL_Keycode sym = key.keysym.sym;
  const Uint16 mod = key.keysym.mod;
  KeyEvent event;
  event.down = key.type == SDL_KEYDOWN;
  event.usage = key.keysym.scancode;
  event.symbol = (sym & SDLK_SCANCODE_MASK) != 0 ? 0 : static_cast<char32_t>(sym);
  event.modifiers = {(mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0, (mod & (KMOD_ALT | KMOD_MODE)) != 0,
                     (mod & KMOD_NUM) != 0};
  event.repeat = key.repeat != 0;
  return event;
}

class EventLoop {
 public:
  EventLoop(Video& video, WindowHost& host, Runtime& runtime, XConnection* x)
      : video_(video), host_(host), runtime_(runtime), x_(x) {}

  // Runs until the game is over: waits, hands on the events, runs the posted work and makes
  // the frames that are due.
  void run(const std::atomic<bool>& game_over) {
    while (!game_over) {
      wait(next_timeout());
      SDL_Event event;
      while (SDL_PollEvent(&event)) handle(event);
      host_.wake_seen();
      host_.work().run_pending();
      make_frames();
    }
    host_.close();
  }

 private:
  // Milliseconds until the loop has work of its own (-1: none): an automatic frame, or a
  // look at a stop that the game has not carried out yet.
  int next_timeout() {
    const std::int64_t now = boot_time_ms();
    std::int64_t timeout = runtime_.wait_before_frame(now);
    if (runtime_.stop_requested()) {
      if (stop_seen_ms_ < 0) stop_seen_ms_ = now;
      if (now - stop_seen_ms_ > kStopGraceMs) end_late_stop();
      timeout = timeout < 0 ? kStopCheckMs : std::min(timeout, kStopCheckMs);
    }
    return static_cast<int>(timeout);
  }

  void wait(int timeout_ms) {
    if (x_ != nullptr) return x_->wait(timeout_ms);
    timeout_ms < 0 ? SDL_WaitEvent(nullptr) : SDL_WaitEventTimeout(nullptr, timeout_ms);
  }

  void handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT: runtime_.request_stop(); break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: runtime_.apply(keys_.key(key_event_of(event.key))); break;
      case SDL_TEXTINPUT: runtime_.apply(keys_.text(event.text.text)); break;
      case SDL_WINDOWEVENT: handle_window(event.window); break;
      case SDL_RENDER_TARGETS_RESET: video_.show(true); break;
      case SDL_RENDER_DEVICE_RESET: video_.device_reset(); break;
      default: break;
    }
  }

  void handle_window(const SDL_WindowEvent& window) {
    switch (window.event) {
      case SDL_WINDOWEVENT_CLOSE: runtime_.request_stop(); break;
      case SDL_WINDOWEVENT_EXPOSED: video_.exposed(); break;
      case SDL_WINDOWEVENT_SIZE_CHANGED: video_.show(); break;
      case SDL_WINDOWEVENT_MOVED: video_.moved(window.data1, window.data2); break;
      case SDL_WINDOWEVENT_RESIZED: video_.resized(window.data1, window.data2); break;
      default: break;
    }
  }

  // A frame the game asked for, acknowledged up to the request seen before drawing; else
  // the automatic frame when one is due. Drawn outside every lock of ours, so that the
  // renderer's own locks never nest inside them.
  void make_frames() {
    const std::int64_t now = boot_time_ms();
    if (const std::uint64_t request = host_.frame_requested(); request != 0) {
      video_.draw(runtime_.take_frame(now));
      host_.frames_made(request);
      return;
    }
    if (const std::optional<Page> page = runtime_.take_due_frame(now)) video_.draw(*page);
  }

  Video& video_;
  WindowHost& host_;
  Runtime& runtime_;
  XConnection* x_;
  KeyTranslator keys_;
  std::int64_t stop_seen_ms_ = -1;
};

// Within a catch: ends the process for the failure being handled, with one line naming it
// and exit code 1.
[[noreturn]] void end_for_failure() {
  std::string line;
  try {
    throw;
  } catch (const WindowFailure& failure) {
    line = std::string(failure.what()) + "\n";
  } catch (...) {
    line = unexpected_error_line();
  }
  end_process(1, line.c_str());
}

// Opens the window and runs the game in it; returns the exit code.
int run_in_window(void (*game)()) {
  Video video;
  Waker waker;
  WindowHost host(video, [&waker] { waker.wake(); });
  Runtime runtime(host);
  host.bind(runtime);
  runtime.install();
  std::string failure = video.create_window();
  const std::unique_ptr<XConnection> x = failure.empty() ? XConnection::of(video.window()) : nullptr;
  if (failure.empty()) failure = video.create_renderer(x != nullptr ? x->info() : DisplayInfo{});
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    return 1;
  }
  waker.x = x.get();
  if (!game_starting(runtime)) return 0;  // a stop signal came while the window opened
  std::atomic<bool> game_over{false};
  std::atomic<bool> joining{false};
  int exit_code = 0;
  std::thread game_thread([&] {
    exit_code = run_program(game);
    game_ended(exit_code);
    game_over = true;
    waker.wake();
    // Ends only once joined: a process ended while the main thread hangs (a stop signal's
    // grace running out) holds a waiting thread then, not an ended one that nobody joined.
    joining.wait(false);
  });
  try {
    EventLoop(video, host, runtime, x.get()).run(game_over);
  } catch (...) {
    // Nothing here may be destroyed while the game thread runs on it: the game is asked to
    // stop, every wait of its on this thread ends, and the process ends at once.
    runtime.request_stop();
    host.close();
    end_for_failure();
  }
  joining = true;
  joining.notify_one();
  game_thread.join();
  return exit_code;
}

}  // namespace

int run_windowed(void (*game)()) {
  enter_program_folder();
  end_children_with_process();
  // A dead display's socket must end in Xlib's I/O error, not in SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  take_stop_signals();
  // Before SDL opens its X connection, so that the display's loss is ours from the start.
  const char* display = std::getenv("DISPLAY");
  watch_for_display_loss(display != nullptr ? display : "");
  try {
    if (!start_video()) return 1;
    const int exit_code = run_in_window(game);
    SDL_Quit();
    return exit_code;
  } catch (...) {
    end_for_failure();
  }
}

}  // namespace platform
