// Console variables: named settings with a priority of who set them last.
//
//   static TAutoConsoleVariable<int32> CVarQuality(TEXT("r.Lumarch.Quality"), 2, TEXT("Help"), ECVF_Scalability);
//   int32 Quality = CVarQuality.GetValueOnGameThread();
//   IConsoleManager::Get().FindConsoleVariable(TEXT("r.lumarch.quality"))->Set(3, ECVF_SetByConsole);
//
// Registration is safe during static initialisation (the manager is created on first use).
// A Set whose SetBy priority is lower than the one that set the value last is ignored and logged
// (LogConsoleManager, Warning). A successful Set records its SetBy and calls the change callbacks.
//
// Host departures: there is no render thread, so every GetValueOn*Thread reads the one value, which
// changes at once; there are no console commands (only variables), no ini files and no console
// line parsing; UnregisterConsoleObject always forgets the variable (bKeepState is ignored).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Delegates/Delegate.h"
#include "Misc/AssertionMacros.h"
#include "UObject/NameTypes.h"

#include <type_traits>

/** Console variable flags; the top byte is the SetBy priority, ordered weakest first. */
enum EConsoleVariableFlags
{
	ECVF_FlagMask = 0x0000ffff,

	ECVF_Default = 0x0,
	/** Console variables marked with this flag behave differently in a final release build. */
	ECVF_Cheat = 0x1,
	/** Cannot be changed by the user from the console (code may still set it). */
	ECVF_ReadOnly = 0x4,
	/** Internal: the object was unregistered. */
	ECVF_Unregistered = 0x8,
	ECVF_CreatedFromIni = 0x10,
	ECVF_RenderThreadSafe = 0x20,
	/** Part of the scalability settings. */
	ECVF_Scalability = 0x40,
	/** A scalability group (sg.*). */
	ECVF_ScalabilityGroup = 0x80,
	ECVF_Preview = 0x100,
	ECVF_GeneralShaderChange = 0x200,
	ECVF_MobileShaderChange = 0x400,
	ECVF_DesktopShaderChange = 0x800,
	ECVF_ExcludeFromPreview = 0x1000,

	// SetBy priorities, weakest first (the order is the engine's; the numeric values are unconfirmed).
	ECVF_SetByConstructor = 0x00000000,
	ECVF_SetByScalability = 0x01000000,
	ECVF_SetByGameSetting = 0x02000000,
	ECVF_SetByProjectSetting = 0x03000000,
	ECVF_SetBySystemSettingsIni = 0x04000000,
	ECVF_SetByPluginLowPriority = 0x05000000,
	ECVF_SetByDeviceProfile = 0x06000000,
	ECVF_SetByPluginHighPriority = 0x07000000,
	ECVF_SetByGameOverride = 0x08000000,
	ECVF_SetByConsoleVariablesIni = 0x09000000,
	ECVF_SetByHotfix = 0x0A000000,
	ECVF_SetByPreview = 0x0B000000,
	ECVF_SetByCommandline = 0x0C000000,
	ECVF_SetByCode = 0x0D000000,
	ECVF_SetByConsole = 0x0E000000,

	ECVF_SetByMask = 0xff000000,
	ECVF_LastSetMask = ECVF_SetByMask,
};

/** "Constructor", "Scalability", ... "Console": the SetBy part of Flags. */
CORE_API const TCHAR* GetConsoleVariableSetByName(EConsoleVariableFlags Flags);

class IConsoleObject;
class IConsoleVariable;
class IConsoleCommand;

DECLARE_DELEGATE_OneParam(FConsoleVariableDelegate, IConsoleVariable*);
DECLARE_MULTICAST_DELEGATE_OneParam(FConsoleVariableMulticastDelegate, IConsoleVariable*);
DECLARE_DELEGATE_TwoParams(FConsoleObjectVisitor, const TCHAR*, IConsoleObject*);

/** The value of a console variable, read by TAutoConsoleVariable without a virtual call. */
template <class T>
class TConsoleVariableData
{
public:
	explicit TConsoleVariableData(const T& DefaultValue)
		: Value(DefaultValue)
	{
	}

	T GetValueOnGameThread() const { return Value; }
	T GetValueOnRenderThread() const { return Value; }
	T GetValueOnAnyThread(bool bForceGameThread = false) const
	{
		(void)bForceGameThread;
		return Value;
	}

	/** Written only by the variable's Set. */
	T Value;
};

