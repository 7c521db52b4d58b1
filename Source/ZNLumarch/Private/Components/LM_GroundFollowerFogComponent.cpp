#include "Components/LM_GroundFollowerFogComponent.h"
#include "CoreGlobals.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "Fog/LM_GroundFogMath.h"
#include "GameFramework/Actor.h"
#include "GameFramework/Pawn.h"
#include "Kismet/GameplayStatics.h"
#include "Logging/LogMacros.h"
#include "VoxelLayerStack.h"
#include "VoxelMetadata.h"
#include "VoxelQueryBlueprintLibrary.h"
#include "VoxelWorld.h"

namespace
{
	constexpr float MaxHeightOffset = 10000.0f;
	constexpr float MinHeightQueryInterval = 0.01f;

	// The query's gradient step; only the height of the reply is used.
	constexpr float QueryGradientStep = 10.0f;

	const FName GroundHeightSourceTag(TEXT("GroundHeightSource"));
}

ULM_GroundFollowerFogComponent::ULM_GroundFollowerFogComponent()
{
	PrimaryComponentTick.bCanEverTick = true;
	PrimaryComponentTick.bStartWithTickEnabled = true;
	PrimaryComponentTick.TickGroup = TG_PostUpdateWork;
}

void ULM_GroundFollowerFogComponent::AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector)
{
	Super::AddReferencedObjects(InThis, Collector);
	ULM_GroundFollowerFogComponent* This = CastChecked<ULM_GroundFollowerFogComponent>(InThis);
	Collector.AddReferencedObject(This->VoxelHeightLayer.Stack, This);
	Collector.AddReferencedObject(This->VoxelHeightLayer.Layer, This);
}

void ULM_GroundFollowerFogComponent::BeginPlay()
{
	Super::BeginPlay();
	InitVoxelHeightLayer();
	// Hold the placed height until the first reply says where the ground is.
	TargetHeightZ = GetComponentLocation().Z;
}

void ULM_GroundFollowerFogComponent::TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);

	if (!bHeightLayerValid)
	{
		QueryTimeAccumulator += DeltaTime;
		if (QueryTimeAccumulator >= HeightQueryInterval)
		{
			QueryTimeAccumulator = 0.0f;
			InitVoxelHeightLayer();
		}
		return;
	}

	const FVector Location = GetComponentLocation();
	const double NewZ = LM_GroundFog::EaseHeight(Location.Z, TargetHeightZ, DeltaTime);
	SetWorldLocation(FVector(Location.X, Location.Y, NewZ), false, nullptr, ETeleportType::None);

	// The accumulator keeps growing while a query is out, so the next one starts right after its reply.
	QueryTimeAccumulator += DeltaTime;
	if (QueryTimeAccumulator >= HeightQueryInterval && !bHeightQueryInFlight)
	{
		QueryTimeAccumulator = 0.0f;
		StartHeightQuery();
	}
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

void ULM_GroundFollowerFogComponent::InitVoxelHeightLayer()
{
	UWorld* World = GetWorld();
	if (!IsValid(World))
	{
		return;
	}

	AVoxelWorld* VoxelWorld = nullptr;
	for (TActorIterator<AVoxelWorld> It(World); It; ++It)
	{
		if (It->ActorHasTag(GroundHeightSourceTag))
		{
			VoxelWorld = *It;
			break;
		}
	}
	UVoxelLayerStack* Stack = IsValid(VoxelWorld) ? VoxelWorld->LayerStack.Get() : nullptr;
	if (Stack == nullptr || Stack->HeightLayers.IsEmpty())
	{
		UE_LOG(LogTemp, Warning, TEXT("No valid voxel height layer found"));
		return;
	}

	// The last height layer is the finished terrain the others build up to.
	VoxelHeightLayer = FVoxelStackHeightLayer(Stack, Stack->HeightLayers.Last());
	if (!VoxelHeightLayer.IsValid())
	{
		UE_LOG(LogTemp, Warning, TEXT("VoxelHeightLayer is invalid"));
		return;
	}
	bHeightLayerValid = true;
	UE_LOG(LogTemp, Warning, TEXT("GroundFollowerFog bound to VoxelWorld='%s'"), *VoxelWorld->GetFName().ToString());
}

void ULM_GroundFollowerFogComponent::StartHeightQuery()
{
	if (!bHeightLayerValid)
	{
		return;
	}
	UWorld* World = GetWorld();
	if (!IsValid(World))
	{
		return;
	}
	AActor* Target = TrackingTarget.Get();
	if (Target == nullptr)
	{
		Target = UGameplayStatics::GetPlayerPawn(this, 0);
	}
	if (!IsValid(Target))
	{
		return;
	}

	bHeightQueryInFlight = true;
	const TVoxelFuture<TOptional<FVoxelQueryResult>> Future =
		UVoxelQueryBlueprintLibrary::QueryVoxelLayer(World, VoxelHeightLayer, Target->GetActorLocation(), TArray<UVoxelMetadata*>(), QueryGradientStep);
	if (Future.IsComplete() && IsInGameThread())
	{
		ApplyHeightQueryResult(Future.GetValueChecked());
		return;
	}
	// Nothing cancels the query: a reply that outlives the component is dropped.
	TWeakObjectPtr<ULM_GroundFollowerFogComponent> WeakThis(this);
	Future.Then(EVoxelFutureThread::GameThread, [WeakThis](const TOptional<FVoxelQueryResult>& Reply)
	{
		if (ULM_GroundFollowerFogComponent* This = WeakThis.Get())
		{
			This->ApplyHeightQueryResult(Reply);
		}
	});
}

void ULM_GroundFollowerFogComponent::ApplyHeightQueryResult(const TOptional<FVoxelQueryResult>& Reply)
{
	bHeightQueryInFlight = false;
	if (!Reply.IsSet())
	{
		return;
	}
	double NewTarget = 0.0;
	if (LM_GroundFog::ComputeTargetHeight(static_cast<double>(Reply->Value), HeightOffset, HeightClampZ, NewTarget))
	{
		TargetHeightZ = NewTarget;
	}
}
