// An actor: a set of components placed in a world, with play and tick.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "Components/SceneComponent.h"
#include "Actor.generated.h"

class UWorld;
class UActorComponent;
struct FPropertyChangedEvent;

UCLASS(BlueprintType, Blueprintable)
class ENGINE_API AActor : public UObject
{
	GENERATED_BODY()

public:
	AActor();

	/** Ticks only when bCanEverTick; in TG_PrePhysics, before components. */
	FActorTickFunction PrimaryActorTick;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Actor")
	TArray<FName> Tags;

	virtual void Tick(float DeltaSeconds);
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason);
	/** After every component of the actor is registered (spawn, level load, editor re-registration). */
	virtual void PostRegisterAllComponents();
	virtual void PostInitializeComponents() {}
	virtual void OnConstruction(const FTransform& Transform) { (void)Transform; }
#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
	virtual void PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent) override;
#endif
	virtual UWorld* GetWorld() const override;
	virtual void BeginDestroy() override;

	USceneComponent* GetRootComponent() const { return RootComponent; }
	bool SetRootComponent(USceneComponent* NewRootComponent);
	FVector GetActorLocation() const;
	FRotator GetActorRotation() const;
	bool SetActorLocation(const FVector& NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	bool SetActorRotation(FRotator NewRotation, ETeleportType Teleport = ETeleportType::None);
	bool SetActorLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	/** Every component this actor owns, in creation order. */
	void GetComponents(TArray<UActorComponent*>& OutComponents, bool bIncludeFromChildActors = false) const;
	template<class T>
	void GetComponents(TArray<T*>& OutComponents, bool bIncludeFromChildActors = false) const
	{
		(void)bIncludeFromChildActors;
		OutComponents.Reset();
		for (UActorComponent* Component : OwnedComponents)
		{
			if (T* Typed = Cast<T>(Component))
			{
				OutComponents.Add(Typed);
			}
		}
	}
	UActorComponent* FindComponentByClass(const TSubclassOf<UActorComponent> ComponentClass) const;
	template<class T>
	T* FindComponentByClass() const
	{
		return static_cast<T*>(FindComponentByClass(T::StaticClass()));
	}
	void AddOwnedComponent(UActorComponent* Component);
	void RemoveOwnedComponent(UActorComponent* Component);

	/** Registers every owned component with the world, then PostRegisterAllComponents. */
	void RegisterAllComponents();
	void UnregisterAllComponents();
	/** Starts play: BeginPlay on the actor, which starts its components. */
	void DispatchBeginPlay();

	bool Destroy(bool bNetForce = false, bool bShouldModifyLevel = true);
	bool IsActorBeingDestroyed() const { return bActorIsBeingDestroyed; }
	bool HasActorBegunPlay() const { return bActorHasBegunPlay; }
	bool IsActorInitialized() const { return bActorInitialized; }
	bool ActorHasTag(FName Tag) const { return Tag != NAME_None && Tags.Contains(Tag); }
	void SetActorTickEnabled(bool bEnabled);
	bool IsActorTickEnabled() const { return PrimaryActorTick.IsTickFunctionEnabled(); }
	void SetActorTickInterval(float TickInterval) { PrimaryActorTick.TickInterval = TickInterval; }
	void SetActorHiddenInGame(bool bNewHidden) { bHidden = bNewHidden; }
	bool IsHidden() const { return bHidden; }

	AActor* GetOwner() const { return Owner; }
	void SetOwner(AActor* NewOwner) { Owner = NewOwner; }

protected:
	virtual void BeginPlay();

	UPROPERTY(BlueprintReadOnly, Category = "Actor")
	TObjectPtr<USceneComponent> RootComponent;

private:
	UPROPERTY()
	TArray<TObjectPtr<UActorComponent>> OwnedComponents;
	UPROPERTY()
	TObjectPtr<AActor> Owner;

	uint8 bHidden : 1;
	bool bActorHasBegunPlay = false;
	bool bActorIsBeingDestroyed = false;
	bool bActorInitialized = false;

	friend class UWorld;
};
