#pragma once

#include "UObject/WeakObjectPtr.h"
#include "UObject/ObjectPtr.h"
#include <type_traits>

template<class T, class TWeakObjectPtrBase = FWeakObjectPtr>
struct TWeakObjectPtr : private TWeakObjectPtrBase
{
	template<class, class> friend struct TWeakObjectPtr;

public:
	TWeakObjectPtr() = default;
	TWeakObjectPtr(TYPE_OF_NULLPTR) {}
	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr(U* Object) : TWeakObjectPtrBase((const UObject*)Object) {}
	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr(const TObjectPtr<U>& Object) : TWeakObjectPtrBase((const UObject*)Object.Get()) {}
	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr(const TWeakObjectPtr<U, TWeakObjectPtrBase>& Other) : TWeakObjectPtrBase(static_cast<const TWeakObjectPtrBase&>(Other)) {}

	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr& operator=(U* Object)
	{
		TWeakObjectPtrBase::operator=((const UObject*)Object);
		return *this;
	}
	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr& operator=(const TObjectPtr<U>& Object)
	{
		TWeakObjectPtrBase::operator=((const UObject*)Object.Get());
		return *this;
	}
	template<class U, class = std::enable_if_t<std::is_convertible_v<U*, const T*>>>
	TWeakObjectPtr& operator=(const TWeakObjectPtr<U, TWeakObjectPtrBase>& Other)
	{
		static_cast<TWeakObjectPtrBase&>(*this) = static_cast<const TWeakObjectPtrBase&>(Other);
		return *this;
	}

	void Reset() { TWeakObjectPtrBase::Reset(); }
	T* Get(bool bEvenIfGarbage = false) const { return (T*)TWeakObjectPtrBase::Get(bEvenIfGarbage); }
	T* GetEvenIfUnreachable() const { return (T*)TWeakObjectPtrBase::GetEvenIfUnreachable(); }
	T& operator*() const { return *Get(); }
	T* operator->() const { return Get(); }
	explicit operator bool() const { return TWeakObjectPtrBase::IsValid(); }

	bool IsValid(bool bEvenIfGarbage = false, bool bThreadsafeTest = false) const { return TWeakObjectPtrBase::IsValid(bEvenIfGarbage, bThreadsafeTest); }
	bool IsStale(bool bIncludingGarbage = true, bool bThreadsafeTest = false) const { return TWeakObjectPtrBase::IsStale(bIncludingGarbage, bThreadsafeTest); }
	bool IsExplicitlyNull() const { return TWeakObjectPtrBase::IsExplicitlyNull(); }
	bool HasSameIndexAndSerialNumber(const TWeakObjectPtr& Other) const { return TWeakObjectPtrBase::HasSameIndexAndSerialNumber(Other); }

	friend bool operator==(const TWeakObjectPtr& Lhs, const TWeakObjectPtr& Rhs)
	{
		return static_cast<const TWeakObjectPtrBase&>(Lhs) == static_cast<const TWeakObjectPtrBase&>(Rhs);
	}
	friend bool operator==(const TWeakObjectPtr& Lhs, const T* Rhs) { return Lhs.Get(true) == Rhs; }
	friend bool operator==(const TWeakObjectPtr& Lhs, TYPE_OF_NULLPTR) { return !Lhs.IsValid(); }
	friend uint32 GetTypeHash(const TWeakObjectPtr& Ptr) { return GetTypeHash(static_cast<const TWeakObjectPtrBase&>(Ptr)); }
};

template<class T>
FORCEINLINE TWeakObjectPtr<T> MakeWeakObjectPtr(T* Object)
{
	return TWeakObjectPtr<T>(Object);
}
