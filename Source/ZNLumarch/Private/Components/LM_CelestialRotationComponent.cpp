#include "Components/LM_CelestialRotationComponent.h"

#include "Celestial/LM_CelestialMath.h"
#include "Curves/CurveFloat.h"

#include <cstring>

// The component is the engine face of LM_CelestialMath.h: it keeps the settings and the last
// frame's results and forwards every sum to those functions. It is read several times per frame
// (director, sky sphere, scripts), so the reads stay allocation-free and skip the full forward
// vector whenever the pitch's sign already answers the horizon question.

namespace
{
	/** A blend curve as the phase sums see it: the identity when unset or being destroyed. */
	struct FPhaseCurve
	{
		const UCurveFloat* Curve = nullptr;

		float operator()(const float Value) const
		{
			return Curve ? Curve->GetFloatValue(Value) : Value;
		}
	};

	FORCEINLINE FPhaseCurve SelectPhaseCurve(const FLM_CelstialRotationSettings& Settings, const bool bSunAboveHorizon)
	{
		const UCurveFloat* Curve = bSunAboveHorizon ? Settings.DayTimeCycleBlendCurve.Get() : Settings.NightTimeCycleBlendCurve.Get();
		// Most skies have no curves: settle that before asking whether a set curve is still alive.
		return FPhaseCurve{(Curve != nullptr && IsValid(Curve)) ? Curve : nullptr};
	}

	FORCENOINLINE bool IsForwardBelowHorizontal(const FRotator& Rotation)
	{
		return FVector::DotProduct(Rotation.Vector(), FVector::UpVector) < 0.0;
	}

	FORCEINLINE bool IsRotationAboveHorizon(const FRotator& Rotation)
	{
		if (LM::Celestial::IsHorizonSideGivenByPitchSign(Rotation.Pitch))
		{
			return Rotation.Pitch < 0.0;
		}
		// Wound, far-side or vanishing pitches: let the engine's forward vector decide.
		return IsForwardBelowHorizontal(Rotation);
	}

	/**
	 * A body's arc for the settings' sky: the window of ComputeHorizonWindow taken straight from the
	 * sums, since this runs twice a frame and an exported member call per body costs as much as the
	 * arithmetic.
	 */
	FORCEINLINE LM::Celestial::FBodyAngles BodyAngles(const FLM_CelstialRotationSettings& Settings, const float Time, const float NoonAltitudeDeg,
		const float DepthDeg, const float AboveHorizonFraction, const float AzimuthOffsetDeg)
	{
		return LM::Celestial::BodyRotation(
			Time, NoonAltitudeDeg, DepthDeg, LM::Celestial::HorizonWindow(AboveHorizonFraction), Settings.SkyAzimuthOffsetDeg, AzimuthOffsetDeg);
	}

	/** The sun on its arc and its light's fade. */
	FORCEINLINE void SunStep(const FLM_CelstialRotationSettings& Settings, const float TimeOfDay, const float DayLightFraction,
		FRotator& OutRotation, float& OutAlpha)
	{
		// The arc stays in single precision until it is stored: a rotator handed back through memory
		// and read again costs more than the arithmetic.
		const LM::Celestial::FBodyAngles Angles = BodyAngles(Settings, TimeOfDay, Settings.SunNoonAltitudeDeg, Settings.SunDepthDeg, DayLightFraction, 0.0f);
		OutRotation = FRotator(static_cast<double>(Angles.Pitch), static_cast<double>(Angles.Yaw), 0.0);
		// Negating the float pitch is exactly the float of the negated stored pitch.
		const float SunAltitude = -Angles.Pitch;
		OutAlpha = LM::Celestial::SunAlpha(SunAltitude, Settings.SunLightFadeRange.FadeStartDeg, Settings.SunLightFadeRange.FadeEndDeg);
	}

