// Capture of what the engine's renderer would take from a world's components after a frame: the
// proxies' values, reduced to what a sky view needs. Only engine components are read.
#include "Renderer/SceneRenderState.h"

#include "Components/DirectionalLightComponent.h"
#include "Components/ExponentialHeightFogComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Engine/Scene.h"
#include "EngineUtils.h"
#include "GameFramework/Actor.h"

#include <algorithm>

namespace
{
	constexpr int NumAtmosphereLights = 2;

	bool IsDrawn(const USceneComponent* Component)
	{
		return Component && IsValid(Component) && Component->IsRegistered() && Component->IsVisible();
	}

	FVector3d ToVector(const FLinearColor& Color)
	{
		return FVector3d(Color.R, Color.G, Color.B);
	}

	/** The light's colour and brightness as its proxy keeps them: lux times linear colour, times the black body's colour when used. */
	FVector3d LightIlluminance(const UDirectionalLightComponent& Light)
	{
		FLinearColor Color = Light.GetLightColor() * Light.Intensity;
		if (Light.bUseTemperature)
		{
			Color *= FLinearColor::MakeFromColorTemperature(Light.Temperature);
		}
		return ToVector(Color);
	}

	/** Where a setting is overridden, moves Value towards the volume's by Weight (the engine's per-property lerp). */
	void BlendValue(uint8 bOverride, float Source, float Weight, float& Value, bool& bBlendedOverride)
	{
		if (bOverride)
		{
			Value = Value + (Source - Value) * Weight;
			bBlendedOverride = true;
		}
	}
}

