// The world: spawning, play, the frame (clock, ticks by group) and tear-down.
#include "Engine/World.h"
#include "TimerManager.h"
#include "Async/Async.h"
#include "GameFramework/PlayerController.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/Package.h"
#include "Templates/Casts.h"
#include "Modules/ModuleManager.h"
#include "CoreGlobals.h"
#include "Misc/CoreDelegates.h"

FWorldDelegates::FWorldEvent FWorldDelegates::OnPostWorldCreation;
FWorldDelegates::FWorldCleanupEvent FWorldDelegates::OnWorldCleanup;

UWorld::UWorld()
	: TimerManager(new FTimerManager())
{
	WorldType = EWorldType::None;
}

UWorld::~UWorld()
{
	for (const FListedTick& Entry : TickList)
	{
		if (Entry.Function)
		{
			Entry.Function->ListedInWorld = nullptr;
		}
	}
	delete TimerManager;
}

APlayerController* UWorld::GetFirstPlayerController() const
{
	for (AActor* Actor : Actors)
	{
		if (APlayerController* Controller = Cast<APlayerController>(Actor); IsValid(Controller))
		{
			return Controller;
		}
	}
	return nullptr;
}

UWorld* UWorld::CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName, UPackage* InWorldPackage, bool bAddToRoot,
	ERHIFeatureLevel::Type InFeatureLevel, const FWorldInitializationValues* InIVS, bool bInSkipInitWorld)
{
	(void)bInformEngineOfWorld;
	(void)InFeatureLevel;
	(void)InIVS;
	// Modules start before the first world exists, as they do when the engine boots.
	FModuleManager::LoadModulesForHostStartup();
	UObject* Outer = InWorldPackage ? (UObject*)InWorldPackage : (UObject*)GetTransientPackage();
	UWorld* World = NewObject<UWorld>(Outer, WorldName.IsNone() ? MakeUniqueObjectName(Outer, UWorld::StaticClass(), FName(TEXT("Untitled"))) : WorldName);
	World->WorldType = InWorldType;
	if (bAddToRoot)
	{
		World->AddToRoot();
	}
	if (!bInSkipInitWorld)
	{
		World->InitWorld();
	}
	FWorldDelegates::OnPostWorldCreation.Broadcast(World);
	return World;
}

bool UWorld::IsGameWorld() const
{
	return WorldType == EWorldType::Game || WorldType == EWorldType::PIE || WorldType == EWorldType::GamePreview || WorldType == EWorldType::GameRPC;
}

bool UWorld::IsEditorWorld() const
{
	return WorldType == EWorldType::Editor || WorldType == EWorldType::EditorPreview || WorldType == EWorldType::PIE;
}

void UWorld::InitWorld()
{
	if (!Subsystems.IsEmpty())
	{
		return;
	}
	TArray<UClass*> SubsystemClasses;
	GetDerivedClasses(UWorldSubsystem::StaticClass(), SubsystemClasses);
	FSubsystemCollectionBase Collection;
	Collection.Outer = this;
	for (UClass* Class : SubsystemClasses)
	{
		if (Class->HasAnyClassFlags(CLASS_Abstract))
		{
			continue;
		}
		const USubsystem* Default = Class->GetDefaultObject<USubsystem>();
		if (Default && Default->ShouldCreateSubsystem(this) && !GetSubsystemBase(Class))
		{
			UWorldSubsystem* Subsystem = NewObject<UWorldSubsystem>(this, Class);
			Subsystems.Add(Subsystem);
			Subsystem->Initialize(Collection);
		}
	}
	for (UWorldSubsystem* Subsystem : Subsystems)
	{
		Subsystem->PostInitialize();
	}
}

USubsystem* FSubsystemCollectionBase::InitializeDependency(UClass* SubsystemClass)
{
	UWorld* World = Cast<UWorld>(Outer);
	return World ? World->GetSubsystemBase(SubsystemClass) : nullptr;
}

