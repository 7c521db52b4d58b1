// The base of classes that only hold static script-callable functions.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "BlueprintFunctionLibrary.generated.h"

/**
 * This class is a base class for any function libraries exposed to blueprints.
 * Methods in subclasses are expected to be static.
 *
 * Host departure: no script virtual machine, so the engine's GetFunctionCallspace override is not kept.
 */
UCLASS(Abstract, MinimalAPI)
class UBlueprintFunctionLibrary : public UObject
{
	GENERATED_BODY()
};
