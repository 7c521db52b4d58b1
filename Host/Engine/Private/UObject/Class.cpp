// Reflected types and the registry of what the program linked in.
#include "UObject/Class.h"
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/Package.h"
#include "UObject/GeneratedCppIncludes.h"
#include "Math/Vector.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Math/Rotator.h"
#include "Math/Quat.h"
#include "Math/Color.h"
#include "Math/IntPoint.h"
#include "Misc/Guid.h"
#include "Misc/CString.h"
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
	/** Leaky on purpose: reflection lives as long as the process, and stays reachable for leak checks. */
	template<class T>
	std::vector<T>& LeakyList()
	{
		static std::vector<T>* List = new std::vector<T>();
		return *List;
	}

	std::vector<UClass*>& AllClasses() { return LeakyList<UClass*>(); }
	std::vector<UScriptStruct*>& AllStructs() { return LeakyList<UScriptStruct*>(); }
	std::vector<UEnum*>& AllEnums() { return LeakyList<UEnum*>(); }
	std::vector<UClass* (*)()>& ClassRegistrations() { return LeakyList<UClass* (*)()>(); }
	std::vector<UScriptStruct* (*)()>& StructRegistrations() { return LeakyList<UScriptStruct* (*)()>(); }
	std::vector<UEnum* (*)()>& EnumRegistrations() { return LeakyList<UEnum* (*)()>(); }

	/** Runs every registered getter once, so that every linked-in type exists. */
	void ConstructAllRegistered()
	{
		static size_t DoneClasses = 0, DoneStructs = 0, DoneEnums = 0;
		for (; DoneEnums < EnumRegistrations().size(); ++DoneEnums)
		{
			EnumRegistrations()[DoneEnums]();
		}
		for (; DoneStructs < StructRegistrations().size(); ++DoneStructs)
		{
			StructRegistrations()[DoneStructs]();
		}
		for (; DoneClasses < ClassRegistrations().size(); ++DoneClasses)
		{
			ClassRegistrations()[DoneClasses]();
		}
	}

	UClass* MakeIntrinsicClass(const TCHAR* Name, UClass* Super, int32 Size, int32 Alignment, EClassFlags Flags, UClass::ClassConstructorType Constructor)
	{
		UClass* Class = new UClass(FName(Name), Super, Size, Alignment, Flags | CLASS_Native | CLASS_Intrinsic, Constructor);
		Class->SetReflectedClassInternal(UClass::StaticClass());
		AllClasses().push_back(Class);
		return Class;
	}
}

// ---------------------------------------------------------------------------------------------
// Intrinsic classes (the engine declares these by hand too)

UClass* UObject::StaticClass()
{
	static UClass* Class = nullptr;
	if (!Class)
	{
		Class = MakeIntrinsicClass(TEXT("Object"), nullptr, sizeof(UObject), alignof(UObject), CLASS_None,
			[](const FObjectInitializer& X) { new ((EInternal*)X.GetObj()) UObject; });
	}
	return Class;
}

UClass* UPackage::StaticClass()
{
	static UClass* Class = nullptr;
	if (!Class)
	{
		Class = MakeIntrinsicClass(TEXT("Package"), UObject::StaticClass(), sizeof(UPackage), alignof(UPackage), CLASS_Transient,
			[](const FObjectInitializer& X) { new ((EInternal*)X.GetObj()) UPackage; });
	}
	return Class;
}

// What generated code calls to reach the hand-declared classes.
COREUOBJECT_API UClass* Z_Construct_UClass_UObject_NoRegister();
COREUOBJECT_API UClass* Z_Construct_UClass_UPackage_NoRegister();
UClass* Z_Construct_UClass_UObject_NoRegister() { return UObject::StaticClass(); }
UClass* Z_Construct_UClass_UPackage_NoRegister() { return UPackage::StaticClass(); }

#define HOST_IMPLEMENT_REFLECTION_CLASS(TClass, TName, TSuper) \
	UClass* TClass::StaticClass() \
	{ \
		static UClass* Class = nullptr; \
		if (!Class) \
		{ \
			Class = MakeIntrinsicClass(TEXT(TName), TSuper::StaticClass(), sizeof(TClass), alignof(TClass), CLASS_None, nullptr); \
		} \
		return Class; \
	}

HOST_IMPLEMENT_REFLECTION_CLASS(UField, "Field", UObject)
HOST_IMPLEMENT_REFLECTION_CLASS(UStruct, "Struct", UField)
HOST_IMPLEMENT_REFLECTION_CLASS(UScriptStruct, "ScriptStruct", UStruct)
HOST_IMPLEMENT_REFLECTION_CLASS(UFunction, "Function", UStruct)
HOST_IMPLEMENT_REFLECTION_CLASS(UEnum, "Enum", UField)

