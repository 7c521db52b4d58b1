// FDelegateHandle and the type-erased interface every delegate binding implements.
#pragma once

#include "CoreTypes.h"

class UObject;

/** Names one binding of a delegate, e.g. to remove it from a multicast delegate later. */
class FDelegateHandle
{
public:
	enum EGenerateNewHandleType
	{
		GenerateNewHandle
	};

	/** An invalid handle. */
	FDelegateHandle() = default;

	/** A handle no other binding in this process has. */
	explicit FDelegateHandle(EGenerateNewHandleType)
		: ID(GenerateNewID())
	{
	}

	bool IsValid() const { return ID != 0; }
	void Reset() { ID = 0; }

	bool operator==(const FDelegateHandle& Rhs) const { return ID == Rhs.ID; }
	bool operator!=(const FDelegateHandle& Rhs) const { return ID != Rhs.ID; }

	friend uint32 GetTypeHash(const FDelegateHandle& Key) { return (uint32)(Key.ID ^ (Key.ID >> 32)); }

private:
	CORE_API static uint64 GenerateNewID();

	uint64 ID = 0;
};

/** What a delegate can ask of a binding without knowing its signature. */
class IDelegateInstance
{
public:
	virtual ~IDelegateInstance() = default;

	/** The object a UObject or weak-lambda binding is bound to (null once it is gone); null for other kinds. */
	virtual UObject* GetUObject() const = 0;

	/** The object the binding calls into or depends on (UObject or raw), null for static functions and lambdas. */
	virtual const void* GetObjectForTimerManager() const = 0;

	/** Whether the binding calls into (or depends on) InUserObject. */
	virtual bool HasSameObject(const void* InUserObject) const = 0;

	/** False once the object a weak binding depends on was destroyed or marked as garbage. */
	virtual bool IsSafeToExecute() const = 0;

	/** Whether a multicast delegate may drop the binding. */
	virtual bool IsCompactable() const { return !IsSafeToExecute(); }

	virtual FDelegateHandle GetHandle() const = 0;
};