UWorldSubsystem* UWorld::GetSubsystemBase(UClass* SubsystemClass) const
{
	for (UWorldSubsystem* Subsystem : Subsystems)
	{
		if (Subsystem->GetClass() == SubsystemClass)
		{
			return Subsystem;
		}
	}
	for (UWorldSubsystem* Subsystem : Subsystems)
	{
		if (Subsystem->IsA(SubsystemClass))
		{
			return Subsystem;
		}
	}
	return nullptr;
}

AActor* UWorld::SpawnActor(UClass* Class, FVector const* Location, FRotator const* Rotation, const FActorSpawnParameters& SpawnParameters)
{
	if (!Class || !Class->IsChildOf(AActor::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract) || bIsTearingDown)
	{
		return nullptr;
	}
	AActor* Actor = NewObject<AActor>(this, Class, SpawnParameters.Name, SpawnParameters.ObjectFlags);
	Actor->SetOwner(SpawnParameters.Owner);
	if (USceneComponent* Root = Actor->GetRootComponent())
	{
		Root->SetWorldLocationAndRotation(Location ? *Location : Root->GetComponentLocation(), Rotation ? *Rotation : Root->GetComponentRotation());
	}
	Actors.Add(Actor);
	Actor->RegisterAllComponents();
	Actor->PostInitializeComponents();
	Actor->bActorInitialized = true;
	if (bBegunPlay)
	{
		Actor->DispatchBeginPlay();
	}
	return Actor;
}

bool UWorld::DestroyActor(AActor* Actor, bool bNetForce, bool bShouldModifyLevel)
{
	return Actor && Actor->Destroy(bNetForce, bShouldModifyLevel);
}

void UWorld::RemoveActor(AActor* Actor)
{
	Actors.Remove(Actor);
}

void UWorld::BeginPlay()
{
	if (bBegunPlay)
	{
		return;
	}
	bBegunPlay = true;
	bActorsInitialized = true;
	for (UWorldSubsystem* Subsystem : Subsystems)
	{
		Subsystem->OnWorldBeginPlay(*this);
	}
	TArray<AActor*> ActorsToBegin = Actors;
	for (AActor* Actor : ActorsToBegin)
	{
		if (IsValid(Actor))
		{
			Actor->DispatchBeginPlay();
		}
	}
}

namespace
{
	bool ShouldRun(FTickFunction& Function, float DeltaSeconds, float& OutDelta)
	{
		if (!Function.bCanEverTick || !Function.IsTickFunctionRegistered() || !Function.IsTickFunctionEnabled())
		{
			return false;
		}
		if (Function.TickInterval <= 0.f)
		{
			OutDelta = DeltaSeconds;
			return true;
		}
		// With an interval, the function runs once enough time has gathered and is given all of it.
		Function.AccumulatedTime += DeltaSeconds;
		if (Function.AccumulatedTime < Function.TickInterval)
		{
			return false;
		}
		OutDelta = Function.AccumulatedTime;
		Function.AccumulatedTime = 0.f;
		return true;
	}
}

void UWorld::AddTickFunction(FTickFunction& Function, UObject* Target)
{
	TickList.Add({ &Function, Target });
	Function.ListedInWorld = this;
}

void UWorld::RemoveTickFunction(FTickFunction& Function)
{
	Function.ListedInWorld = nullptr;
	for (int32 Index = 0; Index < TickList.Num(); ++Index)
	{
		if (TickList[Index].Function == &Function)
		{
			if (bRunningTickGroups)
			{
				// The groups walk the list by index: leave the place, drop it when the frame ends.
				TickList[Index] = { nullptr, nullptr };
				bTickListHasHoles = true;
			}
			else
			{
				TickList.RemoveAt(Index);
			}
			return;
		}
	}
}

void UWorld::CompactTickList()
{
	if (bTickListHasHoles)
	{
		TickList.RemoveAll([](const FListedTick& Entry) { return Entry.Function == nullptr; });
		bTickListHasHoles = false;
	}
}

