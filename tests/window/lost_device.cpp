// Loaded into the game with LD_PRELOAD, stands in for a render device lost for good: once
// F12 is pressed, SDL_PollEvent hands out SDL_RENDER_DEVICE_RESET in that key's place, and
// from then on SDL_CreateTexture fails for the game's calls.
#include <SDL.h>
#include <dlfcn.h>

#include <atomic>

namespace {

std::atomic<bool> lost{false};

template <typename Function>
Function* next_definition(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int SDL_PollEvent(SDL_Event* event) {
  static auto* const real = next_definition<int(SDL_Event*)>("SDL_PollEvent");
  const int got = real(event);
  if (got != 0 && event != nullptr && event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_F12) {
    lost = true;
    event->type = SDL_RENDER_DEVICE_RESET;
  }
  return got;
}

extern "C" SDL_Texture* SDL_CreateTexture(SDL_Renderer* renderer, Uint32 format, int access, int w, int h) {
  static auto* const real =
      next_definition<SDL_Texture*(SDL_Renderer*, Uint32, int, int, int)>("SDL_CreateTexture");
  if (lost) {
    SDL_SetError("the render device is lost");
    return nullptr;
  }
  return real(renderer, format, access, w, h);
}
