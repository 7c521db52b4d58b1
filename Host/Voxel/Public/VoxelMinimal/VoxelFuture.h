// Promises and futures of the voxel library: completion, values and continuations on chosen threads.
#pragma once

#include "CoreMinimal.h"
#include "VoxelMinimal/VoxelSharedPtr.h"
#include "VoxelMinimal/VoxelUniqueFunction.h"
#include "CoreGlobals.h"
#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

class FVoxelTaskContext;

enum class EVoxelFutureThread : uint8
{
	AnyThread,
	GameThread,
	RenderThread,
	AsyncThread,
};

/** An intrusively counted pointer. */
template <typename T>
class TVoxelRefCountPtr
{
public:
	TVoxelRefCountPtr() = default;
	TVoxelRefCountPtr(T* InObject)
		: Object(InObject)
	{
		if (Object)
		{
			Object->AddRef();
		}
	}
	TVoxelRefCountPtr(const TVoxelRefCountPtr& Other)
		: TVoxelRefCountPtr(Other.Object)
	{
	}
	TVoxelRefCountPtr(TVoxelRefCountPtr&& Other) noexcept
		: Object(Other.Object)
	{
		Other.Object = nullptr;
	}
	TVoxelRefCountPtr& operator=(TVoxelRefCountPtr Other) noexcept
	{
		std::swap(Object, Other.Object);
		return *this;
	}
	~TVoxelRefCountPtr()
	{
		if (Object)
		{
			Object->Release();
		}
	}

	T* Get() const { return Object; }
	T* operator->() const { return Object; }
	T& operator*() const { return *Object; }
	bool IsValid() const { return Object != nullptr; }
	explicit operator bool() const { return Object != nullptr; }

private:
	T* Object = nullptr;
};

/**
 * The shared state of a promise and its futures. Host departures: GameThread continuations go to the
 * host's game-thread queue (run when a world ticks); RenderThread and AsyncThread ones run inline.
 */
class VOXELCORE_API IVoxelPromiseState
{
public:
	IVoxelPromiseState(const IVoxelPromiseState&) = delete;
	IVoxelPromiseState& operator=(const IVoxelPromiseState&) = delete;

	static TVoxelRefCountPtr<IVoxelPromiseState> New_WithValue(FVoxelTaskContext* ContextOverride);
	static TVoxelRefCountPtr<IVoxelPromiseState> New_WithoutValue(FVoxelTaskContext* ContextOverride);

	bool IsComplete() const;
	const FSharedVoidRef& GetSharedValueChecked() const;

	/** Completes a value-less state, then runs its continuations. */
	void Set();
	/** Completes a valued state with NewValue, then runs its continuations. */
	void Set(const FSharedVoidRef& NewValue);

	/** Runs Continuation on Thread once the state completes (dispatched at once if it already has). */
	void AddContinuation(EVoxelFutureThread Thread, TVoxelUniqueFunction<void()> Continuation);
	void AddContinuation(EVoxelFutureThread Thread, TVoxelUniqueFunction<void(const FSharedVoidRef&)> Continuation);

	void AddRef();
	void Release();

private:
	explicit IVoxelPromiseState(bool bInHasValue);

	struct FContinuation
	{
		EVoxelFutureThread Thread;
		TVoxelUniqueFunction<void()> Plain;
		TVoxelUniqueFunction<void(const FSharedVoidRef&)> Valued;
	};

	void Complete(const FSharedVoidRef* NewValue);
	void Dispatch(FContinuation&& Continuation);

	const bool bHasValue;
	std::atomic<int32> RefCount{0};
	mutable std::mutex Mutex;
	bool bComplete = false;
	std::optional<FSharedVoidRef> Value;
	std::vector<FContinuation> Continuations;
};

struct VOXELCORE_API FVoxelFuture
{
	/** A default future is complete. */
	FVoxelFuture() = default;

	bool IsComplete() const { return !PromiseState.IsValid() || PromiseState->IsComplete(); }

protected:
	explicit FVoxelFuture(TVoxelRefCountPtr<IVoxelPromiseState> InPromiseState)
		: PromiseState(MoveTemp(InPromiseState))
	{
	}

	TVoxelRefCountPtr<IVoxelPromiseState> PromiseState;
};

class VOXELCORE_API FVoxelPromise : public FVoxelFuture
{
public:
	FVoxelPromise(FVoxelTaskContext* ContextOverride = nullptr)
		: FVoxelFuture(IVoxelPromiseState::New_WithoutValue(ContextOverride))
	{
	}

	void Set() const { PromiseState->Set(); }
};

/** A future whose value is a T, complete or to come. */
template <typename T>
class TVoxelFuture : public FVoxelFuture
{
public:
	/** Complete, holding a default T. */
	TVoxelFuture()
		: TVoxelFuture(T())
	{
	}
	TVoxelFuture(const T& Value)
		: FVoxelFuture(IVoxelPromiseState::New_WithValue(nullptr))
	{
		PromiseState->Set(MakeSharedVoidRef(MakeShared<T>(Value)));
	}
	TVoxelFuture(T&& Value)
		: FVoxelFuture(IVoxelPromiseState::New_WithValue(nullptr))
	{
		PromiseState->Set(MakeSharedVoidRef(MakeShared<T>(MoveTemp(Value))));
	}
	/** A future of a state that something else completes. */
	explicit TVoxelFuture(TVoxelRefCountPtr<IVoxelPromiseState> InPromiseState)
		: FVoxelFuture(MoveTemp(InPromiseState))
	{
	}

	T& GetValueChecked() const
	{
		check(IsComplete());
		return ReinterpretSharedVoidRef<T>(PromiseState->GetSharedValueChecked()).Get();
	}

	/**
	 * Calls Continuation with the value on Thread once this future completes; the returned future
	 * completes after it has run.
	 */
	template <typename LambdaType>
	FVoxelFuture Then(const EVoxelFutureThread Thread, LambdaType Continuation) const
	{
		FVoxelPromise Promise;
		PromiseState->AddContinuation(Thread, TVoxelUniqueFunction<void(const FSharedVoidRef&)>(
			[Promise, Continuation = MoveTemp(Continuation)](const FSharedVoidRef& Value)
			{
				Continuation(ReinterpretSharedVoidRef<T>(Value).Get());
				Promise.Set();
			}));
		return Promise;
	}

	/** As Then on the game thread, but runs at once when already complete and called on the game thread. */
	template <typename LambdaType>
	FVoxelFuture Then_GameThread(LambdaType Continuation) const
	{
		if (IsComplete() && IsInGameThread())
		{
			Continuation(GetValueChecked());
			return FVoxelFuture();
		}
		return Then(EVoxelFutureThread::GameThread, MoveTemp(Continuation));
	}
};
