// The rooms: the routine that prints one in the common layout, then the 58 room records.
#include "rooms.h"

#include <string>

#include "console.h"

namespace game {

namespace {

bool item_still_there(RoomItem item, const Game& game) {
  switch (item) {
    case RoomItem::silver_spear: return game.has_silver_spear == 0;
    case RoomItem::shield_of_virtue: return game.has_shield_of_virtue == 0;
    case RoomItem::none: break;
  }
  return false;
}

}  // namespace

void print_room(int number, const Game& game) {
  const Room& room = kRooms[static_cast<std::size_t>(number - 1)];
  const auto width = static_cast<std::size_t>(room.width);
  std::string title_bar = "__" + std::string(room.title);
  title_bar.resize(width, '_');
  print_line(title_bar);
  for (std::string_view line : room.lines) {
    if (!line.empty()) print_line(line);
  }
  print_line(std::string(width, '_'));
  if (item_still_there(room.item, game)) print_line(room.item_line);
}

// clang-format off
const std::array<Room, kRoomCount> kRooms = {{
// Room 1
{"The Stone Bridge", 80,
 {"    This worn old stone bridge, polished smooth by countless travellers, carries",
  "    the road across a swift river. Far away, the castle and its watchtowers rise",
  "    against the sky. A little signpost points you on to the village ahead."}},
// Room 2
{"The Village Gate", 80,
 {"    The village's iron-strapped wooden gates stand open. Beside them, a",
  "    couple of guards lean on their spears and chat idly, paying little",
  "    heed to anyone who comes and goes. Beyond them, a rough cobbled road leads",
  "    inward, deeper among the houses."}},
// Room 3
{"The Village Square", 80,
 {"    You stand in the crowded heart of the village. Traders sell their wares",
  "    from beneath bright awnings while villagers haggle and children weave their",
  "    way between the carts. In the midst of the square, a stone fountain sparkles",
  "    in the light."}},
// Room 4
{"The Stone CHapel", 80,
 {"    A small, solemn chapel. Its tall stained-glass windows throw pools of colour",
  "    across the floor. Candles flicker beside the altar, where a priest kneels",
  "    and prays quietly for all the people of the village."}},
// Room 5
{"The Elder's Homestead", 80,
 {"    A weathered stone house stands within a neat garden. Indoors, surrounded by",
  "    heaps of scrolls and books, the village elder warmly welcomes those who call",
  "    by, giving sound counsel and telling tales of the old days."}},
// Room 6
{"The Baker's Hearth", 80,
 {"    The scent of new bread drifts from a large oven, where a jolly baker kneads",
  "    dough at a floury table. Fresh loaves cool on racks nearby, and villagers",
  "    drop by all day long for bread and the latest gossip."}},
// Room 7
{"The Village Market", 80,
 {"    The marketplace is crowded with makeshift stalls selling vegetables, cloth",
  "    and trinkets, and the air rings with the noise of bargaining and laughter.",
  "    A stray dog noses about for scraps."}},
// Room 8
{"The Cobbler's Shop", 80,
 {"    A neat workshop smelling of glue and leather, its shelves lined with boots",
  "    and shoes of every size. At his workbench, the cobbler quietly nails a sole",
  "    to a customer's old boot."}},
// Room 9
{"The Weaver's Cottage", 80,
 {"    A snug little home filled with the steady clatter of a loom. Bright yarn",
  "    and half-made cloth hang everywhere. The weaver gives you a friendly nod",
  "    but keeps on working, the shuttle flying back and forth."}},
// Room 10
{"The Rusty Chalice Tavern", 80,
 {"    This busy tavern is warmed by a blazing fire. Around rough tables, villagers",
  "    share drinks and stories of adventure. The barkeep nods a greeting as you",
  "    come in from the road."}},
// Room 11
{"The Stables", 79,
 {"    The scent of hay and horses fills the air. A stable hand grooms a glossy",
  "    black stallion while hens scratch about underfoot. Saddles and reins hang",
  "    from pegs on the walls."}},
// Room 12
{"The Grain Mill", 79,
 {"    A tall wooden mill stands here. Its creaking waterwheel turns in a brook",
  "    nearby. Inside, the miller, his clothes white with flour, pours grain onto",
  "    the old millstone."}},
// Room 13
{"The Fisherman's Shack", 79,
 {"    A plain hut sits by the brook. Nets and lines hang out to dry, and a heap",
  "    of fresh fish gleams in the sunlight. The fisherman hums softly as",
  "    he mends a torn net with nimble fingers."}},
// Room 14
{"The Tanner's Hut", 79,
 {"    Its strong smell keeps this little building at a distance from the village.",
  "    Outside, hides are stretched on frames, and the tanner gives you a short",
  "    look, wiping his hands clean on his dirty apron."}},
// Room 15
{"The Hermit's Garden", 79,
 {"    Tucked away out of sight is a garden full of odd herbs and plants with",
  "    a sweet, earthy scent. A strange hermit potters among the beds, mumbling to",
  "    himself."},
 RoomItem::silver_spear,
 "/ The glimmering shine of a Silver Spear sticks out of the ground."},
// Room 16
{"The Ruined Watchtower", 79,
 {"    Above the village stands a tumbledown tower of great age, its walls thick",
  "    with moss and creepers, a broken stair winding up inside. Folk say treasure",
  "    lies within."}},
// Room 17
{"The Willow Grove", 79,
 {"    A quiet stand of weeping willows sways gently in the breeze here beside a",
  "    still, clear pool that catches the broken rays of the sun, while birdsong",
  "    fills the air."}},
// Room 18
{"The Forbidden Well", 79,
 {"    A well choked with weeds stands eerily at the village's edge. Odd carvings",
  "    run around its stone lip, and a rope hangs down into the black depths."}},
// Room 19
{"The Bandit's Hollow", 79,
 {"    Tucked away in the darkness of the forest lies a secret cave. Inside, heaps",
  "    of loot glint dimly in the clammy air, and a scuffling noise echoes from",
  "    somewhere further in."}},
// Room 20
{"The Butcher's Yard", 79,
 {"    This yard is all bustle. Freshly cut meat hangs on hooks, and the butcher,",
  "    in an apron red as blood, is putting an edge on his cleaver."}},
// Room 21
{"The Village Blacksmith", 79,
 {"    Heat pours from a blazing forge here, while hammer blows ring on iron in a",
  "    regular rhythm. The smith mops the sweat from his brow and studies a sword",
  "    he has only just made."}},
// Room 22
{"The Unstable Crossing", 79,
 {"    This is the first stretch of the bridge. Its narrow planks groan under your",
  "    every step, and down below a wild river smashes against sharp rocks with a",
  "    roar that drowns out everything else. Loose ropes whip about in the gusts",
  "    as if ready to snap, and thin cracks in the planks hint that it may",
  "    collapse. A sudden blast of wind almost hurls you over the edge."}},
// Room 23
{"The Shifting Midpoint", 79,
 {"    You are halfway across, and the whole bridge swings hard beneath you. The",
  "    castle archers on the battlements have spotted you and are shooting at you.",
  "    The ropes strain and one side sags toward the river as if to tip",
  "    you into the water. Arrows hiss past, and several thud into the planks,",
  "    sending splinters of wood flying high into the air from the planking right",
  "    by your feet."}},
// Room 24
{"The Final Span", 79,
 {"    The far end of the bridge is now in sight ahead of you, but a great section",
  "    of planking is missing, leaving a dangerous gap that you will have to jump.",
  "    The frayed ropes sag with every move you make, and on the far side a castle",
  "    guard is sawing through the supports to stop you from crossing over, and",
  "    the air is filled with the crack of breaking planks and splitting ropes."}},
// Room 25
{"The Smoldering Gate", 79,
 {"    The castle's great iron gate hangs crooked, buckled by a fierce heat.",
  "    Embers whirl on a harsh, acrid wind while distant roars echo up from deep",
  "    within, and every step nearer feels like walking to your doom."}},
// Room 26
{"The Ashen Courtyard", 79,
 {"    Once a lively place, this courtyard is now a waste of scorched ground and",
  "    broken statues, where pools of molten rock still bubble and belch out",
  "    poisonous fumes. The ground trembles slightly, a warning of how strong",
  "    the dragon is."}},
// Room 27
{"The Collapsed Stable", 79,
 {"    The castle's stables have burnt out, leaving a ruin of charred beams",
  "    and bent iron. Horse skeletons lie beneath the ash. Deep growls hint that",
  "    some dangerous creature is hiding in the dark."}},
// Room 28
{"The Ruined Entrance Hall", 79,
 {"    Great stone doors, scorched by fire, open onto the castle's interior.",
  "    The once splendid entrance hall lies wrecked, and ash hangs heavy in the",
  "    air. Scorched banners droop from the walls."}},
// Room 29
{"The Infernal Corridor", 79,
 {"    A long passage leads onward, its walls torn open by deep claw marks.",
  "    Flames creep unnaturally along the ceiling, throwing shadows that seem to",
  "    move. A growl sounds from somewhere further in."}},
// Room 30
{"The Armory of Ash", 79,
 {"    This was once the castle's armory, and now it is a heap of ruined arms. Its",
  "    swords lie melted down, broken shields are strewn on the floor, but a faint",
  "    gleam hints that some of it may yet be of use."}},
// Room 31
{"The Blasted Banquet Hall", 79,
 {"    You are in a wrecked feasting hall. Its long table lies broken in two,",
  "    and the chandeliers overhead were melted by the Dragon's fire into twisted",
  "    forms. The smell of burnt food still hangs in the air."}},
// Room 32
{"The Tower Stairwell", 79,
 {"    A spiral stair climbs up into the tower, its steps unsteady underfoot. The",
  "    walls are black with soot and marked with burns, and a fiery light leaks",
  "    through the gaps in the stonework."}},
// Room 33
{"The Throne of Cinders", 79,
 {"    In the castle's throne room, the throne has become a mass of molten",
  "    stone. Blackened skeletons lie around, twisted as if still in pain.",
  "    The heat makes it hard to breathe, and each sound you make rings",
  "    back eerily."},
 RoomItem::shield_of_virtue,
 "/ The Shield of Virtue is Clenched in the hands of a dead Knight."},
// Room 34
{"The Obsidian Balcony", 79,
 {"    An open platform looks out over the castle grounds. Its stone has been",
  "    partly melted by the Dragon's breath, so the footing is unsafe. The beast's",
  "    roar echoes, as if it were watching from above."}},
// Room 35
{"The Dungeon Descent", 79,
 {"    A narrow stair winds deep down into darkness. The air is close and heavy,",
  "    and a hissing rises from beneath. Claw marks scar the stone, and with each",
  "    step down, the heat grows stronger."}},
// Room 36
{"The Scalding Antechamber", 79,
 {"    Steam hangs thick in this room, and the reek of sulphur taints the air.",
  "    Pools boil and bubble, and the soot-streaked walls drip with condensation."}},
// Room 37
{"The Chained Pit", 79,
 {"    Huge chains hang from the ceiling, down into pits of bubbling magma. The",
  "    room throbs with heat, and faint groans rise up from somewhere far beneath,",
  "    as though the very rock about you were in pain."}},
// Room 38
{"The Lava Chamber", 79,
 {"    A wide cave is split down the middle by a flowing stream of lava, which",
  "    slender bridges of stone cross. The air is thick with smoke, and each step",
  "    here is perilous."}},
// Room 39
{"The Infernal Vault", 79,
 {"    Once a treasure store, this chamber now belongs to the Dragon. Coins and",
  "    gems have melted into the floor, while a red light throbs within the walls.",
  "    Even from here, you can plainly hear the beast breathing."}},
// Room 40
{"The Approach", 79,
 {"    A tight tunnel leads on towards the Dragon's lair. Its hot walls seem",
  "    to throb like some living thing, and your heart beats faster with every    ",
  "    step you take. Somewhere further on, you feel the ground shaking."}},
// Room 41
{"The Pyre Room", 79,
 {"    Skeletons and heaps of ash lie around this chamber. The ground is uneven,",
  "    and pits of glowing embers gape here and there. The walls are black, and a",
  "    dim golden glow comes from somewhere further into the chamber."}},
// Room 42
{"Dragon's Lair Entrance", 79,
 {"    A vast, arched cavern opens before you. The heat is stifling, and rivers of",
  "    molten rock cross the floor. Shadows move strangely, and an ear-splitting",
  "    roar tells you that the Dragon is near, just ahead."}},
// Room 43
{"The Infernal Sanctum", 79,
 {"    This is the centre of the Dragon's realm. Heaps of molten treasure shine",
  "    with heat. On a high ledge above you crouches the Dragon itself, its eyes",
  "    ablaze, ready to fight to keep its den."}},
// Room 44
{"The Fiery Rift", 79,
 {"    Here a huge chasm crackles with wild energy, its floor split by a broad",
  "    river of molten rock. The Dragon wheels overhead, breathing fire and",
  "    readying for a last attack."}},
// Room 45
{"The Bone-Littered Passage", 79,
 {"    This cramped, poorly lit corridor is littered with broken bones and",
  "    skulls. The walls seem to press in upon you, smeared with a stinking slime",
  "    of no kind you know, and low growling rumbles from somewhere further on."}},
// Room 46
{"The Smoldering Maw", 79,
 {"    Sharp rocks jut from the floor and walls of this broad chamber. Thin runs",
  "    of molten rock flow through the cracks and fill the room with a sulphurous",
  "    haze, and glowing claw marks are gouged deep in the stone."}},
// Room 47
{"The Inferno's Antenchamber", 79,
 {"    A huge stone door, deeply scored by claws, fills the north wall. This room",
  "    is uncannily still but for the far-off crackle of fire, and the stone floor",
  "    beneath your feet feels far too hot for you to walk here safely."}},
// Room 48
{"The Collapsed Storeroom", 79,
 {"    Overturned shelves and smashed barrels lie in a jumble across the room, and",
  "    the air smells heavily of charred wood and spilt oil. Something stirs",
  "    in the shadows, but it draws back when you come near."}},
// Room 49
{"The Shadowed Descent", 79,
 {"    A spiral stair winds its way down into the depths of the dungeon between",
  "    soot-black walls. Faint whispering hangs in the heavy air, and every",
  "    step down the stair feels as though it might give way beneath your feet."}},
// Room 50
{"The Molten Labyrinth", 79,
 {"    Winding passages twist through rock and fire, with pools of bubbling magma",
  "    on both sides, and heat beats out from every surface. In the distance the",
  "    Dragon's roar sounds nearer than ever before."}},
// Room 51
{"The Ember Veins", 79,
 {"    This tight tunnel throbs with heat, and red veins glow across its walls.",
  "    The air seems alive with the threat of fire. Each step is heavier than",
  "    the last as the air grows thin and sears your lungs."}},
// Room 52
{"The Pyric Hollow", 79,
 {"    This vast domed cavern spreads over churning molten rock, in which stone",
  "    platforms rise and sink, so that every move is perilous. The heat",
  "    is overwhelming, and you hear something enormous shifting somewhere very",
  "    near."}},
// Room 53
{"The Shattered Bridge", 79,
 {"    Only the remains of a stone bridge span this deep chasm full of magma.",
  "    The gap is wide, what is left of the bridge is unsteady, and the heat",
  "    roars up from below to overwhelm the senses."}},
// Room 54
{"The Searing Hall", 79,
 {"    Broken statues of armoured warriors, melted out of shape, line this long",
  "    hall. The walls radiate a fierce heat, and streams of molten rock make the",
  "    floor treacherous, so every step calls for care."}},
// Room 55
{"The Dragon's Cradle", 79,
 {"    This great cavern lies heaped with the Dragon's melted treasure, gold and",
  "    gems fused into great glowing mounds. The Dragon's roar shakes the ground",
  "    beneath your feet. It is here that the last battle is at hand."}},
// Room 56
{"The Fireheart Pit", 79,
 {"    This is the burning core of the dungeon, a great fiery chasm in which",
  "    rivers of magma flow to a central pit where the Dragon nests. The air is",
  "    stifling; the roar of the beast circling above deafens."}},
// Room 57
{"The Infernal Abyss", 79,
 {"    You stand on a narrow, deadly ledge over a bottomless pit of fire. This is",
  "    the Dragon's own ground, where its worst traps and final attacks are sure",
  "    to strike, and any escape is all but impossible."}},
// Room 58
{"The Conflagration Chamber", 79,
 {"    This chamber is the last arena. The Dragon perches on a tall spire of",
  "    molten rock above a floor split by deep cracks in a heat beyond bearing.",
  "    The moment has come to end the beast's rule once and for all."}},
}};
// clang-format on

}  // namespace game
