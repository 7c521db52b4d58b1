#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Engine/TimerHandle.h"
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
 * of field it focuses on a tracked actor. The camera-to-target distance is measured on a timer while a
 * target is set and eased every tick; the sensor width follows the distance between two focal depths.
 * It can also publish the target's location into a material parameter collection every frame.
 */
UCLASS(ClassGroup = (Custom), HideCategories = (Trigger, PhysicsVolume), meta = (BlueprintSpawnableComponent))
class ZNLUMARCH_API ULM_TrackingPostProcessComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	ULM_TrackingPostProcessComponent();

	// The engine post-process component whose settings this component drives.
	UPROPERTY(VisibleAnywhere, BlueprintReadOnly, Category = "PostProcess", meta = (EditInline))
	TObjectPtr<UPostProcessComponent> PostProcessInternal;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Tracking")
	TWeakObjectPtr<AActor> TrackingTarget;

	// Measures at once and restarts the timer; the focus eases from where it was.
	void SetTrackingTarget(AActor* InTarget);

	// Drops the focus to zero, from where it eases back towards the last measurement; stops the timer.
	void ClearTrackingTarget();

	// Takes effect from the next tick; a running timer keeps its interval until it is refreshed.
	void SetSettings(const FLM_PostProcessDepthOfFieldSettings& InSettings);

	// Measures the camera-to-target distance that the focus eases towards.
	void UpdateDistanceToTarget();

	// Publishes the target's location (black without a target) into the settings' collection.
	void UpdateTargetLocationParameter();

	AActor* GetTrackingTarget() const { return TrackingTarget.Get(); }
	const FLM_PostProcessDepthOfFieldSettings& GetSettings() const { return Settings; }
	float GetDistanceToTarget() const { return DistanceToTarget; }
	float GetTargetDistanceToTarget() const { return TargetDistanceToTarget; }

protected:
	virtual void BeginPlay() override;
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason) override;
	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;

private:
	UPROPERTY(Transient)
	float DistanceToTarget = 0.0f;

	UPROPERTY(Transient)
	float TargetDistanceToTarget = 0.0f;

	FTimerHandle DistanceTimerHandle;

	FLM_PostProcessDepthOfFieldSettings Settings;

	void EaseDistanceToTarget(float DeltaTime);
	void ApplyDoFFromDistance();
	bool TryGetActiveCameraLocation(FVector& OutLocation) const;
	void RefreshTimerState();

	// The explicit target while it lives, else the pawn of local player 0; null when neither exists.
	AActor* ChooseTarget() const;
};
