// TSharedPtr / TSharedRef / TWeakPtr / TSharedFromThis over std::shared_ptr. Reference counting
// is always thread-safe here; ESPMode is accepted for source compatibility.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <memory>
#include <type_traits>
#include <utility>

enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedRef;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TWeakPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedFromThis;

namespace UE::Core::Private
{
	// Result of MakeShareable: converts to a shared pointer or reference taking ownership.
	template <class ObjectType>
	struct TRawPtrProxy
	{
		ObjectType* Object;
		explicit TRawPtrProxy(ObjectType* InObject) : Object(InObject) {}
	};

	// Access to the std::shared_ptr inside the host wrappers (not engine API).
	struct FSharedPointerAccess
	{
		template <class T>
		static const auto& Get(const T& Ptr)
		{
			return Ptr.Pointer;
		}
	};
}

template <class ObjectType, ESPMode Mode>
class TSharedRef
{
public:
	using ElementType = ObjectType;

	// A reference needs an object: no default constructor.
	TSharedRef() = delete;
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TSharedRef(const TSharedRef<OtherType, Mode>& Other) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Other))
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TSharedRef(UE::Core::Private::TRawPtrProxy<OtherType> Proxy) : Pointer(Proxy.Object)
	{
		UE_CORE_CHECKF(Pointer != nullptr, "TSharedRef from a null MakeShareable");
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	explicit TSharedRef(OtherType* InObject) : Pointer(InObject)
	{
		UE_CORE_CHECKF(Pointer != nullptr, "TSharedRef from a null pointer");
	}
	// Host interop: wraps an existing non-null std::shared_ptr.
	explicit TSharedRef(std::shared_ptr<ObjectType> InPointer) : Pointer(std::move(InPointer))
	{
		UE_CORE_CHECKF(Pointer != nullptr, "TSharedRef from a null pointer");
	}

	ObjectType& Get() const { return *Pointer; }
	ObjectType& operator*() const { return *Pointer; }
	ObjectType* operator->() const { return Pointer.get(); }
	TSharedPtr<ObjectType, Mode> ToSharedPtr() const { return TSharedPtr<ObjectType, Mode>(*this); }
	TWeakPtr<ObjectType, Mode> ToWeakPtr() const { return TWeakPtr<ObjectType, Mode>(*this); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Pointer.use_count()); }
	bool IsUnique() const { return Pointer.use_count() == 1; }
	// Always true; present for generic code.
	bool IsValid() const { return true; }

	template <class OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const
	{
		return Pointer.get() == UE::Core::Private::FSharedPointerAccess::Get(Other).get();
	}
	template <class OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const
	{
		return Pointer.get() == Other.Get();
	}
	friend uint32 GetTypeHash(const TSharedRef& Ref) { return PointerHash(Ref.Pointer.get()); }

private:
	friend struct UE::Core::Private::FSharedPointerAccess;
	std::shared_ptr<ObjectType> Pointer;
};

template <class ObjectType, ESPMode Mode>
class TSharedPtr
{
public:
	using ElementType = ObjectType;

	TSharedPtr() = default;
	TSharedPtr(decltype(nullptr)) {}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	explicit TSharedPtr(OtherType* InObject) : Pointer(InObject)
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TSharedPtr(UE::Core::Private::TRawPtrProxy<OtherType> Proxy) : Pointer(Proxy.Object)
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TSharedPtr(const TSharedPtr<OtherType, Mode>& Other) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Other))
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TSharedPtr(const TSharedRef<OtherType, Mode>& Other) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Other))
	{
	}
	// Host interop: wraps an existing std::shared_ptr.
	explicit TSharedPtr(std::shared_ptr<ObjectType> InPointer) : Pointer(std::move(InPointer)) {}

	TSharedPtr& operator=(decltype(nullptr))
	{
		Pointer.reset();
		return *this;
	}

	ObjectType* Get() const { return Pointer.get(); }
	ObjectType& operator*() const
	{
		UE_CORE_CHECKF(Pointer != nullptr, "Dereferencing a null TSharedPtr");
		return *Pointer;
	}
	ObjectType* operator->() const
	{
		UE_CORE_CHECKF(Pointer != nullptr, "Dereferencing a null TSharedPtr");
		return Pointer.get();
	}
	bool IsValid() const { return Pointer != nullptr; }
	explicit operator bool() const { return Pointer != nullptr; }
	void Reset() { Pointer.reset(); }
	// Fatal if null.
	TSharedRef<ObjectType, Mode> ToSharedRef() const
	{
		UE_CORE_CHECKF(Pointer != nullptr, "ToSharedRef() on a null TSharedPtr");
		return TSharedRef<ObjectType, Mode>(Pointer);
	}
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Pointer.use_count()); }
	bool IsUnique() const { return Pointer.use_count() == 1; }

	template <class OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const
	{
		return Pointer.get() == Other.Get();
	}
	bool operator==(decltype(nullptr)) const { return Pointer == nullptr; }
	friend uint32 GetTypeHash(const TSharedPtr& Ptr) { return PointerHash(Ptr.Pointer.get()); }

