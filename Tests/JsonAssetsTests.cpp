// Preset files: what a program saves is what it loads back, loading runs PostLoad, and a bad file says where it is bad.
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/JsonAssets.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Curves/CurveFloat.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialParameterCollection.h"
#include <gtest/gtest.h>
#include <limits>
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

	/** A curve with every kind of key state off its default: cubic and constant keys, user tangents, weights, extrapolation. */
	UCurveFloat* MakeCurve(const TCHAR* Name)
	{
		UCurveFloat* Curve = NewObject<UCurveFloat>(GetTransientPackage(), Name);
		Curve->FloatCurve.Keys.Add(FRichCurveKey(0.f, 0.f, 0.f, 0.5f, RCIM_Cubic));
		FRichCurveKey Middle(0.25f, 0.8f, 1.5f, -0.75f, RCIM_Constant);
		Middle.TangentMode = RCTM_Break;
		Middle.TangentWeightMode = RCTWM_WeightedBoth;
		Middle.ArriveTangentWeight = 0.3f;
		Middle.LeaveTangentWeight = 0.6f;
		Curve->FloatCurve.Keys.Add(Middle);
		Curve->FloatCurve.Keys.Add(FRichCurveKey(1.f, 1.f));
		Curve->FloatCurve.DefaultValue = 0.5f;
		Curve->FloatCurve.PreInfinityExtrap = RCCE_Linear;
		Curve->FloatCurve.PostInfinityExtrap = RCCE_Oscillate;
		Curve->bIsEventCurve = true;
		return Curve;
	}

	/**
	 * A preset referring to each kind of asset, some twice: a material (the sky's, and the parent of the
	 * post-process instance), a collection (the sky's and the tracking's) and a curve (both blend curves).
	 */
	ULM_Preset* MakePresetWithAssets()
	{
		ULM_Preset* Preset = MakePreset();
		UMaterial* Sky = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_TestSky"));
		AddScalarParameter(Sky, TEXT("Stars"), 0.75f);
		AddVectorParameter(Sky, TEXT("Horizon"), FLinearColor(0.2f, 0.4f, 0.8f, 1.f));
		AddScalarParameter(Sky, TEXT("Haze"), -2.5f);
		Preset->SkySettings.SkyMaterial = Sky;

		UMaterialParameterCollection* Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Test"));
		FCollectionScalarParameter Scalar;
		Scalar.ParameterName = TEXT("SunAlpha");
		Scalar.DefaultValue = 0.25f;
		Collection->ScalarParameters.Add(Scalar);
		FCollectionVectorParameter Vector;
		Vector.ParameterName = TEXT("SunLightDirection");
		Vector.DefaultValue = FLinearColor(0.f, 0.6f, 0.8f, 0.f);
		Collection->VectorParameters.Add(Vector);
		Preset->SkySettings.MaterialParameterCollection = Collection;

		UCurveFloat* Curve = MakeCurve(TEXT("C_TestBlend"));
		Preset->CelestialRotationSettings.DayTimeCycleBlendCurve = Curve;
		Preset->CelestialRotationSettings.NightTimeCycleBlendCurve = Curve;

		UMaterialInstanceDynamic* Grade = UMaterialInstanceDynamic::Create(Sky, GetTransientPackage(), TEXT("MI_TestGrade"));
		Grade->SetScalarParameterValue(TEXT("Stars"), 0.1f);
		ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
		Dynamic->PostProcessMaterialSettings.PostProcessMaterial = Grade;
		Dynamic->PostProcessSettingsDepthOfFieldSettings.TrackingTargetMPC = Collection;
		return Preset;
	}

	ULM_Preset* LoadBack(const FString& Json)
	{
		ULM_Preset* Loaded = NewObject<ULM_Preset>();
		FString Error;
		EXPECT_TRUE(HostJson::ReadObject(Loaded, Json, Error)) << TCHAR_TO_UTF8(*Error);
		return Loaded;
	}
}

