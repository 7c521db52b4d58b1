// The module manager. In the host every module is statically linked: IMPLEMENT_MODULE registers a
// factory during static initialisation, and LoadModule creates the module and runs its
// StartupModule the first time it is asked for.
//
// Host start-up: engine code loads modules through LoadModule / LoadModuleChecked as usual. The
// engine also loads every enabled plug-in's modules at start-up (by loading phase); the host does
// that in FModuleManager::LoadModulesForHostStartup(), which world creation calls before the first
// world exists (calling it again does nothing). Programs that want the modules' ShutdownModule to
// run call UnloadModulesAtShutdown() before exiting.
#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Misc/AssertionMacros.h"
#include "Modules/ModuleInterface.h"
#include "UObject/NameTypes.h"

enum class ELoadModuleFlags
{
	None = 0x0,
	LogFailures = 1 << 0,
};

/** Whether a module was found and started. */
enum class EModuleLoadResult
{
	Success,
	FileNotFound,
	FileIncompatible,
	CouldNotBeLoadedByOS,
	FailedToInitialize,
};

class CORE_API FModuleManager
{
public:
	DECLARE_DELEGATE_RetVal(IModuleInterface*, FInitializeStaticallyLinkedModule);

	static FModuleManager& Get();

	/** Loads (creates and starts) the module if needed; null if no such module is registered. */
	IModuleInterface* LoadModule(const FName InModuleName, ELoadModuleFlags InLoadModuleFlags = ELoadModuleFlags::None);
	/** LoadModule that fails (fatal) when the module does not exist. */
	IModuleInterface& LoadModuleChecked(const FName InModuleName);
	IModuleInterface* LoadModuleWithFailureReason(const FName InModuleName, EModuleLoadResult& OutFailureReason, ELoadModuleFlags InLoadModuleFlags = ELoadModuleFlags::None);

	bool IsModuleLoaded(const FName InModuleName) const;
	/** Whether a module of this name is registered (loaded or not). */
	bool ModuleExists(const TCHAR* ModuleName) const;
	/** The loaded module, or null. */
	IModuleInterface* GetModule(const FName InModuleName);
	int32 GetModuleCount() const;

	/** Calls ShutdownModule and destroys the module; false if it was not loaded. */
	bool UnloadModule(const FName InModuleName, bool bAbandonOnly = false);
	/** Unloads every loaded module, most recently loaded first. */
	void UnloadModulesAtShutdown();

	template <typename TModuleInterface>
	static TModuleInterface& GetModuleChecked(const FName ModuleName)
	{
		FModuleManager& ModuleManager = FModuleManager::Get();
		checkf(ModuleManager.IsModuleLoaded(ModuleName), TEXT("Tried to get module interface for unloaded module: '%s'"), *ModuleName.ToString());
		return static_cast<TModuleInterface&>(*ModuleManager.GetModule(ModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface* GetModulePtr(const FName ModuleName)
	{
		FModuleManager& ModuleManager = FModuleManager::Get();
		return ModuleManager.IsModuleLoaded(ModuleName) ? static_cast<TModuleInterface*>(ModuleManager.GetModule(ModuleName)) : nullptr;
	}
	template <typename TModuleInterface>
	static TModuleInterface& LoadModuleChecked(const FName InModuleName)
	{
		IModuleInterface& ModuleInterface = FModuleManager::Get().LoadModuleChecked(InModuleName);
		return static_cast<TModuleInterface&>(ModuleInterface);
	}
	template <typename TModuleInterface>
	static TModuleInterface* LoadModulePtr(const FName InModuleName)
	{
		return static_cast<TModuleInterface*>(FModuleManager::Get().LoadModule(InModuleName));
	}

	/**
	 * Called by IMPLEMENT_MODULE's registrant during static initialisation. Host departure: takes
	 * the name as text and a plain factory function (the engine takes an FLazyName and an
	 * FInitializeStaticallyLinkedModule delegate), so that nothing but the registry itself has to
	 * exist yet.
	 */
	static void RegisterStaticallyLinkedModule(const TCHAR* InModuleName, IModuleInterface* (*InInitializer)());

	/**
	 * Host only: loads every registered module, in registration order, as the engine loads the
	 * enabled plug-ins' modules at start-up. Idempotent. Called by world creation; programs that
	 * create no world may call it themselves.
	 */
	static void LoadModulesForHostStartup();

	FModuleManager(const FModuleManager&) = delete;
	FModuleManager& operator=(const FModuleManager&) = delete;

private:
	FModuleManager() = default;
	~FModuleManager() = default;

	struct FState;
	static FState& GetState();
};

/** The registrant IMPLEMENT_MODULE defines: registers the module's factory at static initialisation. */
template <class ModuleClass>
class FStaticallyLinkedModuleRegistrant
{
public:
	explicit FStaticallyLinkedModuleRegistrant(const TCHAR* InModuleName)
	{
		FModuleManager::RegisterStaticallyLinkedModule(InModuleName, &InitializeModule);
	}

	static IModuleInterface* InitializeModule() { return new ModuleClass(); }
};

/** A module with nothing to start or stop. */
class FDefaultModuleImpl : public IModuleInterface
{
};

class FDefaultGameModuleImpl : public FDefaultModuleImpl
{
public:
	virtual bool IsGameModule() const override { return true; }
};

/**
 * Implements a module. The extern "C" symbol lets a static link pull the module's object file in
 * (reference IMPLEMENT_MODULE_<Name>), as the engine's monolithic builds do.
 */
#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName) \
	static FStaticallyLinkedModuleRegistrant<ModuleImplClass> ModuleRegistrant##ModuleName(TEXT(#ModuleName)); \
	extern "C" void IMPLEMENT_MODULE_##ModuleName() {}

#define IMPLEMENT_GAME_MODULE(ModuleImplClass, ModuleName) IMPLEMENT_MODULE(ModuleImplClass, ModuleName)
#define IMPLEMENT_PRIMARY_GAME_MODULE(ModuleImplClass, ModuleName, GameName) IMPLEMENT_MODULE(ModuleImplClass, ModuleName)
