// Tick types: how often and in which group actors and components tick.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "Containers/EnumAsByte.h"

class AActor;
class UActorComponent;
class UWorld;

enum ELevelTick
{
	LEVELTICK_TimeOnly = 0,
	LEVELTICK_ViewportsOnly = 1,
	LEVELTICK_All = 2,
	LEVELTICK_PauseTick = 3,
};

enum ETickingGroup : int
{
	TG_PrePhysics,
	TG_StartPhysics,
	TG_DuringPhysics,
	TG_EndPhysics,
	TG_PostPhysics,
	TG_PostUpdateWork,
	TG_LastDemotable,
	TG_NewlySpawned,
	TG_MAX,
};

/**
 * A tick function; the world runs the registered, enabled ones by group every frame.
 *
 * As the engine's tick task manager does, the world keeps a list of the functions that can run,
 * changed when a function registers, unregisters or is enabled or disabled (and when its target
 * enters or leaves play), rather than gathered from every actor and component each frame. The
 * group is read when the groups run, so a changed TickGroup takes effect from the next group pass.
 */
struct ENGINE_API FTickFunction
{
	FTickFunction() = default;
	// The world's list points at the function; a copy would not be in it.
	FTickFunction(const FTickFunction&) = delete;
	FTickFunction& operator=(const FTickFunction&) = delete;
	virtual ~FTickFunction();

	TEnumAsByte<ETickingGroup> TickGroup = TG_PrePhysics;
	uint8 bTickEvenWhenPaused : 1 = false;
	uint8 bCanEverTick : 1 = false;
	uint8 bStartWithTickEnabled : 1 = true;
	uint8 bAllowTickOnDedicatedServer : 1 = true;
	uint8 bHighPriority : 1 = false;
	float TickInterval = 0.f;

	void SetTickFunctionEnable(bool bInEnabled);
	bool IsTickFunctionEnabled() const { return bTickEnabled; }
	bool IsTickFunctionRegistered() const { return bRegistered; }
	void SetTickFunctionRegistered(bool bInRegistered);
	void SetTickInterval(float NewInterval) { TickInterval = NewInterval; }

	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) = 0;

	/** Time gathered since the last run while a tick interval holds it back. */
	float AccumulatedTime = 0.f;

	/**
	 * Host: puts the function in, or takes it out of, its target's world's tick list to match its
	 * state (can tick, registered, enabled, target in play). Called wherever that state changes.
	 */
	void UpdateTickListMembership();

protected:
	/** Host: the object the function ticks, and whether it is in play (begun, not ended). */
	virtual UObject* GetTickTarget() const { return nullptr; }
	virtual bool IsTickTargetInPlay() const { return false; }

private:
	bool bTickEnabled = true;
	bool bRegistered = false;
	/** The world whose tick list holds this function, or null. */
	UWorld* ListedInWorld = nullptr;

	friend class UWorld;
};

struct ENGINE_API FActorTickFunction : public FTickFunction
{
	AActor* Target = nullptr;
	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;

protected:
	virtual UObject* GetTickTarget() const override;
	virtual bool IsTickTargetInPlay() const override;
};

struct ENGINE_API FActorComponentTickFunction : public FTickFunction
{
	UActorComponent* Target = nullptr;
	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;

protected:
	virtual UObject* GetTickTarget() const override;
	virtual bool IsTickTargetInPlay() const override;
};
