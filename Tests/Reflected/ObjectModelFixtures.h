// Types that exercise the object model and reflection the way plug-in types do.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "Subsystems/WorldSubsystem.h"
#include "Templates/Function.h"
#include "ObjectModelFixtures.generated.h"

UENUM(BlueprintType)
enum class EFixtureMode : uint8
{
	First UMETA(DisplayName = "First Mode"),
	Second,
	Third = 7
};

USTRUCT(BlueprintType)
struct FFixtureToggles
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, meta = (InlineEditConditionToggle))
	uint8 bOverride_Alpha : 1;

	UPROPERTY(EditAnywhere, meta = (InlineEditConditionToggle))
	uint8 bOverride_Beta : 1;

	UPROPERTY(EditAnywhere, meta = (InlineEditConditionToggle))
	uint8 bOverride_Gamma : 1;

	/** Alpha value. */
	UPROPERTY(EditAnywhere, Category = "Fixture", meta = (EditCondition = "bOverride_Alpha", ClampMin = "0.0", ClampMax = "10.0", UIMax = "2.0"))
	float Alpha = 1.f;

	UPROPERTY(EditAnywhere, Category = "Fixture", meta = (EditCondition = "bOverride_Beta"))
	FLinearColor Beta = FLinearColor(0.5f, 0.25f, 1.f, 1.f);

	UPROPERTY(EditAnywhere, Category = "Fixture")
	TObjectPtr<UObject> Held;

	FFixtureToggles()
		: bOverride_Alpha(false), bOverride_Beta(true), bOverride_Gamma(false)
	{
	}
};

UCLASS(BlueprintType)
class UFixtureObject : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(EditAnywhere, Category = "Fixture")
	TObjectPtr<UObject> Reference;

	UPROPERTY(EditAnywhere, Category = "Fixture")
	TArray<TObjectPtr<UObject>> References;

	UPROPERTY(EditAnywhere, Category = "Fixture")
	FFixtureToggles Toggles;

	UPROPERTY(Transient)
	TWeakObjectPtr<UObject> Weak;

	UPROPERTY(EditAnywhere, Category = "Fixture")
	EFixtureMode Mode = EFixtureMode::Second;

	UPROPERTY(EditAnywhere, Category = "Fixture")
	TArray<FName> Names;

	int32 PostInitCount = 0;
	virtual void PostInitProperties() override
	{
		Super::PostInitProperties();
		++PostInitCount;
	}

	UFUNCTION(BlueprintPure, Category = "Fixture")
	float Scaled(float Factor, int32& OutCount) const;

	UPROPERTY(VisibleAnywhere, Category = "Fixture")
	int32 ReadOnlyCount = 0;

	UPROPERTY(EditAnywhere, Category = "Fixture")
	bool bGateOpen = true;

	UPROPERTY(EditAnywhere, Category = "Fixture", meta = (EditCondition = "Mode == EFixtureMode::Third && (Hidden > 2 || !bGateOpen)"))
	float GatedByMode = 0.f;

	/** What the editor announced, in order: "Chain:<member>/<innermost>:<head>..<tail>:<type>" and "Property:<member>/<innermost>". */
	TArray<FString> EditJournal;

#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& Event) override;
	virtual void PostEditChangeChainProperty(FPropertyChangedChainEvent& Event) override;
#endif

protected:
	UPROPERTY(EditAnywhere, Category = "Fixture")
	float Hidden = 3.f;
};

/** Records the order of everything the engine calls on it. */
UCLASS()
class UFixtureTickingComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	UFixtureTickingComponent();
	virtual void TickComponent(float DeltaTime, enum ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;
	virtual void BeginPlay() override;
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason) override;

	TArray<FString>* Journal = nullptr;
	int32 TickCount = 0;
	float LastDelta = 0.f;

protected:
	virtual void OnRegister() override;
};

UCLASS()
class AFixtureActor : public AActor
{
	GENERATED_BODY()

public:
	AFixtureActor();
	virtual void Tick(float DeltaSeconds) override;
	virtual void PostRegisterAllComponents() override;
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason) override;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<UFixtureTickingComponent> Ticker;

	/** Shared journal of calls, in order (the test owns it). */
	static TArray<FString>& SharedJournal();

	int32 TickCount = 0;
	int32 RegisterAllCount = 0;
	/** Run at the end of each tick, so a test can change the world in the middle of a frame. */
	TFunction<void()> TickHook;
	TArray<EEndPlayReason::Type> EndPlayReasons;

protected:
	virtual void BeginPlay() override;
};

UCLASS()
class UFixtureWorldSubsystem : public UWorldSubsystem
{
	GENERATED_BODY()

public:
	int32 InitializeCount = 0;
	int32 BeginPlayCount = 0;
	virtual void Initialize(FSubsystemCollectionBase& Collection) override
	{
		Super::Initialize(Collection);
		++InitializeCount;
	}
	virtual void OnWorldBeginPlay(UWorld& InWorld) override
	{
		Super::OnWorldBeginPlay(InWorld);
		++BeginPlayCount;
	}

protected:
	virtual bool DoesSupportWorldType(const EWorldType::Type WorldType) const override { return WorldType == EWorldType::Game; }
};
