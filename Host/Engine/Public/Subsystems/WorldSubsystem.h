#pragma once

#include "CoreMinimal.h"
#include "Subsystems/Subsystem.h"
#include "Engine/EngineTypes.h"
#include "WorldSubsystem.generated.h"

class UWorld;

/** One instance per world, created when the world is initialised. */
UCLASS(Abstract)
class ENGINE_API UWorldSubsystem : public USubsystem
{
	GENERATED_BODY()

public:
	UWorldSubsystem();
	virtual UWorld* GetWorld() const override;
	UWorld& GetWorldRef() const { return *GetWorld(); }
	virtual bool ShouldCreateSubsystem(UObject* Outer) const override;
	virtual void PostInitialize() {}
	virtual void OnWorldBeginPlay(UWorld& InWorld) { (void)InWorld; }

protected:
	virtual bool DoesSupportWorldType(const EWorldType::Type WorldType) const;
};
