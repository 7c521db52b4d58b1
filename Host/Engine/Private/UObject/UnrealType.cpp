// Properties: construction into their owner, the engine's text forms of values, and the
// reference clean-up the garbage collector relies on.
//
// Text forms follow the engine's: numbers as plain numbers, bools True/False, names bare,
// strings quoted, enums by short name, objects by path or None, structs "(A=..,B=..)" and
// arrays "(v,v)".
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include "Containers/Set.h"
#include "Misc/CString.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_FIELD(FProperty)
IMPLEMENT_FIELD(FNumericProperty)
IMPLEMENT_FIELD(FFloatProperty)
IMPLEMENT_FIELD(FDoubleProperty)
IMPLEMENT_FIELD(FIntProperty)
IMPLEMENT_FIELD(FInt64Property)
IMPLEMENT_FIELD(FUInt32Property)
IMPLEMENT_FIELD(FByteProperty)
IMPLEMENT_FIELD(FEnumProperty)
IMPLEMENT_FIELD(FBoolProperty)
IMPLEMENT_FIELD(FNameProperty)
IMPLEMENT_FIELD(FStrProperty)
IMPLEMENT_FIELD(FStructProperty)
IMPLEMENT_FIELD(FObjectPropertyBase)
IMPLEMENT_FIELD(FObjectProperty)
IMPLEMENT_FIELD(FClassProperty)
IMPLEMENT_FIELD(FWeakObjectProperty)
IMPLEMENT_FIELD(FArrayProperty)
IMPLEMENT_FIELD(FMulticastDelegateProperty)
IMPLEMENT_FIELD(FMulticastInlineDelegateProperty)

// ---------------------------------------------------------------------------------------------
// FField

FFieldClass::FFieldClass(const TCHAR* InName, FFieldClass* InSuperClass)
	: Name(InName), SuperClass(InSuperClass)
{
}

FFieldClass* FField::StaticClass()
{
	static FFieldClass Class(TEXT("Field"), nullptr);
	return &Class;
}

FFieldVariant::FFieldVariant(UObject* InObject)
	: Struct(dynamic_cast<UStruct*>(InObject))
{
}

FField::FField(FFieldVariant InOwner, const FName& InName, EObjectFlags InFlags)
	: Owner(InOwner), NamePrivate(InName), FlagsPrivate(InFlags)
{
}

FField::~FField() = default;

UStruct* FField::GetOwnerStruct() const
{
	FFieldVariant It = Owner;
	while (It.IsValid() && !It.IsUObject())
	{
		It = It.ToField()->GetOwnerVariant();
	}
	return It.ToUObject();
}

UClass* FField::GetOwnerClass() const
{
	UStruct* Struct = GetOwnerStruct();
	if (UFunction* Function = dynamic_cast<UFunction*>(Struct))
	{
		return Function->GetOwnerClass();
	}
	return dynamic_cast<UClass*>(Struct);
}

#if WITH_EDITOR
bool FField::GetBoolMetaData(const FName& Key) const
{
	const FString& Value = MetaData.Get(Key);
	return Value.IsEmpty() ? HasMetaData(Key) : Value == TEXT("true");
}

float FField::GetFloatMetaData(const FName& Key) const
{
	return FCString::Atof(*MetaData.Get(Key));
}

int32 FField::GetIntMetaData(const FName& Key) const
{
	return FCString::Atoi(*MetaData.Get(Key));
}
#endif

// ---------------------------------------------------------------------------------------------
// Text helpers

namespace
{
	const TCHAR* SkipWhitespace(const TCHAR* Buffer)
	{
		while (*Buffer == ' ' || *Buffer == '\t' || *Buffer == '\n' || *Buffer == '\r')
		{
			++Buffer;
		}
		return Buffer;
	}

