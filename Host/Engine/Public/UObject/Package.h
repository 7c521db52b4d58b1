#pragma once

#include "UObject/Object.h"

/** A package: the outermost object of a set (assets, maps, "/Engine/Transient"). */
class COREUOBJECT_API UPackage : public UObject
{
public:
	typedef UObject Super;
	typedef UPackage ThisClass;
	static UClass* StaticClass();

	UPackage() = default;

	void SetDirtyFlag(bool bInIsDirty) { bDirty = bInIsDirty; }
	bool IsDirty() const { return bDirty; }

private:
	bool bDirty = false;
};
