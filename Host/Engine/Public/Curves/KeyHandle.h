// Stable names for curve keys: a key keeps its handle while other keys are added or removed.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

struct FKeyHandle
{
	/** A new handle, distinct from every other handle made in this process. */
	ENGINE_API FKeyHandle();

	/** The handle that names no key. */
	static FKeyHandle Invalid() { return FKeyHandle(0u); }

	bool IsValid() const { return Index != 0; }

	bool operator==(const FKeyHandle& Other) const { return Index == Other.Index; }
	bool operator!=(const FKeyHandle& Other) const { return Index != Other.Index; }

	friend uint32 GetTypeHash(const FKeyHandle& Handle) { return Handle.Index; }

private:
	explicit FKeyHandle(uint32 SpecificIndex)
		: Index(SpecificIndex)
	{
	}

	uint32 Index;
};
