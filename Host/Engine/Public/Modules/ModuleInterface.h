// The interface every module implements (IMPLEMENT_MODULE in Modules/ModuleManager.h).
#pragma once

#include "CoreTypes.h"

class IModuleInterface
{
public:
	virtual ~IModuleInterface() = default;

	/** Called once, when the module is loaded (before any world exists in the host). */
	virtual void StartupModule() {}

	/** Called before the module is unloaded (in the host: UnloadModule or UnloadModulesAtShutdown). */
	virtual void PreUnloadCallback() {}
	virtual void PostLoadCallback() {}

	/** Called when the module is unloaded; the module should release what StartupModule acquired. */
	virtual void ShutdownModule() {}

	virtual bool SupportsDynamicReloading() { return true; }
	virtual bool SupportsAutomaticShutdown() { return true; }
	virtual bool IsGameModule() const { return false; }
};
