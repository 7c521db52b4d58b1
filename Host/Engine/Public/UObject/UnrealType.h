// Properties: typed views of a member inside a container (object, struct or function parameters),
// with the engine's names (FFloatProperty, FStructProperty, ContainerPtrToValuePtr...), plus
// the editor's property-change events.
#pragma once

#include "CoreTypes.h"
#include "UObject/Class.h"
#include "UObject/WeakObjectPtr.h"
#include "Containers/List.h"
#include "Containers/ArrayView.h"

class UEnum;

class COREUOBJECT_API FProperty : public FField
{
	DECLARE_FIELD(FProperty, FField)

public:
	FProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, int32 InElementSize);

	int32 ArrayDim = 1;
	int32 ElementSize;
	EPropertyFlags PropertyFlags;

	int32 GetOffset_ForInternal() const { return Offset_Internal; }
	int32 GetSize() const { return ArrayDim * ElementSize; }
	int32 GetElementSize() const { return ElementSize; }
	bool HasAnyPropertyFlags(EPropertyFlags FlagsToCheck) const { return (PropertyFlags & FlagsToCheck) != 0; }
	bool HasAllPropertyFlags(EPropertyFlags FlagsToCheck) const { return (PropertyFlags & FlagsToCheck) == FlagsToCheck; }
	void SetPropertyFlags(EPropertyFlags NewFlags) { PropertyFlags |= NewFlags; }

	template<typename ValueType>
	ValueType* ContainerPtrToValuePtr(void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		return (ValueType*)((uint8*)ContainerPtr + Offset_Internal + ElementSize * ArrayIndex);
	}
	template<typename ValueType>
	const ValueType* ContainerPtrToValuePtr(const void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		return (const ValueType*)((const uint8*)ContainerPtr + Offset_Internal + ElementSize * ArrayIndex);
	}

	/** The C++ type as written in a header ("float", "FVector", "TObjectPtr<UCurveFloat>"). */
	virtual FString GetCPPType() const = 0;

	virtual void InitializeValue(void* Dest) const;
	virtual void DestroyValue(void* Dest) const;
	virtual void CopyCompleteValue(void* Dest, const void* Src) const;
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const;

	/** Text form of a value, as the editor's copy/paste and config files use (host: also JSON). */
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const = 0;
	/** Parses a value from Buffer; returns the position after it, or null when the text does not fit. */
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const = 0;

	/** Object references held by this value (for reference clean-up when objects are destroyed). */
	virtual bool ContainsObjectReference() const { return false; }
	virtual void NullReferencesTo(void* Value, const class TSet<UObject*>& Doomed) const;

protected:
	int32 Offset_Internal;
	friend class UStruct;
	friend class FBoolProperty;
};

template<typename InTCppType>
class TPropertyTypeFundamentals
{
public:
	typedef InTCppType TCppType;
	static TCppType const& GetPropertyValue(void const* A) { return *(TCppType const*)A; }
	static TCppType* GetPropertyValuePtr(void* A) { return (TCppType*)A; }
	static void SetPropertyValue(void* A, TCppType const& Value) { *(TCppType*)A = Value; }
};

template<typename InTCppType>
class TProperty : public FProperty, public TPropertyTypeFundamentals<InTCppType>
{
public:
	typedef InTCppType TCppType;
	TProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset)
		: FProperty(InOwner, InName, InFlags, InOffset, (int32)sizeof(TCppType))
	{
	}

	TCppType GetPropertyValue_InContainer(void const* A, int32 ArrayIndex = 0) const { return *ContainerPtrToValuePtr<TCppType>(A, ArrayIndex); }
	void SetPropertyValue_InContainer(void* A, TCppType const& Value, int32 ArrayIndex = 0) const { *ContainerPtrToValuePtr<TCppType>(A, ArrayIndex) = Value; }

	virtual void InitializeValue(void* Dest) const override { new (Dest) TCppType(); }
	virtual void DestroyValue(void* Dest) const override { ((TCppType*)Dest)->~TCppType(); }
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { *(TCppType*)Dest = *(const TCppType*)Src; }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return *(const TCppType*)A == *(const TCppType*)B; }
};

