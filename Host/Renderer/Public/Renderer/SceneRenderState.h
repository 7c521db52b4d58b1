// What the renderer knows of a world after a frame, read from its components as the engine's
// renderer reads their proxies: the sky atmosphere, the atmosphere lights, the sky light, the height
// fog and the post-process in effect. Captured on the game thread; rendered from on any thread.
#pragma once

#include "CoreMinimal.h"
#include "Renderer/AtmosphereParameters.h"
#include "Renderer/CameraResponse.h"
#include "Renderer/SkyAtmosphereModel.h"

#include <vector>

class UWorld;

struct FDirectionalLightRenderState
{
	/** Index of the atmosphere light it drives (0 or 1). */
	int AtmosphereLightIndex = 0;
	FAtmosphereLight Light;
	bool bVisible = true;
	/** Multiplies the disc's luminance only (the light's atmosphere sun disk colour scale). */
	FLinearColor DiscColorScale = FLinearColor::White;
};

struct FSkyLightRenderState
{
	bool bPresent = false;
	float Intensity = 1.0f;
	FLinearColor Color = FLinearColor::White;
	bool bLowerHemisphereIsBlack = true;
	FLinearColor LowerHemisphereColor = FLinearColor::Black;
};

struct FHeightFogRenderState
{
	bool bPresent = false;
	/** Component values as the engine's proxy keeps them (density and falloff per the component's units). */
	float FogDensity = 0.0f;
	float FogHeightFalloff = 0.2f;
	float FogMaxOpacity = 1.0f;
	float StartDistance = 0.0f;
	float FogCutoffDistance = 0.0f;
	FLinearColor InscatteringLuminance = FLinearColor::Black;
	/** World Z of the fog (cm). */
	double FogHeight = 0.0;
	float SecondFogDensity = 0.0f;
	float SecondFogHeightFalloff = 0.2f;
	float SecondFogHeightOffset = 0.0f;
	/** The sky atmosphere's share of the fog's in-scattering: the atmosphere's HeightFogContribution (0 without one) and the fog's colour scale. */
	float HeightFogContribution = 1.0f;
	FLinearColor SkyAtmosphereAmbientContributionColorScale = FLinearColor::White;
};

struct FSceneRenderState
{
	bool bHasAtmosphere = false;
	FAtmosphereParameters Atmosphere;
	/** Visible atmosphere lights (sun, moon), in atmosphere light order. */
	std::vector<FDirectionalLightRenderState> Lights;
	FSkyLightRenderState SkyLight;
	FHeightFogRenderState Fog;
	FCameraSettings Camera;
};

/** Reads the world's components after a frame (game thread). */
FSceneRenderState CaptureSceneRenderState(UWorld* World);