// Each kind of asset a preset refers to comes back with its values: a material's parameters, an instance's parent and overrides, a collection's parameters and a curve's keys.
TEST(JsonAssets, ReferencedAssetsLoadBackWithTheirValues)
{
	const FString Json = HostJson::WriteObject(MakePresetWithAssets());
	const ULM_Preset* Loaded = LoadBack(Json);

	const UMaterial* Sky = Cast<UMaterial>(Loaded->SkySettings.SkyMaterial);
	ASSERT_NE(Sky, nullptr) << "the class named in the file is made, not the property's abstract one";
	EXPECT_EQ(Sky->GetName(), TEXT("M_TestSky"));
	TArray<FMaterialParameterInfo> Infos;
	TArray<FGuid> Ids;
	Sky->GetAllScalarParameterInfo(Infos, Ids);
	ASSERT_EQ(Infos.Num(), 2);
	EXPECT_EQ(Infos[0].Name, FName(TEXT("Stars"))) << "parameters keep the material's order";
	EXPECT_EQ(Infos[1].Name, FName(TEXT("Haze")));
	float Scalar = 0.f;
	EXPECT_TRUE(Sky->GetScalarParameterValue(FName(TEXT("Haze")), Scalar));
	EXPECT_EQ(Scalar, -2.5f);
	FLinearColor Color;
	EXPECT_TRUE(Sky->GetVectorParameterValue(FName(TEXT("Horizon")), Color));
	EXPECT_EQ(Color, FLinearColor(0.2f, 0.4f, 0.8f, 1.f));

	const UMaterialInstanceDynamic* Grade = Cast<UMaterialInstanceDynamic>(Loaded->DynamicOverrides->PostProcessMaterialSettings.PostProcessMaterial);
	ASSERT_NE(Grade, nullptr);
	EXPECT_TRUE(Grade->GetScalarParameterValue(FName(TEXT("Stars")), Scalar));
	EXPECT_EQ(Scalar, 0.1f) << "the instance's override";
	EXPECT_TRUE(Grade->GetVectorParameterValue(FName(TEXT("Horizon")), Color));
	EXPECT_EQ(Color, FLinearColor(0.2f, 0.4f, 0.8f, 1.f)) << "the parent's default through the instance";

	const UMaterialParameterCollection* Collection = Loaded->SkySettings.MaterialParameterCollection;
	ASSERT_NE(Collection, nullptr);
	const UMaterialParameterCollection* Original = MakePresetWithAssets()->SkySettings.MaterialParameterCollection;
	ASSERT_EQ(Collection->ScalarParameters.Num(), 1);
	EXPECT_EQ(Collection->ScalarParameters[0].ParameterName, FName(TEXT("SunAlpha")));
	EXPECT_EQ(Collection->ScalarParameters[0].DefaultValue, 0.25f);
	EXPECT_NE(Collection->ScalarParameters[0].Id, Original->ScalarParameters[0].Id) << "two collections made apart have their own ids";
	ASSERT_EQ(Collection->VectorParameters.Num(), 1);
	EXPECT_EQ(Collection->VectorParameters[0].DefaultValue, FLinearColor(0.f, 0.6f, 0.8f, 0.f));

	const UCurveFloat* Curve = Loaded->CelestialRotationSettings.DayTimeCycleBlendCurve;
	ASSERT_NE(Curve, nullptr);
	EXPECT_TRUE(Curve->FloatCurve == MakeCurve(TEXT("C_Expected"))->FloatCurve) << "every key, tangent, weight, mode, extrapolation and the default value";
	EXPECT_TRUE(Curve->bIsEventCurve);
	EXPECT_FLOAT_EQ(Curve->GetFloatValue(0.5f), 0.8f) << "the constant key holds";

	EXPECT_EQ(HostJson::WriteObject(Loaded), Json) << "a second save writes the same file";
}