class COREUOBJECT_API FNumericProperty : public FProperty
{
	DECLARE_FIELD(FNumericProperty, FProperty)

public:
	using FProperty::FProperty;
	virtual bool IsFloatingPoint() const { return false; }
	virtual bool IsInteger() const { return true; }
	virtual UEnum* GetIntPropertyEnum() const { return nullptr; }
	virtual void SetIntPropertyValue(void* Data, int64 Value) const = 0;
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const = 0;
	virtual int64 GetSignedIntPropertyValue(void const* Data) const = 0;
	virtual double GetFloatingPointPropertyValue(void const* Data) const = 0;
	/** The value as text ("1.5", "3"): what clamp metadata and the editor compare against. */
	virtual FString GetNumericPropertyValueToString(void const* Data) const = 0;
};

template<typename InTCppType>
class TProperty_Numeric : public FNumericProperty, public TPropertyTypeFundamentals<InTCppType>
{
public:
	typedef InTCppType TCppType;
	TProperty_Numeric(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset)
		: FNumericProperty(InOwner, InName, InFlags, InOffset, (int32)sizeof(TCppType))
	{
	}
	TCppType GetPropertyValue_InContainer(void const* A, int32 ArrayIndex = 0) const { return *ContainerPtrToValuePtr<TCppType>(A, ArrayIndex); }
	void SetPropertyValue_InContainer(void* A, TCppType const& Value, int32 ArrayIndex = 0) const { *ContainerPtrToValuePtr<TCppType>(A, ArrayIndex) = Value; }

	virtual bool IsFloatingPoint() const override { return TCppType(0.5) != TCppType(0); }
	virtual bool IsInteger() const override { return !IsFloatingPoint(); }
	virtual void SetIntPropertyValue(void* Data, int64 Value) const override { *(TCppType*)Data = (TCppType)Value; }
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const override { *(TCppType*)Data = (TCppType)Value; }
	virtual int64 GetSignedIntPropertyValue(void const* Data) const override { return (int64)*(const TCppType*)Data; }
	virtual double GetFloatingPointPropertyValue(void const* Data) const override { return (double)*(const TCppType*)Data; }
	virtual void InitializeValue(void* Dest) const override { *(TCppType*)Dest = TCppType(); }
	virtual void DestroyValue(void*) const override {}
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { *(TCppType*)Dest = *(const TCppType*)Src; }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return *(const TCppType*)A == *(const TCppType*)B; }
	virtual FString GetNumericPropertyValueToString(void const* Data) const override;
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject* = nullptr) const override
	{
		ValueStr += GetNumericPropertyValueToString(PropertyValue);
	}
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
};

#define HOST_DECLARE_NUMERIC_PROPERTY(TClass, TCpp, CppName) \
	class COREUOBJECT_API TClass : public TProperty_Numeric<TCpp> \
	{ \
		DECLARE_FIELD(TClass, FNumericProperty) \
	public: \
		using TProperty_Numeric<TCpp>::TProperty_Numeric; \
		virtual FString GetCPPType() const override { return FString(TEXT(CppName)); } \
	};

HOST_DECLARE_NUMERIC_PROPERTY(FFloatProperty, float, "float")
HOST_DECLARE_NUMERIC_PROPERTY(FDoubleProperty, double, "double")
HOST_DECLARE_NUMERIC_PROPERTY(FIntProperty, int32, "int32")
HOST_DECLARE_NUMERIC_PROPERTY(FInt64Property, int64, "int64")
HOST_DECLARE_NUMERIC_PROPERTY(FUInt32Property, uint32, "uint32")

/** uint8, or TEnumAsByte<E> when Enum is set. */
class COREUOBJECT_API FByteProperty : public TProperty_Numeric<uint8>
{
	DECLARE_FIELD(FByteProperty, FNumericProperty)

public:
	FByteProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UEnum* InEnum = nullptr)
		: TProperty_Numeric<uint8>(InOwner, InName, InFlags, InOffset), Enum(InEnum)
	{
	}
	UEnum* Enum;
	virtual UEnum* GetIntPropertyEnum() const override { return Enum; }
	virtual FString GetCPPType() const override;
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
};

/** An enum class (or any enum with a fixed underlying type) held as its own type. */
class COREUOBJECT_API FEnumProperty : public FProperty
{
	DECLARE_FIELD(FEnumProperty, FProperty)

public:
	FEnumProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UEnum* InEnum, int32 InUnderlyingSize);
	UEnum* GetEnum() const { return Enum; }
	int64 GetEnumValue(const void* Data) const;
	void SetEnumValue(void* Data, int64 Value) const;
	virtual FString GetCPPType() const override;
	virtual void InitializeValue(void* Dest) const override { SetEnumValue(Dest, 0); }
	virtual void DestroyValue(void*) const override {}
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { SetEnumValue(Dest, GetEnumValue(Src)); }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return GetEnumValue(A) == GetEnumValue(B); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;

