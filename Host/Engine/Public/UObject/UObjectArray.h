// The global object array: every object made by NewObject has a slot, and weak pointers name an
// object by slot and serial number, so they read null once the object is garbage or destroyed.
#pragma once

#include "CoreTypes.h"
#include "UObject/ObjectMacros.h"
#include <vector>

class UObject;
class UObjectBase;

struct FUObjectItem
{
	UObjectBase* Object = nullptr;
	int32 SerialNumber = 0;
	bool bGarbage = false;
	bool bRooted = false;
};

class COREUOBJECT_API FUObjectArray
{
public:
	int32 AllocateIndex(UObjectBase* Object);
	void FreeIndex(int32 Index);

	FUObjectItem* IndexToObject(int32 Index)
	{
		return Index >= 0 && Index < (int32)Items.size() ? &Items[Index] : nullptr;
	}
	const FUObjectItem* IndexToObject(int32 Index) const
	{
		return Index >= 0 && Index < (int32)Items.size() ? &Items[Index] : nullptr;
	}
	int32 GetObjectArrayNum() const { return (int32)Items.size(); }
	/** Objects alive (not destroyed), garbage included. */
	int32 GetObjectArrayNumMinusAvailable() const { return (int32)Items.size() - (int32)FreeSlots.size(); }

private:
	std::vector<FUObjectItem> Items;
	std::vector<int32> FreeSlots;
	int32 NextSerialNumber = 1;
};

/** Never destroyed, so objects stay reachable until the process ends. */
COREUOBJECT_API FUObjectArray& GetUObjectArray();
#define GUObjectArray (GetUObjectArray())
