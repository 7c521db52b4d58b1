// A world's timers: delegates called once or repeatedly after a delay, fired from the world's tick.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Engine/TimerHandle.h"
#include "Templates/Function.h"

DECLARE_DELEGATE(FTimerDelegate);

/**
 * Host departures: no paused timers or timer-by-delegate lookups; timers fire in order of expiry
 * found by a scan rather than a heap (a world holds a handful of timers).
 */
class ENGINE_API FTimerManager
{
public:
	FTimerManager() = default;
	FTimerManager(const FTimerManager&) = delete;
	FTimerManager& operator=(const FTimerManager&) = delete;

	/**
	 * Sets a timer calling InObj's InTimerMethod every InRate seconds when looping, else once. The
	 * binding is weak: a destroyed object drops the timer. InFirstDelay < 0 waits InRate first.
	 */
	template <class UserClass>
	void SetTimer(FTimerHandle& InOutHandle, UserClass* InObj, typename FTimerDelegate::template TMethodPtr<UserClass> InTimerMethod, float InRate, bool InbLoop = false, float InFirstDelay = -1.f)
	{
		InternalSetTimer(InOutHandle, FTimerDelegate::CreateUObject(InObj, InTimerMethod), InRate, InbLoop, InFirstDelay);
	}
	template <class UserClass>
	void SetTimer(FTimerHandle& InOutHandle, UserClass* InObj, typename FTimerDelegate::template TConstMethodPtr<UserClass> InTimerMethod, float InRate, bool InbLoop = false, float InFirstDelay = -1.f)
	{
		InternalSetTimer(InOutHandle, FTimerDelegate::CreateUObject(InObj, InTimerMethod), InRate, InbLoop, InFirstDelay);
	}
	void SetTimer(FTimerHandle& InOutHandle, FTimerDelegate const& InDelegate, float InRate, bool InbLoop, float InFirstDelay = -1.f)
	{
		InternalSetTimer(InOutHandle, InDelegate, InRate, InbLoop, InFirstDelay);
	}
	void SetTimer(FTimerHandle& InOutHandle, TFunction<void(void)>&& Callback, float InRate, bool InbLoop, float InFirstDelay = -1.f);

	/** Removes the timer and invalidates the handle. */
	void ClearTimer(FTimerHandle& InHandle);

	/** The timer exists and is waiting to fire (or firing). */
	bool IsTimerActive(FTimerHandle InHandle) const;

	/** The timer exists, in any state. */
	bool TimerExists(FTimerHandle InHandle) const;

	/** Seconds until the timer next fires, or -1 when there is no such timer. */
	float GetTimerRemaining(FTimerHandle InHandle) const;

	/** Advances the manager's clock and fires what expired; runs at most once per engine frame. */
	void Tick(float DeltaTime);

	bool HasBeenTickedThisFrame() const;

private:
	enum class ETimerStatus : uint8
	{
		/** Set before this frame's tick: becomes active, relative to the clock, after the next tick. */
		Pending,
		Active,
		Executing,
	};

	struct FTimerData
	{
		uint64 Handle = 0;
		FTimerDelegate Delegate;
		TFunction<void(void)> Function;
		float Rate = 0.f;
		bool bLoop = false;
		ETimerStatus Status = ETimerStatus::Active;
		double ExpireTime = 0.0;

		bool IsBound() const { return Delegate.IsBound() || static_cast<bool>(Function); }
		void Execute() const;
	};

	void InternalSetTimer(FTimerHandle& InOutHandle, FTimerDelegate const& InDelegate, float InRate, bool InbLoop, float InFirstDelay);
	void InternalSetTimer(FTimerHandle& InOutHandle, FTimerData&& Data, float InRate, bool InbLoop, float InFirstDelay);
	FTimerHandle AddTimer(FTimerData&& Data, float InFirstDelay);
	int32 FindTimerIndex(FTimerHandle InHandle) const;

	TArray<FTimerData> Timers;
	double InternalTime = 0.0;
	uint64 LastTickedFrame = ~0ull;
	uint64 LastAssignedHandle = 0;
};
