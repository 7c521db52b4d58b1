// Script (dynamic) delegates: bindings named by an object and a UFUNCTION name, weak on the object.
//
// Host departure: the engine calls the bound UFUNCTION through reflection (ProcessEvent). The
// host's binding macros (AddDynamic, BindDynamic...) also capture the member function pointer and
// call it natively; the function name still identifies the binding (equality, Remove, Contains),
// and a function that is not a UFUNCTION of the object's class is refused as in the engine (the
// binding is kept but never called, and an ensure reports it). BindUFunction (by name alone) is
// not provided.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Misc/AssertionMacros.h"
#include "UObject/NameTypes.h"
#include "UObject/WeakObjectPtr.h"

#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

class UObject;
template <typename... ParamTypes>
class TBaseDynamicMulticastDelegate;

namespace UE::Delegates::Private
{
	/** "&UMyClass::OnChanged" -> "OnChanged": the name the binding macros record. */
	CORE_API FName GetTrimmedMemberFunctionName(const TCHAR* InMacroFunctionName);

	/** Whether InFunctionName names a UFUNCTION of the object's class (or its supers). */
	CORE_API bool IsUFunction(const UObject* InObject, FName InFunctionName);
}

#define STATIC_FUNCTION_FNAME(Str) ::UE::Delegates::Private::GetTrimmedMemberFunctionName(Str)

class FScriptDelegate
{
public:
	FScriptDelegate() = default;

	/** The object lives (and is not garbage) and the function is one of its UFUNCTIONs. */
	bool IsBound() const { return bIsUFunction && Object.Get() != nullptr; }

	bool IsBoundToObject(const void* InUserObject) const { return InUserObject && InUserObject == (const void*)Object.Get(); }
	bool IsBoundToObjectEvenIfUnreachable(const void* InUserObject) const { return InUserObject && InUserObject == (const void*)Object.Get(true); }

	/** A multicast delegate may drop the binding: no function, or the object was destroyed. */
	bool IsCompactable() const { return FunctionName.IsNone() || !Object.Get(true); }

	void Unbind()
	{
		Object.Reset();
		FunctionName = FName();
		Invoker = nullptr;
		bIsUFunction = false;
	}
	void Clear() { Unbind(); }

	UObject* GetUObject() const { return Object.Get(); }
	UObject* GetUObjectEvenIfUnreachable() const { return Object.Get(true); }
	FName GetFunctionName() const { return FunctionName; }

	/** Same object and same function name (the engine's identity of a binding). */
	bool operator==(const FScriptDelegate& Other) const { return Object == Other.Object && FunctionName == Other.FunctionName; }
	bool operator!=(const FScriptDelegate& Other) const { return !(*this == Other); }

protected:
	template <typename... ParamTypes>
	friend class TBaseDynamicMulticastDelegate;

	using FErasedInvoker = void (*)();
	using FMethodStorage = unsigned char[2 * sizeof(void*)];

	template <typename UserClass, typename RetValType, typename... ParamTypes>
	static RetValType InvokeMethod(UObject* InObject, const unsigned char* InMethodStorage, ParamTypes... Params)
	{
		using FMethodPtr = RetValType (UserClass::*)(ParamTypes...);
		FMethodPtr Method;
		std::memcpy((void*)&Method, InMethodStorage, sizeof(Method));
		return (static_cast<UserClass*>(InObject)->*Method)(std::forward<ParamTypes>(Params)...);
	}

