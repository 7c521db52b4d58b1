// The celestial model: the component driven the way the director drives it (settings, one update
// per frame, then the getters), its script-visible records read back through reflection, and the
// sums of LM_CelestialMath.h on their own.

#include "Components/LM_CelestialRotationComponent.h"

#include "Celestial/LM_CelestialMath.h"
#include "CoreMinimal.h"
#include "Curves/CurveFloat.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include "../Benchmarks/Support/PlainCelestial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace
{
	constexpr double AngleTolerance = 1e-4;
	constexpr float ValueTolerance = 1e-4f;

	// Exact fractions of the default sky (noon altitude 20, depth 20, daylight 0.25, moon 0.675).
	constexpr double SunNightShoulder = 100.0 / 9.0;          // sun at t = 0.25 / 0.75: u = 5/6 or 1/6
	constexpr double MoonDayShoulder = -6580.0 / 729.0;       // moon at tau = 0.25 / 0.75: u = 7/54 or 47/54
	constexpr double MoonNightEarly = 20.0 * 69.0 / 169.0;    // moon at tau = 0.875 / 0.125: u = 3/26 or 23/26
	constexpr double MoonNightMiddle = 20.0 * 105.0 / 169.0;  // moon at tau = 0.9 / 0.1: u = 5/26 or 21/26

	ULM_CelestialRotationComponent* MakeSky(const FLM_CelstialRotationSettings& Settings = FLM_CelstialRotationSettings(), const float DayLightFraction = 0.25f)
	{
		ULM_CelestialRotationComponent* Sky = NewObject<ULM_CelestialRotationComponent>(GetTransientPackage());
		Sky->ApplySettings(Settings, DayLightFraction);
		return Sky;
	}

	/** A linear curve through these (time, value) keys; none when there are no keys. */
	UCurveFloat* MakeCurve(const std::vector<std::pair<float, float>>& Keys)
	{
		if (Keys.empty())
		{
			return nullptr;
		}
		UCurveFloat* Curve = NewObject<UCurveFloat>(GetTransientPackage());
		for (const std::pair<float, float>& Key : Keys)
		{
			Curve->FloatCurve.AddKey(Key.first, Key.second);
		}
		return Curve;
	}

	std::string ToStd(const FString& Text)
	{
		std::string Result;
		for (const TCHAR* Char = *Text; *Char; ++Char)
		{
			Result += static_cast<char>(*Char);
		}
		return Result;
	}

	const char* ToStd(const ELM_CelestialLight Light)
	{
		return Light == ELM_CelestialLight::Moon ? "Moon" : "Sun";
	}

	bool IsFiniteRotator(const FRotator& Rotator)
	{
		return std::isfinite(Rotator.Pitch) && std::isfinite(Rotator.Yaw) && std::isfinite(Rotator.Roll);
	}

	void ExpectSameRotator(const FRotator& Actual, const FRotator& Expected, const char* What)
	{
		EXPECT_NEAR(Actual.Pitch, Expected.Pitch, AngleTolerance) << What << " pitch";
		EXPECT_NEAR(Actual.Yaw, Expected.Yaw, AngleTolerance) << What << " yaw";
		EXPECT_NEAR(Actual.Roll, Expected.Roll, AngleTolerance) << What << " roll";
	}
}

// ---------------------------------------------------------------------------------------------
// One day of the default sky

struct FSkyRow
{
	float T;
	double SunPitch;
	double SunYaw;
	float SunAlpha;
	double MoonPitch;
	double MoonYaw;
	float MoonAlpha;
	float ElevationPhase;
	float CyclePhase;
	ELM_CelestialLight Dominant;
	int32 LightIndex; // INDEX_NONE when neither body is up
};

std::ostream& operator<<(std::ostream& Stream, const FSkyRow& Row)
{
	return Stream << "T=" << Row.T;
}

class CelestialDefaultSky : public ::testing::TestWithParam<FSkyRow>
{
};

// Everything the director and the sky sphere read in a frame, at the documented times of the default day.
TEST_P(CelestialDefaultSky, MatchesTheDocumentedDay)
{
	const FSkyRow& Row = GetParam();
	ULM_CelestialRotationComponent* Sky = MakeSky();
	Sky->Update(Row.T);

	ExpectSameRotator(Sky->GetSunRotationRaw(), FRotator(Row.SunPitch, Row.SunYaw, 0.0), "sun");
	ExpectSameRotator(Sky->GetMoonRotationRaw(), FRotator(Row.MoonPitch, Row.MoonYaw, 0.0), "moon");
	EXPECT_NEAR(Sky->GetSunAlpha(), Row.SunAlpha, ValueTolerance);
	EXPECT_NEAR(Sky->GetMoonAlpha(), Row.MoonAlpha, ValueTolerance);
	EXPECT_NEAR(Sky->GetCelestialElevationPhase(), Row.ElevationPhase, ValueTolerance);
	EXPECT_NEAR(Sky->GetCelestialCyclePhase(), Row.CyclePhase, ValueTolerance);
	EXPECT_EQ(Sky->GetDominantLight(), Row.Dominant) << "dominant " << ToStd(Sky->GetDominantLight());

	int32 Index = INDEX_NONE;
	FRotator Rotator(1.0, 2.0, 3.0);
	const bool bFound = Sky->TryGetLightAboveHorizon(Index, Rotator);
	EXPECT_EQ(bFound, Row.LightIndex != INDEX_NONE);
	EXPECT_EQ(Index, Row.LightIndex);
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialDefaultSky,
	::testing::Values(
		// T; sun pitch, yaw, alpha; moon pitch, yaw, alpha; elevation phase; cycle phase; dominant light; light index
		FSkyRow{0.0f, 20.0, 360.0, 0.0f, -20.0, 180.0, 1.0f, -1.0f, 3.0f, ELM_CelestialLight::Moon, 1},
		FSkyRow{0.25f, SunNightShoulder, 450.0, 0.0f, MoonDayShoulder, 270.0, 1.0f, -5.0f / 9.0f, 3.0f + 4.0f / 9.0f, ELM_CelestialLight::Moon, 1},
		FSkyRow{0.375f, 0.0, 135.0, 0.0f, MoonNightEarly, 315.0, 0.0f, 0.0f, 0.0f, ELM_CelestialLight::Sun, INDEX_NONE},
		FSkyRow{0.4f, -7.2, 144.0, 0.9f, MoonNightMiddle, 324.0, 0.0f, 0.36f, 0.36f, ELM_CelestialLight::Sun, 0},
		FSkyRow{0.5f, -20.0, 180.0, 1.0f, 20.0, 360.0, 0.0f, 1.0f, 1.0f, ELM_CelestialLight::Sun, 0},
		FSkyRow{0.6f, -7.2, 216.0, 0.9f, MoonNightMiddle, 396.0, 0.0f, 0.36f, 1.64f, ELM_CelestialLight::Sun, 0},
		FSkyRow{0.625f, 0.0, 225.0, 0.0f, MoonNightEarly, 405.0, 0.0f, 0.0f, 2.0f, ELM_CelestialLight::Sun, INDEX_NONE},
		FSkyRow{0.75f, SunNightShoulder, 270.0, 0.0f, MoonDayShoulder, 90.0, 1.0f, -5.0f / 9.0f, 2.0f + 5.0f / 9.0f, ELM_CelestialLight::Moon, 1}));

// Sunrise and sunset sit exactly on the horizon, where "above" must be false and the cycle must wrap to 0, not 4.
TEST(CelestialHorizonCrossing, RiseAndSetAreExactlyOnTheHorizon)
{
	ULM_CelestialRotationComponent* Sky = MakeSky();

	Sky->Update(0.375f);
	EXPECT_EQ(Sky->GetSunRotationRaw().Pitch, 0.0);
	EXPECT_FALSE(ULM_CelestialRotationComponent::IsAboveHorizon(Sky->GetSunRotationRaw()));
	EXPECT_EQ(Sky->GetSunAlpha(), 0.0f);
	EXPECT_EQ(Sky->GetMoonAlpha(), 0.0f) << "the moon is gated off while the sun is on the horizon";
	EXPECT_EQ(Sky->GetCelestialElevationPhase(), 0.0f);
	EXPECT_TRUE(std::signbit(Sky->GetCelestialElevationPhase())) << "below-horizon side gives -0";
	EXPECT_EQ(Sky->GetCelestialCyclePhase(), 0.0f) << "(1 - 0) + 3 = 4 wraps to 0";

	Sky->Update(0.625f);
	EXPECT_EQ(Sky->GetSunRotationRaw().Pitch, 0.0);
	EXPECT_EQ(Sky->GetSunAlpha(), 0.0f);
	EXPECT_EQ(Sky->GetCelestialCyclePhase(), 2.0f);
}

