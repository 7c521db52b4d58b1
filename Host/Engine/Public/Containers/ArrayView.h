// TArrayView: a non-owning view of contiguous elements (TConstArrayView for const elements).
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"

#include <initializer_list>
#include <type_traits>

// The size type is always int32 here.
template <typename InElementType, typename InSizeType>
class TArrayView
{
public:
	using ElementType = InElementType;
	using SizeType = int32;

	constexpr TArrayView() = default;
	constexpr TArrayView(ElementType* InData, int32 InCount) : DataPtr(InData), ArrayNum(InCount)
	{
		UE_CORE_CHECKF(InCount >= 0, "Negative array view size %d", InCount);
	}
	template <typename OtherElementType, typename Allocator>
		requires std::is_convertible_v<OtherElementType (*)[], ElementType (*)[]>
	TArrayView(TArray<OtherElementType, Allocator>& Other) : DataPtr(Other.GetData()), ArrayNum(Other.Num())
	{
	}
	template <typename OtherElementType, typename Allocator>
		requires std::is_convertible_v<const OtherElementType (*)[], ElementType (*)[]>
	TArrayView(const TArray<OtherElementType, Allocator>& Other) : DataPtr(Other.GetData()), ArrayNum(Other.Num())
	{
	}
	template <typename OtherElementType, typename OtherSizeType>
		requires(!std::is_same_v<OtherElementType, ElementType> && std::is_convertible_v<OtherElementType (*)[], ElementType (*)[]>)
	TArrayView(const TArrayView<OtherElementType, OtherSizeType>& Other) : DataPtr(Other.GetData()), ArrayNum(Other.Num())
	{
	}
	// Views an initializer list: only valid for the full expression, as in the engine.
	TArrayView(std::initializer_list<std::remove_const_t<ElementType>> List)
		requires std::is_const_v<ElementType>
		: DataPtr(List.begin()), ArrayNum(static_cast<int32>(List.size()))
	{
	}
	template <size_t N>
	constexpr TArrayView(ElementType (&Array)[N]) : DataPtr(Array), ArrayNum(static_cast<int32>(N))
	{
	}

	constexpr ElementType* GetData() const { return DataPtr; }
	constexpr int32 Num() const { return ArrayNum; }
	constexpr bool IsEmpty() const { return ArrayNum == 0; }
	constexpr bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < ArrayNum; }
	static constexpr size_t GetTypeSize() { return sizeof(ElementType); }

	ElementType& operator[](int32 Index) const
	{
		UE_CORE_CHECKF(IsValidIndex(Index), "Array index out of bounds: %d into an array of size %d", Index, ArrayNum);
		return DataPtr[Index];
	}
	ElementType& Last(int32 IndexFromTheEnd = 0) const { return (*this)[ArrayNum - IndexFromTheEnd - 1]; }

	TArrayView Slice(int32 Index, int32 InNum) const
	{
		UE_CORE_CHECKF(InNum >= 0 && Index >= 0 && Index + InNum <= ArrayNum, "Slice(%d, %d) out of a view of size %d", Index, InNum, ArrayNum);
		return TArrayView(DataPtr + Index, InNum);
	}
	TArrayView Left(int32 Count) const { return TArrayView(DataPtr, Count < 0 ? 0 : (Count > ArrayNum ? ArrayNum : Count)); }
	TArrayView RightChop(int32 Count) const
	{
		const int32 Skip = Count < 0 ? 0 : (Count > ArrayNum ? ArrayNum : Count);
		return TArrayView(DataPtr + Skip, ArrayNum - Skip);
	}

	template <typename KeyType>
	int32 Find(const KeyType& Item) const
	{
		return IndexOfByKey(Item);
	}
	template <typename KeyType>
	int32 IndexOfByKey(const KeyType& Key) const
	{
		for (int32 Index = 0; Index < ArrayNum; ++Index)
		{
			if (DataPtr[Index] == Key)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename Predicate>
	int32 IndexOfByPredicate(Predicate Pred) const
	{
		for (int32 Index = 0; Index < ArrayNum; ++Index)
		{
			if (Pred(DataPtr[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename KeyType>
	bool Contains(const KeyType& Item) const
	{
		return IndexOfByKey(Item) != INDEX_NONE;
	}
	template <typename Predicate>
	bool ContainsByPredicate(Predicate Pred) const
	{
		return IndexOfByPredicate(Pred) != INDEX_NONE;
	}
	template <typename Predicate>
	ElementType* FindByPredicate(Predicate Pred) const
	{
		const int32 Index = IndexOfByPredicate(Pred);
		return Index != INDEX_NONE ? DataPtr + Index : nullptr;
	}

	constexpr ElementType* begin() const { return DataPtr; }
	constexpr ElementType* end() const { return DataPtr + ArrayNum; }

private:
	ElementType* DataPtr = nullptr;
	int32 ArrayNum = 0;
};

template <typename ElementType, typename SizeType = int32>
using TConstArrayView = TArrayView<const ElementType, SizeType>;

template <typename ElementType>
TArrayView<ElementType> MakeArrayView(ElementType* Pointer, int32 Size)
{
	return TArrayView<ElementType>(Pointer, Size);
}
template <typename ElementType, typename Allocator>
TArrayView<ElementType> MakeArrayView(TArray<ElementType, Allocator>& Array)
{
	return TArrayView<ElementType>(Array);
}
template <typename ElementType, typename Allocator>
TArrayView<const ElementType> MakeArrayView(const TArray<ElementType, Allocator>& Array)
{
	return TArrayView<const ElementType>(Array);
}
template <typename ElementType>
TArrayView<const ElementType> MakeConstArrayView(const ElementType* Pointer, int32 Size)
{
	return TArrayView<const ElementType>(Pointer, Size);
}
template <typename ElementType, typename Allocator>
TArrayView<const ElementType> MakeConstArrayView(const TArray<ElementType, Allocator>& Array)
{
	return TArrayView<const ElementType>(Array);
}
