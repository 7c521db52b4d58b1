// TSet: hashed set. Elements live in a sparse array (removed slots are reused, most recent
// first), so iteration follows insertion order until something is removed, as in the engine.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

template <typename ElementType, bool bInAllowDuplicateKeys = false>
struct DefaultKeyFuncs
{
	using KeyType = ElementType;
	using KeyInitType = const ElementType&;
	using ElementInitType = const ElementType&;
	static constexpr bool bAllowDuplicateKeys = bInAllowDuplicateKeys;

	static FORCEINLINE const KeyType& GetSetKey(const ElementType& Element) { return Element; }
	template <typename ComparableKey>
	static FORCEINLINE bool Matches(const KeyType& A, const ComparableKey& B) { return A == B; }
	template <typename ComparableKey>
	static FORCEINLINE uint32 GetKeyHash(const ComparableKey& Key) { return GetTypeHash(Key); }
};

class FSetElementId
{
public:
	FSetElementId() = default;
	static FSetElementId FromInteger(int32 Integer)
	{
		FSetElementId Id;
		Id.Index = Integer;
		return Id;
	}
	bool IsValidId() const { return Index != INDEX_NONE; }
	int32 AsInteger() const { return Index; }
	friend bool operator==(FSetElementId A, FSetElementId B) { return A.Index == B.Index; }

private:
	int32 Index = INDEX_NONE;
};

namespace UE::Core::Private
{
	// Sparse array of elements plus a chained hash index; shared by TSet and TMap.
	template <typename ElementType, typename KeyFuncs>
	class TSparseHashSet
	{
	public:
		using KeyType = typename KeyFuncs::KeyType;

		int32 Num() const { return NumElements; }
		int32 GetMaxIndex() const { return static_cast<int32>(Slots.size()); }
		bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < GetMaxIndex() && Slots[static_cast<size_t>(Index)].has_value(); }
		ElementType& At(int32 Index) { return *Slots[static_cast<size_t>(Index)]; }
		const ElementType& At(int32 Index) const { return *Slots[static_cast<size_t>(Index)]; }

		template <typename ComparableKey>
		int32 FindIndex(const ComparableKey& Key) const
		{
			if (NumElements == 0)
			{
				return INDEX_NONE;
			}
			const uint32 Hash = KeyFuncs::GetKeyHash(Key);
			for (int32 Index = Buckets[Hash & (Buckets.size() - 1)]; Index != INDEX_NONE; Index = Links[static_cast<size_t>(Index)])
			{
				if (Hashes[static_cast<size_t>(Index)] == Hash && KeyFuncs::Matches(KeyFuncs::GetSetKey(At(Index)), Key))
				{
					return Index;
				}
			}
			return INDEX_NONE;
		}

		// Adds Element, replacing an element with an equal key (which keeps its slot).
		template <typename ArgType>
		int32 AddOrReplace(ArgType&& Element, bool* bIsAlreadyInSet = nullptr)
		{
			const uint32 Hash = KeyFuncs::GetKeyHash(KeyFuncs::GetSetKey(Element));
			const int32 Existing = FindIndex(KeyFuncs::GetSetKey(Element));
			if (bIsAlreadyInSet)
			{
				*bIsAlreadyInSet = Existing != INDEX_NONE;
			}
			if (Existing != INDEX_NONE)
			{
				Slots[static_cast<size_t>(Existing)].reset();
				Slots[static_cast<size_t>(Existing)].emplace(static_cast<ArgType&&>(Element));
				return Existing;
			}
			return Insert(static_cast<ArgType&&>(Element), Hash);
		}

		template <typename ComparableKey>
		int32 RemoveKey(const ComparableKey& Key)
		{
			const int32 Index = FindIndex(Key);
			if (Index == INDEX_NONE)
			{
				return 0;
			}
			RemoveAt(Index);
			return 1;
		}

		void RemoveAt(int32 Index)
		{
			UE_CORE_CHECKF(IsValidIndex(Index), "Removing an invalid set element %d", Index);
			const size_t BucketIndex = Hashes[static_cast<size_t>(Index)] & (Buckets.size() - 1);
			for (int32* Link = &Buckets[BucketIndex]; *Link != INDEX_NONE; Link = &Links[static_cast<size_t>(*Link)])
			{
				if (*Link == Index)
				{
					*Link = Links[static_cast<size_t>(Index)];
					break;
				}
			}
			Slots[static_cast<size_t>(Index)].reset();
			Links[static_cast<size_t>(Index)] = FirstFree;
			FirstFree = Index;
			--NumElements;
		}

