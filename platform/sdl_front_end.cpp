// The SDL front end, the only code that includes SDL. The main thread owns the window,
// the renderer and the event loop; the game runs on a thread of its own and reaches the
// window only through the Host calls below, which queue work for the main thread. On X the
// main thread is also the only one that talks to the display's connection.
#include <SDL.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "display_choice.h"
#include "front_end.h"
#include "render.h"
#include "runtime_core.h"
#include "scaling.h"

// After our own headers: Xlib's macros (None, Bool, ...) reach only the code below.
#include <SDL_syswm.h>

namespace platform {
namespace {

constexpr int kAutoFrameMs = 33;
constexpr int kStopGraceMs = 400;
// Waits run on the steady clock, which stands still while the machine is suspended; each
// step is this short so that a wait ends on time by the boot-time clock after a resume.
constexpr std::int64_t kLongestWaitStepMs = 100;

// Milliseconds since boot, the time the machine was suspended included.
std::int64_t boot_time_ms() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

// Waits on `wake` until `done` holds or the boot-time clock reaches `until_ms`.
template <typename Done>
void wait_until_boot_time(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                          std::int64_t until_ms, Done done) {
  for (std::int64_t left = until_ms - boot_time_ms(); !done() && left > 0; left = until_ms - boot_time_ms()) {
    wake.wait_for(lock, std::chrono::milliseconds(std::min(left, kLongestWaitStepMs)), done);
  }
}

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

void watch_for_display_loss(const char* display) {
  std::snprintf(lost_display_line, sizeof lost_display_line,
                "valewarden: lost the connection to the display %s\n", display);
  XSetIOErrorHandler(on_display_lost);
}

class SdlHost final : public Host {
 public:
  // `waiting_signals` is the signal mask to wait with: the one that lets SIGINT and SIGTERM in.
  SdlHost(Uint32 wake_event, const sigset_t& waiting_signals)
      : wake_event_(wake_event), waiting_signals_(waiting_signals) {}
  void bind(Runtime& runtime) { runtime_ = &runtime; }

  // ---- Game-thread side ----
  std::int64_t monotonic_ms() override { return boot_time_ms(); }

  std::int64_t wall_ms_after_midnight() override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + ms;
  }

  void wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) override {
    std::unique_lock lock(wait_mutex_);
    wait_until_boot_time(wake_, lock, until_ms, [&] { return runtime_->input_count() != seen_inputs; });
  }

  void sleep_until(std::int64_t until_ms) override {
    std::unique_lock lock(wait_mutex_);
    wait_until_boot_time(wake_, lock, until_ms, [&] { return runtime_->stop_requested(); });
  }

  void input_arrived() override {
    { std::lock_guard lock(wait_mutex_); }
    wake_.notify_all();
  }

  void present_frame() override {
    std::unique_lock lock(frame_mutex_);
    const std::uint64_t wanted = ++frames_requested_;
    push_wake();
    frame_made_.wait(lock, [&] { return frames_presented_ >= wanted || closing_; });
  }

  void screen_changed() override {
    screen_dirty_ = true;
    if (!wake_pending_.exchange(true)) push_wake();
  }

  void set_title(const std::string& title) override {
    post([this, title] { SDL_SetWindowTitle(window_, title.c_str()); });
  }

