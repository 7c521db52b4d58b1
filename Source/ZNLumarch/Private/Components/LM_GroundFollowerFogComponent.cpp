#include "Components/LM_GroundFollowerFogComponent.h"
#include "GameFramework/Actor.h"

namespace
{
	constexpr float MaxHeightOffset = 10000.0f;
	constexpr float MinHeightQueryInterval = 0.01f;
}

ULM_GroundFollowerFogComponent::ULM_GroundFollowerFogComponent()
{
	PrimaryComponentTick.bCanEverTick = true;
	PrimaryComponentTick.bStartWithTickEnabled = true;
	PrimaryComponentTick.TickGroup = TG_PostUpdateWork;
}

void ULM_GroundFollowerFogComponent::SetTrackingTarget(AActor* InTarget)
{
	TrackingTarget = InTarget;
}

void ULM_GroundFollowerFogComponent::ClearTrackingTarget()
{
	TrackingTarget.Reset();
}

void ULM_GroundFollowerFogComponent::SetHeightOffset(float InHeightOffset)
{
	HeightOffset = FMath::Max(FMath::Min(InHeightOffset, MaxHeightOffset), -MaxHeightOffset);
}

void ULM_GroundFollowerFogComponent::SetHeightClampZ(float InHeightClampZ)
{
	HeightClampZ = InHeightClampZ;
}

void ULM_GroundFollowerFogComponent::SetHeightQueryInterval(float InHeightQueryInterval)
{
	QueryTimeAccumulator = 0.0f;
	HeightQueryInterval = FMath::Max(InHeightQueryInterval, MinHeightQueryInterval);
}