FSceneRenderState CaptureSceneRenderState(UWorld* World)
{
	FSceneRenderState Scene;
	if (!World)
	{
		return Scene;
	}

	const USkyAtmosphereComponent* Atmosphere = nullptr;
	std::vector<UDirectionalLightComponent*> SunLights;
	const USkyLightComponent* SkyLight = nullptr;
	const UExponentialHeightFogComponent* Fog = nullptr;
	std::vector<const UPostProcessComponent*> Volumes;

	// The engine's scene holds one sky atmosphere, one sky light and one height fog in effect; the
	// first drawn one found stands for it here.
	for (TActorIterator<AActor> It(World); It; ++It)
	{
		TArray<UActorComponent*> Components;
		It->GetComponents(Components);
		for (UActorComponent* Component : Components)
		{
			if (USkyAtmosphereComponent* AsAtmosphere = Cast<USkyAtmosphereComponent>(Component))
			{
				Atmosphere = Atmosphere ? Atmosphere : (IsDrawn(AsAtmosphere) ? AsAtmosphere : nullptr);
			}
			else if (UDirectionalLightComponent* AsLight = Cast<UDirectionalLightComponent>(Component))
			{
				if (IsDrawn(AsLight) && AsLight->bAffectsWorld && AsLight->bAtmosphereSunLight)
				{
					SunLights.push_back(AsLight);
				}
			}
			else if (const USkyLightComponent* AsSkyLight = Cast<USkyLightComponent>(Component))
			{
				SkyLight = SkyLight ? SkyLight : (IsDrawn(AsSkyLight) && AsSkyLight->bAffectsWorld ? AsSkyLight : nullptr);
			}
			else if (const UExponentialHeightFogComponent* AsFog = Cast<UExponentialHeightFogComponent>(Component))
			{
				Fog = Fog ? Fog : (IsDrawn(AsFog) && AsFog->IsFogRendered() ? AsFog : nullptr);
			}
			else if (const UPostProcessComponent* AsVolume = Cast<UPostProcessComponent>(Component))
			{
				// Bounded volumes would need the camera's position; the view here stands nowhere in particular.
				if (IsValid(AsVolume) && AsVolume->IsRegistered() && AsVolume->bEnabled && AsVolume->bUnbound)
				{
					Volumes.push_back(AsVolume);
				}
			}
		}
	}

	if (Atmosphere)
	{
		Scene.bHasAtmosphere = true;
		Scene.Atmosphere = MakeAtmosphereParameters(*Atmosphere);
	}

	// Atmosphere lights: each index is driven by one light (the first found claims it).
	bool bIndexTaken[NumAtmosphereLights] = {false, false};
	for (UDirectionalLightComponent* Light : SunLights)
	{
		const int Index = std::clamp(Light->AtmosphereSunLightIndex, 0, NumAtmosphereLights - 1);
		if (bIndexTaken[Index])
		{
			continue;
		}
		bIndexTaken[Index] = true;

		FDirectionalLightRenderState State;
		State.AtmosphereLightIndex = Index;
		// The atmosphere's override, when set, replaces the direction towards the light.
		USkyAtmosphereComponent* MutableAtmosphere = const_cast<USkyAtmosphereComponent*>(Atmosphere);
		const FVector Direction = MutableAtmosphere && MutableAtmosphere->IsAtmosphereLightDirectionOverriden(Index)
			? MutableAtmosphere->GetOverridenAtmosphereLightDirection(Index)
			: -Light->GetForwardVector();
		State.Light.Direction = Direction.GetSafeNormal();
		State.Light.Illuminance = LightIlluminance(*Light);
		State.Light.DiscHalfAngleRadians = FMath::DegreesToRadians(0.5 * static_cast<double>(Light->LightSourceAngle));
		State.DiscColorScale = Light->AtmosphereSunDiskColorScale;
		State.bVisible = true;
		Scene.Lights.push_back(State);
	}
	std::sort(Scene.Lights.begin(), Scene.Lights.end(), [](const FDirectionalLightRenderState& A, const FDirectionalLightRenderState& B) { return A.AtmosphereLightIndex < B.AtmosphereLightIndex; });

	if (SkyLight)
	{
		Scene.SkyLight.bPresent = true;
		Scene.SkyLight.Intensity = SkyLight->Intensity;
		Scene.SkyLight.Color = SkyLight->GetLightColor();
		Scene.SkyLight.bLowerHemisphereIsBlack = SkyLight->bLowerHemisphereIsBlack;
		Scene.SkyLight.LowerHemisphereColor = SkyLight->LowerHemisphereColor;
	}

	if (Fog)
	{
		FHeightFogRenderState& State = Scene.Fog;
		State.bPresent = true;
		State.FogDensity = Fog->FogDensity;
		State.FogHeightFalloff = Fog->FogHeightFalloff;
		State.FogMaxOpacity = Fog->FogMaxOpacity;
		State.StartDistance = Fog->StartDistance;
		State.FogCutoffDistance = Fog->FogCutoffDistance;
		State.InscatteringLuminance = Fog->FogInscatteringLuminance;
		State.FogHeight = Fog->GetComponentLocation().Z;
		State.SecondFogDensity = Fog->SecondFogData.FogDensity;
		State.SecondFogHeightFalloff = Fog->SecondFogData.FogHeightFalloff;
		State.SecondFogHeightOffset = Fog->SecondFogData.FogHeightOffset;
		State.HeightFogContribution = Atmosphere ? Atmosphere->HeightFogContribution : 0.0f;
		State.SkyAtmosphereAmbientContributionColorScale = Fog->SkyAtmosphereAmbientContributionColorScale;
	}

	// Post-process: unbound volumes blended over the defaults, lowest priority first so that the
	// highest priority has the last word, each by its blend weight.
	std::stable_sort(Volumes.begin(), Volumes.end(), [](const UPostProcessComponent* A, const UPostProcessComponent* B) { return A->Priority < B->Priority; });
	FPostProcessSettings Blended;
	for (const UPostProcessComponent* Volume : Volumes)
	{
		const FPostProcessSettings& Source = Volume->Settings;
		const float Weight = FMath::Clamp(Volume->BlendWeight, 0.0f, 1.0f);
		if (Weight <= 0.0f)
		{
			continue;
		}
		// Each overridable value is blended the same way; its override flag is a one-bit field, so the
		// engine's own blending names them through a macro too.
#define ZN_BLEND_OVERRIDABLE(Name) \
	{ \
		bool bOverride = false; \
		BlendValue(Source.bOverride_##Name, Source.Name, Weight, Blended.Name, bOverride); \
		Blended.bOverride_##Name |= bOverride; \
	}
		ZN_BLEND_OVERRIDABLE(AutoExposureMinBrightness)
		ZN_BLEND_OVERRIDABLE(AutoExposureMaxBrightness)
		ZN_BLEND_OVERRIDABLE(AutoExposureBias)
		ZN_BLEND_OVERRIDABLE(WhiteTemp)
		ZN_BLEND_OVERRIDABLE(WhiteTint)
#undef ZN_BLEND_OVERRIDABLE
	}
	Scene.Camera = ResolveCameraSettings(Blended);
	return Scene;
}
