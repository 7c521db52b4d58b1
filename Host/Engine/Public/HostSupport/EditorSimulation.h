// The Details panel, without a window: edits a property of an object by path as the editor does
// (clamp metadata enforced, edit conditions honoured, CanEditChange consulted), then raises
// PostEditChangeChainProperty with the real property chain, whose UObject default forwards to
// PostEditChangeProperty as in the engine.
//
// Host-only: tests, the previewer and benchmarks drive editor events through this; the plug-in
// never includes it. Paths name members from the object down, with array elements by index:
// "WorldSettings.DayLightFraction", "Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[1].Value".
#pragma once

#include "CoreMinimal.h"
#include "UObject/UnrealType.h"

namespace HostEditor
{
	enum class EEditStatus : uint8
	{
		/** The value was written and the change events were raised. */
		Applied,
		/** No property at that path. */
		NotFound,
		/** The property (or a member it sits in) is not editable: no EditAnywhere-style flag, or VisibleAnywhere. */
		NotEditable,
		/** An EditCondition on the way evaluates false: the Details panel greys (or hides) the row. */
		DisabledByEditCondition,
		/** The object's CanEditChange refused the edit. */
		RefusedByObject,
		/** The text does not parse as a value of the property's type, or an object of the wrong class. */
		BadValue,
	};

	struct FEditResult
	{
		EEditStatus Status = EEditStatus::NotFound;
		/** Why an edit was refused, or what was adjusted ("clamped to 10000"). */
		FString Message;
		/** True when ClampMin/ClampMax changed the entered value. */
		bool bClamped = false;
		/** The innermost property edited (null when not found). */
		FProperty* Property = nullptr;

		bool IsApplied() const { return Status == EEditStatus::Applied; }
	};

	/** How the change is announced: the editor's chain event (default) or only PostEditChangeProperty. */
	enum class ENotify : uint8
	{
		ChainProperty,
		PropertyOnly,
		None,
	};

	/** Enters ValueText (the engine's text form: "1.5", "True", "(R=1,G=0,B=0,A=1)", "Night") into the property at Path. */
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const FString& ValueText, ENotify Notify = ENotify::ChainProperty);

	/** Picks an object (asset) for an object property, as choosing it in the asset picker does; null clears it. */
	FEditResult SetObjectPropertyByPath(UObject* Object, const FString& Path, UObject* Value, ENotify Notify = ENotify::ChainProperty);

	/** Typed conveniences that format the value in the engine's text form. */
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, double Value, ENotify Notify = ENotify::ChainProperty);
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, bool bValue, ENotify Notify = ENotify::ChainProperty);
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const FLinearColor& Value, ENotify Notify = ENotify::ChainProperty);
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, FName Value, ENotify Notify = ENotify::ChainProperty);
	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const TCHAR* ValueText, ENotify Notify = ENotify::ChainProperty);

	/** Appends a default element to the array at Path (the "+" button), raising an ArrayAdd change. */
	FEditResult AddArrayElement(UObject* Object, const FString& Path, ENotify Notify = ENotify::ChainProperty);
	/** Removes element Index of the array at Path (the element's "Delete"), raising an ArrayRemove change. */
	FEditResult RemoveArrayElement(UObject* Object, const FString& Path, int32 Index, ENotify Notify = ENotify::ChainProperty);

	/** Reads the value at Path in text form; false when there is no such property. */
	bool GetPropertyTextByPath(UObject* Object, const FString& Path, FString& OutText);

	/**
	 * Evaluates an EditCondition expression ("bOverride_X", "!bA && (Count > 2 || Mode == EMode::B)",
	 * "IsOverride == false") against the members of Struct at Container, as the Details panel does.
	 * Unknown names make the condition false (the panel keeps such a row read-only).
	 */
	bool EvaluateEditCondition(const FString& Expression, const UStruct* Struct, const void* Container);
}