	/** The moon on its own, slower arc, and its light's fade gated by the sun's altitude. */
	FORCEINLINE void MoonStep(const FLM_CelstialRotationSettings& Settings, const float TotalNormalizedTimePassed, const float DayLightFraction,
		const double SunPitch, FRotator& OutRotation, float& OutAlpha)
	{
		const float MoonFraction = LM::Celestial::MoonAboveHorizonFraction(DayLightFraction, Settings.MoonAboveHorizonFractionScale);
		const float MoonTime = LM::Celestial::MoonTime(TotalNormalizedTimePassed, Settings.MoonCycleDays);

		// The moon sinks as deep below the horizon as it rises above it.
		const LM::Celestial::FBodyAngles Angles = BodyAngles(
			Settings, MoonTime, Settings.MoonNoonAltitudeDeg, Settings.MoonNoonAltitudeDeg, MoonFraction, Settings.MoonAzimuthOffsetDegrees);

		const float MoonAltitude = Settings.LockMoonAltitude ? Settings.MoonNoonAltitudeDeg : -Angles.Pitch;
		OutRotation = FRotator(static_cast<double>(-MoonAltitude), static_cast<double>(Angles.Yaw), 0.0);

		const float SunAltitude = static_cast<float>(-SunPitch);
		OutAlpha = LM::Celestial::MoonAlpha(MoonAltitude, SunAltitude, Settings.SunLightFadeRange.FadeStartDeg, Settings.MoonSunGateOffsetDeg,
			Settings.MoonLightFadeRange.FadeStartDeg, Settings.MoonLightFadeRange.FadeEndDeg);
	}

	FORCEINLINE float SunElevationPhase(const FLM_CelstialRotationSettings& Settings, const FRotator& SunRotation, const bool bSunAboveHorizon,
		const FPhaseCurve& Curve)
	{
		const float SunAltitude = static_cast<float>(-SunRotation.Pitch);
		const float Range = bSunAboveHorizon ? Settings.SunNoonAltitudeDeg : Settings.SunDepthDeg;
		return LM::Celestial::ElevationPhase(SunAltitude, bSunAboveHorizon, Range, Curve);
	}
}

ULM_CelestialRotationComponent::ULM_CelestialRotationComponent()
{
	// The director drives the sky once per frame; a tick of its own would only repeat the work.
	PrimaryComponentTick.bCanEverTick = false;
}

void ULM_CelestialRotationComponent::ApplySettings(const FLM_CelstialRotationSettings& InSettings, const float& InDayLightFraction)
{
	Settings = InSettings;
	DayLightFraction = InDayLightFraction;
}

void ULM_CelestialRotationComponent::Update(const float InTotalNormalizedTimePassed)
{
	TotalNormalizedTimePassed = InTotalNormalizedTimePassed;
	NormalizedTimeOfDay = LM::Celestial::Frac(TotalNormalizedTimePassed);
	// ComputeSun, then ComputeMoon, expanded in place: a call per step costs a tenth of the update.
	SunStep(Settings, NormalizedTimeOfDay, DayLightFraction, SunRotation, SunAlpha);
	MoonStep(Settings, TotalNormalizedTimePassed, DayLightFraction, SunRotation.Pitch, MoonRotation, MoonAlpha);
}

void ULM_CelestialRotationComponent::ComputeSun()
{
	SunStep(Settings, NormalizedTimeOfDay, DayLightFraction, SunRotation, SunAlpha);
}

void ULM_CelestialRotationComponent::ComputeMoon()
{
	MoonStep(Settings, TotalNormalizedTimePassed, DayLightFraction, SunRotation.Pitch, MoonRotation, MoonAlpha);
}

FRotator ULM_CelestialRotationComponent::ComputeCelestialBodyRotation(const float Time, const float NoonAltitudeDeg, const float DepthDeg,
	const float AboveHorizonFraction, const float AzimuthOffsetDeg) const
{
	const LM::Celestial::FBodyAngles Angles = BodyAngles(Settings, Time, NoonAltitudeDeg, DepthDeg, AboveHorizonFraction, AzimuthOffsetDeg);
	return FRotator(static_cast<double>(Angles.Pitch), static_cast<double>(Angles.Yaw), 0.0);
}

FLM_CelestialHorizonWindow ULM_CelestialRotationComponent::ComputeHorizonWindow(const float AboveHorizonFraction) const
{
	const LM::Celestial::FHorizonSpan Span = LM::Celestial::HorizonWindow(AboveHorizonFraction);
	FLM_CelestialHorizonWindow Window;
	Window.Rise = Span.Rise;
	Window.Set = Span.Set;
	return Window;
}

