#pragma once
// The blot-risk analysis reduced to the shot-risk figures the evaluation weighs.
namespace bg {

struct ShotRisk {
  float multiShotCount = 0;    // rolls hitting k blots, times k squared, summed over k
  float multiShotScore = 0;    // the same with the rolls' weights, out of 36
  float blotDistanceRisk = 0;  // blots in front of the shooters that no shot reaches
  float blotHitRisk = 0;       // ways to point on the blots, by how far back they stand

  bool operator==(const ShotRisk&) const = default;
};

extern ShotRisk shotRisk;

// Rewrites shotRisk (and weights blotRiskSum) from the last blot-risk analysis of the
// mover's blots (features.ownBlotPoints).
void computeShotProbabilities();

}  // namespace bg
