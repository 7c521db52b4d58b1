// FName: a case-insensitive, interned name (table index + instance number).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Templates/TypeHash.h"

#include <iosfwd>
#include <type_traits>

#define NAME_SIZE 1024
#define NAME_NO_NUMBER_INTERNAL 0
#define NAME_INTERNAL_TO_EXTERNAL(x) ((x) - 1)
#define NAME_EXTERNAL_TO_INTERNAL(x) ((x) + 1)
#define NAME_NO_NUMBER NAME_INTERNAL_TO_EXTERNAL(NAME_NO_NUMBER_INTERNAL)

// Names registered before any other, at their enum value as table index. (The engine's list is
// much longer and its values differ; only the names are relied upon.)
enum EName : uint32
{
	NAME_None = 0,
	NAME_ByteProperty,
	NAME_IntProperty,
	NAME_BoolProperty,
	NAME_FloatProperty,
	NAME_DoubleProperty,
	NAME_ObjectProperty,
	NAME_NameProperty,
	NAME_StrProperty,
	NAME_StructProperty,
	NAME_ArrayProperty,
	NAME_EnumProperty,
	NAME_Int64Property,
	NAME_UInt32Property,
	NAME_Name,
	NAME_Object,
	NAME_Class,
	NAME_Struct,
	NAME_Actor,
	NAME_Package,
	NAME_Color,
	NAME_LinearColor,
	NAME_Vector,
	NAME_Vector2D,
	NAME_Vector4,
	NAME_Rotator,
	NAME_Quat,
	NAME_Transform,
	NAME_Guid,
	NAME_Default,
	NAME_Game,
	NAME_Editor,
	NAME_Error,
	NAME_Warning,
	NAME_Log,
	NAME_Tick,
	NAME_BeginPlay,
	NAME_Root,
	NAME_MaxHardcodedNameIndex,
};

enum EFindName
{
	FNAME_Find,
	FNAME_Add,
	FNAME_Replace_Not_Safe_For_Threading,
};

enum class ENameCase : uint8
{
	CaseSensitive,
	IgnoreCase,
};

// Opaque index of an interned name.
struct FNameEntryId
{
	constexpr FNameEntryId() = default;
	constexpr FNameEntryId(EName Name) : Value(static_cast<uint32>(Name)) {}

	constexpr bool IsNone() const { return Value == 0; }
	constexpr uint32 ToUnstableInt() const { return Value; }
	static constexpr FNameEntryId FromUnstableInt(uint32 InValue)
	{
		FNameEntryId Id;
		Id.Value = InValue;
		return Id;
	}
	constexpr explicit operator bool() const { return Value != 0; }
	friend constexpr bool operator==(FNameEntryId A, FNameEntryId B) { return A.Value == B.Value; }
	friend constexpr bool operator<(FNameEntryId A, FNameEntryId B) { return A.Value < B.Value; }
	friend constexpr uint32 GetTypeHash(FNameEntryId Id) { return Id.Value; }

private:
	uint32 Value = 0;
};

namespace UE::Core::Private
{
	// The global name table (thread-safe; entries never move once added).
	CORE_API FNameEntryId FindOrAddName(const TCHAR* Chars, int32 Len, EFindName FindType);
	// The entry of this exact spelling (added if new) and the entry its name compares by: the first
	// spelling of the name in any case. Both are None for FNAME_Find of an unknown name.
	CORE_API void FindOrAddNameCasePreserving(const TCHAR* Chars, int32 Len, EFindName FindType, FNameEntryId& OutComparison, FNameEntryId& OutDisplay);
	CORE_API std::u16string_view GetNameEntry(FNameEntryId Id);
	CORE_API int32 CompareNameEntries(FNameEntryId A, FNameEntryId B);
	CORE_API uint32 GetNameTableSize();
}

class FName
{
public:
	constexpr FName() = default;
	constexpr FName(EName Name) : ComparisonIndex(Name), Number(NAME_NO_NUMBER_INTERNAL), DisplayIndex(Name) {}
	constexpr FName(EName Name, int32 InNumber) : ComparisonIndex(Name), Number(static_cast<uint32>(InNumber)), DisplayIndex(Name) {}
	explicit FName(ENoInit) {}
	FName(const FName& Other, int32 InNumber)
		: ComparisonIndex(Other.ComparisonIndex), Number(static_cast<uint32>(InNumber)), DisplayIndex(Other.DisplayIndex)
	{
	}
	FName(FNameEntryId InComparisonIndex, FNameEntryId InDisplayIndex, int32 InNumber)
		: ComparisonIndex(InComparisonIndex), Number(static_cast<uint32>(InNumber)), DisplayIndex(InDisplayIndex)
	{
	}

