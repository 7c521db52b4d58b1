// TMap: hashed key -> value map over the same sparse storage as TSet.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/Set.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <initializer_list>

// Key/value pair with the engine's member names. (The engine's TPair is a TTuple specialisation.)
template <typename KeyType, typename ValueType>
struct TPair
{
	KeyType Key;
	ValueType Value;

	TPair() = default;
	template <typename K, typename V>
	TPair(K&& InKey, V&& InValue) : Key(static_cast<K&&>(InKey)), Value(static_cast<V&&>(InValue))
	{
	}

	friend bool operator==(const TPair& A, const TPair& B) { return A.Key == B.Key && A.Value == B.Value; }
	friend uint32 GetTypeHash(const TPair& Pair) { return HashCombine(GetTypeHash(Pair.Key), GetTypeHash(Pair.Value)); }
};

template <typename KeyType, typename ValueType>
FORCEINLINE TPair<std::decay_t<KeyType>, std::decay_t<ValueType>> MakeTuple(KeyType&& Key, ValueType&& Value)
{
	return TPair<std::decay_t<KeyType>, std::decay_t<ValueType>>(static_cast<KeyType&&>(Key), static_cast<ValueType&&>(Value));
}

template <typename KeyType, typename ValueType, bool bInAllowDuplicateKeys = false>
struct TDefaultMapKeyFuncs
{
	using ElementType = TPair<KeyType, ValueType>;
	using KeyInitType = const KeyType&;
	using ElementInitType = const ElementType&;
	static constexpr bool bAllowDuplicateKeys = bInAllowDuplicateKeys;

	static FORCEINLINE const KeyType& GetSetKey(const ElementType& Element) { return Element.Key; }
	template <typename ComparableKey>
	static FORCEINLINE bool Matches(const KeyType& A, const ComparableKey& B) { return A == B; }
	template <typename ComparableKey>
	static FORCEINLINE uint32 GetKeyHash(const ComparableKey& Key) { return GetTypeHash(Key); }
};

template <typename KeyType, typename ValueType, bool bInAllowDuplicateKeys>
struct TDefaultMapHashableKeyFuncs : TDefaultMapKeyFuncs<KeyType, ValueType, bInAllowDuplicateKeys>
{
};

namespace UE::Core::Private
{
	template <typename KeyFuncs, typename InKeyType, typename InValueType>
	struct TMapSetKeyFuncs
	{
		using KeyType = InKeyType;
		using ElementType = TPair<InKeyType, InValueType>;
		using KeyInitType = const InKeyType&;
		static FORCEINLINE const InKeyType& GetSetKey(const ElementType& Element) { return KeyFuncs::GetSetKey(Element); }
		template <typename ComparableKey>
		static FORCEINLINE bool Matches(const InKeyType& A, const ComparableKey& B) { return KeyFuncs::Matches(A, B); }
		template <typename ComparableKey>
		static FORCEINLINE uint32 GetKeyHash(const ComparableKey& Key) { return KeyFuncs::GetKeyHash(Key); }
	};
}

template <typename InKeyType, typename InValueType, typename SetAllocator = FDefaultSetAllocator,
	typename KeyFuncs = TDefaultMapHashableKeyFuncs<InKeyType, InValueType, false>>
class TMap
{
	using SetKeyFuncs = UE::Core::Private::TMapSetKeyFuncs<KeyFuncs, InKeyType, InValueType>;
	using FStorage = UE::Core::Private::TSparseHashSet<TPair<InKeyType, InValueType>, SetKeyFuncs>;

public:
	using KeyType = InKeyType;
	using ValueType = InValueType;
	using ElementType = TPair<KeyType, ValueType>;
	using KeyInitType = const KeyType&;
	using ValueInitType = const ValueType&;

