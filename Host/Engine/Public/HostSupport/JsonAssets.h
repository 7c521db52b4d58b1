// Assets as JSON files keyed by property name: how programs load and save presets without the editor.
//
// Host-only: the engine saves assets in its own package format. Reading is what loading does: every
// saved (non-transient) reflected property named in the file is set as written, without editor limits
// or edit conditions, then PostLoad runs on each object read.
//
// An object property holds null or, where the file first meets the object, the object inline: its
// properties plus "$name" (the object's name, unique in the file, case ignored) and, when its class
// is not the property's own, "$class" ("Material" for a UMaterialInterface property). Any later
// mention of the same object is {"$ref": "M_Sky"} and loads as that same object; a reference may
// come before the object it names. So a file carries every asset its object refers to, each once:
//
//     "SkySettings": { "SkyMaterial": { "$name": "M_Sky", "$class": "Material",
//                                       "ScalarParameters": [ { "Name": "Stars", "DefaultValue": 1 } ],
//                                       "VectorParameters": [] } }
//
// State the host keeps outside reflection is written under the name the engine reflects it as: a
// UMaterial's parameters ("ScalarParameters" and "VectorParameters", each {Name, DefaultValue}, in
// the material's order; expression GUIDs are made anew on load) and a UCurveFloat's "FloatCurve"
// (DefaultValue, Pre/PostInfinityExtrap, Keys in time order).
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

	/** Every saved property of Object as indented JSON, the objects it refers to inline (each once). */
	ENGINE_API FString WriteObject(const UObject* Object);
}