	/** A bare token: up to a delimiter of the struct/array syntax. */
	const TCHAR* ReadToken(const TCHAR* Buffer, FString& Out)
	{
		Buffer = SkipWhitespace(Buffer);
		Out.Reset();
		while (*Buffer && *Buffer != ',' && *Buffer != ')' && *Buffer != '(' && *Buffer != '=' && *Buffer != ' ' && *Buffer != '\t' && *Buffer != '\n' && *Buffer != '\r')
		{
			Out.AppendChar(*Buffer++);
		}
		return Buffer;
	}

	/** A quoted string with backslash escapes; a bare token when it does not start with a quote. */
	const TCHAR* ReadMaybeQuoted(const TCHAR* Buffer, FString& Out)
	{
		Buffer = SkipWhitespace(Buffer);
		if (*Buffer != '"')
		{
			return ReadToken(Buffer, Out);
		}
		++Buffer;
		Out.Reset();
		while (*Buffer && *Buffer != '"')
		{
			if (*Buffer == '\\' && Buffer[1])
			{
				++Buffer;
				switch (*Buffer)
				{
				case 'n': Out.AppendChar('\n'); break;
				case 't': Out.AppendChar('\t'); break;
				default: Out.AppendChar(*Buffer); break;
				}
				++Buffer;
				continue;
			}
			Out.AppendChar(*Buffer++);
		}
		if (*Buffer != '"')
		{
			return nullptr;
		}
		return Buffer + 1;
	}

	FString Quote(const FString& Value)
	{
		FString Result(TEXT("\""));
		for (int32 Index = 0; Index < Value.Len(); ++Index)
		{
			const TCHAR C = Value[Index];
			if (C == '"' || C == '\\')
			{
				Result.AppendChar('\\');
				Result.AppendChar(C);
			}
			else if (C == '\n')
			{
				Result += TEXT("\\n");
			}
			else
			{
				Result.AppendChar(C);
			}
		}
		Result.AppendChar('"');
		return Result;
	}

	bool ParseDouble(const FString& Text, double& Out)
	{
		if (Text.IsEmpty())
		{
			return false;
		}
		const std::string Utf8(TCHAR_TO_UTF8(*Text));
		char* End = nullptr;
		Out = std::strtod(Utf8.c_str(), &End);
		// The engine accepts a trailing 'f' on floats ("1.5f").
		return End && (*End == 0 || ((*End == 'f' || *End == 'F') && End[1] == 0));
	}

	bool ParseInt(const FString& Text, int64& Out)
	{
		if (Text.IsEmpty())
		{
			return false;
		}
		const std::string Utf8(TCHAR_TO_UTF8(*Text));
		char* End = nullptr;
		Out = std::strtoll(Utf8.c_str(), &End, 0);
		return End && *End == 0;
	}

	/** Shortest text that reads back as the same float or double. */
	template<typename T>
	FString NumberToString(T Value)
	{
		if constexpr (std::is_floating_point_v<T>)
		{
			char Buffer[64];
			for (int Precision = std::is_same_v<T, float> ? 6 : 15; Precision <= 17; ++Precision)
			{
				std::snprintf(Buffer, sizeof(Buffer), "%.*g", Precision, (double)Value);
				if ((T)std::strtod(Buffer, nullptr) == Value)
				{
					break;
				}
			}
			FString Result(Buffer);
			// Whole numbers keep a decimal point so they read as floating point.
			if (std::isfinite((double)Value) && !Result.Contains(TEXT(".")) && !Result.Contains(TEXT("e")))
			{
				Result += TEXT(".0");
			}
			return Result;
		}
		else
		{
			return FString::Printf(TEXT("%lld"), (long long)Value);
		}
	}
}

// ---------------------------------------------------------------------------------------------
// FProperty

FProperty::FProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, int32 InElementSize)
	: FField(InOwner, InName, RF_NoFlags), ElementSize(InElementSize), PropertyFlags(InFlags), Offset_Internal(InOffset)
{
	if (UStruct* OwnerStruct = InOwner.ToUObject())
	{
		OwnerStruct->AddCppProperty(this);
	}
	else if (FField* OwnerField = InOwner.ToField())
	{
		if (FArrayProperty* Array = CastField<FArrayProperty>(OwnerField))
		{
			Array->Inner = this;
		}
	}
}

