// A cube-map texture asset (sky light and fog in-scattering cube maps).
#pragma once

#include "CoreMinimal.h"
#include "Engine/Texture.h"
#include "TextureCube.generated.h"

/** A six-faced texture. Host: carries no pixels (see UTexture). */
UCLASS(HideCategories = Object, MinimalAPI, BlueprintType)
class UTextureCube : public UTexture
{
	GENERATED_BODY()
};
