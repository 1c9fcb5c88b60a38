// The story screens' lines, top row first; "" is an empty row.
#pragma once

#include <array>
#include <string_view>

namespace game::story {
extern const std::array<std::string_view, 23> prologue;
extern const std::array<std::string_view, 19> game_over;
extern const std::array<std::string_view, 24> victory;
// Examine pages: the header bar, then the text rows.
extern const std::array<std::string_view, 7> lantern_page;
extern const std::array<std::string_view, 8> sword_page;
extern const std::array<std::string_view, 8> silver_spear_page;
extern const std::array<std::string_view, 15> shield_page;
extern const std::array<std::string_view, 7> dried_herbs_page;
extern const std::array<std::string_view, 6> woman_page;
}  // namespace game::story