UClass* UClass::StaticClass()
{
	static UClass* Class = nullptr;
	if (!Class)
	{
		// The class of classes is its own class.
		Class = new UClass(FName(TEXT("Class")), nullptr, sizeof(UClass), alignof(UClass), CLASS_Native | CLASS_Intrinsic, nullptr);
		Class->SetReflectedClassInternal(Class);
		AllClasses().push_back(Class);
		Class->SuperStruct = UStruct::StaticClass();
	}
	return Class;
}

// ---------------------------------------------------------------------------------------------
// UField

const FString& FHostMetaData::Get(const FName& Key) const
{
	static const FString Empty;
	const FString* Value = Map.Find(Key);
	return Value ? *Value : Empty;
}

UField::UField(FName InName)
	: UObject(EC_StaticConstructor, (EObjectFlags)(RF_Public | RF_MarkAsNative))
{
	NamePrivate = InName;
}

UClass* UField::GetOwnerClass() const
{
	for (const UObject* It = this; It; It = It->GetOuter())
	{
		if (const UFunction* Function = dynamic_cast<const UFunction*>(It))
		{
			return Function->GetOwnerClass();
		}
		if (It->GetClass() == UClass::StaticClass())
		{
			return (UClass*)It;
		}
	}
	return nullptr;
}

UStruct* UField::GetOwnerStruct() const
{
	if (const UFunction* Function = dynamic_cast<const UFunction*>(this))
	{
		return Function->GetOwnerClass();
	}
	return dynamic_cast<UStruct*>(const_cast<UField*>(this));
}

#if WITH_EDITOR
bool UField::GetBoolMetaData(const FName& Key) const
{
	const FString& Value = MetaData.Get(Key);
	return Value.IsEmpty() ? HasMetaData(Key) : Value == TEXT("true");
}

float UField::GetFloatMetaData(const FName& Key) const
{
	return FCString::Atof(*MetaData.Get(Key));
}

int32 UField::GetIntMetaData(const FName& Key) const
{
	return FCString::Atoi(*MetaData.Get(Key));
}
#endif

// ---------------------------------------------------------------------------------------------
// UStruct and friends

UStruct::UStruct(FName InName, UStruct* InSuperStruct, int32 InSize, int32 InAlignment)
	: UField(InName), SuperStruct(InSuperStruct), PropertiesSize(InSize), MinAlignment(InAlignment)
{
}

FProperty* UStruct::FindPropertyByName(FName InName) const
{
	return FindFProperty<FProperty>(this, InName);
}

void UStruct::AddCppProperty(FField* Property)
{
	if (LastChildProperty)
	{
		LastChildProperty->Next = Property;
	}
	else
	{
		ChildProperties = Property;
	}
	LastChildProperty = Property;
}

UScriptStruct::UScriptStruct(FName InName, UScriptStruct* InSuperStruct, int32 InSize, int32 InAlignment, const FHostCppStructOps& InOps, EStructFlags InFlags)
	: UStruct(InName, InSuperStruct, InSize, InAlignment), StructFlags(InFlags), CppStructOps(InOps)
{
}

void UScriptStruct::InitializeStruct(void* Dest, int32 ArrayDim) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Construct((uint8*)Dest + Index * PropertiesSize);
	}
}

void UScriptStruct::DestroyStruct(void* Dest, int32 ArrayDim) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Destruct((uint8*)Dest + Index * PropertiesSize);
	}
}

void UScriptStruct::CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Copy((uint8*)Dest + Index * PropertiesSize, (const uint8*)Src + Index * PropertiesSize);
	}
}

bool UScriptStruct::CompareScriptStruct(const void* A, const void* B, uint32 PortFlags) const
{
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		for (int32 Index = 0; Index < It->ArrayDim; ++Index)
		{
			if (!It->Identical(It->ContainerPtrToValuePtr<void>(A, Index), It->ContainerPtrToValuePtr<void>(B, Index), PortFlags))
			{
				return false;
			}
		}
	}
	return true;
}

UClass::UClass(FName InName, UClass* InSuperClass, int32 InSize, int32 InAlignment, EClassFlags InFlags, ClassConstructorType InConstructor)
	: UStruct(InName, InSuperClass, InSize, InAlignment), ClassConstructor(InConstructor), ClassFlags(InFlags)
{
}

