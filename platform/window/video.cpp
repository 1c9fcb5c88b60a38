#include "video.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display_choice.h"
#include "render.h"
#include "window_placement.h"

namespace platform {

namespace {

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

// The area for windows on display `index` (the screen less panels and docks); empty when
// SDL cannot tell.
ScreenArea usable_area(int index) {
  SDL_Rect usable{};
  if (index < 0 || SDL_GetDisplayUsableBounds(index, &usable) != 0) return {};
  return {usable.x, usable.y, usable.w, usable.h};
}

}  // namespace

bool start_video() {
  DisplayNames names{environment("DISPLAY"), environment("WAYLAND_DISPLAY"), environment("SDL_VIDEODRIVER")};
  names.wayland_answers = wayland_answers(names.wayland, environment("XDG_RUNTIME_DIR"));
  const DisplayChoice choice = choose_display(names);
  if (choice.x_only) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // a thread of our own takes them
  if (!choice.worth_trying) {
    std::fprintf(stderr, "%s\n", failure_line(choice.failure, "").c_str());
    return false;
  }
  if (SDL_Init(SDL_INIT_VIDEO) == 0 && display_usable()) return true;
  const std::string report =
      SDL_GetError()[0] != '\0' ? SDL_GetError() : "only a stand-in video driver is available";
  std::fprintf(stderr, "%s\n", failure_line(choice.failure, report).c_str());
  SDL_Quit();
  return false;
}

Video::~Video() {
  if (sharp_ != nullptr) SDL_DestroyTexture(sharp_);
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

// Opens the window centred on the first display's area for windows, its top-left corner on
// the screen however small that is.
std::string Video::create_window() {
  const ScreenArea usable = usable_area(0);
  const ScreenArea start = recentre_window(usable, kStartPixelWidth, kStartPixelHeight, usable);
  const bool known = usable.width > 0 && usable.height > 0;
  window_ = SDL_CreateWindow("Untitled", known ? start.x : SDL_WINDOWPOS_CENTERED,
                             known ? start.y : SDL_WINDOWPOS_CENTERED, kStartPixelWidth, kStartPixelHeight,
                             SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) return failure_line("cannot open the window", SDL_GetError());
  SDL_GetWindowPosition(window_, &asked_x_, &asked_y_);
  return "";
}

std::string Video::create_renderer(DisplayInfo display) {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ != nullptr) {
    resize_screen(kStartPixelWidth, kStartPixelHeight);
    return "";
  }
  const int bits = display.depth > 0 ? display.depth : SDL_BITSPERPIXEL(SDL_GetWindowPixelFormat(window_));
  if (bits > 0 && bits < 15)
    return failure_line(
        display.name + " has " + std::to_string(bits) + "-bit colour; the window needs 16-bit colour or more",
        SDL_GetError());
  return failure_line("cannot draw in a window on " + display.name, SDL_GetError());
}

void Video::set_title(const std::string& title) { SDL_SetWindowTitle(window_, title.c_str()); }

void Video::set_icon() {
  std::vector<std::uint32_t> icon = make_icon();
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.data(), kIconSize, kIconSize, 32,
                                                            kIconSize * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window_, surface);
  SDL_FreeSurface(surface);
}

void Video::resize_screen(int width, int height) {
  picture_width_ = width;
  picture_height_ = height;
  make_picture_texture();
  place_window(width, height);
  shown_page_ = Page();
}

// The picture's texture for its present size, and the sharp stage to be made anew.
void Video::make_picture_texture() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               picture_width_, picture_height_);
  if (texture_ == nullptr)
    throw WindowFailure(failure_line("cannot make the picture's texture", SDL_GetError()));
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  if (sharp_ != nullptr) SDL_DestroyTexture(sharp_);
  sharp_ = nullptr;
  output_width_ = output_height_ = -1;
}

void Video::device_reset() {
  make_picture_texture();
  const Page page = std::move(shown_page_);
  shown_page_ = Page();
  draw(page);
}

// Gives the window the picture's size (and that as its least size), keeping the window's
// centre where it was unless the player has moved or resized it, and its top-left corner on
// the screen.
void Video::place_window(int width, int height) {
  ScreenArea before;
  SDL_GetWindowPosition(window_, &before.x, &before.y);
  SDL_GetWindowSize(window_, &before.width, &before.height);
  SDL_SetWindowMinimumSize(window_, width, height);
  SDL_SetWindowSize(window_, width, height);
  ScreenArea after = before;
  if (!placed_by_player_) {
    after = recentre_window(before, width, height, usable_area(SDL_GetWindowDisplayIndex(window_)));
    if (after.x != before.x || after.y != before.y) SDL_SetWindowPosition(window_, after.x, after.y);
  }
  asked_x_ = after.x;
  asked_y_ = after.y;
  asked_width_ = width;
  asked_height_ = height;
}

std::optional<bool> Video::ask_yes_no(const std::string& title, const std::string& text) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  const SDL_MessageBoxData box{
      SDL_MESSAGEBOX_ERROR, window_, title.c_str(), text.c_str(), 2, buttons, nullptr};
  int answer = 0;
  if (SDL_ShowMessageBox(&box, &answer) != 0) return std::nullopt;
  return answer == 1;
}

bool Video::show_message(const std::string& title, const std::string& text) {
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), window_) == 0;
}

void Video::mark_stale(int top, int bottom) {
  stale_top_ = stale_top_ < stale_bottom_ ? std::min(stale_top_, top) : top;
  stale_bottom_ = std::max(stale_bottom_, bottom);
}

void Video::draw(const Page& page) {
  const RowSpan rows = changed_rows(shown_page_, page);
  if (rows.empty()) return;  // the frame on show is this one
  const int width = page.columns * kGlyphWidth;
  pixels_.resize(static_cast<std::size_t>(width * page.rows * kGlyphHeight));
  render_rows(page, rows.first, rows.last, pixels_);
  const SDL_Rect area{0, rows.first * kGlyphHeight, width, (rows.last - rows.first + 1) * kGlyphHeight};
  SDL_UpdateTexture(texture_, &area, &pixels_[static_cast<std::size_t>(area.y * width)], width * 4);
  mark_stale(area.y, area.y + area.h);
  shown_page_ = page;
  show();
}

// Works out where the picture goes when the window's size has changed, and makes the
// intermediate texture of the sharp method for that size.
void Video::fit_to_window() {
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

void Video::show(bool all_rows_stale) {
  if (all_rows_stale) mark_stale(0, picture_height_);
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

// A window manager places the window before it is first drawn; a move after that, or a
// size other than the one asked for, is the player's.
void Video::exposed() {
  exposed_ = true;
  show();
}

void Video::moved(int x, int y) {
  if (exposed_ && (x != asked_x_ || y != asked_y_)) placed_by_player_ = true;
}

void Video::resized(int width, int height) {
  if (width != asked_width_ || height != asked_height_) placed_by_player_ = true;
}

}  // namespace platform
