// The console variable registry. Variables are kept by lower-cased name (lookups are
// case-insensitive) in an ordered map, so visiting by prefix lists them in name order.
#include "HAL/IConsoleManager.h"

#include "CoreGlobals.h"
#include "Logging/LogMacros.h"
#include "Misc/CString.h"

#include <map>
#include <mutex>
#include <string>

DEFINE_LOG_CATEGORY_STATIC(LogConsoleManager, Log, All);

const TCHAR* GetConsoleVariableSetByName(EConsoleVariableFlags Flags)
{
	switch ((uint32)Flags & (uint32)ECVF_SetByMask)
	{
	case ECVF_SetByConstructor: return TEXT("Constructor");
	case ECVF_SetByScalability: return TEXT("Scalability");
	case ECVF_SetByGameSetting: return TEXT("GameSetting");
	case ECVF_SetByProjectSetting: return TEXT("ProjectSetting");
	case ECVF_SetBySystemSettingsIni: return TEXT("SystemSettingsIni");
	case ECVF_SetByPluginLowPriority: return TEXT("PluginLowPriority");
	case ECVF_SetByDeviceProfile: return TEXT("DeviceProfile");
	case ECVF_SetByPluginHighPriority: return TEXT("PluginHighPriority");
	case ECVF_SetByGameOverride: return TEXT("GameOverride");
	case ECVF_SetByConsoleVariablesIni: return TEXT("ConsoleVariablesIni");
	case ECVF_SetByHotfix: return TEXT("Hotfix");
	case ECVF_SetByPreview: return TEXT("Preview");
	case ECVF_SetByCommandline: return TEXT("Commandline");
	case ECVF_SetByCode: return TEXT("Code");
	case ECVF_SetByConsole: return TEXT("Console");
	default: return TEXT("Unknown");
	}
}

// ---------------------------------------------------------------------------------------------
// IConsoleObject / IConsoleVariable defaults

static void ReportWrongVariableType()
{
	ensureMsgf(false, TEXT("Attempted to access variable data of a console variable type that doesn't support it. For example FindTConsoleVariableData* on a FAutoConsoleVariableRef."));
}

TConsoleVariableData<bool>* IConsoleObject::AsVariableBool()
{
	ReportWrongVariableType();
	return nullptr;
}
TConsoleVariableData<int32>* IConsoleObject::AsVariableInt()
{
	ReportWrongVariableType();
	return nullptr;
}
TConsoleVariableData<float>* IConsoleObject::AsVariableFloat()
{
	ReportWrongVariableType();
	return nullptr;
}
TConsoleVariableData<FString>* IConsoleObject::AsVariableString()
{
	ReportWrongVariableType();
	return nullptr;
}

void IConsoleVariable::Set(int32 InValue, EConsoleVariableFlags SetBy, FName Tag)
{
	Set(*FString::Printf(TEXT("%d"), InValue), SetBy, Tag);
}

void IConsoleVariable::Set(float InValue, EConsoleVariableFlags SetBy, FName Tag)
{
	Set(*FString::Printf(TEXT("%g"), (double)InValue), SetBy, Tag);
}

namespace
{
	// ---------------------------------------------------------------------------------------------
	// Values: parsing and printing per type, as the engine's console variables do.

	void ParseValue(bool& Out, const TCHAR* Text) { Out = FCString::ToBool(Text); }
	void ParseValue(int32& Out, const TCHAR* Text) { Out = FCString::Atoi(Text); }
	void ParseValue(float& Out, const TCHAR* Text) { Out = FCString::Atof(Text); }
	void ParseValue(FString& Out, const TCHAR* Text) { Out = Text; }

	bool ToBoolValue(bool Value) { return Value; }
	bool ToBoolValue(int32 Value) { return Value != 0; }
	bool ToBoolValue(float Value) { return Value != 0.f; }
	bool ToBoolValue(const FString& Value) { return FCString::ToBool(*Value); }

