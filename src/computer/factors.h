#pragma once
// The named evaluation factors: the hand-tuned weights of the play evaluation and of the
// cube decisions, the registry that lists them by name, the weights that combine the
// partial scores and the integer tuning parameters.
//
// A factor's identifier is its registry name without the closing "!", letter case kept:
// "ABFact1!" is factors.ABFact1, "blFact6!" is factors.blFact6, "Dblfact32!" is
// factors.Dblfact32. The terms read the fields directly; nothing is looked up by name
// while the game runs.
#include <array>
#include <cstdint>
#include <string_view>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kEvalFactorCount = 154;
inline constexpr int16_t kDoublingFactorCount = 36;
inline constexpr long kFactorRegistryHighest = 160;  // room for 160 evaluation factors

// A registry name: at most 15 bytes ("DistribFactor3!" fills it).
using FactorName = PString<15>;

struct EvalFactors {
  // Evaluation factors, in registration order.
  float ABFact1;
  float AnFact1;
  float BarFact1, BarFact2, BarFact4, BarFact7, BarFact8;
  float BFact5, BFact6;
  float BGFact3, BGFact4, BGFact6, BGFact7, BGFact8, BGFact9, BgFact11, BGFact12, BGFact13,
        BGFact14;
  float BkFact1, BkFact3, BkFact4;
  float BldFact, BldFact2, BldFact3, BldFact4, BldFact5, BldFact6, BldFact7;
  float BlFact1, BlFact2, BlFact4, BlFact5, blFact6, blFact7, blFact8, blFact9;
  float BlkFact2, BlkFact3;
  float BOFact1, BOFact2, BOFact3, BOFact4, BOFact6, BOFact8, BOFact10, BOFact12, BOFact13,
        BOFact14, BOFact15, BOFact16, BoFact17, BOFact18, BOFact19, BOFact20, BOFact21,
        BOFact22, BOFact23, BOFact24;
  float Brfact10, Brfact11, Brfact12, Brfact13;
  float Bsfact1;
  float BtFact1, Btfact3, BtFact4, Btfact5, Btfact6, Btfact7, BtFact8, BtFact10, BtFact11,
        BtFact12;
  float DFact1, DFact2;
  float DistribFactor, DistribFact2, DistribFactor3;
  float GapFact1, GapFact2, GapFact3;
  float GFact, GFact2;
  float GoFact1;
  float GpFact, GpFact2, GpFact4, GpFact5, GpFact6, GpFact7, GpFact8, GpFact9, GpFact10,
        GpFact11, GpFact12, GpFact13, GpFact14;
  float HBFact;
  float HBGFact2, HBGFact3, HBGFact4;
  float HFact, HFact3;
  float Hitfact2, Hitfact3, Hitfact5, Hitfact6, Hitfact7;
  float IFact1, IFact2, IFact5, IFact6;
  float LFact, LFact2;
  float MBfact1;
  float MOFact, MOFact2;
  float MvFact2, MvFact3, MvFact4, MvFact5, MvFact7, MvFact9, MvFact10, MvFact11, MvFact12,
        MvFact13;
  float OPFact6;
  float OutFact, OutFact3;
  float PFactBG, PFactStart;
  float PrmFact1, PrmFact2, PrmFact3, PrmFact4, PrmFact5, PrmFact6, PrmFact7, PrmFact8;
  float PtFact1, PtFact2;
  float RgFact;
  float RunFact, RunFact1;
  float SpFact, SpFact2, SpFact3, SpFact4;
  float StFact1, StFact2;
  float TempFact;
  float TmFact1;
  // Doubling factors, Dblfact1! to Dblfact36!.
  float Dblfact1, Dblfact2, Dblfact3, Dblfact4, Dblfact5, Dblfact6;
  float Dblfact7, Dblfact8, Dblfact9, Dblfact10, Dblfact11, Dblfact12;
  float Dblfact13, Dblfact14, Dblfact15, Dblfact16, Dblfact17, Dblfact18;
  float Dblfact19, Dblfact20, Dblfact21, Dblfact22, Dblfact23, Dblfact24;
  float Dblfact25, Dblfact26, Dblfact27, Dblfact28, Dblfact29, Dblfact30;
  float Dblfact31, Dblfact32, Dblfact33, Dblfact34, Dblfact35, Dblfact36;
};

extern EvalFactors factors;

// Marks that registration sets on a factor's registry index.
inline constexpr uint8_t kMarkFlags = 1;   // factorFlags = 255
inline constexpr uint8_t kMarkFlags2 = 2;  // factorFlags2 = -1
inline constexpr uint8_t kMarkFlags3 = 4;  // factorFlags3 = 255

struct FactorEntry {
  std::string_view name;
  float EvalFactors::*field;
  float defaultValue;
  uint8_t marks;  // kMarkFlags | kMarkFlags2 | kMarkFlags3
};

// Every factor with its default, in registration order; the doubling table's entry n - 1
// is Dblfact<n>!.
extern const std::array<FactorEntry, kEvalFactorCount> kEvalFactorTable;
extern const std::array<FactorEntry, kDoublingFactorCount> kDoublingFactorTable;

// The registry as the analysis displays read it: index k (1..factorCount) names the
// k-th registered factor and points at its variable; index 0 and the spare entries stay
// empty. Doubling factor n sits at index n of the dbl arrays.
struct FactorRegistry {
  CheckedArray<FactorName, kFactorRegistryHighest> factorNames;
  CheckedArray<float*, kFactorRegistryHighest> factorPointers{};
  int16_t factorCount = 0;
  CheckedArray<uint8_t, kFactorRegistryHighest> factorFlags;   // 0 or 255
  CheckedArray<int16_t, kFactorRegistryHighest> factorFlags2;  // 0 or -1
  CheckedArray<uint8_t, kFactorRegistryHighest> factorFlags3;  // 0 or 255
  CheckedArray<FactorName, kDoublingFactorCount> dblFactorNames;
  CheckedArray<float*, kDoublingFactorCount> dblFactorPointers{};
};

extern FactorRegistry factorRegistry;

// The weights that combine the partial scores, and the integer tuning parameters.
struct EvalParameters {
  float blockScoreWeight = 0;
  float barScoreWeight = 0;
  float blotScoreWeight = 0;
  float distribScoreWeight = 0;
  float mainScoreWeight = 0;
  int16_t skillDivisor = 0;
  int16_t bgTimingCountLimit = 0;
  int16_t bgTimingCountLimit2 = 0;
  int16_t bgTimingMinimum = 0;
  int16_t bgTimingMargin = 0;
  int16_t oppHomeBlotPipLimit = 0;
  int16_t backMenLeadLimit = 0;
  int16_t raceLeadLimit = 0;
  int16_t stackingDivisor = 0;
};

extern EvalParameters evalParams;

// Sets every factor, weight and parameter to its default and rebuilds the registry from
// an empty count. Safe to call again: it restores the defaults.
void initEvaluationFactors();

// The variable of the evaluation or doubling factor with exactly this name (case counts),
// or nullptr.
float* findFactor(std::string_view name);

}  // namespace bg
