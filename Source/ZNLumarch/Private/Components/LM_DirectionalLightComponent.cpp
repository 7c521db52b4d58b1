#include "Components/LM_DirectionalLightComponent.h"

namespace
{
	// Below this the light adds nothing visible, so it is hidden instead of rendered black.
	constexpr float MinVisibleIntensity = 0.0001f;

	// 180/pi as single precision: altitudes are compared in the same precision the sky uses.
	constexpr float RadiansToDegrees = 57.295776f;
}

void ULM_DirectionalLightComponent::ApplySettings(const FLM_DirectionalLightSettings& StaticSettings)
{
	// The light's own intensity follows at the next Update, scaled by that frame's fade.
	BaseIntensity = StaticSettings.Intensity;

	SetLightSourceAngle(StaticSettings.LightSourceAngle);
	SetUseTemperature(StaticSettings.UseTemperature);
	SetIndirectLightingIntensity(StaticSettings.IndirectLightingIntensity);
	SetVolumetricScatteringIntensity(StaticSettings.VolumetricScatteringIntensity);
	SetLightColor(StaticSettings.LightColor, true);
	SetTemperature(StaticSettings.Temperature);
	SetBloomScale(StaticSettings.BloomScale);
	SetAtmosphereSunLight(StaticSettings.AtmosphereSunLight);
	SetEnableLightShaftOcclusion(StaticSettings.LightShaftOcclusion);
	SetOcclusionMaskDarkness(StaticSettings.OcclusionMaskDarkness);
	SetOcclusionDepthRange(StaticSettings.OcclusionDepthRange);
	SetEnableLightShaftBloom(StaticSettings.BloomShaft);

	DisableShadowsBelowHorizon = StaticSettings.DisableShadowsBelowHorizon;
	ShadowDisableAltitudeDeg = StaticSettings.ShadowDisableAltitudeDeg;

	// Explicitly off rather than the project setting: the preset decides.
	SetCastRaytracedShadows(StaticSettings.RayTracedShadows ? ECastRayTracedShadow::Enabled : ECastRayTracedShadow::Disabled);

	MarkRenderStateDirty();
}

void ULM_DirectionalLightComponent::ApplyDynamicSettings(const FLM_DirectionalLightDynamicSettings& DynamicSettings)
{
	// The override toggles only gate editing; blended records carry meaningful values in every field.
	SetIndirectLightingIntensity(DynamicSettings.IndirectLightingIntensity);
	SetVolumetricScatteringIntensity(DynamicSettings.VolumetricScatteringIntensity);
	SetLightColor(DynamicSettings.LightColor, true);
	SetTemperature(DynamicSettings.Temperature);
	SetBloomScale(DynamicSettings.BloomScale);
}

void ULM_DirectionalLightComponent::Update(const float IntensityAlpha)
{
	const float NewIntensity = IntensityAlpha * BaseIntensity;
	SetIntensity(NewIntensity);

	// Visibility changes re-create render state, so only a real change reaches the engine.
	const bool bNewVisible = NewIntensity > MinVisibleIntensity;
	if (IsVisible() != bNewVisible)
	{
		SetVisibility(bNewVisible, true);
	}
}

void ULM_DirectionalLightComponent::Update(const float IntensityAlpha, const FRotator Rotation)
{
	Update(IntensityAlpha);
	SetRelativeRotation(Rotation, false, nullptr, ETeleportType::None);

	// When the switch is off the shadows are left as they are, not forced back on.
	if (DisableShadowsBelowHorizon)
	{
		const bool bNewCastShadows = GetLightAltitudeFromRotator(Rotation) > ShadowDisableAltitudeDeg;
		if (static_cast<bool>(CastShadows) != bNewCastShadows)
		{
			SetCastShadows(bNewCastShadows);
		}
	}
}

void ULM_DirectionalLightComponent::SetDisableShadowsBelowHorizon(const bool bInDisableShadowsBelowHorizon)
{
	DisableShadowsBelowHorizon = bInDisableShadowsBelowHorizon;
}

void ULM_DirectionalLightComponent::SetShadowDisableAltitudeDeg(const float InShadowDisableAltitudeDeg)
{
	ShadowDisableAltitudeDeg = InShadowDisableAltitudeDeg;
}

float ULM_DirectionalLightComponent::GetLightAltitudeFromRotator(const FRotator& Rotation)
{
	// A light shines along its forward direction, so it is up in the sky when that points down. Only
	// the forward vector's Z is needed: the sine of the unwound pitch, worked out as Vector() does.
	const double Up = FMath::Sin(FMath::DegreesToRadians(FMath::Fmod(Rotation.Pitch, 360.0)));
	const float Down = static_cast<float>(-Up);
	return FMath::Asin(FMath::Clamp(Down, -1.0f, 1.0f)) * RadiansToDegrees;
}