private:
	UEnum* Enum;
};

/**
 * A native bool, or a one-bit field. One-bit fields are reached through accessors written by the
 * header tool; their byte and mask are found by flipping the bit on a scratch value, as the
 * engine's own bool property does with its SetBit function.
 */
class COREUOBJECT_API FBoolProperty : public FProperty
{
	DECLARE_FIELD(FBoolProperty, FProperty)

public:
	typedef bool (*GetBitFunc)(const void* Container);
	typedef void (*SetBitFunc)(void* Container, bool bValue);

	/** A native bool member. */
	FBoolProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset);
	/** A one-bit field of a storage unit of InElementSize bytes. */
	FBoolProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, GetBitFunc InGet, SetBitFunc InSet, int32 InElementSize);

	bool IsNativeBool() const { return GetBit == nullptr; }
	/** Reads the value given the CONTAINER (object or struct) holding the field. */
	bool GetPropertyValue_InContainer(const void* Container) const;
	void SetPropertyValue_InContainer(void* Container, bool bValue) const;
	/** Reads the value given a pointer to the byte holding it (ContainerPtrToValuePtr<uint8>). */
	bool GetPropertyValue(const void* A) const { return (*((const uint8*)A + ByteOffsetInStorage()) & GetFieldMask()) != 0; }
	void SetPropertyValue(void* A, bool bValue) const;

	/** Offset of the byte that holds the bit, from the start of the container. */
	int32 GetByteOffset() const;
	/** The bit inside that byte. */
	uint8 GetFieldMask() const;
	/** Bit index from the start of the storage unit (0 = least significant bit of its first byte). */
	int32 GetBitIndex() const;

	virtual FString GetCPPType() const override;
	virtual void InitializeValue(void* Dest) const override;
	virtual void DestroyValue(void*) const override {}
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { SetPropertyValue(Dest, GetPropertyValue(Src)); }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return GetPropertyValue(A) == GetPropertyValue(B); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;

private:
	void ResolveBitLayout() const;
	int32 ByteOffsetInStorage() const { return 0; }

	GetBitFunc GetBit = nullptr;
	SetBitFunc SetBit = nullptr;
	mutable bool bLayoutResolved = false;
	mutable int32 BitByteOffset = 0;
	mutable uint8 BitMask = 1;
	mutable int32 BitIndex = 0;
};

class COREUOBJECT_API FNameProperty : public TProperty<FName>
{
	DECLARE_FIELD(FNameProperty, FProperty)

public:
	using TProperty<FName>::TProperty;
	virtual FString GetCPPType() const override { return FString(TEXT("FName")); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
};

class COREUOBJECT_API FStrProperty : public TProperty<FString>
{
	DECLARE_FIELD(FStrProperty, FProperty)

public:
	using TProperty<FString>::TProperty;
	virtual FString GetCPPType() const override { return FString(TEXT("FString")); }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return ((const FString*)A)->Equals(*(const FString*)B, ESearchCase::CaseSensitive); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
};

class COREUOBJECT_API FStructProperty : public FProperty
{
	DECLARE_FIELD(FStructProperty, FProperty)

public:
	FStructProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UScriptStruct* InStruct);
	UScriptStruct* Struct;
	virtual FString GetCPPType() const override;
	virtual void InitializeValue(void* Dest) const override { Struct->InitializeStruct(Dest); }
	virtual void DestroyValue(void* Dest) const override { Struct->DestroyStruct(Dest); }
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { Struct->CopyScriptStruct(Dest, Src); }
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override { return Struct->CompareScriptStruct(A, B, PortFlags); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
	virtual bool ContainsObjectReference() const override;
	virtual void NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const override;
};

class COREUOBJECT_API FObjectPropertyBase : public FProperty
{
	DECLARE_FIELD(FObjectPropertyBase, FProperty)

public:
	FObjectPropertyBase(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, int32 InElementSize, UClass* InClass);
	UClass* PropertyClass;
	void SetPropertyClass(UClass* NewPropertyClass) { PropertyClass = NewPropertyClass; }
	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const = 0;
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const = 0;
	UObject* GetObjectPropertyValue_InContainer(const void* ContainerAddress, int32 ArrayIndex = 0) const { return GetObjectPropertyValue(ContainerPtrToValuePtr<void>(ContainerAddress, ArrayIndex)); }
	void SetObjectPropertyValue_InContainer(void* ContainerAddress, UObject* Value, int32 ArrayIndex = 0) const { SetObjectPropertyValue(ContainerPtrToValuePtr<void>(ContainerAddress, ArrayIndex), Value); }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return GetObjectPropertyValue(A) == GetObjectPropertyValue(B); }
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { SetObjectPropertyValue(Dest, GetObjectPropertyValue(Src)); }
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
};