	int32 ToIntValue(bool Value) { return Value ? 1 : 0; }
	int32 ToIntValue(int32 Value) { return Value; }
	int32 ToIntValue(float Value) { return (int32)Value; }
	int32 ToIntValue(const FString& Value) { return FCString::Atoi(*Value); }

	float ToFloatValue(bool Value) { return Value ? 1.f : 0.f; }
	float ToFloatValue(int32 Value) { return (float)Value; }
	float ToFloatValue(float Value) { return Value; }
	float ToFloatValue(const FString& Value) { return FCString::Atof(*Value); }

	FString ToStringValue(bool Value) { return Value ? FString(TEXT("true")) : FString(TEXT("false")); }
	FString ToStringValue(int32 Value) { return FString::Printf(TEXT("%d"), Value); }
	FString ToStringValue(float Value) { return FString::SanitizeFloat(Value); }
	FString ToStringValue(const FString& Value) { return Value; }

	// ---------------------------------------------------------------------------------------------

	class FConsoleVariableBase : public IConsoleVariable
	{
	public:
		FConsoleVariableBase(const TCHAR* InHelp, EConsoleVariableFlags InFlags)
			: Help(InHelp ? InHelp : TEXT(""))
			, Flags((EConsoleVariableFlags)((uint32)InFlags & ~(uint32)ECVF_SetByMask))
		{
		}

		virtual const TCHAR* GetHelp() const override { return *Help; }
		virtual void SetHelp(const TCHAR* Value) override { Help = Value ? Value : TEXT(""); }
		virtual EConsoleVariableFlags GetFlags() const override { return Flags; }
		virtual void SetFlags(const EConsoleVariableFlags Value) override { Flags = Value; }

		virtual void SetOnChangedCallback(const FConsoleVariableDelegate& Callback) override { OnChangedCallback.Add(Callback); }
		virtual FConsoleVariableMulticastDelegate& OnChangedDelegate() override { return OnChangedCallback; }

	protected:
		/** A set may proceed unless its SetBy is weaker than the last setter's; a refused set is logged. */
		bool CanChange(EConsoleVariableFlags SetBy) const;

		/** Records who set the value and tells the listeners. */
		void OnChanged(EConsoleVariableFlags SetBy)
		{
			Flags = (EConsoleVariableFlags)(((uint32)Flags & ~(uint32)ECVF_SetByMask) | ((uint32)SetBy & (uint32)ECVF_SetByMask));
			OnChangedCallback.Broadcast(this);
		}

		FString Help;
		EConsoleVariableFlags Flags;
		FConsoleVariableMulticastDelegate OnChangedCallback;
	};

	/** A variable owning its value. */
	template <typename T>
	class FConsoleVariable final : public FConsoleVariableBase
	{
	public:
		FConsoleVariable(const T& DefaultValue, const TCHAR* InHelp, EConsoleVariableFlags InFlags)
			: FConsoleVariableBase(InHelp, InFlags)
			, Data(DefaultValue)
		{
		}

		virtual void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy, FName Tag) override
		{
			(void)Tag;
			if (CanChange(SetBy))
			{
				ParseValue(Data.Value, InValue ? InValue : TEXT(""));
				OnChanged(SetBy);
			}
		}

		virtual bool GetBool() const override { return ToBoolValue(Data.Value); }
		virtual int32 GetInt() const override { return ToIntValue(Data.Value); }
		virtual float GetFloat() const override { return ToFloatValue(Data.Value); }
		virtual FString GetString() const override { return ToStringValue(Data.Value); }

		virtual bool IsVariableBool() const override { return std::is_same_v<T, bool>; }
		virtual bool IsVariableInt() const override { return std::is_same_v<T, int32>; }
		virtual bool IsVariableFloat() const override { return std::is_same_v<T, float>; }
		virtual bool IsVariableString() const override { return std::is_same_v<T, FString>; }

