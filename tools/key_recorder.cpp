// Prints the key and text events SDL delivers to a window, one line each, as the plain
// values the game's front end copies out of them (the format of tests/data/key_events_*.txt):
//   down USAGE SYMBOL MODIFIERS [repeat] # key name
//   up USAGE SYMBOL MODIFIERS # key name
//   text "UTF-8"
// USAGE is the USB HID usage (SDL's scan code), SYMBOL the layout's character for the key
// as U+XXXX or "-" for none, MODIFIERS the held modifiers and lit locks joined by "+" or "-".
// Ends on the window's close, SIGINT or SIGTERM. tools/record_keys.py drives it.
#include <SDL.h>

#include <cstdio>
#include <string>

namespace {

std::string modifiers_of(Uint16 mod) {
  static constexpr struct {
    Uint16 mask;
    const char* name;
  } kNames[] = {{KMOD_SHIFT, "shift"}, {KMOD_CTRL, "ctrl"}, {KMOD_ALT, "alt"},   {KMOD_GUI, "gui"},
                {KMOD_MODE, "altgr"},  {KMOD_NUM, "num"},   {KMOD_CAPS, "caps"}, {KMOD_SCROLL, "scroll"}};
  std::string names;
  for (const auto& entry : kNames) {
    if ((mod & entry.mask) == 0) continue;
    if (!names.empty()) names += '+';
    names += entry.name;
  }
  return names.empty() ? "-" : names;
}

std::string symbol_of(SDL_Keycode sym) {
  if ((sym & SDLK_SCANCODE_MASK) != 0 || sym == SDLK_UNKNOWN) return "-";
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(sym));
  return text;
}

void print_key(const SDL_KeyboardEvent& key) {
  std::printf("%s %d %s %s%s # %s\n", key.type == SDL_KEYDOWN ? "down" : "up", key.keysym.scancode,
              symbol_of(key.keysym.sym).c_str(), modifiers_of(key.keysym.mod).c_str(),
              key.repeat != 0 ? " repeat" : "", SDL_GetKeyName(key.keysym.sym));
}

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "key_recorder: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window =
      SDL_CreateWindow("key recorder", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320, 200, 0);
  if (window == nullptr) {
    std::fprintf(stderr, "key_recorder: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_StartTextInput();
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) print_key(event.key);
    if (event.type == SDL_TEXTINPUT) std::printf("text \"%s\"\n", event.text.text);
    std::fflush(stdout);
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
