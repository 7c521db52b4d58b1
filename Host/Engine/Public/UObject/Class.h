// Reflected types: UStruct (a property list with a super struct), UScriptStruct (USTRUCTs),
// UClass (UCLASSes: constructor, default object), UFunction (UFUNCTIONs) and UEnum (UENUMs).
#pragma once

#include "CoreTypes.h"
#include "UObject/Field.h"

class FProperty;
class UFunction;

class COREUOBJECT_API UStruct : public UField
{
public:
	typedef UField Super;
	typedef UStruct ThisClass;
	static UClass* StaticClass();

	UStruct(FName InName, UStruct* InSuperStruct, int32 InSize, int32 InAlignment);

	UStruct* GetSuperStruct() const { return SuperStruct; }
	bool IsChildOf(const UStruct* SomeBase) const
	{
		for (const UStruct* It = this; It; It = It->SuperStruct)
		{
			if (It == SomeBase)
			{
				return true;
			}
		}
		return false;
	}
	template<class T>
	bool IsChildOf() const
	{
		return IsChildOf(T::StaticClass());
	}

	int32 GetPropertiesSize() const { return PropertiesSize; }
	int32 GetStructureSize() const { return PropertiesSize; }
	int32 GetMinAlignment() const { return MinAlignment; }

	/** Finds a property of this struct or of a super struct by name (case-insensitive, as names are). */
	FProperty* FindPropertyByName(FName InName) const;

	/** Appends a field in declared order (the header tool's generated code builds structs this way). */
	void AddCppProperty(FField* Property);

	/** First field declared by this struct (not its supers); fields link through FField::Next. */
	FField* ChildProperties = nullptr;
	/** Functions declared by this struct, linked through UField::Next. */
	UField* Children = nullptr;

protected:
	UStruct* SuperStruct;
	int32 PropertiesSize;
	int32 MinAlignment;
	FField* LastChildProperty = nullptr;
	UField* LastChild = nullptr;
	friend class UFunction;
};

/** How a native struct is constructed, copied and destroyed through reflection. */
struct COREUOBJECT_API FHostCppStructOps
{
	void (*Construct)(void* Dest) = nullptr;
	void (*Destruct)(void* Dest) = nullptr;
	void (*Copy)(void* Dest, const void* Src) = nullptr;
};

class COREUOBJECT_API UScriptStruct : public UStruct
{
public:
	typedef UStruct Super;
	typedef UScriptStruct ThisClass;
	static UClass* StaticClass();

	UScriptStruct(FName InName, UScriptStruct* InSuperStruct, int32 InSize, int32 InAlignment, const FHostCppStructOps& InOps, EStructFlags InFlags);

	EStructFlags StructFlags;

	/** Default-constructs ArrayDim values at Dest (raw memory). */
	void InitializeStruct(void* Dest, int32 ArrayDim = 1) const;
	void DestroyStruct(void* Dest, int32 ArrayDim = 1) const;
	void CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim = 1) const;
	/** Field-by-field comparison through reflection. */
	bool CompareScriptStruct(const void* A, const void* B, uint32 PortFlags = 0) const;
	const FHostCppStructOps& GetCppStructOps() const { return CppStructOps; }

private:
	FHostCppStructOps CppStructOps;
};

class COREUOBJECT_API UClass : public UStruct
{
public:
	typedef UStruct Super;
	typedef UClass ThisClass;
	static UClass* StaticClass();

	typedef void (*ClassConstructorType)(const FObjectInitializer&);

	UClass(FName InName, UClass* InSuperClass, int32 InSize, int32 InAlignment, EClassFlags InFlags, ClassConstructorType InConstructor);

	ClassConstructorType ClassConstructor;
	typedef void (*ClassAddReferencedObjectsType)(UObject*, class FReferenceCollector&);
	/** The class's AddReferencedObjects (its own or the nearest base's); set by the generated code. */
	ClassAddReferencedObjectsType ClassAddReferencedObjects = nullptr;
	EClassFlags ClassFlags;

	UClass* GetSuperClass() const { return static_cast<UClass*>(SuperStruct); }
	bool HasAnyClassFlags(EClassFlags FlagsToCheck) const { return (ClassFlags & FlagsToCheck) != 0; }
	bool HasAllClassFlags(EClassFlags FlagsToCheck) const { return (ClassFlags & FlagsToCheck) == FlagsToCheck; }