// Whole days and negative times must land on the same sky as their fraction of the day, for sun and moon.
TEST(CelestialTimeWrapping, WholeDaysAndNegativeTimesGiveTheSameSky)
{
	const std::pair<float, float> Pairs[] = {{1.3f, 0.3f}, {-0.25f, 0.75f}, {2.5f, 0.5f}, {-3.9f, 0.1f}};
	for (const std::pair<float, float>& Pair : Pairs)
	{
		SCOPED_TRACE(::testing::Message() << "T=" << Pair.first << " against T=" << Pair.second);
		ULM_CelestialRotationComponent* Shifted = MakeSky();
		ULM_CelestialRotationComponent* Reference = MakeSky();
		Shifted->Update(Pair.first);
		Reference->Update(Pair.second);

		ExpectSameRotator(Shifted->GetSunRotationRaw(), Reference->GetSunRotationRaw(), "sun");
		ExpectSameRotator(Shifted->GetMoonRotationRaw(), Reference->GetMoonRotationRaw(), "moon");
		EXPECT_NEAR(Shifted->GetSunAlpha(), Reference->GetSunAlpha(), ValueTolerance);
		EXPECT_NEAR(Shifted->GetMoonAlpha(), Reference->GetMoonAlpha(), ValueTolerance);
		EXPECT_NEAR(Shifted->GetCelestialCyclePhase(), Reference->GetCelestialCyclePhase(), ValueTolerance);
	}

	// Moon time 0.8 at T = 1.3 is on the moon's day arc, so its yaw is 0.8 turns.
	ULM_CelestialRotationComponent* Sky = MakeSky();
	Sky->Update(1.3f);
	EXPECT_NEAR(Sky->GetMoonRotationRaw().Yaw, 288.0, 1e-3);
}

// Settings only take effect at the next update, and the component keeps its own copy of them.
TEST(CelestialSettings, ApplySettingsWaitsForTheNextUpdate)
{
	ULM_CelestialRotationComponent* Sky = MakeSky();
	Sky->Update(0.5f);

	FLM_CelstialRotationSettings Higher;
	Higher.SunNoonAltitudeDeg = 40.0f;
	Sky->ApplySettings(Higher, 0.5f);
	EXPECT_DOUBLE_EQ(Sky->GetSunRotationRaw().Pitch, -20.0) << "nothing is recomputed by ApplySettings";

	Higher.SunNoonAltitudeDeg = 60.0f; // the caller's record is not the component's
	Sky->Update(0.5f);
	EXPECT_DOUBLE_EQ(Sky->GetSunRotationRaw().Pitch, -40.0);
	Sky->Update(0.375f);
	EXPECT_NEAR(Sky->GetSunRotationRaw().Pitch, -30.0, AngleTolerance) << "daylight 0.5 puts t = 0.375 at u = 1/4";
}

// A freshly created component must read as a dark, unlit sky and never tick on its own.
TEST(CelestialSettings, ConstructionStateIsDarkAndDoesNotTick)
{
	ULM_CelestialRotationComponent* Sky = NewObject<ULM_CelestialRotationComponent>(GetTransientPackage());
	EXPECT_FALSE(Sky->PrimaryComponentTick.bCanEverTick);
	ExpectSameRotator(Sky->GetSunRotationRaw(), FRotator(0.0, 0.0, 0.0), "sun");
	ExpectSameRotator(Sky->GetMoonRotationRaw(), FRotator(0.0, 0.0, 0.0), "moon");
	EXPECT_EQ(Sky->GetSunAlpha(), 0.0f);
	EXPECT_EQ(Sky->GetMoonAlpha(), 0.0f);
	EXPECT_EQ(Sky->GetDominantLight(), ELM_CelestialLight::Sun);
	EXPECT_EQ(Sky->GetCelestialElevationPhase(), 0.0f);
	EXPECT_EQ(Sky->GetCelestialCyclePhase(), 0.0f);

	int32 Index = 7;
	FRotator Rotator(1.0, 2.0, 3.0);
	EXPECT_FALSE(Sky->TryGetLightAboveHorizon(Index, Rotator));
	EXPECT_EQ(Index, 7);
}

// ---------------------------------------------------------------------------------------------
// The moon

struct FMoonCycleRow
{
	int32 MoonCycleDays;
	float T;
	double MoonPitch;
	double MoonYaw;
};

std::ostream& operator<<(std::ostream& Stream, const FMoonCycleRow& Row)
{
	return Stream << "days=" << Row.MoonCycleDays << " T=" << Row.T;
}

class CelestialMoonCycle : public ::testing::TestWithParam<FMoonCycleRow>
{
};

// Cycles below one day act as one day, and longer cycles stretch the moon's arc over several days.
TEST_P(CelestialMoonCycle, PlacesTheMoonOnItsStretchedArc)
{
	const FMoonCycleRow& Row = GetParam();
	FLM_CelstialRotationSettings Settings;
	Settings.MoonCycleDays = Row.MoonCycleDays;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(Row.T);
	ExpectSameRotator(Sky->GetMoonRotationRaw(), FRotator(Row.MoonPitch, Row.MoonYaw, 0.0), "moon");
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialMoonCycle,
	::testing::Values(
		FMoonCycleRow{0, 0.0f, -20.0, 180.0},
		FMoonCycleRow{-3, 0.0f, -20.0, 180.0},
		FMoonCycleRow{0, 0.25f, MoonDayShoulder, 270.0},
		FMoonCycleRow{-3, 0.75f, MoonDayShoulder, 90.0},
		FMoonCycleRow{2, 0.0f, -20.0, 180.0},
		FMoonCycleRow{2, 0.5f, MoonDayShoulder, 270.0},
		FMoonCycleRow{2, 1.0f, 20.0, 360.0},  // moon time 0: the moon at its lowest
		FMoonCycleRow{2, 3.0f, 20.0, 360.0}));

// A locked moon keeps its azimuth motion but never leaves its noon altitude; only the sun gate dims it.
TEST(CelestialMoon, LockedMoonStaysAtNoonAltitude)
{
	FLM_CelstialRotationSettings Locked;
	Locked.LockMoonAltitude = true;
	Locked.MoonNoonAltitudeDeg = 30.0f;
	FLM_CelstialRotationSettings Free = Locked;
	Free.LockMoonAltitude = false;

	for (const float T : {0.0f, 0.3f, 0.5f, 0.75f, 1.2f, -0.4f})
	{
		SCOPED_TRACE(::testing::Message() << "T=" << T);
		ULM_CelestialRotationComponent* LockedSky = MakeSky(Locked);
		ULM_CelestialRotationComponent* FreeSky = MakeSky(Free);
		LockedSky->Update(T);
		FreeSky->Update(T);
		EXPECT_DOUBLE_EQ(LockedSky->GetMoonRotationRaw().Pitch, -30.0);
		EXPECT_DOUBLE_EQ(LockedSky->GetMoonRotationRaw().Yaw, FreeSky->GetMoonRotationRaw().Yaw);
	}

	// At T = 0.3 the sun is 7.2 degrees down: gate 1 - (-7.2 + 8) / 8 = 0.9, whatever the free moon's own fade says.
	FLM_CelstialRotationSettings DefaultLocked;
	DefaultLocked.LockMoonAltitude = true;
	ULM_CelestialRotationComponent* Sky = MakeSky(DefaultLocked);
	Sky->Update(0.3f);
	EXPECT_NEAR(Sky->GetMoonAlpha(), 0.9f, ValueTolerance);
	Sky->Update(0.5f);
	EXPECT_EQ(Sky->GetMoonAlpha(), 0.0f) << "the sun is up";
}

