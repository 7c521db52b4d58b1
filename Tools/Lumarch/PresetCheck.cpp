// Walks the preset and its dynamic preset by reflection beside a default one of each class: the
// defaults tell which values a file has set, which is what matters for greyed-out (edit-condition
// locked) rows, since every row holds some value.
#include "PresetCheck.h"
#include "CoreMinimal.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "HostSupport/EditorSimulation.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
	std::string Utf8(const FString& Text) { return Text.ToStdString(); }

	std::string Number(double Value)
	{
		char Buffer[32];
		std::snprintf(Buffer, sizeof(Buffer), "%g", Value);
		return Buffer;
	}

	std::string Join(const std::string& Path, const std::string& Name) { return Path.empty() ? Name : Path + "." + Name; }

	std::string ValueText(const FProperty* Property, const void* Value)
	{
		FString Text;
		Property->ExportTextItem_Direct(Text, Value, nullptr, nullptr, 0);
		return Utf8(Text);
	}

	/** A member of a struct by name, as a number; false when there is no such number. */
	bool ReadNumber(const UStruct* Struct, const void* Container, const TCHAR* Name, double& Out)
	{
		const FNumericProperty* Numeric = CastField<FNumericProperty>(FindFProperty<FProperty>(Struct, FName(Name)));
		if (Numeric == nullptr)
		{
			return false;
		}
		const void* Value = Numeric->ContainerPtrToValuePtr<void>(Container);
		Out = Numeric->IsFloatingPoint() ? Numeric->GetFloatingPointPropertyValue(Value) : double(Numeric->GetSignedIntPropertyValue(Value));
		return true;
	}

	/** A one-bit or plain bool member by name; Default when there is none (a field without a toggle is always in effect). */
	bool ReadBool(const UStruct* Struct, const void* Container, const TCHAR* Name, bool Default)
	{
		const FBoolProperty* Bool = CastField<FBoolProperty>(FindFProperty<FProperty>(Struct, FName(Name)));
		return Bool ? Bool->GetPropertyValue_InContainer(Container) : Default;
	}

	class FChecker
	{
	public:
		std::vector<std::string> Findings;

		void CheckStruct(const UStruct* Struct, const void* Container, const void* Defaults, const std::string& Path)
		{
			CheckDegenerate(Struct, Container, Path);
			for (TFieldIterator<FProperty> It(Struct); It; ++It)
			{
				const FProperty* Property = *It;
				if (Property->HasAnyPropertyFlags(CPF_Transient))
				{
					continue;
				}
				const std::string MemberPath = Join(Path, Utf8(Property->GetName()));
				const void* Value = Property->ContainerPtrToValuePtr<void>(Container);
				const void* Default = Defaults ? Property->ContainerPtrToValuePtr<void>(Defaults) : nullptr;
				const FString& Condition = Property->GetMetaData(TEXT("EditCondition"));
				if (!Condition.IsEmpty() && Default && !HostEditor::EvaluateEditCondition(Condition, Struct, Container) && !Property->Identical(Value, Default))
				{
					Findings.push_back(MemberPath + ": set to " + ValueText(Property, Value) + " while its edit condition '" + Utf8(Condition) +
						"' is false (the editor shows it locked at " + ValueText(Property, Default) + ")");
				}
				CheckValue(Property, Value, Default, MemberPath);
			}
		}

	private:
		void CheckValue(const FProperty* Property, const void* Value, const void* Default, const std::string& Path)
		{
			if (const FStructProperty* Struct = CastField<FStructProperty>(Property))
			{
				CheckStruct(Struct->Struct, Value, Default, Path);
				return;
			}
			if (const FArrayProperty* Array = CastField<FArrayProperty>(Property))
			{
				FScriptArrayHelper Helper(Array, const_cast<void*>(Value));
				// Elements a file added are compared with a newly made element, as the "+" button makes.
				std::unique_ptr<uint8[]> Fresh(new uint8[Array->Inner->GetElementSize()]);
				Array->Inner->InitializeValue(Fresh.get());
				for (int32 Index = 0; Index < Helper.Num(); ++Index)
				{
					CheckValue(Array->Inner, Helper.GetRawPtr(Index), Fresh.get(), Path + "[" + std::to_string(Index) + "]");
				}
				Array->Inner->DestroyValue(Fresh.get());
				return;
			}
			const FNumericProperty* Numeric = CastField<FNumericProperty>(Property);
			if (Numeric == nullptr || Numeric->GetIntPropertyEnum() != nullptr)
			{
				return;
			}
			const double Number = Numeric->IsFloatingPoint() ? Numeric->GetFloatingPointPropertyValue(Value) : double(Numeric->GetSignedIntPropertyValue(Value));
			const bool bHasMin = Property->HasMetaData(TEXT("ClampMin"));
			const bool bHasMax = Property->HasMetaData(TEXT("ClampMax"));
			const std::string MinText = bHasMin ? Utf8(Property->GetMetaData(TEXT("ClampMin"))) : std::string();
			const std::string MaxText = bHasMax ? Utf8(Property->GetMetaData(TEXT("ClampMax"))) : std::string();
			if (bHasMin && Number < std::strtod(MinText.c_str(), nullptr))
			{
				Findings.push_back(Path + ": " + ValueText(Property, Value) + " is below the editor's limit " + MinText);
			}
			if (bHasMax && Number > std::strtod(MaxText.c_str(), nullptr))
			{
				Findings.push_back(Path + ": " + ValueText(Property, Value) + " is above the editor's limit " + MaxText);
			}
		}

		/** Values the editor allows but that leave nothing to see: one look all day, a light that snaps, no focus range. */
		void CheckDegenerate(const UStruct* Struct, const void* Container, const std::string& Path)
		{
			double A = 0.0;
			double B = 0.0;
			if (ReadBool(Struct, Container, TEXT("bOverride_DayLightFraction"), false) && ReadNumber(Struct, Container, TEXT("DayLightFraction"), A) && (A <= 0.0 || A >= 1.0))
			{
				Findings.push_back(Join(Path, "DayLightFraction") + ": " + Number(A) + (A <= 0.0 ? " keeps the sun below the horizon all day" : " keeps the sun above the horizon all day"));
			}
			if (ReadNumber(Struct, Container, TEXT("FadeStartDeg"), A) && ReadNumber(Struct, Container, TEXT("FadeEndDeg"), B) && A == B)
			{
				Findings.push_back(Path + ": a fade range of zero width (FadeStartDeg = FadeEndDeg = " + Number(A) + "): the light switches instead of fading");
			}
			if (ReadBool(Struct, Container, TEXT("bOverride_MinFocalDepth"), true) && ReadBool(Struct, Container, TEXT("bOverride_MaxFocalDepth"), true) &&
				ReadNumber(Struct, Container, TEXT("MinFocalDepth"), A) && ReadNumber(Struct, Container, TEXT("MaxFocalDepth"), B) && A > B)
			{
				Findings.push_back(Path + ": MinFocalDepth " + Number(A) + " is beyond MaxFocalDepth " + Number(B) + " (inverted focal depths)");
			}
			if (ReadBool(Struct, Container, TEXT("bOverride_MinEV100"), true) && ReadBool(Struct, Container, TEXT("bOverride_MaxEV100"), true) &&
				ReadNumber(Struct, Container, TEXT("MinEV100"), A) && ReadNumber(Struct, Container, TEXT("MaxEV100"), B) && A > B)
			{
				Findings.push_back(Path + ": MinEV100 " + Number(A) + " is above MaxEV100 " + Number(B) + " (an empty exposure range)");
			}
		}
	};
}

std::vector<std::string> CheckPreset(const ULM_Preset* Preset)
{
	FChecker Checker;
	// Freshly made objects hold the class defaults, as the class default object would.
	const ULM_Preset* Defaults = NewObject<ULM_Preset>(GetTransientPackage());
	Checker.CheckStruct(ULM_Preset::StaticClass(), Preset, Defaults, std::string());
	if (Preset->DynamicOverrides)
	{
		Checker.CheckStruct(ULM_DynamicPreset::StaticClass(), Preset->DynamicOverrides, NewObject<ULM_DynamicPreset>(GetTransientPackage()), "DynamicOverrides");
	}
	return Checker.Findings;
}
