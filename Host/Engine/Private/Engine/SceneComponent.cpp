#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "Engine/World.h"
#include "Logging/LogMacros.h"

#include <cstring>

USceneComponent::USceneComponent()
{
	Mobility = EComponentMobility::Movable;
	RelativeLocation = FVector::ZeroVector;
	RelativeRotation = FRotator::ZeroRotator;
	RelativeScale3D = FVector(1.0, 1.0, 1.0);
	bVisible = true;
	bHiddenInGame = false;
}

void USceneComponent::SetupAttachment(USceneComponent* InParent, FName InSocketName)
{
	(void)InSocketName;
	if (InParent == this || IsRegistered())
	{
		return;
	}
	AttachToComponent(InParent);
}

bool USceneComponent::AttachToComponent(USceneComponent* Parent, FName InSocketName)
{
	(void)InSocketName;
	if (Parent == this)
	{
		return false;
	}
	DetachFromComponent();
	AttachParent = Parent;
	if (Parent)
	{
		Parent->AttachChildren.AddUnique(this);
	}
	return true;
}

void USceneComponent::DetachFromComponent()
{
	if (AttachParent)
	{
		AttachParent->AttachChildren.Remove(this);
		AttachParent = nullptr;
	}
}

bool USceneComponent::CheckStaticMobilityAndWarn(const TCHAR* ActionText) const
{
	const UWorld* World = GetWorld();
	if (IsRegistered() && Mobility == EComponentMobility::Static && World && World->IsGameWorld())
	{
		UE_LOG(LogTemp, Warning, TEXT("Mobility of %s : %s has to be 'Movable' if you'd like to %s. "), GetOwner() ? *GetOwner()->GetName() : TEXT("None"), *GetName(), ActionText);
		return true;
	}
	return false;
}

void USceneComponent::SetRelativeLocation(FVector NewLocation, bool, FHitResult*, ETeleportType)
{
	SetRelativeLocationAndRotation(NewLocation, RelativeRotation);
}

void USceneComponent::SetRelativeRotation(FRotator NewRotation, bool, FHitResult*, ETeleportType)
{
	SetRelativeLocationAndRotation(RelativeLocation, NewRotation);
}

void USceneComponent::SetRelativeLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool, FHitResult*, ETeleportType)
{
	if (NewLocation == RelativeLocation && NewRotation == RelativeRotation)
	{
		return;
	}
	if (CheckStaticMobilityAndWarn(TEXT("move")))
	{
		return;
	}
	RelativeLocation = NewLocation;
	RelativeRotation = NewRotation;
	OnUpdateTransform();
}

void USceneComponent::SetRelativeScale3D(FVector NewScale3D)
{
	if (NewScale3D == RelativeScale3D || CheckStaticMobilityAndWarn(TEXT("scale")))
	{
		return;
	}
	RelativeScale3D = NewScale3D;
	OnUpdateTransform();
}

void USceneComponent::SetWorldLocation(FVector NewLocation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	// As in the engine, only the location is carried into the parent's space; the relative rotation stays as set.
	FVector NewRelativeLocation = NewLocation;
	if (AttachParent)
	{
		NewRelativeLocation = WorldToParentLocation(NewLocation);
	}
	SetRelativeLocation(NewRelativeLocation, bSweep, OutSweepHitResult, Teleport);
}

FVector USceneComponent::WorldToParentLocation(const FVector& WorldLocation) const
{
	const FQuat ParentQuat = AttachParent->GetComponentQuat();
	const FVector ParentScale = AttachParent->GetComponentScale();
	const FVector Local = ParentQuat.UnrotateVector(WorldLocation - AttachParent->GetComponentLocation());
	const FVector SafeScale(ParentScale.X != 0 ? ParentScale.X : 1.0, ParentScale.Y != 0 ? ParentScale.Y : 1.0, ParentScale.Z != 0 ? ParentScale.Z : 1.0);
	return FVector(Local.X / SafeScale.X, Local.Y / SafeScale.Y, Local.Z / SafeScale.Z);
}

