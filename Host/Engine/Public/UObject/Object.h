// The root of the object model: UObjectBase (identity: class, name, outer, flags, slot in the
// global object array) and UObject (the virtual hooks engine code overrides).
#pragma once

#include "CoreTypes.h"
#include "UObject/ObjectMacros.h"
#include "UObject/NameTypes.h"
#include "Containers/UnrealString.h"
#include "Containers/Array.h"

class UClass;
class FReferenceCollector;
class UWorld;
class UPackage;
class FProperty;
struct FPropertyChangedEvent;
struct FPropertyChangedChainEvent;
class FObjectInitializer;

class COREUOBJECT_API UObjectBase
{
public:
	UClass* GetClass() const { return ClassPrivate; }
	UObject* GetOuter() const { return OuterPrivate; }
	FName GetFName() const { return NamePrivate; }
	EObjectFlags GetFlags() const { return ObjectFlags; }
	int32 GetUniqueID() const { return InternalIndex; }

	/** Slot in the global object array; weak pointers are an index plus a serial number. */
	int32 InternalIndex = INDEX_NONE;

protected:
	UObjectBase();
	virtual ~UObjectBase();

	EObjectFlags ObjectFlags = RF_NoFlags;
	UClass* ClassPrivate = nullptr;
	FName NamePrivate;
	UObject* OuterPrivate = nullptr;

	friend class FUObjectArray;
	friend class FObjectInitializer;
	friend COREUOBJECT_API UObject* StaticConstructObject_Internal(const struct FStaticConstructObjectParameters& Params);
};

class COREUOBJECT_API UObjectBaseUtility : public UObjectBase
{
public:
	void SetFlags(EObjectFlags NewFlags) { ObjectFlags |= NewFlags; }
	void ClearFlags(EObjectFlags NewFlags) { ObjectFlags &= ~NewFlags; }
	bool HasAnyFlags(EObjectFlags FlagsToCheck) const { return (ObjectFlags & FlagsToCheck) != 0; }
	bool HasAllFlags(EObjectFlags FlagsToCheck) const { return (ObjectFlags & FlagsToCheck) == FlagsToCheck; }

	/** Marks the object as garbage: IsValid() turns false and weak pointers to it read null. */
	void MarkAsGarbage();
	void ClearGarbage();
	bool IsGarbage() const { return HasAnyFlags(RF_MirroredGarbage); }
	void AddToRoot();
	void RemoveFromRoot();
	bool IsRooted() const;

	bool IsTemplate(EObjectFlags TemplateTypes = (EObjectFlags)(RF_ArchetypeObject | RF_ClassDefaultObject)) const;

	FString GetName() const { return GetFName().ToString(); }
	FString GetPathName(const UObject* StopOuter = nullptr) const;
	FString GetFullName() const;
	UPackage* GetPackage() const;
	UPackage* GetOutermost() const { return GetPackage(); }
	bool MarkPackageDirty() const;

	bool IsA(const UClass* SomeBase) const;
	template<class T>
	bool IsA() const
	{
		return IsA(T::StaticClass());
	}

	UObject* GetTypedOuter(UClass* Target) const;
	template<class T>
	T* GetTypedOuter() const
	{
		return (T*)GetTypedOuter(T::StaticClass());
	}
	bool IsIn(const UObject* SomeOuter) const;

protected:
	using UObjectBase::UObjectBase;
};

class COREUOBJECT_API UObject : public UObjectBaseUtility
{
public:
	typedef UObject ThisClass;
	static UClass* StaticClass();

	/** Reports references that are not properties; a class that has some declares its own and calls Super's. */
	static void AddReferencedObjects(UObject* InThis, FReferenceCollector& Collector) { (void)InThis; (void)Collector; }

	/** Takes identity (class, name, outer, flags) from the construction in progress (NewObject). */
	UObject();
	explicit UObject(const FObjectInitializer& ObjectInitializer);
	virtual ~UObject() override;

	/** Reflection objects (classes, structs, enums, functions) live outside the object array. */
	UObject(EStaticConstructor, EObjectFlags InFlags);

	UObject(const UObject&) = delete;
	UObject& operator=(const UObject&) = delete;

	virtual void PostInitProperties();
	virtual void PostLoad();
	virtual void BeginDestroy();
	virtual void FinishDestroy();
	virtual bool IsEditorOnly() const { return false; }

	/** The world this object lives in: found through the outer chain (none for class defaults). */
	virtual UWorld* GetWorld() const;

#if WITH_EDITOR
	virtual void PreEditChange(FProperty* PropertyAboutToChange);
	virtual bool CanEditChange(const FProperty* InProperty) const;
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent);
	/** The editor's entry point; the default forwards to PostEditChangeProperty, as the engine's does. */
	virtual void PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent);
#endif

	/** Creates a component or subobject of the object under construction; only valid in constructors. */
	template<class TReturnType>
	TReturnType* CreateDefaultSubobject(FName SubobjectName, bool bTransient = false)
	{
		return static_cast<TReturnType*>(CreateDefaultSubobject(SubobjectName, TReturnType::StaticClass(), TReturnType::StaticClass(), /*bIsRequired*/ true, bTransient));
	}
	UObject* CreateDefaultSubobject(FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, bool bIsRequired, bool bIsTransient);

	/** The default subobjects created by this object's constructor, in creation order. */
	void GetDefaultSubobjects(TArray<UObject*>& OutDefaultSubobjects);
};

/** Non-null and not marked as garbage. */
FORCEINLINE bool IsValid(const UObject* Test)
{
	return Test && !Test->IsGarbage();
}