	/** The class default object, created on first request. */
	UObject* GetDefaultObject(bool bCreateIfNeeded = true) const;
	template<class T>
	T* GetDefaultObject() const
	{
		return static_cast<T*>(GetDefaultObject());
	}

	UFunction* FindFunctionByName(FName InName, bool bIncludeSuper = true) const;

	/** Path name as the engine prints it: "/Script/<Module>.<Name>". */
	FString GetPathName() const;
	FName ModuleName;

private:
	mutable UObject* ClassDefaultObject = nullptr;
};

class COREUOBJECT_API UFunction : public UStruct
{
public:
	typedef UStruct Super;
	typedef UFunction ThisClass;
	static UClass* StaticClass();

	UFunction(UClass* InOwner, FName InName, EFunctionFlags InFlags, int32 InParmsSize);

	EFunctionFlags FunctionFlags;
	int32 ParmsSize;

	bool HasAnyFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) != 0; }
	bool HasAllFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) == FlagsToCheck; }
	UClass* GetOwnerClass() const { return OwnerClass; }
	/** The return value property, or null for a void function. */
	FProperty* GetReturnProperty() const;
	int32 NumParms() const;

private:
	UClass* OwnerClass;
};

class COREUOBJECT_API UEnum : public UField
{
public:
	typedef UField Super;
	typedef UEnum ThisClass;
	static UClass* StaticClass();

	enum class ECppForm
	{
		Regular,
		Namespaced,
		EnumClass
	};

	UEnum(FName InName, ECppForm InCppForm, TArray<TPair<FName, int64>>&& InNames);

	ECppForm GetCppForm() const { return CppForm; }
	int32 NumEnums() const { return Names.Num(); }
	FName GetNameByIndex(int32 Index) const;
	FName GetNameByValue(int64 InValue) const;
	int64 GetValueByIndex(int32 Index) const;
	int32 GetIndexByValue(int64 InValue) const;
	int32 GetIndexByName(const FName InName) const;
	/** Accepts the full ("E::Value") or the short ("Value") name; INDEX_NONE when absent. */
	int64 GetValueByName(FName InName) const;
	int64 GetValueByNameString(const FString& SearchString) const;
	/** The enumerator's name without its enum prefix. */
	FString GetNameStringByIndex(int32 InIndex) const;
	FString GetNameStringByValue(int64 InValue) const;
	/** DisplayName metadata when present, else the short name (the editor's label). */
	FString GetDisplayNameStringByIndex(int32 InIndex) const;
	FString GetDisplayNameStringByValue(int64 InValue) const;
	bool IsValidEnumValue(int64 InValue) const { return GetIndexByValue(InValue) != INDEX_NONE; }
	int64 GetMaxEnumValue() const;

#if WITH_EDITOR
	using UField::GetMetaData;
	using UField::HasMetaData;
	using UField::SetMetaData;
	/** Metadata of one enumerator (NameIndex) or of the enum itself (INDEX_NONE). */
	FString GetMetaData(const TCHAR* Key, int32 NameIndex, bool bAllowRemap = true) const;
	bool HasMetaData(const TCHAR* Key, int32 NameIndex) const;
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue, int32 NameIndex);
#endif

private:
	FName EnumeratorMetaKey(const TCHAR* Key, int32 NameIndex) const;

	ECppForm CppForm;
	TArray<TPair<FName, int64>> Names;
};

/** Every class the module binaries registered, including the engine's intrinsic ones. */
COREUOBJECT_API void GetAllRegisteredClasses(TArray<UClass*>& OutClasses);
/** Classes deriving from ClassToLookFor (not itself), as the engine's UObjectHash offers. */
COREUOBJECT_API void GetDerivedClasses(const UClass* ClassToLookFor, TArray<UClass*>& Results, bool bRecursive = true);
/** Finds a registered class, struct or enum by its reflected name ("LM_Preset", "ELM_CelestialLight"). */
COREUOBJECT_API UClass* FindHostClass(FName ClassName);
COREUOBJECT_API UScriptStruct* FindHostStruct(FName StructName);
COREUOBJECT_API UEnum* FindHostEnum(FName EnumName);

/** Core structs reflected by hand, as the engine's NoExportTypes does (defined in the host). */
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FVector();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FVector3f();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FVector2D();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FVector4();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FRotator();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FQuat();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FTransform();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FLinearColor();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FColor();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FGuid();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FIntPoint();
COREUOBJECT_API UScriptStruct* Z_Construct_UScriptStruct_FBox();
