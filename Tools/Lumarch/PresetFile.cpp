#include "PresetFile.h"
#include "CoreMinimal.h"
#include "Curves/CurveFloat.h"
#include "Data/LM_DynamicPreset.h"
#include "Data/LM_Preset.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/JsonAssets.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialParameterCollection.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "OutputFile.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
	/** Ticks a value's override box and enters the value, as in the dynamic preset's Details panel. */
	template <class T>
	void SetLookValue(ULM_DynamicPreset* Dynamic, const FString& Look, const FString& Record, const FString& Field, const T& Value)
	{
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".bOverride_") + Field, true);
		HostEditor::SetPropertyByPath(Dynamic, Look + TEXT(".") + Record + TEXT(".") + Field, Value);
	}

	/**
	 * Enters a look's value for a parameter of the post-process material, in the entry its toggle made.
	 * Entries are listed as the toggles are (by name), so the row is found by its name as an artist would.
	 */
	template <class T>
	void SetLookParameter(ULM_DynamicPreset* Dynamic, const FString& Look, const TCHAR* Kind, const TCHAR* Parameter, const T& Value)
	{
		const FString Entries = FString::Printf(TEXT("%s.PostProcessMaterialSettings.ParameterEntries.%sParameterEntries"), *Look, Kind);
		FString Name;
		for (int32 Index = 0; HostEditor::GetPropertyTextByPath(Dynamic, FString::Printf(TEXT("%s[%d].Name"), *Entries, Index), Name); ++Index)
		{
			if (Name == Parameter)
			{
				HostEditor::SetPropertyByPath(Dynamic, FString::Printf(TEXT("%s[%d].Value"), *Entries, Index), Value);
				return;
			}
		}
	}

	/** Switches on every parameter of the post-process material, so that each look carries its own value. */
	void UseEveryParameter(ULM_DynamicPreset* Dynamic, const TCHAR* Kind)
	{
		const FString Toggles = FString::Printf(TEXT("PostProcessMaterialSettings.MaterialParameterToggles.%sParameterToggles"), Kind);
		FString Name;
		for (int32 Index = 0; HostEditor::GetPropertyTextByPath(Dynamic, FString::Printf(TEXT("%s[%d].Name"), *Toggles, Index), Name); ++Index)
		{
			HostEditor::SetPropertyByPath(Dynamic, FString::Printf(TEXT("%s[%d].InUse"), *Toggles, Index), true);
		}
	}

	/** The grade after tone mapping: a vignette, film grain and a colour tint, each set per look. */
	UMaterial* MakeLookGradeMaterial()
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_LookGrade"));
		AddScalarParameter(Material, TEXT("Vignette"), 0.3f);
		AddScalarParameter(Material, TEXT("Grain"), 0.0f);
		AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.0f, 1.0f, 1.0f, 1.0f));
		return Material;
	}

	/** The sky sphere's material, which draws the sun, moon and stars where the collection puts them. */
	UMaterial* MakeSkyMaterial()
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_SkySphere"));
		AddScalarParameter(Material, TEXT("StarBrightness"), 1.0f);
		AddScalarParameter(Material, TEXT("MoonScale"), 1.0f);
		AddVectorParameter(Material, TEXT("HorizonTint"), FLinearColor(1.0f, 1.0f, 1.0f, 1.0f));
		return Material;
	}

	/** The collection the sky sphere writes the bodies' positions to every frame, with every name it writes. */
	UMaterialParameterCollection* MakeCelestialCollection()
	{
		const TCHAR* const Scalars[] = {TEXT("MoonAlpha"), TEXT("SunAlpha"), TEXT("SunPitch"), TEXT("CelestialElevationPhase")};
		const TCHAR* const Vectors[] = {TEXT("SunLightDirection"), TEXT("MoonLightDirection"), TEXT("MoonLightColor"), TEXT("SunAngles"), TEXT("MoonAngles"), TEXT("MoonXAxis")};
		UMaterialParameterCollection* Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Celestial"));
		// The ids a saved asset keeps: a fresh one on every run would make every dump of the preset differ.
		uint32 Id = 0;
		for (const TCHAR* Name : Scalars)
		{
			HostEditor::AddArrayElement(Collection, TEXT("ScalarParameters"));
			const int32 Index = Collection->ScalarParameters.Num() - 1;
			HostEditor::SetPropertyByPath(Collection, FString::Printf(TEXT("ScalarParameters[%d].ParameterName"), Index), FName(Name));
			Collection->ScalarParameters[Index].Id = FGuid(0x4D50435F, 0x43656C65, 0x73746961, ++Id);
		}
		for (const TCHAR* Name : Vectors)
		{
			HostEditor::AddArrayElement(Collection, TEXT("VectorParameters"));
			const int32 Index = Collection->VectorParameters.Num() - 1;
			HostEditor::SetPropertyByPath(Collection, FString::Printf(TEXT("VectorParameters[%d].ParameterName"), Index), FName(Name));
			Collection->VectorParameters[Index].Id = FGuid(0x4D50435F, 0x43656C65, 0x73746961, ++Id);
		}
		return Collection;
	}

	/**
	 * The blend of the looks as the celestial component makes it without a curve: output equals input,
	 * continued straight past both ends. A starting point for an artist to bend, changing nothing as it is.
	 */
	UCurveFloat* MakeLinearBlendCurve()
	{
		UCurveFloat* Curve = NewObject<UCurveFloat>(GetTransientPackage(), TEXT("C_LinearBlend"));
		Curve->FloatCurve.AddKey(0.0f, 0.0f);
		Curve->FloatCurve.AddKey(1.0f, 1.0f);
		Curve->FloatCurve.PreInfinityExtrap = RCCE_Linear;
		Curve->FloatCurve.PostInfinityExtrap = RCCE_Linear;
		return Curve;
	}

	/**
	 * The night's blend: the dawn and dusk look fades out as the sun sinks to 18 degrees below the
	 * horizon (0.45 of its 40-degree depth), where astronomical twilight ends, and the night look holds
	 * below it, so the moonlit hours are exposed as night rather than as a dark dawn.
	 */
	UCurveFloat* MakeAstronomicalNightCurve()
	{
		UCurveFloat* Curve = NewObject<UCurveFloat>(GetTransientPackage(), TEXT("C_AstronomicalNight"));
		Curve->FloatCurve.AddKey(0.0f, 0.0f);
		Curve->FloatCurve.AddKey(18.0f / 40.0f, 1.0f);
		Curve->FloatCurve.PreInfinityExtrap = RCCE_Linear;
		Curve->FloatCurve.PostInfinityExtrap = RCCE_Constant;
		return Curve;
	}

	/** What distinguishes one look from the others; everything else is the same physical atmosphere. */
	struct FLookValues
	{
		const TCHAR* Look;
		/** Exposure range (EV100) the camera adapts within, and the white balance (K; above 6500 warms). */
		double MinEV100;
		double MaxEV100;
		double WhiteTemperature;
		double FogDensity;
		FLinearColor FogInscattering;
		FLinearColor SkyLightColor;
		/** The grade's darkened corners, grain and tint: clean by day, warmer at dawn and dusk, cooler and grainier at night. */
		double Vignette;
		double Grain;
		FLinearColor Tint;
	};
}

