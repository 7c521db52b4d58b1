// The sums behind the ground-following fog: easing its height and turning a ground height into a target.
#pragma once

#include "CoreMinimal.h"
#include <cmath>

namespace LM_GroundFog
{
	/** How fast the fog closes on its target, per second (the engine's interpolation speed). */
	inline constexpr double EaseSpeed = 3.0;

	/** Below this squared gap the fog lands on its target instead of creeping towards it. */
	inline constexpr float SnapSquaredGap = 1e-8f;

	/** The fog's next world Z on its way from Z to TargetHeightZ, in single precision as the fog stores it. */
	inline double EaseHeight(const double Z, const double TargetHeightZ, const float DeltaTime)
	{
		const double Target = static_cast<float>(TargetHeightZ);
		const double Gap = Target - Z;
		if (Gap * Gap < static_cast<double>(SnapSquaredGap))
		{
			return Target;
		}
		const double Step = FMath::Max(FMath::Min(static_cast<double>(DeltaTime) * EaseSpeed, 1.0), 0.0);
		return static_cast<float>(Z + Gap * Step);
	}

	/**
	 * The fog's target over ground at GroundHeight: the ground raised by HeightOffset, never below
	 * HeightClampZ. False for a ground height that is not a number or infinite.
	 */
	inline bool ComputeTargetHeight(const double GroundHeight, const float HeightOffset, const float HeightClampZ, double& OutTargetHeightZ)
	{
		if (!std::isfinite(GroundHeight))
		{
			return false;
		}
		const float Raised = static_cast<float>(static_cast<double>(HeightOffset) + GroundHeight);
		OutTargetHeightZ = FMath::Max(HeightClampZ, Raised);
		return true;
	}
}