struct FMoonGateRow
{
	float SunFadeStartDeg;
	float GateOffsetDeg;
	float SunDepthDeg; // the sun stands this far below the horizon at midnight
	float MoonAlpha;
};

std::ostream& operator<<(std::ostream& Stream, const FMoonGateRow& Row)
{
	return Stream << "start=" << Row.SunFadeStartDeg << " offset=" << Row.GateOffsetDeg << " sun=" << -Row.SunDepthDeg;
}

class CelestialMoonGate : public ::testing::TestWithParam<FMoonGateRow>
{
};

// The moon light fades out over one moon-fade width below the gate, and the gate never rises above the horizon.
TEST_P(CelestialMoonGate, FadesTheMoonAsTheSunApproachesTheGate)
{
	const FMoonGateRow& Row = GetParam();
	FLM_CelstialRotationSettings Settings;
	Settings.LockMoonAltitude = true; // moon fade fully open: the alpha is the gate alone
	Settings.SunLightFadeRange.FadeStartDeg = Row.SunFadeStartDeg;
	Settings.MoonSunGateOffsetDeg = Row.GateOffsetDeg;
	Settings.SunDepthDeg = Row.SunDepthDeg;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(0.0f);

	ASSERT_NEAR(Sky->GetSunRotationRaw().Pitch, Row.SunDepthDeg, AngleTolerance);
	EXPECT_NEAR(Sky->GetMoonAlpha(), Row.MoonAlpha, ValueTolerance);
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialMoonGate,
	::testing::Values(
		// gate 0: fades out as the sun climbs from -8 to 0
		FMoonGateRow{0.0f, 0.0f, 8.0f, 1.0f},
		FMoonGateRow{0.0f, 0.0f, 4.0f, 0.5f},
		FMoonGateRow{0.0f, 0.0f, 1.0f, 0.125f},
		// +5 cannot lift the gate above the horizon
		FMoonGateRow{0.0f, 5.0f, 4.0f, 0.5f},
		FMoonGateRow{0.0f, 5.0f, 1.0f, 0.125f},
		FMoonGateRow{0.0f, 5.0f, 0.0f, 0.0f},
		// sun fade start -10 with +5: gate -5, fade from -13 to -5
		FMoonGateRow{-10.0f, 5.0f, 13.0f, 1.0f},
		FMoonGateRow{-10.0f, 5.0f, 9.0f, 0.5f},
		FMoonGateRow{-10.0f, 5.0f, 4.0f, 0.0f},
		// -4: gate -4, fade from -12 to -4
		FMoonGateRow{0.0f, -4.0f, 12.0f, 1.0f},
		FMoonGateRow{0.0f, -4.0f, 8.0f, 0.5f},
		FMoonGateRow{0.0f, -4.0f, 4.0f, 0.0f},
		FMoonGateRow{0.0f, -4.0f, 2.0f, 0.0f}));

// Fade ranges of zero width switch the lights at their end angle instead of dividing by zero.
TEST(CelestialMoon, ZeroWidthFadeRangesAreSteps)
{
	FLM_CelstialRotationSettings Settings;
	Settings.SunLightFadeRange = FLM_CelestialAngleFadeRange{3.0f, 3.0f};
	Settings.MoonLightFadeRange = FLM_CelestialAngleFadeRange{5.0f, 5.0f};
	Settings.LockMoonAltitude = true;

	Settings.SunNoonAltitudeDeg = 3.0f;
	Settings.MoonNoonAltitudeDeg = 5.0f;
	Settings.SunDepthDeg = 0.5f;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(0.5f);
	EXPECT_EQ(Sky->GetSunAlpha(), 1.0f) << "sun exactly at the step";
	Sky->Update(0.0f);
	EXPECT_EQ(Sky->GetSunAlpha(), 0.0f);
	EXPECT_EQ(Sky->GetMoonAlpha(), 1.0f) << "moon at the step, sun half a degree below the gate";

	Settings.MoonNoonAltitudeDeg = 4.9f;
	Settings.SunNoonAltitudeDeg = 2.9f;
	Sky->ApplySettings(Settings, 0.25f);
	Sky->Update(0.0f);
	EXPECT_EQ(Sky->GetMoonAlpha(), 0.0f) << "moon just under the step";
	Sky->Update(0.5f);
	EXPECT_EQ(Sky->GetSunAlpha(), 0.0f) << "sun just under the step";
}

// Whenever the sun light has any strength it is the dominant light, even with the moon lit too.
TEST(CelestialMoon, SunDominatesWheneverItIsLit)
{
	FLM_CelstialRotationSettings Settings;
	Settings.SunLightFadeRange = FLM_CelestialAngleFadeRange{-10.0f, 0.0f};
	Settings.MoonSunGateOffsetDeg = 10.0f;
	Settings.SunDepthDeg = 5.0f;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(0.0f);
	ASSERT_NEAR(Sky->GetSunAlpha(), 0.5f, ValueTolerance);
	ASSERT_NEAR(Sky->GetMoonAlpha(), 0.625f, ValueTolerance);
	EXPECT_EQ(Sky->GetDominantLight(), ELM_CelestialLight::Sun);
}

// ---------------------------------------------------------------------------------------------
// Horizon queries and light rotations

struct FLightRow
{
	float SunNoonAltitudeDeg;
	float SunDepthDeg;
	float T;
	float OffsetDeg;
	float MinAltitudeDeg;
	double LightPitch;
};

std::ostream& operator<<(std::ostream& Stream, const FLightRow& Row)
{
	return Stream << "noon=" << Row.SunNoonAltitudeDeg << " depth=" << Row.SunDepthDeg << " T=" << Row.T << " offset=" << Row.OffsetDeg;
}

class CelestialLightRotation : public ::testing::TestWithParam<FLightRow>
{
};

// The light-ready rotation lifts a body above the horizon by the offset, raising small results to the minimum.
TEST_P(CelestialLightRotation, RaisesBodiesAboveTheHorizonOnly)
{
	const FLightRow& Row = GetParam();
	FLM_CelstialRotationSettings Settings;
	Settings.SunNoonAltitudeDeg = Row.SunNoonAltitudeDeg;
	Settings.SunDepthDeg = Row.SunDepthDeg;
	Settings.DirectionalLightOffsetDeg = Row.OffsetDeg;
	Settings.DirectionalLightMinAltitudeDeg = Row.MinAltitudeDeg;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(Row.T);

	const FRotator Raw = Sky->GetSunRotationRaw();
	const FRotator ForLights = Sky->GetSunRotationForLights();
	EXPECT_NEAR(ForLights.Pitch, Row.LightPitch, AngleTolerance);
	EXPECT_EQ(ForLights.Yaw, Raw.Yaw);
	EXPECT_EQ(ForLights.Roll, Raw.Roll);
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialLightRotation,
	::testing::Values(
		FLightRow{2.0f, 20.0f, 0.5f, 15.0f, 5.0f, -17.0},    // 2 degrees up lights from 17
		FLightRow{20.0f, 20.0f, 0.4f, 15.0f, 5.0f, -22.2},   // 7.2 degrees up
		FLightRow{20.0f, 10.0f, 0.0f, 15.0f, 5.0f, 10.0},    // below the horizon: unchanged
		FLightRow{20.0f, 20.0f, 0.375f, 15.0f, 5.0f, 0.0},   // on the horizon: not above, unchanged
		FLightRow{12.0f, 20.0f, 0.5f, -10.0f, 5.0f, -5.0},   // 2 after the offset: raised to the minimum
		FLightRow{3.0f, 20.0f, 0.5f, -10.0f, 5.0f, 7.0}));   // pushed below: left there

