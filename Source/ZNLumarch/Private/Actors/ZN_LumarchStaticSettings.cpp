// The director's static pass: what the preset sets once, when it is bound or changed.
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_DirectionalLightComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_SkySphereComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Settings/LM_Settings.h"

void AZN_Lumarch::ApplySettings()
{
	if (!IsValid(Preset))
	{
		return;
	}
	const ULM_Preset& P = *Preset;

	Sun->ApplySettings(P.SunLightSettings);
	Moon->ApplySettings(P.MoonLightSettings);
	// The fraction is used whatever its toggle says: the toggle only unlocks it in the editor.
	CelestialRotation->ApplySettings(P.CelestialRotationSettings, P.WorldSettings.DayLightFraction);

	if (ExponentialHeightFog)
	{
		const FLM_ExponentialFogSettings& Fog = P.ExponentialHeightFogSettings;
		if (!ExponentialHeightFog->bEnableVolumetricFog)
		{
			ExponentialHeightFog->SetVolumetricFog(true);
		}
		ExponentialHeightFog->SetHeightOffset(Fog.HeightOffset);
		ExponentialHeightFog->SetHeightClampZ(Fog.HeightClampZ);
		ExponentialHeightFog->SetHeightQueryInterval(Fog.HeightQueryInterval);
		ExponentialHeightFog->InscatteringColorCubemap = Fog.InscatteringColorCubemap;
		ExponentialHeightFog->SetSkyAtmosphereAmbientContributionColorScale(Fog.SkyAtmosphereAmbientContributionColorScale);
		ExponentialHeightFog->SetVolumetricFogNearFadeInDistance(Fog.VolumetricNearFadeInDistance);
		ExponentialHeightFog->SetVolumetricFogStartDistance(Fog.VolumetricStartDistance);
	}

	const FLM_SkyAtmosphereSettings& Atmosphere = P.SkyAtmosphereSettings;
	SkyAtmosphere->AerialPerspectiveStartDepth = Atmosphere.AerialPerspectiveStartDepth;
	SkyAtmosphere->SetAerialPespectiveViewDistanceScale(Atmosphere.AerialPerspectiveViewDistanceScale);
	SkyAtmosphere->SetAtmosphereHeight(Atmosphere.AtmosphereHeight);
	SkyAtmosphere->SetMultiScatteringFactor(Atmosphere.MultiScatteringFactor);

	if (SkySphere)
	{
		const FLM_SkySettings& Sky = P.SkySettings;
		SkySphere->SetRelativeScale3D(Sky.SkySphereScale);
		SkySphere->ApplyMaterialToSkySpere(Sky.SkyMaterial);
		SkySphere->SetMaterialParamaterCollection(Sky.MaterialParameterCollection);
		SkySphere->SetStaticMesh(Sky.SkySphereMesh);
	}

	// Without a cube map the sky light captures the scene, which is what keeps it in step with the time of day.
	UTextureCube* CubeMap = P.SkyLightSettings.CubeMap;
	SkyLight->SetRealTimeCapture(CubeMap == nullptr);
	SkyLight->SourceType = CubeMap ? SLS_SpecifiedCubemap : SLS_CapturedScene;
	if (CubeMap)
	{
		SkyLight->SetCubemap(CubeMap);
	}
	SkyLight->MarkRenderStateDirty();

	const ULM_DynamicPreset* Dynamic = P.DynamicOverrides;
	if (IsValid(Dynamic))
	{
		UPostProcessComponent* Internal = PostProcess->PostProcessInternal;
		if (Internal)
		{
			Internal->Settings = Dynamic->PostProcessSettings;
		}
		PostProcess->SetSettings(Dynamic->PostProcessSettingsDepthOfFieldSettings);
		ApplyPostProcessMaterial(Dynamic->PostProcessMaterialSettings, Internal);
	}
}

void AZN_Lumarch::ApplyPostProcessMaterial(const FLM_PostProcessMaterialSettings& MaterialSettings, UPostProcessComponent* Component)
{
	if (Component == nullptr)
	{
		return;
	}

	TArray<FWeightedBlendable>& Blendables = Component->Settings.WeightedBlendables.Array;
	if (MaterialSettings.PostProcessMaterial == nullptr)
	{
		Blendables.Empty();
		return;
	}

	// A fresh instance each time, so parameters written for an earlier material never leak into this one.
	UMaterialInstanceDynamic* Instance = UMaterialInstanceDynamic::Create(MaterialSettings.PostProcessMaterial, Component);
	if (Instance == nullptr)
	{
		return;
	}
	Blendables.Empty();
	Blendables.Add(FWeightedBlendable(1.0f, Instance));
	Component->MarkRenderStateDirty();
}
