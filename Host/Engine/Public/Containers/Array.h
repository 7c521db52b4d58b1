// TArray: the engine's dynamic array, over std::vector.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <type_traits>
#include <vector>

enum class EAllowShrinking : uint8
{
	No,
	Yes,
	Default = Yes
};

// Allocation policies are accepted for source compatibility; every TArray uses the heap.
// (The engine declares these in Containers/ContainerAllocationPolicies.h.)
class FDefaultAllocator
{
};
class FHeapAllocator
{
};
template <uint32 NumInlineElements, typename SecondaryAllocator = FDefaultAllocator>
class TInlineAllocator
{
};
template <uint32 NumInlineElements>
class TFixedAllocator
{
};
template <int IndexSize>
class TSizedDefaultAllocator
{
};
class FDefaultSetAllocator
{
};

template <typename InElementType, typename InAllocatorType = FDefaultAllocator>
class TArray;
template <typename InElementType, typename InSizeType = int32>
class TArrayView;

namespace UE::Core::Private
{
	// TArray<bool> must hand out bool& and bool*; std::vector<bool> cannot, so bools are stored
	// in a one-byte wrapper that is pointer-interconvertible with its only member.
	struct FBoolElement
	{
		bool Value = false;
		FBoolElement() = default;
		template <typename ArgType>
		FBoolElement(ArgType&& Arg) : Value(static_cast<bool>(Arg))
		{
		}
	};
	static_assert(sizeof(FBoolElement) == sizeof(bool) && alignof(FBoolElement) == alignof(bool));

	template <typename T>
	struct TArrayStorage
	{
		using Type = T;
	};
	template <>
	struct TArrayStorage<bool>
	{
		using Type = FBoolElement;
	};
}

// Iterator handed to ranged-for: a random-access pointer iterator that fails loudly when the
// array's size changed during the iteration (the engine reports this as a failed ensure, after
// which the loop reads freed memory; here it is fatal at once).
template <typename ElementType, typename ArrayType>
class TCheckedPointerIterator
{
public:
	using iterator_category = std::random_access_iterator_tag;
	using value_type = std::remove_cv_t<ElementType>;
	using difference_type = std::ptrdiff_t;
	using pointer = ElementType*;
	using reference = ElementType&;

	TCheckedPointerIterator() = default;
	TCheckedPointerIterator(const ArrayType* InArray, ElementType* InPtr)
		: Array(InArray), Ptr(InPtr), InitialNum(InArray ? InArray->Num() : 0)
	{
	}
	template <typename OtherElementType>
		requires(!std::is_same_v<OtherElementType, ElementType> && std::is_convertible_v<OtherElementType*, ElementType*>)
	TCheckedPointerIterator(const TCheckedPointerIterator<OtherElementType, ArrayType>& Other)
		: Array(Other.Array), Ptr(Other.Ptr), InitialNum(Other.InitialNum)
	{
	}

	FORCEINLINE reference operator*() const { return *Ptr; }
	FORCEINLINE pointer operator->() const { return Ptr; }
	FORCEINLINE reference operator[](difference_type N) const { return Ptr[N]; }
	FORCEINLINE TCheckedPointerIterator& operator++() { ++Ptr; return *this; }
	FORCEINLINE TCheckedPointerIterator operator++(int) { TCheckedPointerIterator Tmp = *this; ++Ptr; return Tmp; }
	FORCEINLINE TCheckedPointerIterator& operator--() { --Ptr; return *this; }
	FORCEINLINE TCheckedPointerIterator operator--(int) { TCheckedPointerIterator Tmp = *this; --Ptr; return Tmp; }
	FORCEINLINE TCheckedPointerIterator& operator+=(difference_type N) { Ptr += N; return *this; }
	FORCEINLINE TCheckedPointerIterator& operator-=(difference_type N) { Ptr -= N; return *this; }
	FORCEINLINE friend TCheckedPointerIterator operator+(TCheckedPointerIterator It, difference_type N) { It.Ptr += N; return It; }
	FORCEINLINE friend TCheckedPointerIterator operator+(difference_type N, TCheckedPointerIterator It) { It.Ptr += N; return It; }
	FORCEINLINE friend TCheckedPointerIterator operator-(TCheckedPointerIterator It, difference_type N) { It.Ptr -= N; return It; }
	FORCEINLINE friend difference_type operator-(const TCheckedPointerIterator& A, const TCheckedPointerIterator& B) { return A.Ptr - B.Ptr; }