// The moon's light rotation follows the same rule from its own (possibly locked) rotation.
TEST(CelestialLightRotation, MoonUsesTheSameRule)
{
	FLM_CelstialRotationSettings Settings;
	Settings.LockMoonAltitude = true;
	Settings.MoonNoonAltitudeDeg = 2.0f;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(0.1f);
	EXPECT_NEAR(Sky->GetMoonRotationForLights().Pitch, -17.0, AngleTolerance);
	EXPECT_EQ(Sky->GetMoonRotationForLights().Yaw, Sky->GetMoonRotationRaw().Yaw);

	ULM_CelestialRotationComponent* Free = MakeSky();
	Free->Update(0.5f); // moon 20 degrees below
	ExpectSameRotator(Free->GetMoonRotationForLights(), Free->GetMoonRotationRaw(), "moon below the horizon");
}

// IsAboveHorizon means forward . up < 0 exactly as the engine's forward vector computes it, with zero false.
TEST(CelestialHorizon, IsAboveHorizonFollowsTheForwardVector)
{
	const std::pair<double, bool> Documented[] = {{0.0, false}, {-0.0, false}, {-0.001, true}, {0.001, false}, {-90.0, true}, {90.0, false}};
	for (const std::pair<double, bool>& Case : Documented)
	{
		EXPECT_EQ(ULM_CelestialRotationComponent::IsAboveHorizon(FRotator(Case.first, 45.0, 0.0)), Case.second) << "pitch " << Case.first;
	}

	// Shortcuts must agree with the engine's own forward vector everywhere, including winding and the far side.
	std::vector<double> Pitches = {180.0, -180.0, 360.0, -360.0, 540.0, -540.0, 170.0, -170.0, 1e-300, -1e-300, -1e-320, -5e-324,
		std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
	for (double Pitch = -1000.0; Pitch <= 1000.0; Pitch += 0.37)
	{
		Pitches.push_back(Pitch);
	}
	for (const double Pitch : Pitches)
	{
		const FRotator Rotation(Pitch, 123.0, 0.0);
		const bool bEngine = FVector::DotProduct(Rotation.Vector(), FVector::UpVector) < 0.0;
		EXPECT_EQ(ULM_CelestialRotationComponent::IsAboveHorizon(Rotation), bEngine) << "pitch " << Pitch;
	}
}

// The sky atmosphere override takes the sun first, then the moon, raw, and leaves its out-parameters alone otherwise.
TEST(CelestialHorizon, TryGetLightAboveHorizonPrefersTheSun)
{
	FLM_CelstialRotationSettings Settings;
	Settings.LockMoonAltitude = true;
	ULM_CelestialRotationComponent* BothUp = MakeSky(Settings);
	BothUp->Update(0.5f);
	int32 Index = INDEX_NONE;
	FRotator Rotator(1.0, 2.0, 3.0);
	ASSERT_TRUE(BothUp->TryGetLightAboveHorizon(Index, Rotator));
	EXPECT_EQ(Index, 0);
	ExpectSameRotator(Rotator, BothUp->GetSunRotationRaw(), "sun");

	ULM_CelestialRotationComponent* MoonUp = MakeSky();
	MoonUp->Update(0.0f);
	ASSERT_TRUE(MoonUp->TryGetLightAboveHorizon(Index, Rotator));
	EXPECT_EQ(Index, 1);
	ExpectSameRotator(Rotator, MoonUp->GetMoonRotationRaw(), "moon, raw rather than light-ready");

	ULM_CelestialRotationComponent* NoneUp = MakeSky();
	NoneUp->Update(0.625f);
	Index = 42;
	Rotator = FRotator(1.0, 2.0, 3.0);
	EXPECT_FALSE(NoneUp->TryGetLightAboveHorizon(Index, Rotator));
	EXPECT_EQ(Index, 42);
	EXPECT_EQ(Rotator.Pitch, 1.0);
	EXPECT_EQ(Rotator.Yaw, 2.0);
	EXPECT_EQ(Rotator.Roll, 3.0);
}

// ---------------------------------------------------------------------------------------------
// Phases and blend curves

// A zero sun depth must give -0 below the horizon (not a division by zero), or minus the night curve at 0.
TEST(CelestialPhase, ZeroSunDepthGivesMinusZeroAtNight)
{
	FLM_CelstialRotationSettings Settings;
	Settings.SunDepthDeg = 0.0f;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	for (const float T : {0.0f, 0.1f, 0.3f, 0.7f, 0.9f})
	{
		Sky->Update(T);
		EXPECT_EQ(Sky->GetCelestialElevationPhase(), 0.0f) << "T=" << T;
		EXPECT_TRUE(std::signbit(Sky->GetCelestialElevationPhase())) << "T=" << T;
	}

	Settings.NightTimeCycleBlendCurve = MakeCurve({{0.0f, 0.25f}, {1.0f, 1.0f}});
	Sky->ApplySettings(Settings, 0.25f);
	Sky->Update(0.1f);
	EXPECT_NEAR(Sky->GetCelestialElevationPhase(), -0.25f, ValueTolerance);
}

struct FCurveRow
{
	const char* Name;
	std::vector<std::pair<float, float>> DayKeys;   // empty: no curve
	std::vector<std::pair<float, float>> NightKeys; // empty: no curve
	float T;
	float ElevationPhase;
	float CyclePhase;
};

std::ostream& operator<<(std::ostream& Stream, const FCurveRow& Row)
{
	return Stream << Row.Name << " T=" << Row.T;
}

class CelestialPhaseCurve : public ::testing::TestWithParam<FCurveRow>
{
};

// Blend curves shape the elevation phase unclamped, and the cycle phase again from the clamped magnitude, wrapped into 0..4.
TEST_P(CelestialPhaseCurve, ShapesBothPhases)
{
	const FCurveRow& Row = GetParam();
	FLM_CelstialRotationSettings Settings;
	Settings.DayTimeCycleBlendCurve = MakeCurve(Row.DayKeys);
	Settings.NightTimeCycleBlendCurve = MakeCurve(Row.NightKeys);
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(Row.T);

	EXPECT_NEAR(Sky->GetCelestialElevationPhase(), Row.ElevationPhase, ValueTolerance);
	EXPECT_NEAR(Sky->GetCelestialCyclePhase(), Row.CyclePhase, ValueTolerance);

	ULM_CelestialRotationComponent* Plain = MakeSky();
	Plain->Update(Row.T);
	EXPECT_EQ(Sky->GetSunAlpha(), Plain->GetSunAlpha()) << "curves shape phases only";
	EXPECT_EQ(Sky->GetMoonAlpha(), Plain->GetMoonAlpha()) << "curves shape phases only";
}

const std::vector<std::pair<float, float>> EaseOut = {{0.0f, 0.0f}, {0.36f, 0.6f}, {0.6f, 0.8f}, {1.0f, 1.0f}};
const std::vector<std::pair<float, float>> TimesFour = {{0.0f, 0.0f}, {1.0f, 4.0f}};
const std::vector<std::pair<float, float>> TimesThree = {{0.0f, 0.0f}, {1.0f, 3.0f}};

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialPhaseCurve,
	::testing::Values(
		// applied twice: 0.36 -> 0.6 for the elevation, then 0.6 -> 0.8 for the cycle
		FCurveRow{"ease-out morning", EaseOut, {}, 0.4f, 0.6f, 0.8f},
		FCurveRow{"ease-out afternoon", EaseOut, {}, 0.6f, 0.6f, 1.2f},
		FCurveRow{"ease-out leaves the night linear", EaseOut, {}, 0.25f, -5.0f / 9.0f, 3.0f + 4.0f / 9.0f},
		// values above 1 pass through the elevation phase; the cycle phase wraps
		FCurveRow{"x4 morning", TimesFour, TimesThree, 0.4f, 1.44f, 0.0f},    // 4 -> 0
		FCurveRow{"x4 noon", TimesFour, TimesThree, 0.5f, 4.0f, 0.0f},
		FCurveRow{"x4 afternoon", TimesFour, TimesThree, 0.6f, 1.44f, 2.0f},  // (1 - 4) + 1 = -2 -> 2
		FCurveRow{"x3 evening", TimesFour, TimesThree, 0.75f, -5.0f / 3.0f, 1.0f}, // 3 + 2 = 5 -> 1
		FCurveRow{"x3 before dawn", TimesFour, TimesThree, 0.25f, -5.0f / 3.0f, 1.0f},
		FCurveRow{"x3 midnight", TimesFour, TimesThree, 0.0f, -3.0f, 1.0f}));

