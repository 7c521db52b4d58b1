#include "Settings/LM_Settings.h"

#include "MaterialTypes.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialInterface.h"
#include "Misc/Guid.h"

// The toggles record mirrors the post-process material's parameter list and is rebuilt in the
// editor whenever the material changes; each override's entries record is rebuilt from the toggles
// whenever a toggle changes; the entries are written to the material's dynamic instance every
// frame. Rebuilds remember what the designer set by parameter name, so a rebuild never loses an
// edit of a parameter that is still in use. Parameters are addressed as global parameters by name.

namespace
{
	// The order the editor lists parameters in: alphabetical, case-insensitive ("a" before "B").
	template<typename RecordType>
	void SortByName(TArray<RecordType>& Records)
	{
		Records.Sort([](const RecordType& A, const RecordType& B) { return A.Name.LexicalLess(B.Name); });
	}

	// Later duplicates of a name (which the editor cannot produce) never shadow the first one.
	template<typename RecordType, typename ValueType, typename ProjectionType>
	TMap<FName, ValueType> RememberByName(const TArray<RecordType>& Records, ProjectionType Projection)
	{
		TMap<FName, ValueType> Remembered;
		Remembered.Reserve(Records.Num());
		for (const RecordType& Record : Records)
		{
			if (!Remembered.Contains(Record.Name))
			{
				Remembered.Add(Record.Name, Projection(Record));
			}
		}
		return Remembered;
	}

	template<typename EntryType, typename ReadValueType>
	void RebuildToggleList(TArray<FLM_MaterialParameterToggle>& Toggles, TArray<EntryType>& Defaults,
		const TArray<FMaterialParameterInfo>& Parameters, const TMap<FName, bool>& RememberedInUse, ReadValueType ReadValue)
	{
		Toggles.Reserve(Parameters.Num());
		Defaults.Reserve(Parameters.Num());
		for (const FMaterialParameterInfo& Parameter : Parameters)
		{
			FLM_MaterialParameterToggle Toggle;
			Toggle.Name = Parameter.Name;
			Toggle.InUse = RememberedInUse.FindRef(Parameter.Name);
			Toggles.Add(Toggle);

			EntryType Default;
			Default.Name = Parameter.Name;
			Default.Value = ReadValue(Parameter);
			Defaults.Add(Default);
		}
		SortByName(Toggles);
	}

	/**
	 * Rebuilds one entry list from one toggle list. Every previous entry that does not survive is
	 * queued for a reset: switched off, or gone from the material altogether (a renamed parameter).
	 */
	template<typename EntryType, typename ValueType>
	void RebuildEntryList(TArray<EntryType>& Entries, TSet<FName>& ToReset, const TArray<FLM_MaterialParameterToggle>& Toggles,
		const TArray<EntryType>& Defaults, const ValueType& Fallback)
	{
		const TMap<FName, ValueType> Remembered = RememberByName<EntryType, ValueType>(Entries, [](const EntryType& Entry) { return Entry.Value; });
		Entries.Reset();

		for (const FLM_MaterialParameterToggle& Toggle : Toggles)
		{
			if (!Toggle.InUse)
			{
				continue;
			}
			ValueType Value = Fallback;
			if (const ValueType* Kept = Remembered.Find(Toggle.Name))
			{
				Value = *Kept;
			}
			else if (const EntryType* Default = Defaults.FindByPredicate([&Toggle](const EntryType& Candidate) { return Candidate.Name == Toggle.Name; }))
			{
				Value = Default->Value;
			}
			EntryType Entry;
			Entry.Name = Toggle.Name;
			Entry.Value = Value;
			Entries.Add(Entry);
		}

		for (const TPair<FName, ValueType>& Previous : Remembered)
		{
			if (!Entries.ContainsByPredicate([&Previous](const EntryType& Entry) { return Entry.Name == Previous.Key; }))
			{
				ToReset.Add(Previous.Key);
			}
		}
		SortByName(Entries);
	}

	/**
	 * Writes each named entry to the instance's override of that name, as SetScalarParameterValue would:
	 * the override is added when missing and left alone when it already holds the value. Setting by name
	 * searches the overrides, so writing every entry every frame would cost the square of their number.
	 * The instance appends overrides in the order they are first set, so after the first frame each
	 * entry's override is the one after the previous entry's: checking that place first and setting by
	 * index keeps a frame linear; any other place falls back to the search.
	 */
	template<typename EntryType, typename OverrideType, typename InitializeType, typename SetByIndexType>
	void WriteEntries(const TArray<EntryType>& Entries, const TArray<OverrideType>& Overrides, InitializeType InitializeAndGetIndex, SetByIndexType SetByIndex)
	{
		int32 ExpectedIndex = 0;
		for (const EntryType& Entry : Entries)
		{
			if (Entry.Name.IsNone())
			{
				continue;
			}
			if (Overrides.IsValidIndex(ExpectedIndex) && Overrides[ExpectedIndex].ParameterInfo == FMaterialParameterInfo(Entry.Name))
			{
				if (Overrides[ExpectedIndex].ParameterValue != Entry.Value)
				{
					SetByIndex(ExpectedIndex, Entry.Value);
				}
				++ExpectedIndex;
				continue;
			}
			int32 Index = INDEX_NONE;
			InitializeAndGetIndex(Entry.Name, Entry.Value, Index);
			ExpectedIndex = Index + 1;
		}
	}
}

