// The handle of a timer in a world's timer manager.
#pragma once

#include "CoreMinimal.h"
#include "TimerHandle.generated.h"

/** Unique handle that can be used to distinguish timers that have identical delegates. */
USTRUCT(BlueprintType)
struct FTimerHandle
{
	GENERATED_BODY()

	friend class FTimerManager;

	FTimerHandle()
		: Handle(0)
	{
	}

	/** True if this handle was ever initialized by the timer manager */
	bool IsValid() const { return Handle != 0; }

	/** Explicitly clear handle */
	void Invalidate() { Handle = 0; }

	bool operator==(const FTimerHandle& Other) const { return Handle == Other.Handle; }
	bool operator!=(const FTimerHandle& Other) const { return Handle != Other.Handle; }

private:
	// Not reflected here (the engine's is a transient property): the host's reflection has no 64-bit integers.
	uint64 Handle;
};
