// Any bytes given as a preset file either load, and then save and load back the same, or are refused
// with a message saying where; never a crash, a leak or undefined behaviour (the sanitizers watch).
#include "CoreMinimal.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "HostSupport/JsonAssets.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectGlobals.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

namespace
{
	std::unordered_set<UObject*> LiveObjects()
	{
		std::unordered_set<UObject*> Live;
		for (int32 Index = 0; Index < GUObjectArray.GetObjectArrayNum(); ++Index)
		{
			if (UObject* Object = (UObject*)GUObjectArray.IndexToObject(Index)->Object)
			{
				Live.insert(Object);
			}
		}
		return Live;
	}

	/** Collects what one input made, so a long run holds as many objects as a short one. */
	void CollectObjectsSince(const std::unordered_set<UObject*>& Before)
	{
		for (UObject* Object : LiveObjects())
		{
			if (!Before.count(Object) && !Object->IsRooted())
			{
				Object->MarkAsGarbage();
			}
		}
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	}

	[[noreturn]] void Fail(const char* What, const FString& Detail)
	{
		std::fprintf(stderr, "%s: %s\n", What, TCHAR_TO_UTF8(*Detail));
		std::abort();
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	static const bool bStarted = []
	{
		FModuleManager::LoadModulesForHostStartup();
		// Classes and their default objects are made once, not counted against the first input.
		NewObject<ULM_Preset>(GetTransientPackage())->MarkAsGarbage();
		NewObject<ULM_DynamicPreset>(GetTransientPackage())->MarkAsGarbage();
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		return true;
	}();
	(void)bStarted;

	const std::unordered_set<UObject*> Before = LiveObjects();
	const FString Text = FString(UTF8_TO_TCHAR(std::string(reinterpret_cast<const char*>(Data), Size).c_str()));
	ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage());
	FString Error;
	if (HostJson::ReadObject(Preset, Text, Error))
	{
		// What was loaded is what a save writes, and a save always loads back.
		const FString Saved = HostJson::WriteObject(Preset);
		ULM_Preset* Reloaded = NewObject<ULM_Preset>(GetTransientPackage());
		FString ReloadError;
		if (!HostJson::ReadObject(Reloaded, Saved, ReloadError))
		{
			Fail("a saved preset does not load back", ReloadError + TEXT("\n") + Saved);
		}
		if (HostJson::WriteObject(Reloaded) != Saved)
		{
			Fail("a saved preset changes on reloading", Saved);
		}
	}
	else if (Error.IsEmpty())
	{
		Fail("a refusal without a reason", Text);
	}
	CollectObjectsSince(Before);
	return 0;
}