private:
	friend struct UE::Core::Private::FSharedPointerAccess;
	std::shared_ptr<ObjectType> Pointer;
};

template <class ObjectType, ESPMode Mode>
class TWeakPtr
{
public:
	using ElementType = ObjectType;

	TWeakPtr() = default;
	TWeakPtr(decltype(nullptr)) {}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TWeakPtr(const TSharedPtr<OtherType, Mode>& Shared) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Shared))
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TWeakPtr(const TSharedRef<OtherType, Mode>& Shared) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Shared))
	{
	}
	template <class OtherType>
		requires std::is_convertible_v<OtherType*, ObjectType*>
	TWeakPtr(const TWeakPtr<OtherType, Mode>& Other) : Pointer(UE::Core::Private::FSharedPointerAccess::Get(Other))
	{
	}

	TWeakPtr& operator=(decltype(nullptr))
	{
		Pointer.reset();
		return *this;
	}

	TSharedPtr<ObjectType, Mode> Pin() const { return TSharedPtr<ObjectType, Mode>(Pointer.lock()); }
	bool IsValid() const { return !Pointer.expired(); }
	void Reset() { Pointer.reset(); }
	bool HasSameObject(const void* InOtherPtr) const { return Pin().Get() == InOtherPtr; }

	template <class OtherType>
	bool operator==(const TWeakPtr<OtherType, Mode>& Other) const
	{
		return !Pointer.owner_before(UE::Core::Private::FSharedPointerAccess::Get(Other)) &&
			!UE::Core::Private::FSharedPointerAccess::Get(Other).owner_before(Pointer);
	}
	friend uint32 GetTypeHash(const TWeakPtr& Ptr) { return PointerHash(Ptr.Pin().Get()); }

private:
	friend struct UE::Core::Private::FSharedPointerAccess;
	std::weak_ptr<ObjectType> Pointer;
};

// Lets an object hand out shared references to itself (only once it is owned by one).
template <class ObjectType, ESPMode Mode>
class TSharedFromThis : public std::enable_shared_from_this<ObjectType>
{
public:
	TSharedRef<ObjectType, Mode> AsShared()
	{
		return TSharedRef<ObjectType, Mode>(this->shared_from_this());
	}
	TSharedRef<const ObjectType, Mode> AsShared() const
	{
		return TSharedRef<const ObjectType, Mode>(std::shared_ptr<const ObjectType>(this->shared_from_this()));
	}
	TWeakPtr<ObjectType, Mode> AsWeak() { return TWeakPtr<ObjectType, Mode>(AsShared()); }
	bool DoesSharedInstanceExist() const { return !this->weak_from_this().expired(); }

	template <class OtherType>
	static TSharedRef<OtherType, Mode> SharedThis(OtherType* ThisPtr)
	{
		return StaticCastSharedRef<OtherType>(ThisPtr->AsShared());
	}

protected:
	TSharedFromThis() = default;
	TSharedFromThis(const TSharedFromThis&) {}
	TSharedFromThis& operator=(const TSharedFromThis&) { return *this; }
	~TSharedFromThis() = default;
};

template <typename InObjectType, ESPMode InMode = ESPMode::ThreadSafe, typename... InArgTypes>
[[nodiscard]] TSharedRef<InObjectType, InMode> MakeShared(InArgTypes&&... Args)
{
	return TSharedRef<InObjectType, InMode>(std::make_shared<InObjectType>(std::forward<InArgTypes>(Args)...));
}

template <class ObjectType>
[[nodiscard]] UE::Core::Private::TRawPtrProxy<ObjectType> MakeShareable(ObjectType* InObject)
{
	return UE::Core::Private::TRawPtrProxy<ObjectType>(InObject);
}

template <class CastToType, class CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> StaticCastSharedRef(const TSharedRef<CastFromType, Mode>& InSharedRef)
{
	return TSharedRef<CastToType, Mode>(std::static_pointer_cast<CastToType>(UE::Core::Private::FSharedPointerAccess::Get(InSharedRef)));
}
template <class CastToType, class CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> StaticCastSharedPtr(const TSharedPtr<CastFromType, Mode>& InSharedPtr)
{
	return TSharedPtr<CastToType, Mode>(std::static_pointer_cast<CastToType>(UE::Core::Private::FSharedPointerAccess::Get(InSharedPtr)));
}
template <class CastToType, class CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> ConstCastSharedRef(const TSharedRef<CastFromType, Mode>& InSharedRef)
{
	return TSharedRef<CastToType, Mode>(std::const_pointer_cast<CastToType>(UE::Core::Private::FSharedPointerAccess::Get(InSharedRef)));
}
template <class CastToType, class CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> ConstCastSharedPtr(const TSharedPtr<CastFromType, Mode>& InSharedPtr)
{
	return TSharedPtr<CastToType, Mode>(std::const_pointer_cast<CastToType>(UE::Core::Private::FSharedPointerAccess::Get(InSharedPtr)));
}