  void set_icon() override {
    post([this] {
      std::vector<std::uint32_t> icon = make_icon();
      SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.data(), kIconSize, kIconSize, 32,
                                                                kIconSize * 4, SDL_PIXELFORMAT_ARGB8888);
      if (surface != nullptr) {
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
      }
    });
  }

  void set_screen_size(int width, int height) override {
    post([this, width, height] { resize_screen(width, height); });
  }

  bool ask_yes_no(const std::string& title, const std::string& text) override {
    return call([&] {
      const SDL_MessageBoxButtonData buttons[] = {
          {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
          {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
      };
      const SDL_MessageBoxData box{
          SDL_MESSAGEBOX_ERROR, window_, title.c_str(), text.c_str(), 2, buttons, nullptr};
      int answer = 0;
      return SDL_ShowMessageBox(&box, &answer) == 0 && answer == 1;
    });
  }

  void show_message(const std::string& title, const std::string& text) override {
    call([&] {
      return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), window_) == 0;
    });
  }

  // Wakes the main loop: through an eventfd on X, so that no other thread touches the
  // connection; elsewhere with an SDL event.
  void push_wake() {
    if (wake_fd_ >= 0) {
      const std::uint64_t one = 1;
      [[maybe_unused]] const ssize_t written = write(wake_fd_, &one, sizeof one);  // full: a wake is pending
      return;
    }
    SDL_Event event{};
    event.type = wake_event_;
    SDL_PushEvent(&event);
  }

  // ---- Main-thread side ----
  // Returns the empty string, or the line that says why the window cannot be had.
  std::string open_window();
  bool waits_on_x() const { return x_display_ != nullptr; }
  int run_event_loop(std::thread& game, const std::atomic<bool>& game_done, const int& exit_code);
  void close();

 private:
  void post(std::function<void()> work) {
    {
      std::lock_guard lock(tasks_mutex_);
      tasks_.push_back(std::move(work));
    }
    push_wake();
  }
  // Runs `work` on the main thread and waits for its answer.
  bool call(std::function<bool()> work) {
    auto task = std::make_shared<std::packaged_task<bool()>>(std::move(work));
    std::future<bool> answer = task->get_future();
    post([task] { (*task)(); });
    return answer.get();
  }
  void run_tasks();
  void resize_screen(int width, int height);
  void place_window(int width, int height);
  void wait_for_events(int timeout_ms);
  void handle(const SDL_Event& event);
  void handle_window(const SDL_WindowEvent& window);
  void draw_frame();
  void fit_to_window();
  void show_texture();

  Uint32 wake_event_;
  sigset_t waiting_signals_;
  int wake_fd_ = -1;
  Display* x_display_ = nullptr;
  Runtime* runtime_ = nullptr;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;  // the picture, one texel a pixel
  // The sharp method's intermediate stage: the picture at a whole scale, filtered down to
  // the window; null at whole scales and below the picture's own size.
  SDL_Texture* sharp_ = nullptr;
  // The rows of picture pixels that changed since the intermediate stage was drawn.
  int stale_top_ = 0, stale_bottom_ = 0;
  void mark_stale(int top, int bottom) {
    stale_top_ = stale_top_ < stale_bottom_ ? std::min(stale_top_, top) : top;
    stale_bottom_ = std::max(stale_bottom_, bottom);
  }
  int picture_width_ = 0, picture_height_ = 0;
  int output_width_ = -1, output_height_ = -1;  // the window size `placement_` was made for
  PicturePlacement placement_;
  SDL_Rect asked_{};  // the window's place and size as last set here
  bool exposed_ = false;
  bool placed_by_player_ = false;
  std::vector<std::uint32_t> pixels_;
  Page shown_page_;         // the page the texture holds
  bool needs_show_ = true;  // the window needs the texture shown again (new texture, expose)

  std::mutex wait_mutex_;
  std::condition_variable wake_;

  std::mutex frame_mutex_;
  std::condition_variable frame_made_;
  std::uint64_t frames_requested_ = 0;
  std::uint64_t frames_presented_ = 0;
  bool closing_ = false;

  std::atomic<bool> screen_dirty_{false};
  // A wake event is on its way to the main loop; cleared by the loop before it looks at
  // screen_dirty_, so a change after that always sends a new one.
  std::atomic<bool> wake_pending_{false};
  std::uint64_t shown_generation_ = ~0ULL;
  std::uint32_t last_frame_ticks_ = 0;

  std::mutex tasks_mutex_;
  std::deque<std::function<void()>> tasks_;

  KeyTranslator keys_;
};

