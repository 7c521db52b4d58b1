#include "Modules/ModuleManager.h"

#include "CoreGlobals.h"
#include "Logging/LogMacros.h"

#include <string>
#include <vector>

DEFINE_LOG_CATEGORY_STATIC(LogModuleManager, Log, All);

struct FModuleManager::FState
{
	struct FRegistered
	{
		std::u16string Name;
		IModuleInterface* (*Initializer)() = nullptr;
	};
	struct FLoaded
	{
		FName Name;
		IModuleInterface* Module = nullptr;
		bool bIsReady = false;
	};

	// Only the registration list may be touched during static initialisation.
	std::vector<FRegistered> Registered;
	std::vector<FLoaded> Loaded;
	bool bHostStartupDone = false;

	const FRegistered* FindRegistered(const FName& Name) const
	{
		for (const FRegistered& Entry : Registered)
		{
			if (FName(Entry.Name.c_str()) == Name)
			{
				return &Entry;
			}
		}
		return nullptr;
	}
	FLoaded* FindLoaded(const FName& Name)
	{
		for (FLoaded& Entry : Loaded)
		{
			if (Entry.Name == Name)
			{
				return &Entry;
			}
		}
		return nullptr;
	}
};

FModuleManager::FState& FModuleManager::GetState()
{
	// Never destroyed: registrants run during static initialisation, in any order.
	static FState* State = new FState;
	return *State;
}

FModuleManager& FModuleManager::Get()
{
	static FModuleManager* Singleton = new FModuleManager;
	return *Singleton;
}

void FModuleManager::RegisterStaticallyLinkedModule(const TCHAR* InModuleName, IModuleInterface* (*InInitializer)())
{
	GetState().Registered.push_back(FState::FRegistered{std::u16string(InModuleName), InInitializer});
}

IModuleInterface* FModuleManager::LoadModuleWithFailureReason(const FName InModuleName, EModuleLoadResult& OutFailureReason, ELoadModuleFlags InLoadModuleFlags)
{
	FState& State = GetState();
	if (FState::FLoaded* Loaded = State.FindLoaded(InModuleName))
	{
		// Also answers a module that asks for itself while starting up.
		OutFailureReason = EModuleLoadResult::Success;
		return Loaded->Module;
	}

	const FState::FRegistered* Registered = State.FindRegistered(InModuleName);
	if (!Registered)
	{
		OutFailureReason = EModuleLoadResult::FileNotFound;
		if (((int32)InLoadModuleFlags & (int32)ELoadModuleFlags::LogFailures) != 0)
		{
			UE_LOG(LogModuleManager, Warning, TEXT("ModuleManager: Unable to load module '%s' - no module of that name is linked in."), *InModuleName.ToString());
		}
		return nullptr;
	}

	IModuleInterface* Module = Registered->Initializer();
	if (!Module)
	{
		OutFailureReason = EModuleLoadResult::FailedToInitialize;
		return nullptr;
	}
	State.Loaded.push_back(FState::FLoaded{InModuleName, Module, false});
	Module->StartupModule();
	if (FState::FLoaded* Loaded = State.FindLoaded(InModuleName))
	{
		Loaded->bIsReady = true;
	}
	OutFailureReason = EModuleLoadResult::Success;
	return Module;
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName, ELoadModuleFlags InLoadModuleFlags)
{
	checkf(IsInGameThread(), TEXT("Modules are loaded on the game thread."));
	EModuleLoadResult FailureReason;
	return LoadModuleWithFailureReason(InModuleName, FailureReason, InLoadModuleFlags);
}

IModuleInterface& FModuleManager::LoadModuleChecked(const FName InModuleName)
{
	IModuleInterface* Module = LoadModule(InModuleName, ELoadModuleFlags::LogFailures);
	checkf(Module != nullptr, TEXT("Module '%s' could not be loaded."), *InModuleName.ToString());
	return *Module;
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName) const
{
	const FState::FLoaded* Loaded = GetState().FindLoaded(InModuleName);
	return Loaded && Loaded->bIsReady;
}

bool FModuleManager::ModuleExists(const TCHAR* ModuleName) const
{
	return GetState().FindRegistered(FName(ModuleName)) != nullptr;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName)
{
	FState::FLoaded* Loaded = GetState().FindLoaded(InModuleName);
	return Loaded ? Loaded->Module : nullptr;
}

int32 FModuleManager::GetModuleCount() const
{
	return (int32)GetState().Loaded.size();
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool bAbandonOnly)
{
	FState& State = GetState();
	for (size_t Index = 0; Index < State.Loaded.size(); ++Index)
	{
		if (State.Loaded[Index].Name == InModuleName)
		{
			IModuleInterface* Module = State.Loaded[Index].Module;
			State.Loaded.erase(State.Loaded.begin() + (std::ptrdiff_t)Index);
			if (!bAbandonOnly)
			{
				Module->PreUnloadCallback();
				Module->ShutdownModule();
				delete Module;
			}
			return true;
		}
	}
	return false;
}

void FModuleManager::UnloadModulesAtShutdown()
{
	FState& State = GetState();
	while (!State.Loaded.empty())
	{
		FState::FLoaded Last = State.Loaded.back();
		State.Loaded.pop_back();
		if (Last.Module->SupportsAutomaticShutdown())
		{
			Last.Module->PreUnloadCallback();
			Last.Module->ShutdownModule();
		}
		delete Last.Module;
	}
	// A later start-up (another world in the same program) loads the modules again.
	State.bHostStartupDone = false;
}

void FModuleManager::LoadModulesForHostStartup()
{
	FState& State = GetState();
	if (State.bHostStartupDone)
	{
		return;
	}
	State.bHostStartupDone = true;
	// Index loop: a module's StartupModule may not register modules, but be robust if it does.
	for (size_t Index = 0; Index < State.Registered.size(); ++Index)
	{
		const std::u16string Name = State.Registered[Index].Name;
		Get().LoadModule(FName(Name.c_str()), ELoadModuleFlags::LogFailures);
	}
}
