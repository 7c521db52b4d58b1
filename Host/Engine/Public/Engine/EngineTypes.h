// Common engine enumerations and small records.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "Containers/EnumAsByte.h"
#include "EngineTypes.generated.h"

UENUM()
namespace EComponentMobility
{
	enum Type : int
	{
		/** Cannot move or change at run time once registered. */
		Static,
		/** May change some properties (intensity, colour) but not move. */
		Stationary,
		/** Moves and changes freely. */
		Movable
	};
}

UENUM()
namespace ECastRayTracedShadow
{
	enum Type : int
	{
		Disabled,
		UseProjectSetting,
		Enabled
	};
}

UENUM()
namespace ECollisionEnabled
{
	enum Type : int
	{
		/** Not in the physics engine at all: no queries, no simulation. */
		NoCollision,
		QueryOnly,
		PhysicsOnly,
		QueryAndPhysics,
		ProbeOnly,
		QueryAndProbe
	};
}

namespace EEndPlayReason
{
	enum Type : int
	{
		Destroyed,
		LevelTransition,
		EndPlayInEditor,
		RemovedFromWorld,
		Quit,
	};
}

namespace EWorldType
{
	enum Type
	{
		None,
		Game,
		Editor,
		PIE,
		EditorPreview,
		GamePreview,
		GameRPC,
		Inactive
	};
}

enum class ETeleportType : uint8
{
	None,
	TeleportPhysics,
	ResetPhysics
};

enum class ESpawnActorCollisionHandlingMethod : uint8
{
	Undefined,
	AlwaysSpawn,
	AdjustIfPossibleButAlwaysSpawn,
	AdjustIfPossibleButDontSpawnIfColliding,
	DontSpawnIfColliding,
};

/** Result of a sweep; the host never sweeps, so it stays empty. */
struct FHitResult
{
	bool bBlockingHit = false;
	float Time = 1.f;
	FVector Location = FVector::ZeroVector;
};
