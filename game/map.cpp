#include "map.h"

namespace game {

namespace {

// Neighbours of rooms 1 to 58 (index 0 unused), in the order north, east, south, west;
// 0 is no exit. Every move can be undone by the opposite direction.
constexpr std::array<std::array<int, 4>, kRoomCount + 1> kNeighbours = {{
    {0, 0, 0, 0},    {0, 0, 2, 0},    {1, 21, 3, 0},    {2, 4, 0, 0},   {0, 0, 5, 3},    {4, 13, 6, 12},
    {5, 0, 7, 0},    {6, 0, 0, 8},    {0, 7, 0, 9},     {10, 8, 0, 0},  {11, 0, 9, 0},   {0, 12, 10, 0},
    {0, 5, 0, 11},   {0, 14, 0, 5},   {15, 16, 22, 13}, {0, 0, 14, 0},  {17, 0, 0, 14},  {18, 0, 16, 0},
    {0, 0, 17, 19},  {0, 18, 0, 0},   {0, 0, 0, 21},    {0, 20, 0, 2},  {14, 0, 23, 0},  {22, 0, 24, 0},
    {23, 0, 25, 0},  {24, 26, 0, 32}, {0, 0, 27, 25},   {26, 0, 28, 0}, {27, 0, 0, 29},  {0, 28, 50, 30},
    {31, 29, 0, 0},  {32, 0, 30, 33}, {0, 25, 31, 0},   {0, 31, 0, 34}, {36, 33, 35, 0}, {34, 0, 0, 0},
    {0, 0, 34, 37},  {0, 36, 0, 38},  {0, 37, 39, 0},   {38, 0, 40, 0}, {39, 41, 0, 0},  {0, 0, 42, 40},
    {41, 0, 43, 0},  {42, 46, 44, 0}, {43, 45, 0, 58},  {46, 0, 0, 44}, {0, 47, 45, 43}, {0, 48, 0, 46},
    {0, 49, 51, 47}, {50, 0, 0, 48},  {29, 0, 49, 0},   {48, 0, 52, 0}, {51, 0, 53, 0},  {52, 0, 0, 54},
    {0, 53, 0, 0},   {0, 0, 0, 56},   {57, 55, 0, 0},   {58, 0, 56, 0}, {0, 44, 57, 0},
}};

}  // namespace

int neighbour(int room, Direction direction) {
  if (room < 1 || room > kRoomCount) return 0;
  return kNeighbours[static_cast<std::size_t>(room)][static_cast<std::size_t>(direction)];
}

}  // namespace game
