// TDelegate (single-cast) and TMulticastDelegate (native multicast), as in the engine; at the end,
// the typed dynamic delegates (TBaseDynamicDelegate, TBaseDynamicMulticastDelegate).
//
// Multicast invocation order and removal follow the engine: Broadcast calls bindings from the last
// added to the first; bindings added during a Broadcast are not called by it; a binding removed
// during a Broadcast is not called afterwards. Dropping dead bindings moves the last binding into
// the freed slot (the engine's RemoveAtSwap), so after removals the order is reverse-add only for
// the bindings that were not moved. Broadcast itself never allocates.
#pragma once

#include "CoreTypes.h"
#include "Delegates/DelegateInstanceInterface.h"
#include "Delegates/DelegateInstancesImpl.h"
#include "Delegates/IDelegateInstance.h"
#include "Misc/AssertionMacros.h"
#include "UObject/ScriptDelegates.h"

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

template <typename DelegateSignature, typename UserPolicy = FDefaultDelegateUserPolicy>
class TDelegate;

template <typename DelegateSignature, typename UserPolicy = FDefaultDelegateUserPolicy>
class TMulticastDelegate;

template <typename InRetValType, typename... ParamTypes, typename UserPolicy>
class TDelegate<InRetValType(ParamTypes...), UserPolicy>
{
	template <typename, typename>
	friend class TMulticastDelegate;

	using FuncType = InRetValType(ParamTypes...);
	using DelegateInstanceInterfaceType = IBaseDelegateInstance<FuncType, UserPolicy>;

public:
	using RetValType = InRetValType;
	using TFuncType = FuncType;

