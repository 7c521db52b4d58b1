// Assets as JSON files keyed by property name: how programs load and save presets without the editor.
//
// Host-only: the engine saves assets in its own package format. Reading is what loading does: every
// saved (non-transient) reflected property named in the file is set as written, without editor limits
// or edit conditions, then PostLoad runs on each object read. An object property holds either null or,
// inline, the properties of a new object of its class (a preset's dynamic preset, for one); other
// assets cannot be referenced from a file.
#pragma once

#include "CoreMinimal.h"

class UObject;

namespace HostJson
{
	/**
	 * Fills Object from JSON text. On failure nothing says the object is whole: OutError names the place
	 * ("DynamicOverrides.Day.FogSettings.Density: expected a number, got a string") and false is returned.
	 */
	ENGINE_API bool ReadObject(UObject* Object, const FString& JsonText, FString& OutError);

	/** Every saved reflected property of Object as indented JSON; inline objects are written inside it. */
	ENGINE_API FString WriteObject(const UObject* Object);
}
