#include "Components/ActorComponent.h"
#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "Engine/World.h"

FTickFunction::~FTickFunction()
{
	if (ListedInWorld)
	{
		ListedInWorld->RemoveTickFunction(*this);
	}
}

void FTickFunction::SetTickFunctionEnable(bool bInEnabled)
{
	bTickEnabled = bInEnabled;
	UpdateTickListMembership();
}

void FTickFunction::SetTickFunctionRegistered(bool bInRegistered)
{
	bRegistered = bInRegistered;
	UpdateTickListMembership();
}

void FTickFunction::UpdateTickListMembership()
{
	UObject* Target = GetTickTarget();
	UWorld* World = nullptr;
	if (bCanEverTick && bRegistered && bTickEnabled && Target && IsTickTargetInPlay())
	{
		World = Target->GetWorld();
	}
	if (World == ListedInWorld)
	{
		return;
	}
	if (ListedInWorld)
	{
		ListedInWorld->RemoveTickFunction(*this);
	}
	if (World && !World->bIsTearingDown)
	{
		World->AddTickFunction(*this, Target);
	}
}

UObject* FActorTickFunction::GetTickTarget() const
{
	return Target;
}

bool FActorTickFunction::IsTickTargetInPlay() const
{
	return Target && Target->HasActorBegunPlay();
}

UObject* FActorComponentTickFunction::GetTickTarget() const
{
	return Target;
}

bool FActorComponentTickFunction::IsTickTargetInPlay() const
{
	const AActor* Owner = Target ? Target->GetOwner() : nullptr;
	return Target && Target->IsRegistered() && Target->HasBegunPlay() && Owner && Owner->HasActorBegunPlay();
}

void FActorTickFunction::ExecuteTick(float DeltaTime, ELevelTick TickType)
{
	(void)TickType;
	if (IsValid(Target) && !Target->IsActorBeingDestroyed())
	{
		Target->Tick(DeltaTime);
	}
}

void FActorComponentTickFunction::ExecuteTick(float DeltaTime, ELevelTick TickType)
{
	if (IsValid(Target) && Target->IsRegistered() && !Target->IsBeingDestroyed())
	{
		Target->TickComponent(DeltaTime, TickType, this);
	}
}

UActorComponent::UActorComponent()
{
	PrimaryComponentTick.TickGroup = TG_DuringPhysics;
	PrimaryComponentTick.bCanEverTick = false;
	PrimaryComponentTick.bStartWithTickEnabled = true;
	PrimaryComponentTick.Target = this;
	bAutoActivate = false;
}

void UActorComponent::PostInitProperties()
{
	Super::PostInitProperties();
	PrimaryComponentTick.SetTickFunctionEnable(PrimaryComponentTick.bStartWithTickEnabled);
	// The engine lists a component with its owning actor as soon as it exists.
	if (AActor* Owner = GetOwner())
	{
		Owner->AddOwnedComponent(this);
	}
}

AActor* UActorComponent::GetOwner() const
{
	return GetTypedOuter<AActor>();
}

UWorld* UActorComponent::GetWorld() const
{
	if (WorldPrivate)
	{
		return WorldPrivate;
	}
	return Super::GetWorld();
}

void UActorComponent::TickComponent(float, ELevelTick, FActorComponentTickFunction*) {}

void UActorComponent::BeginPlay()
{
	bHasBegunPlay = true;
	PrimaryComponentTick.UpdateTickListMembership();
}

void UActorComponent::EndPlay(const EEndPlayReason::Type)
{
	bHasBegunPlay = false;
	PrimaryComponentTick.UpdateTickListMembership();
}

void UActorComponent::OnRegister() {}
void UActorComponent::OnUnregister() {}

void UActorComponent::RegisterComponent()
{
	AActor* Owner = GetOwner();
	if (UWorld* World = Owner ? Owner->GetWorld() : nullptr)
	{
		RegisterComponentWithWorld(World);
	}
}

void UActorComponent::RegisterComponentWithWorld(UWorld* InWorld)
{
	if (bRegistered || !InWorld || IsBeingDestroyed() || IsGarbage())
	{
		return;
	}
	WorldPrivate = InWorld;
	bRegistered = true;
	OnRegister();
	CreateRenderState_Concurrent(nullptr);
	RegisterTickFunction(true);
	if (!bHasBeenInitialized)
	{
		InitializeComponent();
		bHasBeenInitialized = true;
	}
	// A component registered after its owner began play begins at once, as in the engine.
	AActor* Owner = GetOwner();
	if (Owner && Owner->HasActorBegunPlay() && !bHasBegunPlay)
	{
		BeginPlay();
	}
}

void UActorComponent::UnregisterComponent()
{
	if (!bRegistered)
	{
		return;
	}
	RegisterTickFunction(false);
	DestroyRenderState_Concurrent();
	OnUnregister();
	bRegistered = false;
	WorldPrivate = nullptr;
}

void UActorComponent::DestroyComponent(bool)
{
	if (bIsBeingDestroyed)
	{
		return;
	}
	bIsBeingDestroyed = true;
	if (bHasBegunPlay)
	{
		EndPlay(EEndPlayReason::Destroyed);
	}
	UnregisterComponent();
	if (AActor* Owner = GetOwner())
	{
		Owner->RemoveOwnedComponent(this);
	}
	MarkAsGarbage();
}

void UActorComponent::BeginDestroy()
{
	if (bRegistered)
	{
		UnregisterComponent();
	}
	Super::BeginDestroy();
}

void UActorComponent::MarkRenderStateDirty()
{
	if (bRegistered && bRenderStateCreated)
	{
		++RenderStateDirtyCount;
	}
}

void UActorComponent::RegisterTickFunction(bool bRegister)
{
	if (bRegister)
	{
		if (PrimaryComponentTick.bCanEverTick)
		{
			PrimaryComponentTick.Target = this;
			PrimaryComponentTick.SetTickFunctionRegistered(true);
		}
	}
	else
	{
		PrimaryComponentTick.SetTickFunctionRegistered(false);
	}
}

void UActorComponent::SetComponentTickEnabled(bool bEnabled)
{
	if (PrimaryComponentTick.bCanEverTick)
	{
		PrimaryComponentTick.SetTickFunctionEnable(bEnabled);
	}
}

bool UActorComponent::IsComponentTickEnabled() const
{
	return PrimaryComponentTick.bCanEverTick && PrimaryComponentTick.IsTickFunctionEnabled();
}

void UActorComponent::SetComponentTickInterval(float TickInterval)
{
	PrimaryComponentTick.TickInterval = TickInterval;
}