FRotator ULM_CelestialRotationComponent::GetClampedCelestialRotator(const FRotator& Rotation, const float OffsetDeg, const float MinAltitudeDeg) const
{
	FRotator Result = Rotation;
	if (IsRotationAboveHorizon(Rotation))
	{
		Result.Pitch = LM::Celestial::LightPitch(Rotation.Pitch, OffsetDeg, MinAltitudeDeg);
	}
	return Result;
}

float ULM_CelestialRotationComponent::GetSunAlpha() const
{
	return SunAlpha;
}

float ULM_CelestialRotationComponent::GetMoonAlpha() const
{
	return MoonAlpha;
}

FRotator ULM_CelestialRotationComponent::GetSunRotationRaw() const
{
	return SunRotation;
}

FRotator ULM_CelestialRotationComponent::GetMoonRotationRaw() const
{
	return MoonRotation;
}

FRotator ULM_CelestialRotationComponent::GetSunRotationForLights() const
{
	return GetClampedCelestialRotator(SunRotation, Settings.DirectionalLightOffsetDeg, Settings.DirectionalLightMinAltitudeDeg);
}

FRotator ULM_CelestialRotationComponent::GetMoonRotationForLights() const
{
	return GetClampedCelestialRotator(MoonRotation, Settings.DirectionalLightOffsetDeg, Settings.DirectionalLightMinAltitudeDeg);
}

float ULM_CelestialRotationComponent::GetCelestialCyclePhase() const
{
	const bool bSunAboveHorizon = IsRotationAboveHorizon(SunRotation);
	const FPhaseCurve Curve = SelectPhaseCurve(Settings, bSunAboveHorizon);
	const float ElevationPhase = SunElevationPhase(Settings, SunRotation, bSunAboveHorizon, Curve);
	const FLM_CelestialHorizonWindow Window = ComputeHorizonWindow(DayLightFraction);
	return LM::Celestial::CyclePhase(
		ElevationPhase, bSunAboveHorizon, LM::Celestial::FHorizonSpan{Window.Rise, Window.Set}, NormalizedTimeOfDay, Curve);
}

float ULM_CelestialRotationComponent::GetCelestialElevationPhase() const
{
	const bool bSunAboveHorizon = IsRotationAboveHorizon(SunRotation);
	return SunElevationPhase(Settings, SunRotation, bSunAboveHorizon, SelectPhaseCurve(Settings, bSunAboveHorizon));
}

bool ULM_CelestialRotationComponent::TryGetLightAboveHorizon(int32& OutIndex, FRotator& OutRotator) const
{
	if (IsRotationAboveHorizon(SunRotation))
	{
		OutIndex = 0;
		OutRotator = SunRotation;
		return true;
	}
	if (IsRotationAboveHorizon(MoonRotation))
	{
		OutIndex = 1;
		OutRotator = MoonRotation;
		return true;
	}
	return false;
}

ELM_CelestialLight ULM_CelestialRotationComponent::GetDominantLight() const
{
	return (SunAlpha <= 0.0f && MoonAlpha > 0.0f) ? ELM_CelestialLight::Moon : ELM_CelestialLight::Sun;
}

FVector ULM_CelestialRotationComponent::GetSunForwardVector() const
{
	return SunForward.Get(SunRotation);
}

FVector ULM_CelestialRotationComponent::GetMoonForwardVector() const
{
	return MoonForward.Get(MoonRotation);
}

FVector ULM_CelestialRotationComponent::FForwardVectorCache::Get(const FRotator& Rotation) const
{
	// Bit for bit: a pitch of -0 gives a forward vector whose Z is -0.
	if (!bCached || std::memcmp(&Rotation, &CachedRotation, sizeof(FRotator)) != 0)
	{
		CachedRotation = Rotation;
		CachedForward = Rotation.Vector();
		bCached = true;
	}
	return CachedForward;
}

bool ULM_CelestialRotationComponent::IsAboveHorizon(const FRotator& Rotation)
{
	return IsRotationAboveHorizon(Rotation);
}
