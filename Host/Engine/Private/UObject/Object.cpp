// Object lifetime: the object array, NewObject, default subobjects, garbage and its collection.
//
// Objects are allocated zero-filled (as the engine does) and constructed in place through their
// class's constructor with a construction context on a thread-local stack, from which UObject's
// constructor takes its identity. Collection destroys what is marked as garbage; references held
// by reflected members of the survivors are nulled first, so no member dangles.
#include "UObject/Object.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/Package.h"
#include "UObject/WeakObjectPtr.h"
#include "Containers/Set.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Object array

FUObjectArray& GetUObjectArray()
{
	static FUObjectArray* Array = new FUObjectArray();
	return *Array;
}

int32 FUObjectArray::AllocateIndex(UObjectBase* Object)
{
	int32 Index;
	if (!FreeSlots.empty())
	{
		Index = FreeSlots.back();
		FreeSlots.pop_back();
	}
	else
	{
		Index = (int32)Items.size();
		Items.emplace_back();
	}
	FUObjectItem& Item = Items[Index];
	Item.Object = Object;
	Item.SerialNumber = NextSerialNumber++;
	Item.bGarbage = false;
	Item.bRooted = false;
	return Index;
}

void FUObjectArray::FreeIndex(int32 Index)
{
	Items[Index] = FUObjectItem();
	FreeSlots.push_back(Index);
}

void FWeakObjectPtr::operator=(const UObject* Object)
{
	if (Object && Object->InternalIndex != INDEX_NONE)
	{
		ObjectIndex = Object->InternalIndex;
		ObjectSerialNumber = GUObjectArray.IndexToObject(ObjectIndex)->SerialNumber;
	}
	else
	{
		Reset();
	}
}

// ---------------------------------------------------------------------------------------------
// Construction context

namespace
{
	thread_local std::vector<FObjectInitializer*> GInitializerStack;

	[[noreturn]] void FatalObjectError(const char* Message)
	{
		std::fprintf(stderr, "Fatal error: %s\n", Message);
		std::abort();
	}
}

FObjectInitializer::FObjectInitializer(UObject* InObj, UClass* InClass, UObject* InOuter, FName InName, EObjectFlags InFlags)
	: Obj(InObj), Class(InClass), Outer(InOuter), Name(InName), Flags(InFlags)
{
}

FObjectInitializer* FObjectInitializer::GetTop()
{
	return GInitializerStack.empty() ? nullptr : GInitializerStack.back();
}

UObjectBase::UObjectBase() = default;
UObjectBase::~UObjectBase() = default;

UObject::UObject()
{
	FObjectInitializer* Initializer = FObjectInitializer::GetTop();
	if (!Initializer || Initializer->GetObj() != this)
	{
		FatalObjectError("UObject constructed outside NewObject");
	}
	ClassPrivate = Initializer->GetClass();
	OuterPrivate = Initializer->GetOuter();
	NamePrivate = Initializer->GetName();
	ObjectFlags = Initializer->GetFlags();
	InternalIndex = GUObjectArray.AllocateIndex(this);
}

UObject::UObject(const FObjectInitializer&)
	: UObject()
{
}

UObject::UObject(EStaticConstructor, EObjectFlags InFlags)
{
	ObjectFlags = InFlags;
}

UObject::~UObject() = default;

void UObject::PostInitProperties() {}
void UObject::PostLoad() {}
void UObject::BeginDestroy() { SetFlags(RF_BeginDestroyed); }
void UObject::FinishDestroy() { SetFlags(RF_FinishDestroyed); }

UWorld* UObject::GetWorld() const
{
	if (HasAnyFlags(RF_ClassDefaultObject))
	{
		return nullptr;
	}
	if (UObject* Outer = GetOuter())
	{
		return Outer->GetWorld();
	}
	return nullptr;
}

#if WITH_EDITOR
void UObject::PreEditChange(FProperty*) {}

bool UObject::CanEditChange(const FProperty* InProperty) const
{
	// The engine refuses edits of EditConst properties here; edit conditions are the Details panel's.
	return InProperty && !InProperty->HasAnyPropertyFlags(CPF_EditConst);
}

