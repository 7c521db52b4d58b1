#pragma once

// The celestial update written as plain single-precision code over plain structs: no component, no
// rotators, no engine types. It is the yardstick the component's Update is measured against (what the
// arithmetic itself costs), and a test checks that it computes the component's outputs exactly, so
// that the comparison stays honest.

#include <cmath>

namespace ZNBenchmark
{
	/** The settings the update reads, as plain numbers (defaults as the settings record's). */
	struct FPlainSkySettings
	{
		float DayLightFraction = 0.25f;
		float SunNoonAltitudeDeg = 20.0f;
		float SunDepthDeg = 20.0f;
		float SunFadeStartDeg = 0.0f;
		float SunFadeEndDeg = 8.0f;
		float MoonNoonAltitudeDeg = 20.0f;
		float MoonAboveHorizonFractionScale = 0.9f;
		float MoonSunGateOffsetDeg = 0.0f;
		float MoonFadeStartDeg = 0.0f;
		float MoonFadeEndDeg = 8.0f;
		float SkyAzimuthOffsetDeg = 0.0f;
		float MoonAzimuthOffsetDeg = 0.0f;
		int MoonCycleDays = 1;
		bool bLockMoonAltitude = false;
	};

	/** What one update produces: angles in degrees (negative pitch is above the horizon) and the two alphas. */
	struct FPlainSkyState
	{
		float TimeOfDay = 0.0f;
		float SunPitch = 0.0f;
		float SunYaw = 0.0f;
		float SunAlpha = 0.0f;
		float MoonPitch = 0.0f;
		float MoonYaw = 0.0f;
		float MoonAlpha = 0.0f;
	};

	inline float PlainClamp01(const float X)
	{
		return X < 0.0f ? 0.0f : (X < 1.0f ? X : 1.0f);
	}

	/** A body on its parabolic arcs above (over its window around noon) and below the horizon. */
	inline void PlainBodyAngles(const float Time, const float Height, const float Depth, const float Fraction, const float SkyAzimuth,
		const float ExtraAzimuth, float& OutPitch, float& OutYaw)
	{
		const float Upper = Fraction <= 1.0f ? Fraction : 1.0f;
		const float Half = (Upper >= 0.0f ? Upper : 0.0f) * 0.5f;
		const float Rise = 0.5f - Half;
		const float Set = 0.5f + Half;

		float Pitch = 0.0f;
		float ArcTime = Time;
		if (Rise <= Time && Time <= Set)
		{
			if (Set - Rise > 0.0f)
			{
				const float V = 2.0f * ((Time - Rise) / (Set - Rise)) - 1.0f;
				Pitch = (V * V - 1.0f) * Height;
			}
		}
		else
		{
			ArcTime = Time >= Set ? Time : Time + 1.0f;
			const float V = 2.0f * ((ArcTime - Set) / ((Rise + 1.0f) - Set)) - 1.0f;
			Pitch = (1.0f - V * V) * Depth;
		}
		OutPitch = Pitch;
		OutYaw = (ArcTime * 360.0f + SkyAzimuth) + ExtraAzimuth;
	}

	inline void PlainSkyUpdate(const FPlainSkySettings& S, const float TotalTime, FPlainSkyState& Out)
	{
		Out.TimeOfDay = TotalTime - std::floor(TotalTime);

		PlainBodyAngles(Out.TimeOfDay, S.SunNoonAltitudeDeg, S.SunDepthDeg, S.DayLightFraction, S.SkyAzimuthOffsetDeg, 0.0f, Out.SunPitch, Out.SunYaw);
		const float SunAltitude = -Out.SunPitch;
		const float SunWidth = S.SunFadeEndDeg - S.SunFadeStartDeg;
		Out.SunAlpha = PlainClamp01(std::fabs(SunWidth) > 1.e-8f ? (SunAltitude - S.SunFadeStartDeg) / SunWidth : (SunAltitude >= S.SunFadeEndDeg ? 1.0f : 0.0f));

		const float MoonFraction = PlainClamp01((1.0f - S.DayLightFraction) * S.MoonAboveHorizonFractionScale);
		const float MoonCycle = static_cast<float>(S.MoonCycleDays > 1 ? S.MoonCycleDays : 1);
		const float MoonPhase = TotalTime / MoonCycle + 0.5f;
		const float MoonTime = MoonPhase - std::floor(MoonPhase);
		float MoonPitch = 0.0f;
		PlainBodyAngles(MoonTime, S.MoonNoonAltitudeDeg, S.MoonNoonAltitudeDeg, MoonFraction, S.SkyAzimuthOffsetDeg, S.MoonAzimuthOffsetDeg, MoonPitch,
			Out.MoonYaw);
		const float MoonAltitude = S.bLockMoonAltitude ? S.MoonNoonAltitudeDeg : -MoonPitch;
		Out.MoonPitch = -MoonAltitude;

		const float Width = S.MoonFadeEndDeg - S.MoonFadeStartDeg;
		const float GateSum = S.SunFadeStartDeg + S.MoonSunGateOffsetDeg;
		const float Gate = GateSum < 0.0f ? GateSum : 0.0f;
		const bool bStep = !(std::fabs(Width) > 1.e-8f);
		const float SunSide = PlainClamp01(bStep ? (SunAltitude >= Gate ? 1.0f : 0.0f) : (SunAltitude - (Gate - Width)) / Width);
		const float SunGate = SunAltitude < 0.0f ? 1.0f - SunSide : 0.0f;
		const float MoonFade = PlainClamp01(bStep ? (MoonAltitude >= S.MoonFadeEndDeg ? 1.0f : 0.0f) : (MoonAltitude - S.MoonFadeStartDeg) / Width);
		Out.MoonAlpha = MoonFade * SunGate;
	}
}