		void Empty(int32 ExpectedNumElements = 0)
		{
			std::vector<std::optional<ElementType>>().swap(Slots);
			std::vector<uint32>().swap(Hashes);
			std::vector<int32>().swap(Links);
			Buckets.clear();
			FirstFree = INDEX_NONE;
			NumElements = 0;
			Reserve(ExpectedNumElements);
		}
		void Reset()
		{
			Slots.clear();
			Hashes.clear();
			Links.clear();
			std::fill(Buckets.begin(), Buckets.end(), INDEX_NONE);
			FirstFree = INDEX_NONE;
			NumElements = 0;
		}
		void Reserve(int32 Number)
		{
			if (Number > 0)
			{
				Slots.reserve(static_cast<size_t>(Number));
				Hashes.reserve(static_cast<size_t>(Number));
				Links.reserve(static_cast<size_t>(Number));
				if (static_cast<size_t>(Number) > Buckets.size())
				{
					Rehash(RoundUpPow2(static_cast<size_t>(Number)));
				}
			}
		}
		// Closes the holes left by removals (order kept).
		void Compact()
		{
			if (FirstFree == INDEX_NONE)
			{
				return;
			}
			std::vector<std::optional<ElementType>> Old;
			Old.swap(Slots);
			Reset();
			for (std::optional<ElementType>& Slot : Old)
			{
				if (Slot)
				{
					Insert(static_cast<ElementType&&>(*Slot), KeyFuncs::GetKeyHash(KeyFuncs::GetSetKey(*Slot)));
				}
			}
		}
		void Shrink()
		{
			while (!Slots.empty() && !Slots.back())
			{
				// Trailing free slots can go; rebuild the free list without them.
				Slots.pop_back();
				Hashes.pop_back();
				Links.pop_back();
			}
			RebuildFreeListAndHash();
		}

		template <typename PredicateType>
		void Sort(const PredicateType& Predicate, bool bStable)
		{
			std::vector<ElementType> Sorted;
			Sorted.reserve(static_cast<size_t>(NumElements));
			for (std::optional<ElementType>& Slot : Slots)
			{
				if (Slot)
				{
					Sorted.push_back(static_cast<ElementType&&>(*Slot));
				}
			}
			if (bStable)
			{
				std::stable_sort(Sorted.begin(), Sorted.end(), Predicate);
			}
			else
			{
				std::sort(Sorted.begin(), Sorted.end(), Predicate);
			}
			Reset();
			for (ElementType& Element : Sorted)
			{
				Insert(static_cast<ElementType&&>(Element), KeyFuncs::GetKeyHash(KeyFuncs::GetSetKey(Element)));
			}
		}

		int32 NextValidIndex(int32 Index) const
		{
			const int32 Max = GetMaxIndex();
			while (Index < Max && !Slots[static_cast<size_t>(Index)])
			{
				++Index;
			}
			return Index;
		}

		SIZE_T GetAllocatedSize() const
		{
			return Slots.capacity() * sizeof(std::optional<ElementType>) + Hashes.capacity() * sizeof(uint32) +
				Links.capacity() * sizeof(int32) + Buckets.capacity() * sizeof(int32);
		}

	private:
		static size_t RoundUpPow2(size_t Value)
		{
			size_t Result = 8;
			while (Result < Value)
			{
				Result <<= 1;
			}
			return Result;
		}

		template <typename ArgType>
		int32 Insert(ArgType&& Element, uint32 Hash)
		{
			int32 Index;
			if (FirstFree != INDEX_NONE)
			{
				Index = FirstFree;
				FirstFree = Links[static_cast<size_t>(Index)];
				Slots[static_cast<size_t>(Index)].emplace(static_cast<ArgType&&>(Element));
				Hashes[static_cast<size_t>(Index)] = Hash;
			}
			else
			{
				Index = static_cast<int32>(Slots.size());
				Slots.emplace_back(std::in_place, static_cast<ArgType&&>(Element));
				Hashes.push_back(Hash);
				Links.push_back(INDEX_NONE);
			}
			++NumElements;
			if (static_cast<size_t>(NumElements) > Buckets.size())
			{
				Rehash(RoundUpPow2(static_cast<size_t>(NumElements) * 2));
			}
			else
			{
				int32& Head = Buckets[Hash & (Buckets.size() - 1)];
				Links[static_cast<size_t>(Index)] = Head;
				Head = Index;
			}
			return Index;
		}

		void Rehash(size_t NewBucketCount)
		{
			Buckets.assign(NewBucketCount, INDEX_NONE);
			for (int32 Index = 0; Index < GetMaxIndex(); ++Index)
			{
				if (Slots[static_cast<size_t>(Index)])
				{
					int32& Head = Buckets[Hashes[static_cast<size_t>(Index)] & (NewBucketCount - 1)];
					Links[static_cast<size_t>(Index)] = Head;
					Head = Index;
				}
			}
		}

