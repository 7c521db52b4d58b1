// Process-wide events of the engine loop.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"

/** Host departures: there is no engine loop, so a frame begins when a world ticks. */
class CORE_API FCoreDelegates
{
public:
	/** At the start of each frame on the game thread, before queued game-thread tasks run. */
	static FSimpleMulticastDelegate OnBeginFrame;
};