std::string SdlHost::open_window() {
  window_ = SDL_CreateWindow("Untitled", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 400,
                             SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) return failure_line("cannot open the window", SDL_GetError());
  std::string display = "the display";
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
    x_display_ = info.info.x11.display;
    display = std::string("the X display ") + DisplayString(x_display_);
    watch_for_display_loss(DisplayString(x_display_));
    wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_fd_ < 0) x_display_ = nullptr;  // wait on SDL's own wake events instead
  }
  SDL_GetWindowPosition(window_, &asked_.x, &asked_.y);
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) {
    const int bits = x_display_ != nullptr ? DefaultDepth(x_display_, DefaultScreen(x_display_))
                                           : SDL_BITSPERPIXEL(SDL_GetWindowPixelFormat(window_));
    if (bits > 0 && bits < 15)
      return failure_line(
          display + " has " + std::to_string(bits) + "-bit colour; the window needs 16-bit colour or more",
          SDL_GetError());
    return failure_line("cannot draw in a window on " + display, SDL_GetError());
  }
  resize_screen(640, 400);
  return "";
}

void SdlHost::resize_screen(int width, int height) {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  picture_width_ = width;
  picture_height_ = height;
  output_width_ = output_height_ = -1;
  place_window(width, height);
  shown_generation_ = ~0ULL;
  shown_page_ = Page();
  needs_show_ = true;
  screen_dirty_ = true;
}

// Gives the window the picture's size (and that as its least size), keeping the window's
// centre where it was unless the player has moved or resized it.
void SdlHost::place_window(int width, int height) {
  int x = 0, y = 0, old_width = 0, old_height = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &old_width, &old_height);
  SDL_SetWindowMinimumSize(window_, width, height);
  SDL_SetWindowSize(window_, width, height);
  if (!placed_by_player_ && (old_width != width || old_height != height)) {
    x += (old_width - width) / 2;
    y += (old_height - height) / 2;
    SDL_SetWindowPosition(window_, x, y);
  }
  asked_ = {x, y, width, height};
}

void SdlHost::run_tasks() {
  std::deque<std::function<void()>> work;
  {
    std::lock_guard lock(tasks_mutex_);
    work.swap(tasks_);
  }
  for (auto& task : work) task();
}

// Makes a frame of page 0: redraws the rows that changed since the last frame and shows
// the result; a frame identical to the one on show needs no new upload.
void SdlHost::draw_frame() {
  std::uint64_t generation = 0;
  Page page = runtime_->snapshot(&generation);
  shown_generation_ = generation;
  last_frame_ticks_ = SDL_GetTicks();
  const bool same_size = page.columns == shown_page_.columns && page.rows == shown_page_.rows;
  int first = same_size ? page.rows : 0;
  int last = same_size ? -1 : page.rows - 1;
  for (int row = 0; same_size && row < page.rows; ++row) {
    const auto begin = static_cast<std::ptrdiff_t>(row * page.columns);
    if (!std::equal(page.cells.begin() + begin, page.cells.begin() + begin + page.columns,
                    shown_page_.cells.begin() + begin)) {
      first = std::min(first, row);
      last = row;
    }
  }
  if (first > last && !needs_show_) return;
  if (!same_size)
    pixels_.assign(static_cast<std::size_t>(page.columns * kGlyphWidth * page.rows * kGlyphHeight), 0);
  if (first <= last) {
    render_rows(page, first, last, pixels_);
    const int width = page.columns * kGlyphWidth;
    const SDL_Rect rows{0, first * kGlyphHeight, width, (last - first + 1) * kGlyphHeight};
    SDL_UpdateTexture(texture_, &rows, &pixels_[static_cast<std::size_t>(rows.y * width)], width * 4);
    mark_stale(rows.y, rows.y + rows.h);
  }
  shown_page_ = std::move(page);
  needs_show_ = false;
  show_texture();
}

// Works out where the picture goes when the window's size has changed, and makes the
// intermediate texture of the sharp method for that size.
void SdlHost::fit_to_window() {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  if (width == output_width_ && height == output_height_) return;
  output_width_ = width;
  output_height_ = height;
  placement_ = place_picture(picture_width_, picture_height_, width, height);
  if (sharp_ != nullptr) SDL_DestroyTexture(sharp_);
  sharp_ = nullptr;
  const int scale = placement_.intermediate_scale;
  if (!placement_.whole && scale > 1) {
    sharp_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               picture_width_ * scale, picture_height_ * scale);
    if (sharp_ != nullptr) {
      SDL_SetTextureBlendMode(sharp_, SDL_BLENDMODE_NONE);
      SDL_SetTextureScaleMode(sharp_, SDL_ScaleModeLinear);
    }
  }
  // Without an intermediate stage (scaling down, or no such texture to be had) the picture
  // itself is filtered to the window.
  const bool nearest = placement_.whole || sharp_ != nullptr;
  SDL_SetTextureScaleMode(texture_, nearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  mark_stale(0, picture_height_);
}

