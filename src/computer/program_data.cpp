#include "computer/program_data.h"

#include <string>

#include "computer/factors.h"
#include "computer/personalities.h"
#include "runtime/core/fatal.h"

namespace bg {

const std::array<int16_t, kProgramDataItemCount> kProgramDataList{{
    // Opening book, variant 0: for each roll index 0..35, the from-points of halves 0 and 1.
    8, 6, 6, 13, 6, 8, 6, 13, 6, 13, 8, 13,  // 1-1 .. 1-6
    13, 6, 13, 6, 13, 13, 6, 8, 13, 13, 13, 24,  // 2-1 .. 2-6
    8, 6, 13, 13, 13, 8, 13, 24, 6, 8, 13, 24,  // 3-1 .. 3-6
    13, 6, 8, 6, 24, 13, 13, 9, 24, 13, 13, 24,  // 4-1 .. 4-6
    13, 6, 13, 13, 8, 6, 13, 24, 13, 8, 18, 24,  // 5-1 .. 5-6
    13, 8, 24, 13, 24, 13, 24, 13, 24, 18, 24, 13,  // 6-1 .. 6-6
    // Opening book, variant 1.
    8, 6, 24, 13, 6, 8, 24, 13, 24, 13, 8, 13,  // 1-1 .. 1-6
    13, 24, 24, 22, 13, 13, 6, 8, 13, 13, 13, 24,  // 2-1 .. 2-6
    8, 6, 13, 13, 24, 8, 13, 13, 6, 8, 13, 24,  // 3-1 .. 3-6
    13, 24, 8, 6, 13, 13, 24, 8, 13, 13, 18, 24,  // 4-1 .. 4-6
    13, 24, 13, 13, 8, 6, 13, 13, 13, 8, 18, 24,  // 5-1 .. 5-6
    13, 8, 24, 13, 24, 13, 24, 18, 24, 18, 24, 13,  // 6-1 .. 6-6
    // madePointWeights, points 1..24.
    1, 2, 3, 6, 7, 8, 5, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 5, 6, 5, 3, 1, 0, 0,
    // homePointWeights, points 1..24.
    0, 0, 1, 6, 7, 8, 5, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 7, 8, 7, 9,
    // openingDiceA, then openingDiceB, die values 1..6.
    3, 3, 6, 4, 6, 6, 1, 1, 1, 2, 1, 5,
    // shotWeights row 0, shooter points 0..24, then row 1.
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 6, 6, 5, 5, 5, 5, 6, 6, 6, 6, 5, 6, 6, 6, 5, 5, 5, 0, 0, 0, 4, 4, 4,
    // pointZones, points 0..25.
    0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 0,
}};

ProgramTables programTables;

namespace {

// Hands out the items one by one, as the tables ask for them.
class DataReader {
 public:
  explicit DataReader(std::span<const int16_t> items) : items_(items) {}
  int16_t next() {
    if (next_ >= items_.size()) fatalStop("Out of data");
    return items_[next_++];
  }

 private:
  std::span<const int16_t> items_;
  std::size_t next_ = 0;
};

}  // namespace

void readProgramData(std::span<const int16_t> items) {
  DataReader data(items);
  ProgramTables& t = programTables;
  for (int16_t v = 0; v < kOpeningBookVariants; ++v)
    for (int16_t i = 0; i < kOpeningRollCount; ++i)
      for (int16_t half = 0; half <= 1; ++half) t.openingBook[v][half][i] = data.next();
  for (int16_t p = 1; p <= 24; ++p) t.madePointWeights[p] = data.next();
  for (int16_t p = 1; p <= 24; ++p) t.homePointWeights[p] = data.next();
  for (int16_t r = 1; r <= 6; ++r) t.openingDiceA[r] = data.next();
  for (int16_t r = 1; r <= 6; ++r) t.openingDiceB[r] = data.next();
  for (int16_t f = 0; f <= 1; ++f)
    for (int16_t q = 0; q <= 24; ++q) t.shotWeights[f][q] = data.next();
  for (int16_t p = 0; p <= 25; ++p) t.pointZones[p] = data.next();
}

void readProgramData() { readProgramData(kProgramDataList); }

void initComputerData() {
  initEvaluationFactors();
  initSkillTables();
  readProgramData();
  initPersonalityData();
}

}  // namespace bg