namespace LM_MaterialParameters
{
	void SyncToggles(FLM_MaterialParameterToggles& Toggles, const UMaterialInterface* Material)
	{
		if (!Material)
		{
			return;
		}

		const auto InUse = [](const FLM_MaterialParameterToggle& Toggle) { return Toggle.InUse; };
		const TMap<FName, bool> ScalarInUse = RememberByName<FLM_MaterialParameterToggle, bool>(Toggles.ScalarParameterToggles, InUse);
		const TMap<FName, bool> VectorInUse = RememberByName<FLM_MaterialParameterToggle, bool>(Toggles.VectorParameterToggles, InUse);

		Toggles.ScalarParameterToggles.Reset();
		Toggles.VectorParameterToggles.Reset();
		Toggles.ScalarParameterDefaults.Reset();
		Toggles.VectorParameterDefaults.Reset();

		TArray<FMaterialParameterInfo> Parameters;
		TArray<FGuid> ParameterIds;

		Material->GetAllScalarParameterInfo(Parameters, ParameterIds);
		RebuildToggleList(Toggles.ScalarParameterToggles, Toggles.ScalarParameterDefaults, Parameters, ScalarInUse,
			[Material](const FMaterialParameterInfo& Parameter)
			{
				float Value = 0.0f;
				Material->GetScalarParameterValue(FMaterialParameterInfo(Parameter.Name), Value, false);
				return Value;
			});

		Material->GetAllVectorParameterInfo(Parameters, ParameterIds);
		RebuildToggleList(Toggles.VectorParameterToggles, Toggles.VectorParameterDefaults, Parameters, VectorInUse,
			[Material](const FMaterialParameterInfo& Parameter)
			{
				FLinearColor Value(0.0f, 0.0f, 0.0f, 1.0f);
				Material->GetVectorParameterValue(FMaterialParameterInfo(Parameter.Name), Value, false);
				return Value;
			});
	}

	void SyncEntries(FLM_MaterialParameterEntries& Entries, const FLM_MaterialParameterToggles& Toggles)
	{
		RebuildEntryList(Entries.ScalarParameterEntries, Entries.ScalarParametersToReset, Toggles.ScalarParameterToggles,
			Toggles.ScalarParameterDefaults, 0.0f);
		RebuildEntryList(Entries.VectorParameterEntries, Entries.VectorParametersToReset, Toggles.VectorParameterToggles,
			Toggles.VectorParameterDefaults, FLinearColor(0.0f, 0.0f, 0.0f, 1.0f));
	}

	void ApplyParameterEntries(FLM_MaterialParameterEntries& Entries, UMaterialInstanceDynamic* MaterialInstance)
	{
		if (!MaterialInstance)
		{
			return;
		}

		// Resets first, so that an entry of the same name still wins.
		for (const FName& Name : Entries.ScalarParametersToReset)
		{
			float Default = 0.0f;
			if (MaterialInstance->GetScalarParameterDefaultValue(FMaterialParameterInfo(Name), Default))
			{
				MaterialInstance->SetScalarParameterValue(Name, Default);
			}
		}
		for (const FName& Name : Entries.VectorParametersToReset)
		{
			FLinearColor Default(0.0f, 0.0f, 0.0f, 1.0f);
			if (MaterialInstance->GetVectorParameterDefaultValue(FMaterialParameterInfo(Name), Default))
			{
				MaterialInstance->SetVectorParameterValue(Name, Default);
			}
		}
		// Reset, not Empty: the director applies the same blended record every frame and keeps its storage.
		Entries.ScalarParametersToReset.Reset();
		Entries.VectorParametersToReset.Reset();

		WriteEntries(Entries.ScalarParameterEntries, MaterialInstance->ScalarParameterValues,
			[MaterialInstance](const FName Name, const float Value, int32& OutIndex) { return MaterialInstance->InitializeScalarParameterAndGetIndex(Name, Value, OutIndex); },
			[MaterialInstance](const int32 Index, const float Value) { MaterialInstance->SetScalarParameterByIndex(Index, Value); });
		WriteEntries(Entries.VectorParameterEntries, MaterialInstance->VectorParameterValues,
			[MaterialInstance](const FName Name, const FLinearColor& Value, int32& OutIndex) { return MaterialInstance->InitializeVectorParameterAndGetIndex(Name, Value, OutIndex); },
			[MaterialInstance](const int32 Index, const FLinearColor& Value) { MaterialInstance->SetVectorParameterByIndex(Index, Value); });
	}
}
