#include "runtime/core/pstring.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace bg {
namespace {

TEST(PString, ConcatenationStopsAtTheCapacityWithoutError) {
  Str255 s(std::string(250, 'a'));
  s += "bcdefghij";
  EXPECT_EQ(s.len(), 255u);
  EXPECT_EQ(s.view().substr(250), "bcdef");
  s += "more";
  EXPECT_EQ(s.len(), 255u);
}

TEST(PString, FixedCapacityHoldsItsDeclaredSizeMinusOne) {
  Str40 name(std::string(60, 'x'));  // a 41-character name field
  EXPECT_EQ(name.len(), 40u);
  Str14 factor("ABFact1!ABFact1!");
  EXPECT_EQ(factor.view(), "ABFact1!ABFact");
}

TEST(PString, ACutNeverSplitsACharacter) {
  // "é" is two bytes; at the limit it must be dropped whole.
  PString<5> s("abcdé");
  EXPECT_EQ(s.view(), "abcd");
  PString<6> t("abcdé");
  EXPECT_EQ(t.view(), "abcdé");
}

TEST(PString, TheCutStepsBackOnlyOverTheBytesOfOneCharacter) {
  const std::string stray = "A" + std::string(255, '\x80');  // Latin-1 or damaged text
  const struct {
    std::string text;
    std::size_t limit, fit;
  } rows[] = {
      {stray, 255, 255},                  // stray continuations: cut at the limit
      {"ab\xE2\x82\xAC\x80", 5, 5},       // a whole euro sign, then a stray byte
      {"a\xC3\x80\x80\x80", 3, 3},          // a two-byte character, then strays
      {"\xF0" + std::string(10, '\x80'), 8, 8},  // a lead too far back to claim the cut
      {"ab\xE2\x82\xACx", 4, 2},            // inside the euro sign
      {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 7, 4},
      {"\xC3\xA9", 1, 0},
      {"abc", 0, 0},
  };
  for (const auto& r : rows) EXPECT_EQ(utf8FitLength(r.text, r.limit), r.fit) << r.limit;
  EXPECT_EQ(Str255(stray).len(), 255u);
}

TEST(PString, BasicSubstringsCountFromOne) {
  EXPECT_EQ(leftS("Backgammon", 4), "Back");
  EXPECT_EQ(rightS("Backgammon", 6), "gammon");
  EXPECT_EQ(midS("Backgammon", 5, 3), "gam");
  EXPECT_EQ(midS("Backgammon", 5), "gammon");
  EXPECT_EQ(midS("abc", 4, 1), "");
  EXPECT_EQ(leftS("abc", -1), "");
  EXPECT_EQ(instr(1, "Board Scores", "Scores"), 7);
  EXPECT_EQ(instr(8, "Board Scores", "Scores"), 0);
  EXPECT_EQ(instr(1, "abc", ""), 0);
}

TEST(PString, CaseChangesOnlyTheLettersAToZ) {
  // Even under a Latin-1 locale the bytes of "é" and "Ü" must stay as they are.
  std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(lowerS("Good Night, ZOË Ü [@]"), "good night, zoË Ü [@]");
  EXPECT_EQ(upperS("roll é-z {`}"), "ROLL é-Z {`}");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace bg