// A curve asset being destroyed must be skipped, leaving the linear phase, as if it were unset.
TEST(CelestialPhase, CurveMarkedAsGarbageIsIgnored)
{
	FLM_CelstialRotationSettings Settings;
	Settings.DayTimeCycleBlendCurve = MakeCurve({{0.0f, 1.0f}, {1.0f, 1.0f}});
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings);
	Sky->Update(0.4f);
	ASSERT_NEAR(Sky->GetCelestialElevationPhase(), 1.0f, ValueTolerance) << "the curve is live";

	Settings.DayTimeCycleBlendCurve->MarkAsGarbage();
	EXPECT_NEAR(Sky->GetCelestialElevationPhase(), 0.36f, ValueTolerance);
	EXPECT_NEAR(Sky->GetCelestialCyclePhase(), 0.36f, ValueTolerance);
}

struct FDegenerateRow
{
	const char* Name;
	float DayLightFraction;
	float MoonFractionScale;
};

std::ostream& operator<<(std::ostream& Stream, const FDegenerateRow& Row)
{
	return Stream << Row.Name;
}

class CelestialDegenerateWindow : public ::testing::TestWithParam<FDegenerateRow>
{
};

// A window of zero width must never hand a NaN to a light or a phase, at noon itself least of all.
TEST_P(CelestialDegenerateWindow, NeverProducesNaN)
{
	const FDegenerateRow& Row = GetParam();
	FLM_CelstialRotationSettings Settings;
	Settings.MoonAboveHorizonFractionScale = Row.MoonFractionScale;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings, Row.DayLightFraction);

	std::vector<float> Times = {0.0f, 0.5f, 1.0f, 1.5f, -0.5f, std::nextafter(0.5f, 0.0f), std::nextafter(0.5f, 1.0f)};
	for (int32 Step = -512; Step <= 1024; ++Step)
	{
		Times.push_back(static_cast<float>(Step) / 512.0f);
	}
	for (const float T : Times)
	{
		Sky->Update(T);
		const bool bFinite = IsFiniteRotator(Sky->GetSunRotationRaw()) && IsFiniteRotator(Sky->GetMoonRotationRaw())
			&& IsFiniteRotator(Sky->GetSunRotationForLights()) && IsFiniteRotator(Sky->GetMoonRotationForLights())
			&& std::isfinite(Sky->GetSunAlpha()) && std::isfinite(Sky->GetMoonAlpha())
			&& std::isfinite(Sky->GetCelestialElevationPhase()) && std::isfinite(Sky->GetCelestialCyclePhase());
		ASSERT_TRUE(bFinite) << "T=" << T;
	}
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialDegenerateWindow,
	::testing::Values(
		FDegenerateRow{"no daylight", 0.0f, 0.9f},
		FDegenerateRow{"no night", 1.0f, 0.9f},
		FDegenerateRow{"moon never up", 0.25f, 0.0f}));

// ---------------------------------------------------------------------------------------------
// The settings record and the component as the editor and scripts see them

enum class EScriptAccess
{
	None,
	ReadWrite,
	ReadOnly
};

struct FFieldRow
{
	const char* Name;
	const char* Category;
	EScriptAccess Access;
	const char* ClampMin; // nullptr: no such metadata
	const char* ClampMax;
	const char* UIMin;
	const char* UIMax;
	const char* ToolTip;
	double Default;       // numbers and bools; NaN for records and objects
};

std::ostream& operator<<(std::ostream& Stream, const FFieldRow& Row)
{
	return Stream << Row.Name;
}

class CelestialSettingsReflection : public ::testing::TestWithParam<FFieldRow>
{
};

constexpr double NotNumeric = std::numeric_limits<double>::quiet_NaN();
constexpr const char* FadeRangeToolTip = "What degree range should the directional light fade between - ie degrees above / below horizon";

// Editors and preset files reach every field by name: its flags, limits, tooltip and default are part of the interface.
TEST_P(CelestialSettingsReflection, ExposesTheField)
{
	const FFieldRow& Row = GetParam();
	const UScriptStruct* Struct = FLM_CelstialRotationSettings::StaticStruct();
	const FProperty* Property = FindFProperty<FProperty>(Struct, FName(Row.Name));
	ASSERT_NE(Property, nullptr);

	EXPECT_TRUE(Property->HasAnyPropertyFlags(CPF_Edit));
	EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_BlueprintVisible), Row.Access != EScriptAccess::None);
	EXPECT_EQ(Property->HasAnyPropertyFlags(CPF_BlueprintReadOnly), Row.Access == EScriptAccess::ReadOnly);
	EXPECT_EQ(ToStd(Property->GetMetaData(TEXT("Category"))), Row.Category);

	const std::pair<const TCHAR*, const char*> Limits[] = {
		{TEXT("ClampMin"), Row.ClampMin}, {TEXT("ClampMax"), Row.ClampMax}, {TEXT("UIMin"), Row.UIMin}, {TEXT("UIMax"), Row.UIMax}};
	for (const std::pair<const TCHAR*, const char*>& Limit : Limits)
	{
		const std::string Key = ToStd(FString(Limit.first));
		EXPECT_EQ(Property->HasMetaData(Limit.first), Limit.second != nullptr) << Key;
		if (Limit.second)
		{
			EXPECT_EQ(ToStd(Property->GetMetaData(Limit.first)), Limit.second) << Key;
		}
	}

	EXPECT_EQ(Property->HasMetaData(TEXT("ToolTip")), Row.ToolTip != nullptr);
	if (Row.ToolTip)
	{
		EXPECT_EQ(ToStd(Property->GetMetaData(TEXT("ToolTip"))), Row.ToolTip);
	}

	const FLM_CelstialRotationSettings Defaults;
	if (const FFloatProperty* Float = CastField<FFloatProperty>(Property))
	{
		EXPECT_EQ(Float->GetPropertyValue_InContainer(&Defaults), static_cast<float>(Row.Default));
	}
	else if (const FIntProperty* Int = CastField<FIntProperty>(Property))
	{
		EXPECT_EQ(Int->GetPropertyValue_InContainer(&Defaults), static_cast<int32>(Row.Default));
	}
	else if (CastField<FBoolProperty>(Property))
	{
		EXPECT_EQ(*Property->ContainerPtrToValuePtr<bool>(&Defaults), Row.Default != 0.0);
	}
	else if (const FStructProperty* Record = CastField<FStructProperty>(Property))
	{
		EXPECT_EQ(Record->Struct, FLM_CelestialAngleFadeRange::StaticStruct());
		const FLM_CelestialAngleFadeRange* Range = Property->ContainerPtrToValuePtr<FLM_CelestialAngleFadeRange>(&Defaults);
		EXPECT_EQ(Range->FadeStartDeg, 0.0f);
		EXPECT_EQ(Range->FadeEndDeg, 8.0f);
	}
	else if (const FObjectProperty* Object = CastField<FObjectProperty>(Property))
	{
		EXPECT_EQ(Object->PropertyClass, UCurveFloat::StaticClass());
		EXPECT_EQ(Object->GetObjectPropertyValue_InContainer(&Defaults), nullptr);
	}
	else
	{
		ADD_FAILURE() << "unexpected property type";
	}
}

