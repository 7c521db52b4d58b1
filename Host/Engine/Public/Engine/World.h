// A world: its actors, subsystems, clock and tick.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "GameFramework/Actor.h"
#include "World.generated.h"

class UWorldSubsystem;
class UPackage;
class ULevel;
class UMaterialParameterCollection;
class UMaterialParameterCollectionInstance;
class APlayerController;
class FTimerManager;

struct ENGINE_API FActorSpawnParameters
{
	FName Name;
	AActor* Owner = nullptr;
	class APawn* Instigator = nullptr;
	ULevel* OverrideLevel = nullptr;
	ESpawnActorCollisionHandlingMethod SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::Undefined;
	EObjectFlags ObjectFlags = RF_Transactional;
	/** The caller finishes spawning itself (FinishSpawning is not offered by the host; left false). */
	uint8 bDeferConstruction : 1 = false;
	uint8 bNoFail : 1 = false;
};

struct FWorldInitializationValues;
namespace ERHIFeatureLevel
{
	enum Type : int
	{
		ES3_1,
		SM5,
		SM6,
		Num
	};
}

UCLASS()
class ENGINE_API UWorld : public UObject
{
	GENERATED_BODY()

public:
	UWorld();
	virtual ~UWorld() override;

	static UWorld* CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName = NAME_None,
		UPackage* InWorldPackage = nullptr, bool bAddToRoot = true, ERHIFeatureLevel::Type InFeatureLevel = ERHIFeatureLevel::Num,
		const FWorldInitializationValues* InIVS = nullptr, bool bInSkipInitWorld = false);

	TEnumAsByte<EWorldType::Type> WorldType;

	bool IsGameWorld() const;
	bool IsEditorWorld() const;
	bool IsPlayInEditor() const { return WorldType == EWorldType::PIE; }

	/** Creates the world's subsystems (skipped when the world was created with bInSkipInitWorld). */
	void InitWorld();

	template<class T>
	T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return (T*)SpawnActor(T::StaticClass(), nullptr, nullptr, SpawnParameters);
	}
	template<class T>
	T* SpawnActor(UClass* Class, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return Cast<T>(SpawnActor(Class, nullptr, nullptr, SpawnParameters));
	}
	template<class T>
	T* SpawnActor(FVector const& Location, FRotator const& Rotation, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return (T*)SpawnActor(T::StaticClass(), &Location, &Rotation, SpawnParameters);
	}
	template<class T>
	T* SpawnActor(UClass* Class, FVector const& Location, FRotator const& Rotation, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return Cast<T>(SpawnActor(Class, &Location, &Rotation, SpawnParameters));
	}
	AActor* SpawnActor(UClass* Class, FVector const* Location = nullptr, FRotator const* Rotation = nullptr, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters());
	bool DestroyActor(AActor* Actor, bool bNetForce = false, bool bShouldModifyLevel = true);

	/** Starts play: actors spawned before begin now, later ones begin as they are spawned. */
	void BeginPlay();
	bool HasBegunPlay() const { return bBegunPlay; }
	bool AreActorsInitialized() const { return bActorsInitialized; }

	/** Advances the clock, runs the tick functions by group (play worlds only), then end-of-frame work. */
	void Tick(ELevelTick TickType, float DeltaSeconds);

	/** Ends play, destroys every actor and subsystem, and the world itself. */
	void DestroyWorld(bool bInformEngineOfWorld, UWorld* NewWorld = nullptr);

	template<class T>
	T* GetSubsystem() const
	{
		return (T*)GetSubsystemBase(T::StaticClass());
	}
	UWorldSubsystem* GetSubsystemBase(UClass* SubsystemClass) const;
	const TArray<UWorldSubsystem*>& GetSubsystemArray() const { return Subsystems; }

	double GetTimeSeconds() const { return TimeSeconds; }
	double GetRealTimeSeconds() const { return RealTimeSeconds; }
	float GetDeltaSeconds() const { return DeltaTimeSeconds; }
	uint64 GetFrameCounter() const { return FrameCounter; }

	/** Live actors in spawn order (the persistent level's actor list). */
	const TArray<AActor*>& GetActors() const { return Actors; }

	virtual UWorld* GetWorld() const override { return const_cast<UWorld*>(this); }

	/** This world's timers, fired by its tick after the physics groups and before TG_PostUpdateWork. */
	FTimerManager& GetTimerManager() const { return *TimerManager; }

	/** The first player controller spawned into this world that still exists, or null. */
	APlayerController* GetFirstPlayerController() const;

	/** This world's instance of the collection, created on first request; null for a null collection. */
	UMaterialParameterCollectionInstance* GetParameterCollectionInstance(const UMaterialParameterCollection* Collection) const;

private:
	/** This world's parameter collection instances, one per collection asked for. */
	UPROPERTY()
	TArray<TObjectPtr<UMaterialParameterCollectionInstance>> ParameterCollectionInstances;

	void RemoveActor(AActor* Actor);
	/** Runs the listed tick functions of groups FirstGroup to LastGroup, group by group, up to NumToRun of them. */
	void RunTickGroups(float DeltaSeconds, ELevelTick TickType, int32 FirstGroup, int32 LastGroup, int32 NumToRun);

	/** Tick list upkeep, from FTickFunction::UpdateTickListMembership. */
	void AddTickFunction(FTickFunction& Function, UObject* Target);
	void RemoveTickFunction(FTickFunction& Function);
	/** Drops the places of functions removed while the groups were running. */
	void CompactTickList();

	/**
	 * The tick functions that can run, in the order they became able to: kept up to date as
	 * functions register, unregister and are enabled or disabled, as the engine's tick task level
	 * keeps its sets, so a frame only walks this list. A function removed while the groups run
	 * leaves an empty place (the walk goes on by index) until the frame ends.
	 */
	struct FListedTick
	{
		FTickFunction* Function;
		UObject* Target;
	};
	TArray<FListedTick> TickList;
	bool bRunningTickGroups = false;
	bool bTickListHasHoles = false;

	TArray<AActor*> Actors;
	TArray<UWorldSubsystem*> Subsystems;
	/** Owned; created with the world. */
	FTimerManager* TimerManager = nullptr;
	bool bBegunPlay = false;
	bool bActorsInitialized = false;
	bool bIsTearingDown = false;
	double TimeSeconds = 0.0;
	double RealTimeSeconds = 0.0;
	float DeltaTimeSeconds = 0.f;
	uint64 FrameCounter = 0;

	friend class AActor;
	friend class UActorComponent;
	friend struct FTickFunction;
};

/** Engine-wide world events. */
class ENGINE_API FWorldDelegates
{
public:
	DECLARE_MULTICAST_DELEGATE_OneParam(FWorldEvent, UWorld* /*World*/);
	DECLARE_MULTICAST_DELEGATE_ThreeParams(FWorldCleanupEvent, UWorld* /*World*/, bool /*bSessionEnded*/, bool /*bCleanupResources*/);

	/** After a world has been created. */
	static FWorldEvent OnPostWorldCreation;
	/** While a world is being torn down, after its actors have ended play. */
	static FWorldCleanupEvent OnWorldCleanup;
};