UObject* UClass::GetDefaultObject(bool bCreateIfNeeded) const
{
	if (!ClassDefaultObject && bCreateIfNeeded && ClassConstructor && !HasAnyClassFlags(CLASS_Abstract))
	{
		FStaticConstructObjectParameters Params(this);
		Params.Name = FName(*(FString(TEXT("Default__")) + GetName()));
		Params.SetFlags = (EObjectFlags)(RF_Public | RF_ClassDefaultObject | RF_ArchetypeObject);
		ClassDefaultObject = StaticConstructObject_Internal(Params);
		ClassDefaultObject->AddToRoot();
		// One-bit members are reached through accessors; their byte and mask are found on the default.
		for (TFieldIterator<FBoolProperty> It(this); It; ++It)
		{
			It->GetByteOffset();
		}
	}
	return ClassDefaultObject;
}

UFunction* UClass::FindFunctionByName(FName InName, bool bIncludeSuper) const
{
	for (const UClass* Class = this; Class; Class = bIncludeSuper ? Class->GetSuperClass() : nullptr)
	{
		for (UField* Field = Class->Children; Field; Field = Field->Next)
		{
			if (Field->GetFName() == InName)
			{
				return (UFunction*)Field;
			}
		}
	}
	return nullptr;
}

FString UClass::GetPathName() const
{
	FString Result(TEXT("/Script/"));
	Result += ModuleName.IsNone() ? FString(TEXT("CoreUObject")) : ModuleName.ToString();
	Result += TEXT(".");
	Result += GetName();
	return Result;
}

UFunction::UFunction(UClass* InOwner, FName InName, EFunctionFlags InFlags, int32 InParmsSize)
	: UStruct(InName, nullptr, InParmsSize, 8), FunctionFlags(InFlags), ParmsSize(InParmsSize), OwnerClass(InOwner)
{
	OuterPrivate = InOwner;
	if (InOwner->LastChild)
	{
		InOwner->LastChild->Next = this;
	}
	else
	{
		InOwner->Children = this;
	}
	InOwner->LastChild = this;
}

FProperty* UFunction::GetReturnProperty() const
{
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		if (It->HasAnyPropertyFlags(CPF_ReturnParm))
		{
			return *It;
		}
	}
	return nullptr;
}

int32 UFunction::NumParms() const
{
	int32 Count = 0;
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		++Count;
	}
	return Count;
}

// ---------------------------------------------------------------------------------------------
// UEnum

UEnum::UEnum(FName InName, ECppForm InCppForm, TArray<TPair<FName, int64>>&& InNames)
	: UField(InName), CppForm(InCppForm), Names(MoveTemp(InNames))
{
}

FName UEnum::GetNameByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Key : FName();
}

FName UEnum::GetNameByValue(int64 InValue) const
{
	return GetNameByIndex(GetIndexByValue(InValue));
}

int64 UEnum::GetValueByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Value : INDEX_NONE;
}

int32 UEnum::GetIndexByValue(int64 InValue) const
{
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].Value == InValue)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int32 UEnum::GetIndexByName(const FName InName) const
{
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].Key == InName || FName(*GetNameStringByIndex(Index)) == InName)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int64 UEnum::GetValueByName(FName InName) const
{
	return GetValueByIndex(GetIndexByName(InName));
}

int64 UEnum::GetValueByNameString(const FString& SearchString) const
{
	return GetValueByName(FName(*SearchString));
}

