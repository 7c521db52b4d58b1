// A headless level with one lighting director and a default preset: an editor level whose TotalTime
// is edited, or a level in play with the game clock.
#pragma once

#include "CoreMinimal.h"
#include "PreviewOptions.h"
#include "Renderer/SceneRenderState.h"

class AZN_Lumarch;
class AZN_TimeOfDaySubsystemActor;
class ADefaultPawn;
class APlayerController;
class UVoxelHeightLayer;
class UWorld;
class ULM_CelestialRotationComponent;
class ULM_DirectionalLightComponent;
class ULM_Preset;
class ULM_GroundFollowerFogComponent;
class UPostProcessComponent;
class USkyLightComponent;
class USkyAtmosphereComponent;

/** One light as the director left it after a frame. */
struct FLightSnapshot
{
	/** Degrees above the horizon of the body (its raw rotation). */
	double Altitude = 0.0;
	/** Compass bearing of the body, 0..360. */
	double Yaw = 0.0;
	float Alpha = 0.0f;
	float Intensity = 0.0f;
	bool bVisible = false;
	bool bCastShadows = false;
};

/** What the level shows after a frame. */
struct FDirectorSnapshot
{
	/** Whole days and fraction: the clock's in play, the director's TotalTime in the editor. */
	double Time = 0.0;
	/** The director's own time, 2400 units per day. */
	float TotalTime = 0.0f;
	FLightSnapshot Sun;
	FLightSnapshot Moon;
	float ElevationPhase = 0.0f;
	bool bIsDay = false;
	/** Which light drives the atmosphere's sky colour: "Sun" or "Moon". */
	const char* DominantLight = "Sun";
	/** Atmosphere light 0's direction (towards the sun), Z component: positive while the sun is up. */
	double AtmosphereSunDirectionZ = 0.0;
	/** The look that dominates the blend: "Day", "DawnDusk" or "Night". */
	FString Look;
	float FogDensity = 0.0f;
	float SkyLightIntensity = 0.0f;
	/** Blended colours: the sky light's, the fog's in-scattering and its volumetric albedo (linear). */
	FLinearColor SkyLightColor = FLinearColor::Black;
	FLinearColor FogInscatteringColor = FLinearColor::Black;
	FLinearColor FogAlbedo = FLinearColor::Black;
	/** Exposure range (EV100) and white balance written into the post-process. */
	float MinEV100 = 0.0f;
	float MaxEV100 = 0.0f;
	float WhiteTemperature = 0.0f;
	/** Play only: the walking player's ground, the fog's height above the world origin, and the focus distance. */
	double GroundZ = 0.0;
	double FogZ = 0.0;
	float FocalDistance = 0.0f;
};

class FPreviewLevel
{
public:
	/** Places the director with Preset (kept alive by the level's director). */
	FPreviewLevel(const FPreviewOptions& Options, ULM_Preset* Preset);
	~FPreviewLevel();

	FPreviewLevel(const FPreviewLevel&) = delete;
	FPreviewLevel& operator=(const FPreviewLevel&) = delete;

	/**
	 * Brings the level to step Step of Steps through the day: in the editor by entering TotalTime in
	 * the Details panel, in play by playing the frames up to it (a frame of no time at step 0).
	 */
	void ShowStep(int Step, int Steps);

	FDirectorSnapshot Snapshot() const;

	/** What the engine's renderer would read from the level's components now. */
	FSceneRenderState CaptureScene() const;

	/** Frames the world has ticked in play so far. */
	long long FramesPlayed() const { return PlayedFrames; }

private:
	void PlayFrames(int Count, float DeltaSeconds);
	void AddPlayerOnTerrain();
	void WalkPlayer(float DeltaSeconds);

	FLightSnapshot SnapshotLight(const ULM_DirectionalLightComponent* Light, const FRotator& BodyRotation, float Alpha) const;

	FPreviewOptions Options;
	UWorld* World = nullptr;
	APlayerController* Player = nullptr;
	ADefaultPawn* Walker = nullptr;
	UVoxelHeightLayer* Terrain = nullptr;
	AZN_TimeOfDaySubsystemActor* Clock = nullptr;
	AZN_Lumarch* Director = nullptr;
	ULM_CelestialRotationComponent* Celestial = nullptr;
	ULM_DirectionalLightComponent* Sun = nullptr;
	ULM_DirectionalLightComponent* Moon = nullptr;
	USkyAtmosphereComponent* Atmosphere = nullptr;
	ULM_GroundFollowerFogComponent* Fog = nullptr;
	USkyLightComponent* SkyLight = nullptr;
	UPostProcessComponent* PostProcess = nullptr;
	long long PlayedFrames = 0;
};
