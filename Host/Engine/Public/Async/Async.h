// Running work on a named thread.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"

namespace ENamedThreads
{
	enum Type : int32
	{
		AnyThread = 0xff,
		GameThread = 2,
	};
}

/**
 * Runs Function on Thread. Host departures: only the game thread is a named thread, and its tasks run
 * when a world ticks (before its tick groups), in the order they were queued, from any thread; a task
 * for any other thread runs at once on the calling thread.
 */
CORE_API void AsyncTask(ENamedThreads::Type Thread, TUniqueFunction<void()> Function);

namespace UE::Host
{
	/** Runs the game-thread tasks queued so far (and those they queue); the world's tick calls it. Host only. */
	CORE_API void ProcessGameThreadTasks();

	/** Number of game-thread tasks waiting. Host only. */
	CORE_API int32 NumPendingGameThreadTasks();
}
