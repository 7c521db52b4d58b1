#pragma once

// The sums behind ULM_CelestialRotationComponent, free of any engine object so that they can be
// checked on their own. Everything is single precision, as the component has always computed it;
// only pitches that come from or go to a rotator are doubles. Comparisons are written the way
// FMath::Clamp / FMath::Min evaluate them, so out-of-range inputs land where they always did.

#include <cmath>

namespace LM::Celestial
{
	/** Fade ranges narrower than this become a step (the engine's UE_SMALL_NUMBER). */
	inline constexpr float StepRangeDeg = 1.e-8f;

	/** A sun range at or below this gives an elevation magnitude of 0 (UE_KINDA_SMALL_NUMBER). */
	inline constexpr float MinElevationRangeDeg = 1.e-4f;

	/** The cycle phase stays strictly below 4 so that 4 never shows up next to 0. */
	inline constexpr float MaxCyclePhase = 3.9999f;

	/** Same constant as UE_DOUBLE_PI. */
	inline constexpr double DoublePi = 3.141592653589793238462643383279502884197169399;

	/** Times, in normalised days, at which a body crosses the horizon. */
	struct FHorizonSpan
	{
		float Rise = 0.f;
		float Set = 0.f;
	};

	/** Pitch and yaw of a body in degrees, before they are widened into a rotator. */
	struct FBodyAngles
	{
		float Pitch = 0.f;
		float Yaw = 0.f;
	};

	/** FMath::Clamp(X, 0, 1): a NaN comes out as 1. */
	[[nodiscard]] inline float Clamp01(const float X)
	{
		return X < 0.f ? 0.f : (X < 1.f ? X : 1.f);
	}

	/** Fractional part, rounding towards negative infinity (-0.25 gives 0.75). */
	[[nodiscard]] inline float Frac(const float X)
	{
		return X - std::floor(X);
	}

	/** Linear fade of X from A (0) to B (1), unclamped; a range of (near) zero width is a step at B. */
	[[nodiscard]] inline float FadeFraction(const float X, const float A, const float B)
	{
		const float Width = B - A;
		if (std::fabs(Width) > StepRangeDeg)
		{
			return (X - A) / Width;
		}
		return X >= B ? 1.f : 0.f;
	}

	/** The share of a day a body spends above the horizon, centred on noon (0.5). */
	[[nodiscard]] inline FHorizonSpan HorizonWindow(const float AboveHorizonFraction)
	{
		// Min with 1 first, then max with 0: a NaN fraction opens the whole day.
		const float Upper = AboveHorizonFraction <= 1.f ? AboveHorizonFraction : 1.f;
		const float Clamped = Upper >= 0.f ? Upper : 0.f;
		const float Half = Clamped * 0.5f;
		return FHorizonSpan{0.5f - Half, 0.5f + Half};
	}

	/**
	 * Position of a body on its daily arc: a parabola of height NoonAltitudeDeg over its horizon
	 * window (see HorizonWindow) and one of depth DepthDeg over the rest of the day. Negative pitch
	 * is above the horizon. Yaw turns 360 degrees a day and is not wrapped: before rise it
	 * continues the previous night.
	 */
	[[nodiscard]] inline FBodyAngles BodyRotation(const float Time, const float NoonAltitudeDeg, const float DepthDeg,
		const FHorizonSpan& Window, const float SkyAzimuthOffsetDeg, const float ExtraAzimuthDeg)
	{

		float Pitch = 0.f;
		float ArcTime = Time;
		if (Window.Rise <= Time && Time <= Window.Set)
		{
			// A window of zero width holds noon alone, where the arc would be 0/0: the body sits on
			// the horizon there, the limit of both arcs, so no NaN ever reaches a light.
			const float Span = Window.Set - Window.Rise;
			if (Span > 0.f)
			{
				const float U = (Time - Window.Rise) / Span;
				const float V = 2.f * U - 1.f;
				Pitch = (V * V - 1.f) * NoonAltitudeDeg;
			}
		}
		else
		{
			ArcTime = Time >= Window.Set ? Time : Time + 1.f;
			const float U = (ArcTime - Window.Set) / ((Window.Rise + 1.f) - Window.Set);
			const float V = 2.f * U - 1.f;
			Pitch = (1.f - V * V) * DepthDeg;
		}

		const float Yaw = (ArcTime * 360.f + SkyAzimuthOffsetDeg) + ExtraAzimuthDeg;
		return FBodyAngles{Pitch, Yaw};
	}

	/** Sun light factor for a sun altitude: the fade range clamped to 0..1. */
	[[nodiscard]] inline float SunAlpha(const float SunAltitudeDeg, const float FadeStartDeg, const float FadeEndDeg)
	{
		return Clamp01(FadeFraction(SunAltitudeDeg, FadeStartDeg, FadeEndDeg));
	}

	/** The moon is up for this share of its own cycle: what the sun leaves of the day, scaled. */
	[[nodiscard]] inline float MoonAboveHorizonFraction(const float DayLightFraction, const float FractionScale)
	{
		return Clamp01((1.f - DayLightFraction) * FractionScale);
	}

	/** Time on the moon's own arc: half a day behind the sun, stretched over CycleDays (at least 1). */
	[[nodiscard]] inline float MoonTime(const float TotalNormalizedTimePassed, const int CycleDays)
	{
		const int Days = CycleDays > 1 ? CycleDays : 1;
		return Frac(TotalNormalizedTimePassed / static_cast<float>(Days) + 0.5f);
	}

