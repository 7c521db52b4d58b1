// Fields of reflection: UField (classes, structs, enums, functions are UObjects) and FField
// (properties are lightweight fields owned by a struct or by another property).
#pragma once

#include "CoreTypes.h"
#include "UObject/Object.h"
#include "Containers/Map.h"

class UStruct;
class FField;
class FProperty;

/** Editor metadata: key/value strings (Category, ToolTip, ClampMin, EditCondition...). */
class COREUOBJECT_API FHostMetaData
{
public:
	bool Has(const FName& Key) const { return Map.Contains(Key); }
	const FString& Get(const FName& Key) const;
	const FString* Find(const FName& Key) const { return Map.Find(Key); }
	void Set(const FName& Key, const FString& Value) { Map.Add(Key, Value); }
	void Remove(const FName& Key) { Map.Remove(Key); }
	const TMap<FName, FString>& GetMap() const { return Map; }

private:
	TMap<FName, FString> Map;
};

class COREUOBJECT_API UField : public UObject
{
public:
	typedef UObject Super;
	typedef UField ThisClass;
	static UClass* StaticClass();

	explicit UField(FName InName);

	/** Reflection objects are made before their own class exists; it is assigned afterwards. */
	void SetReflectedClassInternal(UClass* InClass) { ClassPrivate = InClass; }

	UField* Next = nullptr;

	UClass* GetOwnerClass() const;
	UStruct* GetOwnerStruct() const;

#if WITH_EDITOR
	const FString& GetMetaData(const TCHAR* Key) const { return MetaData.Get(FName(Key)); }
	const FString& GetMetaData(const FName& Key) const { return MetaData.Get(Key); }
	bool HasMetaData(const TCHAR* Key) const { return MetaData.Has(FName(Key)); }
	bool HasMetaData(const FName& Key) const { return MetaData.Has(Key); }
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue) { MetaData.Set(FName(Key), FString(InValue)); }
	void SetMetaData(const FName& Key, const FString& InValue) { MetaData.Set(Key, InValue); }
	void RemoveMetaData(const TCHAR* Key) { MetaData.Remove(FName(Key)); }
	bool GetBoolMetaData(const FName& Key) const;
	float GetFloatMetaData(const FName& Key) const;
	int32 GetIntMetaData(const FName& Key) const;
	const TMap<FName, FString>& GetMetaDataMap() const { return MetaData.GetMap(); }
#endif

protected:
	FHostMetaData MetaData;
};

/** The class of an FField: lets CastField<FFloatProperty>(Field) work without RTTI, as the engine's. */
class COREUOBJECT_API FFieldClass
{
public:
	FFieldClass(const TCHAR* InName, FFieldClass* InSuperClass);
	FName GetFName() const { return Name; }
	FString GetName() const { return Name.ToString(); }
	FFieldClass* GetSuperClass() const { return SuperClass; }
	bool IsChildOf(const FFieldClass* InClass) const
	{
		for (const FFieldClass* It = this; It; It = It->SuperClass)
		{
			if (It == InClass)
			{
				return true;
			}
		}
		return false;
	}

private:
	FName Name;
	FFieldClass* SuperClass;
};

#define DECLARE_FIELD(TClass, TSuperClass) \
public: \
	typedef TSuperClass Super; \
	static FFieldClass* StaticClass(); \
	virtual FFieldClass* GetClass() const override { return StaticClass(); }

#define IMPLEMENT_FIELD(TClass) \
	FFieldClass* TClass::StaticClass() \
	{ \
		static FFieldClass Class(&TEXT(#TClass)[1], TClass::Super::StaticClass()); \
		return &Class; \
	}

/** Owner of an FField: a UStruct (class, struct, function) or another field (an array's inner). */
class COREUOBJECT_API FFieldVariant
{
public:
	FFieldVariant() = default;
	FFieldVariant(UStruct* InStruct) : Struct(InStruct) {}
	FFieldVariant(UObject* InObject);
	FFieldVariant(FField* InField) : Field(InField) {}
	bool IsUObject() const { return Struct != nullptr; }
	UStruct* ToUObject() const { return Struct; }
	FField* ToField() const { return Field; }
	bool IsValid() const { return Struct || Field; }

private:
	UStruct* Struct = nullptr;
	FField* Field = nullptr;
};

class COREUOBJECT_API FField
{
public:
	typedef FField ThisClass;
	static FFieldClass* StaticClass();
	virtual FFieldClass* GetClass() const { return StaticClass(); }

	FField(FFieldVariant InOwner, const FName& InName, EObjectFlags InFlags);
	virtual ~FField();
	FField(const FField&) = delete;
	FField& operator=(const FField&) = delete;

	FName GetFName() const { return NamePrivate; }
	FString GetName() const { return NamePrivate.ToString(); }
	FFieldVariant GetOwnerVariant() const { return Owner; }
	/** The struct (class, struct or function) this field belongs to, through any owning fields. */
	UStruct* GetOwnerStruct() const;
	UClass* GetOwnerClass() const;
	template<class T>
	bool IsA() const
	{
		return GetClass()->IsChildOf(T::StaticClass());
	}

#if WITH_EDITOR
	const FString& GetMetaData(const TCHAR* Key) const { return MetaData.Get(FName(Key)); }
	const FString& GetMetaData(const FName& Key) const { return MetaData.Get(Key); }
	bool HasMetaData(const TCHAR* Key) const { return MetaData.Has(FName(Key)); }
	bool HasMetaData(const FName& Key) const { return MetaData.Has(Key); }
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue) { MetaData.Set(FName(Key), FString(InValue)); }
	void SetMetaData(const FName& Key, FString&& InValue) { MetaData.Set(Key, InValue); }
	void SetMetaData(const FName& Key, const FString& InValue) { MetaData.Set(Key, InValue); }
	void RemoveMetaData(const TCHAR* Key) { MetaData.Remove(FName(Key)); }
	bool GetBoolMetaData(const FName& Key) const;
	float GetFloatMetaData(const FName& Key) const;
	int32 GetIntMetaData(const FName& Key) const;
	const TMap<FName, FString>* GetMetaDataMap() const { return &MetaData.GetMap(); }
#endif

	/** Next field of the same owner, in declared order. */
	FField* Next = nullptr;

protected:
	FFieldVariant Owner;
	FName NamePrivate;
	EObjectFlags FlagsPrivate;
	FHostMetaData MetaData;
};

template<class FieldType>
FieldType* CastField(FField* Src)
{
	return Src && Src->GetClass()->IsChildOf(FieldType::StaticClass()) ? static_cast<FieldType*>(Src) : nullptr;
}

template<class FieldType>
const FieldType* CastField(const FField* Src)
{
	return Src && Src->GetClass()->IsChildOf(FieldType::StaticClass()) ? static_cast<const FieldType*>(Src) : nullptr;
}

template<class FieldType>
FieldType* CastFieldChecked(FField* Src)
{
	FieldType* Result = CastField<FieldType>(Src);
	if (!Result)
	{
		__builtin_trap();
	}
	return Result;
}