// An asset mentioned twice is written once and loads as one object, whether the mention comes before or after it.
TEST(JsonAssets, SecondReferenceLoadsAsTheSameObject)
{
	const std::string Json = HostJson::WriteObject(MakePresetWithAssets()).ToStdString();
	EXPECT_EQ(Json.find("\"$name\": \"M_TestSky\""), Json.rfind("\"$name\": \"M_TestSky\"")) << Json;
	EXPECT_NE(Json.find("\"$ref\": \"M_TestSky\""), std::string::npos) << Json;
	EXPECT_NE(Json.find("\"$ref\": \"C_TestBlend\""), std::string::npos) << Json;

	const ULM_Preset* Loaded = LoadBack(FString(Json));
	const UMaterialInstanceDynamic* Grade = Cast<UMaterialInstanceDynamic>(Loaded->DynamicOverrides->PostProcessMaterialSettings.PostProcessMaterial);
	ASSERT_NE(Grade, nullptr);
	EXPECT_EQ(Grade->Parent, Loaded->SkySettings.SkyMaterial);
	EXPECT_EQ(Loaded->DynamicOverrides->PostProcessSettingsDepthOfFieldSettings.TrackingTargetMPC, Loaded->SkySettings.MaterialParameterCollection);
	EXPECT_NE(Loaded->CelestialRotationSettings.DayTimeCycleBlendCurve, nullptr);
	EXPECT_EQ(Loaded->CelestialRotationSettings.DayTimeCycleBlendCurve, Loaded->CelestialRotationSettings.NightTimeCycleBlendCurve);

	// Written by hand: the reference first, the object after it, names in another case.
	ULM_Preset* Forward = NewObject<ULM_Preset>();
	FString Error;
	ASSERT_TRUE(Read(Forward, TEXT("{\"SkySettings\": {\"SkyMaterial\": {\"$ref\": \"m_sky\"}},"
		"\"DynamicOverrides\": {\"PostProcessMaterialSettings\": {\"PostProcessMaterial\": {\"$name\": \"M_Sky\", \"$class\": \"Material\"}}}}"), Error)) << Error.ToStdString();
	EXPECT_NE(Forward->SkySettings.SkyMaterial, nullptr);
	EXPECT_EQ(Forward->SkySettings.SkyMaterial, Forward->DynamicOverrides->PostProcessMaterialSettings.PostProcessMaterial);
}

