#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "Subsystem.generated.h"

class FSubsystemCollectionBase
{
public:
	/** Initialises a dependency first (the engine's ordering guarantee); returns it. */
	class USubsystem* InitializeDependency(UClass* SubsystemClass);
	template<class T>
	T* InitializeDependency()
	{
		return (T*)InitializeDependency(T::StaticClass());
	}

	UObject* Outer = nullptr;
};

UCLASS(Abstract)
class ENGINE_API USubsystem : public UObject
{
	GENERATED_BODY()

public:
	USubsystem();
	virtual bool ShouldCreateSubsystem(UObject* Outer) const { (void)Outer; return true; }
	virtual void Initialize(FSubsystemCollectionBase& Collection) { (void)Collection; }
	virtual void Deinitialize() {}
};