	FORCEINLINE friend bool operator==(const TCheckedPointerIterator& A, const TCheckedPointerIterator& B)
	{
		A.CheckUnchanged();
		return A.Ptr == B.Ptr;
	}
	FORCEINLINE friend auto operator<=>(const TCheckedPointerIterator& A, const TCheckedPointerIterator& B) { return A.Ptr <=> B.Ptr; }

private:
	template <typename, typename>
	friend class TCheckedPointerIterator;

	FORCEINLINE void CheckUnchanged() const
	{
		UE_CORE_CHECKF(!Array || Array->Num() == InitialNum, "Array has changed during ranged-for iteration!");
	}

	const ArrayType* Array = nullptr;
	ElementType* Ptr = nullptr;
	int32 InitialNum = 0;
};

// Index-based iterator with RemoveCurrent(), as returned by CreateIterator().
template <typename ContainerType, typename ElementType>
class TIndexedContainerIterator
{
public:
	TIndexedContainerIterator(ContainerType& InContainer, int32 StartIndex = 0) : Container(InContainer), Index(StartIndex) {}

	TIndexedContainerIterator& operator++() { ++Index; return *this; }
	TIndexedContainerIterator operator++(int) { TIndexedContainerIterator Tmp(*this); ++Index; return Tmp; }
	TIndexedContainerIterator& operator--() { --Index; return *this; }
	TIndexedContainerIterator& operator+=(int32 Offset) { Index += Offset; return *this; }
	TIndexedContainerIterator& operator-=(int32 Offset) { Index -= Offset; return *this; }

	ElementType& operator*() const { return Container[Index]; }
	ElementType* operator->() const { return &Container[Index]; }
	explicit operator bool() const { return Container.IsValidIndex(Index); }
	int32 GetIndex() const { return Index; }
	void Reset() { Index = 0; }
	void SetToEnd() { Index = Container.Num(); }

	// Removes the current element; the next ++ visits the element that took its place.
	void RemoveCurrent()
	{
		Container.RemoveAt(Index);
		--Index;
	}
	void RemoveCurrentSwap()
	{
		Container.RemoveAtSwap(Index);
		--Index;
	}

	friend bool operator==(const TIndexedContainerIterator& A, const TIndexedContainerIterator& B)
	{
		return &A.Container == &B.Container && A.Index == B.Index;
	}

private:
	ContainerType& Container;
	int32 Index;
};

template <typename InElementType, typename InAllocatorType>
class TArray
{
	template <typename, typename>
	friend class TArray;

	using StorageType = typename UE::Core::Private::TArrayStorage<InElementType>::Type;

public:
	using ElementType = InElementType;
	using SizeType = int32;
	using AllocatorType = InAllocatorType;
	using RangedForIteratorType = TCheckedPointerIterator<ElementType, TArray>;
	using RangedForConstIteratorType = TCheckedPointerIterator<const ElementType, TArray>;
	using TIterator = TIndexedContainerIterator<TArray, ElementType>;
	using TConstIterator = TIndexedContainerIterator<const TArray, const ElementType>;

	TArray() = default;
	TArray(const TArray&) = default;
	TArray(TArray&&) noexcept = default;
	TArray& operator=(const TArray&) = default;
	TArray& operator=(TArray&&) noexcept = default;
	~TArray() = default;

	TArray(std::initializer_list<ElementType> InitList) : Data(InitList.begin(), InitList.end()) {}