// A curve or a material saved as a file of its own carries the state the host keeps outside reflection.
TEST(JsonAssets, AssetsAsTheirOwnFilesRoundTrip)
{
	UCurveFloat* Curve = NewObject<UCurveFloat>();
	FString Error;
	ASSERT_TRUE(HostJson::ReadObject(Curve, HostJson::WriteObject(MakeCurve(TEXT("C_Own"))), Error)) << Error.ToStdString();
	EXPECT_TRUE(Curve->FloatCurve == MakeCurve(TEXT("C_Expected"))->FloatCurve);

	UMaterial* Source = NewObject<UMaterial>();
	AddVectorParameter(Source, TEXT("Tint"), FLinearColor(1.f, 0.5f, 0.25f, 1.f));
	AddScalarParameter(Source, TEXT("Vignette"), 0.4f);
	UMaterial* Target = NewObject<UMaterial>();
	AddScalarParameter(Target, TEXT("Stale"), 1.f);
	ASSERT_TRUE(HostJson::ReadObject(Target, HostJson::WriteObject(Source), Error)) << Error.ToStdString();
	TArray<FMaterialParameterInfo> Infos;
	TArray<FGuid> Ids;
	Target->GetAllScalarParameterInfo(Infos, Ids);
	ASSERT_EQ(Infos.Num(), 1) << "the file's parameters replace the material's";
	EXPECT_EQ(Infos[0].Name, FName(TEXT("Vignette")));
	EXPECT_EQ(HostJson::WriteObject(Target), HostJson::WriteObject(Source));
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
	FBadFileRow{"{\n  \"SunLightSettings\": { \"Intensity\": 3,, }\n}", "line 2, column 40: syntax error while parsing object key - unexpected ','; expected string literal"},
	FBadFileRow{"[1, 2]", "the document: expected an object, got an array"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Intensity\": \"bright\" } }", "SunLightSettings.Intensity: expected a number, got a string"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Brightness\": 1 } }", "SunLightSettings.Brightness: no such property"},
	FBadFileRow{"{ \"SunLightSettings\": { \"Intensty\": 1 } }", "SunLightSettings.Intensty: no such property; did you mean 'Intensity'?"},
	FBadFileRow{"{ \"sunlightsetings\": {} }", "sunlightsetings: no such property; did you mean 'SunLightSettings'?"},
	FBadFileRow{"{ \"BoundDynamicPreset\": null }", "BoundDynamicPreset: a transient property, never saved in a file"},
	FBadFileRow{"{ \"MoonLightSettings\": { \"AtmosphereSunLight\": 1 } }", "MoonLightSettings.AtmosphereSunLight: expected true or false, got a number"},
	FBadFileRow{"{ \"SkySettings\": { \"SkyMaterial\": \"/Game/M_Sky\" } }", "SkySettings.SkyMaterial: expected null or the object's properties, got a string"},
	// Referenced assets: their class, name and references, and the state kept outside reflection.
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$name\":\"M\"}}}", "SkySettings.SkyMaterial: a MaterialInterface is abstract: name the object's class in \"$class\""},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$class\":\"MaterialParameterCollection\"}}}", "SkySettings.SkyMaterial.$class: no class 'MaterialParameterCollection' is a MaterialInterface"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$ref\":\"M_Missing\"}}}", "SkySettings.SkyMaterial.$ref: no object of this file is named 'M_Missing'"},
	FBadFileRow{"{\"SkySettings\":{\"MaterialParameterCollection\":{\"$name\":\"MPC\"},\"SkyMaterial\":{\"$ref\":\"MPC\"}}}", "SkySettings.SkyMaterial.$ref: 'MPC' is a MaterialParameterCollection, not a MaterialInterface"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$ref\":\"M\",\"Stars\":1}}}", "SkySettings.SkyMaterial.Stars: a reference holds \"$ref\" alone"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$ref\":3}}}", "SkySettings.SkyMaterial.$ref: expected the name of an object of this file, got a number"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$name\":\"M\",\"$class\":\"Material\"},\"MaterialParameterCollection\":{\"$name\":\"m\"}}}", "SkySettings.MaterialParameterCollection.$name: 'm' already names the object at SkySettings.SkyMaterial"},
	FBadFileRow{"{\"SkySettings\":{\"MaterialParameterCollection\":{\"$name\":\"a.b\"}}}", "SkySettings.MaterialParameterCollection.$name: 'a.b' is not an object name (empty, or holding one of \"' ,/.:|&!~@#(){}[]=;^%$` or a control character)"},
	FBadFileRow{"{\"SkySettings\":{\"MaterialParameterCollection\":{\"ScalarParameters\":[{\"DefaultValue\":\"high\"}]}}}", "SkySettings.MaterialParameterCollection.ScalarParameters[0].DefaultValue: expected a number, got a string"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$class\":\"Material\",\"ScalarParameters\":[{\"Name\":\"Stars\",\"DefaultValue\":\"x\"}]}}}", "SkySettings.SkyMaterial.ScalarParameters[0].DefaultValue: expected a number, got a string"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$class\":\"Material\",\"ScalarParameters\":[{\"Name\":\"A\"}]}}}", "SkySettings.SkyMaterial.ScalarParameters[0]: a parameter needs its Name and DefaultValue"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$class\":\"Material\",\"ScalarParameters\":[{\"Name\":\"A\",\"DefaultValue\":1}],\"VectorParameters\":[{\"Name\":\"a\",\"DefaultValue\":{\"R\":1}}]}}}", "SkySettings.SkyMaterial.VectorParameters[0].Name: the material already has a parameter named 'a'"},
	FBadFileRow{"{\"SkySettings\":{\"SkyMaterial\":{\"$class\":\"Material\",\"VectorParameters\":[{\"Name\":\"T\",\"DefaultValue\":{\"R\":1e39}}]}}}", "SkySettings.SkyMaterial.VectorParameters[0].DefaultValue.R: 1e+39 is out of range for a float (largest 3.4028235e+38)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"DayTimeCycleBlendCurve\":{\"FloatCurve\":{\"Keys\":[{\"Time\":1},{\"Time\":0.5}]}}}}", "CelestialRotationSettings.DayTimeCycleBlendCurve.FloatCurve.Keys[1].Time: 0.5 is before the previous key's time 1; keys are listed in time order"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"DayTimeCycleBlendCurve\":{\"FloatCurve\":{\"Keys\":[{\"InterpMode\":\"Cubic\"}]}}}}", "CelestialRotationSettings.DayTimeCycleBlendCurve.FloatCurve.Keys[0].InterpMode: expected the name of a value, got 'Cubic'"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"DayTimeCycleBlendCurve\":{\"FloatCurve\":{\"Default\":0}}}}", "CelestialRotationSettings.DayTimeCycleBlendCurve.FloatCurve.Default: no such member of a curve (DefaultValue, PreInfinityExtrap, PostInfinityExtrap, Keys)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"DayTimeCycleBlendCurve\":{\"FloatCurve\":{\"Keys\":{}}}}}", "CelestialRotationSettings.DayTimeCycleBlendCurve.FloatCurve.Keys: expected an array, got an object"},
	FBadFileRow{"{ \"DynamicOverrides\": { \"Day\": { \"FogSettings\": { \"Density\": [] } } } }", "DynamicOverrides.Day.FogSettings.Density: expected a number, got an array"},
	// Numbers the field's type cannot hold, which would otherwise wrap or become infinite.
	FBadFileRow{"{\"CelestialRotationSettings\":{\"SunNoonAltitudeDeg\":1e39}}", "CelestialRotationSettings.SunNoonAltitudeDeg: 1e+39 is out of range for a float (largest 3.4028235e+38)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"SunNoonAltitudeDeg\":-1e39}}", "CelestialRotationSettings.SunNoonAltitudeDeg: -1e+39 is out of range for a float (largest 3.4028235e+38)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"SunNoonAltitudeDeg\":1e400}}", "line 1, column 56: number overflow parsing '1e400'"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"MoonCycleDays\":2147483648}}", "CelestialRotationSettings.MoonCycleDays: 2147483648 is out of range for an int32 (-2147483648..2147483647)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"MoonCycleDays\":-2147483649}}", "CelestialRotationSettings.MoonCycleDays: -2147483649 is out of range for an int32 (-2147483648..2147483647)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"MoonCycleDays\":99999999999999999999}}", "CelestialRotationSettings.MoonCycleDays: 1e+20 is out of range for an int32 (-2147483648..2147483647)"},
	FBadFileRow{"{\"CelestialRotationSettings\":{\"MoonCycleDays\":2.5}}", "CelestialRotationSettings.MoonCycleDays: expected a whole number for an int32, got 2.5"},
	// The engine's struct text form reads nan and inf; no setting means either.
	FBadFileRow{"{\"CelestialRotationSettings\":\"(SunNoonAltitudeDeg=nan)\"}", "CelestialRotationSettings.SunNoonAltitudeDeg: expected a finite number, got '(SunNoonAltitudeDeg=nan)'"},
	FBadFileRow{"{\"SkySettings\":{\"SkySphereScale\":\"(X=1,Y=-inf,Z=1)\"}}", "SkySettings.SkySphereScale.Y: expected a finite number, got '(X=1,Y=-inf,Z=1)'"},
	// What a conforming parser refuses, and what the library alone would accept or misreport.
	FBadFileRow{"{\"DynamicOverrides\":{\"Day\":{\"Name\":\"a\\u0000b\"}}}", "DynamicOverrides.Day.Name: expected text without NUL characters (\\u0000)"},
	FBadFileRow{"{\"DynamicOverrides\":{\"Day\":{\"Name\":\"\\ud800x\"}}}", "line 1, column 43: syntax error while parsing value - invalid string: surrogate U+D800..U+DBFF must be followed by U+DC00..U+DFFF; last read: '\"\\ud800x'"},
	FBadFileRow{"{\"DynamicOverrides\":{\"Day\":{\"Name\":\"\\udc00\"}}}", "line 1, column 42: syntax error while parsing value - invalid string: surrogate U+DC00..U+DFFF must follow U+D800..U+DBFF; last read: '\"\\udc00'"},
	FBadFileRow{"{\"SunLightSettings\":{\"Intensity\":01}}", "line 1, column 35: syntax error while parsing object - unexpected number literal; expected '}'"},
	FBadFileRow{"{\"SunLightSettings\":{\"Intensity\":1},\n \"SunLightSettings\":{\"Intensity\":2}}", "line 2, column 2: the member \"SunLightSettings\" appears twice (first at line 1, column 2)"},
	FBadFileRow{"{\"SunLightSettings\":{\"Intensity\":1, \"In\\u0074ensity\":2}}", "line 1, column 37: the member \"Intensity\" appears twice (first at line 1, column 22)"},
	FBadFileRow{"\xEF\xBB\xBF{}", "line 1, column 1: the text starts with a UTF-8 byte-order mark, which JSON files must not have (save it as UTF-8 without BOM)"},
	FBadFileRow{"", "the text is empty"},
	FBadFileRow{" \n\t", "the text holds only white space"}));

