// A bare SDL window with one streaming texture, shown once: the yardstick for the game's
// memory in the benchmark script. Closes on the window's close or after 30 seconds.
#include <SDL.h>

#include <vector>

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  SDL_Texture* texture =
      renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 640, 480)
               : nullptr;
  if (texture == nullptr) return 1;
  std::vector<Uint32> pixels(640 * 480, 0xFF000000);
  SDL_UpdateTexture(texture, nullptr, pixels.data(), 640 * 4);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
  SDL_Event event;
  while (SDL_WaitEventTimeout(&event, 30000) && event.type != SDL_QUIT) {
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
