// The sums behind the tracking post-process: easing the focus distance and mapping it onto depth of
// field. Pure single-precision arithmetic, kept apart from the component so it is tested on its own.
#pragma once

#include "CoreMinimal.h"

namespace LM_DepthOfField
{
	/** Below this squared gap the eased distance lands on its target instead of creeping towards it. */
	inline constexpr float SnapSquaredGap = 1e-8f;

	/** Focal depth ranges narrower than this map every distance to the near end. */
	inline constexpr float MinFocalDepthRange = 0.0001f;

	/**
	 * One easing step from Current towards Target at Speed per second (the engine's FInterpTo): a
	 * speed of zero or less, or a negligible gap, lands on the target; a step never overshoots.
	 */
	inline float EaseTowards(const float Current, const float Target, const float DeltaTime, const float Speed)
	{
		if (Speed <= 0.0f)
		{
			return Target;
		}
		const float Gap = Target - Current;
		if (Gap * Gap < SnapSquaredGap)
		{
			return Target;
		}
		const float Step = FMath::Max(FMath::Min(Speed * DeltaTime, 1.0f), 0.0f);
		return Current + Gap * Step;
	}

	/** Where Distance sits between the near and far focal depths, 0 at or before the near one, 1 at or past the far one. */
	inline float FocalDepthAlpha(const float Distance, const float MinFocalDepth, const float MaxFocalDepth)
	{
		const float Range = MaxFocalDepth - MinFocalDepth;
		const float Alpha = Range > MinFocalDepthRange ? (Distance - MinFocalDepth) / Range : 0.0f;
		return FMath::Clamp(Alpha, 0.0f, 1.0f);
	}

	/** The sensor width at Alpha (already shaped and clamped) between the two widths. */
	inline float SensorWidth(const float Alpha, const float MinSensorWidth, const float MaxSensorWidth)
	{
		return MinSensorWidth + Alpha * (MaxSensorWidth - MinSensorWidth);
	}

	/** The focus never comes nearer than the near focal depth. */
	inline float FocalDistance(const float Distance, const float MinFocalDepth)
	{
		return FMath::Max(Distance, MinFocalDepth);
	}
}
