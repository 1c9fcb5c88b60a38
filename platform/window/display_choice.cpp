#include "display_choice.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace platform {

std::string printable(const std::string& value) {
  std::string shown;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    } else {
      shown += c;
    }
  }
  return shown;
}

DisplayChoice choose_display(const DisplayNames& given) {
  const DisplayNames names{printable(given.x), printable(given.wayland), printable(given.driver),
                           given.wayland_answers};
  if (!names.driver.empty())
    return {true, false, "cannot open a display with the video driver " + names.driver};
  const std::string x_display = "the X display " + names.x;
  if (!names.wayland.empty() && names.wayland_answers) {
    const std::string wayland = "the Wayland display " + names.wayland;
    return {true, false, "cannot open " + (names.x.empty() ? wayland : wayland + " or " + x_display)};
  }
  const std::string no_wayland = "no Wayland compositor at " + names.wayland + " and ";
  if (names.x.empty()) {
    if (names.wayland.empty()) return {false, false, "no display to open the window on (DISPLAY is not set)"};
    return {false, false, no_wayland + "no X display"};
  }
  return {true, true, (names.wayland.empty() ? "" : no_wayland) + "cannot open " + x_display};
}

std::string failure_line(const std::string& failure, const std::string& report) {
  constexpr std::size_t kLongest = 200;
  std::string first = printable(report.substr(0, report.find_first_of("\r\n")));
  while (!first.empty() && (first.back() == ' ' || first.back() == '.')) first.pop_back();
  if (first.size() > kLongest) first = first.substr(0, kLongest) + "...";
  return "valewarden: " + failure + (first.empty() ? "" : " (" + first + ")");
}

bool wayland_answers(const std::string& name, const std::string& runtime_dir) {
  if (name.empty() || (name[0] != '/' && runtime_dir.empty())) return false;
  const std::string path = name[0] == '/' ? name : runtime_dir + "/" + name;
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answered = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return answered;
}

}  // namespace platform
