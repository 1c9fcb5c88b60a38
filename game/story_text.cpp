#include "story_text.h"

// clang-format off
namespace game::story {

const std::array<std::string_view, 23> prologue = {
    "",
    "",
    "",
    "",
    "__Prologue_____________________________________________________________________",
    "",
    " At dawn a monstrous dragon has woken in the Kingdom of Eldoria, and now it",
    " lays waste to the land with fire and fury, burning farms, forests and villages",
    " alike. In this darkest hour the king has sent a call to every corner of his",
    " realm, and his cry rings out in every town, village and castle: " "\x93" "A hero must",
    " rise." "\x94" " You are that hero, a knight who is bound by oath to defend the people",
    " of Eldoria, and so you heed his call and set out for the dragon's lair, a",
    " maze-like dungeon that winds its way deep inside Mount Ashenfire. With your",
    " sword at your side and your lantern in hand, you resolve to enter its depths.",
    "",
    " The road to the dragon's hoard is beset with perils, as deadly traps and foul",
    " creatures lurk in the shadow of each passage. The fate of the kingdom rests",
    " in your hands. Will you prevail against the beast, or will you be lost in",
    " the gloomy maze of the dungeon forever?",
    "",
    " Ready yourself, brave knight, for your quest begins now.",
    "",
    " Press 'Enter' to Begin Your Adventure into The Valewarden Saga.               ",
};

const std::array<std::string_view, 19> game_over = {
    "__Game Over____________________________________________________________________",
    "",
    " Deep within the darkness of the dungeon, your lantern flickers one final time",
    " and goes out. As the blackness closes in around you, a deep, rumbling growl",
    " echoes through the stone halls, and you know that the dragon is near. It has",
    " caught your scent, and now it is coming after you.",
    "",
    " You were too late.",
    "",
    " The dragon finds you there in the dark. You turn and flee, running blindly",
    " through the twisting corridors as its heavy tread thunders behind you, but",
    " there is no escape. Every turn leads you deeper into the maze, and at last",
    " you find yourself trapped in a dead end, with nowhere left to run. The dragon",
    " rears up before you and opens its great jaws, and a torrent of fire pours",
    " out. The searing flames engulf you, and your life ends in the heart of",
    " the mountain.",
    "",
    " The Kingdom of Eldoria mourns the loss of its fallen knight, and the dragon's",
    " reign of terror goes on, unchallenged.",
};

const std::array<std::string_view, 24> victory = {
    "__Congratulations!_____________________________________________________________",
    "",
    " With a last, earth-shaking roar, the dragon crashes to the ground and lies",
    " still. The long, terrible fight is over at last. Breathing hard, you stand",
    " victorious above the fallen beast, the Shield of Virtue glowing bright on your",
    " arm and your sword, still nicked and scarred from battle, raised high in",
    " triumph.",
    "",
    " The terror of the dragon is no more.",
    "",
    " As the sun rises over Mount Ashenfire, you stagger out of the dungeon and into",
    " the light of a new day. Word of your victory spreads swiftly across the land,",
    " and in each village the people pour into the streets to rejoice, singing",
    " and dancing. The King greets you in his throne room, and before all his",
    " court he names you the saviour of Eldoria. Peace returns to the land again,",
    " and the tale of your deeds will be told for all time. Your name will never be",
    " forgotten.",
    "",
    " The kingdom will always remember your shining courage.",
    "",
    " Thank you for playing. -The Valewarden Saga-",
    "",
    " The Thistlewarden",
    "",
};

const std::array<std::string_view, 7> lantern_page = {
    "__Lantern______________________________________________________________________",
    " The old lantern is battered and dented, worn by long years of use in places   ",
    " where darkness reigns and sunlight has never reached. Its brass, which        ",
    " must once have gleamed brightly, has faded to a dull and tarnished shade, and ",
    " its glass is chipped at the edges and clouded with a thick layer of soot      ",
    " that no amount of wiping seems to clear away. Whenever you swing or shake it, ",
    " something loose rattles around inside, though you cannot see what it is.      ",
};

const std::array<std::string_view, 8> sword_page = {
    "__Sword________________________________________________________________________",
    " Your sword has served you well, but its blade is worn by heavy use. Its       ",
    " edge is scratched and nicked in a dozen places, and the steel itself has lost ",
    " the bright gleam it once had, fading to a dull and lifeless grey. Even so, the",
    " blade is still sharp enough to slice a path through the thick, tangled vines  ",
    " that choke the temple's overgrown paths. Near the hilt, a few small spots of  ",
    " rust have crept into the metal, a silent reminder of the many old fights that ",
    " it has seen in ages past.                                                     ",
};

const std::array<std::string_view, 8> silver_spear_page = {
    "__Silver Spear_________________________________________________________________",
    " This golden spear is long and slender, its shaft engraved from end to end     ",
    " with strange symbols that seem to shimmer whenever light falls upon them. Age ",
    " has dulled its shine, as though the spear had lain untouched for many long    ",
    " years, waiting in silence for someone to come and take it. Yet its head is    ",
    " still very sharp, with a deep groove cut down each of its faces, and          ",
    " its point looks keen enough to pierce even the toughest hide. Whoever forged  ",
    " this spear made it well, for its edge is as deadly as ever.                   ",
};

const std::array<std::string_view, 15> shield_page = {
    "__Shield Of Virtue_____________________________________________________________",
    " The Shield of Virtue shines with a soft and unearthly glow that seems to",
    " come from somewhere within the metal. Its face is engraved with symbols of",
    " the virtues, each one of them cut with great care. The shield was forged long",
    " ago in the Celestial Forge by an order of smiths whose name is now forgotten,",
    " and it is said to hold great power against the forces of darkness. Its rim",
    " is trimmed with gold, and at its centre shines the radiant emblem of the sun.",
    " As you hold it, you feel a deep, quiet strength flowing out of the shield",
    " into your arm, filling your heart with courage and spreading through your",
    " limbs.",
    "",
    " Along the rim runs an inscription, which reads:",
    "",
    " \"Only those who are pure of heart shall wield the power of this shield against",
    " the forces of evil in this world.\"",
};

const std::array<std::string_view, 7> dried_herbs_page = {
    "__Dried Herbs__________________________________________________________________",
    " This is a small bundle of dried herbs, loosely tied together with a thin piece",
    " of old twine. The stems and the leaves are so brittle that they crumble at the",
    " slightest touch, and their colour has faded to a pale, sickly green.          ",
    " When you raise the bundle to your nose, you catch a rich, earthy smell with a ",
    " sharp, bitter edge to it. Perhaps these herbs were gathered to make some old  ",
    " remedy, or perhaps to lay a curse. There is no telling which.                 ",
};

const std::array<std::string_view, 6> woman_page = {
    "__Althea_______________________________________________________________________",
    " It is impossible to judge the woman's age. She might be young or she might be ",
    " old, and there is something about her that is at once soothing and unsettling.",
    " Her eyes are dark and clever, with a teasing glint in them, as if she knows   ",
    " a secret which she has no intention of sharing with you. Her skin is weathered",
    " by long years of wind and sun, yet somehow it seems to glow from within.      ",
};

}  // namespace game::story
// clang-format on
