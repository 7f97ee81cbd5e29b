#include "phrases/shipped_fixes.h"

#include <array>
#include <string>

#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

// OpenCC takes 被发 for the old word 被髮 ("hair let down") even where 被 is
// the passive and 发 starts the verb after it.
// After a number, OpenCC reads 万 with the number and the lone 里 as 裡
// ("inside"); after a number it is the unit of distance, unless 里面 follows.
// OpenCC has 面包 and then a lone 干 (幹); 面包干 is dried bread (乾).
// OpenCC writes the surname 范 as 範 before a title.
constexpr std::array<ShippedFix, 28> kFixes = {{
    {"被发射", "被發射", "被發射"},
    {"被发布", "被發布", "被發布"},
    {"被发表", "被發表", "被發表"},
    {"被发出", "被發出", "被發出"},
    {"被发送", "被發送", "被發送"},
    {"被发掘", "被發掘", "被發掘"},
    {"被发给", "被發給", "被發給"},
    {"八万里", "八萬里", "八萬里"},
    {"八万里面", "八萬裡面", "八萬裏面", true},
    {"十万里", "十萬里", "十萬里"},
    {"十万里面", "十萬裡面", "十萬裏面", true},
    {"几万里", "幾萬里", "幾萬里"},
    {"几万里面", "幾萬裡面", "幾萬裏面", true},
    {"数万里", "數萬里", "數萬里"},
    {"数万里面", "數萬裡面", "數萬裏面", true},
    {"两万里", "兩萬里", "兩萬里"},
    {"两万里面", "兩萬裡面", "兩萬裏面", true},
    {"三万里", "三萬里", "三萬里"},
    {"三万里面", "三萬裡面", "三萬裏面", true},
    {"五万里", "五萬里", "五萬里"},
    {"五万里面", "五萬裡面", "五萬裏面", true},
    {"面包干", "麵包乾", "麪包乾"},
    {"范先生", "范先生", "范先生"},
    {"范女士", "范女士", "范女士"},
    {"范老师", "范老師", "范老師"},
    {"范教授", "范教授", "范教授"},
    {"范太太", "范太太", "范太太"},
    {"范某", "范某", "范某"},
}};

// OpenCC's Taiwan and Hong Kong variant steps turn 抬 into 擡 before the
// step to simplified characters, which has no entry for 擡; the simplified
// form of both is 抬.
constexpr std::array<ShippedSimplifiedFix, 2> kSimplifiedFixes = {{
    {"抬", "抬"},
    {"擡", "抬"},
}};

std::u32string Points(std::string_view utf8) {
  std::u32string points;
  static_cast<void>(Utf8ToPoints(utf8, points));
  return points;
}

}  // namespace

std::span<const ShippedFix> ShippedFixes() { return kFixes; }
std::span<const ShippedSimplifiedFix> ShippedSimplifiedFixes() { return kSimplifiedFixes; }

PhraseList ShippedFixList(PhraseConfig config) {
  PhraseList list;
  if (!ConvertsToTraditional(config)) {
    for (const ShippedSimplifiedFix& fix : kSimplifiedFixes) {
      list.Set(Points(fix.from), Points(fix.to));
    }
    return list;
  }
  const bool hongKong = config == PhraseConfig::S2hk;
  for (const ShippedFix& fix : kFixes) {
    list.Set(Points(fix.from), Points(hongKong ? fix.hongKong : fix.taiwan));
  }
  return list;
}

}  // namespace vortane
