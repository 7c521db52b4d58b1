// Weak references: an object's slot and serial number in the global object array.
#pragma once

#include "CoreTypes.h"
#include "UObject/UObjectArray.h"

class UObject;

struct COREUOBJECT_API FWeakObjectPtr
{
public:
	FWeakObjectPtr() = default;
	FWeakObjectPtr(const UObject* Object) { (*this) = Object; }
	FWeakObjectPtr(TYPE_OF_NULLPTR) {}

	void operator=(const UObject* Object);

	void Reset()
	{
		ObjectIndex = INDEX_NONE;
		ObjectSerialNumber = 0;
	}

	/** The object, or null once it was destroyed or (unless bEvenIfGarbage) marked as garbage. */
	UObject* Get(bool bEvenIfGarbage = false) const
	{
		const FUObjectItem* Item = GetItem();
		if (!Item || (Item->bGarbage && !bEvenIfGarbage))
		{
			return nullptr;
		}
		return (UObject*)Item->Object;
	}
	UObject* GetEvenIfUnreachable() const { return Get(true); }

	bool IsValid(bool bEvenIfGarbage = false, bool bThreadsafeTest = false) const
	{
		(void)bThreadsafeTest;
		return Get(bEvenIfGarbage) != nullptr;
	}
	/** Was set to an object that is now gone (or garbage, when bIncludingGarbage); a reset pointer is not stale. */
	bool IsStale(bool bIncludingGarbage = true, bool bThreadsafeTest = false) const
	{
		(void)bThreadsafeTest;
		if (ObjectSerialNumber == 0)
		{
			return false;
		}
		const FUObjectItem* Item = GetItem();
		return !Item || (bIncludingGarbage && Item->bGarbage);
	}
	bool IsExplicitlyNull() const { return ObjectIndex == INDEX_NONE; }

	bool operator==(const FWeakObjectPtr& Other) const
	{
		return (ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber) || (!IsValid(true) && !Other.IsValid(true));
	}
	bool operator!=(const FWeakObjectPtr& Other) const { return !(*this == Other); }
	bool HasSameIndexAndSerialNumber(const FWeakObjectPtr& Other) const
	{
		return ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber;
	}
	friend uint32 GetTypeHash(const FWeakObjectPtr& WeakObjectPtr)
	{
		return (uint32)WeakObjectPtr.ObjectIndex ^ (uint32)WeakObjectPtr.ObjectSerialNumber;
	}

private:
	const FUObjectItem* GetItem() const
	{
		if (ObjectSerialNumber == 0)
		{
			return nullptr;
		}
		const FUObjectItem* Item = GUObjectArray.IndexToObject(ObjectIndex);
		return Item && Item->Object && Item->SerialNumber == ObjectSerialNumber ? Item : nullptr;
	}

	int32 ObjectIndex = INDEX_NONE;
	int32 ObjectSerialNumber = 0;
};
