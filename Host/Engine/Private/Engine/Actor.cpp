#include "GameFramework/Actor.h"
#include "Components/ActorComponent.h"
#include "Engine/World.h"
#include "UObject/UnrealType.h"

AActor::AActor()
{
	PrimaryActorTick.TickGroup = TG_PrePhysics;
	PrimaryActorTick.bCanEverTick = false;
	PrimaryActorTick.bStartWithTickEnabled = true;
	PrimaryActorTick.Target = this;
	bHidden = false;
}

UWorld* AActor::GetWorld() const
{
	return HasAnyFlags(RF_ClassDefaultObject) ? nullptr : Super::GetWorld();
}

void AActor::Tick(float) {}

void AActor::BeginPlay()
{
	bActorHasBegunPlay = true;
	PrimaryActorTick.SetTickFunctionEnable(PrimaryActorTick.bStartWithTickEnabled && PrimaryActorTick.IsTickFunctionEnabled());
	PrimaryActorTick.SetTickFunctionRegistered(PrimaryActorTick.bCanEverTick);
	// Components begin after the actor's own start-up, inside the actor's BeginPlay as in the engine.
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (Component->IsRegistered() && !Component->HasBegunPlay())
		{
			Component->BeginPlay();
		}
	}
}

void AActor::DispatchBeginPlay()
{
	UWorld* World = GetWorld();
	if (World && !bActorHasBegunPlay && !bActorIsBeingDestroyed)
	{
		BeginPlay();
	}
}

void AActor::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	if (!bActorHasBegunPlay)
	{
		return;
	}
	bActorHasBegunPlay = false;
	PrimaryActorTick.SetTickFunctionRegistered(false);
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (Component->HasBegunPlay())
		{
			Component->EndPlay(EndPlayReason);
		}
	}
}

void AActor::PostRegisterAllComponents() {}

#if WITH_EDITOR
void AActor::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	Super::PostEditChangeProperty(PropertyChangedEvent);
}

void AActor::PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent)
{
	Super::PostEditChangeChainProperty(PropertyChangedEvent);
}
#endif

bool AActor::SetRootComponent(USceneComponent* NewRootComponent)
{
	if (NewRootComponent == nullptr || NewRootComponent->GetOwner() == this)
	{
		RootComponent = NewRootComponent;
		return true;
	}
	return false;
}

FVector AActor::GetActorLocation() const
{
	return RootComponent ? RootComponent->GetComponentLocation() : FVector::ZeroVector;
}

FRotator AActor::GetActorRotation() const
{
	return RootComponent ? RootComponent->GetComponentRotation() : FRotator::ZeroRotator;
}

bool AActor::SetActorLocation(const FVector& NewLocation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	RootComponent->SetWorldLocation(NewLocation, bSweep, OutSweepHitResult, Teleport);
	return true;
}

bool AActor::SetActorRotation(FRotator NewRotation, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	RootComponent->SetWorldRotation(NewRotation, false, nullptr, Teleport);
	return true;
}

bool AActor::SetActorLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	RootComponent->SetWorldLocationAndRotation(NewLocation, NewRotation, bSweep, OutSweepHitResult, Teleport);
	return true;
}

void AActor::GetComponents(TArray<UActorComponent*>& OutComponents, bool) const
{
	OutComponents.Reset();
	for (UActorComponent* Component : OwnedComponents)
	{
		if (Component)
		{
			OutComponents.Add(Component);
		}
	}
}

UActorComponent* AActor::FindComponentByClass(const TSubclassOf<UActorComponent> ComponentClass) const
{
	UClass* Class = ComponentClass;
	for (UActorComponent* Component : OwnedComponents)
	{
		if (Component && Class && Component->IsA(Class))
		{
			return Component;
		}
	}
	return nullptr;
}

void AActor::AddOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.AddUnique(Component);
}

void AActor::RemoveOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.Remove(Component);
}

void AActor::RegisterAllComponents()
{
	UWorld* World = GetWorld();
	if (!World)
	{
		return;
	}
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		Component->RegisterComponentWithWorld(World);
	}
	PostRegisterAllComponents();
}

void AActor::BeginDestroy()
{
	// An actor collected without Destroy (marked as garbage directly) must still leave its world,
	// or the world would tick and tear down freed memory.
	if (UWorld* World = GetWorld())
	{
		World->RemoveActor(this);
	}
	Super::BeginDestroy();
}

void AActor::UnregisterAllComponents()
{
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		Component->UnregisterComponent();
	}
}

void AActor::SetActorTickEnabled(bool bEnabled)
{
	if (PrimaryActorTick.bCanEverTick)
	{
		PrimaryActorTick.SetTickFunctionEnable(bEnabled);
	}
}

bool AActor::Destroy(bool, bool)
{
	if (bActorIsBeingDestroyed)
	{
		return true;
	}
	UWorld* World = GetWorld();
	bActorIsBeingDestroyed = true;
	if (bActorHasBegunPlay)
	{
		EndPlay(EEndPlayReason::Destroyed);
	}
	UnregisterAllComponents();
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		Component->bIsBeingDestroyed = true;
		Component->MarkAsGarbage();
	}
	MarkAsGarbage();
	if (World)
	{
		World->RemoveActor(this);
	}
	return true;
}
