// The director's per-frame look: the day, dawn/dusk and night overrides blended by the sun's height,
// scaled for low global-illumination quality, and written into exposure, atmosphere, sky light, fog
// and the post-process material. Three console variables can pin the exposure range.
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "HAL/IConsoleManager.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Scalability.h"
#include "Settings/LM_Settings.h"
#include "UObject/Package.h"

namespace
{
	TAutoConsoleVariable<int32> CVarOverridePostProcessExposure(
		TEXT("lm.OverridePostProcessExposure"), 0,
		TEXT("If 1, Lumarch overrides exposure (MinEV100/MaxEV100) every frame."));

	TAutoConsoleVariable<float> CVarExposureMinEV100(
		TEXT("lm.ExposureMinEV100"), -2.0f,
		TEXT("Min EV100 used when lm.OverridePostProcessExposure=1."));

	TAutoConsoleVariable<float> CVarExposureMaxEV100(
		TEXT("lm.ExposureMaxEV100"), -2.0f,
		TEXT("Max EV100 used when lm.OverridePostProcessExposure=1."));

	/** The first dynamic instance among the blendables, of Material when one is given. */
	UMaterialInstanceDynamic* FindPostProcessMaterialInstance(const FPostProcessSettings& Settings, const UMaterialInterface* Material)
	{
		for (const FWeightedBlendable& Blendable : Settings.WeightedBlendables.Array)
		{
			UMaterialInstanceDynamic* Instance = Cast<UMaterialInstanceDynamic>(Blendable.Object);
			if (Instance && (Material == nullptr || Instance->Parent == Material))
			{
				return Instance;
			}
		}
		return nullptr;
	}
}

FLM_DayNightOverride AZN_Lumarch::GetBlendedDayNightOverride() const
{
	FLM_DayNightOverride Result;
	BlendDayNightOverride(Result);
	return Result;
}

void AZN_Lumarch::BlendDayNightOverride(FLM_DayNightOverride& OutBlended) const
{
	if (!IsValid(Preset) || !IsValid(Preset->DynamicOverrides))
	{
		OutBlended = FLM_DayNightOverride();
		return;
	}
	const ULM_DynamicPreset& Dynamic = *Preset->DynamicOverrides;

	// The phase is signed: the sun's side of the horizon picks the look dawn/dusk blends towards.
	const float Phase = CelestialRotation->GetCelestialElevationPhase();
	const FLM_DayNightOverride& Target = Phase >= 0.0f ? Dynamic.Day : Dynamic.Night;

	// Copy-assigning keeps the lists' storage; Lerp only reads the target, so it is not copied.
	OutBlended = Dynamic.DawnDusk;
	OutBlended.Lerp(Target, FMath::Abs(Phase));
}

void AZN_Lumarch::ApplyScalabilityAdjustment(FLM_DayNightOverride& Override) const
{
	if (!bLowGIQuality || Preset == nullptr)
	{
		return;
	}
	Override.FogSettings.Density *= Preset->ScalibalitySettings.FogMultiplier;
	Override.SkyLightSetting.IntensityScale *= Preset->ScalibalitySettings.SkyLightMultiplier;
}

