#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Delegates/IDelegateInstance.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Settings/LM_Settings.h"
#include "ZN_Lumarch.generated.h"

class APawn;
class APlayerController;
class UPostProcessComponent;
class USceneComponent;
class USkyAtmosphereComponent;
class USkyLightComponent;
class ULM_CelestialRotationComponent;
class ULM_DirectionalLightComponent;
class ULM_GroundFollowerFogComponent;
class ULM_Preset;
class ULM_SkySphereComponent;
class ULM_TrackingPostProcessComponent;
class UZN_TimeOfDaySubsystem;

namespace Scalability
{
	struct FQualityLevels;
}

/**
 * The lighting director of a level. It owns the sun and moon lights, sky light, sky atmosphere,
 * height fog, sky dome and post-process, and redraws them from one number, the time of day: in play
 * from the game clock every frame, in the editor whenever the preset or the time is edited.
 */
UCLASS()
class ZNLUMARCH_API AZN_Lumarch : public AActor
{
	GENERATED_BODY()

public:
	AZN_Lumarch();
	virtual ~AZN_Lumarch() override;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Presets")
	TObjectPtr<ULM_Preset> Preset = nullptr;

	// Follows the pawn InPC possesses, now and after every change of possession; one controller at a time.
	UFUNCTION(BlueprintCallable)
	void RegisterPlayerController(APlayerController* InPC);

	// Stops following InPC's possessions if it is the bound controller; the current target stays.
	UFUNCTION(BlueprintCallable)
	void UnregisterPlayerController(APlayerController* InPC);

	// Gives the fog and the depth of field Pawn to follow; a null or dying pawn changes nothing.
	UFUNCTION(BlueprintCallable)
	void SetTrackingTarget(APawn* Pawn) const;

	virtual void Tick(float DeltaSeconds) override;
	virtual void PostRegisterAllComponents() override;
#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
#endif

protected:
	virtual void BeginPlay() override;
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason) override;

	// Reads the game clock into TotalTime; any missing link leaves TotalTime as it is.
	void UpdateTimeOfDay();

	// Redraws everything that follows from TotalTime; without a preset nothing moves.
	void UpdateEnvironment();

	void UpdateCelestialBodies();

	void UpdateSky();

	void OnPresetUpdated();

	// Not bound by the director itself: for game code that pushes time changes instead of ticking.
	void OnTimeOfDayUpdated();

	// 2400 units make one day; 1200 is noon of day 0. In play the game clock overwrites it every frame.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time Of Day", meta = (ClampMin = "0.0", ClampMax = "2400.0", UIMin = "0.0", UIMax = "2400.0"))
	float TotalTime = 1200.0f;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Time Of Day", meta = (EditCondition = "FALSE"))
	FName ClosestPreset;

	/** Used as in editor debug display */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Debug", meta = (EditCondition = "FALSE"))
	float DebugSunPitch = 0.0f;

	/** Used as in editor debug display */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Debug", meta = (EditCondition = "FALSE"))
	float DebugMoonPitch = 0.0f;

	/** Used as in editor debug display */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Debug", meta = (EditCondition = "FALSE"))
	float DebugSunAlpha = 0.0f;

	/** Used as in editor debug display */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Debug", meta = (EditCondition = "FALSE"))
	float DebugMoonAlpha = 0.0f;

	/** Used as in editor debug display */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Debug", meta = (EditCondition = "FALSE"))
	bool DebugIsDay = false;

private:
	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_DirectionalLightComponent> Sun;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_DirectionalLightComponent> Moon;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_CelestialRotationComponent> CelestialRotation;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<USkyAtmosphereComponent> SkyAtmosphere;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_SkySphereComponent> SkySphere;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_TrackingPostProcessComponent> PostProcess;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<USkyLightComponent> SkyLight;

	UPROPERTY(VisibleDefaultsOnly, BlueprintReadOnly, Instanced, Category = "Compopnents", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<ULM_GroundFollowerFogComponent> ExponentialHeightFog;

	UPROPERTY(Transient)
	TWeakObjectPtr<UZN_TimeOfDaySubsystem> CachedTimeOfDaySubsystem;

	// The preset whose OnUpdated is bound, so the binding can be removed after Preset is replaced.
	UPROPERTY(Transient)
	TObjectPtr<ULM_Preset> BoundPreset = nullptr;

	FDelegateHandle PresetUpdatedHandle;

	FDelegateHandle ScalabilityChangedHandle;

	bool bLowGIQuality = false;

	UPROPERTY(Transient)
	TWeakObjectPtr<APlayerController> BoundPC;

	// Bound by name to the controller's possession event.
	UFUNCTION()
	void HandlePossessedPawnChanged(APawn* OldPawn, APawn* NewPawn);

	// Rebinds the preset and scalability notifications; never leaves more than one of each.
	void UpdateDelegateBinding();

	// Pushes the preset's static settings into the components; not run every frame.
	void ApplySettings();

	void ApplyAllSettings();

	// Writes the look of the moment, blended from the dynamic preset, into the components.
	void ApplyDynamicSettings();

	// The day, dawn/dusk and night looks blended by the sun's elevation; named none when there is nothing to blend.
	FLM_DayNightOverride GetBlendedDayNightOverride() const;

	// The same blend written into an existing record, whose lists keep their storage from frame to frame.
	void BlendDayNightOverride(FLM_DayNightOverride& OutBlended) const;

	// The record each frame's look is blended into; reused so that a frame allocates nothing for it.
	FLM_DayNightOverride FrameOverride;

	// Low global-illumination quality cannot afford the looks' full fog and sky light.
	void ApplyScalabilityAdjustment(FLM_DayNightOverride& Override) const;

	void OnScalabilityChanged(const Scalability::FQualityLevels& QualityLevels);

	// Normalised time: whole part counts days, fractional part is the time of day.
	float GetTimeNormalized() const;

	static void ApplyPostProcessMaterial(const FLM_PostProcessMaterialSettings& MaterialSettings, UPostProcessComponent* Component);
};