	// A trailing "_<digits>" (no leading zero unless the digits are exactly "0") is split off:
	// "Box_3" is "Box" with number 4. Empty text and "None" (any case) are None.
	FName(const WIDECHAR* Name, EFindName FindType = FNAME_Add) { Init(Name, Name ? static_cast<int32>(UE::Core::Private::CStrLen(Name)) : 0, FindType, true); }
	FName(const ANSICHAR* Name, EFindName FindType = FNAME_Add) { InitAnsi(Name, Name ? static_cast<int32>(UE::Core::Private::CStrLen(Name)) : 0, FindType); }
	FName(const UTF8CHAR* Name, EFindName FindType = FNAME_Add) : FName(reinterpret_cast<const ANSICHAR*>(Name), FindType) {}
	FName(int32 Len, const WIDECHAR* Name, EFindName FindType = FNAME_Add) { Init(Name, Len, FindType, true); }
	FName(int32 Len, const ANSICHAR* Name, EFindName FindType = FNAME_Add) { InitAnsi(Name, Len, FindType); }
	// The whole text is the plain name; the number is given.
	FName(const WIDECHAR* Name, int32 InNumber)
	{
		Init(Name, Name ? static_cast<int32>(UE::Core::Private::CStrLen(Name)) : 0, FNAME_Add, false);
		Number = static_cast<uint32>(InNumber);
	}
	FName(const ANSICHAR* Name, int32 InNumber) : FName(*FString(Name), InNumber) {}
	// Explicit, as in the engine where FString reaches FName only through a string view.
	explicit FName(const FString& Name, EFindName FindType = FNAME_Add) { Init(*Name, Name.Len(), FindType, true); }

	// Cheap comparisons: index and number only.
	FORCEINLINE friend bool operator==(FName A, FName B)
	{
		return A.ComparisonIndex == B.ComparisonIndex && A.Number == B.Number;
	}
	FORCEINLINE friend bool operator==(FName A, EName B) { return A.ComparisonIndex == FNameEntryId(B) && A.Number == 0; }
	// Compares with text without adding it to the table (case-insensitive).
	CORE_API bool operator==(const TCHAR* Other) const;
	bool operator==(const ANSICHAR* Other) const { return *this == *FString(Other); }

	FORCEINLINE bool IsNone() const { return ComparisonIndex.IsNone() && Number == NAME_NO_NUMBER_INTERNAL; }
	bool IsValid() const { return ComparisonIndex.ToUnstableInt() < UE::Core::Private::GetNameTableSize(); }
	bool IsEqual(const FName& Other, const ENameCase CompareMethod = ENameCase::IgnoreCase, const bool bCompareNumber = true) const
	{
		if (CompareMethod == ENameCase::IgnoreCase)
		{
			return ComparisonIndex == Other.ComparisonIndex && (!bCompareNumber || Number == Other.Number);
		}
		// Each spelling has its own display entry, so case-sensitive equality is equality of those.
		return DisplayIndex == Other.DisplayIndex && (!bCompareNumber || Number == Other.Number);
	}

	FORCEINLINE FNameEntryId GetComparisonIndex() const { return ComparisonIndex; }
	FORCEINLINE FNameEntryId GetDisplayIndex() const { return DisplayIndex; }
	// Internal number: 0 means no suffix, N means suffix "_<N-1>".
	FORCEINLINE int32 GetNumber() const { return static_cast<int32>(Number); }
	FORCEINLINE void SetNumber(const int32 NewNumber) { Number = static_cast<uint32>(NewNumber); }

	// Text of the name in the casing this FName was created with, as the engine's editor builds keep
	// it; names still compare and hash without regard to case.
	CORE_API FString ToString() const;
	void ToString(FString& Out) const
	{
		Out.Reset();
		AppendString(Out);
	}
	CORE_API void AppendString(FString& Out) const;
	FString GetPlainNameString() const { return FString(UE::Core::Private::GetNameEntry(DisplayIndex)); }
	uint32 GetStringLength() const { return static_cast<uint32>(ToString().Len()); }
	const EName* ToEName() const;

	// Case-insensitive text order, then number. Reads the table; never allocates.
	int32 Compare(const FName& Other) const
	{
		if (ComparisonIndex == Other.ComparisonIndex)
		{
			return GetNumber() - Other.GetNumber();
		}
		return UE::Core::Private::CompareNameEntries(ComparisonIndex, Other.ComparisonIndex);
	}
	FORCEINLINE bool LexicalLess(const FName& Other) const { return Compare(Other) < 0; }
	// Order of creation, not alphabetical; stable only within one run.
	FORCEINLINE bool FastLess(const FName& Other) const
	{
		return ComparisonIndex.ToUnstableInt() != Other.ComparisonIndex.ToUnstableInt()
			? ComparisonIndex.ToUnstableInt() < Other.ComparisonIndex.ToUnstableInt()
			: Number < Other.Number;
	}

	friend FORCEINLINE uint32 GetTypeHash(FName Name) { return GetTypeHash(Name.ComparisonIndex) + Name.Number; }

private:
	CORE_API void Init(const TCHAR* Name, int32 Len, EFindName FindType, bool bSplitNumber);
	void InitAnsi(const ANSICHAR* Name, int32 Len, EFindName FindType)
	{
		const FString Wide(Len, Name);
		Init(*Wide, Wide.Len(), FindType, true);
	}

	FNameEntryId ComparisonIndex;
	uint32 Number = NAME_NO_NUMBER_INTERNAL;
	// The spelling given, as in the engine's case-preserving (editor) builds.
	FNameEntryId DisplayIndex;
};

static_assert(sizeof(FName) == 12, "FName is two indices and a number, as in editor builds");
static_assert(std::is_trivially_copyable_v<FName>, "FName copies must stay free");

struct FNameFastLess
{
	FORCEINLINE bool operator()(const FName& A, const FName& B) const { return A.FastLess(B); }
};

struct FNameLexicalLess
{
	FORCEINLINE bool operator()(const FName& A, const FName& B) const { return A.LexicalLess(B); }
};

inline FString LexToString(const FName& Name) { return Name.ToString(); }
inline void LexFromString(FName& Name, const TCHAR* Str) { Name = FName(Str); }

// Test-framework printing (host only).
CORE_API void PrintTo(const FName& Value, std::ostream* Os);
