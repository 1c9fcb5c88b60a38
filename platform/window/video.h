// The window and what is drawn in it, on the main thread: the window and its renderer,
// the picture's texture with the rows of cells that changed, the sharp scaling stage,
// the window's size and place, and the message boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "scaling.h"
#include "text_screen.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

// The window cannot go on (a texture it needs cannot be made); what() is the line to print.
struct WindowFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Starts SDL's video on the display the environment names; when there is none to be had,
// prints one line naming what was tried, with what SDL's drivers reported.
bool start_video();

// What the failure messages name: "the X display :0", or "the display"; its colour depth
// in bits, 0 when unknown.
struct DisplayInfo {
  std::string name = "the display";
  int depth = 0;
};

class Video {
 public:
  Video() = default;
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;
  ~Video();

  // Each returns the empty string, or the line that says why the window cannot be had.
  std::string create_window();
  std::string create_renderer(DisplayInfo display);
  SDL_Window* window() const { return window_; }

  void set_title(const std::string& title);
  void set_icon();
  // A new screen mode: a picture of this size, and the window fitted to it.
  void resize_screen(int width, int height);
  // True for yes, false for no; nothing when the box cannot be shown.
  std::optional<bool> ask_yes_no(const std::string& title, const std::string& text);
  bool show_message(const std::string& title, const std::string& text);

  // Draws the rows of `page` that differ from the page on show, and shows the picture.
  void draw(const Page& page);
  // Shows the picture again: the window was exposed or resized, or lost its targets.
  void show(bool all_rows_stale = false);
  // The render device was reset and every texture with it: makes them again and draws the
  // whole picture.
  void device_reset();

  // The window manager's word on the window's place and size.
  void exposed();
  void moved(int x, int y);
  void resized(int width, int height);

 private:
  void make_picture_texture();
  void place_window(int width, int height);
  void fit_to_window();
  void mark_stale(int top, int bottom);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;  // the picture, one texel a pixel
  // The sharp method's intermediate stage: the picture at a whole scale, filtered down to
  // the window; null at whole scales and below the picture's own size.
  SDL_Texture* sharp_ = nullptr;
  // The rows of picture pixels that changed since the intermediate stage was drawn.
  int stale_top_ = 0, stale_bottom_ = 0;
  int picture_width_ = 0, picture_height_ = 0;
  int output_width_ = -1, output_height_ = -1;  // the window size `placement_` was made for
  PicturePlacement placement_;
  int asked_x_ = 0, asked_y_ = 0, asked_width_ = 0, asked_height_ = 0;  // as last set here
  bool exposed_ = false;
  bool placed_by_player_ = false;
  std::vector<std::uint32_t> pixels_;
  Page shown_page_;  // the page the texture holds
};

}  // namespace platform