// Names past the engine's limit cannot become names at all: a member or a name value that long is refused, never fatal.
TEST(JsonAssets, OverlongNamesRefused)
{
	const std::string Long(1100, 'N');
	FString Error;
	EXPECT_FALSE(Read(NewObject<ULM_Preset>(), UTF8_TO_TCHAR(("{ \"" + Long + "\": 1 }").c_str()), Error));
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Error)), Long + ": no such property (a name has at most 1023 characters)");
	EXPECT_FALSE(Read(NewObject<ULM_Preset>(), UTF8_TO_TCHAR(("{ \"DynamicOverrides\": { \"Day\": { \"Name\": \"" + Long + "\" } } }").c_str()), Error));
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Error)), "DynamicOverrides.Day.Name: expected a name of at most 1023 characters, got 1100");
}

// A NUL byte ends the text for the library; what follows it must not be silently dropped.
TEST(JsonAssets, NulByteRefusedWithItsPlace)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FString Error;
	const std::string Text("{}\n\0{\"garbage\"", 14);
	EXPECT_FALSE(HostJson::ReadObject(Preset, FString(Text), Error));
	EXPECT_EQ(Error.ToStdString(), "line 2, column 1: a NUL byte, which JSON text cannot hold");
}

// Hostile nesting is refused before the reader recurses through it.
TEST(JsonAssets, DeepNestingRefused)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FString Error;
	const std::string Text = "{\"SunLightSettings\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
	EXPECT_FALSE(HostJson::ReadObject(Preset, FString(Text), Error));
	EXPECT_NE(Error.ToStdString().find("nested more than 128 levels deep"), std::string::npos) << Error.ToStdString();
}