void AZN_Lumarch::ApplyDynamicSettings()
{
	FLM_DayNightOverride& Blended = FrameOverride;
	BlendDayNightOverride(Blended);
	ApplyScalabilityAdjustment(Blended);
	if (Blended.Name.IsNone())
	{
		return;
	}

	// The console values may be given in either order.
	if (CVarOverridePostProcessExposure.GetValueOnGameThread() != 0 && PostProcess)
	{
		const float A = CVarExposureMinEV100.GetValueOnGameThread();
		const float B = CVarExposureMaxEV100.GetValueOnGameThread();
		Blended.PostProcessSettings.MinEV100 = FMath::Min(A, B);
		Blended.PostProcessSettings.MaxEV100 = FMath::Max(A, B);
	}

	UPostProcessComponent* Internal = PostProcess ? PostProcess->PostProcessInternal.Get() : nullptr;
	if (Internal)
	{
		FPostProcessSettings& Settings = Internal->Settings;
		Settings.bOverride_AutoExposureMinBrightness = true;
		Settings.AutoExposureMinBrightness = Blended.PostProcessSettings.MinEV100;
		Settings.bOverride_AutoExposureMaxBrightness = true;
		Settings.AutoExposureMaxBrightness = Blended.PostProcessSettings.MaxEV100;
		Settings.bOverride_WhiteTemp = true;
		Settings.WhiteTemp = Blended.PostProcessSettings.Temperature;
	}

	if (SkyAtmosphere)
	{
		const FLM_SkyAtmosphereDynamicSettings& Atmosphere = Blended.SkyAtmosphereSettings;
		if (!SkyAtmosphere->IsVisible())
		{
			SkyAtmosphere->SetVisibility(true, false);
		}
		SkyAtmosphere->SetRayleighScattering(Atmosphere.RayleighScattering);
		SkyAtmosphere->SetRayleighScatteringScale(Atmosphere.RayleighScatteringScale);
		SkyAtmosphere->SetGroundAlbedo(Atmosphere.GroundAlbedo.ToFColorSRGB());
		SkyAtmosphere->SetBottomRadius(Atmosphere.GroundRadius);
		SkyAtmosphere->SetMieScatteringScale(Atmosphere.MieScatteringScale);
		SkyAtmosphere->SetMieAbsorptionScale(Atmosphere.MieAbsorptionScale);
		SkyAtmosphere->SetOtherAbsorptionScale(Atmosphere.AbsorptionScale);
		SkyAtmosphere->SetOtherAbsorption(Atmosphere.Absorption);
		SkyAtmosphere->SetSkyLuminanceFactor(Atmosphere.SkyLuminanceFactor);
		SkyAtmosphere->SetSkyAndAerialPerspectiveLuminanceFactor(Atmosphere.SkyAndAerialPerspectiveLuminanceFactor);
		SkyAtmosphere->SetHeightFogContribution(Atmosphere.HeightFogContribution);
		// The editor keeps the level's atmosphere as drawn; outside the editor there is no package to mark.
		if (SkyAtmosphere->GetPackage())
		{
			SkyAtmosphere->MarkPackageDirty();
		}
	}

	if (SkyLight)
	{
		const FLM_SkyLightDynamicSettings& Light = Blended.SkyLightSetting;
		SkyLight->SetIntensity(Light.IntensityScale);
		SkyLight->SetIndirectLightingIntensity(Light.IndirectLightIntensity);
		SkyLight->SetVolumetricScatteringIntensity(Light.VolumetricScatteringIntensity);
		// The light's colour is stored in 8-bit sRGB; quantising here keeps what is set and what is read the same.
		SkyLight->SetLightColor(FLinearColor(Light.LightColor.ToFColorSRGB()));
		SkyLight->SetLowerHemisphereColor(Light.LowerHemisphereColor);
		SkyLight->MarkRenderStateDirty();
	}

	if (ExponentialHeightFog)
	{
		const FLM_ExponentialFogDynamicSettings& Fog = Blended.FogSettings;
		ExponentialHeightFog->SetFogDensity(Fog.Density);
		ExponentialHeightFog->SetFogHeightFalloff(Fog.HeightFalloff);
		ExponentialHeightFog->SetFogMaxOpacity(Fog.FogMaxOpacity);
		ExponentialHeightFog->SetFogInscatteringColor(Fog.FogInscatteringColor);
		ExponentialHeightFog->SetStartDistance(Fog.StartDistance);
		ExponentialHeightFog->SetFogCutoffDistance(Fog.CutOffDistance);
		ExponentialHeightFog->SetVolumetricFogScatteringDistribution(Fog.VolumetricScatteringDistribution);
		ExponentialHeightFog->SetVolumetricFogAlbedo(Fog.VolumetricAlbedo.ToFColorSRGB());
		ExponentialHeightFog->SetVolumetricFogEmissive(Fog.VolumetricEmissiveColor);
		ExponentialHeightFog->SetVolumetricFogExtinctionScale(Fog.VolumetricExtinctionScale);
		ExponentialHeightFog->SetVolumetricFogDistance(Fog.VolumetricViewDistance);
	}

	if (Internal)
	{
		const UMaterialInterface* Material = Preset->DynamicOverrides->PostProcessMaterialSettings.PostProcessMaterial;
		if (UMaterialInstanceDynamic* Instance = FindPostProcessMaterialInstance(Internal->Settings, Material))
		{
			LM_MaterialParameters::ApplyParameterEntries(Blended.PostProcessMaterialSettings.ParameterEntries, Instance);
		}
	}

	ClosestPreset = Blended.Name;
}
