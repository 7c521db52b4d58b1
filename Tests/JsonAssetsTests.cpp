// Preset files: what a program saves is what it loads back, loading runs PostLoad, and a bad file says where it is bad.
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/JsonAssets.h"
#include <gtest/gtest.h>
#include <string>

using namespace DirectorTesting;

namespace
{
	/** A preset with values off their defaults in plain fields, colours, one-bit toggles, arrays and its dynamic preset. */
	ULM_Preset* MakeEditedPreset()
	{
		ULM_Preset* Preset = MakePreset();
		Preset->SunLightSettings.Intensity = 8.5f;
		Preset->SunLightSettings.LightColor = FLinearColor(1.f, 0.75f, 0.5f, 1.f);
		Preset->MoonLightSettings.AtmosphereSunLight = false;
		Preset->WorldSettings.bOverride_DayLightFraction = true;
		Preset->WorldSettings.DayLightFraction = 0.4f;
		Preset->ExponentialHeightFogSettings.HeightOffset = 50000.f;
		ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
		Dynamic->Day.FogSettings.bOverride_Density = true;
		Dynamic->Day.FogSettings.Density = 0.02f;
		Dynamic->Night.PostProcessSettings.MinEV100 = -3.f;
		FLM_ScalarMaterialParamaterEntry Entry;
		Entry.Name = TEXT("Vignette");
		Entry.Value = 0.9f;
		Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries.Add(Entry);
		Dynamic->PostProcessSettings.bOverride_BloomIntensity = true;
		Dynamic->PostProcessSettings.BloomIntensity = 2.f;
		return Preset;
	}

	bool Read(UObject* Object, const TCHAR* Json, FString& Error) { return HostJson::ReadObject(Object, FString(Json), Error); }
}

// Every value written comes back, the dynamic preset inline, without editor limits; the loaded preset forwards its dynamic preset's edits.
TEST(JsonAssets, SavedPresetLoadsBackWhole)
{
	const FString Json = HostJson::WriteObject(MakeEditedPreset());
	ULM_Preset* Loaded = NewObject<ULM_Preset>();
	FString Error;
	ASSERT_TRUE(HostJson::ReadObject(Loaded, Json, Error)) << TCHAR_TO_UTF8(*Error);

	EXPECT_FLOAT_EQ(Loaded->SunLightSettings.Intensity, 8.5f);
	EXPECT_EQ(Loaded->SunLightSettings.LightColor, FLinearColor(1.f, 0.75f, 0.5f, 1.f));
	EXPECT_FALSE(Loaded->MoonLightSettings.AtmosphereSunLight);
	EXPECT_TRUE(Loaded->WorldSettings.bOverride_DayLightFraction);
	EXPECT_FLOAT_EQ(Loaded->WorldSettings.DayLightFraction, 0.4f);
	EXPECT_FLOAT_EQ(Loaded->ExponentialHeightFogSettings.HeightOffset, 50000.f) << "loading does not apply editor limits";
	ASSERT_NE(Loaded->DynamicOverrides, nullptr);
	const ULM_DynamicPreset* Dynamic = Loaded->DynamicOverrides;
	EXPECT_TRUE(Dynamic->Day.FogSettings.bOverride_Density);
	EXPECT_FALSE(Dynamic->Night.FogSettings.bOverride_Density);
	EXPECT_FLOAT_EQ(Dynamic->Day.FogSettings.Density, 0.02f);
	EXPECT_FLOAT_EQ(Dynamic->Night.PostProcessSettings.MinEV100, -3.f);
	ASSERT_EQ(Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries.Num(), 1);
	EXPECT_EQ(Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Name, FName(TEXT("Vignette")));
	EXPECT_TRUE(Dynamic->PostProcessSettings.bOverride_BloomIntensity);
	EXPECT_FLOAT_EQ(Dynamic->PostProcessSettings.BloomIntensity, 2.f);
	EXPECT_EQ(HostJson::WriteObject(Loaded), Json) << "a second save writes the same file";

	int32 Heard = 0;
	Loaded->OnUpdated.AddLambda([&Heard]() { ++Heard; });
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Loaded->DynamicOverrides, TEXT("Day.FogSettings.Density"), 0.05).IsApplied());
	EXPECT_EQ(Heard, 1) << "PostLoad bound the dynamic preset";
}

// A file names only what it changes; everything else keeps its default.
TEST(JsonAssets, PartialFileKeepsDefaults)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FString Error;
	ASSERT_TRUE(Read(Preset, TEXT("{ \"SunLightSettings\": { \"Intensity\": 3 }, \"SkySettings\": { \"SkySphereScale\": \"(X=2,Y=2,Z=2)\" } }"), Error)) << TCHAR_TO_UTF8(*Error);
	EXPECT_FLOAT_EQ(Preset->SunLightSettings.Intensity, 3.f);
	EXPECT_EQ(Preset->SkySettings.SkySphereScale, FVector(2.0, 2.0, 2.0)) << "structs also in the engine's text form";
	EXPECT_FLOAT_EQ(Preset->MoonLightSettings.Intensity, FLM_DirectionalLightSettings().Intensity);
	EXPECT_EQ(Preset->DynamicOverrides, nullptr);
}

struct FBadFileRow
{
	const char* Json;
	const char* ExpectedError;
};

void PrintTo(const FBadFileRow& Row, std::ostream* Out) { *Out << Row.Json; }

class JsonAssetsBadFile : public ::testing::TestWithParam<FBadFileRow>
{
};

// A bad file is refused with the place and what was expected there.
TEST_P(JsonAssetsBadFile, RefusedWithThePlace)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FString Error;
	EXPECT_FALSE(Read(Preset, UTF8_TO_TCHAR(GetParam().Json), Error));
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Error)), std::string(GetParam().ExpectedError));
}

INSTANTIATE_TEST_SUITE_P(Table, JsonAssetsBadFile, ::testing::Values(
	FBadFileRow{"{\n  \"SunLightSettings\": { \"Intensity\": 3,, }\n}", "line 2, column 40: expected a member name in double quotes"},
	FBadFileRow{"[1, 2]", "the document: expected an object, got an array"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Intensity\": \"bright\" } }", "SunLightSettings.Intensity: expected a number, got a string"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Brightness\": 1 } }", "SunLightSettings.Brightness: no such saved property"},
	FBadFileRow{"{ \"BoundDynamicPreset\": null }", "BoundDynamicPreset: no such saved property"},
	FBadFileRow{"{ \"MoonLightSettings\": { \"AtmosphereSunLight\": 1 } }", "MoonLightSettings.AtmosphereSunLight: expected true or false, got a number"},
	FBadFileRow{"{ \"SkySettings\": { \"SkyMaterial\": \"/Game/M_Sky\" } }", "SkySettings.SkyMaterial: expected null or the object's properties, got a string"},
	FBadFileRow{"{ \"DynamicOverrides\": { \"Day\": { \"FogSettings\": { \"Density\": [] } } } }", "DynamicOverrides.Day.FogSettings.Density: expected a number, got an array"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Intensity\": 1e39 } }", "SunLightSettings.Intensity: expected a number within the property's range, got '1e39'"},
	FBadFileRow{"{ \"SkySettings\": { \"SkySphereScale\": \"(X=1,Y=-1e999,Z=1)\" } }",
		"SkySettings.SkySphereScale.Y: expected a number within the property's range in '(X=1,Y=-1e999,Z=1)'"}));