/** T* and TObjectPtr<T> (same layout). */
class COREUOBJECT_API FObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FObjectProperty, FObjectPropertyBase)

public:
	FObjectProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InClass);
	virtual FString GetCPPType() const override;
	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const override { return *(UObject* const*)PropertyValueAddress; }
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const override { *(UObject**)PropertyValueAddress = Value; }
	virtual void InitializeValue(void* Dest) const override { *(UObject**)Dest = nullptr; }
	virtual void DestroyValue(void*) const override {}
	virtual bool ContainsObjectReference() const override { return true; }
	virtual void NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const override;
};

/** TSubclassOf<T>. */
class COREUOBJECT_API FClassProperty : public FObjectProperty
{
	DECLARE_FIELD(FClassProperty, FObjectProperty)

public:
	FClassProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InMetaClass);
	UClass* MetaClass;
	virtual FString GetCPPType() const override;
	virtual bool ContainsObjectReference() const override { return false; }
};

class COREUOBJECT_API FWeakObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FWeakObjectProperty, FObjectPropertyBase)

public:
	FWeakObjectProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InClass);
	virtual FString GetCPPType() const override;
	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const override { return ((const FWeakObjectPtr*)PropertyValueAddress)->Get(); }
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const override { *(FWeakObjectPtr*)PropertyValueAddress = Value; }
	virtual void InitializeValue(void* Dest) const override { new (Dest) FWeakObjectPtr(); }
	virtual void DestroyValue(void*) const override {}
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override { *(FWeakObjectPtr*)Dest = *(const FWeakObjectPtr*)Src; }
	virtual bool Identical(const void* A, const void* B, uint32 = 0) const override { return *(const FWeakObjectPtr*)A == *(const FWeakObjectPtr*)B; }
};

/** How an FArrayProperty reaches a TArray<T> of a type it does not know. */
struct COREUOBJECT_API FHostScriptArrayOps
{
	int32 (*Num)(const void* Array);
	void* (*GetData)(void* Array);
	/** Resizes, default-constructing added elements. */
	void (*SetNum)(void* Array, int32 NewNum);
	void (*RemoveAt)(void* Array, int32 Index, int32 Count);
	void (*InsertDefaulted)(void* Array, int32 Index, int32 Count);
};

class COREUOBJECT_API FArrayProperty : public FProperty
{
	DECLARE_FIELD(FArrayProperty, FProperty)

public:
	FArrayProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, const FHostScriptArrayOps* InOps);
	virtual ~FArrayProperty() override;
	FProperty* Inner = nullptr;
	const FHostScriptArrayOps* Ops;

	virtual FString GetCPPType() const override;
	virtual void InitializeValue(void* Dest) const override { Ops->SetNum(Dest, 0); }
	virtual void DestroyValue(void* Dest) const override { Ops->SetNum(Dest, 0); }
	virtual void CopyCompleteValue(void* Dest, const void* Src) const override;
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;
	virtual void ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope = nullptr) const override;
	virtual const TCHAR* ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const override;
	virtual bool ContainsObjectReference() const override { return Inner && Inner->ContainsObjectReference(); }
	virtual void NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const override;
};

/** The engine's helper for reading and resizing an array through its property. */
class COREUOBJECT_API FScriptArrayHelper
{
public:
	FScriptArrayHelper(const FArrayProperty* InProperty, const void* InArray)
		: Property(InProperty), Array((void*)InArray)
	{
	}
	int32 Num() const { return Property->Ops->Num(Array); }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	uint8* GetRawPtr(int32 Index = 0) { return (uint8*)Property->Ops->GetData(Array) + (int64)Index * Property->Inner->ElementSize; }
	void Resize(int32 NewNum) { Property->Ops->SetNum(Array, NewNum); }
	int32 AddValues(int32 Count)
	{
		const int32 OldNum = Num();
		Resize(OldNum + Count);
		return OldNum;
	}
	int32 AddValue() { return AddValues(1); }
	void InsertValues(int32 Index, int32 Count = 1) { Property->Ops->InsertDefaulted(Array, Index, Count); }
	void RemoveValues(int32 Index, int32 Count = 1) { Property->Ops->RemoveAt(Array, Index, Count); }
	void EmptyValues() { Resize(0); }

private:
	const FArrayProperty* Property;
	void* Array;
};

