#pragma once

#include "CoreMinimal.h"
#include "Components/ExponentialHeightFogComponent.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Misc/Optional.h"
#include "VoxelStackLayer.h"
#include "LM_GroundFollowerFogComponent.generated.h"

struct FVoxelQueryResult;

/**
 * The director's height fog. Its density, colour and volumetric values are the engine's own; on top
 * of them it keeps its world height following the ground under a tracked actor: at an interval it asks
 * the voxel terrain (asynchronously, one query at a time) for the ground height there, and every tick
 * it eases towards ground plus an offset, never below a floor. Its X and Y are never changed.
 */
UCLASS(ClassGroup = (Custom), HideCategories = (Object, Mobility, Trigger, PhysicsVolume), meta = (BlueprintSpawnableComponent))
class ZNLUMARCH_API ULM_GroundFollowerFogComponent : public UExponentialHeightFogComponent
{
	GENERATED_BODY()

public:
	ULM_GroundFollowerFogComponent();

	// A null actor clears the target; neither the query schedule nor the height is touched.
	void SetTrackingTarget(AActor* InTarget);
	void ClearTrackingTarget();

	// Kept within -10000..10000: further from the ground the fog would leave the playable space.
	void SetHeightOffset(float InHeightOffset);
	void SetHeightClampZ(float InHeightClampZ);
	// Restarts the schedule; at least 0.01 s so a zero interval cannot query every frame forever.
	void SetHeightQueryInterval(float InHeightQueryInterval);

	AActor* GetTrackingTarget() const { return TrackingTarget.Get(); }
	bool IsBoundToHeightLayer() const { return bHeightLayerValid; }
	bool IsHeightQueryInFlight() const { return bHeightQueryInFlight; }
	float GetHeightOffset() const { return HeightOffset; }
	float GetHeightClampZ() const { return HeightClampZ; }
	float GetHeightQueryInterval() const { return HeightQueryInterval; }
	float GetQueryTimeAccumulator() const { return QueryTimeAccumulator; }
	double GetTargetHeightZ() const { return TargetHeightZ; }

	// The bound stack and layer are plain members: reported here so that the garbage collector clears
	// them when they are destroyed, instead of leaving the fog a dangling pair to query.
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector);

protected:
	virtual void BeginPlay() override;
	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;

private:
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Tracking", meta = (AllowPrivateAccess = "true"))
	TWeakObjectPtr<AActor> TrackingTarget;

	FVoxelStackHeightLayer VoxelHeightLayer;

	bool bHeightLayerValid = false;

	double TargetHeightZ = 0.0;

	float HeightOffset = 0.0f;

	float HeightQueryInterval = 0.25f;

	float QueryTimeAccumulator = 0.0f;

	float HeightClampZ = 2000.0f;

	bool bHeightQueryInFlight = false;

	// Binds the last height layer of the level's voxel world tagged "GroundHeightSource"; retried while unbound.
	void InitVoxelHeightLayer();

	// Asks for the ground height under the target; the reply comes back on the game thread.
	void StartHeightQuery();

	// Turns a reply into the target height; a missing or non-finite height changes nothing.
	void ApplyHeightQueryResult(const TOptional<FVoxelQueryResult>& Reply);
};
