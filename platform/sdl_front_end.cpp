// The SDL front end, the only code that includes SDL. The main thread owns the window,
// the renderer and the event loop; the game runs on a thread of its own and reaches the
// window only through the Host calls below, which queue work for the main thread.
#include <SDL.h>
#include <pthread.h>
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

#include "front_end.h"
#include "render.h"
#include "runtime_core.h"

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

class SdlHost final : public Host {
 public:
  explicit SdlHost(Uint32 wake_event) : wake_event_(wake_event) {}
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

  // ---- Main-thread side ----
  bool open_window();
  int run_event_loop(std::thread& game, const std::atomic<bool>& game_done, const int& exit_code);
  void close();

 private:
  void push_wake() {
    SDL_Event event{};
    event.type = wake_event_;
    SDL_PushEvent(&event);
  }
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
  void handle(const SDL_Event& event);
  void draw_frame();
  void show_texture();

  Uint32 wake_event_;
  Runtime* runtime_ = nullptr;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
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

bool SdlHost::open_window() {
  window_ = SDL_CreateWindow("Untitled", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 400,
                             SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) return false;
  resize_screen(640, 400);
  return true;
}

void SdlHost::resize_screen(int width, int height) {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  SDL_RenderSetLogicalSize(renderer_, width, height);
  SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
  SDL_SetWindowSize(window_, width, height);
  shown_generation_ = ~0ULL;
  shown_page_ = Page();
  needs_show_ = true;
  screen_dirty_ = true;
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
  }
  shown_page_ = std::move(page);
  needs_show_ = false;
  show_texture();
}

void SdlHost::show_texture() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SdlHost::handle(const SDL_Event& event) {
  if (event.type == wake_event_) return;
  switch (event.type) {
    case SDL_QUIT: runtime_->request_stop(); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: runtime_->apply(keys_.key(key_event_of(event.key))); break;
    case SDL_TEXTINPUT: runtime_->apply(keys_.text(event.text.text)); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) runtime_->request_stop();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        show_texture();
      }
      break;
    default: break;
  }
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
    SDL_Event event;
    if (timeout < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeout)) {
      handle(event);
      while (SDL_PollEvent(&event)) handle(event);
    }
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
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_Quit();
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

}  // namespace

int run_windowed(void (*game)()) {
  enter_program_folder();
  const bool display_named = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
                             std::getenv("SDL_VIDEODRIVER") != nullptr;
  if (!display_named) {
    std::fprintf(stderr, "valewarden: no display to open the window on (DISPLAY is not set)\n");
    return 1;
  }
  // With only DISPLAY named, X11 is the one to use: no fallback to other drivers.
  if (std::getenv("WAYLAND_DISPLAY") == nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !display_usable()) {
    std::fprintf(stderr, "valewarden: no usable display: %s\n",
                 SDL_GetError()[0] != '\0' ? SDL_GetError() : "only a stand-in video driver is available");
    SDL_Quit();
    return 1;
  }
  SdlHost host(SDL_RegisterEvents(1));
  Runtime runtime(host);
  host.bind(runtime);
  runtime.install();
  if (!host.open_window()) {
    std::fprintf(stderr, "valewarden: cannot open the window: %s\n", SDL_GetError());
    host.close();
    return 1;
  }
  // Signals go to the main thread, whose SDL turns them into a quit event.
  sigset_t signals, previous;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, &previous);
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
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
  });
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  const int code = host.run_event_loop(game_thread, game_done, exit_code);
  host.close();
  return code;
}

}  // namespace platform
