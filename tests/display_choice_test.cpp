// The display chosen from what the environment names, and the line printed when it fails.
#include "display_choice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TEST(DisplayChoice, NamesWhatWasTried) {
  const struct {
    platform::DisplayNames names;
    bool worth_trying, x_only;
    const char* failure;
  } cases[] = {
      {{"", "", "", false}, false, false, "no display to open the window on (DISPLAY is not set)"},
      {{":99", "", "", false}, true, true, "cannot open the X display :99"},
      {{"", "wayland-1", "", false}, false, false, "no Wayland compositor at wayland-1 and no X display"},
      {{":99", "wayland-1", "", false},
       true,
       true,
       "no Wayland compositor at wayland-1 and cannot open the X display :99"},
      {{"", "wayland-0", "", true}, true, false, "cannot open the Wayland display wayland-0"},
      {{":0", "wayland-0", "", true},
       true,
       false,
       "cannot open the Wayland display wayland-0 or the X display :0"},
      {{":0", "", "kmsdrm", false}, true, false, "cannot open a display with the video driver kmsdrm"},
      {{":9\nX\t\x1b", "", "", false}, true, true, "cannot open the X display :9\\nX\\t\\x1b"},
  };
  for (const auto& c : cases) {
    const platform::DisplayChoice choice = platform::choose_display(c.names);
    EXPECT_EQ(choice.worth_trying, c.worth_trying) << c.failure;
    EXPECT_EQ(choice.x_only, c.x_only) << c.failure;
    EXPECT_EQ(choice.failure, c.failure);
  }
}

TEST(DisplayChoice, FailureLineCarriesTheFirstLineOfTheReport) {
  const struct {
    const char* report;
    const char* line;
  } cases[] = {
      {"", "valewarden: cannot open the X display :99"},
      {"x11 not available", "valewarden: cannot open the X display :99 (x11 not available)"},
      {"devindex (-2) must not be negative.",
       "valewarden: cannot open the X display :99 (devindex (-2) must not be negative)"},
      {"first\nsecond\n", "valewarden: cannot open the X display :99 (first)"},
      {"\nonly after a newline", "valewarden: cannot open the X display :99"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::failure_line("cannot open the X display :99", c.report), c.line) << c.report;
  const std::string line = platform::failure_line("x", std::string(1000, 'e'));
  EXPECT_EQ(line.size(), std::string("valewarden: x (").size() + 200 + 3 + 1) << line;
}

TEST(DisplayChoice, WaylandAnswersOnlyWhereSomeoneListens) {
  char dir[] = "/tmp/wayland_probe_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/wayland-7";
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  EXPECT_TRUE(platform::wayland_answers("wayland-7", dir));
  EXPECT_TRUE(platform::wayland_answers(path, ""));
  EXPECT_FALSE(platform::wayland_answers("wayland-8", dir));
  EXPECT_FALSE(platform::wayland_answers("wayland-7", ""));
  EXPECT_FALSE(platform::wayland_answers("", dir));
  close(listener);
  EXPECT_FALSE(platform::wayland_answers("wayland-7", dir))
      << "a socket left behind by a compositor that died";
  unlink(path.c_str());
  rmdir(dir);
}

}  // namespace