void FProperty::InitializeValue(void* Dest) const
{
	std::memset(Dest, 0, (size_t)ElementSize);
}

void FProperty::DestroyValue(void*) const {}

void FProperty::CopyCompleteValue(void* Dest, const void* Src) const
{
	std::memcpy(Dest, Src, (size_t)ElementSize);
}

bool FProperty::Identical(const void* A, const void* B, uint32) const
{
	return std::memcmp(A, B, (size_t)ElementSize) == 0;
}

void FProperty::NullReferencesTo(void*, const TSet<UObject*>&) const {}

template<typename T>
FString TProperty_Numeric<T>::GetNumericPropertyValueToString(void const* Data) const
{
	return NumberToString(*(const T*)Data);
}

template<typename T>
const TCHAR* TProperty_Numeric<T>::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadToken(Buffer, Token);
	if constexpr (std::is_floating_point_v<T>)
	{
		double Value = 0;
		if (!ParseDouble(Token, Value))
		{
			return nullptr;
		}
		*(T*)PropertyPtr = (T)Value;
	}
	else
	{
		int64 Value = 0;
		if (!ParseInt(Token, Value))
		{
			return nullptr;
		}
		*(T*)PropertyPtr = (T)Value;
	}
	return End;
}

template class TProperty_Numeric<float>;
template class TProperty_Numeric<double>;
template class TProperty_Numeric<int32>;
template class TProperty_Numeric<int64>;
template class TProperty_Numeric<uint32>;
template class TProperty_Numeric<uint8>;

// ---------------------------------------------------------------------------------------------
// Byte and enum

FString FByteProperty::GetCPPType() const
{
	if (Enum)
	{
		return Enum->GetCppForm() == UEnum::ECppForm::Namespaced
			? FString::Printf(TEXT("TEnumAsByte<%s::Type>"), *Enum->GetName())
			: FString::Printf(TEXT("TEnumAsByte<%s>"), *Enum->GetName());
	}
	return FString(TEXT("uint8"));
}

void FByteProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope) const
{
	if (Enum)
	{
		ValueStr += Enum->GetNameStringByValue(*(const uint8*)PropertyValue);
		return;
	}
	TProperty_Numeric<uint8>::ExportTextItem_Direct(ValueStr, PropertyValue, DefaultValue, Parent, PortFlags, ExportRootScope);
}

const TCHAR* FByteProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const
{
	if (Enum)
	{
		FString Token;
		const TCHAR* End = ReadToken(Buffer, Token);
		const int64 Value = Enum->GetValueByName(FName(*Token));
		if (Value == INDEX_NONE)
		{
			return nullptr;
		}
		*(uint8*)PropertyPtr = (uint8)Value;
		return End;
	}
	return TProperty_Numeric<uint8>::ImportText_Direct(Buffer, PropertyPtr, OwnerObject, PortFlags);
}

FEnumProperty::FEnumProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UEnum* InEnum, int32 InUnderlyingSize)
	: FProperty(InOwner, InName, InFlags, InOffset, InUnderlyingSize), Enum(InEnum)
{
}

int64 FEnumProperty::GetEnumValue(const void* Data) const
{
	switch (ElementSize)
	{
	case 1: return *(const uint8*)Data;
	case 2: return *(const int16*)Data;
	case 4: return *(const int32*)Data;
	default: return *(const int64*)Data;
	}
}

void FEnumProperty::SetEnumValue(void* Data, int64 Value) const
{
	switch (ElementSize)
	{
	case 1: *(uint8*)Data = (uint8)Value; break;
	case 2: *(int16*)Data = (int16)Value; break;
	case 4: *(int32*)Data = (int32)Value; break;
	default: *(int64*)Data = Value; break;
	}
}

