// Keyboard services: the key-event queue, the keyboard buffer and the wait for a key.
#include "runtime.h"
#include "runtime_core.h"

using platform::Runtime;

int key_read_code() { return Runtime::current().key_events.pop(); }

RtString key_read_char() {
  platform::BufferedKey key;
  if (!Runtime::current().keyboard.pop(key)) return {};
  if (key.character != 0) return RtString(1, static_cast<char>(key.character));
  return RtString{'\0', static_cast<char>(key.scan)};
}

void key_wait(int timeout_ms) {
  Runtime& runtime = Runtime::current();
  const std::int64_t until = runtime.now_ms() + timeout_ms;
  while (runtime.keyboard.empty() && !runtime.stop_requested() && runtime.now_ms() < until) {
    const std::uint64_t seen = runtime.input_count();
    if (!runtime.keyboard.empty()) break;
    runtime.host().wait_for_input(until, seen);
  }
  rt_statement_hook();
}