	/**
	 * Moon light factor: its own altitude fade times a gate that closes as the sun climbs to
	 * min(SunFadeStartDeg + GateOffsetDeg, 0) and stays shut while the sun is at or above the horizon.
	 */
	[[nodiscard]] inline float MoonAlpha(const float MoonAltitudeDeg, const float SunAltitudeDeg, const float SunFadeStartDeg,
		const float GateOffsetDeg, const float MoonFadeStartDeg, const float MoonFadeEndDeg)
	{
		const float Width = MoonFadeEndDeg - MoonFadeStartDeg;
		const float GateSum = SunFadeStartDeg + GateOffsetDeg;
		const float Gate = GateSum < 0.f ? GateSum : 0.f;
		const bool bStep = !(std::fabs(Width) > StepRangeDeg);

		const float SunSide = Clamp01(bStep ? (SunAltitudeDeg >= Gate ? 1.f : 0.f) : (SunAltitudeDeg - (Gate - Width)) / Width);
		const float SunGate = SunAltitudeDeg < 0.f ? 1.f - SunSide : 0.f;

		const float MoonFade = Clamp01(bStep ? (MoonAltitudeDeg >= MoonFadeEndDeg ? 1.f : 0.f) : (MoonAltitudeDeg - MoonFadeStartDeg) / Width);
		return MoonFade * SunGate;
	}

	/**
	 * True when the sign of the pitch alone decides whether a rotator points below the horizon.
	 * The engine's forward vector has Z = sin(Fmod(Pitch, 360) in radians); within (1e-300, 170)
	 * degrees that sine has the pitch's sign. Outside (winding, the far side of +-180, and pitches so
	 * small that their radians underflow to zero) the full formula decides.
	 */
	[[nodiscard]] inline bool IsHorizonSideGivenByPitchSign(const double PitchDeg)
	{
		const double Magnitude = std::fabs(PitchDeg);
		return Magnitude > 1.e-300 && Magnitude < 170.0;
	}

	/** Forward(Pitch) . Up < 0, as FRotator::Vector() computes it: Fmod by 360, then an exact sine. */
	[[nodiscard]] inline bool IsPitchAboveHorizon(const double PitchDeg)
	{
		if (IsHorizonSideGivenByPitchSign(PitchDeg))
		{
			return PitchDeg < 0.0;
		}
		const double Unwound = std::fmod(PitchDeg, 360.0);
		return std::sin(Unwound * (DoublePi / 180.0)) < 0.0;
	}

	/**
	 * Pitch given to a directional light for a body above the horizon: its altitude raised by
	 * OffsetDeg, lifted to MinAltitudeDeg when it ends up just above the horizon. A result at or below
	 * the horizon is left there.
	 */
	[[nodiscard]] inline double LightPitch(const double BodyPitchDeg, const float OffsetDeg, const float MinAltitudeDeg)
	{
		float Altitude = static_cast<float>(-BodyPitchDeg) + OffsetDeg;
		if (Altitude > 0.f && Altitude < MinAltitudeDeg)
		{
			Altitude = MinAltitudeDeg;
		}
		return static_cast<double>(-Altitude);
	}

	/** Linear elevation magnitude: how far the sun stands from the horizon relative to RangeDeg, 0..1. */
	[[nodiscard]] inline float ElevationMagnitude(const float SunAltitudeDeg, const float RangeDeg)
	{
		return RangeDeg > MinElevationRangeDeg ? Clamp01(std::fabs(SunAltitudeDeg) / RangeDeg) : 0.f;
	}

	/**
	 * Signed elevation phase: the magnitude shaped by Curve (any callable float -> float, the
	 * identity when no curve is set; its output is not clamped), positive above the horizon.
	 */
	template <typename CurveType>
	[[nodiscard]] inline float ElevationPhase(const float SunAltitudeDeg, const bool bSunAboveHorizon, const float RangeDeg, const CurveType& Curve)
	{
		const float Shaped = Curve(ElevationMagnitude(SunAltitudeDeg, RangeDeg));
		return bSunAboveHorizon ? Shaped : -Shaped;
	}

	/**
	 * Cycle phase, 0 at sunrise, 1 at noon, 2 at sunset, 3 at midnight, kept in [0, 3.9999], for the
	 * sun's horizon window. Curve is applied to the clamped magnitude of ElevationPhaseValue (which
	 * already went through it).
	 */
	template <typename CurveType>
	[[nodiscard]] inline float CyclePhase(const float ElevationPhaseValue, const bool bSunAboveHorizon, const FHorizonSpan& SunWindow,
		const float TimeOfDay, const CurveType& Curve)
	{
		const float Progress = Curve(Clamp01(std::fabs(ElevationPhaseValue)));

		float Phase;
		if (bSunAboveHorizon)
		{
			Phase = (SunWindow.Rise <= TimeOfDay && TimeOfDay <= 0.5f) ? Progress : (1.f - Progress) + 1.f;
		}
		else
		{
			Phase = TimeOfDay >= SunWindow.Set ? Progress + 2.f : (1.f - Progress) + 3.f;
		}

		// fmod(Phase, 4) is Phase itself on [0, 4); skip the library call for the usual case.
		if (!(Phase >= 0.f && Phase < 4.f))
		{
			Phase = std::fmod(Phase, 4.f);
			if (Phase < 0.f)
			{
				Phase += 4.f;
			}
		}
		return Phase < MaxCyclePhase ? Phase : MaxCyclePhase;
	}
}
