#include "UObject/NameTypes.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <ostream>
#include <unordered_map>
#include <vector>

namespace
{
	// Names live in fixed-size blocks that never move, so readers index them without a lock;
	// lookups and additions are serialised by the mutex.
	class FNameTable
	{
	public:
		static constexpr uint32 BlockBits = 12;
		static constexpr uint32 BlockSize = 1u << BlockBits;
		static constexpr uint32 MaxBlocks = 4096;

		FNameTable()
		{
			static const char16_t* const Hardcoded[] = {u"None", u"ByteProperty", u"IntProperty", u"BoolProperty",
				u"FloatProperty", u"DoubleProperty", u"ObjectProperty", u"NameProperty", u"StrProperty", u"StructProperty",
				u"ArrayProperty", u"EnumProperty", u"Int64Property", u"UInt32Property", u"Name", u"Object", u"Class", u"Struct",
				u"Actor", u"Package", u"Color", u"LinearColor", u"Vector", u"Vector2D", u"Vector4", u"Rotator", u"Quat",
				u"Transform", u"Guid", u"Default", u"Game", u"Editor", u"Error", u"Warning", u"Log", u"Tick", u"BeginPlay", u"Root"};
			static_assert(sizeof(Hardcoded) / sizeof(Hardcoded[0]) == NAME_MaxHardcodedNameIndex, "EName list and table disagree");
			Buckets.assign(1024, InvalidIndex);
			for (const char16_t* Name : Hardcoded)
			{
				FindOrAdd(std::u16string_view(Name), FNAME_Add);
			}
		}

		uint32 FindOrAdd(std::u16string_view Name, EFindName FindType)
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			return FindOrAddComparison(Name, FindType);
		}