void UObject::PostEditChangeProperty(FPropertyChangedEvent&) {}

void UObject::PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent)
{
	FPropertyChangedEvent Event(PropertyChangedEvent.Property, PropertyChangedEvent.ChangeType);
	Event.SetActiveMemberProperty(PropertyChangedEvent.MemberProperty);
	Event.ObjectIteratorIndex = PropertyChangedEvent.ObjectIteratorIndex;
	PostEditChangeProperty(Event);
}
#endif

UObject* UObject::CreateDefaultSubobject(FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, bool bIsRequired, bool bIsTransient)
{
	(void)ReturnType;
	(void)bIsRequired;
	FObjectInitializer* Initializer = FObjectInitializer::GetTop();
	if (!Initializer || Initializer->GetObj() != this)
	{
		FatalObjectError("CreateDefaultSubobject called outside of the owner's constructor");
	}
	FStaticConstructObjectParameters Params(ClassToCreateByDefault);
	Params.Outer = this;
	Params.Name = SubobjectFName;
	Params.SetFlags = (EObjectFlags)(RF_DefaultSubObject | (GetFlags() & (RF_Transient | RF_ClassDefaultObject | RF_ArchetypeObject)) | (bIsTransient ? RF_Transient : RF_NoFlags));
	if (Params.SetFlags & RF_ClassDefaultObject)
	{
		// Subobjects of a class default object are archetypes, not defaults of their own classes.
		Params.SetFlags = (EObjectFlags)((Params.SetFlags & ~RF_ClassDefaultObject) | RF_ArchetypeObject);
	}
	return StaticConstructObject_Internal(Params);
}

void UObject::GetDefaultSubobjects(TArray<UObject*>& OutDefaultSubobjects)
{
	OutDefaultSubobjects.Reset();
	FUObjectArray& Array = GUObjectArray;
	for (int32 Index = 0; Index < Array.GetObjectArrayNum(); ++Index)
	{
		UObject* Object = (UObject*)Array.IndexToObject(Index)->Object;
		if (Object && Object->GetOuter() == this && Object->HasAnyFlags(RF_DefaultSubObject))
		{
			OutDefaultSubobjects.Add(Object);
		}
	}
}

// ---------------------------------------------------------------------------------------------
// UObjectBaseUtility

void UObjectBaseUtility::MarkAsGarbage()
{
	if (IsRooted())
	{
		return;
	}
	SetFlags(RF_MirroredGarbage);
	if (FUObjectItem* Item = GUObjectArray.IndexToObject(InternalIndex))
	{
		Item->bGarbage = true;
	}
}

void UObjectBaseUtility::ClearGarbage()
{
	ClearFlags(RF_MirroredGarbage);
	if (FUObjectItem* Item = GUObjectArray.IndexToObject(InternalIndex))
	{
		Item->bGarbage = false;
	}
}

void UObjectBaseUtility::AddToRoot()
{
	if (FUObjectItem* Item = GUObjectArray.IndexToObject(InternalIndex))
	{
		Item->bRooted = true;
	}
}

void UObjectBaseUtility::RemoveFromRoot()
{
	if (FUObjectItem* Item = GUObjectArray.IndexToObject(InternalIndex))
	{
		Item->bRooted = false;
	}
}

bool UObjectBaseUtility::IsRooted() const
{
	const FUObjectItem* Item = GUObjectArray.IndexToObject(InternalIndex);
	return Item && Item->bRooted;
}

bool UObjectBaseUtility::IsTemplate(EObjectFlags TemplateTypes) const
{
	for (const UObjectBaseUtility* It = this; It; It = It->GetOuter())
	{
		if (It->HasAnyFlags(TemplateTypes))
		{
			return true;
		}
	}
	return false;
}

FString UObjectBaseUtility::GetPathName(const UObject* StopOuter) const
{
	if (this == (const UObjectBaseUtility*)StopOuter)
	{
		return FString(TEXT("None"));
	}
	FString Result;
	const UObject* Outer = GetOuter();
	if (Outer && Outer != StopOuter)
	{
		Result = Outer->GetPathName(StopOuter);
		// Subobjects of a non-package outer are separated by ':' after the first level, as the engine prints them.
		Result += (Outer->GetOuter() && !Outer->GetOuter()->IsA(UPackage::StaticClass())) ? TEXT(":") : TEXT(".");
	}
	Result += GetName();
	return Result;
}