		void RebuildFreeListAndHash()
		{
			FirstFree = INDEX_NONE;
			for (int32 Index = GetMaxIndex() - 1; Index >= 0; --Index)
			{
				if (!Slots[static_cast<size_t>(Index)])
				{
					Links[static_cast<size_t>(Index)] = FirstFree;
					FirstFree = Index;
				}
			}
			Rehash(Buckets.empty() ? 8 : Buckets.size());
		}

		std::vector<std::optional<ElementType>> Slots;
		std::vector<uint32> Hashes;
		std::vector<int32> Links; // next in bucket for used slots, next free for free slots
		std::vector<int32> Buckets;
		int32 FirstFree = INDEX_NONE;
		int32 NumElements = 0;
	};

	// Iterator over the used slots of a TSparseHashSet; fatal if the container's size changes
	// while a ranged-for runs.
	template <typename ContainerType, typename ValueType>
	class TSparseHashIterator
	{
	public:
		TSparseHashIterator(ContainerType& InContainer, int32 StartIndex)
			: Container(&InContainer), Index(InContainer.NextValidIndex(StartIndex)), InitialNum(InContainer.Num())
		{
		}
		ValueType& operator*() const { return Container->At(Index); }
		ValueType* operator->() const { return &Container->At(Index); }
		TSparseHashIterator& operator++()
		{
			Index = Container->NextValidIndex(Index + 1);
			return *this;
		}
		friend bool operator==(const TSparseHashIterator& A, const TSparseHashIterator& B)
		{
			UE_CORE_CHECKF(A.Container->Num() == A.InitialNum, "Container has changed during ranged-for iteration!");
			return A.Index == B.Index;
		}
		int32 GetIndex() const { return Index; }

	private:
		ContainerType* Container;
		int32 Index;
		int32 InitialNum;
	};
}

template <typename InElementType, typename KeyFuncs = DefaultKeyFuncs<InElementType>, typename Allocator = FDefaultSetAllocator>
class TSet
{
	using FStorage = UE::Core::Private::TSparseHashSet<InElementType, KeyFuncs>;

public:
	using ElementType = InElementType;
	using KeyInitType = typename KeyFuncs::KeyInitType;

	TSet() = default;
	TSet(std::initializer_list<ElementType> InitList)
	{
		for (const ElementType& Element : InitList)
		{
			Add(Element);
		}
	}
	template <typename OtherAllocator>
	explicit TSet(const TArray<ElementType, OtherAllocator>& Array)
	{
		Append(Array);
	}

	FSetElementId Add(const ElementType& Element, bool* bIsAlreadyInSetPtr = nullptr)
	{
		return FSetElementId::FromInteger(Storage.AddOrReplace(Element, bIsAlreadyInSetPtr));
	}
	FSetElementId Add(ElementType&& Element, bool* bIsAlreadyInSetPtr = nullptr)
	{
		return FSetElementId::FromInteger(Storage.AddOrReplace(static_cast<ElementType&&>(Element), bIsAlreadyInSetPtr));
	}
	template <typename ArgType>
	FSetElementId Emplace(ArgType&& Arg, bool* bIsAlreadyInSetPtr = nullptr)
	{
		return FSetElementId::FromInteger(Storage.AddOrReplace(ElementType(static_cast<ArgType&&>(Arg)), bIsAlreadyInSetPtr));
	}
	template <typename OtherAllocator>
	void Append(const TArray<ElementType, OtherAllocator>& Elements)
	{
		Storage.Reserve(Num() + Elements.Num());
		for (const ElementType& Element : Elements)
		{
			Add(Element);
		}
	}
	void Append(const TSet& Other)
	{
		for (const ElementType& Element : Other)
		{
			Add(Element);
		}
	}
	void Append(std::initializer_list<ElementType> InitList)
	{
		for (const ElementType& Element : InitList)
		{
			Add(Element);
		}
	}

	// Keys are taken as the key type, as in the engine, so a literal or other convertible argument is
	// converted (and hashed) as a key, never hashed as itself.
	bool Contains(KeyInitType Key) const
	{
		return Storage.FindIndex(Key) != INDEX_NONE;
	}
	ElementType* Find(KeyInitType Key)
	{
		const int32 Index = Storage.FindIndex(Key);
		return Index != INDEX_NONE ? &Storage.At(Index) : nullptr;
	}
	const ElementType* Find(KeyInitType Key) const
	{
		return const_cast<TSet*>(this)->Find(Key);
	}
	FSetElementId FindId(KeyInitType Key) const
	{
		return FSetElementId::FromInteger(Storage.FindIndex(Key));
	}
	int32 Remove(KeyInitType Key)
	{
		return Storage.RemoveKey(Key);
	}
	void Remove(FSetElementId Id) { Storage.RemoveAt(Id.AsInteger()); }