class COREUOBJECT_API FMulticastDelegateProperty : public FProperty
{
	DECLARE_FIELD(FMulticastDelegateProperty, FProperty)

public:
	FMulticastDelegateProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UFunction* InSignatureFunction);
	UFunction* SignatureFunction;
	virtual FString GetCPPType() const override { return FString(TEXT("FMulticastScriptDelegate")); }
	virtual void InitializeValue(void*) const override {}
	virtual void DestroyValue(void*) const override {}
	virtual void CopyCompleteValue(void*, const void*) const override {}
	virtual bool Identical(const void*, const void*, uint32 = 0) const override { return true; }
	virtual void ExportTextItem_Direct(FString&, const void*, const void*, UObject*, int32, UObject* = nullptr) const override {}
	virtual const TCHAR* ImportText_Direct(const TCHAR*, void*, UObject*, int32) const override { return nullptr; }
};

/** A dynamic multicast delegate member (BlueprintAssignable events). */
class COREUOBJECT_API FMulticastInlineDelegateProperty : public FMulticastDelegateProperty
{
	DECLARE_FIELD(FMulticastInlineDelegateProperty, FMulticastDelegateProperty)

public:
	using FMulticastDelegateProperty::FMulticastDelegateProperty;
};

/** Iterates the fields of a struct of a given field class, its own first, then its supers'. */
template<class T>
class TFieldIterator
{
public:
	explicit TFieldIterator(const UStruct* InStruct, EFieldIterationFlags InFlags = EFieldIterationFlags::Default)
		: Struct(InStruct), Field(InStruct ? InStruct->ChildProperties : nullptr), bIncludeSuper(!!(InFlags & EFieldIterationFlags::IncludeSuper))
	{
		IterateToNext();
	}
	explicit TFieldIterator(const UStruct* InStruct, EFieldIteratorFlags::SuperClassFlags InSuperClassFlags,
		EFieldIteratorFlags::DeprecatedPropertyFlags InDeprecatedFieldFlags = EFieldIteratorFlags::IncludeDeprecated,
		EFieldIteratorFlags::InterfaceClassFlags InInterfaceFieldFlags = EFieldIteratorFlags::ExcludeInterfaces)
		: TFieldIterator(InStruct, InSuperClassFlags == EFieldIteratorFlags::IncludeSuper ? EFieldIterationFlags::Default : EFieldIterationFlags::IncludeDeprecated)
	{
		(void)InDeprecatedFieldFlags;
		(void)InInterfaceFieldFlags;
	}
	explicit operator bool() const { return Field != nullptr; }
	bool operator!() const { return Field == nullptr; }
	void operator++()
	{
		Field = Field->Next;
		IterateToNext();
	}
	T* operator*() const { return static_cast<T*>(Field); }
	T* operator->() const { return static_cast<T*>(Field); }
	const UStruct* GetStruct() const { return Struct; }

private:
	void IterateToNext()
	{
		for (;;)
		{
			while (Field && !Field->GetClass()->IsChildOf(T::StaticClass()))
			{
				Field = Field->Next;
			}
			if (Field || !bIncludeSuper || !Struct)
			{
				return;
			}
			Struct = Struct->GetSuperStruct();
			if (!Struct)
			{
				return;
			}
			Field = Struct->ChildProperties;
		}
	}

	const UStruct* Struct;
	FField* Field;
	bool bIncludeSuper;
};

/** Finds a property of Owner or its supers by name; null when absent or of another field class. */
template<typename FieldType>
FieldType* FindFProperty(const UStruct* Owner, FName FieldName)
{
	for (TFieldIterator<FieldType> It(Owner); It; ++It)
	{
		if (It->GetFName() == FieldName)
		{
			return *It;
		}
	}
	return nullptr;
}

template<typename FieldType>
FieldType* FindFProperty(const UStruct* Owner, const TCHAR* FieldName)
{
	return FindFProperty<FieldType>(Owner, FName(FieldName));
}

