// Fog setters change the value and dirty the render state when it differs. Unlike the lights they do
// not consult mobility, so a registered Static fog still accepts run-time changes.
#include "Components/ExponentialHeightFogComponent.h"
#include "Engine/TextureCube.h"

UExponentialHeightFogComponent::UExponentialHeightFogComponent()
{
	FogDensity = 0.02f;
	FogHeightFalloff = 0.2f;
	// No influence from the second fog by default.
	SecondFogData.FogDensity = 0.0f;
	FogInscatteringLuminance = FLinearColor::Black;
	InscatteringColorCubemap = nullptr;
	FogMaxOpacity = 1.0f;
	StartDistance = 0.0f;
	EndDistance = 0.0f;
	FogCutoffDistance = 0.0f;
	bEnableVolumetricFog = false;
	VolumetricFogScatteringDistribution = 0.2f;
	VolumetricFogAlbedo = FColor::White;
	VolumetricFogEmissive = FLinearColor::Black;
	VolumetricFogExtinctionScale = 1.0f;
	VolumetricFogDistance = 6000.0f;
	VolumetricFogStartDistance = 0.0f;
	VolumetricFogNearFadeInDistance = 0.0f;
	SkyAtmosphereAmbientContributionColorScale = FLinearColor::White;
}

#define ZN_FOG_SET(Member, NewValue) \
	if (Member != NewValue) \
	{ \
		Member = NewValue; \
		MarkRenderStateDirty(); \
	}

void UExponentialHeightFogComponent::SetFogDensity(float Value) { ZN_FOG_SET(FogDensity, Value) }
void UExponentialHeightFogComponent::SetSecondFogDensity(float Value) { ZN_FOG_SET(SecondFogData.FogDensity, Value) }
void UExponentialHeightFogComponent::SetFogInscatteringColor(FLinearColor Value) { ZN_FOG_SET(FogInscatteringLuminance, Value) }
void UExponentialHeightFogComponent::SetInscatteringColorCubemap(UTextureCube* Value) { ZN_FOG_SET(InscatteringColorCubemap, Value) }
void UExponentialHeightFogComponent::SetFogHeightFalloff(float Value) { ZN_FOG_SET(FogHeightFalloff, Value) }
void UExponentialHeightFogComponent::SetSecondFogHeightFalloff(float Value) { ZN_FOG_SET(SecondFogData.FogHeightFalloff, Value) }
void UExponentialHeightFogComponent::SetSecondFogHeightOffset(float Value) { ZN_FOG_SET(SecondFogData.FogHeightOffset, Value) }
void UExponentialHeightFogComponent::SetFogMaxOpacity(float Value) { ZN_FOG_SET(FogMaxOpacity, Value) }
void UExponentialHeightFogComponent::SetStartDistance(float Value) { ZN_FOG_SET(StartDistance, Value) }
void UExponentialHeightFogComponent::SetEndDistance(float Value) { ZN_FOG_SET(EndDistance, Value) }
void UExponentialHeightFogComponent::SetFogCutoffDistance(float Value) { ZN_FOG_SET(FogCutoffDistance, Value) }
void UExponentialHeightFogComponent::SetVolumetricFog(bool bNewValue) { ZN_FOG_SET(bEnableVolumetricFog, bNewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogScatteringDistribution(float NewValue) { ZN_FOG_SET(VolumetricFogScatteringDistribution, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogExtinctionScale(float NewValue) { ZN_FOG_SET(VolumetricFogExtinctionScale, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogAlbedo(FColor NewValue) { ZN_FOG_SET(VolumetricFogAlbedo, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogEmissive(FLinearColor NewValue) { ZN_FOG_SET(VolumetricFogEmissive, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogDistance(float NewValue) { ZN_FOG_SET(VolumetricFogDistance, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogStartDistance(float NewValue) { ZN_FOG_SET(VolumetricFogStartDistance, NewValue) }
void UExponentialHeightFogComponent::SetVolumetricFogNearFadeInDistance(float NewValue) { ZN_FOG_SET(VolumetricFogNearFadeInDistance, NewValue) }
void UExponentialHeightFogComponent::SetSkyAtmosphereAmbientContributionColorScale(FLinearColor NewValue) { ZN_FOG_SET(SkyAtmosphereAmbientContributionColorScale, NewValue) }

#undef ZN_FOG_SET

bool UExponentialHeightFogComponent::IsFogRendered() const
{
	// The condition under which the engine adds the fog to the scene.
	return (FogDensity + SecondFogData.FogDensity) * 1000.0f > UE_DELTA && FogMaxOpacity > UE_DELTA;
}