FString UObjectBaseUtility::GetFullName() const
{
	FString Result = GetClass() ? GetClass()->GetName() : FString(TEXT("None"));
	Result += TEXT(" ");
	Result += GetPathName();
	return Result;
}

UPackage* UObjectBaseUtility::GetPackage() const
{
	const UObjectBaseUtility* Top = this;
	while (Top->GetOuter())
	{
		Top = Top->GetOuter();
	}
	return Top->IsA(UPackage::StaticClass()) ? (UPackage*)Top : nullptr;
}

bool UObjectBaseUtility::MarkPackageDirty() const
{
	// The transient package never becomes dirty (nothing would save it), as in the engine.
	UPackage* Package = GetPackage();
	if (!Package || Package == GetTransientPackage() || HasAnyFlags(RF_Transient))
	{
		return false;
	}
	Package->SetDirtyFlag(true);
	return true;
}

bool UObjectBaseUtility::IsA(const UClass* SomeBase) const
{
	return SomeBase && GetClass() && GetClass()->IsChildOf(SomeBase);
}

UObject* UObjectBaseUtility::GetTypedOuter(UClass* Target) const
{
	for (UObject* Outer = GetOuter(); Outer; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(Target))
		{
			return Outer;
		}
	}
	return nullptr;
}

bool UObjectBaseUtility::IsIn(const UObject* SomeOuter) const
{
	for (UObject* Outer = GetOuter(); Outer; Outer = Outer->GetOuter())
	{
		if (Outer == SomeOuter)
		{
			return true;
		}
	}
	return false;
}

// ---------------------------------------------------------------------------------------------
// NewObject

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params)
{
	UClass* Class = const_cast<UClass*>(Params.Class);
	if (!Class)
	{
		FatalObjectError("NewObject with a null class");
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract) || !Class->ClassConstructor)
	{
		std::fprintf(stderr, "Fatal error: NewObject of abstract class %s\n", TCHAR_TO_UTF8(*Class->GetName()));
		std::abort();
	}
	const bool bIsDefaultObject = (Params.SetFlags & RF_ClassDefaultObject) != 0;
	if (!bIsDefaultObject)
	{
		// The engine makes a class's default object before any instance; one-bit field layouts are
		// found on it.
		Class->GetDefaultObject();
	}

	UObject* Outer = Params.Outer;
	FName Name = Params.Name;
	if (Name.IsNone())
	{
		Name = MakeUniqueObjectName(Outer, Class);
	}

	void* Memory = ::operator new((std::size_t)Class->GetPropertiesSize(), std::align_val_t((std::size_t)Class->GetMinAlignment()));
	std::memset(Memory, 0, (std::size_t)Class->GetPropertiesSize());
	UObject* Object = (UObject*)Memory;

	FObjectInitializer Initializer(Object, Class, Outer, Name, Params.SetFlags);
	GInitializerStack.push_back(&Initializer);
	(*Class->ClassConstructor)(Initializer);
	GInitializerStack.pop_back();

	Object->PostInitProperties();
	return Object;
}

namespace
{
	/** Frees an object's memory after its destructor, with the alignment it was allocated with. */
	void DestroyObjectMemory(UObject* Object)
	{
		const std::size_t Alignment = (std::size_t)Object->GetClass()->GetMinAlignment();
		Object->~UObject();
		::operator delete((void*)Object, std::align_val_t(Alignment));
	}
}

UPackage* GetTransientPackage()
{
	static UPackage* TransientPackage = nullptr;
	if (!TransientPackage)
	{
		FStaticConstructObjectParameters Params(UPackage::StaticClass());
		Params.Name = FName(TEXT("/Engine/Transient"));
		Params.SetFlags = RF_Transient;
		TransientPackage = (UPackage*)StaticConstructObject_Internal(Params);
		TransientPackage->AddToRoot();
	}
	return TransientPackage;
}

UObject* GetTransientPackageAsObject()
{
	return GetTransientPackage();
}

UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool bExactClass)
{
	FUObjectArray& Array = GUObjectArray;
	for (int32 Index = 0; Index < Array.GetObjectArrayNum(); ++Index)
	{
		UObject* Object = (UObject*)Array.IndexToObject(Index)->Object;
		if (Object && Object->GetOuter() == InOuter && Object->GetFName() == InName && !Object->HasAnyFlags(RF_BeginDestroyed)
			&& (bExactClass ? Object->GetClass() == Class : Object->IsA(Class)))
		{
			return Object;
		}
	}
	return nullptr;
}

FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName)
{
	(void)Outer;
	static TMap<FName, int32>* Counters = new TMap<FName, int32>();
	const FName Base = BaseName.IsNone() ? Class->GetFName() : BaseName;
	int32& Counter = Counters->FindOrAdd(Base);
	const FString Unique = FString::Printf(TEXT("%s_%d"), *Base.ToString(), Counter++);
	return FName(*Unique);
}

// ---------------------------------------------------------------------------------------------
// Garbage collection

namespace
{
	/** Clears the reported references to objects being destroyed. */
	class FNullingReferenceCollector : public FReferenceCollector
	{
	public:
		explicit FNullingReferenceCollector(const TSet<UObject*>& InDoomed) : Doomed(InDoomed) {}

	protected:
		void HandleObjectReference(UObject*& InObject, const UObject*, const FProperty*) override
		{
			if (InObject && Doomed.Contains(InObject))
			{
				InObject = nullptr;
			}
		}

	private:
		const TSet<UObject*>& Doomed;
	};

	void NullReferencesInObject(UObject* Object, const TSet<UObject*>& Doomed)
	{
		if (UClass::ClassAddReferencedObjectsType AddReferencedObjects = Object->GetClass()->ClassAddReferencedObjects)
		{
			FNullingReferenceCollector Collector(Doomed);
			AddReferencedObjects(Object, Collector);
		}
		for (TFieldIterator<FProperty> It(Object->GetClass()); It; ++It)
		{
			FProperty* Property = *It;
			if (Property->ContainsObjectReference())
			{
				for (int32 Index = 0; Index < Property->ArrayDim; ++Index)
				{
					Property->NullReferencesTo(Property->ContainerPtrToValuePtr<void>(Object, Index), Doomed);
				}
			}
		}
	}
}

void CollectGarbage(EObjectFlags KeepFlags, bool bPerformFullPurge)
{
	(void)bPerformFullPurge;
	FUObjectArray& Array = GUObjectArray;

	// Garbage, and everything whose outer chain holds garbage: nothing outlives its outer.
	TSet<UObject*> Doomed;
	std::vector<UObject*> DoomedList;
	for (int32 Index = 0; Index < Array.GetObjectArrayNum(); ++Index)
	{
		const FUObjectItem* Item = Array.IndexToObject(Index);
		UObject* Object = (UObject*)Item->Object;
		if (!Object || Item->bRooted || Object->HasAnyFlags(KeepFlags))
		{
			continue;
		}
		bool bDoomed = Item->bGarbage;
		for (UObject* Outer = Object->GetOuter(); Outer && !bDoomed; Outer = Outer->GetOuter())
		{
			bDoomed = Outer->IsGarbage();
		}
		if (bDoomed)
		{
			Doomed.Add(Object);
			DoomedList.push_back(Object);
		}
	}
	if (DoomedList.empty())
	{
		return;
	}

	for (UObject* Object : DoomedList)
	{
		Object->MarkAsGarbage();
		Object->BeginDestroy();
	}
	for (int32 Index = 0; Index < Array.GetObjectArrayNum(); ++Index)
	{
		UObject* Object = (UObject*)Array.IndexToObject(Index)->Object;
		if (Object && !Doomed.Contains(Object))
		{
			NullReferencesInObject(Object, Doomed);
		}
	}
	for (UObject* Object : DoomedList)
	{
		Object->FinishDestroy();
	}
	for (UObject* Object : DoomedList)
	{
		Array.FreeIndex(Object->InternalIndex);
		DestroyObjectMemory(Object);
	}
}