class IConsoleObject
{
public:
	IConsoleObject() = default;
	virtual ~IConsoleObject() = default;
	IConsoleObject(const IConsoleObject&) = delete;
	IConsoleObject& operator=(const IConsoleObject&) = delete;

	virtual const TCHAR* GetHelp() const = 0;
	virtual void SetHelp(const TCHAR* Value) = 0;
	virtual EConsoleVariableFlags GetFlags() const = 0;
	virtual void SetFlags(const EConsoleVariableFlags Value) = 0;

	void ClearFlags(const EConsoleVariableFlags Value) { SetFlags((EConsoleVariableFlags)(GetFlags() & ~(uint32)Value)); }
	bool TestFlags(const EConsoleVariableFlags Value) const { return ((uint32)GetFlags() & (uint32)Value) != 0; }

	virtual IConsoleVariable* AsVariable() { return nullptr; }
	virtual bool IsVariableBool() const { return false; }
	virtual bool IsVariableInt() const { return false; }
	virtual bool IsVariableFloat() const { return false; }
	virtual bool IsVariableString() const { return false; }

	// The typed value of a variable created with that type; null (and an ensure) otherwise.
	CORE_API virtual TConsoleVariableData<bool>* AsVariableBool();
	CORE_API virtual TConsoleVariableData<int32>* AsVariableInt();
	CORE_API virtual TConsoleVariableData<float>* AsVariableFloat();
	CORE_API virtual TConsoleVariableData<FString>* AsVariableString();

	virtual IConsoleCommand* AsCommand() { return nullptr; }
};

class IConsoleVariable : public IConsoleObject
{
public:
	/**
	 * Sets the value from text (bool variables read "true"/"yes"/"on"/numbers, int and float ones
	 * read a number). Ignored, with a warning, when SetBy is weaker than the last setter's.
	 * Tag exists for source compatibility; the host keeps no history.
	 */
	virtual void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode, FName Tag = NAME_None) = 0;

	virtual bool GetBool() const = 0;
	virtual int32 GetInt() const = 0;
	virtual float GetFloat() const = 0;
	virtual FString GetString() const = 0;

	void Set(bool InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode, FName Tag = NAME_None) { Set(InValue ? TEXT("1") : TEXT("0"), SetBy, Tag); }
	CORE_API void Set(int32 InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode, FName Tag = NAME_None);
	/** Passes the value as "%g" text, as the engine does (unconfirmed): six significant digits. */
	CORE_API void Set(float InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode, FName Tag = NAME_None);

	void GetValue(bool& OutValue) const { OutValue = GetBool(); }
	void GetValue(int32& OutValue) const { OutValue = GetInt(); }
	void GetValue(float& OutValue) const { OutValue = GetFloat(); }
	void GetValue(FString& OutValue) const { OutValue = GetString(); }

	/** Adds a callback run after every successful Set. */
	virtual void SetOnChangedCallback(const FConsoleVariableDelegate& Callback) = 0;
	virtual FConsoleVariableMulticastDelegate& OnChangedDelegate() = 0;

	virtual IConsoleVariable* AsVariable() override { return this; }
};

/** The process-wide registry of console variables. */
class IConsoleManager
{
public:
	virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, float DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, const TCHAR* DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, const FString& DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;

	/** A variable whose value lives in RefValue (which must outlive the registration). */
	virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, bool& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, int32& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, float& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, FString& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;

	/** Forgets the object and destroys it. */
	virtual void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState = true) = 0;
	virtual void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState = true) = 0;

	/** Case-insensitive; null when no variable has the name. */
	virtual IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;
	virtual IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;
	virtual TConsoleVariableData<int32>* FindTConsoleVariableDataInt(const TCHAR* Name) const = 0;
	virtual TConsoleVariableData<float>* FindTConsoleVariableDataFloat(const TCHAR* Name) const = 0;

	/** Visits, in name order, every object whose name starts with the text (case-insensitive). */
	virtual void ForEachConsoleObjectThatStartsWith(const FConsoleObjectVisitor& Visitor, const TCHAR* ThatStartsWith = TEXT("")) const = 0;

	/** The registered name of an object ("" if it is not registered). */
	virtual FString FindConsoleObjectName(const IConsoleObject* Obj) const = 0;

	/** The manager; created on first use, so registration during static initialisation is safe. */
	CORE_API static IConsoleManager& Get();

protected:
	virtual ~IConsoleManager() = default;
};

