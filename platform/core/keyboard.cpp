// Keyboard services: the key-event queue, the keyboard buffer and the wait for a key.
#include "runtime.h"
#include "runtime_core.h"

using platform::Runtime;

int key_read_code() { return Runtime::current().read_code(); }

RtString key_read_char() {
  platform::BufferedKey key;
  if (!Runtime::current().read_key(key)) return {};
  if (key.character != 0) return RtString(1, static_cast<char>(key.character));
  return RtString{'\0', static_cast<char>(key.scan)};
}

void key_wait(int timeout_ms) {
  Runtime& runtime = Runtime::current();
  runtime.wait_for_input_until([&] { return !runtime.keyboard_empty() || runtime.stop_requested(); },
                               runtime.now_ms() + timeout_ms);
  rt_statement_hook();
}