INSTANTIATE_TEST_SUITE_P(Celestial, CelestialSettingsReflection,
	::testing::Values(
		FFieldRow{"SunNoonAltitudeDeg", "Celestial|Sun", EScriptAccess::ReadWrite, "0.0", "90.0", "0.0", "90.0", "How high does the sun rise above the horizon?", 20.0},
		FFieldRow{"SunDepthDeg", "Celestial|Sun", EScriptAccess::ReadWrite, "0.0", "90.0", "0.0", "90.0", "Suns lowest point below the horizon", 20.0},
		FFieldRow{"MoonNoonAltitudeDeg", "Celestial|Moon", EScriptAccess::ReadWrite, "0.0", "90.0", "0.0", "90.0", "How high does the moon rise above the horizon?", 20.0},
		FFieldRow{"MoonAboveHorizonFractionScale", "Celestial|Moon", EScriptAccess::ReadWrite, "0.0", "2.0", "0.0", "1.0", "How much of the night is the moon above the horizon", 0.9},
		FFieldRow{"MoonSunGateOffsetDeg", "Celestial|Moon", EScriptAccess::None, nullptr, nullptr, nullptr, nullptr,
			"Offsets the sun-altitude threshold that gates the moon light.\n"
			"Positive values allow overlap with the sun (below the horizon only).\n"
			"Negative values fade the moon out earlier.",
			0.0},
		FFieldRow{"SkyAzimuthOffsetDeg", "Celestial", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, "Sky Azimuth Offset", 0.0},
		FFieldRow{"MoonAzimuthOffsetDegrees", "Celestial|Moon", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, "Moon Azimuth Offset (compounded on top of Sky Azimuth OFfset", 0.0},
		FFieldRow{"MoonCycleDays", "Celestial|Moon", EScriptAccess::ReadWrite, "1", nullptr, nullptr, nullptr, "How many days is a moon cycle", 1.0},
		FFieldRow{"LockMoonAltitude", "Celestial|Moon", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, "Locks the moons altitude in place, altitude stays at altitude noon", 0.0},
		FFieldRow{"DirectionalLightMinAltitudeDeg", "Celestial|Lights", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, "Minimum altitude (in degrees) for directional light when above horizon", 5.0},
		FFieldRow{"DirectionalLightOffsetDeg", "Celestial|Lights", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, "Directional light altitude offset", 15.0},
		FFieldRow{"SunLightFadeRange", "Celestial|Lights", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, FadeRangeToolTip, NotNumeric},
		FFieldRow{"MoonLightFadeRange", "Celestial|Lights", EScriptAccess::ReadWrite, nullptr, nullptr, nullptr, nullptr, FadeRangeToolTip, NotNumeric},
		FFieldRow{"DayTimeCycleBlendCurve", "Celestial", EScriptAccess::ReadOnly, nullptr, nullptr, nullptr, nullptr, nullptr, NotNumeric},
		FFieldRow{"NightTimeCycleBlendCurve", "Celestial", EScriptAccess::ReadOnly, nullptr, nullptr, nullptr, nullptr, nullptr, NotNumeric}));

// The fields must keep their declared order: preset files and the Details panel list them so.
TEST(CelestialSettingsReflection, RecordsKeepTheirShape)
{
	const UScriptStruct* Settings = FLM_CelstialRotationSettings::StaticStruct();
	EXPECT_EQ(ToStd(Settings->GetMetaData(TEXT("ToolTip"))), "Settings for Celestial Rotation Componment");
	EXPECT_TRUE(Settings->HasMetaData(TEXT("BlueprintType")));

	std::vector<std::string> Order;
	for (TFieldIterator<FProperty> It(Settings); It; ++It)
	{
		Order.push_back(ToStd(It->GetName()));
	}
	const std::vector<std::string> Expected = {"SunNoonAltitudeDeg", "SunDepthDeg", "MoonNoonAltitudeDeg", "MoonAboveHorizonFractionScale",
		"MoonSunGateOffsetDeg", "SkyAzimuthOffsetDeg", "MoonAzimuthOffsetDegrees", "MoonCycleDays", "LockMoonAltitude",
		"DirectionalLightMinAltitudeDeg", "DirectionalLightOffsetDeg", "SunLightFadeRange", "MoonLightFadeRange", "DayTimeCycleBlendCurve",
		"NightTimeCycleBlendCurve"};
	EXPECT_EQ(Order, Expected);

	for (const TCHAR* Name : {TEXT("FadeStartDeg"), TEXT("FadeEndDeg")})
	{
		const FProperty* Field = FindFProperty<FProperty>(FLM_CelestialAngleFadeRange::StaticStruct(), Name);
		ASSERT_NE(Field, nullptr);
		EXPECT_TRUE(Field->HasAnyPropertyFlags(CPF_Edit) && Field->HasAnyPropertyFlags(CPF_BlueprintVisible));
		EXPECT_FALSE(Field->HasAnyPropertyFlags(CPF_BlueprintReadOnly));
		EXPECT_EQ(ToStd(Field->GetMetaData(TEXT("Category"))), "LM_CelestialAngleFadeRange");
	}
	EXPECT_EQ(ToStd(FindFProperty<FProperty>(FLM_CelestialAngleFadeRange::StaticStruct(), TEXT("FadeStartDeg"))->GetMetaData(TEXT("ToolTip"))),
		"Angle (in degrees) where fading begins");
	EXPECT_EQ(ToStd(FindFProperty<FProperty>(FLM_CelestialAngleFadeRange::StaticStruct(), TEXT("FadeEndDeg"))->GetMetaData(TEXT("ToolTip"))),
		"Angle (in degrees) where fading is complete");

	for (const TCHAR* Name : {TEXT("Rise"), TEXT("Set")})
	{
		const FProperty* Field = FindFProperty<FProperty>(FLM_CelestialHorizonWindow::StaticStruct(), Name);
		ASSERT_NE(Field, nullptr);
		EXPECT_FALSE(Field->HasAnyPropertyFlags(CPF_Edit | CPF_BlueprintVisible));
		EXPECT_TRUE(Field->GetMetaDataMap() == nullptr || Field->GetMetaDataMap()->Num() == 0) << "the window fields carry no metadata";
	}

	const UEnum* Light = StaticEnum<ELM_CelestialLight>();
	ASSERT_NE(Light, nullptr);
	EXPECT_EQ(sizeof(ELM_CelestialLight), 1u);
	EXPECT_EQ(ToStd(Light->GetMetaData(TEXT("DisplayName"), 0)), "Sun");
	EXPECT_EQ(ToStd(Light->GetMetaData(TEXT("DisplayName"), 1)), "Moon");
}

// Scripts call the component by function name and category; the editor places it from the "Custom" group.
TEST(CelestialSettingsReflection, ComponentScriptSurface)
{
	const UClass* Class = ULM_CelestialRotationComponent::StaticClass();
	EXPECT_TRUE(Class->HasMetaData(TEXT("BlueprintSpawnableComponent")));
	EXPECT_EQ(ToStd(Class->GetMetaData(TEXT("ClassGroupNames"))), "Custom");
	EXPECT_FALSE(TFieldIterator<FProperty>(Class, EFieldIterationFlags::None)) << "settings arrive only through ApplySettings";

	const std::pair<const TCHAR*, const char*> Pure[] = {{TEXT("GetSunAlpha"), "Celestial|Alpha"}, {TEXT("GetMoonAlpha"), "Celestial|Alpha"},
		{TEXT("GetSunRotationRaw"), "Celestial|Rotations"}, {TEXT("GetMoonRotationRaw"), "Celestial|Rotations"},
		{TEXT("GetSunRotationForLights"), "Celestial|Rotations"}, {TEXT("GetMoonRotationForLights"), "Celestial|Rotations"},
		{TEXT("GetCelestialCyclePhase"), "Celestial|Phase"}, {TEXT("GetCelestialElevationPhase"), "Celestial|Phase"},
		{TEXT("TryGetLightAboveHorizon"), "Celestial|Rotations"}};
	for (const std::pair<const TCHAR*, const char*>& Entry : Pure)
	{
		const std::string Name = ToStd(FString(Entry.first));
		const UFunction* Function = Class->FindFunctionByName(FName(Entry.first));
		ASSERT_NE(Function, nullptr) << Name;
		EXPECT_TRUE(Function->HasAnyFunctionFlags(FUNC_BlueprintPure)) << Name;
		EXPECT_TRUE(Function->HasAnyFunctionFlags(FUNC_Const)) << Name;
		EXPECT_EQ(ToStd(Function->GetMetaData(TEXT("Category"))), Entry.second) << Name;
	}

	const UFunction* Update = Class->FindFunctionByName(FName(TEXT("Update")));
	ASSERT_NE(Update, nullptr);
	EXPECT_TRUE(Update->HasAnyFunctionFlags(FUNC_BlueprintCallable));
	EXPECT_FALSE(Update->HasAnyFunctionFlags(FUNC_BlueprintPure));
	EXPECT_EQ(ToStd(Update->GetMetaData(TEXT("Category"))), "Celestial");
	EXPECT_NE(FindFProperty<FProperty>(Update, TEXT("TotalNormalizedTimePassed")), nullptr);

	EXPECT_EQ(ToStd(Class->FindFunctionByName(FName(TEXT("TryGetLightAboveHorizon")))->GetMetaData(TEXT("ToolTip"))),
		"Get rotator of light sources above horizon, used to override Sky Atmosphere source rotation\n"
		"@param OutIndex Sky Atmosphere Light Index\n"
		"@param OutRotator rotator of the dominant light source above horizon, sun if both sun and moon are up\n"
		"@return False if neither sun nor moon is above horizon");

	for (const TCHAR* NativeOnly : {TEXT("ApplySettings"), TEXT("GetDominantLight"), TEXT("IsAboveHorizon"), TEXT("ComputeSun")})
	{
		EXPECT_EQ(Class->FindFunctionByName(FName(NativeOnly)), nullptr) << ToStd(FString(NativeOnly));
	}
}

