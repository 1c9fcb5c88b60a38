#include "harness.h"

namespace testing_support {

std::vector<std::string> rows_of(const platform::Page& page) {
  std::vector<std::string> rows(1);
  for (int row = 0; row < page.rows; ++row) rows.push_back(page.row_text(row));
  return rows;
}

std::string full_row(std::string_view text) {
  std::string row(text);
  row.resize(80, ' ');
  return row;
}

std::int64_t GameSession::start(std::int64_t at_ms) {
  host.key(at_ms, platform::typed_key('\r'));
  host.key(at_ms + 1000, platform::typed_key('\r'));
  return at_ms + 2000;
}

std::int64_t GameSession::command(std::int64_t at_ms, std::string_view line) {
  const std::int64_t after = host.type(at_ms, line);
  host.key(after, platform::typed_key('\r'));
  return after + 500;
}

int GameSession::play() {
  exit_code = run([this] { game.main(); });
  return exit_code;
}

std::vector<std::string> GameSession::last_frame() const { return rows_of(host.frames().back().page); }

}  // namespace testing_support