void SdlHost::show_texture() {
  fit_to_window();
  if (sharp_ != nullptr && stale_top_ < stale_bottom_) {
    // Only the rows that changed: at a whole scale, nearest-neighbour of a part is that part of the whole.
    const int scale = placement_.intermediate_scale;
    const SDL_Rect rows{0, stale_top_, picture_width_, stale_bottom_ - stale_top_};
    const SDL_Rect scaled{0, rows.y * scale, rows.w * scale, rows.h * scale};
    SDL_SetRenderTarget(renderer_, sharp_);
    SDL_RenderCopy(renderer_, texture_, &rows, &scaled);
    SDL_SetRenderTarget(renderer_, nullptr);
  }
  stale_top_ = stale_bottom_ = 0;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect picture{placement_.x, placement_.y, placement_.width, placement_.height};
  SDL_RenderCopy(renderer_, sharp_ != nullptr ? sharp_ : texture_, nullptr, &picture);
  SDL_RenderPresent(renderer_);
}

void SdlHost::handle(const SDL_Event& event) {
  if (event.type == wake_event_) return;
  switch (event.type) {
    case SDL_QUIT: runtime_->request_stop(); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: runtime_->apply(keys_.key(key_event_of(event.key))); break;
    case SDL_TEXTINPUT: runtime_->apply(keys_.text(event.text.text)); break;
    case SDL_WINDOWEVENT: handle_window(event.window); break;
    case SDL_RENDER_TARGETS_RESET:
      mark_stale(0, picture_height_);
      show_texture();
      break;
    default: break;
  }
}

void SdlHost::handle_window(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE: runtime_->request_stop(); break;
    case SDL_WINDOWEVENT_EXPOSED:
      exposed_ = true;
      show_texture();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: show_texture(); break;
    // A window manager places the window before it is first drawn; a move after that, or a
    // size other than the one asked for, is the player's.
    case SDL_WINDOWEVENT_MOVED:
      if (exposed_ && (window.data1 != asked_.x || window.data2 != asked_.y)) placed_by_player_ = true;
      break;
    case SDL_WINDOWEVENT_RESIZED:
      if (window.data1 != asked_.w || window.data2 != asked_.h) placed_by_player_ = true;
      break;
    default: break;
  }
}

