#include "Delegates/Delegate.h"

#include "UObject/Class.h"
#include "UObject/Object.h"

#include <atomic>

uint64 FDelegateHandle::GenerateNewID()
{
	// Zero is the invalid handle; skip it if the counter ever wraps.
	static std::atomic<uint64> NextID{1};
	uint64 Result = NextID.fetch_add(1, std::memory_order_relaxed);
	if (Result == 0)
	{
		Result = NextID.fetch_add(1, std::memory_order_relaxed);
	}
	return Result;
}

namespace UE::Delegates::Private
{
	FName GetTrimmedMemberFunctionName(const TCHAR* InMacroFunctionName)
	{
		// "&UMyClass::OnChanged" or "&ThisClass::OnChanged": the name follows the last "::".
		const TCHAR* Name = InMacroFunctionName;
		for (const TCHAR* P = InMacroFunctionName; *P; ++P)
		{
			if (P[0] == u':' && P[1] == u':')
			{
				Name = P + 2;
			}
		}
		while (*Name == u'&' || *Name == u' ')
		{
			++Name;
		}
		return FName(Name);
	}

	bool IsUFunction(const UObject* InObject, FName InFunctionName)
	{
		const UClass* Class = InObject ? InObject->GetClass() : nullptr;
		return Class && !InFunctionName.IsNone() && Class->FindFunctionByName(InFunctionName) != nullptr;
	}
}

void FScriptDelegate::EnsureBound() const
{
	ensureMsgf(IsBound(), TEXT("Unable to bind delegate to '%s' (function might not be marked as a UFUNCTION or object may be pending kill)"),
		*FunctionName.ToString());
}

void FMulticastScriptDelegate::Add(const FScriptDelegate& InDelegate)
{
	CompactInvocationList();
	// One ensure site for every dynamic multicast delegate, as in the engine: only the first
	// duplicate binding of the process is reported.
	for (const FScriptDelegate& Delegate : InvocationList)
	{
		(void)ensure(Delegate != InDelegate);
	}
	InvocationList.push_back(InDelegate);
}

void FMulticastScriptDelegate::AddUnique(const FScriptDelegate& InDelegate)
{
	CompactInvocationList();
	if (!Contains(InDelegate))
	{
		InvocationList.push_back(InDelegate);
	}
}

void FMulticastScriptDelegate::Remove(const UObject* InObject, FName InFunctionName)
{
	for (size_t Index = 0; Index < InvocationList.size(); ++Index)
	{
		const FScriptDelegate& Delegate = InvocationList[Index];
		if (Delegate.GetFunctionName() == InFunctionName && Delegate.IsBoundToObjectEvenIfUnreachable(InObject))
		{
			InvocationList[Index] = InvocationList.back();
			InvocationList.pop_back();
			break;
		}
	}
	CompactInvocationList();
}

void FMulticastScriptDelegate::RemoveAll(const UObject* Object)
{
	for (size_t Index = 0; Index < InvocationList.size();)
	{
		const FScriptDelegate& Delegate = InvocationList[Index];
		if (Delegate.IsBoundToObjectEvenIfUnreachable(Object) || Delegate.IsCompactable())
		{
			InvocationList[Index] = InvocationList.back();
			InvocationList.pop_back();
		}
		else
		{
			++Index;
		}
	}
}

void FMulticastScriptDelegate::RemoveInternal(const FScriptDelegate& InDelegate) const
{
	for (size_t Index = 0; Index < InvocationList.size(); ++Index)
	{
		if (InvocationList[Index] == InDelegate)
		{
			InvocationList[Index] = InvocationList.back();
			InvocationList.pop_back();
			return;
		}
	}
}

void FMulticastScriptDelegate::CompactInvocationList() const
{
	for (size_t Index = 0; Index < InvocationList.size();)
	{
		if (InvocationList[Index].IsCompactable())
		{
			InvocationList[Index] = InvocationList.back();
			InvocationList.pop_back();
		}
		else
		{
			++Index;
		}
	}
}
