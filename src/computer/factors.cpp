#include "computer/factors.h"

namespace bg {

// The order fixes each factor's registry index.
constexpr std::array<FactorEntry, kEvalFactorCount> kEvalFactorTable{{
    {"ABFact1!", &EvalFactors::ABFact1, 0.05242f, 0},
    {"AnFact1!", &EvalFactors::AnFact1, 0.49f, 0},
    {"BarFact1!", &EvalFactors::BarFact1, 0.147f, 0},
    {"BarFact2!", &EvalFactors::BarFact2, 0.2f, 0},
    {"BarFact4!", &EvalFactors::BarFact4, 3.074f, kMarkFlags},
    {"BarFact7!", &EvalFactors::BarFact7, 0.00154f, 0},
    {"BarFact8!", &EvalFactors::BarFact8, 0.001f, 0},
    {"BFact5!", &EvalFactors::BFact5, 0.09277f, 0},
    {"BFact6!", &EvalFactors::BFact6, 0.05f, 0},
    {"BGFact3!", &EvalFactors::BGFact3, 0.28502f, 0},
    {"BGFact4!", &EvalFactors::BGFact4, 4.69061f, 0},
    {"BGFact6!", &EvalFactors::BGFact6, 0.40666f, 0},
    {"BGFact7!", &EvalFactors::BGFact7, 2.99f, 0},
    {"BGFact8!", &EvalFactors::BGFact8, 0.14249f, 0},
    {"BGFact9!", &EvalFactors::BGFact9, 0.95f, 0},
    {"BgFact11!", &EvalFactors::BgFact11, 0.65f, 0},
    {"BGFact12!", &EvalFactors::BGFact12, 1.29364f, 0},
    {"BGFact13!", &EvalFactors::BGFact13, 4.4f, 0},
    {"BGFact14!", &EvalFactors::BGFact14, 6.15596f, 0},
    {"BkFact1!", &EvalFactors::BkFact1, 3.09218f, 0},
    {"BkFact3!", &EvalFactors::BkFact3, 0.84291f, 0},
    {"BkFact4!", &EvalFactors::BkFact4, 0.328f, 0},
    {"BldFact!", &EvalFactors::BldFact, 0.07803f, 0},
    {"BldFact2!", &EvalFactors::BldFact2, 0.278649f, 0},
    {"BldFact3!", &EvalFactors::BldFact3, 0.110947f, 0},
    {"BldFact4!", &EvalFactors::BldFact4, 0.03146f, kMarkFlags},
    {"BldFact5!", &EvalFactors::BldFact5, 0.09214f, 0},
    {"BldFact6!", &EvalFactors::BldFact6, 0.03258f, 0},
    {"BldFact7!", &EvalFactors::BldFact7, 0.11334f, 0},
    {"BlFact1!", &EvalFactors::BlFact1, 0.39319f, 0},
    {"BlFact2!", &EvalFactors::BlFact2, 1.596f, 0},
    {"BlFact4!", &EvalFactors::BlFact4, 0.26051f, 0},
    {"BlFact5!", &EvalFactors::BlFact5, 0.26658f, 0},
    {"blFact6!", &EvalFactors::blFact6, 0.69071f, kMarkFlags2},
    {"blFact7!", &EvalFactors::blFact7, 0.474f, 0},
    {"blFact8!", &EvalFactors::blFact8, 0.15573f, kMarkFlags},
    {"blFact9!", &EvalFactors::blFact9, 2.6f, 0},
    {"BlkFact2!", &EvalFactors::BlkFact2, 0.3f, kMarkFlags},
    {"BlkFact3!", &EvalFactors::BlkFact3, 2.06013f, kMarkFlags},
    {"BOFact1!", &EvalFactors::BOFact1, 0.8f, 0},
    {"BOFact2!", &EvalFactors::BOFact2, 4.0f, 0},
    {"BOFact3!", &EvalFactors::BOFact3, 4.24f, 0},
    {"BOFact4!", &EvalFactors::BOFact4, 12.0f, 0},
    {"BOFact6!", &EvalFactors::BOFact6, 0.4f, 0},
    {"BOFact8!", &EvalFactors::BOFact8, 1.05195f, 0},
    {"BOFact10!", &EvalFactors::BOFact10, 0.15596f, 0},
    {"BOFact12!", &EvalFactors::BOFact12, 4.08f, 0},
    {"BOFact13!", &EvalFactors::BOFact13, 0.75539f, 0},
    {"BOFact14!", &EvalFactors::BOFact14, 0.1f, 0},
    {"BOFact15!", &EvalFactors::BOFact15, 0.14f, 0},
    {"BOFact16!", &EvalFactors::BOFact16, 3.04889f, 0},
    {"BoFact17!", &EvalFactors::BoFact17, 6.0f, 0},
    {"BOFact18!", &EvalFactors::BOFact18, 2.964f, 0},
    {"BOFact19!", &EvalFactors::BOFact19, 2.96717f, 0},
    {"BOFact20!", &EvalFactors::BOFact20, 0.7708f, 0},
    {"BOFact21!", &EvalFactors::BOFact21, 0.3f, 0},
    {"BOFact22!", &EvalFactors::BOFact22, 0.43307f, 0},
    {"BOFact23!", &EvalFactors::BOFact23, 0.31852f, 0},
    {"BOFact24!", &EvalFactors::BOFact24, 0.06f, 0},
    {"Brfact10!", &EvalFactors::Brfact10, 0.02563f, kMarkFlags | kMarkFlags2},
    {"Brfact11!", &EvalFactors::Brfact11, 0.00455f, kMarkFlags},
    {"Brfact12!", &EvalFactors::Brfact12, 0.00708f, kMarkFlags},
    {"Brfact13!", &EvalFactors::Brfact13, 0.61136f, 0},
    {"Bsfact1!", &EvalFactors::Bsfact1, 2.1f, 0},
    {"BtFact1!", &EvalFactors::BtFact1, 0.04233f, kMarkFlags | kMarkFlags2},
    {"Btfact3!", &EvalFactors::Btfact3, 0.34789f, kMarkFlags},
    {"BtFact4!", &EvalFactors::BtFact4, 0.25822f, 0},
    {"Btfact5!", &EvalFactors::Btfact5, 0.18212f, 0},
    {"Btfact6!", &EvalFactors::Btfact6, 1.39751f, 0},
    {"Btfact7!", &EvalFactors::Btfact7, 0.32169f, kMarkFlags},
    {"BtFact8!", &EvalFactors::BtFact8, 0.03819f, kMarkFlags},
    {"BtFact10!", &EvalFactors::BtFact10, 0.31559f, 0},
    {"BtFact11!", &EvalFactors::BtFact11, 0.0009f, kMarkFlags},
    {"BtFact12!", &EvalFactors::BtFact12, 1.0f, 0},
    {"DFact1!", &EvalFactors::DFact1, 0.6f, 0},
    {"DFact2!", &EvalFactors::DFact2, 0.42f, 0},
    {"DistribFactor!", &EvalFactors::DistribFactor, 0.35f, 0},
    {"DistribFact2!", &EvalFactors::DistribFact2, 0.1292f, 0},
    {"DistribFactor3!", &EvalFactors::DistribFactor3, 0.1f, 0},
    {"GapFact1!", &EvalFactors::GapFact1, 0.0f, 0},
    {"GapFact2!", &EvalFactors::GapFact2, 0.3f, 0},
    {"GapFact3!", &EvalFactors::GapFact3, -0.5f, 0},
    {"GFact!", &EvalFactors::GFact, 0.02603f, kMarkFlags | kMarkFlags2},
    {"GFact2!", &EvalFactors::GFact2, 0.12526f, kMarkFlags},
    {"GoFact1!", &EvalFactors::GoFact1, 1.5f, 0},
    {"GpFact!", &EvalFactors::GpFact, 1.8f, 0},
    {"GpFact2!", &EvalFactors::GpFact2, 0.08755f, 0},
    {"GpFact4!", &EvalFactors::GpFact4, 0.40296f, 0},
    {"GpFact5!", &EvalFactors::GpFact5, 0.04189f, 0},
    {"GpFact6!", &EvalFactors::GpFact6, 1.5f, 0},
    {"GpFact7!", &EvalFactors::GpFact7, 0.001246f, kMarkFlags3},
    {"GpFact8!", &EvalFactors::GpFact8, 0.46f, 0},
    {"GpFact9!", &EvalFactors::GpFact9, 1.06777f, 0},
    {"GpFact10!", &EvalFactors::GpFact10, 10.32f, 0},
    {"GpFact11!", &EvalFactors::GpFact11, 0.34291f, 0},
    {"GpFact12!", &EvalFactors::GpFact12, 1.98016f, 0},
    {"GpFact13!", &EvalFactors::GpFact13, 0.587071f, 0},
    {"GpFact14!", &EvalFactors::GpFact14, 0.6f, 0},
    {"HBFact!", &EvalFactors::HBFact, 1.17742f, kMarkFlags3},
    {"HBGFact2!", &EvalFactors::HBGFact2, 4.0f, 0},
    {"HBGFact3!", &EvalFactors::HBGFact3, 3.90513f, 0},
    {"HBGFact4!", &EvalFactors::HBGFact4, 5.75f, 0},
    {"HFact!", &EvalFactors::HFact, 0.03229f, kMarkFlags2},
    {"HFact3!", &EvalFactors::HFact3, 0.08589f, 0},
    {"Hitfact2!", &EvalFactors::Hitfact2, 0.906438f, kMarkFlags},
    {"Hitfact3!", &EvalFactors::Hitfact3, 0.02958f, 0},
    {"Hitfact5!", &EvalFactors::Hitfact5, 0.59f, 0},
    {"Hitfact6!", &EvalFactors::Hitfact6, 0.466752f, 0},
    {"Hitfact7!", &EvalFactors::Hitfact7, 0.6f, 0},
    {"IFact1!", &EvalFactors::IFact1, 0.06647f, 0},
    {"IFact2!", &EvalFactors::IFact2, 0.23303f, 0},
    {"IFact5!", &EvalFactors::IFact5, 0.71727f, 0},
    {"IFact6!", &EvalFactors::IFact6, 0.24502f, 0},
    {"LFact!", &EvalFactors::LFact, 0.20802f, kMarkFlags3},
    {"LFact2!", &EvalFactors::LFact2, 9.18f, 0},
    {"MBfact1!", &EvalFactors::MBfact1, 1.0f, 0},
    {"MOFact!", &EvalFactors::MOFact, 1.5652f, 0},
    {"MOFact2!", &EvalFactors::MOFact2, 1.21f, 0},
    {"MvFact2!", &EvalFactors::MvFact2, 4.2f, 0},
    {"MvFact3!", &EvalFactors::MvFact3, 0.686f, 0},
    {"MvFact4!", &EvalFactors::MvFact4, 0.6f, 0},
    {"MvFact5!", &EvalFactors::MvFact5, 1.7f, 0},
    {"MvFact7!", &EvalFactors::MvFact7, 2.1056f, 0},
    {"MvFact9!", &EvalFactors::MvFact9, 0.25f, 0},
    {"MvFact10!", &EvalFactors::MvFact10, 3.67187f, 0},
    {"MvFact11!", &EvalFactors::MvFact11, 3.68948f, 0},
    {"MvFact12!", &EvalFactors::MvFact12, 0.913203f, 0},
    {"MvFact13!", &EvalFactors::MvFact13, 0.85f, 0},
    {"OPFact6!", &EvalFactors::OPFact6, 0.06071f, kMarkFlags},
    {"OutFact!", &EvalFactors::OutFact, 1.14f, 0},
    {"OutFact3!", &EvalFactors::OutFact3, 0.0f, kMarkFlags3},
    {"PFactBG!", &EvalFactors::PFactBG, 0.00814f, 0},
    {"PFactStart!", &EvalFactors::PFactStart, 0.1769f, 0},
    {"PrmFact1!", &EvalFactors::PrmFact1, 6.5965f, 0},
    {"PrmFact2!", &EvalFactors::PrmFact2, 2.0f, 0},
    {"PrmFact3!", &EvalFactors::PrmFact3, 1.28987f, 0},
    {"PrmFact4!", &EvalFactors::PrmFact4, 0.037f, 0},
    {"PrmFact5!", &EvalFactors::PrmFact5, 11.1798f, 0},
    {"PrmFact6!", &EvalFactors::PrmFact6, 6.09212f, 0},
    {"PrmFact7!", &EvalFactors::PrmFact7, 1.33485f, 0},
    {"PrmFact8!", &EvalFactors::PrmFact8, 0.15939f, 0},
    {"PtFact1!", &EvalFactors::PtFact1, 0.36f, 0},
    {"PtFact2!", &EvalFactors::PtFact2, 0.37231f, 0},
    {"RgFact!", &EvalFactors::RgFact, 0.2814f, 0},
    {"RunFact!", &EvalFactors::RunFact, 9.42548f, 0},
    {"RunFact1!", &EvalFactors::RunFact1, 2.0f, 0},
    {"SpFact!", &EvalFactors::SpFact, 3.71184f, 0},
    {"SpFact2!", &EvalFactors::SpFact2, 0.67591f, 0},
    {"SpFact3!", &EvalFactors::SpFact3, 0.2f, 0},
    {"SpFact4!", &EvalFactors::SpFact4, 0.1f, 0},
    {"StFact1!", &EvalFactors::StFact1, 0.11874f, 0},
    {"StFact2!", &EvalFactors::StFact2, 0.1044f, 0},
    {"TempFact!", &EvalFactors::TempFact, 0.93238f, 0},
    {"TmFact1!", &EvalFactors::TmFact1, 0.5f, 0},
}};

constexpr std::array<FactorEntry, kDoublingFactorCount> kDoublingFactorTable{{
    {"Dblfact1!", &EvalFactors::Dblfact1, 37.5966f, 0},
    {"Dblfact2!", &EvalFactors::Dblfact2, 300.0f, 0},
    {"Dblfact3!", &EvalFactors::Dblfact3, 0.45f, 0},
    {"Dblfact4!", &EvalFactors::Dblfact4, 500.0f, 0},
    {"Dblfact5!", &EvalFactors::Dblfact5, 49.3201f, 0},
    {"Dblfact6!", &EvalFactors::Dblfact6, 150.0f, 0},
    {"Dblfact7!", &EvalFactors::Dblfact7, 115.0f, 0},
    {"Dblfact8!", &EvalFactors::Dblfact8, 145.0f, 0},
    {"Dblfact9!", &EvalFactors::Dblfact9, 90.1f, 0},
    {"Dblfact10!", &EvalFactors::Dblfact10, 57.0369f, 0},
    {"Dblfact11!", &EvalFactors::Dblfact11, 400.0f, 0},
    {"Dblfact12!", &EvalFactors::Dblfact12, 42.84f, 0},
    {"Dblfact13!", &EvalFactors::Dblfact13, 3.08328f, 0},
    {"Dblfact14!", &EvalFactors::Dblfact14, 131.753f, 0},
    {"Dblfact15!", &EvalFactors::Dblfact15, 22.0f, 0},
    {"Dblfact16!", &EvalFactors::Dblfact16, 73.2951f, 0},
    {"Dblfact17!", &EvalFactors::Dblfact17, 48.5734f, 0},
    {"Dblfact18!", &EvalFactors::Dblfact18, 79.2509f, 0},
    {"Dblfact19!", &EvalFactors::Dblfact19, 87.528f, 0},
    {"Dblfact20!", &EvalFactors::Dblfact20, 40.1041f, 0},
    {"Dblfact21!", &EvalFactors::Dblfact21, 26.75f, 0},
    {"Dblfact22!", &EvalFactors::Dblfact22, 60.2624f, 0},
    {"Dblfact23!", &EvalFactors::Dblfact23, 33.03f, 0},
    {"Dblfact24!", &EvalFactors::Dblfact24, 5.31947f, 0},
    {"Dblfact25!", &EvalFactors::Dblfact25, 53.8085f, 0},
    {"Dblfact26!", &EvalFactors::Dblfact26, 0.459979f, 0},
    {"Dblfact27!", &EvalFactors::Dblfact27, 1.0f, 0},
    {"Dblfact28!", &EvalFactors::Dblfact28, 1.0f, 0},
    {"Dblfact29!", &EvalFactors::Dblfact29, 1.10468f, 0},
    {"Dblfact30!", &EvalFactors::Dblfact30, 1.12826f, 0},
    {"Dblfact31!", &EvalFactors::Dblfact31, 19.4252f, 0},
    {"Dblfact32!", &EvalFactors::Dblfact32, 5.7245f, 0},
    {"Dblfact33!", &EvalFactors::Dblfact33, 3.11364f, 0},
    {"Dblfact34!", &EvalFactors::Dblfact34, 1.063f, 0},
    {"Dblfact35!", &EvalFactors::Dblfact35, 0.95f, 0},
    {"Dblfact36!", &EvalFactors::Dblfact36, 1.07f, 0},
}};

namespace {

// A missing row would leave an empty entry at the table's end, and a longer name would be
// cut in the registry.
constexpr bool everyRowSound(const auto& table) {
  for (const FactorEntry& e : table)
    if (e.name.empty() || e.name.size() > FactorName::kCapacity || e.field == nullptr)
      return false;
  return true;
}
static_assert(everyRowSound(kEvalFactorTable));
static_assert(everyRowSound(kDoublingFactorTable));

constexpr EvalParameters kDefaultEvalParams{
    .blockScoreWeight = 0.78923f,
    .barScoreWeight = 1.51672f,
    .blotScoreWeight = 1.01f,
    .distribScoreWeight = 1.01f,
    .mainScoreWeight = 1.01f,
    .skillDivisor = 10,
    .bgTimingCountLimit = 4,
    .bgTimingCountLimit2 = 30,
    .bgTimingMinimum = 24,
    .bgTimingMargin = 4,
    .oppHomeBlotPipLimit = -17,
    .backMenLeadLimit = 16,
    .raceLeadLimit = -16,
    .stackingDivisor = 40,
};

constexpr EvalFactors defaultFactors() {
  EvalFactors f{};
  for (const FactorEntry& e : kEvalFactorTable) f.*e.field = e.defaultValue;
  for (const FactorEntry& e : kDoublingFactorTable) f.*e.field = e.defaultValue;
  return f;
}

}  // namespace

// Hold their defaults from the start, so code run without the start-up sequence (tests,
// tools) reads them too; initEvaluationFactors sets them again at start-up.
constinit EvalFactors factors = defaultFactors();
FactorRegistry factorRegistry;
constinit EvalParameters evalParams = kDefaultEvalParams;

void initEvaluationFactors() {
  factorRegistry = FactorRegistry{};
  factors = defaultFactors();
  for (const FactorEntry& e : kEvalFactorTable) {
    const int16_t k = ++factorRegistry.factorCount;
    factorRegistry.factorPointers[k] = &(factors.*e.field);
    factorRegistry.factorNames[k] = e.name;
    if (e.marks & kMarkFlags) factorRegistry.factorFlags[k] = 255;
    if (e.marks & kMarkFlags2) factorRegistry.factorFlags2[k] = -1;
    if (e.marks & kMarkFlags3) factorRegistry.factorFlags3[k] = 255;
  }
  for (int16_t n = 1; n <= kDoublingFactorCount; ++n) {
    const FactorEntry& e = kDoublingFactorTable[static_cast<std::size_t>(n - 1)];
    factorRegistry.dblFactorPointers[n] = &(factors.*e.field);
    factorRegistry.dblFactorNames[n] = e.name;
  }
  evalParams = kDefaultEvalParams;
}

float* findFactor(std::string_view name) {
  for (const FactorEntry& e : kEvalFactorTable)
    if (e.name == name) return &(factors.*e.field);
  for (const FactorEntry& e : kDoublingFactorTable)
    if (e.name == name) return &(factors.*e.field);
  return nullptr;
}

}  // namespace bg
