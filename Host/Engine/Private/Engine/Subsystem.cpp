#include "Subsystems/Subsystem.h"
#include "Subsystems/WorldSubsystem.h"
#include "Engine/World.h"

USubsystem::USubsystem() = default;

UWorldSubsystem::UWorldSubsystem() = default;

UWorld* UWorldSubsystem::GetWorld() const
{
	return GetTypedOuter<UWorld>();
}

bool UWorldSubsystem::ShouldCreateSubsystem(UObject* Outer) const
{
	const UWorld* World = Cast<UWorld>(Outer);
	return World && DoesSupportWorldType(World->WorldType);
}

bool UWorldSubsystem::DoesSupportWorldType(const EWorldType::Type WorldType) const
{
	return WorldType == EWorldType::Game || WorldType == EWorldType::Editor || WorldType == EWorldType::PIE;
}
