// The base of simple data assets: objects that only hold data edited in the editor.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "DataAsset.generated.h"

/**
 * Create a simple asset that stores data related to a particular system in an instance of this class.
 * Assets can be made in the editor from subclasses; game code makes them with NewObject.
 */
UCLASS(Abstract, MinimalAPI, Meta = (LoadBehavior = "LazyOnDemand"))
class UDataAsset : public UObject
{
	GENERATED_BODY()
};