// Waits until SDL has events, the game thread wakes the loop, or `timeout_ms` passes (-1:
// no limit). On X it polls the connection's socket and the eventfd itself, letting in the
// signals that SDL turns into a quit only while it waits.
void SdlHost::wait_for_events(int timeout_ms) {
  if (x_display_ == nullptr) {
    timeout_ms < 0 ? SDL_WaitEvent(nullptr) : SDL_WaitEventTimeout(nullptr, timeout_ms);
    return;
  }
  if (!SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) && XEventsQueued(x_display_, QueuedAfterFlush) == 0) {
    pollfd sources[] = {{ConnectionNumber(x_display_), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
    const timespec limit{timeout_ms / 1000, (timeout_ms % 1000) * 1000000L};
    ppoll(sources, 2, timeout_ms < 0 ? nullptr : &limit, &waiting_signals_);
  }
  std::uint64_t wakes = 0;
  [[maybe_unused]] const ssize_t taken = read(wake_fd_, &wakes, sizeof wakes);  // empties the counter
}

int SdlHost::run_event_loop(std::thread& game, const std::atomic<bool>& game_done, const int& exit_code) {
  std::uint32_t stop_seen_at = 0;
  while (!game_done) {
    int timeout = -1;
    if (screen_dirty_ && !runtime_->manual_display) {
      const std::uint32_t since = SDL_GetTicks() - last_frame_ticks_;
      timeout = since >= kAutoFrameMs ? 0 : static_cast<int>(kAutoFrameMs - since);
    }
    if (runtime_->stop_requested()) {
      if (stop_seen_at == 0) stop_seen_at = SDL_GetTicks();
      if (SDL_GetTicks() - stop_seen_at > kStopGraceMs) {
        std::fprintf(stderr, "valewarden: the game did not stop in time\n");
        std::_Exit(0);
      }
      timeout = timeout < 0 ? 20 : std::min(timeout, 20);
    }
    wait_for_events(timeout);
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle(event);
    wake_pending_ = false;
    run_tasks();
    // A frame the game asked for: drawn outside the lock, so that the renderer's own locks
    // never nest inside ours, and acknowledged up to the request seen before drawing.
    std::uint64_t requested = 0;
    {
      std::lock_guard lock(frame_mutex_);
      requested = frames_presented_ < frames_requested_ ? frames_requested_ : 0;
    }
    if (requested != 0) {
      draw_frame();
      {
        std::lock_guard lock(frame_mutex_);
        frames_presented_ = requested;
      }
      frame_made_.notify_all();
      continue;
    }
    if (screen_dirty_ && !runtime_->manual_display && SDL_GetTicks() - last_frame_ticks_ >= kAutoFrameMs) {
      screen_dirty_ = false;
      if (runtime_->generation() != shown_generation_) draw_frame();
    }
  }
  {
    std::lock_guard lock(frame_mutex_);
    closing_ = true;
  }
  frame_made_.notify_all();
  game.join();
  return exit_code;
}

void SdlHost::close() {
  if (sharp_ != nullptr) SDL_DestroyTexture(sharp_);
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_Quit();
  if (wake_fd_ >= 0) ::close(wake_fd_);
}

// Runs from the folder that holds the program, as the game expects.
void enter_program_folder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) std::filesystem::current_path(exe.parent_path(), error);
}

bool display_usable() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return false;
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  const bool stand_in = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  return !stand_in || (asked != nullptr && std::strstr(asked, driver) != nullptr);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Starts SDL's video on the display the environment names; when there is none to be had,
// prints one line naming what was tried, with what SDL's drivers reported.
bool start_video() {
  DisplayNames names{environment("DISPLAY"), environment("WAYLAND_DISPLAY"), environment("SDL_VIDEODRIVER")};
  names.wayland_answers = wayland_answers(names.wayland, environment("XDG_RUNTIME_DIR"));
  const DisplayChoice choice = choose_display(names);
  if (choice.x_only) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  if (choice.worth_trying) {
    if (SDL_Init(SDL_INIT_VIDEO) == 0 && display_usable()) {
      // From here on; the window's own connection is watched again once it is known.
      if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) watch_for_display_loss(names.x.c_str());
      return true;
    }
    const std::string report =
        SDL_GetError()[0] != '\0' ? SDL_GetError() : "only a stand-in video driver is available";
    std::fprintf(stderr, "%s\n", failure_line(choice.failure, report).c_str());
    SDL_Quit();
    return false;
  }
  std::fprintf(stderr, "%s\n", failure_line(choice.failure, "").c_str());
  return false;
}

}  // namespace

int run_windowed(void (*game)()) {
  enter_program_folder();
  // A dead display's socket must end in Xlib's I/O error, not in SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  // SIGINT and SIGTERM stay blocked in every thread, this one included, except while the
  // main loop waits: they then end its wait, and SDL turns them into a quit event.
  sigset_t signals, waiting;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, &waiting);
  if (!start_video()) return 1;
  SdlHost host(SDL_RegisterEvents(1), waiting);
  Runtime runtime(host);
  host.bind(runtime);
  runtime.install();
  const std::string failure = host.open_window();
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    host.close();
    return 1;
  }
  std::atomic<bool> game_done{false};
  int exit_code = 0;
  std::thread game_thread([&] {
    try {
      game();
    } catch (const ProgramExit& exit) {
      exit_code = exit.exit_code;
    }
    game_done = true;
    host.input_arrived();
    host.push_wake();
  });
  // Without an X connection to poll, the main loop waits in SDL, with the signals let in.
  if (!host.waits_on_x()) pthread_sigmask(SIG_SETMASK, &waiting, nullptr);
  const int code = host.run_event_loop(game_thread, game_done, exit_code);
  host.close();
  return code;
}

}  // namespace platform