ULM_Preset* MakeBuiltInPreset()
{
	// A physically plausible day: a sun of 100,000 lux climbing to 60 degrees and a full moon of 0.3
	// lux in an Earth-like atmosphere, twelve hours of daylight; the exposure ranges follow the light
	// (about EV100 15 at noon), the moonlit night is kept dark but visible; dawn and dusk are warmed
	// by white balance and the fog's colour, the night is cooled.
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>(GetTransientPackage(), TEXT("BuiltInLooks"));
	const FLookValues Looks[] = {
		{TEXT("Day"), 12.0, 16.0, 6500.0, 0.02, FLinearColor(0.02f, 0.025f, 0.035f), FLinearColor(1.0f, 1.0f, 1.0f), 0.2, 0.0, FLinearColor(1.0f, 1.0f, 1.0f)},
		{TEXT("DawnDusk"), 6.0, 13.0, 7600.0, 0.035, FLinearColor(0.03f, 0.018f, 0.01f), FLinearColor(1.0f, 0.9f, 0.8f), 0.35, 0.02, FLinearColor(1.0f, 0.93f, 0.85f)},
		{TEXT("Night"), -1.5, 1.0, 4800.0, 0.02, FLinearColor(0.0005f, 0.0007f, 0.0012f), FLinearColor(0.85f, 0.9f, 1.0f), 0.5, 0.08, FLinearColor(0.86f, 0.92f, 1.0f)},
	};
	// The grade's material first: choosing it lists its parameters, and the toggles ticked give each look an entry.
	HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), MakeLookGradeMaterial());
	UseEveryParameter(Dynamic, TEXT("Scalar"));
	UseEveryParameter(Dynamic, TEXT("Vector"));
	for (const FLookValues& Values : Looks)
	{
		SetLookParameter(Dynamic, Values.Look, TEXT("Scalar"), TEXT("Vignette"), Values.Vignette);
		SetLookParameter(Dynamic, Values.Look, TEXT("Scalar"), TEXT("Grain"), Values.Grain);
		SetLookParameter(Dynamic, Values.Look, TEXT("Vector"), TEXT("Tint"), Values.Tint);
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MinEV100"), Values.MinEV100);
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("MaxEV100"), Values.MaxEV100);
		SetLookValue(Dynamic, Values.Look, TEXT("PostProcessSettings"), TEXT("Temperature"), Values.WhiteTemperature);
		// Earth's atmosphere in every look (the component's defaults, a grey ground): the sky's colours
		// come from the sun's height alone, and the atmosphere's tables need no rebuilding as the day turns.
		SetLookValue(Dynamic, Values.Look, TEXT("SkyAtmosphereSettings"), TEXT("MieScatteringScale"), 0.003996);
		SetLookValue(Dynamic, Values.Look, TEXT("SkyAtmosphereSettings"), TEXT("GroundAlbedo"), FLinearColor(0.4f, 0.4f, 0.4f));
		SetLookValue(Dynamic, Values.Look, TEXT("FogSettings"), TEXT("Density"), Values.FogDensity);
		SetLookValue(Dynamic, Values.Look, TEXT("FogSettings"), TEXT("FogInscatteringColor"), Values.FogInscattering);
		SetLookValue(Dynamic, Values.Look, TEXT("SkyLightSetting"), TEXT("LightColor"), Values.SkyLightColor);
	}

	ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage(), TEXT("BuiltInPreset"));
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), Dynamic);
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("SkySettings.SkyMaterial"), MakeSkyMaterial());
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("SkySettings.MaterialParameterCollection"), MakeCelestialCollection());
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("CelestialRotationSettings.DayTimeCycleBlendCurve"), MakeLinearBlendCurve());
	HostEditor::SetObjectPropertyByPath(Preset, TEXT("CelestialRotationSettings.NightTimeCycleBlendCurve"), MakeAstronomicalNightCurve());
	HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.Intensity"), 100000.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.LightSourceAngle"), 0.5357);
	HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.Temperature"), 6000.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("MoonLightSettings.Intensity"), 0.3);
	HostEditor::SetPropertyByPath(Preset, TEXT("MoonLightSettings.LightSourceAngle"), 0.52);
	HostEditor::SetPropertyByPath(Preset, TEXT("MoonLightSettings.Temperature"), 5500.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("SkyAtmosphereSettings.MultiScatteringFactor"), 1.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.SunNoonAltitudeDeg"), 60.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.SunDepthDeg"), 40.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.MoonNoonAltitudeDeg"), 45.0);
	// The sunlight stays on, fading, until the sun is 16 degrees down: twilight is lit by the sun below the horizon.
	HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.SunLightFadeRange.FadeStartDeg"), -16.0);
	HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.SunLightFadeRange.FadeEndDeg"), 0.0);
	SetDayLightFraction(Preset, 0.5f);
	return Preset;
}

