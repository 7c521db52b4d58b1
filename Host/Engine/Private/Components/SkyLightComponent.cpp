// Sky-light setters are guarded like the other lights' (registered Static refuses, unchanged value is
// ignored); changes to what is captured also queue a recapture.
#include "Components/SkyLightComponent.h"
#include "Engine/TextureCube.h"

USkyLightComponent::USkyLightComponent()
{
	bRealTimeCapture = false;
	SourceType = SLS_CapturedScene;
	Cubemap = nullptr;
	SourceCubemapAngle = 0.0f;
	CubemapResolution = 128;
	SkyDistanceThreshold = 150000.0f;
	bCaptureEmissiveOnly = false;
	bLowerHemisphereIsBlack = true;
	LowerHemisphereColor = FLinearColor::Black;
	Intensity = 1.0f;
	IndirectLightingIntensity = 1.0f;
	VolumetricScatteringIntensity = 1.0f;
	bCastVolumetricShadow = true;
	Mobility = EComponentMobility::Stationary;
}

void USkyLightComponent::UpdateLimitedRenderingStateFast()
{
	MarkRenderStateDirty();
}

void USkyLightComponent::SetCaptureIsDirty()
{
	if (GetVisibleFlag() && bAffectsWorld)
	{
		++RecaptureRequestCount;
	}
}

void USkyLightComponent::SetIntensity(float NewIntensity)
{
	if (AreDynamicDataChangesAllowed() && Intensity != NewIntensity)
	{
		Intensity = NewIntensity;
		UpdateLimitedRenderingStateFast();
	}
}

void USkyLightComponent::SetIndirectLightingIntensity(float NewIntensity)
{
	if (AreDynamicDataChangesAllowed() && IndirectLightingIntensity != NewIntensity)
	{
		IndirectLightingIntensity = NewIntensity;
		UpdateLimitedRenderingStateFast();
	}
}

void USkyLightComponent::SetVolumetricScatteringIntensity(float NewIntensity)
{
	if (AreDynamicDataChangesAllowed() && VolumetricScatteringIntensity != NewIntensity)
	{
		VolumetricScatteringIntensity = NewIntensity;
		UpdateLimitedRenderingStateFast();
	}
}

void USkyLightComponent::SetLightColor(FLinearColor NewLightColor)
{
	const FColor NewColor(NewLightColor.ToFColor(true));
	if (AreDynamicDataChangesAllowed() && LightColor != NewColor)
	{
		LightColor = NewColor;
		UpdateLimitedRenderingStateFast();
	}
}

void USkyLightComponent::SetCubemap(UTextureCube* NewCubemap)
{
	if (AreDynamicDataChangesAllowed() && Cubemap != NewCubemap)
	{
		Cubemap = NewCubemap;
		MarkRenderStateDirty();
		// The new cube map has to be processed again.
		SetCaptureIsDirty();
	}
}

void USkyLightComponent::SetLowerHemisphereColor(const FLinearColor& InLowerHemisphereColor)
{
	if (AreDynamicDataChangesAllowed() && LowerHemisphereColor != InLowerHemisphereColor)
	{
		LowerHemisphereColor = InLowerHemisphereColor;
		UpdateLimitedRenderingStateFast();
	}
}

void USkyLightComponent::SetRealTimeCapture(bool bInRealTimeCapture)
{
	if (AreDynamicDataChangesAllowed() && bRealTimeCapture != bInRealTimeCapture)
	{
		bRealTimeCapture = bInRealTimeCapture;
		MarkRenderStateDirty();
		SetCaptureIsDirty();
	}
}

bool USkyLightComponent::IsRealTimeCaptureEnabled() const
{
	return bRealTimeCapture && Mobility != EComponentMobility::Static;
}

void USkyLightComponent::RecaptureSky()
{
	SetCaptureIsDirty();
}