// ---------------------------------------------------------------------------------------------
// The sums on their own

namespace
{
	struct FIdentityCurve
	{
		float operator()(const float Value) const { return Value; }
	};
}

// The horizon window is clamped min-then-max, so out-of-range and NaN fractions land on a valid window.
TEST(CelestialMath, HorizonWindowClampsTheFraction)
{
	const struct
	{
		float Fraction;
		float Rise;
		float Set;
	} Cases[] = {{0.25f, 0.375f, 0.625f}, {1.0f, 0.0f, 1.0f}, {0.0f, 0.5f, 0.5f}, {1.5f, 0.0f, 1.0f}, {-0.5f, 0.5f, 0.5f},
		{std::numeric_limits<float>::quiet_NaN(), 0.0f, 1.0f}};
	for (const auto& Case : Cases)
	{
		const LM::Celestial::FHorizonSpan Window = LM::Celestial::HorizonWindow(Case.Fraction);
		EXPECT_EQ(Window.Rise, Case.Rise) << "fraction " << Case.Fraction;
		EXPECT_EQ(Window.Set, Case.Set) << "fraction " << Case.Fraction;
	}
}

// Fades run either way, stay unclamped for the caller to clamp, and turn into a step below 1e-8 of width.
TEST(CelestialMath, FadeFractionIsLinearOrAStep)
{
	const struct
	{
		float X, A, B, Expected;
	} Cases[] = {{5.0f, 0.0f, 8.0f, 0.625f}, {-1.0f, 0.0f, 8.0f, -0.125f}, {10.0f, 0.0f, 8.0f, 1.25f}, {4.0f, 8.0f, 0.0f, 0.5f},
		{8.0f, 8.0f, 0.0f, 0.0f}, {3.0f, 3.0f, 3.0f, 1.0f}, {2.9f, 3.0f, 3.0f, 0.0f}, {2.5e-9f, 0.0f, 5e-9f, 0.0f}, {1e-8f, 0.0f, 2e-8f, 0.5f}};
	for (const auto& Case : Cases)
	{
		EXPECT_FLOAT_EQ(LM::Celestial::FadeFraction(Case.X, Case.A, Case.B), Case.Expected) << Case.X << " in " << Case.A << ".." << Case.B;
	}
}

// The zero-width window's single instant (u = 0/0) is defined as the horizon, and its neighbours stay on the night arc.
TEST(CelestialMath, ZeroWidthWindowPutsNoonOnTheHorizon)
{
	const LM::Celestial::FHorizonSpan Closed = LM::Celestial::HorizonWindow(0.0f);
	const LM::Celestial::FBodyAngles Noon = LM::Celestial::BodyRotation(0.5f, 20.0f, 20.0f, Closed, 0.0f, 0.0f);
	EXPECT_EQ(Noon.Pitch, 0.0f);
	EXPECT_EQ(Noon.Yaw, 180.0f);

	for (const float Near : {std::nextafter(0.5f, 0.0f), std::nextafter(0.5f, 1.0f)})
	{
		const LM::Celestial::FBodyAngles Angles = LM::Celestial::BodyRotation(Near, 20.0f, 20.0f, Closed, 0.0f, 0.0f);
		EXPECT_TRUE(std::isfinite(Angles.Pitch));
		EXPECT_GE(Angles.Pitch, 0.0f) << "t=" << Near;
		EXPECT_LT(Angles.Pitch, 1e-3f) << "t=" << Near;
	}
}

// Azimuth offsets add after the day's turn, and the night before rise carries on from the previous day.
TEST(CelestialMath, BodyYawIsUnwrappedAndOffset)
{
	const LM::Celestial::FHorizonSpan Window = LM::Celestial::HorizonWindow(0.25f);
	EXPECT_FLOAT_EQ(LM::Celestial::BodyRotation(0.25f, 20.0f, 20.0f, Window, 10.0f, 5.0f).Yaw, 465.0f);
	EXPECT_FLOAT_EQ(LM::Celestial::BodyRotation(0.5f, 20.0f, 20.0f, Window, 10.0f, 5.0f).Yaw, 195.0f);
	EXPECT_FLOAT_EQ(LM::Celestial::BodyRotation(0.75f, 20.0f, 20.0f, Window, -30.0f, 0.0f).Yaw, 240.0f);
}

// The horizon test keeps the engine's edge behaviour: zero is not above, pitches wind by 360, -180 is (barely) above.
TEST(CelestialMath, PitchAboveHorizonMatchesTheSine)
{
	const std::pair<double, bool> Cases[] = {{0.0, false}, {-0.0, false}, {-0.001, true}, {0.001, false}, {-179.0, true}, {-181.0, false},
		{350.0, true}, {-370.0, true}, {190.0, true}, {-190.0, false}, {-180.0, true}, {180.0, false}, {-1e-320, true}, {-5e-324, false},
		{std::numeric_limits<double>::quiet_NaN(), false}};
	for (const std::pair<double, bool>& Case : Cases)
	{
		EXPECT_EQ(LM::Celestial::IsPitchAboveHorizon(Case.first), Case.second) << "pitch " << Case.first;
	}
}

// Elevation ranges at or below 1e-4 give a zero magnitude rather than a division blow-up.
TEST(CelestialMath, ElevationIgnoresVanishingRanges)
{
	EXPECT_EQ(LM::Celestial::ElevationMagnitude(5.0f, 1e-4f), 0.0f);
	EXPECT_FLOAT_EQ(LM::Celestial::ElevationMagnitude(5.0f, 2e-4f), 1.0f);
	EXPECT_FLOAT_EQ(LM::Celestial::ElevationMagnitude(-5.0f, 20.0f), 0.25f);
	EXPECT_FLOAT_EQ(LM::Celestial::ElevationPhase(-5.0f, false, 20.0f, FIdentityCurve{}), -0.25f);
}

// The cycle phase never reports 4: values just under it are capped at 3.9999, values past it wrap.
TEST(CelestialMath, CyclePhaseStaysBelowFour)
{
	const LM::Celestial::FHorizonSpan Window = LM::Celestial::HorizonWindow(0.25f);
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(-1e-6f, false, Window, 0.3f, FIdentityCurve{}), 3.9999f);
	EXPECT_EQ(LM::Celestial::CyclePhase(-0.0f, false, Window, 0.3f, FIdentityCurve{}), 0.0f);
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(-0.25f, false, Window, 0.7f, FIdentityCurve{}), 2.25f);
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(0.25f, true, Window, 0.45f, FIdentityCurve{}), 0.25f);
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(0.25f, true, Window, 0.55f, FIdentityCurve{}), 1.75f);
	const auto Triple = [](const float Value) { return 3.0f * Value; };
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(-1.0f, false, Window, 0.7f, Triple), 1.0f) << "3 + 2 wraps to 1";
	EXPECT_FLOAT_EQ(LM::Celestial::CyclePhase(1.0f, true, Window, 0.55f, Triple), 3.0f) << "(1 - 3) + 1 = -1 wraps to 3";
}