	template <typename UserClass, typename... VarTypes>
	using TMethodPtr = typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., VarTypes...)>::Type;
	template <typename UserClass, typename... VarTypes>
	using TConstMethodPtr = typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., VarTypes...)>::Type;

	TDelegate() = default;
	TDelegate(TYPE_OF_NULLPTR) {}
	~TDelegate() { Unbind(); }

	TDelegate(const TDelegate& Other)
		: Instance(Other.Instance ? Other.Instance->Clone() : nullptr)
	{
	}
	TDelegate(TDelegate&& Other) noexcept
		: Instance(Other.Instance)
	{
		Other.Instance = nullptr;
	}
	TDelegate& operator=(const TDelegate& Other)
	{
		if (this != &Other)
		{
			DelegateInstanceInterfaceType* Copy = Other.Instance ? Other.Instance->Clone() : nullptr;
			Unbind();
			Instance = Copy;
		}
		return *this;
	}
	TDelegate& operator=(TDelegate&& Other) noexcept
	{
		if (this != &Other)
		{
			Unbind();
			Instance = Other.Instance;
			Other.Instance = nullptr;
		}
		return *this;
	}

	// --- Creation ------------------------------------------------------------------------------

	template <typename... VarTypes>
	[[nodiscard]] static TDelegate CreateStatic(std::type_identity_t<RetValType (*)(ParamTypes..., std::decay_t<VarTypes>...)> InFunc, VarTypes&&... Vars)
	{
		return TDelegate(new TBaseStaticDelegateInstance<FuncType, UserPolicy, std::decay_t<VarTypes>...>(InFunc, std::forward<VarTypes>(Vars)...));
	}

	template <typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		static_assert(std::is_invocable_v<std::remove_reference_t<FunctorType>&, ParamTypes..., std::decay_t<VarTypes>&...>,
			"The lambda cannot be called with the delegate's parameters (and payload).");
		return TDelegate(new TBaseFunctorDelegateInstance<FuncType, UserPolicy, std::remove_reference_t<FunctorType>, std::decay_t<VarTypes>...>(
			std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}

	/** A lambda that runs only while InUserObject (a UObject) lives. */
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateWeakLambda(UserClass* InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		static_assert(std::is_invocable_v<std::remove_reference_t<FunctorType>&, ParamTypes..., std::decay_t<VarTypes>&...>,
			"The lambda cannot be called with the delegate's parameters (and payload).");
		return TDelegate(new TWeakBaseFunctorDelegateInstance<UserClass, FuncType, UserPolicy, std::remove_reference_t<FunctorType>, std::decay_t<VarTypes>...>(
			InUserObject, std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}

	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateRaw(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		return TDelegate(new TBaseRawMethodDelegateInstance<false, UserClass, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateRaw(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return TDelegate(new TBaseRawMethodDelegateInstance<true, const UserClass, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}

	/** A member function of an object owned by shared pointers, weak on the object. */
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		return TDelegate(new TBaseSPMethodDelegateInstance<false, UserClass, Mode, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return TDelegate(new TBaseSPMethodDelegateInstance<true, UserClass, Mode, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** The object must derive from TSharedFromThis and already be owned by a shared pointer. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return CreateSP(StaticCastSharedRef<UserClass>(InUserObject->AsShared()), InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return CreateSP(StaticCastSharedRef<const UserClass>(InUserObject->AsShared()), InFunc, std::forward<VarTypes>(Vars)...);
	}

	/** A member function of a UObject, weak on the object. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateUObject(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		return TDelegate(new TBaseUObjectMethodDelegateInstance<false, UserClass, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateUObject(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return TDelegate(new TBaseUObjectMethodDelegateInstance<true, const UserClass, FuncType, UserPolicy, std::decay_t<VarTypes>...>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}

	// --- Binding -------------------------------------------------------------------------------

	template <typename... VarTypes>
	void BindStatic(std::type_identity_t<RetValType (*)(ParamTypes..., std::decay_t<VarTypes>...)> InFunc, VarTypes&&... Vars)
	{
		*this = CreateStatic(InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename FunctorType, typename... VarTypes>
	void BindLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		*this = CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	void BindWeakLambda(UserClass* InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		*this = CreateWeakLambda(InUserObject, std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindRaw(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindRaw(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	void BindSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	void BindSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindSP(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindSP(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindUObject(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateUObject(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	template <typename UserClass, typename... VarTypes>
	void BindUObject(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateUObject(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}

	// --- Use -----------------------------------------------------------------------------------

	/** Bound, and (for weak bindings) the object still lives. */
	bool IsBound() const { return Instance && Instance->IsSafeToExecute(); }

	bool IsBoundToObject(const void* InUserObject) const
	{
		return InUserObject && Instance && Instance->HasSameObject(InUserObject);
	}

	void Unbind()
	{
		delete Instance;
		Instance = nullptr;
	}

	/**
	 * Calls the binding. Host departure: calling an unbound delegate is a checked failure here (the
	 * engine only checks in Debug builds).
	 */
	RetValType Execute(ParamTypes... Params) const
	{
		checkf(Instance != nullptr, TEXT("Execute() was called on an unbound delegate; use ExecuteIfBound()."));
		return Instance->Execute(std::forward<ParamTypes>(Params)...);
	}

	/** Calls the binding if it is bound and its object lives; only for delegates returning void. */
	template <typename DummyRetValType = RetValType, std::enable_if_t<std::is_void_v<DummyRetValType>>* = nullptr>
	bool ExecuteIfBound(ParamTypes... Params) const
	{
		return Instance && Instance->ExecuteIfSafe(std::forward<ParamTypes>(Params)...);
	}

	UObject* GetUObject() const { return Instance ? Instance->GetUObject() : nullptr; }
	const void* GetObjectForTimerManager() const { return Instance ? Instance->GetObjectForTimerManager() : nullptr; }
	FDelegateHandle GetHandle() const { return Instance ? Instance->GetHandle() : FDelegateHandle(); }

private:
	explicit TDelegate(DelegateInstanceInterfaceType* InInstance)
		: Instance(InInstance)
	{
	}

	DelegateInstanceInterfaceType* Instance = nullptr;
};

// ---------------------------------------------------------------------------------------------

template <typename... ParamTypes, typename UserPolicy>
class TMulticastDelegate<void(ParamTypes...), UserPolicy>
{
	using FuncType = void(ParamTypes...);
	using DelegateInstanceInterfaceType = IBaseDelegateInstance<FuncType, UserPolicy>;

public:
	using FDelegate = TDelegate<FuncType, UserPolicy>;

	TMulticastDelegate() = default;
	~TMulticastDelegate() { DeleteAll(); }

	TMulticastDelegate(const TMulticastDelegate& Other) { CopyFrom(Other); }
	TMulticastDelegate& operator=(const TMulticastDelegate& Other)
	{
		if (this != &Other)
		{
			checkf(LockCount == 0, TEXT("A multicast delegate cannot be assigned while it broadcasts."));
			DeleteAll();
			CopyFrom(Other);
		}
		return *this;
	}

	// --- Adding --------------------------------------------------------------------------------

	/**
	 * Adds a copy of the binding (same handle). A delegate that is not bound, or whose object is
	 * already gone, is not added and gets an invalid handle.
	 */
	FDelegateHandle Add(const FDelegate& InNewDelegate)
	{
		return Add(FDelegate(InNewDelegate));
	}
	FDelegateHandle Add(FDelegate&& InNewDelegate)
	{
		FDelegateHandle Result;
		if (InNewDelegate.IsBound())
		{
			// As the engine does on Add: drop bindings whose objects are gone first.
			CompactInvocationList();
			Result = InNewDelegate.GetHandle();
			InvocationList.push_back(FEntry{InNewDelegate.Instance});
			InNewDelegate.Instance = nullptr;
		}
		return Result;
	}

	template <typename... VarTypes>
	FDelegateHandle AddStatic(std::type_identity_t<void (*)(ParamTypes..., std::decay_t<VarTypes>...)> InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename FunctorType, typename... VarTypes>
	FDelegateHandle AddLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}
	/** A lambda that runs only while InUserObject (a UObject) lives. */
	template <typename UserClass, typename FunctorType, typename... VarTypes>
	FDelegateHandle AddWeakLambda(UserClass* InUserObject, FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateWeakLambda(InUserObject, std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddRaw(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddRaw(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** A member function of an object owned by shared pointers, weak on the object. */
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	FDelegateHandle AddSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<false, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	FDelegateHandle AddSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<true, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddSP(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddSP(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** A member function of a UObject, weak on the object. */
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddUObject(UserClass* InUserObject, typename TMemFunPtrType<false, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateUObject(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	template <typename UserClass, typename... VarTypes>
	FDelegateHandle AddUObject(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, void(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateUObject(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}

	// --- Removing ------------------------------------------------------------------------------

	/** Removes the binding with this handle; false if there is none. Takes effect at once, also during a Broadcast. */
	bool Remove(FDelegateHandle Handle)
	{
		if (!Handle.IsValid())
		{
			return false;
		}
		for (FEntry& Entry : InvocationList)
		{
			if (Entry.Instance && Entry.Instance->GetHandle() == Handle)
			{
				Unbind(Entry);
				CompactInvocationList();
				return true;
			}
		}
		return false;
	}

	/** Removes every binding that calls into (or depends on) InUserObject; returns how many. */
	int32 RemoveAll(const void* InUserObject)
	{
		int32 Result = 0;
		for (FEntry& Entry : InvocationList)
		{
			if (Entry.Instance && Entry.Instance->HasSameObject(InUserObject))
			{
				Unbind(Entry);
				++Result;
			}
		}
		CompactInvocationList();
		return Result;
	}

	void Clear()
	{
		for (FEntry& Entry : InvocationList)
		{
			Unbind(Entry);
		}
		CompactInvocationList();
	}

	// --- Queries and broadcast -----------------------------------------------------------------

	/** Any binding present (as in the engine, a binding whose object died counts until it is dropped). */
	bool IsBound() const
	{
		for (const FEntry& Entry : InvocationList)
		{
			if (Entry.Instance)
			{
				return true;
			}
		}
		return false;
	}

	bool IsBoundToObject(const void* InUserObject) const
	{
		for (const FEntry& Entry : InvocationList)
		{
			if (Entry.Instance && Entry.Instance->HasSameObject(InUserObject))
			{
				return true;
			}
		}
		return false;
	}

	/** Calls every live binding, last added first. */
	void Broadcast(ParamTypes... Params) const
	{
		bool bNeedsCompaction = false;
		++LockCount;
		// Bindings added by callees go to the end and are outside [0, Num) of this pass.
		for (int32 Index = (int32)InvocationList.size() - 1; Index >= 0; --Index)
		{
			const DelegateInstanceInterfaceType* Instance = InvocationList[Index].Instance;
			if (!Instance || !Instance->ExecuteIfSafe(Params...))
			{
				bNeedsCompaction = true;
			}
		}
		--LockCount;
		if (bNeedsCompaction)
		{
			const_cast<TMulticastDelegate*>(this)->CompactInvocationList();
		}
	}

private:
	struct FEntry
	{
		// Null once removed; the instance itself waits in Graveyard while a Broadcast may be running it.
		DelegateInstanceInterfaceType* Instance = nullptr;
	};

	void Unbind(FEntry& Entry)
	{
		if (!Entry.Instance)
		{
			return;
		}
		if (LockCount > 0)
		{
			// The binding may be executing right now (a callback removing itself): keep it alive
			// until the outermost Broadcast has finished.
			Graveyard.push_back(Entry.Instance);
		}
		else
		{
			delete Entry.Instance;
		}
		Entry.Instance = nullptr;
	}

	/** Drops removed and dead bindings, moving the last binding into each hole (the engine's RemoveAllSwap). */
	void CompactInvocationList()
	{
		if (LockCount > 0)
		{
			return;
		}
		for (DelegateInstanceInterfaceType* Instance : Graveyard)
		{
			delete Instance;
		}
		Graveyard.clear();
		for (size_t Index = 0; Index < InvocationList.size();)
		{
			DelegateInstanceInterfaceType* Instance = InvocationList[Index].Instance;
			if (!Instance || Instance->IsCompactable())
			{
				delete Instance;
				InvocationList[Index] = InvocationList.back();
				InvocationList.pop_back();
			}
			else
			{
				++Index;
			}
		}
	}

	void CopyFrom(const TMulticastDelegate& Other)
	{
		InvocationList.reserve(Other.InvocationList.size());
		for (const FEntry& Entry : Other.InvocationList)
		{
			if (Entry.Instance)
			{
				InvocationList.push_back(FEntry{Entry.Instance->Clone()});
			}
		}
	}

	void DeleteAll()
	{
		for (FEntry& Entry : InvocationList)
		{
			delete Entry.Instance;
		}
		InvocationList.clear();
		for (DelegateInstanceInterfaceType* Instance : Graveyard)
		{
			delete Instance;
		}
		Graveyard.clear();
	}

	std::vector<FEntry> InvocationList;
	std::vector<DelegateInstanceInterfaceType*> Graveyard;
	mutable int32 LockCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Dynamic delegates. The DECLARE_DYNAMIC_* macros derive each delegate type from these; bind with
// the macros BindDynamic / AddDynamic / AddUniqueDynamic / RemoveDynamic / IsAlreadyBound.

template <typename RetValType, typename... ParamTypes>
class TBaseDynamicDelegate : public FScriptDelegate
{
public:
	template <typename UserClass>
	using FMethodPtr = RetValType (UserClass::*)(ParamTypes...);

	/** Use BindDynamic(Object, &UClass::Function). */
	template <typename UserClass>
	void __Internal_BindDynamic(UserClass* InUserObject, std::type_identity_t<FMethodPtr<UserClass>> InMethodPtr, FName InFunctionName)
	{
		this->BindNative(InUserObject, InMethodPtr, InFunctionName);
	}

	RetValType Execute(ParamTypes... Params) const
	{
		checkf(this->IsBound(), TEXT("Execute() called on a dynamic delegate that is not bound to a live object's UFUNCTION."));
		return this->template Invoke<RetValType, ParamTypes...>(std::forward<ParamTypes>(Params)...);
	}

	template <typename DummyRetValType = RetValType, std::enable_if_t<std::is_void_v<DummyRetValType>>* = nullptr>
	bool ExecuteIfBound(ParamTypes... Params) const
	{
		if (!this->IsBound())
		{
			return false;
		}
		this->template Invoke<void, ParamTypes...>(std::forward<ParamTypes>(Params)...);
		return true;
	}
};

template <typename... ParamTypes>
class TBaseDynamicMulticastDelegate : public FMulticastScriptDelegate
{
public:
	using FDelegate = TBaseDynamicDelegate<void, ParamTypes...>;

	template <typename UserClass>
	using FMethodPtr = void (UserClass::*)(ParamTypes...);

	void Add(const FDelegate& InDelegate)
	{
		FMulticastScriptDelegate::Add(InDelegate);
	}
	void AddUnique(const FDelegate& InDelegate)
	{
		FMulticastScriptDelegate::AddUnique(InDelegate);
	}

	/** Use AddDynamic(Object, &UClass::Function). */
	template <typename UserClass>
	void __Internal_AddDynamic(UserClass* InUserObject, std::type_identity_t<FMethodPtr<UserClass>> InMethodPtr, FName InFunctionName)
	{
		FDelegate NewDelegate;
		NewDelegate.__Internal_BindDynamic(InUserObject, InMethodPtr, InFunctionName);
		Add(NewDelegate);
	}

	/** Use AddUniqueDynamic(Object, &UClass::Function). */
	template <typename UserClass>
	void __Internal_AddUniqueDynamic(UserClass* InUserObject, std::type_identity_t<FMethodPtr<UserClass>> InMethodPtr, FName InFunctionName)
	{
		FDelegate NewDelegate;
		NewDelegate.__Internal_BindDynamic(InUserObject, InMethodPtr, InFunctionName);
		AddUnique(NewDelegate);
	}

	/** Use RemoveDynamic(Object, &UClass::Function). */
	template <typename UserClass>
	void __Internal_RemoveDynamic(UserClass* InUserObject, std::type_identity_t<FMethodPtr<UserClass>> InMethodPtr, FName InFunctionName)
	{
		check(InUserObject != nullptr && InMethodPtr != nullptr);
		const UObject* AsObject = InUserObject;
		Remove(AsObject, InFunctionName);
	}

	/** Use IsAlreadyBound(Object, &UClass::Function). */
	template <typename UserClass>
	bool __Internal_IsAlreadyBound(UserClass* InUserObject, std::type_identity_t<FMethodPtr<UserClass>> InMethodPtr, FName InFunctionName) const
	{
		check(InUserObject != nullptr && InMethodPtr != nullptr);
		const UObject* AsObject = InUserObject;
		return Contains(AsObject, InFunctionName);
	}

	/**
	 * Calls the bindings of a copy of the list, in insertion order (unconfirmed in the engine);
	 * bindings to dead objects are skipped and, once the object is destroyed, dropped. No heap use
	 * for up to eight bindings.
	 */
	void Broadcast(ParamTypes... Params) const
	{
		const size_t Num = InvocationList.size();
		if (Num == 0)
		{
			return;
		}
		constexpr size_t NumInline = 8;
		FScriptDelegate InlineCopy[NumInline];
		std::vector<FScriptDelegate> HeapCopy;
		FScriptDelegate* Copy = InlineCopy;
		if (Num <= NumInline)
		{
			std::copy(InvocationList.begin(), InvocationList.end(), InlineCopy);
		}
		else
		{
			HeapCopy = InvocationList;
			Copy = HeapCopy.data();
		}
		for (size_t Index = 0; Index < Num; ++Index)
		{
			const FScriptDelegate& Delegate = Copy[Index];
			if (Delegate.IsBound())
			{
				Delegate.template Invoke<void, ParamTypes...>(Params...);
			}
			else if (Delegate.IsCompactable())
			{
				RemoveInternal(Delegate);
			}
		}
	}
};

#define BindDynamic(UserObject, FuncName) __Internal_BindDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define AddDynamic(UserObject, FuncName) __Internal_AddDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define AddUniqueDynamic(UserObject, FuncName) __Internal_AddUniqueDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define RemoveDynamic(UserObject, FuncName) __Internal_RemoveDynamic(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
#define IsAlreadyBound(UserObject, FuncName) __Internal_IsAlreadyBound(UserObject, FuncName, STATIC_FUNCTION_FNAME(TEXT(#FuncName)))