void SetDayLightFraction(ULM_Preset* Preset, float DayLightFraction)
{
	HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.bOverride_DayLightFraction"), true);
	HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.DayLightFraction"), static_cast<double>(DayLightFraction));
}

ULM_Preset* LoadPresetFile(const std::string& Path, std::string& OutError)
{
	if (Path.empty())
	{
		OutError = "the file name is empty";
		return nullptr;
	}
	// Non-blocking, so that opening a pipe with no writer returns at once and fstat can refuse it.
	const int Fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
	if (Fd < 0)
	{
		OutError = std::strerror(errno);
		return nullptr;
	}
	struct FCloser
	{
		int Fd;
		~FCloser() { close(Fd); }
	} Closer{Fd};
	struct stat Info;
	if (fstat(Fd, &Info) != 0)
	{
		OutError = std::strerror(errno);
		return nullptr;
	}
	if (S_ISDIR(Info.st_mode))
	{
		OutError = "it is a directory, not a preset file";
		return nullptr;
	}
	if (!S_ISREG(Info.st_mode))
	{
		OutError = "not a regular file (a device, pipe or socket); presets are read from files";
		return nullptr;
	}
	const std::string Limit = "larger than " + std::to_string(MaxPresetFileBytes / (1024 * 1024)) + " MiB, far more than any preset";
	if (Info.st_size > MaxPresetFileBytes)
	{
		OutError = Limit;
		return nullptr;
	}
	std::string Text;
	Text.resize(static_cast<size_t>(MaxPresetFileBytes) + 1);
	size_t Size = 0;
	while (Size < Text.size())
	{
		const ssize_t Count = read(Fd, Text.data() + Size, Text.size() - Size);
		if (Count < 0 && errno == EINTR)
		{
			continue;
		}
		if (Count < 0)
		{
			OutError = std::strerror(errno);
			return nullptr;
		}
		if (Count == 0)
		{
			break;
		}
		Size += static_cast<size_t>(Count);
	}
	if (Size > static_cast<size_t>(MaxPresetFileBytes))
	{
		OutError = Limit;
		return nullptr;
	}
	Text.resize(Size);
	if (Text.empty())
	{
		OutError = "the file is empty";
		return nullptr;
	}
	// Engine text is UTF-16: bytes that are not UTF-8 would silently become '?' on the way.
	const FString Converted(Text);
	const std::string Back = Converted.ToStdString();
	if (Back != Text)
	{
		size_t Bad = 0;
		while (Bad < Text.size() && Bad < Back.size() && Text[Bad] == Back[Bad])
		{
			++Bad;
		}
		OutError = "the file is not UTF-8 text (a bad byte after " + std::to_string(Bad) + " bytes)";
		return nullptr;
	}
	ULM_Preset* Preset = NewObject<ULM_Preset>(GetTransientPackage(), TEXT("LoadedPreset"));
	FString Error;
	if (!HostJson::ReadObject(Preset, Converted, Error))
	{
		OutError = TCHAR_TO_UTF8(*Error);
		return nullptr;
	}
	return Preset;
}