void UWorld::RunTickGroups(float DeltaSeconds, ELevelTick TickType, int32 FirstGroup, int32 LastGroup, int32 NumToRun)
{
	// Group by group, in list order within a group (a sort would allocate every frame). Functions
	// listed during the frame wait for the next one, as in the engine, whose frame runs what was
	// queued when it started.
	// Groups nobody ticks in are skipped; a group changed by a tick of this frame counts from the next call.
	uint32 GroupsInUse = 0;
	for (int32 Index = 0; Index < NumToRun; ++Index)
	{
		if (const FTickFunction* Function = TickList[Index].Function)
		{
			GroupsInUse |= 1u << ((int32)Function->TickGroup & 31);
		}
	}
	for (int32 Group = FirstGroup; Group <= LastGroup; ++Group)
	{
		if ((GroupsInUse & (1u << Group)) == 0)
		{
			continue;
		}
		for (int32 Index = 0; Index < NumToRun; ++Index)
		{
			const FListedTick Entry = TickList[Index];
			// A tick earlier this frame may have destroyed the target.
			float Delta = 0.f;
			if (Entry.Function && (int32)Entry.Function->TickGroup == Group && IsValid(Entry.Target)
				&& ShouldRun(*Entry.Function, DeltaSeconds, Delta))
			{
				Entry.Function->ExecuteTick(Delta, TickType);
			}
		}
	}
}

void UWorld::Tick(ELevelTick TickType, float DeltaSeconds)
{
	if (bIsTearingDown)
	{
		return;
	}
	DeltaTimeSeconds = DeltaSeconds;
	TimeSeconds += DeltaSeconds;
	RealTimeSeconds += DeltaSeconds;
	++FrameCounter;
	++GFrameCounter;
	FCoreDelegates::OnBeginFrame.Broadcast();
	// Work handed to the game thread (replies of asynchronous queries, for one) runs at the frame's start.
	UE::Host::ProcessGameThreadTasks();
	if (TickType == LEVELTICK_TimeOnly)
	{
		return;
	}
	// Editor worlds do not tick actors; play worlds tick once play has begun. Timers run in both, as
	// in the engine, between the physics groups and TG_PostUpdateWork.
	const bool bTickActors = IsGameWorld() && bBegunPlay;
	const int32 NumToRun = bTickActors ? TickList.Num() : 0;
	bRunningTickGroups = true;
	RunTickGroups(DeltaSeconds, TickType, TG_PrePhysics, TG_PostPhysics, NumToRun);
	TimerManager->Tick(DeltaSeconds);
	RunTickGroups(DeltaSeconds, TickType, TG_PostUpdateWork, TG_MAX - 1, NumToRun);
	bRunningTickGroups = false;
	CompactTickList();
}

void UWorld::DestroyWorld(bool bInformEngineOfWorld, UWorld* NewWorld)
{
	(void)bInformEngineOfWorld;
	(void)NewWorld;
	if (bIsTearingDown)
	{
		return;
	}
	TArray<AActor*> ActorsToEnd = Actors;
	for (AActor* Actor : ActorsToEnd)
	{
		if (IsValid(Actor) && Actor->HasActorBegunPlay())
		{
			Actor->EndPlay(EEndPlayReason::LevelTransition);
		}
	}
	bIsTearingDown = true;
	FWorldDelegates::OnWorldCleanup.Broadcast(this, true, true);
	for (AActor* Actor : ActorsToEnd)
	{
		Actor->UnregisterAllComponents();
		Actor->MarkAsGarbage();
	}
	Actors.Reset();
	for (const FListedTick& Entry : TickList)
	{
		if (Entry.Function)
		{
			Entry.Function->ListedInWorld = nullptr;
		}
	}
	TickList.Reset();
	for (UWorldSubsystem* Subsystem : Subsystems)
	{
		Subsystem->Deinitialize();
		Subsystem->MarkAsGarbage();
	}
	Subsystems.Reset();
	RemoveFromRoot();
	MarkAsGarbage();
	CollectGarbage();
}
