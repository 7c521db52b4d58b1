// Type-erased shared values, as the voxel futures carry them.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SharedPointer.h"

namespace Voxel::Internal
{
	// Declared, never defined: a shared reference to it stands for a shared reference to any type.
	struct FVoidPtr;
}

using FSharedVoidRef = TSharedRef<Voxel::Internal::FVoidPtr>;

/** Erases the type of a shared reference, keeping it alive. */
template <typename T>
FSharedVoidRef MakeSharedVoidRef(const TSharedRef<T>& Ref)
{
	return FSharedVoidRef(std::reinterpret_pointer_cast<Voxel::Internal::FVoidPtr>(UE::Core::Private::FSharedPointerAccess::Get(Ref)));
}

/** The typed reference behind an erased one; T must be the type it was made from. */
template <typename T>
TSharedRef<T> ReinterpretSharedVoidRef(const FSharedVoidRef& Ref)
{
	return TSharedRef<T>(std::reinterpret_pointer_cast<T>(UE::Core::Private::FSharedPointerAccess::Get(Ref)));
}