	/** Binds, recording the native call; reports (ensure) a function that is not a UFUNCTION. */
	template <typename UserClass, typename RetValType, typename... ParamTypes>
	void BindNative(UserClass* InUserObject, RetValType (UserClass::*InMethodPtr)(ParamTypes...), FName InFunctionName)
	{
		using FMethodPtr = RetValType (UserClass::*)(ParamTypes...);
		static_assert(sizeof(FMethodPtr) <= sizeof(FMethodStorage), "Member function pointer does not fit the binding.");
		check(InUserObject != nullptr && InMethodPtr != nullptr);

		const UObject* AsObject = InUserObject;
		Object = AsObject;
		FunctionName = InFunctionName;
		std::memset(MethodStorage, 0, sizeof(MethodStorage));
		std::memcpy(MethodStorage, (const void*)&InMethodPtr, sizeof(InMethodPtr));
		Invoker = reinterpret_cast<FErasedInvoker>(&InvokeMethod<UserClass, RetValType, ParamTypes...>);
		bIsUFunction = UE::Delegates::Private::IsUFunction(AsObject, InFunctionName);
		EnsureBound();
	}

	/** Calls the bound function; the caller checked IsBound(). */
	template <typename RetValType, typename... ParamTypes>
	RetValType Invoke(ParamTypes... Params) const
	{
		using FInvoker = RetValType (*)(UObject*, const unsigned char*, ParamTypes...);
		return reinterpret_cast<FInvoker>(Invoker)(Object.Get(), MethodStorage, std::forward<ParamTypes>(Params)...);
	}

private:
	CORE_API void EnsureBound() const;

	FWeakObjectPtr Object;
	FName FunctionName;
	FErasedInvoker Invoker = nullptr;
	alignas(void*) FMethodStorage MethodStorage = {};
	bool bIsUFunction = false;
};

/**
 * The invocation list of a dynamic multicast delegate. Broadcast (in the typed subclass) calls a
 * copy of the list in order, so bindings added or removed by a callee take effect from the next
 * Broadcast; bindings whose object is gone are skipped, and dropped once the object is destroyed.
 * Removal moves the last binding into the freed slot (as the engine's list does - unconfirmed).
 */
class FMulticastScriptDelegate
{
public:
	/** Any binding present, live or not (as in the engine). */
	bool IsBound() const { return !InvocationList.empty(); }

	bool Contains(const FScriptDelegate& InDelegate) const;
	bool Contains(const UObject* InObject, FName InFunctionName) const;

	/** Removes the first binding to InObject's InFunctionName, then drops bindings to destroyed objects. */
	CORE_API void Remove(const UObject* InObject, FName InFunctionName);
	void Remove(const FScriptDelegate& InDelegate) { Remove(InDelegate.GetUObjectEvenIfUnreachable(), InDelegate.GetFunctionName()); }

	/** Removes every binding to Object (and bindings to destroyed objects). */
	CORE_API void RemoveAll(const UObject* Object);

	void Clear() { InvocationList.clear(); }

	/** The live objects of the bindings, one entry per binding. */
	TArray<UObject*> GetAllObjects() const
	{
		TArray<UObject*> Result;
		for (const FScriptDelegate& Delegate : InvocationList)
		{
			if (UObject* Object = Delegate.GetUObject())
			{
				Result.Add(Object);
			}
		}
		return Result;
	}

protected:
	/** Adds the binding; a duplicate (same object and function) is reported with an ensure and added anyway, as in the engine. */
	CORE_API void Add(const FScriptDelegate& InDelegate);
	/** Adds the binding unless an equal one is present. */
	CORE_API void AddUnique(const FScriptDelegate& InDelegate);

	CORE_API void RemoveInternal(const FScriptDelegate& InDelegate) const;
	CORE_API void CompactInvocationList() const;

	mutable std::vector<FScriptDelegate> InvocationList;
};

inline bool FMulticastScriptDelegate::Contains(const FScriptDelegate& InDelegate) const
{
	for (const FScriptDelegate& Delegate : InvocationList)
	{
		if (Delegate == InDelegate)
		{
			return true;
		}
	}
	return false;
}

inline bool FMulticastScriptDelegate::Contains(const UObject* InObject, FName InFunctionName) const
{
	for (const FScriptDelegate& Delegate : InvocationList)
	{
		if (Delegate.GetFunctionName() == InFunctionName && Delegate.IsBoundToObjectEvenIfUnreachable(InObject))
		{
			return true;
		}
	}
	return false;
}