// Moon alpha: its own fade times the sun gate; the gate shuts at and above the horizon whatever the offset.
TEST(CelestialMath, MoonAlphaIsFadeTimesGate)
{
	EXPECT_FLOAT_EQ(LM::Celestial::MoonAlpha(4.0f, -20.0f, 0.0f, 0.0f, 0.0f, 8.0f), 0.5f);
	EXPECT_FLOAT_EQ(LM::Celestial::MoonAlpha(4.0f, -4.0f, 0.0f, 0.0f, 0.0f, 8.0f), 0.25f);
	EXPECT_EQ(LM::Celestial::MoonAlpha(20.0f, 0.0f, 0.0f, 50.0f, 0.0f, 8.0f), 0.0f);
	EXPECT_EQ(LM::Celestial::MoonAlpha(20.0f, -0.5f, 0.0f, 0.0f, 8.0f, 8.0f), 1.0f) << "step ranges gate at the gate itself";
	EXPECT_EQ(LM::Celestial::MoonAlpha(20.0f, -0.5f, 0.0f, -1.0f, 8.0f, 8.0f), 0.0f);
	EXPECT_EQ(LM::Celestial::MoonAlpha(-20.0f, 20.0f, 0.0f, 0.0f, 8.0f, 0.0f), 0.0f) << "a reversed moon range must not open the gate by day";
}

namespace
{
	struct FPlainCase
	{
		const char* Label;
		ZNBenchmark::FPlainSkySettings Plain;
	};

	void PrintTo(const FPlainCase& Case, std::ostream* Out) { *Out << Case.Label; }

	std::vector<FPlainCase> PlainCases()
	{
		std::vector<FPlainCase> Cases;
		Cases.push_back({"Defaults", {}});
		FPlainCase Long{"LongDaysOffsetsSlowMoon", {}};
		Long.Plain.DayLightFraction = 0.6f;
		Long.Plain.SunNoonAltitudeDeg = 65.0f;
		Long.Plain.SunDepthDeg = 35.0f;
		Long.Plain.SunFadeStartDeg = -4.0f;
		Long.Plain.SunFadeEndDeg = 12.0f;
		Long.Plain.MoonNoonAltitudeDeg = 40.0f;
		Long.Plain.MoonAboveHorizonFractionScale = 1.5f;
		Long.Plain.MoonSunGateOffsetDeg = -3.0f;
		Long.Plain.MoonFadeStartDeg = 2.0f;
		Long.Plain.MoonFadeEndDeg = 2.0f;
		Long.Plain.SkyAzimuthOffsetDeg = 30.0f;
		Long.Plain.MoonAzimuthOffsetDeg = -75.0f;
		Long.Plain.MoonCycleDays = 3;
		Cases.push_back(Long);
		FPlainCase Locked{"LockedMoon", {}};
		Locked.Plain.bLockMoonAltitude = true;
		Locked.Plain.MoonNoonAltitudeDeg = 25.0f;
		Cases.push_back(Locked);
		return Cases;
	}

	class CelestialPlainYardstick : public ::testing::TestWithParam<FPlainCase>
	{
	};
}

// The benchmark's plain single-precision update is only a fair yardstick if it computes exactly what the component does.
TEST_P(CelestialPlainYardstick, ComputesTheComponentsOutputsExactly)
{
	const ZNBenchmark::FPlainSkySettings& Plain = GetParam().Plain;
	FLM_CelstialRotationSettings Settings;
	Settings.SunNoonAltitudeDeg = Plain.SunNoonAltitudeDeg;
	Settings.SunDepthDeg = Plain.SunDepthDeg;
	Settings.SunLightFadeRange.FadeStartDeg = Plain.SunFadeStartDeg;
	Settings.SunLightFadeRange.FadeEndDeg = Plain.SunFadeEndDeg;
	Settings.MoonNoonAltitudeDeg = Plain.MoonNoonAltitudeDeg;
	Settings.MoonAboveHorizonFractionScale = Plain.MoonAboveHorizonFractionScale;
	Settings.MoonSunGateOffsetDeg = Plain.MoonSunGateOffsetDeg;
	Settings.MoonLightFadeRange.FadeStartDeg = Plain.MoonFadeStartDeg;
	Settings.MoonLightFadeRange.FadeEndDeg = Plain.MoonFadeEndDeg;
	Settings.SkyAzimuthOffsetDeg = Plain.SkyAzimuthOffsetDeg;
	Settings.MoonAzimuthOffsetDegrees = Plain.MoonAzimuthOffsetDeg;
	Settings.MoonCycleDays = Plain.MoonCycleDays;
	Settings.LockMoonAltitude = Plain.bLockMoonAltitude;
	ULM_CelestialRotationComponent* Sky = MakeSky(Settings, Plain.DayLightFraction);

	ZNBenchmark::FPlainSkyState State;
	// The benchmark's frames (1/1024 of a day over eight days from two days back), and then some odd times.
	std::vector<float> Times;
	for (int32 Frame = 0; Frame < 8192; ++Frame)
	{
		Times.push_back(static_cast<float>(Frame) * (1.0f / 1024.0f) - 2.0f);
	}
	for (const float Time : {0.0f, 0.5f, 1.0f, 0.3333333f, 123.456f, -0.0001f, 7.99999f})
	{
		Times.push_back(Time);
	}
	for (const float Time : Times)
	{
		Sky->Update(Time);
		ZNBenchmark::PlainSkyUpdate(Plain, Time, State);
		const FRotator Sun = Sky->GetSunRotationRaw();
		const FRotator Moon = Sky->GetMoonRotationRaw();
		ASSERT_EQ(Sun.Pitch, static_cast<double>(State.SunPitch)) << "t=" << Time;
		ASSERT_EQ(Sun.Yaw, static_cast<double>(State.SunYaw)) << "t=" << Time;
		ASSERT_EQ(Sun.Roll, 0.0);
		ASSERT_EQ(Moon.Pitch, static_cast<double>(State.MoonPitch)) << "t=" << Time;
		ASSERT_EQ(Moon.Yaw, static_cast<double>(State.MoonYaw)) << "t=" << Time;
		ASSERT_EQ(Moon.Roll, 0.0);
		ASSERT_EQ(Sky->GetSunAlpha(), State.SunAlpha) << "t=" << Time;
		ASSERT_EQ(Sky->GetMoonAlpha(), State.MoonAlpha) << "t=" << Time;
	}
}

INSTANTIATE_TEST_SUITE_P(Skies, CelestialPlainYardstick, testing::ValuesIn(PlainCases()),
	[](const testing::TestParamInfo<FPlainCase>& Info) { return std::string(Info.param.Label); });

// The forward vectors are cached per rotation; every read must still be exactly the engine's conversion of the current rotation.
TEST(CelestialForwardVectors, AreTheRawRotationsForwardVectorsAfterEveryUpdate)
{
	ULM_CelestialRotationComponent* Sky = MakeSky();
	for (const float Time : {0.1f, 0.1f, 0.5f, 0.75f, 0.75f, 3.3f, -1.2f})
	{
		Sky->Update(Time);
		for (int32 Read = 0; Read < 2; ++Read)
		{
			const FVector Sun = Sky->GetSunForwardVector();
			const FVector Moon = Sky->GetMoonForwardVector();
			const FVector SunExpected = Sky->GetSunRotationRaw().Vector();
			const FVector MoonExpected = Sky->GetMoonRotationRaw().Vector();
			EXPECT_EQ(std::memcmp(&Sun, &SunExpected, sizeof(FVector)), 0) << "t=" << Time;
			EXPECT_EQ(std::memcmp(&Moon, &MoonExpected, sizeof(FVector)), 0) << "t=" << Time;
		}
	}
}
