// A component with a transform, attached to a parent, with visibility and mobility.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "SceneComponent.generated.h"

UCLASS(BlueprintType)
class ENGINE_API USceneComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	USceneComponent();

	/** Attaches before registration (constructors); the parent is kept and the child listed under it. */
	void SetupAttachment(USceneComponent* InParent, FName InSocketName = NAME_None);
	bool AttachToComponent(USceneComponent* Parent, FName InSocketName = NAME_None);
	void DetachFromComponent();
	USceneComponent* GetAttachParent() const { return AttachParent; }
	const TArray<TObjectPtr<USceneComponent>>& GetAttachChildren() const { return AttachChildren; }

	void SetRelativeLocation(FVector NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetRelativeRotation(FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetRelativeScale3D(FVector NewScale3D);
	void SetRelativeLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldLocation(FVector NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldRotation(FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	FVector GetRelativeLocation() const { return RelativeLocation; }
	FRotator GetRelativeRotation() const { return RelativeRotation; }
	FVector GetRelativeScale3D() const { return RelativeScale3D; }
	FVector GetComponentLocation() const;
	FRotator GetComponentRotation() const;
	FQuat GetComponentQuat() const;
	FVector GetComponentScale() const;
	FVector GetForwardVector() const;
	FVector GetUpVector() const;

	void SetVisibility(bool bNewVisibility, bool bPropagateToChildren = false);
	virtual bool IsVisible() const { return bVisible; }
	void SetHiddenInGame(bool NewHidden, bool bPropagateToChildren = false);
	bool IsHiddenInGame() const { return bHiddenInGame; }
	bool GetVisibleFlag() const { return bVisible; }

	virtual void SetMobility(EComponentMobility::Type NewMobility);
	bool IsMovable() const { return Mobility == EComponentMobility::Movable; }
	/** Whether setters that the engine guards (lights, sky) may change the component now. */
	bool AreDynamicDataChangesAllowed(bool bIgnoreStationary = true) const;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Mobility")
	TEnumAsByte<EComponentMobility::Type> Mobility;

protected:
	virtual void OnVisibilityChanged() {}
	virtual void OnHiddenInGameChanged() {}
	virtual void OnUpdateTransform() {}
	/** Moving a registered Static component in a game world is refused, as in the engine. */
	bool CheckStaticMobilityAndWarn(const TCHAR* ActionText) const;
	/** A world location in the attach parent's space (there must be a parent). */
	FVector WorldToParentLocation(const FVector& WorldLocation) const;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Transform")
	FVector RelativeLocation;
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Transform")
	FRotator RelativeRotation;
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Transform")
	FVector RelativeScale3D;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Rendering")
	uint8 bVisible : 1;
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Rendering")
	uint8 bHiddenInGame : 1;

private:
	/**
	 * The last relative rotation turned into a quaternion, as the engine's RelativeRotationCache keeps
	 * it, so that world transforms are not rebuilt with trigonometry while the rotation stands still.
	 * (The engine caches the whole component-to-world transform; the host composes it on demand from
	 * these cached parts. Unlike the engine's cache it converts the rotator as given, without
	 * normalising it first, so results are those of converting it afresh.)
	 */
	struct FRelativeRotationCache
	{
		FQuat Get(const FRotator& Rotator) const;

		mutable FRotator CachedRotator = FRotator(0.0, 0.0, 0.0);
		mutable FQuat CachedQuat = FQuat(0.0, 0.0, 0.0, 1.0);
		mutable bool bCached = false;
	};
	FRelativeRotationCache RelativeRotationCache;

	UPROPERTY()
	TObjectPtr<USceneComponent> AttachParent;
	UPROPERTY()
	TArray<TObjectPtr<USceneComponent>> AttachChildren;
};
