#include "TimerManager.h"
#include "CoreGlobals.h"

void FTimerManager::FTimerData::Execute() const
{
	if (Delegate.IsBound())
	{
		Delegate.Execute();
	}
	else if (Function)
	{
		Function();
	}
}

bool FTimerManager::HasBeenTickedThisFrame() const
{
	return LastTickedFrame == GFrameCounter;
}

void FTimerManager::InternalSetTimer(FTimerHandle& InOutHandle, FTimerDelegate const& InDelegate, float InRate, bool InbLoop, float InFirstDelay)
{
	FTimerData Data;
	Data.Delegate = InDelegate;
	InternalSetTimer(InOutHandle, MoveTemp(Data), InRate, InbLoop, InFirstDelay);
}

void FTimerManager::SetTimer(FTimerHandle& InOutHandle, TFunction<void(void)>&& Callback, float InRate, bool InbLoop, float InFirstDelay)
{
	FTimerData Data;
	Data.Function = MoveTemp(Callback);
	InternalSetTimer(InOutHandle, MoveTemp(Data), InRate, InbLoop, InFirstDelay);
}

void FTimerManager::InternalSetTimer(FTimerHandle& InOutHandle, FTimerData&& Data, float InRate, bool InbLoop, float InFirstDelay)
{
	// An existing timer on this handle is replaced, never left running beside the new one.
	if (FindTimerIndex(InOutHandle) != INDEX_NONE)
	{
		ClearTimer(InOutHandle);
	}
	if (InRate <= 0.f)
	{
		InOutHandle.Invalidate();
		return;
	}
	Data.Rate = InRate;
	Data.bLoop = InbLoop;
	InOutHandle = AddTimer(MoveTemp(Data), InFirstDelay);
}

FTimerHandle FTimerManager::AddTimer(FTimerData&& Data, float InFirstDelay)
{
	const double FirstDelay = InFirstDelay >= 0.f ? InFirstDelay : Data.Rate;
	Data.Handle = ++LastAssignedHandle;
	if (HasBeenTickedThisFrame())
	{
		Data.ExpireTime = InternalTime + FirstDelay;
		Data.Status = ETimerStatus::Active;
	}
	else
	{
		// Relative until the next tick has advanced the clock, as in the engine.
		Data.ExpireTime = FirstDelay;
		Data.Status = ETimerStatus::Pending;
	}
	FTimerHandle Handle;
	Handle.Handle = Data.Handle;
	Timers.Add(MoveTemp(Data));
	return Handle;
}

int32 FTimerManager::FindTimerIndex(FTimerHandle InHandle) const
{
	if (!InHandle.IsValid())
	{
		return INDEX_NONE;
	}
	return Timers.IndexOfByPredicate([&InHandle](const FTimerData& Timer) { return Timer.Handle == InHandle.Handle; });
}

void FTimerManager::ClearTimer(FTimerHandle& InHandle)
{
	const int32 Index = FindTimerIndex(InHandle);
	if (Index != INDEX_NONE)
	{
		Timers.RemoveAt(Index);
	}
	InHandle.Invalidate();
}

bool FTimerManager::IsTimerActive(FTimerHandle InHandle) const
{
	return FindTimerIndex(InHandle) != INDEX_NONE;
}

bool FTimerManager::TimerExists(FTimerHandle InHandle) const
{
	return FindTimerIndex(InHandle) != INDEX_NONE;
}

float FTimerManager::GetTimerRemaining(FTimerHandle InHandle) const
{
	const int32 Index = FindTimerIndex(InHandle);
	if (Index == INDEX_NONE)
	{
		return -1.f;
	}
	const FTimerData& Timer = Timers[Index];
	return static_cast<float>(Timer.Status == ETimerStatus::Pending ? Timer.ExpireTime : Timer.ExpireTime - InternalTime);
}

void FTimerManager::Tick(float DeltaTime)
{
	if (HasBeenTickedThisFrame())
	{
		return;
	}
	InternalTime += DeltaTime;

	for (;;)
	{
		// The earliest active timer that has expired fires first.
		int32 Next = INDEX_NONE;
		for (int32 Index = 0; Index < Timers.Num(); ++Index)
		{
			const FTimerData& Timer = Timers[Index];
			if (Timer.Status == ETimerStatus::Active && InternalTime > Timer.ExpireTime && (Next == INDEX_NONE || Timer.ExpireTime < Timers[Next].ExpireTime))
			{
				Next = Index;
			}
		}
		if (Next == INDEX_NONE)
		{
			break;
		}

		FTimerHandle Handle;
		Handle.Handle = Timers[Next].Handle;
		if (!Timers[Next].IsBound())
		{
			// The object behind the delegate is gone: the timer goes with it.
			Timers.RemoveAt(Next);
			continue;
		}

		// A loop that fell behind catches up with several calls in one tick.
		const FTimerData& Firing = Timers[Next];
		const int32 CallCount = Firing.bLoop ? static_cast<int32>((InternalTime - Firing.ExpireTime) / Firing.Rate) + 1 : 1;
		Timers[Next].Status = ETimerStatus::Executing;
		for (int32 Call = 0; Call < CallCount; ++Call)
		{
			// Copied: the call may clear or replace its own timer, moving the array.
			const FTimerData Snapshot = Timers[Next];
			Snapshot.Execute();
			Next = FindTimerIndex(Handle);
			if (Next == INDEX_NONE || Timers[Next].Status != ETimerStatus::Executing)
			{
				break;
			}
		}

		Next = FindTimerIndex(Handle);
		if (Next != INDEX_NONE && Timers[Next].Status == ETimerStatus::Executing)
		{
			if (Timers[Next].bLoop)
			{
				Timers[Next].ExpireTime += CallCount * Timers[Next].Rate;
				Timers[Next].Status = ETimerStatus::Active;
			}
			else
			{
				Timers.RemoveAt(Next);
			}
		}
	}

	LastTickedFrame = GFrameCounter;
	for (FTimerData& Timer : Timers)
	{
		if (Timer.Status == ETimerStatus::Pending)
		{
			Timer.ExpireTime += InternalTime;
			Timer.Status = ETimerStatus::Active;
		}
	}
}