	TMap() = default;
	TMap(std::initializer_list<ElementType> InitList)
	{
		for (const ElementType& Pair : InitList)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	// Adding (an existing key is overwritten, key and value) ---------------------------------------

	ValueType& Add(const KeyType& InKey, const ValueType& InValue) { return Emplace(InKey, InValue); }
	ValueType& Add(const KeyType& InKey, ValueType&& InValue) { return Emplace(InKey, static_cast<ValueType&&>(InValue)); }
	ValueType& Add(KeyType&& InKey, const ValueType& InValue) { return Emplace(static_cast<KeyType&&>(InKey), InValue); }
	ValueType& Add(KeyType&& InKey, ValueType&& InValue) { return Emplace(static_cast<KeyType&&>(InKey), static_cast<ValueType&&>(InValue)); }
	ValueType& Add(const KeyType& InKey) { return Emplace(InKey, ValueType()); }
	ValueType& Add(KeyType&& InKey) { return Emplace(static_cast<KeyType&&>(InKey), ValueType()); }
	ValueType& Add(const ElementType& Pair) { return Emplace(Pair.Key, Pair.Value); }

	template <typename InitKeyType, typename InitValueType>
	ValueType& Emplace(InitKeyType&& InKey, InitValueType&& InValue)
	{
		const int32 Index = Storage.AddOrReplace(ElementType(static_cast<InitKeyType&&>(InKey), static_cast<InitValueType&&>(InValue)));
		return Storage.At(Index).Value;
	}
	template <typename InitKeyType>
	ValueType& Emplace(InitKeyType&& InKey)
	{
		return Emplace(static_cast<InitKeyType&&>(InKey), ValueType());
	}

	template <typename OtherAllocator, typename OtherKeyFuncs>
	void Append(const TMap<KeyType, ValueType, OtherAllocator, OtherKeyFuncs>& Other)
	{
		for (const ElementType& Pair : Other)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	ValueType& FindOrAdd(const KeyType& Key)
	{
		const int32 Index = Storage.FindIndex(Key);
		return Index != INDEX_NONE ? Storage.At(Index).Value : Add(Key);
	}
	ValueType& FindOrAdd(KeyType&& Key)
	{
		const int32 Index = Storage.FindIndex(Key);
		return Index != INDEX_NONE ? Storage.At(Index).Value : Add(static_cast<KeyType&&>(Key));
	}
	template <typename InitValueType>
	ValueType& FindOrAdd(const KeyType& Key, InitValueType&& Value)
	{
		const int32 Index = Storage.FindIndex(Key);
		return Index != INDEX_NONE ? Storage.At(Index).Value : Emplace(Key, static_cast<InitValueType&&>(Value));
	}

	// Lookup -------------------------------------------------------------------------------------

	ValueType* Find(const KeyType& Key)
	{
		const int32 Index = Storage.FindIndex(Key);
		return Index != INDEX_NONE ? &Storage.At(Index).Value : nullptr;
	}
	const ValueType* Find(const KeyType& Key) const { return const_cast<TMap*>(this)->Find(Key); }

	// A copy of the value, or a default-constructed value.
	ValueType FindRef(const KeyType& Key) const
	{
		const ValueType* Value = Find(Key);
		return Value ? *Value : ValueType();
	}
	ValueType FindRef(const KeyType& Key, ValueType DefaultValue) const
	{
		const ValueType* Value = Find(Key);
		return Value ? *Value : DefaultValue;
	}

	ValueType& FindChecked(const KeyType& Key)
	{
		ValueType* Value = Find(Key);
		UE_CORE_CHECKF(Value != nullptr, "TMap::FindChecked: key not found");
		return *Value;
	}
	const ValueType& FindChecked(const KeyType& Key) const { return const_cast<TMap*>(this)->FindChecked(Key); }
	ValueType& operator[](const KeyType& Key) { return FindChecked(Key); }
	const ValueType& operator[](const KeyType& Key) const { return FindChecked(Key); }

	const KeyType* FindKey(const ValueType& Value) const
	{
		for (const ElementType& Pair : *this)
		{
			if (Pair.Value == Value)
			{
				return &Pair.Key;
			}
		}
		return nullptr;
	}

	bool Contains(const KeyType& Key) const { return Storage.FindIndex(Key) != INDEX_NONE; }

	// Removal --------------------------------------------------------------------------------------

	int32 Remove(const KeyType& Key) { return Storage.RemoveKey(Key); }
	bool RemoveAndCopyValue(const KeyType& Key, ValueType& OutRemovedValue)
	{
		const int32 Index = Storage.FindIndex(Key);
		if (Index == INDEX_NONE)
		{
			return false;
		}
		OutRemovedValue = static_cast<ValueType&&>(Storage.At(Index).Value);
		Storage.RemoveAt(Index);
		return true;
	}
	ValueType FindAndRemoveChecked(const KeyType& Key)
	{
		const int32 Index = Storage.FindIndex(Key);
		UE_CORE_CHECKF(Index != INDEX_NONE, "TMap::FindAndRemoveChecked: key not found");
		ValueType Result = static_cast<ValueType&&>(Storage.At(Index).Value);
		Storage.RemoveAt(Index);
		return Result;
	}

	// Size -----------------------------------------------------------------------------------------

	int32 Num() const { return Storage.Num(); }
	bool IsEmpty() const { return Storage.Num() == 0; }
	void Empty(int32 ExpectedNumElements = 0) { Storage.Empty(ExpectedNumElements); }
	void Reset() { Storage.Reset(); }
	void Reserve(int32 Number) { Storage.Reserve(Number); }
	void Shrink() { Storage.Shrink(); }
	void Compact() { Storage.Compact(); }
	void CompactStable() { Storage.Compact(); }
	SIZE_T GetAllocatedSize() const { return Storage.GetAllocatedSize(); }

	// Keys and values --------------------------------------------------------------------------------

	template <typename Allocator>
	int32 GetKeys(TArray<KeyType, Allocator>& OutKeys) const
	{
		OutKeys.Reset();
		for (const ElementType& Pair : *this)
		{
			OutKeys.Add(Pair.Key);
		}
		return OutKeys.Num();
	}
	int32 GetKeys(TSet<KeyType>& OutKeys) const
	{
		OutKeys.Reset();
		for (const ElementType& Pair : *this)
		{
			OutKeys.Add(Pair.Key);
		}
		return OutKeys.Num();
	}
	template <typename Allocator>
	void GenerateKeyArray(TArray<KeyType, Allocator>& OutArray) const
	{
		GetKeys(OutArray);
	}
	template <typename Allocator>
	void GenerateValueArray(TArray<ValueType, Allocator>& OutArray) const
	{
		OutArray.Reset();
		for (const ElementType& Pair : *this)
		{
			OutArray.Add(Pair.Value);
		}
	}

	template <typename PredicateType>
	void KeySort(const PredicateType& Predicate)
	{
		Storage.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Key, B.Key); }, false);
	}
	template <typename PredicateType>
	void KeyStableSort(const PredicateType& Predicate)
	{
		Storage.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Key, B.Key); }, true);
	}
	template <typename PredicateType>
	void ValueSort(const PredicateType& Predicate)
	{
		Storage.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Value, B.Value); }, false);
	}
	template <typename PredicateType>
	void ValueStableSort(const PredicateType& Predicate)
	{
		Storage.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Value, B.Value); }, true);
	}

	// Same keys with equal values, whatever the order.
	bool OrderIndependentCompareEqual(const TMap& Other) const
	{
		if (Num() != Other.Num())
		{
			return false;
		}
		for (const ElementType& Pair : *this)
		{
			const ValueType* OtherValue = Other.Find(Pair.Key);
			if (!OtherValue || !(*OtherValue == Pair.Value))
			{
				return false;
			}
		}
		return true;
	}

	// Iteration --------------------------------------------------------------------------------------

	using TRangedForIterator = UE::Core::Private::TSparseHashIterator<FStorage, ElementType>;
	using TRangedForConstIterator = UE::Core::Private::TSparseHashIterator<const FStorage, const ElementType>;

	TRangedForIterator begin() { return TRangedForIterator(Storage, 0); }
	TRangedForIterator end() { return TRangedForIterator(Storage, Storage.GetMaxIndex()); }
	TRangedForConstIterator begin() const { return TRangedForConstIterator(Storage, 0); }
	TRangedForConstIterator end() const { return TRangedForConstIterator(Storage, Storage.GetMaxIndex()); }

	template <bool bConst>
	class TBaseIterator
	{
		using MapType = std::conditional_t<bConst, const TMap, TMap>;
		using ItElementType = std::conditional_t<bConst, const ElementType, ElementType>;
		using ItValueType = std::conditional_t<bConst, const ValueType, ValueType>;

	public:
		explicit TBaseIterator(MapType& InMap) : Map(InMap), Index(InMap.Storage.NextValidIndex(0)) {}
		TBaseIterator& operator++()
		{
			Index = Map.Storage.NextValidIndex(Index + 1);
			return *this;
		}
		explicit operator bool() const { return Index < Map.Storage.GetMaxIndex(); }
		ItElementType& operator*() const { return Map.Storage.At(Index); }
		ItElementType* operator->() const { return &Map.Storage.At(Index); }
		const KeyType& Key() const { return Map.Storage.At(Index).Key; }
		ItValueType& Value() const { return Map.Storage.At(Index).Value; }
		FSetElementId GetId() const { return FSetElementId::FromInteger(Index); }
		void RemoveCurrent()
			requires(!bConst)
		{
			Map.Storage.RemoveAt(Index);
		}

	private:
		MapType& Map;
		int32 Index;
	};
	using TIterator = TBaseIterator<false>;
	using TConstIterator = TBaseIterator<true>;
	TIterator CreateIterator() { return TIterator(*this); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this); }

private:
	FStorage Storage;
};
