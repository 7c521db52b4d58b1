#include "Components/LM_TrackingPostProcessComponent.h"
#include "Camera/PlayerCameraManager.h"
#include "Components/PostProcessComponent.h"
#include "Curves/CurveFloat.h"
#include "Engine/World.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "Kismet/GameplayStatics.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include "TimerManager.h"
#include "Tracking/LM_DepthOfFieldMath.h"

namespace
{
	// Measuring more often than this buys nothing a frame can show.
	constexpr float MinUpdateIntervalSeconds = 0.01f;
}

ULM_TrackingPostProcessComponent::ULM_TrackingPostProcessComponent()
{
	PrimaryComponentTick.bCanEverTick = true;

	PostProcessInternal = CreateDefaultSubobject<UPostProcessComponent>(TEXT("InternalPostProcess"));
	PostProcessInternal->SetupAttachment(this);
}

void ULM_TrackingPostProcessComponent::BeginPlay()
{
	Super::BeginPlay();
	UpdateDistanceToTarget();
	// The first frame is in focus; only later changes are eased.
	DistanceToTarget = TargetDistanceToTarget;
	RefreshTimerState();
	ApplyDoFFromDistance();
}

void ULM_TrackingPostProcessComponent::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	Super::EndPlay(EndPlayReason);
	TrackingTarget.Reset();
	RefreshTimerState();
}

void ULM_TrackingPostProcessComponent::TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);
	EaseDistanceToTarget(DeltaTime);
	ApplyDoFFromDistance();
	UpdateTargetLocationParameter();
}

void ULM_TrackingPostProcessComponent::SetTrackingTarget(AActor* InTarget)
{
	TrackingTarget = InTarget;
	UpdateDistanceToTarget();
	RefreshTimerState();
}

void ULM_TrackingPostProcessComponent::ClearTrackingTarget()
{
	TrackingTarget.Reset();
	DistanceToTarget = 0.0f;
	RefreshTimerState();
}

void ULM_TrackingPostProcessComponent::SetSettings(const FLM_PostProcessDepthOfFieldSettings& InSettings)
{
	Settings = InSettings;
}

AActor* ULM_TrackingPostProcessComponent::ChooseTarget() const
{
	AActor* Target = TrackingTarget.Get();
	if (Target == nullptr)
	{
		Target = UGameplayStatics::GetPlayerPawn(this, 0);
	}
	return IsValid(Target) ? Target : nullptr;
}

bool ULM_TrackingPostProcessComponent::TryGetActiveCameraLocation(FVector& OutLocation) const
{
	const UWorld* World = GetWorld();
	const APlayerController* Controller = World ? World->GetFirstPlayerController() : nullptr;
	const APlayerCameraManager* CameraManager = Controller ? Controller->PlayerCameraManager.Get() : nullptr;
	if (CameraManager == nullptr)
	{
		return false;
	}
	OutLocation = CameraManager->GetCameraLocation();
	return true;
}

void ULM_TrackingPostProcessComponent::UpdateDistanceToTarget()
{
	const AActor* Target = ChooseTarget();
	FVector CameraLocation;
	if (Target == nullptr || !TryGetActiveCameraLocation(CameraLocation))
	{
		TargetDistanceToTarget = 0.0f;
		return;
	}
	TargetDistanceToTarget = static_cast<float>(FVector::Dist(Target->GetActorLocation(), CameraLocation));
}

void ULM_TrackingPostProcessComponent::EaseDistanceToTarget(float DeltaTime)
{
	DistanceToTarget = LM_DepthOfField::EaseTowards(DistanceToTarget, TargetDistanceToTarget, DeltaTime, Settings.DistanceEasingSpeed);
}

void ULM_TrackingPostProcessComponent::ApplyDoFFromDistance()
{
	if (PostProcessInternal == nullptr)
	{
		return;
	}
	float Alpha = LM_DepthOfField::FocalDepthAlpha(DistanceToTarget, Settings.MinFocalDepth, Settings.MaxFocalDepth);
	if (Settings.BlendCurve)
	{
		Alpha = FMath::Clamp(Settings.BlendCurve->GetFloatValue(Alpha), 0.0f, 1.0f);
	}

	FPostProcessSettings& PostProcessSettings = PostProcessInternal->Settings;
	PostProcessSettings.bOverride_DepthOfFieldSensorWidth = true;
	PostProcessSettings.bOverride_DepthOfFieldFocalDistance = true;
	PostProcessSettings.DepthOfFieldSensorWidth = LM_DepthOfField::SensorWidth(Alpha, Settings.MinSensorWidth, Settings.MaxSensorWidth);
	PostProcessSettings.DepthOfFieldFocalDistance = LM_DepthOfField::FocalDistance(DistanceToTarget, Settings.MinFocalDepth);
}

void ULM_TrackingPostProcessComponent::UpdateTargetLocationParameter()
{
	if (!Settings.bOverride_TrackingTargetMPC || Settings.TrackingTargetMPC == nullptr)
	{
		return;
	}
	UWorld* World = GetWorld();
	UMaterialParameterCollectionInstance* Instance = World ? World->GetParameterCollectionInstance(Settings.TrackingTargetMPC) : nullptr;
	if (Instance == nullptr)
	{
		return;
	}

	FLinearColor Value = FLinearColor::Black;
	if (const AActor* Target = ChooseTarget())
	{
		const FVector Location = Target->GetActorLocation();
		Value = FLinearColor(static_cast<float>(Location.X), static_cast<float>(Location.Y), static_cast<float>(Location.Z), 1.0f);
	}
	Instance->SetVectorParameterValue(Settings.TargetPosParameterName, Value);
}

void ULM_TrackingPostProcessComponent::RefreshTimerState()
{
	UWorld* World = GetWorld();
	if (World == nullptr)
	{
		return;
	}
	FTimerManager& TimerManager = World->GetTimerManager();
	if (TimerManager.TimerExists(DistanceTimerHandle))
	{
		TimerManager.ClearTimer(DistanceTimerHandle);
	}
	DistanceTimerHandle.Invalidate();

	// Only an explicit live target is measured on a timer; the fallback pawn is measured at BeginPlay alone.
	if (IsValid(TrackingTarget.Get()))
	{
		const float Interval = FMath::Max(Settings.UpdateIntervalSeconds, MinUpdateIntervalSeconds);
		TimerManager.SetTimer(DistanceTimerHandle, this, &ULM_TrackingPostProcessComponent::UpdateDistanceToTarget, Interval, true, -1.0f);
	}
}
