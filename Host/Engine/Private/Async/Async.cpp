#include "Async/Async.h"
#include "Misc/AssertionMacros.h"
#include <deque>
#include <mutex>

namespace
{
	struct FGameThreadQueue
	{
		std::mutex Mutex;
		std::deque<TUniqueFunction<void()>> Tasks;
	};

	FGameThreadQueue& GetGameThreadQueue()
	{
		static FGameThreadQueue Queue;
		return Queue;
	}
}

void AsyncTask(ENamedThreads::Type Thread, TUniqueFunction<void()> Function)
{
	if (Thread != ENamedThreads::GameThread)
	{
		Function();
		return;
	}
	FGameThreadQueue& Queue = GetGameThreadQueue();
	std::lock_guard<std::mutex> Lock(Queue.Mutex);
	Queue.Tasks.push_back(MoveTemp(Function));
}

namespace UE::Host
{
	void ProcessGameThreadTasks()
	{
		FGameThreadQueue& Queue = GetGameThreadQueue();
		for (;;)
		{
			TUniqueFunction<void()> Task;
			{
				std::lock_guard<std::mutex> Lock(Queue.Mutex);
				if (Queue.Tasks.empty())
				{
					return;
				}
				Task = MoveTemp(Queue.Tasks.front());
				Queue.Tasks.pop_front();
			}
			Task();
		}
	}

	int32 NumPendingGameThreadTasks()
	{
		FGameThreadQueue& Queue = GetGameThreadQueue();
		std::lock_guard<std::mutex> Lock(Queue.Mutex);
		return static_cast<int32>(Queue.Tasks.size());
	}
}
