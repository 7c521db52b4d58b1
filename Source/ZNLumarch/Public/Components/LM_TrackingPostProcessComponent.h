#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "LM_TrackingPostProcessComponent.generated.h"

class UCurveFloat;
class UMaterialParameterCollection;
class UPostProcessComponent;

/** ZN-specific post process dynamic settings */
USTRUCT(BlueprintType)
struct FLM_PostProcessDepthOfFieldSettings
{
	GENERATED_BODY()

	FLM_PostProcessDepthOfFieldSettings()
		: bOverride_MinSensorWidth(false)
		, bOverride_MaxSensorWidth(false)
		, bOverride_MinFocalDepth(false)
		, bOverride_MaxFocalDepth(false)
		, bOverride_TrackingTargetMPC(true)
	{
	}

	/** Override toggles */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MinSensorWidth : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MaxSensorWidth : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MinFocalDepth : 1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_MaxFocalDepth : 1;

	//~ The one toggle read at run time: without it the tracked location is not published.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Overrides", meta = (InlineEditConditionToggle, PinHiddenByDefault))
	uint8 bOverride_TrackingTargetMPC : 1;

	/** Properties */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DOF", meta = (EditCondition = "bOverride_MinSensorWidth"))
	float MinSensorWidth = 24.576f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DOF", meta = (EditCondition = "bOverride_MaxSensorWidth"))
	float MaxSensorWidth = 24.576f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DOF", meta = (EditCondition = "bOverride_MinFocalDepth"))
	float MinFocalDepth = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DOF", meta = (EditCondition = "bOverride_MaxFocalDepth"))
	float MaxFocalDepth = 0.0f;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DOF")
	TObjectPtr<UCurveFloat> BlendCurve = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DOF")
	float DistanceEasingSpeed = 6.0f;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Tracking", meta = (ClampMin = "0.01", UIMin = "0.01"))
	float UpdateIntervalSeconds = 0.2f;

	/** Material Parameter Collection where we can store tracking target vector */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PP", meta = (EditCondition = "bOverride_TrackingTargetMPC"))
	TObjectPtr<UMaterialParameterCollection> TrackingTargetMPC = nullptr;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PP", meta = (EditCondition = "bOverride_TrackingTargetMPC"))
	FName TargetPosParameterName = FName(TEXT("TrackedTargetLocation"));
};

/**
 * The director's post-process: a scene component owning one engine post-process component, whose depth
 * of field it focuses on a tracked actor.
 */
UCLASS(ClassGroup = (Custom), HideCategories = (Trigger, PhysicsVolume), meta = (BlueprintSpawnableComponent))
class ZNLUMARCH_API ULM_TrackingPostProcessComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	ULM_TrackingPostProcessComponent();

	/** The engine post-process component whose settings this component drives. */
	UPROPERTY(VisibleAnywhere, BlueprintReadOnly, Category = "PostProcess", meta = (EditInline))
	TObjectPtr<UPostProcessComponent> PostProcessInternal;

	// Takes effect from the next tick; a running timer keeps its interval until it is refreshed.
	void SetSettings(const FLM_PostProcessDepthOfFieldSettings& InSettings);

	const FLM_PostProcessDepthOfFieldSettings& GetSettings() const { return Settings; }

	AActor* GetTrackingTarget() const { return TrackingTarget.Get(); }

private:
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Tracking", meta = (AllowPrivateAccess = "true"))
	TWeakObjectPtr<AActor> TrackingTarget;

	UPROPERTY(Transient)
	float DistanceToTarget = 0.0f;

	UPROPERTY(Transient)
	float TargetDistanceToTarget = 0.0f;

	FLM_PostProcessDepthOfFieldSettings Settings;
};
