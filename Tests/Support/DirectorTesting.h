// Reaching a placed director the way engine code does: its reflected members by property, and a preset for it.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "HostSupport/EditorSimulation.h"
#include "UObject/UnrealType.h"
#include "Actors/ZN_Lumarch.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

namespace DirectorTesting
{
	/** A reflected member, read or written through its property as the Details panel does. */
	template <class T>
	T& Member(UObject* Object, const TCHAR* Name)
	{
		FProperty* Property = FindFProperty<FProperty>(Object->GetClass(), Name);
		check(Property != nullptr);
		return *Property->ContainerPtrToValuePtr<T>(Object);
	}

	/**
	 * A preset asset, optionally with a dynamic preset chosen in its Details panel (so the preset forwards
	 * the dynamic preset's changes, as a loaded asset does), both in the transient package.
	 */
	inline ULM_Preset* MakePreset(bool bWithDynamicPreset = true)
	{
		ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage());
		if (bWithDynamicPreset)
		{
			HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), NewObject<ULM_DynamicPreset>(GetTransientPackage()));
		}
		return Preset;
	}

	inline float TotalTime(AZN_Lumarch* Director) { return Member<float>(Director, TEXT("TotalTime")); }
}