FQuat USceneComponent::FRelativeRotationCache::Get(const FRotator& Rotator) const
{
	// Compared bit for bit: -0 and +0 turn into quaternions that differ in sign.
	if (!bCached || std::memcmp(&Rotator, &CachedRotator, sizeof(FRotator)) != 0)
	{
		CachedRotator = Rotator;
		CachedQuat = FQuat(Rotator);
		bCached = true;
	}
	return CachedQuat;
}

void USceneComponent::SetWorldRotation(FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	SetWorldLocationAndRotation(GetComponentLocation(), NewRotation, bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!AttachParent)
	{
		SetRelativeLocationAndRotation(NewLocation, NewRotation, bSweep, OutSweepHitResult, Teleport);
		return;
	}
	// Express the world transform in the parent's space.
	const FQuat ParentQuat = AttachParent->GetComponentQuat();
	const FQuat LocalQuat = ParentQuat.Inverse() * FQuat(NewRotation);
	SetRelativeLocationAndRotation(WorldToParentLocation(NewLocation), LocalQuat.Rotator(), bSweep, OutSweepHitResult, Teleport);
}

FVector USceneComponent::GetComponentLocation() const
{
	if (!AttachParent)
	{
		return RelativeLocation;
	}
	const FVector ParentScale = AttachParent->GetComponentScale();
	const FVector Scaled(RelativeLocation.X * ParentScale.X, RelativeLocation.Y * ParentScale.Y, RelativeLocation.Z * ParentScale.Z);
	return AttachParent->GetComponentLocation() + AttachParent->GetComponentQuat().RotateVector(Scaled);
}

FQuat USceneComponent::GetComponentQuat() const
{
	const FQuat Relative = RelativeRotationCache.Get(RelativeRotation);
	return AttachParent ? AttachParent->GetComponentQuat() * Relative : Relative;
}

FRotator USceneComponent::GetComponentRotation() const
{
	// Unattached components keep the rotator as set (the engine caches it the same way).
	return AttachParent ? GetComponentQuat().Rotator() : RelativeRotation;
}

FVector USceneComponent::GetComponentScale() const
{
	if (!AttachParent)
	{
		return RelativeScale3D;
	}
	const FVector ParentScale = AttachParent->GetComponentScale();
	return FVector(RelativeScale3D.X * ParentScale.X, RelativeScale3D.Y * ParentScale.Y, RelativeScale3D.Z * ParentScale.Z);
}

FVector USceneComponent::GetForwardVector() const
{
	return GetComponentQuat().RotateVector(FVector(1.0, 0.0, 0.0));
}

FVector USceneComponent::GetUpVector() const
{
	return GetComponentQuat().RotateVector(FVector(0.0, 0.0, 1.0));
}

void USceneComponent::SetVisibility(bool bNewVisibility, bool bPropagateToChildren)
{
	if (bVisible != bNewVisibility)
	{
		bVisible = bNewVisibility;
		OnVisibilityChanged();
		MarkRenderStateDirty();
	}
	if (bPropagateToChildren)
	{
		for (USceneComponent* Child : AttachChildren)
		{
			if (Child)
			{
				Child->SetVisibility(bNewVisibility, true);
			}
		}
	}
}

void USceneComponent::SetHiddenInGame(bool NewHidden, bool bPropagateToChildren)
{
	if (bHiddenInGame != NewHidden)
	{
		bHiddenInGame = NewHidden;
		OnHiddenInGameChanged();
		MarkRenderStateDirty();
	}
	if (bPropagateToChildren)
	{
		for (USceneComponent* Child : AttachChildren)
		{
			if (Child)
			{
				Child->SetHiddenInGame(NewHidden, true);
			}
		}
	}
}

void USceneComponent::SetMobility(EComponentMobility::Type NewMobility)
{
	if (NewMobility != Mobility)
	{
		Mobility = NewMobility;
		MarkRenderStateDirty();
	}
}

bool USceneComponent::AreDynamicDataChangesAllowed(bool bIgnoreStationary) const
{
	return IsOwnerRunningUserConstructionScript() ||
		!(IsRegistered() && (Mobility == EComponentMobility::Static || (!bIgnoreStationary && Mobility == EComponentMobility::Stationary)));
}