	TArray(const ElementType* Ptr, int32 Count)
	{
		UE_CORE_CHECKF(Ptr != nullptr || Count == 0, "TArray constructed from a null pointer with %d elements", Count);
		Data.assign(Ptr, Ptr + Count);
	}

	template <typename OtherElementType, typename OtherAllocator>
	explicit TArray(const TArray<OtherElementType, OtherAllocator>& Other)
	{
		Data.reserve(Other.Data.size());
		for (const OtherElementType& Elem : Other.Data)
		{
			Data.emplace_back(Elem);
		}
	}

	template <typename OtherElementType, typename OtherSizeType>
	explicit TArray(const TArrayView<OtherElementType, OtherSizeType>& Other)
	{
		Append(Other.GetData(), Other.Num());
	}

	TArray& operator=(std::initializer_list<ElementType> InitList)
	{
		Data.assign(InitList.begin(), InitList.end());
		return *this;
	}

	// Element access ---------------------------------------------------------------------------

	FORCEINLINE ElementType* GetData()
	{
		if constexpr (std::is_same_v<StorageType, ElementType>)
		{
			return Data.data();
		}
		else
		{
			return reinterpret_cast<ElementType*>(Data.data());
		}
	}
	FORCEINLINE const ElementType* GetData() const { return const_cast<TArray*>(this)->GetData(); }

