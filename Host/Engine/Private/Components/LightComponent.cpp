// Lights keep what the engine hands the renderer. The guards are the engine's: a registered Static
// light refuses run-time changes (AreDynamicDataChangesAllowed), an unchanged value changes nothing,
// and each change ends in a render-state update, which the host records.
#include "Components/LightComponentBase.h"
#include "Components/LightComponent.h"
#include "Components/DirectionalLightComponent.h"

// Guarded assignment shared by the setters below: the engine writes each one out by hand.
#define ZN_LIGHT_GUARDED_SET(Member, NewValue, Update) \
	if (AreDynamicDataChangesAllowed() && Member != NewValue) \
	{ \
		Member = NewValue; \
		Update(); \
	}

// ---- ULightComponentBase -------------------------------------------------------------------------

ULightComponentBase::ULightComponentBase()
{
	Intensity = 3.1415926535897932f;
	LightColor = FColor::White;
	bAffectsWorld = true;
	CastShadows = true;
	CastStaticShadows = true;
	CastDynamicShadows = true;
	bAffectTranslucentLighting = true;
	bTransmission = false;
	bCastVolumetricShadow = false;
	CastRaytracedShadow = ECastRayTracedShadow::UseProjectSetting;
	bAffectReflection = true;
	bAffectGlobalIllumination = true;
	IndirectLightingIntensity = 1.0f;
	VolumetricScatteringIntensity = 1.0f;
}

void ULightComponentBase::SetCastShadows(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && CastShadows != bNewValue)
	{
		CastShadows = bNewValue;
		MarkRenderStateDirty();
	}
}

FLinearColor ULightComponentBase::GetLightColor() const
{
	return FLinearColor(LightColor);
}

void ULightComponentBase::SetCastVolumetricShadow(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bCastVolumetricShadow != bNewValue)
	{
		bCastVolumetricShadow = bNewValue;
		MarkRenderStateDirty();
	}
}

void ULightComponentBase::SetCastRaytracedShadows(ECastRayTracedShadow::Type bNewValue)
{
	if (AreDynamicDataChangesAllowed() && CastRaytracedShadow != bNewValue)
	{
		CastRaytracedShadow = bNewValue;
		MarkRenderStateDirty();
	}
}

void ULightComponentBase::SetAffectReflection(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bAffectReflection != bNewValue)
	{
		bAffectReflection = bNewValue;
		MarkRenderStateDirty();
	}
}

void ULightComponentBase::SetAffectGlobalIllumination(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bAffectGlobalIllumination != bNewValue)
	{
		bAffectGlobalIllumination = bNewValue;
		MarkRenderStateDirty();
	}
}

// ---- ULightComponent -----------------------------------------------------------------------------

ULightComponent::ULightComponent()
{
	Temperature = 6500.0f;
	MaxDrawDistance = 0.0f;
	MaxDistanceFadeRange = 0.0f;
	bUseTemperature = false;
	SpecularScale = 1.0f;
	DiffuseScale = 1.0f;
	ShadowBias = 0.5f;
	ShadowSlopeBias = 0.5f;
	ShadowResolutionScale = 1.0f;
	bUseRayTracedDistanceFieldShadows = false;
	bEnableLightShaftBloom = false;
	BloomScale = 0.2f;
	BloomThreshold = 0.0f;
	BloomMaxBrightness = 100.0f;
	BloomTint = FColor::White;
}

void ULightComponent::UpdateColorAndBrightness()
{
	MarkRenderStateDirty();
}

void ULightComponent::SetIntensity(float NewIntensity)
{
	ZN_LIGHT_GUARDED_SET(Intensity, NewIntensity, UpdateColorAndBrightness)
}

void ULightComponent::SetIndirectLightingIntensity(float NewIntensity)
{
	ZN_LIGHT_GUARDED_SET(IndirectLightingIntensity, NewIntensity, MarkRenderStateDirty)
}

void ULightComponent::SetVolumetricScatteringIntensity(float NewIntensity)
{
	ZN_LIGHT_GUARDED_SET(VolumetricScatteringIntensity, NewIntensity, MarkRenderStateDirty)
}

void ULightComponent::SetLightColor(FLinearColor NewLightColor, bool bSRGB)
{
	SetLightFColor(NewLightColor.ToFColor(bSRGB));
}

void ULightComponent::SetLightFColor(FColor NewLightColor)
{
	ZN_LIGHT_GUARDED_SET(LightColor, NewLightColor, UpdateColorAndBrightness)
}

void ULightComponent::SetTemperature(float NewTemperature)
{
	ZN_LIGHT_GUARDED_SET(Temperature, NewTemperature, UpdateColorAndBrightness)
}

void ULightComponent::SetUseTemperature(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bUseTemperature != bNewValue)
	{
		bUseTemperature = bNewValue;
		UpdateColorAndBrightness();
	}
}

void ULightComponent::SetSpecularScale(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(SpecularScale, NewValue, MarkRenderStateDirty)
}

void ULightComponent::SetDiffuseScale(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(DiffuseScale, NewValue, MarkRenderStateDirty)
}