FString UEnum::GetNameStringByIndex(int32 InIndex) const
{
	if (!Names.IsValidIndex(InIndex))
	{
		return FString();
	}
	FString Full = Names[InIndex].Key.ToString();
	int32 Colon = Full.Find(TEXT("::"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Colon == INDEX_NONE ? Full : Full.Mid(Colon + 2);
}

FString UEnum::GetNameStringByValue(int64 InValue) const
{
	return GetNameStringByIndex(GetIndexByValue(InValue));
}

FString UEnum::GetDisplayNameStringByIndex(int32 InIndex) const
{
#if WITH_EDITOR
	if (HasMetaData(TEXT("DisplayName"), InIndex))
	{
		return GetMetaData(TEXT("DisplayName"), InIndex);
	}
#endif
	return GetNameStringByIndex(InIndex);
}

FString UEnum::GetDisplayNameStringByValue(int64 InValue) const
{
	return GetDisplayNameStringByIndex(GetIndexByValue(InValue));
}

int64 UEnum::GetMaxEnumValue() const
{
	int64 Max = 0;
	for (const TPair<FName, int64>& Pair : Names)
	{
		Max = Pair.Value > Max ? Pair.Value : Max;
	}
	return Max;
}

FName UEnum::EnumeratorMetaKey(const TCHAR* Key, int32 NameIndex) const
{
	if (NameIndex == INDEX_NONE)
	{
		return FName(Key);
	}
	FString Full = GetNameStringByIndex(NameIndex);
	Full += TEXT(".");
	Full += Key;
	return FName(*Full);
}

#if WITH_EDITOR
FString UEnum::GetMetaData(const TCHAR* Key, int32 NameIndex, bool) const
{
	return MetaData.Get(EnumeratorMetaKey(Key, NameIndex));
}

bool UEnum::HasMetaData(const TCHAR* Key, int32 NameIndex) const
{
	return MetaData.Has(EnumeratorMetaKey(Key, NameIndex));
}

void UEnum::SetMetaData(const TCHAR* Key, const TCHAR* InValue, int32 NameIndex)
{
	MetaData.Set(EnumeratorMetaKey(Key, NameIndex), FString(InValue));
}
#endif

// ---------------------------------------------------------------------------------------------
// Registry

void GetAllRegisteredClasses(TArray<UClass*>& OutClasses)
{
	ConstructAllRegistered();
	OutClasses.Reset();
	for (UClass* Class : AllClasses())
	{
		OutClasses.Add(Class);
	}
}

void GetDerivedClasses(const UClass* ClassToLookFor, TArray<UClass*>& Results, bool bRecursive)
{
	ConstructAllRegistered();
	for (UClass* Class : AllClasses())
	{
		if (Class != ClassToLookFor && (bRecursive ? Class->IsChildOf(ClassToLookFor) : Class->GetSuperClass() == ClassToLookFor))
		{
			Results.Add(Class);
		}
	}
}

UClass* FindHostClass(FName ClassName)
{
	ConstructAllRegistered();
	for (UClass* Class : AllClasses())
	{
		if (Class->GetFName() == ClassName)
		{
			return Class;
		}
	}
	return nullptr;
}

UScriptStruct* FindHostStruct(FName StructName)
{
	ConstructAllRegistered();
	for (UScriptStruct* Struct : AllStructs())
	{
		if (Struct->GetFName() == StructName)
		{
			return Struct;
		}
	}
	return nullptr;
}

UEnum* FindHostEnum(FName EnumName)
{
	ConstructAllRegistered();
	for (UEnum* Enum : AllEnums())
	{
		if (Enum->GetFName() == EnumName)
		{
			return Enum;
		}
	}
	return nullptr;
}

// ---------------------------------------------------------------------------------------------
// What generated code calls

namespace UECodeGen_Private
{
	UEnum* ConstructUEnum(const TCHAR* Name, UEnum::ECppForm CppForm, std::initializer_list<FEnumeratorParam> Enumerators)
	{
		TArray<TPair<FName, int64>> Names;
		for (const FEnumeratorParam& Param : Enumerators)
		{
			Names.Add(TPair<FName, int64>(FName(Param.NameUTF16), Param.Value));
		}
		UEnum* Enum = new UEnum(FName(Name), CppForm, MoveTemp(Names));
		Enum->SetReflectedClassInternal(UEnum::StaticClass());
		AllEnums().push_back(Enum);
		return Enum;
	}

	UScriptStruct* ConstructUScriptStructWithOps(const TCHAR* Name, UScriptStruct* Super, int32 Size, int32 Alignment, const FHostCppStructOps& Ops, EStructFlags Flags)
	{
		UScriptStruct* Struct = new UScriptStruct(FName(Name), Super, Size, Alignment, Ops, Flags | STRUCT_Native);
		Struct->SetReflectedClassInternal(UScriptStruct::StaticClass());
		AllStructs().push_back(Struct);
		return Struct;
	}

	void FinishStruct(UScriptStruct* Struct)
	{
		for (TFieldIterator<FBoolProperty> It(Struct, EFieldIterationFlags::None); It; ++It)
		{
			It->GetByteOffset();
		}
	}

	UClass* ConstructUClass(const TCHAR* Name, UClass* Super, int32 Size, int32 Alignment, EClassFlags Flags, UClass::ClassConstructorType Constructor)
	{
		UClass* Class = new UClass(FName(Name), Super, Size, Alignment, Flags | CLASS_Native, Constructor);
		Class->SetReflectedClassInternal(UClass::StaticClass());
		AllClasses().push_back(Class);
		return Class;
	}

	void FinishClass(UClass* Class)
	{
		Class->ClassFlags |= CLASS_Constructed;
	}

	UFunction* ConstructUFunction(UClass* Owner, const TCHAR* Name, EFunctionFlags Flags, int32 ParmsSize)
	{
		UFunction* Function = new UFunction(Owner, FName(Name), Flags, ParmsSize);
		Function->SetReflectedClassInternal(UFunction::StaticClass());
		return Function;
	}

	FRegisterCompiledInClass::FRegisterCompiledInClass(UClass* (*Fn)()) { ClassRegistrations().push_back(Fn); }
	FRegisterCompiledInStruct::FRegisterCompiledInStruct(UScriptStruct* (*Fn)()) { StructRegistrations().push_back(Fn); }
	FRegisterCompiledInEnum::FRegisterCompiledInEnum(UEnum* (*Fn)()) { EnumRegistrations().push_back(Fn); }
}

// ---------------------------------------------------------------------------------------------
// Core structs, reflected by hand as the engine's NoExportTypes are

namespace
{
	template<class T>
	UScriptStruct* MakeCoreStruct(const TCHAR* Name)
	{
		return UECodeGen_Private::ConstructUScriptStruct<T>(Name, nullptr, (EStructFlags)(STRUCT_Atomic | STRUCT_IsPlainOldData));
	}
}

#define HOST_CORE_STRUCT(TFunc, TType, TName, ...) \
	UScriptStruct* TFunc() \
	{ \
		static UScriptStruct* Struct = nullptr; \
		if (!Struct) \
		{ \
			Struct = MakeCoreStruct<TType>(TEXT(TName)); \
			using T = TType; \
			__VA_ARGS__ \
		} \
		return Struct; \
	}

#define HOST_CORE_FIELD(TProp, TMember) \
	new TProp(Struct, FName(TEXT(#TMember)), CPF_Edit | CPF_BlueprintVisible, (int32)STRUCT_OFFSET(T, TMember));

HOST_GENCPP_BEGIN
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FVector, FVector, "Vector",
	HOST_CORE_FIELD(FDoubleProperty, X) HOST_CORE_FIELD(FDoubleProperty, Y) HOST_CORE_FIELD(FDoubleProperty, Z))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FVector3f, FVector3f, "Vector3f",
	HOST_CORE_FIELD(FFloatProperty, X) HOST_CORE_FIELD(FFloatProperty, Y) HOST_CORE_FIELD(FFloatProperty, Z))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FVector2D, FVector2D, "Vector2D",
	HOST_CORE_FIELD(FDoubleProperty, X) HOST_CORE_FIELD(FDoubleProperty, Y))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FVector4, FVector4, "Vector4",
	HOST_CORE_FIELD(FDoubleProperty, X) HOST_CORE_FIELD(FDoubleProperty, Y) HOST_CORE_FIELD(FDoubleProperty, Z) HOST_CORE_FIELD(FDoubleProperty, W))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FRotator, FRotator, "Rotator",
	HOST_CORE_FIELD(FDoubleProperty, Pitch) HOST_CORE_FIELD(FDoubleProperty, Yaw) HOST_CORE_FIELD(FDoubleProperty, Roll))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FQuat, FQuat, "Quat",
	HOST_CORE_FIELD(FDoubleProperty, X) HOST_CORE_FIELD(FDoubleProperty, Y) HOST_CORE_FIELD(FDoubleProperty, Z) HOST_CORE_FIELD(FDoubleProperty, W))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FLinearColor, FLinearColor, "LinearColor",
	HOST_CORE_FIELD(FFloatProperty, R) HOST_CORE_FIELD(FFloatProperty, G) HOST_CORE_FIELD(FFloatProperty, B) HOST_CORE_FIELD(FFloatProperty, A))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FColor, FColor, "Color",
	HOST_CORE_FIELD(FByteProperty, B) HOST_CORE_FIELD(FByteProperty, G) HOST_CORE_FIELD(FByteProperty, R) HOST_CORE_FIELD(FByteProperty, A))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FGuid, FGuid, "Guid",
	HOST_CORE_FIELD(FUInt32Property, A) HOST_CORE_FIELD(FUInt32Property, B) HOST_CORE_FIELD(FUInt32Property, C) HOST_CORE_FIELD(FUInt32Property, D))
HOST_CORE_STRUCT(Z_Construct_UScriptStruct_FIntPoint, FIntPoint, "IntPoint",
	HOST_CORE_FIELD(FIntProperty, X) HOST_CORE_FIELD(FIntProperty, Y))
HOST_GENCPP_END