/** Base of the auto-registering helpers: unregisters its object when destroyed. */
class FAutoConsoleObject
{
protected:
	explicit FAutoConsoleObject(IConsoleObject* InTarget)
		: Target(InTarget)
	{
		check(Target);
	}

public:
	virtual ~FAutoConsoleObject()
	{
		IConsoleManager::Get().UnregisterConsoleObject(Target);
	}
	FAutoConsoleObject(const FAutoConsoleObject&) = delete;
	FAutoConsoleObject& operator=(const FAutoConsoleObject&) = delete;

	IConsoleVariable* AsVariable()
	{
		checkSlow(Target->AsVariable());
		return static_cast<IConsoleVariable*>(Target);
	}
	const IConsoleVariable* AsVariable() const
	{
		checkSlow(Target->AsVariable());
		return static_cast<const IConsoleVariable*>(Target);
	}

private:
	IConsoleObject* Target;
};

/** A console variable of type T (bool, int32, float or FString) registered for the object's lifetime. */
template <class T>
class TAutoConsoleVariable : public FAutoConsoleObject
{
	static_assert(std::is_same_v<T, bool> || std::is_same_v<T, int32> || std::is_same_v<T, float> || std::is_same_v<T, FString>,
		"TAutoConsoleVariable supports bool, int32, float and FString.");

public:
	TAutoConsoleVariable(const TCHAR* Name, const T& DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags))
	{
		Ref = Typed(AsVariable());
	}
	TAutoConsoleVariable(const TCHAR* Name, const T& DefaultValue, const TCHAR* Help, const FConsoleVariableDelegate& Callback, uint32 Flags = ECVF_Default)
		: TAutoConsoleVariable(Name, DefaultValue, Help, Flags)
	{
		AsVariable()->SetOnChangedCallback(Callback);
	}

	T GetValueOnGameThread() const { return Ref->GetValueOnGameThread(); }
	T GetValueOnRenderThread() const { return Ref->GetValueOnRenderThread(); }
	T GetValueOnAnyThread(bool bForceGameThread = false) const { return Ref->GetValueOnAnyThread(bForceGameThread); }

	IConsoleVariable* operator->() { return AsVariable(); }

private:
	static TConsoleVariableData<T>* Typed(IConsoleVariable* Variable)
	{
		if constexpr (std::is_same_v<T, bool>)
		{
			return Variable->AsVariableBool();
		}
		else if constexpr (std::is_same_v<T, int32>)
		{
			return Variable->AsVariableInt();
		}
		else if constexpr (std::is_same_v<T, float>)
		{
			return Variable->AsVariableFloat();
		}
		else
		{
			return Variable->AsVariableString();
		}
	}

	TConsoleVariableData<T>* Ref = nullptr;
};

/** A console variable whose value lives in a C++ variable of the caller. */
class FAutoConsoleVariableRef : public FAutoConsoleObject
{
public:
	FAutoConsoleVariableRef(const TCHAR* Name, bool& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariableRef(Name, RefValue, Help, Flags))
	{
	}
	FAutoConsoleVariableRef(const TCHAR* Name, int32& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariableRef(Name, RefValue, Help, Flags))
	{
	}
	FAutoConsoleVariableRef(const TCHAR* Name, float& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariableRef(Name, RefValue, Help, Flags))
	{
	}
	FAutoConsoleVariableRef(const TCHAR* Name, FString& RefValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariableRef(Name, RefValue, Help, Flags))
	{
	}
	template <typename T>
	FAutoConsoleVariableRef(const TCHAR* Name, T& RefValue, const TCHAR* Help, const FConsoleVariableDelegate& Callback, uint32 Flags = ECVF_Default)
		: FAutoConsoleVariableRef(Name, RefValue, Help, Flags)
	{
		AsVariable()->SetOnChangedCallback(Callback);
	}

	IConsoleVariable* operator->() { return AsVariable(); }
};

/** An untyped auto-registered console variable (read it through AsVariable()). */
class FAutoConsoleVariable : public FAutoConsoleObject
{
public:
	FAutoConsoleVariable(const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags))
	{
	}
	FAutoConsoleVariable(const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags))
	{
	}
	FAutoConsoleVariable(const TCHAR* Name, float DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags))
	{
	}
	FAutoConsoleVariable(const TCHAR* Name, const TCHAR* DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags))
	{
	}

	IConsoleVariable* operator->() { return AsVariable(); }
};