	ElementType& operator[](FSetElementId Id)
	{
		UE_CORE_CHECKF(Storage.IsValidIndex(Id.AsInteger()), "Invalid set element id %d", Id.AsInteger());
		return Storage.At(Id.AsInteger());
	}
	const ElementType& operator[](FSetElementId Id) const { return const_cast<TSet*>(this)->operator[](Id); }
	bool IsValidId(FSetElementId Id) const { return Storage.IsValidIndex(Id.AsInteger()); }

	int32 Num() const { return Storage.Num(); }
	bool IsEmpty() const { return Storage.Num() == 0; }
	void Empty(int32 ExpectedNumElements = 0) { Storage.Empty(ExpectedNumElements); }
	void Reset() { Storage.Reset(); }
	void Reserve(int32 Number) { Storage.Reserve(Number); }
	void Shrink() { Storage.Shrink(); }
	void Compact() { Storage.Compact(); }
	void CompactStable() { Storage.Compact(); }
	SIZE_T GetAllocatedSize() const { return Storage.GetAllocatedSize(); }

	template <typename PredicateType>
	void Sort(const PredicateType& Predicate)
	{
		Storage.Sort(TDereferenceWrapper<ElementType, PredicateType>(Predicate), false);
	}
	template <typename PredicateType>
	void StableSort(const PredicateType& Predicate)
	{
		Storage.Sort(TDereferenceWrapper<ElementType, PredicateType>(Predicate), true);
	}

	TArray<ElementType> Array() const
	{
		TArray<ElementType> Result;
		Result.Reserve(Num());
		for (const ElementType& Element : *this)
		{
			Result.Add(Element);
		}
		return Result;
	}

	TSet Union(const TSet& Other) const
	{
		TSet Result(*this);
		Result.Append(Other);
		return Result;
	}
	TSet Intersect(const TSet& Other) const
	{
		TSet Result;
		for (const ElementType& Element : *this)
		{
			if (Other.Contains(KeyFuncs::GetSetKey(Element)))
			{
				Result.Add(Element);
			}
		}
		return Result;
	}
	TSet Difference(const TSet& Other) const
	{
		TSet Result;
		for (const ElementType& Element : *this)
		{
			if (!Other.Contains(KeyFuncs::GetSetKey(Element)))
			{
				Result.Add(Element);
			}
		}
		return Result;
	}
	bool Includes(const TSet& Other) const
	{
		for (const ElementType& Element : Other)
		{
			if (!Contains(KeyFuncs::GetSetKey(Element)))
			{
				return false;
			}
		}
		return true;
	}

	// Iteration ---------------------------------------------------------------------------------

	using TRangedForIterator = UE::Core::Private::TSparseHashIterator<FStorage, ElementType>;
	using TRangedForConstIterator = UE::Core::Private::TSparseHashIterator<const FStorage, const ElementType>;

	TRangedForIterator begin() { return TRangedForIterator(Storage, 0); }
	TRangedForIterator end() { return TRangedForIterator(Storage, Storage.GetMaxIndex()); }
	TRangedForConstIterator begin() const { return TRangedForConstIterator(Storage, 0); }
	TRangedForConstIterator end() const { return TRangedForConstIterator(Storage, Storage.GetMaxIndex()); }

	template <bool bConst>
	class TBaseIterator
	{
		using SetType = std::conditional_t<bConst, const TSet, TSet>;
		using ItElementType = std::conditional_t<bConst, const ElementType, ElementType>;

	public:
		explicit TBaseIterator(SetType& InSet) : Set(InSet), Index(InSet.Storage.NextValidIndex(0)) {}
		TBaseIterator& operator++()
		{
			Index = Set.Storage.NextValidIndex(Index + 1);
			return *this;
		}
		explicit operator bool() const { return Index < Set.Storage.GetMaxIndex(); }
		ItElementType& operator*() const { return Set.Storage.At(Index); }
		ItElementType* operator->() const { return &Set.Storage.At(Index); }
		FSetElementId GetId() const { return FSetElementId::FromInteger(Index); }
		void RemoveCurrent()
			requires(!bConst)
		{
			Set.Storage.RemoveAt(Index);
		}

	private:
		SetType& Set;
		int32 Index;
	};
	using TIterator = TBaseIterator<false>;
	using TConstIterator = TBaseIterator<true>;
	TIterator CreateIterator() { return TIterator(*this); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this); }

private:
	FStorage Storage;
};

template <typename ElementType, typename KeyFuncs, typename Allocator>
bool LegacyCompareEqual(const TSet<ElementType, KeyFuncs, Allocator>& A, const TSet<ElementType, KeyFuncs, Allocator>& B)
{
	return A.Num() == B.Num() && A.Includes(B);
}