		virtual TConsoleVariableData<bool>* AsVariableBool() override { return Typed<bool>(); }
		virtual TConsoleVariableData<int32>* AsVariableInt() override { return Typed<int32>(); }
		virtual TConsoleVariableData<float>* AsVariableFloat() override { return Typed<float>(); }
		virtual TConsoleVariableData<FString>* AsVariableString() override { return Typed<FString>(); }

	private:
		template <typename U>
		TConsoleVariableData<U>* Typed()
		{
			if constexpr (std::is_same_v<T, U>)
			{
				return &Data;
			}
			else
			{
				ReportWrongVariableType();
				return nullptr;
			}
		}

		TConsoleVariableData<T> Data;
	};

	/** A variable whose value lives in the caller's C++ variable. */
	template <typename T>
	class FConsoleVariableRef final : public FConsoleVariableBase
	{
	public:
		FConsoleVariableRef(T& InRefValue, const TCHAR* InHelp, EConsoleVariableFlags InFlags)
			: FConsoleVariableBase(InHelp, InFlags)
			, RefValue(InRefValue)
		{
		}

		virtual void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy, FName Tag) override
		{
			(void)Tag;
			if (CanChange(SetBy))
			{
				ParseValue(RefValue, InValue ? InValue : TEXT(""));
				OnChanged(SetBy);
			}
		}

		virtual bool GetBool() const override { return ToBoolValue(RefValue); }
		virtual int32 GetInt() const override { return ToIntValue(RefValue); }
		virtual float GetFloat() const override { return ToFloatValue(RefValue); }
		virtual FString GetString() const override { return ToStringValue(RefValue); }

		virtual bool IsVariableBool() const override { return std::is_same_v<T, bool>; }
		virtual bool IsVariableInt() const override { return std::is_same_v<T, int32>; }
		virtual bool IsVariableFloat() const override { return std::is_same_v<T, float>; }
		virtual bool IsVariableString() const override { return std::is_same_v<T, FString>; }

	private:
		T& RefValue;
	};

	// ---------------------------------------------------------------------------------------------

	std::u16string ToLowerKey(const TCHAR* Name)
	{
		std::u16string Key;
		for (const TCHAR* P = Name ? Name : TEXT(""); *P; ++P)
		{
			Key.push_back(*P >= u'A' && *P <= u'Z' ? (TCHAR)(*P - u'A' + u'a') : *P);
		}
		return Key;
	}

	class FConsoleManager final : public IConsoleManager
	{
	public:
		virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariable<bool>(DefaultValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariable<int32>(DefaultValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, float DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariable<float>(DefaultValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, const TCHAR* DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariable<FString>(FString(DefaultValue ? DefaultValue : TEXT("")), Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, const FString& DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariable<FString>(DefaultValue, Help, (EConsoleVariableFlags)Flags));
		}

		virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, bool& RefValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariableRef<bool>(RefValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, int32& RefValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariableRef<int32>(RefValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, float& RefValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariableRef<float>(RefValue, Help, (EConsoleVariableFlags)Flags));
		}
		virtual IConsoleVariable* RegisterConsoleVariableRef(const TCHAR* Name, FString& RefValue, const TCHAR* Help, uint32 Flags) override
		{
			return Add(Name, new FConsoleVariableRef<FString>(RefValue, Help, (EConsoleVariableFlags)Flags));
		}

		virtual void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState) override
		{
			(void)bKeepState;
			if (!ConsoleObject)
			{
				return;
			}
			std::unique_lock<std::recursive_mutex> Lock(Mutex);
			for (auto It = Objects.begin(); It != Objects.end(); ++It)
			{
				if (It->second.Object == ConsoleObject)
				{
					Objects.erase(It);
					Lock.unlock();
					delete ConsoleObject;
					return;
				}
			}
		}
		virtual void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState) override
		{
			UnregisterConsoleObject(FindConsoleObject(Name, false), bKeepState);
		}

		virtual IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool bTrackFrequentCalls) const override
		{
			IConsoleObject* Object = FindConsoleObject(Name, bTrackFrequentCalls);
			return Object ? Object->AsVariable() : nullptr;
		}
		virtual IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls) const override
		{
			(void)bTrackFrequentCalls;
			std::lock_guard<std::recursive_mutex> Lock(Mutex);
			auto It = Objects.find(ToLowerKey(Name));
			return It != Objects.end() ? It->second.Object : nullptr;
		}
		virtual TConsoleVariableData<int32>* FindTConsoleVariableDataInt(const TCHAR* Name) const override
		{
			IConsoleVariable* Variable = FindConsoleVariable(Name, false);
			return Variable ? Variable->AsVariableInt() : nullptr;
		}
		virtual TConsoleVariableData<float>* FindTConsoleVariableDataFloat(const TCHAR* Name) const override
		{
			IConsoleVariable* Variable = FindConsoleVariable(Name, false);
			return Variable ? Variable->AsVariableFloat() : nullptr;
		}

		virtual void ForEachConsoleObjectThatStartsWith(const FConsoleObjectVisitor& Visitor, const TCHAR* ThatStartsWith) const override
		{
			const std::u16string Prefix = ToLowerKey(ThatStartsWith);
			std::lock_guard<std::recursive_mutex> Lock(Mutex);
			for (auto It = Objects.lower_bound(Prefix); It != Objects.end() && It->first.compare(0, Prefix.size(), Prefix) == 0; ++It)
			{
				Visitor.ExecuteIfBound(It->second.Name.c_str(), It->second.Object);
			}
		}

		virtual FString FindConsoleObjectName(const IConsoleObject* Obj) const override
		{
			std::lock_guard<std::recursive_mutex> Lock(Mutex);
			for (const auto& Pair : Objects)
			{
				if (Pair.second.Object == Obj)
				{
					return FString(Pair.second.Name.c_str());
				}
			}
			return FString();
		}

	private:
		struct FEntry
		{
			std::u16string Name;
			IConsoleObject* Object = nullptr;
		};

		IConsoleVariable* Add(const TCHAR* Name, IConsoleVariable* Variable)
		{
			check(Name && *Name);
			std::unique_lock<std::recursive_mutex> Lock(Mutex);
			const std::u16string Key = ToLowerKey(Name);
			auto It = Objects.find(Key);
			if (It != Objects.end())
			{
				IConsoleObject* Existing = It->second.Object;
				Lock.unlock();
				ensureMsgf(false, TEXT("Console object named '%s' already exists but is being registered again, but we weren't expected it to be!"), Name);
				delete Variable;
				return Existing->AsVariable();
			}
			Objects.emplace(Key, FEntry{std::u16string(Name), Variable});
			return Variable;
		}

		// Recursive: change callbacks run under no lock, but a visitor may look variables up.
		mutable std::recursive_mutex Mutex;
		std::map<std::u16string, FEntry> Objects;
	};

	bool FConsoleVariableBase::CanChange(EConsoleVariableFlags SetBy) const
	{
		const uint32 OldPriority = (uint32)Flags & (uint32)ECVF_SetByMask;
		const uint32 NewPriority = (uint32)SetBy & (uint32)ECVF_SetByMask;
		if (NewPriority >= OldPriority)
		{
			return true;
		}
		const FString Name = IConsoleManager::Get().FindConsoleObjectName(this);
		const FString Value = GetString();
		UE_LOG(LogConsoleManager, Warning,
			TEXT("Setting the console variable '%s' with 'SetBy%s' was ignored as it is lower priority than the previous 'SetBy%s'. Value remains '%s'"),
			*Name, GetConsoleVariableSetByName(SetBy), GetConsoleVariableSetByName(Flags), *Value);
		return false;
	}
}

IConsoleManager& IConsoleManager::Get()
{
	// Never destroyed: auto-registered variables unregister from their destructors at exit.
	static FConsoleManager* Singleton = new FConsoleManager;
	return *Singleton;
}