	FORCEINLINE int32 Num() const { return static_cast<int32>(Data.size()); }
	FORCEINLINE int32 Max() const { return static_cast<int32>(Data.capacity()); }
	FORCEINLINE int32 GetSlack() const { return Max() - Num(); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	static constexpr uint32 GetTypeSize() { return sizeof(ElementType); }
	SIZE_T GetAllocatedSize() const { return Data.capacity() * sizeof(ElementType); }

	FORCEINLINE void RangeCheck(int32 Index) const
	{
		UE_CORE_CHECKF((Index >= 0) & (Index < Num()), "Array index out of bounds: %d into an array of size %d", Index, Num());
	}

	FORCEINLINE ElementType& operator[](int32 Index)
	{
		RangeCheck(Index);
		return GetData()[Index];
	}
	FORCEINLINE const ElementType& operator[](int32 Index) const
	{
		RangeCheck(Index);
		return GetData()[Index];
	}

	ElementType& Last(int32 IndexFromTheEnd = 0)
	{
		RangeCheck(Num() - IndexFromTheEnd - 1);
		return GetData()[Num() - IndexFromTheEnd - 1];
	}
	const ElementType& Last(int32 IndexFromTheEnd = 0) const
	{
		RangeCheck(Num() - IndexFromTheEnd - 1);
		return GetData()[Num() - IndexFromTheEnd - 1];
	}
	ElementType& Top() { return Last(); }
	const ElementType& Top() const { return Last(); }

	// Growth -----------------------------------------------------------------------------------

	FORCEINLINE int32 Add(const ElementType& Item)
	{
		CheckAddress(&Item);
		Data.emplace_back(Item);
		return Num() - 1;
	}
	FORCEINLINE int32 Add(ElementType&& Item)
	{
		CheckAddress(&Item);
		Data.emplace_back(static_cast<ElementType&&>(Item));
		return Num() - 1;
	}
	// The index is taken before GetData(): adding may reallocate.
	ElementType& Add_GetRef(const ElementType& Item)
	{
		const int32 Index = Add(Item);
		return GetData()[Index];
	}
	ElementType& Add_GetRef(ElementType&& Item)
	{
		const int32 Index = Add(static_cast<ElementType&&>(Item));
		return GetData()[Index];
	}

	template <typename... ArgsType>
	FORCEINLINE int32 Emplace(ArgsType&&... Args)
	{
		Data.emplace_back(static_cast<ArgsType&&>(Args)...);
		return Num() - 1;
	}
	template <typename... ArgsType>
	FORCEINLINE ElementType& Emplace_GetRef(ArgsType&&... Args)
	{
		const int32 Index = Emplace(static_cast<ArgsType&&>(Args)...);
		return GetData()[Index];
	}
	template <typename... ArgsType>
	void EmplaceAt(int32 Index, ArgsType&&... Args)
	{
		CheckInsertIndex(Index);
		Data.emplace(Data.begin() + Index, static_cast<ArgsType&&>(Args)...);
	}
	template <typename... ArgsType>
	ElementType& EmplaceAt_GetRef(int32 Index, ArgsType&&... Args)
	{
		EmplaceAt(Index, static_cast<ArgsType&&>(Args)...);
		return GetData()[Index];
	}

	void Push(const ElementType& Item) { Add(Item); }
	void Push(ElementType&& Item) { Add(static_cast<ElementType&&>(Item)); }

	int32 AddUnique(const ElementType& Item)
	{
		const int32 Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(Item);
	}
	int32 AddUnique(ElementType&& Item)
	{
		const int32 Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(static_cast<ElementType&&>(Item));
	}

	// New elements are value-initialised (the engine default-initialises, leaving PODs such as
	// FVector undefined); zero is one of the values the engine could produce.
	int32 AddDefaulted(int32 Count = 1)
	{
		CheckNonNegative(Count);
		const int32 OldNum = Num();
		Data.resize(Data.size() + static_cast<size_t>(Count));
		return OldNum;
	}
	ElementType& AddDefaulted_GetRef()
	{
		const int32 Index = AddDefaulted(1);
		return GetData()[Index];
	}

	int32 AddZeroed(int32 Count = 1)
	{
		const int32 OldNum = AddDefaulted(Count);
		ZeroRange(OldNum, Count);
		return OldNum;
	}
	ElementType& AddZeroed_GetRef()
	{
		const int32 Index = AddZeroed(1);
		return GetData()[Index];
	}

	// Not left uninitialised: value-initialised like AddDefaulted.
	int32 AddUninitialized(int32 Count = 1) { return AddDefaulted(Count); }

	int32 Insert(const ElementType& Item, int32 Index)
	{
		CheckAddress(&Item);
		CheckInsertIndex(Index);
		Data.insert(Data.begin() + Index, Item);
		return Index;
	}
	int32 Insert(ElementType&& Item, int32 Index)
	{
		CheckAddress(&Item);
		CheckInsertIndex(Index);
		Data.insert(Data.begin() + Index, static_cast<ElementType&&>(Item));
		return Index;
	}
	int32 Insert(std::initializer_list<ElementType> InitList, int32 Index)
	{
		CheckInsertIndex(Index);
		Data.insert(Data.begin() + Index, InitList.begin(), InitList.end());
		return Index;
	}
	template <typename OtherAllocator>
	int32 Insert(const TArray<ElementType, OtherAllocator>& Items, int32 Index)
	{
		UE_CORE_CHECKF(static_cast<const void*>(this) != static_cast<const void*>(&Items), "Inserting an array into itself");
		CheckInsertIndex(Index);
		Data.insert(Data.begin() + Index, Items.Data.begin(), Items.Data.end());
		return Index;
	}
	int32 Insert(const ElementType* Ptr, int32 Count, int32 Index)
	{
		CheckInsertIndex(Index);
		CheckNonNegative(Count);
		Data.insert(Data.begin() + Index, Ptr, Ptr + Count);
		return Index;
	}
	void InsertDefaulted(int32 Index, int32 Count = 1)
	{
		CheckInsertIndex(Index);
		CheckNonNegative(Count);
		Data.insert(Data.begin() + Index, static_cast<size_t>(Count), StorageType());
	}
	ElementType& InsertDefaulted_GetRef(int32 Index)
	{
		InsertDefaulted(Index, 1);
		return GetData()[Index];
	}
	void InsertZeroed(int32 Index, int32 Count = 1)
	{
		InsertDefaulted(Index, Count);
		ZeroRange(Index, Count);
	}
	void InsertUninitialized(int32 Index, int32 Count = 1) { InsertDefaulted(Index, Count); }

	template <typename OtherElementType, typename OtherAllocator>
	void Append(const TArray<OtherElementType, OtherAllocator>& Source)
	{
		UE_CORE_CHECKF(static_cast<const void*>(this) != static_cast<const void*>(&Source), "Appending an array to itself");
		Data.insert(Data.end(), Source.Data.begin(), Source.Data.end());
	}
	template <typename OtherAllocator>
	void Append(TArray<ElementType, OtherAllocator>&& Source)
	{
		UE_CORE_CHECKF(static_cast<const void*>(this) != static_cast<const void*>(&Source), "Appending an array to itself");
		if (Data.empty())
		{
			if constexpr (std::is_same_v<OtherAllocator, AllocatorType>)
			{
				Data = static_cast<std::vector<StorageType>&&>(Source.Data);
				Source.Data.clear();
				return;
			}
		}
		Data.insert(Data.end(), std::make_move_iterator(Source.Data.begin()), std::make_move_iterator(Source.Data.end()));
		Source.Data.clear();
	}
	void Append(const ElementType* Ptr, int32 Count)
	{
		CheckNonNegative(Count);
		UE_CORE_CHECKF(Ptr != nullptr || Count == 0, "Appending %d elements from a null pointer", Count);
		if (Count > 0)
		{
			CheckAddress(Ptr);
			Data.insert(Data.end(), Ptr, Ptr + Count);
		}
	}
	void Append(std::initializer_list<ElementType> InitList) { Data.insert(Data.end(), InitList.begin(), InitList.end()); }
	template <typename OtherElementType, typename OtherSizeType>
	void Append(const TArrayView<OtherElementType, OtherSizeType>& View)
	{
		Append(View.GetData(), View.Num());
	}

	template <typename OtherAllocator>
	TArray& operator+=(const TArray<ElementType, OtherAllocator>& Other) { Append(Other); return *this; }
	TArray& operator+=(TArray&& Other) { Append(static_cast<TArray&&>(Other)); return *this; }
	TArray& operator+=(std::initializer_list<ElementType> InitList) { Append(InitList); return *this; }

	// Removal ----------------------------------------------------------------------------------

	// Capacity is kept on removal whatever EAllowShrinking says (the engine may shrink); only
	// Max() and GetAllocatedSize() can tell.
	void RemoveAt(int32 Index, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		RemoveAt(Index, 1, AllowShrinking);
	}
	template <typename CountType>
		requires std::is_integral_v<CountType>
	void RemoveAt(int32 Index, CountType Count, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		static_assert(!std::is_same_v<CountType, bool>, "TArray::RemoveAt: unexpected bool passed as the Count argument");
		(void)AllowShrinking;
		const int32 NumToRemove = static_cast<int32>(Count);
		UE_CORE_CHECKF((NumToRemove >= 0) & (Index >= 0) & (Index + NumToRemove <= Num()),
			"Array index out of bounds: RemoveAt(%d, %d) from an array of size %d", Index, NumToRemove, Num());
		Data.erase(Data.begin() + Index, Data.begin() + Index + NumToRemove);
	}
	template <typename CountType>
		requires std::is_integral_v<CountType>
	UE_DEPRECATED(5.5, "Use RemoveAt with EAllowShrinking")
	void RemoveAt(int32 Index, CountType Count, bool bAllowShrinking)
	{
		RemoveAt(Index, Count, bAllowShrinking ? EAllowShrinking::Yes : EAllowShrinking::No);
	}

	// Fills the hole from the end of the array: fast, does not keep order.
	void RemoveAtSwap(int32 Index, int32 Count = 1, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		(void)AllowShrinking;
		UE_CORE_CHECKF((Count >= 0) & (Index >= 0) & (Index + Count <= Num()),
			"Array index out of bounds: RemoveAtSwap(%d, %d) from an array of size %d", Index, Count, Num());
		const int32 OldNum = Num();
		const int32 NumAfterHole = OldNum - (Index + Count);
		const int32 NumToMove = std::min(Count, NumAfterHole);
		ElementType* Elems = GetData();
		for (int32 i = 0; i < NumToMove; ++i)
		{
			Elems[Index + i] = static_cast<ElementType&&>(Elems[OldNum - NumToMove + i]);
		}
		Data.erase(Data.end() - Count, Data.end());
	}

	template <typename PredicateType>
	int32 RemoveAll(const PredicateType& Predicate)
	{
		const int32 OldNum = Num();
		ElementType* Elems = GetData();
		int32 WriteIndex = 0;
		for (int32 ReadIndex = 0; ReadIndex < OldNum; ++ReadIndex)
		{
			if (!Predicate(Elems[ReadIndex]))
			{
				if (WriteIndex != ReadIndex)
				{
					Elems[WriteIndex] = static_cast<ElementType&&>(Elems[ReadIndex]);
				}
				++WriteIndex;
			}
		}
		Data.erase(Data.begin() + WriteIndex, Data.end());
		return OldNum - WriteIndex;
	}

	template <typename PredicateType>
	int32 RemoveAllSwap(const PredicateType& Predicate, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		int32 Removed = 0;
		for (int32 Index = 0; Index < Num();)
		{
			if (Predicate(GetData()[Index]))
			{
				RemoveAtSwap(Index, 1, AllowShrinking);
				++Removed;
			}
			else
			{
				++Index;
			}
		}
		return Removed;
	}

	// Removes every element equal to Item, keeping order.
	int32 Remove(const ElementType& Item)
	{
		CheckAddress(&Item);
		return RemoveAll([&Item](const ElementType& Element) { return Element == Item; });
	}
	int32 RemoveSingle(const ElementType& Item)
	{
		CheckAddress(&Item);
		const int32 Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAt(Index);
		return 1;
	}
	int32 RemoveSwap(const ElementType& Item, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		CheckAddress(&Item);
		return RemoveAllSwap([&Item](const ElementType& Element) { return Element == Item; }, AllowShrinking);
	}
	int32 RemoveSingleSwap(const ElementType& Item, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		CheckAddress(&Item);
		const int32 Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAtSwap(Index, 1, AllowShrinking);
		return 1;
	}

	ElementType Pop(EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		RangeCheck(0);
		ElementType Result = static_cast<ElementType&&>(GetData()[Num() - 1]);
		RemoveAt(Num() - 1, 1, AllowShrinking);
		return Result;
	}

	// Size management --------------------------------------------------------------------------

	// Empties but keeps the allocation (grown to NewSize if needed).
	void Reset(int32 NewSize = 0)
	{
		Data.clear();
		if (NewSize > Max())
		{
			Data.reserve(static_cast<size_t>(NewSize));
		}
	}
	// Empties and frees, leaving room for Slack elements.
	void Empty(int32 Slack = 0)
	{
		CheckNonNegative(Slack);
		Data.clear();
		if (Max() != Slack)
		{
			std::vector<StorageType>().swap(Data);
			Data.reserve(static_cast<size_t>(Slack));
		}
	}
	void Reserve(int32 Number)
	{
		CheckNonNegative(Number);
		Data.reserve(static_cast<size_t>(Number));
	}
	void Shrink() { Data.shrink_to_fit(); }

	void SetNum(int32 NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		(void)AllowShrinking;
		CheckNonNegative(NewNum);
		Data.resize(static_cast<size_t>(NewNum));
	}
	void SetNumZeroed(int32 NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		const int32 OldNum = Num();
		SetNum(NewNum, AllowShrinking);
		if (NewNum > OldNum)
		{
			ZeroRange(OldNum, NewNum - OldNum);
		}
	}
	void SetNumUninitialized(int32 NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Yes) { SetNum(NewNum, AllowShrinking); }
	void SetNumUnsafeInternal(int32 NewNum)
	{
		UE_CORE_CHECKF(NewNum <= Num() && NewNum >= 0, "SetNumUnsafeInternal(%d) on an array of size %d", NewNum, Num());
		Data.resize(static_cast<size_t>(NewNum));
	}

	void Init(const ElementType& Element, int32 Number)
	{
		CheckNonNegative(Number);
		Data.assign(static_cast<size_t>(Number), Element);
	}

	void Swap(int32 FirstIndexToSwap, int32 SecondIndexToSwap)
	{
		RangeCheck(FirstIndexToSwap);
		RangeCheck(SecondIndexToSwap);
		if (FirstIndexToSwap != SecondIndexToSwap)
		{
			::Swap(GetData()[FirstIndexToSwap], GetData()[SecondIndexToSwap]);
		}
	}
	void SwapMemory(int32 FirstIndexToSwap, int32 SecondIndexToSwap) { Swap(FirstIndexToSwap, SecondIndexToSwap); }

	// Search -----------------------------------------------------------------------------------

	int32 Find(const ElementType& Item) const
	{
		const ElementType* Elems = GetData();
		for (int32 Index = 0, Count = Num(); Index < Count; ++Index)
		{
			if (Elems[Index] == Item)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	bool Find(const ElementType& Item, int32& Index) const
	{
		Index = Find(Item);
		return Index != INDEX_NONE;
	}
	int32 FindLast(const ElementType& Item) const
	{
		const ElementType* Elems = GetData();
		for (int32 Index = Num() - 1; Index >= 0; --Index)
		{
			if (Elems[Index] == Item)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	bool FindLast(const ElementType& Item, int32& Index) const
	{
		Index = FindLast(Item);
		return Index != INDEX_NONE;
	}
	template <typename PredicateType>
	int32 FindLastByPredicate(PredicateType Pred, int32 Count) const
	{
		const ElementType* Elems = GetData();
		for (int32 Index = Count - 1; Index >= 0; --Index)
		{
			if (Pred(Elems[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename PredicateType>
	int32 FindLastByPredicate(PredicateType Pred) const
	{
		return FindLastByPredicate(Pred, Num());
	}

	template <typename KeyType>
	int32 IndexOfByKey(const KeyType& Key) const
	{
		const ElementType* Elems = GetData();
		for (int32 Index = 0, Count = Num(); Index < Count; ++Index)
		{
			if (Elems[Index] == Key)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename PredicateType>
	int32 IndexOfByPredicate(PredicateType Pred) const
	{
		const ElementType* Elems = GetData();
		for (int32 Index = 0, Count = Num(); Index < Count; ++Index)
		{
			if (Pred(Elems[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename KeyType>
	ElementType* FindByKey(const KeyType& Key)
	{
		const int32 Index = IndexOfByKey(Key);
		return Index != INDEX_NONE ? GetData() + Index : nullptr;
	}
	template <typename KeyType>
	const ElementType* FindByKey(const KeyType& Key) const
	{
		return const_cast<TArray*>(this)->FindByKey(Key);
	}
	template <typename PredicateType>
	ElementType* FindByPredicate(PredicateType Pred)
	{
		ElementType* Elems = GetData();
		for (int32 Index = 0, Count = Num(); Index < Count; ++Index)
		{
			if (Pred(static_cast<const ElementType&>(Elems[Index])))
			{
				return Elems + Index;
			}
		}
		return nullptr;
	}
	template <typename PredicateType>
	const ElementType* FindByPredicate(PredicateType Pred) const
	{
		return const_cast<TArray*>(this)->FindByPredicate(Pred);
	}
	template <typename PredicateType>
	TArray<std::remove_const_t<ElementType>> FilterByPredicate(PredicateType Pred) const
	{
		TArray<std::remove_const_t<ElementType>> Result;
		for (const ElementType& Elem : Data)
		{
			if (Pred(Elem))
			{
				Result.Add(Elem);
			}
		}
		return Result;
	}
	template <typename ComparisonType>
	bool Contains(const ComparisonType& Item) const
	{
		return IndexOfByKey(Item) != INDEX_NONE;
	}
	template <typename PredicateType>
	bool ContainsByPredicate(PredicateType Pred) const
	{
		return IndexOfByPredicate(Pred) != INDEX_NONE;
	}

	// Sorting. Arrays of pointers are sorted by the pointees, and Pred receives const T& (the
	// dereferenced element), as in the engine. Sort is not stable.
	void Sort() { Sort(TLess<>()); }
	template <typename PredicateType>
	void Sort(const PredicateType& Pred)
	{
		TDereferenceWrapper<ElementType, PredicateType> Wrapper(Pred);
		std::sort(GetData(), GetData() + Num(), Wrapper);
	}
	void StableSort() { StableSort(TLess<>()); }
	template <typename PredicateType>
	void StableSort(const PredicateType& Pred)
	{
		TDereferenceWrapper<ElementType, PredicateType> Wrapper(Pred);
		std::stable_sort(GetData(), GetData() + Num(), Wrapper);
	}

	// Comparison -------------------------------------------------------------------------------

	friend bool operator==(const TArray& A, const TArray& B)
	{
		const int32 Count = A.Num();
		if (Count != B.Num())
		{
			return false;
		}
		const ElementType* AData = A.GetData();
		const ElementType* BData = B.GetData();
		for (int32 Index = 0; Index < Count; ++Index)
		{
			if (!(AData[Index] == BData[Index]))
			{
				return false;
			}
		}
		return true;
	}

	// Iteration --------------------------------------------------------------------------------

	FORCEINLINE RangedForIteratorType begin() { return RangedForIteratorType(this, GetData()); }
	FORCEINLINE RangedForConstIteratorType begin() const { return RangedForConstIteratorType(this, GetData()); }
	FORCEINLINE RangedForIteratorType end() { return RangedForIteratorType(this, GetData() + Num()); }
	FORCEINLINE RangedForConstIteratorType end() const { return RangedForConstIteratorType(this, GetData() + Num()); }

	TIterator CreateIterator() { return TIterator(*this); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this); }

private:
	FORCEINLINE void CheckAddress(const ElementType* Addr) const
	{
		const ElementType* Begin = GetData();
		UE_CORE_CHECKF(Addr < Begin || Addr >= Begin + Max(),
			"Attempting to use a container element (%p) which already comes from the container being modified (%p, ArrayMax: %d, ArrayNum: %d)!",
			static_cast<const void*>(Addr), static_cast<const void*>(Begin), Max(), Num());
	}
	FORCEINLINE void CheckInsertIndex(int32 Index) const
	{
		UE_CORE_CHECKF((Index >= 0) & (Index <= Num()), "Array index out of bounds: inserting at %d into an array of size %d", Index, Num());
	}
	FORCEINLINE static void CheckNonNegative(int32 Count)
	{
		UE_CORE_CHECKF(Count >= 0, "Invalid element count %d", Count);
	}
	void ZeroRange(int32 Start, int32 Count)
	{
		// Engine zeroed elements are raw zero bytes; for types that cannot be memset safely the
		// value-initialisation done by the caller stands in.
		if constexpr (std::is_trivially_copyable_v<ElementType>)
		{
			if (Count > 0)
			{
				std::memset(static_cast<void*>(GetData() + Start), 0, sizeof(ElementType) * static_cast<size_t>(Count));
			}
		}
	}

	std::vector<StorageType> Data;
};

template <typename ElementType, typename AllocatorType>
uint32 GetTypeHash(const TArray<ElementType, AllocatorType>& Array)
{
	uint32 Hash = 0;
	for (const ElementType& Elem : Array)
	{
		Hash = HashCombine(Hash, GetTypeHash(Elem));
	}
	return Hash;
}

template <typename T, typename AllocatorType>
FORCEINLINE T* GetData(TArray<T, AllocatorType>& Array)
{
	return Array.GetData();
}
template <typename T, typename AllocatorType>
FORCEINLINE const T* GetData(const TArray<T, AllocatorType>& Array)
{
	return Array.GetData();
}
template <typename T, typename AllocatorType>
FORCEINLINE int32 GetNum(const TArray<T, AllocatorType>& Array)
{
	return Array.Num();
}