FString FEnumProperty::GetCPPType() const
{
	return Enum ? Enum->GetName() : FString(TEXT("uint8"));
}

void FEnumProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject*) const
{
	ValueStr += Enum->GetNameStringByValue(GetEnumValue(PropertyValue));
}

const TCHAR* FEnumProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadToken(Buffer, Token);
	const int32 Index = Enum->GetIndexByName(FName(*Token));
	if (Index == INDEX_NONE)
	{
		return nullptr;
	}
	SetEnumValue(PropertyPtr, Enum->GetValueByIndex(Index));
	return End;
}

// ---------------------------------------------------------------------------------------------
// Bool

FBoolProperty::FBoolProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset)
	: FProperty(InOwner, InName, InFlags, InOffset, (int32)sizeof(bool))
{
	bLayoutResolved = true;
	BitMask = 0xff;
	BitByteOffset = InOffset;
}

FBoolProperty::FBoolProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, GetBitFunc InGet, SetBitFunc InSet, int32 InElementSize)
	: FProperty(InOwner, InName, InFlags, 0, InElementSize), GetBit(InGet), SetBit(InSet)
{
}

void FBoolProperty::ResolveBitLayout() const
{
	if (bLayoutResolved)
	{
		return;
	}
	// Flip the bit on a live value of the owner and see which byte changes, then restore it.
	UStruct* Owner = GetOwnerStruct();
	std::vector<uint8> Scratch;
	void* Container = nullptr;
	UScriptStruct* Struct = dynamic_cast<UScriptStruct*>(Owner);
	if (Struct)
	{
		Scratch.resize((size_t)Struct->GetStructureSize() + 16);
		Container = (void*)(((uintptr_t)Scratch.data() + 15) & ~(uintptr_t)15);
		Struct->InitializeStruct(Container);
	}
	else if (UClass* Class = dynamic_cast<UClass*>(Owner))
	{
		Container = Class->GetDefaultObject();
	}
	if (!Container)
	{
		return;
	}
	const int32 Size = Owner->GetPropertiesSize();
	std::vector<uint8> Before((const uint8*)Container, (const uint8*)Container + Size);
	const bool bOld = GetBit(Container);
	SetBit(Container, !bOld);
	for (int32 Byte = 0; Byte < Size; ++Byte)
	{
		const uint8 Diff = (uint8)(((const uint8*)Container)[Byte] ^ Before[Byte]);
		if (Diff)
		{
			BitByteOffset = Byte;
			BitMask = Diff;
			break;
		}
	}
	SetBit(Container, bOld);
	if (Struct)
	{
		Struct->DestroyStruct(Container);
	}
	BitIndex = 0;
	while (BitIndex < 8 && !(BitMask & (1u << BitIndex)))
	{
		++BitIndex;
	}
	const_cast<FBoolProperty*>(this)->Offset_Internal = BitByteOffset;
	bLayoutResolved = true;
}

int32 FBoolProperty::GetByteOffset() const
{
	ResolveBitLayout();
	return BitByteOffset;
}

uint8 FBoolProperty::GetFieldMask() const
{
	ResolveBitLayout();
	return BitMask;
}

int32 FBoolProperty::GetBitIndex() const
{
	ResolveBitLayout();
	return BitIndex;
}

bool FBoolProperty::GetPropertyValue_InContainer(const void* Container) const
{
	return GetBit ? GetBit(Container) : *(const bool*)((const uint8*)Container + Offset_Internal);
}

void FBoolProperty::SetPropertyValue_InContainer(void* Container, bool bValue) const
{
	if (SetBit)
	{
		SetBit(Container, bValue);
	}
	else
	{
		*(bool*)((uint8*)Container + Offset_Internal) = bValue;
	}
}

void FBoolProperty::SetPropertyValue(void* A, bool bValue) const
{
	uint8* Byte = (uint8*)A;
	const uint8 Mask = GetFieldMask();
	if (IsNativeBool())
	{
		*(bool*)Byte = bValue;
	}
	else
	{
		*Byte = (uint8)(bValue ? (*Byte | Mask) : (*Byte & ~Mask));
	}
}

