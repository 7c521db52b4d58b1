#include "VoxelMinimal/VoxelFuture.h"
#include "Async/Async.h"

IVoxelPromiseState::IVoxelPromiseState(bool bInHasValue)
	: bHasValue(bInHasValue)
{
}

TVoxelRefCountPtr<IVoxelPromiseState> IVoxelPromiseState::New_WithValue(FVoxelTaskContext*)
{
	return TVoxelRefCountPtr<IVoxelPromiseState>(new IVoxelPromiseState(true));
}

TVoxelRefCountPtr<IVoxelPromiseState> IVoxelPromiseState::New_WithoutValue(FVoxelTaskContext*)
{
	return TVoxelRefCountPtr<IVoxelPromiseState>(new IVoxelPromiseState(false));
}

void IVoxelPromiseState::AddRef()
{
	RefCount.fetch_add(1, std::memory_order_relaxed);
}

void IVoxelPromiseState::Release()
{
	if (RefCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
	{
		delete this;
	}
}

bool IVoxelPromiseState::IsComplete() const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	return bComplete;
}

const FSharedVoidRef& IVoxelPromiseState::GetSharedValueChecked() const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	checkf(bComplete && bHasValue && Value.has_value(), TEXT("The promise has no value yet"));
	return *Value;
}

void IVoxelPromiseState::Set()
{
	checkf(!bHasValue, TEXT("A valued promise is set with a value"));
	Complete(nullptr);
}

void IVoxelPromiseState::Set(const FSharedVoidRef& NewValue)
{
	checkf(bHasValue, TEXT("A value-less promise is set without a value"));
	Complete(&NewValue);
}

void IVoxelPromiseState::Complete(const FSharedVoidRef* NewValue)
{
	std::vector<FContinuation> ToRun;
	{
		std::lock_guard<std::mutex> Lock(Mutex);
		checkf(!bComplete, TEXT("A promise is set twice"));
		bComplete = true;
		if (NewValue)
		{
			Value.emplace(*NewValue);
		}
		ToRun.swap(Continuations);
	}
	for (FContinuation& Continuation : ToRun)
	{
		Dispatch(MoveTemp(Continuation));
	}
}

void IVoxelPromiseState::AddContinuation(EVoxelFutureThread Thread, TVoxelUniqueFunction<void()> Continuation)
{
	FContinuation Entry{Thread, MoveTemp(Continuation), {}};
	{
		std::lock_guard<std::mutex> Lock(Mutex);
		if (!bComplete)
		{
			Continuations.push_back(MoveTemp(Entry));
			return;
		}
	}
	Dispatch(MoveTemp(Entry));
}

void IVoxelPromiseState::AddContinuation(EVoxelFutureThread Thread, TVoxelUniqueFunction<void(const FSharedVoidRef&)> Continuation)
{
	FContinuation Entry{Thread, {}, MoveTemp(Continuation)};
	{
		std::lock_guard<std::mutex> Lock(Mutex);
		if (!bComplete)
		{
			Continuations.push_back(MoveTemp(Entry));
			return;
		}
	}
	Dispatch(MoveTemp(Entry));
}

void IVoxelPromiseState::Dispatch(FContinuation&& Continuation)
{
	const EVoxelFutureThread Thread = Continuation.Thread;
	// The continuation keeps this state (and so its value) alive until it has run.
	TVoxelRefCountPtr<IVoxelPromiseState> Self(this);
	auto Run = [Self, Entry = MoveTemp(Continuation)]() mutable
	{
		if (Entry.Valued)
		{
			checkf(Self->bHasValue, TEXT("A valued continuation on a value-less promise"));
			Entry.Valued(Self->GetSharedValueChecked());
		}
		else if (Entry.Plain)
		{
			Entry.Plain();
		}
	};
	if (Thread == EVoxelFutureThread::GameThread)
	{
		AsyncTask(ENamedThreads::GameThread, MoveTemp(Run));
	}
	else
	{
		Run();
	}
}