std::string PresetText(const ULM_Preset* Preset)
{
	return HostJson::WriteObject(Preset).ToStdString();
}

bool SavePresetFile(const ULM_Preset* Preset, const std::string& Path, std::string& OutError)
{
	return WriteFileAtomically(Path, PresetText(Preset), OutError);
}

bool ApplyPresetSetting(ULM_Preset* Preset, const std::string& Setting, std::string& OutMessage)
{
	const size_t Equals = Setting.find('=');
	if (Equals == std::string::npos || Equals == 0)
	{
		OutMessage = "expected Path=Value, as in WorldSettings.DayLightFraction=0.4";
		return false;
	}
	FString Path(Setting.substr(0, Equals));
	const FString Value(Setting.substr(Equals + 1));
	UObject* Target = Preset;
	const FString DynamicPrefix = TEXT("DynamicOverrides.");
	if (Path.StartsWith(*DynamicPrefix, ESearchCase::CaseSensitive))
	{
		if (Preset->DynamicOverrides == nullptr)
		{
			OutMessage = "the preset has no dynamic preset (DynamicOverrides is null)";
			return false;
		}
		Target = Preset->DynamicOverrides;
		Path = Path.RightChop(DynamicPrefix.Len());
	}
	const HostEditor::FEditResult Result = HostEditor::SetPropertyByPath(Target, Path, Value);
	OutMessage = TCHAR_TO_UTF8(*Result.Message);
	return Result.IsApplied();
}
