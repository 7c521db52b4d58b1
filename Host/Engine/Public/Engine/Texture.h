// The base of texture assets.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "Texture.generated.h"

/**
 * Host departure: the engine derives UTexture from UStreamableRenderAsset and gives it its pixel
 * data, formats and streaming state. Nothing is sampled here, so a texture is only an asset that
 * components and materials refer to.
 */
UCLASS(Abstract, MinimalAPI, BlueprintType)
class UTexture : public UObject
{
	GENERATED_BODY()
};
