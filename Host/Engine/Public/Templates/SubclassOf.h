#pragma once

#include "UObject/Class.h"

/** A class reference restricted to T and its subclasses. */
template<class T>
class TSubclassOf
{
public:
	TSubclassOf() = default;
	TSubclassOf(UClass* From) : Class(From) {}
	UClass* Get() const { return Class && Class->IsChildOf(T::StaticClass()) ? Class : nullptr; }
	operator UClass*() const { return Get(); }
	UClass* operator->() const { return Get(); }
	UClass& operator*() const { return *Get(); }
	T* GetDefaultObject() const { return Class ? Class->GetDefaultObject<T>() : nullptr; }

private:
	UClass* Class = nullptr;
};