		/** The comparison entry of Name and the entry of its exact spelling; InvalidIndex for both when not found. */
		void FindOrAddCasePreserving(std::u16string_view Name, EFindName FindType, uint32& OutComparison, uint32& OutDisplay)
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			OutComparison = FindOrAddComparison(Name, FindType);
			OutDisplay = OutComparison;
			// None has one spelling; otherwise the first spelling doubles as its own display entry.
			if (OutComparison == InvalidIndex || OutComparison == 0 || Get(OutComparison) == Name)
			{
				return;
			}
			const auto Found = Spellings.find(std::u16string(Name));
			if (Found != Spellings.end())
			{
				OutDisplay = Found->second;
				return;
			}
			if (FindType == FNAME_Find)
			{
				return;
			}
			// Another spelling of a known name: an entry of its own, outside the case-insensitive chains.
			OutDisplay = Store(Name, Hashes[OutComparison]);
			Spellings.emplace(std::u16string(Name), OutDisplay);
		}

		const std::u16string& Get(uint32 Index) const
		{
			return Blocks[Index >> BlockBits][Index & (BlockSize - 1)];
		}
		uint32 Num() const { return Count.load(std::memory_order_acquire); }

		static constexpr uint32 InvalidIndex = ~0u;

	private:
		uint32 Store(std::u16string_view Name, uint32 Hash)
		{
			const uint32 NewIndex = Count.load(std::memory_order_relaxed);
			UE_CORE_CHECKF(NewIndex < BlockSize * MaxBlocks, "Name table is full");
			std::unique_ptr<std::u16string[]>& Block = Blocks[NewIndex >> BlockBits];
			if (!Block)
			{
				Block = std::make_unique<std::u16string[]>(BlockSize);
			}
			Block[NewIndex & (BlockSize - 1)] = std::u16string(Name);
			Hashes.push_back(Hash);
			Next.push_back(InvalidIndex);
			bInChains.push_back(false);
			Count.store(NewIndex + 1, std::memory_order_release);
			return NewIndex;
		}

		uint32 FindOrAddComparison(std::u16string_view Name, EFindName FindType)
		{
			const uint32 Hash = HashIgnoreCase(Name);
			for (uint32 Index = Buckets[Hash & (Buckets.size() - 1)]; Index != InvalidIndex; Index = Next[Index])
			{
				const std::u16string& Entry = Get(Index);
				if (Entry.size() == Name.size() && UE::Core::Private::CharsEqualIgnoreCase(Entry.data(), Name.data(), Name.size()))
				{
					return Index;
				}
			}
			if (FindType == FNAME_Find)
			{
				return InvalidIndex;
			}

			const uint32 NewIndex = Store(Name, Hash);
			bInChains[NewIndex] = true;
			if (NewIndex + 1 > Buckets.size())
			{
				Rehash(Buckets.size() * 2);
			}
			else
			{
				uint32& Head = Buckets[Hash & (Buckets.size() - 1)];
				Next[NewIndex] = Head;
				Head = NewIndex;
			}
			return NewIndex;
		}

		static uint32 HashIgnoreCase(std::u16string_view Name)
		{
			uint32 Hash = 2166136261u;
			for (char16_t C : Name)
			{
				Hash = (Hash ^ static_cast<uint32>(FChar::ToLower(C))) * 16777619u;
			}
			return Hash ^ (Hash >> 15);
		}

		void Rehash(size_t NewBucketCount)
		{
			Buckets.assign(NewBucketCount, InvalidIndex);
			const uint32 Total = Count.load(std::memory_order_relaxed);
			for (uint32 Index = 0; Index < Total; ++Index)
			{
				if (!bInChains[Index])
				{
					continue;
				}
				uint32& Head = Buckets[Hashes[Index] & (NewBucketCount - 1)];
				Next[Index] = Head;
				Head = Index;
			}
		}

		std::mutex Mutex;
		std::unique_ptr<std::u16string[]> Blocks[MaxBlocks];
		std::vector<uint32> Hashes;
		std::vector<uint32> Next;
		std::vector<uint32> Buckets;
		std::vector<bool> bInChains;
		std::unordered_map<std::u16string, uint32> Spellings;
		std::atomic<uint32> Count{0};
	};

	FNameTable& GetNameTable()
	{
		static FNameTable Table;
		return Table;
	}

	// Splits a trailing "_<digits>" as the engine does. Returns the internal number (0 = none)
	// and shortens Len to the plain part.
	uint32 ParseNumber(const TCHAR* Name, int32& InOutLen)
	{
		const int32 Len = InOutLen;
		int32 Digits = 0;
		for (const TCHAR* It = Name + Len - 1; It >= Name && *It >= u'0' && *It <= u'9'; --It)
		{
			++Digits;
		}
		const TCHAR* FirstDigit = Name + Len - Digits;
		constexpr int32 MaxDigitsInt32 = 10;
		if (Digits && Digits < Len && *(FirstDigit - 1) == u'_' && Digits <= MaxDigitsInt32)
		{
			// "Rocket_04" keeps its zero-led suffix as text; "Rocket_0" splits.
			if (Digits == 1 || *FirstDigit != u'0')
			{
				int64 Number = 0;
				for (int32 Index = 0; Index < Digits; ++Index)
				{
					Number = Number * 10 + (FirstDigit[Index] - u'0');
				}
				if (Number < 0x7fffffff)
				{
					InOutLen -= 1 + Digits;
					return static_cast<uint32>(NAME_EXTERNAL_TO_INTERNAL(Number));
				}
			}
		}
		return NAME_NO_NUMBER_INTERNAL;
	}
}

namespace UE::Core::Private
{
	FNameEntryId FindOrAddName(const TCHAR* Chars, int32 Len, EFindName FindType)
	{
		const uint32 Index = GetNameTable().FindOrAdd(std::u16string_view(Chars, static_cast<size_t>(Len)), FindType);
		return FNameEntryId::FromUnstableInt(Index == FNameTable::InvalidIndex ? 0 : Index);
	}

	std::u16string_view GetNameEntry(FNameEntryId Id)
	{
		FNameTable& Table = GetNameTable();
		const uint32 Index = Id.ToUnstableInt();
		UE_CORE_CHECKF(Index < Table.Num(), "Invalid name index %u", Index);
		return Table.Get(Index);
	}

	int32 CompareNameEntries(FNameEntryId A, FNameEntryId B)
	{
		return CompareIgnoreCase(GetNameEntry(A), GetNameEntry(B));
	}