// The extremes of each number type load and save back exactly: nothing wraps, nothing is rounded away.
TEST(JsonAssets, TypeLimitsRoundTrip)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FString Error;
	ASSERT_TRUE(Read(Preset, TEXT("{\"CelestialRotationSettings\":{\"MoonCycleDays\":2147483647,\"SunNoonAltitudeDeg\":3.4028235e38},"
		"\"SunLightSettings\":{\"Intensity\":0.1}}"), Error)) << Error.ToStdString();
	EXPECT_EQ(Preset->CelestialRotationSettings.MoonCycleDays, 2147483647);
	EXPECT_EQ(Preset->CelestialRotationSettings.SunNoonAltitudeDeg, std::numeric_limits<float>::max());
	const std::string Saved = HostJson::WriteObject(Preset).ToStdString();
	EXPECT_NE(Saved.find("\"MoonCycleDays\": 2147483647,"), std::string::npos);
	EXPECT_NE(Saved.find("\"Intensity\": 0.1,"), std::string::npos) << "floats are written as their shortest decimal";
	ULM_Preset* Again = NewObject<ULM_Preset>();
	ASSERT_TRUE(HostJson::ReadObject(Again, FString(Saved), Error)) << Error.ToStdString();
	EXPECT_EQ(Again->CelestialRotationSettings.SunNoonAltitudeDeg, std::numeric_limits<float>::max());
	EXPECT_EQ(Again->SunLightSettings.Intensity, 0.1f);
}
