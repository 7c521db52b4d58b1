// FScriptInterface / TScriptInterface: an object together with its pointer to a native interface it
// implements, as script-callable functions pass interfaces.
#pragma once

#include "CoreTypes.h"
#include "HAL/Platform.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"
#include <type_traits>

class FScriptInterface
{
public:
	FScriptInterface() = default;
	FScriptInterface(UObject* InObjectPointer, void* InInterfacePointer)
		: ObjectPointer(InObjectPointer), InterfacePointer(InInterfacePointer)
	{
	}

	UObject* GetObject() const { return ObjectPointer; }
	UObject*& GetObjectRef() { return ObjectPointer; }
	void* GetInterface() const { return ObjectPointer ? InterfacePointer : nullptr; }

	void SetObject(UObject* InObjectPointer)
	{
		ObjectPointer = InObjectPointer;
		if (!ObjectPointer)
		{
			InterfacePointer = nullptr;
		}
	}
	void SetInterface(void* InInterfacePointer) { InterfacePointer = InInterfacePointer; }

	bool operator==(const FScriptInterface& Other) const
	{
		return GetInterface() == Other.GetInterface() && GetObject() == Other.GetObject();
	}
	bool operator!=(const FScriptInterface& Other) const { return !(*this == Other); }

private:
	UObject* ObjectPointer = nullptr;
	void* InterfacePointer = nullptr;
};

/**
 * An object and its InterfaceType. Built from an object pointer, it always keeps the object and
 * finds the interface on it (null when the object does not implement it), as the engine does.
 *
 * Host departure: the header tool has no UINTERFACE, so native interfaces are plain C++ classes and
 * the interface is found with dynamic_cast instead of Cast<InterfaceType> through the class's
 * implemented-interfaces table.
 */
template<class InterfaceType>
class TScriptInterface : public FScriptInterface
{
public:
	TScriptInterface() = default;
	TScriptInterface(TYPE_OF_NULLPTR) {}

	/** From anything that converts to a UObject pointer (raw pointers, TObjectPtr). */
	template<typename U>
		requires(!std::is_base_of_v<FScriptInterface, std::remove_cvref_t<U>> && std::is_convertible_v<U, UObject*>)
	TScriptInterface(U&& Source)
	{
		UObject* SourceObject = static_cast<UObject*>(Source);
		SetObject(SourceObject);
		using PointeeType = std::remove_pointer_t<std::remove_cvref_t<U>>;
		if constexpr (std::is_pointer_v<std::remove_cvref_t<U>> && std::is_base_of_v<InterfaceType, PointeeType>)
		{
			SetInterface(static_cast<InterfaceType*>(Source));
		}
		else
		{
			SetInterface(SourceObject ? dynamic_cast<InterfaceType*>(SourceObject) : nullptr);
		}
	}

	InterfaceType* GetInterface() const { return (InterfaceType*)FScriptInterface::GetInterface(); }
	InterfaceType* operator->() const { return GetInterface(); }
	InterfaceType& operator*() const { return *GetInterface(); }
	explicit operator bool() const { return GetInterface() != nullptr; }

	TScriptInterface& operator=(TYPE_OF_NULLPTR)
	{
		SetObject(nullptr);
		return *this;
	}

	bool operator==(const TScriptInterface& Other) const { return FScriptInterface::operator==(Other); }
	bool operator!=(const TScriptInterface& Other) const { return !(*this == Other); }
	bool operator==(TYPE_OF_NULLPTR) const { return GetInterface() == nullptr; }
};
