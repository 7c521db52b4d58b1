#include "PresetFile.h"
#include "CoreMinimal.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/JsonAssets.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{
	/** Ticks a value's override box and enters the value, as in the dynamic preset's Details panel. */
	void SetLookValue(ULM_DynamicPreset* Dynamic, const FString& Look, const FString& Record, const FString& Field, double Value)
	{
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".bOverride_") + Field, true);
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".") + Field, Value);
	}

	struct FLookValues
	{
		const TCHAR* Look;
		double MinEV100;
		double MaxEV100;
		double Temperature;
		double FogDensity;
		double SkyLightIntensity;
	};
}

ULM_Preset* MakeBuiltInPreset()
{
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>(GetTransientPackage(), TEXT("BuiltInLooks"));
	const FLookValues Looks[] = {
		{TEXT("Day"), 10.0, 14.0, 6500.0, 0.02, 1.0},
		{TEXT("DawnDusk"), 5.0, 9.0, 4500.0, 0.08, 0.6},
		{TEXT("Night"), -3.0, 1.0, 9500.0, 0.15, 0.15},
	};
	for (const FLookValues& Values : Looks)
	{
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MinEV100"), Values.MinEV100);
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MaxEV100"), Values.MaxEV100);
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("Temperature"), Values.Temperature);
		SetLookValue(Dynamic, Values.Look, TEXT("FogSettings"), TEXT("Density"), Values.FogDensity);
		SetLookValue(Dynamic, Values.Look, TEXT("SkyLightSetting"), TEXT("IntensityScale"), Values.SkyLightIntensity);
	}

	ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage(), TEXT("BuiltInPreset"));
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), Dynamic);
	HostEditor::SetPropertyByPath(Preset, TEXT("MoonLightSettings.Intensity"), 1.0);
	return Preset;
}

void SetDayLightFraction(ULM_Preset* Preset, float DayLightFraction)
{
	HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.bOverride_DayLightFraction"), true);
	HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.DayLightFraction"), static_cast<double>(DayLightFraction));
}

ULM_Preset* LoadPresetFile(const std::string& Path, std::string& OutError)
{
	std::ifstream File(Path, std::ios::binary);
	if (!File)
	{
		OutError = std::strerror(errno);
		return nullptr;
	}
	std::ostringstream Text;
	Text << File.rdbuf();
	ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage(), TEXT("LoadedPreset"));
	FString Error;
	if (!HostJson::ReadObject(Preset, FString(UTF8_TO_TCHAR(Text.str().c_str())), Error))
	{
		OutError = TCHAR_TO_UTF8(*Error);
		return nullptr;
	}
	return Preset;
}

bool SavePresetFile(const ULM_Preset* Preset, const std::string& Path, std::string& OutError)
{
	std::ofstream File(Path, std::ios::binary | std::ios::trunc);
	if (!File)
	{
		OutError = std::strerror(errno);
		return false;
	}
	File << TCHAR_TO_UTF8(*HostJson::WriteObject(Preset));
	File.close();
	if (!File)
	{
		OutError = "the file could not be written completely";
		return false;
	}
	return true;
}