#define GET_MEMBER_NAME_CHECKED(ClassName, MemberName) ((void)sizeof(UE4Asserts_Private::GetMemberNameCheckedJunk(((ClassName*)0)->MemberName)), FName(TEXT(#MemberName)))
#define GET_MEMBER_NAME_STRING_CHECKED(ClassName, MemberName) ((void)sizeof(UE4Asserts_Private::GetMemberNameCheckedJunk(((ClassName*)0)->MemberName)), TEXT(#MemberName))
namespace UE4Asserts_Private
{
	template<typename T>
	bool GetMemberNameCheckedJunk(const T&);
	template<typename T>
	bool GetMemberNameCheckedJunk(const volatile T&);
	template<typename R, typename... Args>
	bool GetMemberNameCheckedJunk(R (*)(Args...));
}

namespace EPropertyChangeType
{
	typedef uint32 Type;
	inline constexpr Type Unspecified = 1 << 0;
	inline constexpr Type ArrayAdd = 1 << 1;
	inline constexpr Type ArrayRemove = 1 << 2;
	inline constexpr Type ArrayClear = 1 << 3;
	inline constexpr Type ValueSet = 1 << 4;
	inline constexpr Type Duplicate = 1 << 5;
	inline constexpr Type Interactive = 1 << 6;
	inline constexpr Type Redirected = 1 << 7;
	inline constexpr Type ArrayMove = 1 << 8;
	inline constexpr Type ToggleEditable = 1 << 9;
}

struct COREUOBJECT_API FPropertyChangedEvent
{
	FPropertyChangedEvent(FProperty* InProperty, EPropertyChangeType::Type InChangeType = EPropertyChangeType::Unspecified, TArrayView<const UObject* const> InTopLevelObjects = {})
		: Property(InProperty), MemberProperty(InProperty), ChangeType(InChangeType), ObjectIteratorIndex(INDEX_NONE), TopLevelObjects(InTopLevelObjects)
	{
	}
	virtual ~FPropertyChangedEvent() = default;

	void SetActiveMemberProperty(FProperty* InActiveMemberProperty) { MemberProperty = InActiveMemberProperty; }
	FName GetPropertyName() const { return Property ? Property->GetFName() : NAME_None; }
	FName GetMemberPropertyName() const { return MemberProperty ? MemberProperty->GetFName() : NAME_None; }
	int32 GetNumObjectsBeingEdited() const { return TopLevelObjects.Num(); }
	const UObject* GetObjectBeingEdited(int32 Index) const { return TopLevelObjects[Index]; }
	/** Index into an edited array, keyed by the array's name; INDEX_NONE when not an array edit. */
	int32 GetArrayIndex(const FString& PropertyName) const;
	void SetArrayIndexPerObject(TArrayView<const TMap<FString, int32>> InArrayIndices) { ArrayIndicesPerObject = InArrayIndices; }

	/** The innermost property that changed. */
	FProperty* Property;
	/** The outermost member of the edited object that contains it. */
	FProperty* MemberProperty;
	EPropertyChangeType::Type ChangeType;
	int32 ObjectIteratorIndex;

private:
	TArrayView<const UObject* const> TopLevelObjects;
	TArrayView<const TMap<FString, int32>> ArrayIndicesPerObject;
};

/** The chain of properties from the edited object's member (head) to the changed one (tail). */
class COREUOBJECT_API FEditPropertyChain : public TDoubleLinkedList<FProperty*>
{
public:
	void SetActivePropertyNode(FProperty* NewActiveProperty);
	TDoubleLinkedListNode* GetActiveNode() const { return ActivePropertyNode; }
	void SetActiveMemberPropertyNode(FProperty* NewActiveMemberProperty);
	TDoubleLinkedListNode* GetActiveMemberNode() const { return ActiveMemberPropertyNode; }

private:
	TDoubleLinkedListNode* ActivePropertyNode = nullptr;
	TDoubleLinkedListNode* ActiveMemberPropertyNode = nullptr;
};

struct COREUOBJECT_API FPropertyChangedChainEvent : public FPropertyChangedEvent
{
	FPropertyChangedChainEvent(FEditPropertyChain& InPropertyChain, const FPropertyChangedEvent& SrcChangeEvent)
		: FPropertyChangedEvent(SrcChangeEvent), PropertyChain(InPropertyChain)
	{
	}
	FEditPropertyChain& PropertyChain;
};