	void FindOrAddNameCasePreserving(const TCHAR* Chars, int32 Len, EFindName FindType, FNameEntryId& OutComparison, FNameEntryId& OutDisplay)
	{
		uint32 Comparison = FNameTable::InvalidIndex;
		uint32 Display = FNameTable::InvalidIndex;
		GetNameTable().FindOrAddCasePreserving(std::u16string_view(Chars, static_cast<size_t>(Len)), FindType, Comparison, Display);
		OutComparison = FNameEntryId::FromUnstableInt(Comparison == FNameTable::InvalidIndex ? 0 : Comparison);
		OutDisplay = FNameEntryId::FromUnstableInt(Display == FNameTable::InvalidIndex ? 0 : Display);
	}

	uint32 GetNameTableSize()
	{
		return GetNameTable().Num();
	}
}

void FName::Init(const TCHAR* Name, int32 Len, EFindName FindType, bool bSplitNumber)
{
	ComparisonIndex = FNameEntryId();
	DisplayIndex = FNameEntryId();
	Number = NAME_NO_NUMBER_INTERNAL;
	if (Name == nullptr || Len <= 0)
	{
		return;
	}
	UE_CORE_CHECKF(Len < NAME_SIZE, "FName is too long (%d characters, limit %d)", Len, NAME_SIZE - 1);

	int32 PlainLen = Len;
	const uint32 InternalNumber = bSplitNumber ? ParseNumber(Name, PlainLen) : NAME_NO_NUMBER_INTERNAL;
	if (PlainLen == 0)
	{
		// "_3": no plain part; keeps the number on None.
		Number = InternalNumber;
		return;
	}
	uint32 Comparison = FNameTable::InvalidIndex;
	uint32 Display = FNameTable::InvalidIndex;
	GetNameTable().FindOrAddCasePreserving(std::u16string_view(Name, static_cast<size_t>(PlainLen)), FindType, Comparison, Display);
	if (Comparison == FNameTable::InvalidIndex)
	{
		return; // FNAME_Find of an unknown name: None
	}
	ComparisonIndex = FNameEntryId::FromUnstableInt(Comparison);
	DisplayIndex = FNameEntryId::FromUnstableInt(Display);
	Number = InternalNumber;
}

bool FName::operator==(const TCHAR* Other) const
{
	int32 Len = static_cast<int32>(UE::Core::Private::CStrLen(Other));
	if (Len == 0)
	{
		return IsNone();
	}
	const uint32 OtherNumber = ParseNumber(Other, Len);
	if (OtherNumber != Number)
	{
		return false;
	}
	const std::u16string_view Plain = UE::Core::Private::GetNameEntry(ComparisonIndex);
	return Plain.size() == static_cast<size_t>(Len) && UE::Core::Private::CharsEqualIgnoreCase(Plain.data(), Other, Plain.size());
}

void FName::AppendString(FString& Out) const
{
	const std::u16string_view Plain = UE::Core::Private::GetNameEntry(DisplayIndex);
	Out.AppendChars(Plain.data(), static_cast<int32>(Plain.size()));
	if (Number != NAME_NO_NUMBER_INTERNAL)
	{
		Out.Appendf(u"_%d", NAME_INTERNAL_TO_EXTERNAL(static_cast<int32>(Number)));
	}
}

FString FName::ToString() const
{
	FString Out;
	AppendString(Out);
	return Out;
}

const EName* FName::ToEName() const
{
	static EName Names[NAME_MaxHardcodedNameIndex];
	static const bool bInit = [] {
		for (uint32 Index = 0; Index < NAME_MaxHardcodedNameIndex; ++Index)
		{
			Names[Index] = static_cast<EName>(Index);
		}
		return true;
	}();
	(void)bInit;
	const uint32 Index = ComparisonIndex.ToUnstableInt();
	return Number == NAME_NO_NUMBER_INTERNAL && Index < NAME_MaxHardcodedNameIndex ? &Names[Index] : nullptr;
}

void PrintTo(const FName& Value, std::ostream* Os)
{
	*Os << "FName(\"" << Value.ToString().ToStdString() << "\")";
}
