// The physics state of a primitive. The host simulates no physics; it keeps what the engine's
// callers set, so they can be read back.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"

struct ENGINE_API FBodyInstance
{
	/** Switches queries and simulation; bUpdatePhysicsFilterData refreshes the filter of a live body (none in the host). */
	void SetCollisionEnabled(ECollisionEnabled::Type NewType, bool bUpdatePhysicsFilterData = true)
	{
		(void)bUpdatePhysicsFilterData;
		CollisionEnabled = NewType;
	}
	ECollisionEnabled::Type GetCollisionEnabled() const { return CollisionEnabled; }

private:
	TEnumAsByte<ECollisionEnabled::Type> CollisionEnabled = ECollisionEnabled::QueryAndPhysics;
};