FString FBoolProperty::GetCPPType() const
{
	if (IsNativeBool())
	{
		return FString(TEXT("bool"));
	}
	return ElementSize == 1 ? FString(TEXT("uint8")) : FString(TEXT("uint32"));
}

void FBoolProperty::InitializeValue(void* Dest) const
{
	SetPropertyValue(Dest, false);
}

void FBoolProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject*) const
{
	ValueStr += GetPropertyValue(PropertyValue) ? TEXT("True") : TEXT("False");
}

const TCHAR* FBoolProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadToken(Buffer, Token);
	if (Token == TEXT("True") || Token == TEXT("1") || Token == TEXT("Yes"))
	{
		SetPropertyValue(PropertyPtr, true);
	}
	else if (Token == TEXT("False") || Token == TEXT("0") || Token == TEXT("No"))
	{
		SetPropertyValue(PropertyPtr, false);
	}
	else
	{
		return nullptr;
	}
	return End;
}

// ---------------------------------------------------------------------------------------------
// Name and string

void FNameProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject*) const
{
	ValueStr += ((const FName*)PropertyValue)->ToString();
}

const TCHAR* FNameProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadMaybeQuoted(Buffer, Token);
	if (!End)
	{
		return nullptr;
	}
	*(FName*)PropertyPtr = FName(*Token);
	return End;
}

void FStrProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject*) const
{
	ValueStr += Quote(*(const FString*)PropertyValue);
}

const TCHAR* FStrProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadMaybeQuoted(Buffer, Token);
	if (!End)
	{
		return nullptr;
	}
	*(FString*)PropertyPtr = Token;
	return End;
}

// ---------------------------------------------------------------------------------------------
// Struct

FStructProperty::FStructProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UScriptStruct* InStruct)
	: FProperty(InOwner, InName, InFlags, InOffset, InStruct->GetStructureSize()), Struct(InStruct)
{
}

FString FStructProperty::GetCPPType() const
{
	return FString(TEXT("F")) + Struct->GetName();
}

void FStructProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void* DefaultValue, UObject* Parent, int32 PortFlags, UObject* ExportRootScope) const
{
	ValueStr += TEXT("(");
	bool bFirst = true;
	for (TFieldIterator<FProperty> It(Struct); It; ++It)
	{
		if (!bFirst)
		{
			ValueStr += TEXT(",");
		}
		bFirst = false;
		ValueStr += It->GetName();
		ValueStr += TEXT("=");
		It->ExportTextItem_Direct(ValueStr, It->ContainerPtrToValuePtr<void>(PropertyValue), DefaultValue ? It->ContainerPtrToValuePtr<void>(DefaultValue) : nullptr, Parent, PortFlags, ExportRootScope);
	}
	ValueStr += TEXT(")");
}

const TCHAR* FStructProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const
{
	Buffer = SkipWhitespace(Buffer);
	if (*Buffer != '(')
	{
		return nullptr;
	}
	Buffer = SkipWhitespace(Buffer + 1);
	while (*Buffer && *Buffer != ')')
	{
		FString FieldName;
		Buffer = SkipWhitespace(ReadToken(Buffer, FieldName));
		if (*Buffer != '=')
		{
			return nullptr;
		}
		FProperty* Field = FindFProperty<FProperty>(Struct, FName(*FieldName));
		if (!Field)
		{
			return nullptr;
		}
		Buffer = Field->ImportText_Direct(Buffer + 1, Field->ContainerPtrToValuePtr<void>(PropertyPtr), OwnerObject, PortFlags);
		if (!Buffer)
		{
			return nullptr;
		}
		Buffer = SkipWhitespace(Buffer);
		if (*Buffer == ',')
		{
			Buffer = SkipWhitespace(Buffer + 1);
		}
	}
	return *Buffer == ')' ? Buffer + 1 : nullptr;
}