void ULightComponent::SetEnableLightShaftBloom(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bEnableLightShaftBloom != bNewValue)
	{
		bEnableLightShaftBloom = bNewValue;
		MarkRenderStateDirty();
	}
}

void ULightComponent::SetBloomScale(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(BloomScale, NewValue, MarkRenderStateDirty)
}

void ULightComponent::SetBloomThreshold(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(BloomThreshold, NewValue, MarkRenderStateDirty)
}

void ULightComponent::SetBloomMaxBrightness(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(BloomMaxBrightness, NewValue, MarkRenderStateDirty)
}

void ULightComponent::SetBloomTint(FColor NewValue)
{
	ZN_LIGHT_GUARDED_SET(BloomTint, NewValue, MarkRenderStateDirty)
}

// ---- UDirectionalLightComponent ------------------------------------------------------------------

UDirectionalLightComponent::UDirectionalLightComponent()
{
	Intensity = 10.0f;
	bCastVolumetricShadow = true;
	bUseRayTracedDistanceFieldShadows = true;
	bEnableLightShaftOcclusion = false;
	OcclusionMaskDarkness = 0.05f;
	OcclusionDepthRange = 100000.0f;
	LightShaftOverrideDirection = FVector::ZeroVector;
	DynamicShadowDistanceMovableLight = 40000.0f;
	DynamicShadowDistanceStationaryLight = 0.0f;
	DynamicShadowCascades = 4;
	CascadeDistributionExponent = 3.0f;
	CascadeTransitionFraction = 0.1f;
	ShadowDistanceFadeoutFraction = 0.1f;
	DistanceFieldShadowDistance = 51200.0f;
	LightSourceAngle = 0.5357f;
	LightSourceSoftAngle = 0.0f;
	ShadowAmount = 1.0f;
	bAtmosphereSunLight = true;
	AtmosphereSunLightIndex = 0;
	AtmosphereSunDiskColorScale = FLinearColor::White;
	ForwardShadingPriority = 0;
}

// Shadow-distance and cascade setters have no mobility check in the engine.
#define ZN_LIGHT_UNGUARDED_SET(Member, NewValue) \
	if (Member != NewValue) \
	{ \
		Member = NewValue; \
		MarkRenderStateDirty(); \
	}

void UDirectionalLightComponent::SetDynamicShadowDistanceMovableLight(float NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(DynamicShadowDistanceMovableLight, NewValue)
}

void UDirectionalLightComponent::SetDynamicShadowDistanceStationaryLight(float NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(DynamicShadowDistanceStationaryLight, NewValue)
}

void UDirectionalLightComponent::SetDynamicShadowCascades(int32 NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(DynamicShadowCascades, NewValue)
}

void UDirectionalLightComponent::SetCascadeDistributionExponent(float NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(CascadeDistributionExponent, NewValue)
}

void UDirectionalLightComponent::SetCascadeTransitionFraction(float NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(CascadeTransitionFraction, NewValue)
}

void UDirectionalLightComponent::SetShadowDistanceFadeoutFraction(float NewValue)
{
	ZN_LIGHT_UNGUARDED_SET(ShadowDistanceFadeoutFraction, NewValue)
}

#undef ZN_LIGHT_UNGUARDED_SET

void UDirectionalLightComponent::SetEnableLightShaftOcclusion(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bEnableLightShaftOcclusion != bNewValue)
	{
		bEnableLightShaftOcclusion = bNewValue;
		MarkRenderStateDirty();
	}
}

void UDirectionalLightComponent::SetOcclusionMaskDarkness(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(OcclusionMaskDarkness, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetOcclusionDepthRange(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(OcclusionDepthRange, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetLightShaftOverrideDirection(FVector NewValue)
{
	ZN_LIGHT_GUARDED_SET(LightShaftOverrideDirection, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetLightSourceAngle(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(LightSourceAngle, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetLightSourceSoftAngle(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(LightSourceSoftAngle, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetShadowAmount(float NewValue)
{
	ZN_LIGHT_GUARDED_SET(ShadowAmount, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetAtmosphereSunLight(bool bNewValue)
{
	if (AreDynamicDataChangesAllowed() && bAtmosphereSunLight != bNewValue)
	{
		bAtmosphereSunLight = bNewValue;
		MarkRenderStateDirty();
	}
}

void UDirectionalLightComponent::SetAtmosphereSunLightIndex(int32 NewValue)
{
	if (AreDynamicDataChangesAllowed() && AtmosphereSunLightIndex != NewValue)
	{
		AtmosphereSunLightIndex = FMath::Max(0, NewValue);
		MarkRenderStateDirty();
	}
}

void UDirectionalLightComponent::SetAtmosphereSunDiskColorScale(FLinearColor NewValue)
{
	ZN_LIGHT_GUARDED_SET(AtmosphereSunDiskColorScale, NewValue, MarkRenderStateDirty)
}

void UDirectionalLightComponent::SetForwardShadingPriority(int32 NewValue)
{
	if (AreDynamicDataChangesAllowed() && ForwardShadingPriority != NewValue)
	{
		ForwardShadingPriority = FMath::Max(0, NewValue);
		MarkRenderStateDirty();
	}
}

#undef ZN_LIGHT_GUARDED_SET
