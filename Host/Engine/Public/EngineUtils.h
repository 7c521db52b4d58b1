#pragma once

#include "Engine/World.h"

enum class EActorIteratorFlags
{
	AllActors = 0x00000000,
	OnlyActiveLevels = 0x00000001,
	SkipPendingKill = 0x00000002,
	OnlySelectedActors = 0x00000004,
};
ENUM_CLASS_FLAGS(EActorIteratorFlags)

/** Iterates the world's actors of a class, skipping those marked as garbage (by default). */
template<class T>
class TActorIterator
{
public:
	explicit TActorIterator(const UWorld* InWorld, TSubclassOf<T> InClass = T::StaticClass(), EActorIteratorFlags InFlags = EActorIteratorFlags::OnlyActiveLevels | EActorIteratorFlags::SkipPendingKill)
		: World(InWorld), Class(InClass ? (UClass*)InClass : T::StaticClass()), Flags(InFlags)
	{
		Advance();
	}
	explicit operator bool() const { return Current != nullptr; }
	bool operator!() const { return Current == nullptr; }
	void operator++() { Advance(); }
	T* operator*() const { return Current; }
	T* operator->() const { return Current; }

private:
	void Advance()
	{
		Current = nullptr;
		const TArray<AActor*>& Actors = World->GetActors();
		while (++Index < Actors.Num())
		{
			AActor* Actor = Actors[Index];
			const bool bSkip = !!(Flags & EActorIteratorFlags::SkipPendingKill) && !IsValid(Actor);
			if (!bSkip && Actor->IsA(Class))
			{
				Current = (T*)Actor;
				return;
			}
		}
	}

	const UWorld* World;
	UClass* Class;
	EActorIteratorFlags Flags;
	int32 Index = -1;
	T* Current = nullptr;
};