bool FStructProperty::ContainsObjectReference() const
{
	for (TFieldIterator<FProperty> It(Struct); It; ++It)
	{
		if (It->ContainsObjectReference())
		{
			return true;
		}
	}
	return false;
}

void FStructProperty::NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const
{
	for (TFieldIterator<FProperty> It(Struct); It; ++It)
	{
		if (It->ContainsObjectReference())
		{
			It->NullReferencesTo(It->ContainerPtrToValuePtr<void>(Value), Doomed);
		}
	}
}

// ---------------------------------------------------------------------------------------------
// Object references

FObjectPropertyBase::FObjectPropertyBase(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, int32 InElementSize, UClass* InClass)
	: FProperty(InOwner, InName, InFlags, InOffset, InElementSize), PropertyClass(InClass)
{
}

void FObjectPropertyBase::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject*, int32, UObject*) const
{
	UObject* Object = GetObjectPropertyValue(PropertyValue);
	ValueStr += Object ? Object->GetPathName() : FString(TEXT("None"));
}

const TCHAR* FObjectPropertyBase::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject*, int32) const
{
	FString Token;
	const TCHAR* End = ReadMaybeQuoted(Buffer, Token);
	if (!End)
	{
		return nullptr;
	}
	if (Token == TEXT("None") || Token.IsEmpty())
	{
		SetObjectPropertyValue(PropertyPtr, nullptr);
		return End;
	}
	// Resolving object paths needs an asset registry the host does not have; only None is accepted.
	return nullptr;
}

FObjectProperty::FObjectProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InClass)
	: FObjectPropertyBase(InOwner, InName, InFlags, InOffset, (int32)sizeof(UObject*), InClass)
{
}

FString FObjectProperty::GetCPPType() const
{
	return FString::Printf(TEXT("TObjectPtr<%s%s>"), PropertyClass && PropertyClass->IsChildOf(UObject::StaticClass()) ? TEXT("U") : TEXT(""), PropertyClass ? *PropertyClass->GetName() : TEXT("UObject"));
}

void FObjectProperty::NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const
{
	UObject** Reference = (UObject**)Value;
	if (*Reference && Doomed.Contains(*Reference))
	{
		*Reference = nullptr;
	}
}

FClassProperty::FClassProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InMetaClass)
	: FObjectProperty(InOwner, InName, InFlags, InOffset, UClass::StaticClass()), MetaClass(InMetaClass)
{
}

FString FClassProperty::GetCPPType() const
{
	return FString::Printf(TEXT("TSubclassOf<%s>"), MetaClass ? *MetaClass->GetName() : TEXT("UObject"));
}

FWeakObjectProperty::FWeakObjectProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UClass* InClass)
	: FObjectPropertyBase(InOwner, InName, InFlags, InOffset, (int32)sizeof(FWeakObjectPtr), InClass)
{
}

FString FWeakObjectProperty::GetCPPType() const
{
	return FString::Printf(TEXT("TWeakObjectPtr<%s>"), PropertyClass ? *PropertyClass->GetName() : TEXT("UObject"));
}

// ---------------------------------------------------------------------------------------------
// Arrays

FArrayProperty::FArrayProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, const FHostScriptArrayOps* InOps)
	: FProperty(InOwner, InName, InFlags, InOffset, 16), Ops(InOps)
{
}

FArrayProperty::~FArrayProperty()
{
	delete Inner;
}

FString FArrayProperty::GetCPPType() const
{
	return FString::Printf(TEXT("TArray<%s>"), Inner ? *Inner->GetCPPType() : TEXT("?"));
}

