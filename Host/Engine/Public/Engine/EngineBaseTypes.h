// Tick types: how often and in which group actors and components tick.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "Containers/EnumAsByte.h"

class AActor;
class UActorComponent;

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

/** A tick function; the world runs the registered, enabled ones by group every frame. */
struct ENGINE_API FTickFunction
{
	virtual ~FTickFunction() = default;

	TEnumAsByte<ETickingGroup> TickGroup = TG_PrePhysics;
	uint8 bTickEvenWhenPaused : 1 = false;
	uint8 bCanEverTick : 1 = false;
	uint8 bStartWithTickEnabled : 1 = true;
	uint8 bAllowTickOnDedicatedServer : 1 = true;
	uint8 bHighPriority : 1 = false;
	float TickInterval = 0.f;

	void SetTickFunctionEnable(bool bInEnabled) { bTickEnabled = bInEnabled; }
	bool IsTickFunctionEnabled() const { return bTickEnabled; }
	bool IsTickFunctionRegistered() const { return bRegistered; }
	void SetTickFunctionRegistered(bool bInRegistered) { bRegistered = bInRegistered; }
	void SetTickInterval(float NewInterval) { TickInterval = NewInterval; }

	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) = 0;

	/** Time gathered since the last run while a tick interval holds it back. */
	float AccumulatedTime = 0.f;

private:
	bool bTickEnabled = true;
	bool bRegistered = false;
};

struct ENGINE_API FActorTickFunction : public FTickFunction
{
	AActor* Target = nullptr;
	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;
};

struct ENGINE_API FActorComponentTickFunction : public FTickFunction
{
	UActorComponent* Target = nullptr;
	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;
};
