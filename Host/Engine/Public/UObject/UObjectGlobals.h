// Object creation (NewObject), the construction context (FObjectInitializer), the transient
// package, and garbage collection.
#pragma once

#include "CoreTypes.h"
#include "UObject/ObjectMacros.h"
#include "UObject/NameTypes.h"

class UObject;
class UClass;
class UPackage;

/** The object under construction: UObject's constructor reads its identity from here. */
class FProperty;
template<typename T> struct TObjectPtr;

/**
 * Told by an object's AddReferencedObjects about the references reflection cannot see. The garbage
 * collector clears a reported reference to an object it destroys, as it does a property.
 */
class COREUOBJECT_API FReferenceCollector
{
public:
	virtual ~FReferenceCollector() = default;

	template<class UObjectType>
	void AddReferencedObject(TObjectPtr<UObjectType>& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		HandleObjectReference(*reinterpret_cast<UObject**>(&Object), ReferencingObject, ReferencingProperty);
	}
	template<class UObjectType>
	void AddReferencedObject(UObjectType*& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		HandleObjectReference(*reinterpret_cast<UObject**>(&Object), ReferencingObject, ReferencingProperty);
	}

protected:
	virtual void HandleObjectReference(UObject*& InObject, const UObject* InReferencingObject, const FProperty* InReferencingProperty) = 0;
};

class COREUOBJECT_API FObjectInitializer
{
public:
	FObjectInitializer(UObject* InObj, UClass* InClass, UObject* InOuter, FName InName, EObjectFlags InFlags);
	UObject* GetObj() const { return Obj; }
	UClass* GetClass() const { return Class; }
	UObject* GetOuter() const { return Outer; }
	FName GetName() const { return Name; }
	EObjectFlags GetFlags() const { return Flags; }

	/** The construction in progress on this thread (null outside constructors). */
	static FObjectInitializer* GetTop();

	template<class TReturnType>
	TReturnType* CreateDefaultSubobject(UObject* OuterObject, FName SubobjectName, bool bTransient = false) const;

private:
	UObject* Obj;
	UClass* Class;
	UObject* Outer;
	FName Name;
	EObjectFlags Flags;
};

struct COREUOBJECT_API FStaticConstructObjectParameters
{
	explicit FStaticConstructObjectParameters(const UClass* InClass) : Class(InClass) {}
	const UClass* Class;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags SetFlags = RF_NoFlags;
	UObject* Template = nullptr;
};

COREUOBJECT_API UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params);
COREUOBJECT_API UPackage* GetTransientPackage();
COREUOBJECT_API UObject* GetTransientPackageAsObject();
/** "<ClassName>_<N>", unique among the outer's objects of that class. */
COREUOBJECT_API FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName = NAME_None);

/**
 * The object of class Class (or a subclass, unless bExactClass) named InName directly inside InOuter,
 * or null. Host departure: a linear search of the object array (the engine hashes names).
 */
COREUOBJECT_API UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool bExactClass = false);

/** Finds an object by its name inside Outer, e.g. a default subobject of an actor by its subobject name. */
template<class T>
inline T* FindObject(UObject* Outer, const TCHAR* Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObjectFast(T::StaticClass(), Outer, FName(Name), ExactClass));
}

/**
 * Destroys every object marked as garbage (and not rooted), after clearing the references that
 * reflected object members hold to them, as the engine's collector does. The host does not trace
 * reachability: an unreferenced object lives until it is marked as garbage or the process ends.
 */
COREUOBJECT_API void CollectGarbage(EObjectFlags KeepFlags = GARBAGE_COLLECTION_KEEPFLAGS, bool bPerformFullPurge = true);

template<class T>
T* NewObject(UObject* Outer = GetTransientPackageAsObject())
{
	FStaticConstructObjectParameters Params(T::StaticClass());
	Params.Outer = Outer;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

template<class T>
T* NewObject(UObject* Outer, FName Name, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr, bool bCopyTransientsFromClassDefaults = false, void* InInstanceGraph = nullptr)
{
	(void)bCopyTransientsFromClassDefaults;
	(void)InInstanceGraph;
	FStaticConstructObjectParameters Params(T::StaticClass());
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	Params.Template = Template;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

template<class T>
T* NewObject(UObject* Outer, const UClass* Class, FName Name = NAME_None, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr, bool bCopyTransientsFromClassDefaults = false, void* InInstanceGraph = nullptr, UPackage* ExternalPackage = nullptr)
{
	(void)bCopyTransientsFromClassDefaults;
	(void)InInstanceGraph;
	(void)ExternalPackage;
	FStaticConstructObjectParameters Params(Class);
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	Params.Template = Template;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}