void FArrayProperty::CopyCompleteValue(void* Dest, const void* Src) const
{
	if (Dest == Src)
	{
		return;
	}
	FScriptArrayHelper SrcHelper(this, Src);
	FScriptArrayHelper DestHelper(this, Dest);
	DestHelper.Resize(SrcHelper.Num());
	for (int32 Index = 0; Index < SrcHelper.Num(); ++Index)
	{
		Inner->CopyCompleteValue(DestHelper.GetRawPtr(Index), SrcHelper.GetRawPtr(Index));
	}
}

bool FArrayProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	FScriptArrayHelper HelperA(this, A);
	FScriptArrayHelper HelperB(this, B);
	if (HelperA.Num() != HelperB.Num())
	{
		return false;
	}
	for (int32 Index = 0; Index < HelperA.Num(); ++Index)
	{
		if (!Inner->Identical(HelperA.GetRawPtr(Index), HelperB.GetRawPtr(Index), PortFlags))
		{
			return false;
		}
	}
	return true;
}

void FArrayProperty::ExportTextItem_Direct(FString& ValueStr, const void* PropertyValue, const void*, UObject* Parent, int32 PortFlags, UObject* ExportRootScope) const
{
	FScriptArrayHelper Helper(this, PropertyValue);
	ValueStr += TEXT("(");
	for (int32 Index = 0; Index < Helper.Num(); ++Index)
	{
		if (Index > 0)
		{
			ValueStr += TEXT(",");
		}
		Inner->ExportTextItem_Direct(ValueStr, Helper.GetRawPtr(Index), nullptr, Parent, PortFlags, ExportRootScope);
	}
	ValueStr += TEXT(")");
}

const TCHAR* FArrayProperty::ImportText_Direct(const TCHAR* Buffer, void* PropertyPtr, UObject* OwnerObject, int32 PortFlags) const
{
	Buffer = SkipWhitespace(Buffer);
	if (*Buffer != '(')
	{
		return nullptr;
	}
	FScriptArrayHelper Helper(this, PropertyPtr);
	Helper.EmptyValues();
	Buffer = SkipWhitespace(Buffer + 1);
	while (*Buffer && *Buffer != ')')
	{
		const int32 Index = Helper.AddValue();
		Buffer = Inner->ImportText_Direct(Buffer, Helper.GetRawPtr(Index), OwnerObject, PortFlags);
		if (!Buffer)
		{
			return nullptr;
		}
		Buffer = SkipWhitespace(Buffer);
		if (*Buffer == ',')
		{
			Buffer = SkipWhitespace(Buffer + 1);
		}
	}
	return *Buffer == ')' ? Buffer + 1 : nullptr;
}

void FArrayProperty::NullReferencesTo(void* Value, const TSet<UObject*>& Doomed) const
{
	FScriptArrayHelper Helper(this, Value);
	for (int32 Index = 0; Index < Helper.Num(); ++Index)
	{
		Inner->NullReferencesTo(Helper.GetRawPtr(Index), Doomed);
	}
}

FMulticastDelegateProperty::FMulticastDelegateProperty(FFieldVariant InOwner, const FName& InName, EPropertyFlags InFlags, int32 InOffset, UFunction* InSignatureFunction)
	: FProperty(InOwner, InName, InFlags, InOffset, 16), SignatureFunction(InSignatureFunction)
{
}

// ---------------------------------------------------------------------------------------------
// Editor events

int32 FPropertyChangedEvent::GetArrayIndex(const FString& PropertyName) const
{
	if (ObjectIteratorIndex >= 0 && ObjectIteratorIndex < ArrayIndicesPerObject.Num())
	{
		if (const int32* Index = ArrayIndicesPerObject[ObjectIteratorIndex].Find(PropertyName))
		{
			return *Index;
		}
	}
	return INDEX_NONE;
}

void FEditPropertyChain::SetActivePropertyNode(FProperty* NewActiveProperty)
{
	ActivePropertyNode = FindNode(NewActiveProperty);
}

void FEditPropertyChain::SetActiveMemberPropertyNode(FProperty* NewActiveMemberProperty)
{
	ActiveMemberPropertyNode = FindNode(NewActiveMemberProperty);
}
