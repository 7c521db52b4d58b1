// Preset assets: their change notifications, the forwarding binding and the editor rebuilds,
// driven through the editor simulation as a designer's edits would be.
#include "Data/LM_Preset.h"
#include "Data/LM_DynamicPreset.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "UObject/Package.h"
#include <gtest/gtest.h>
#include <cstdlib>

using HostEditor::EEditStatus;

namespace
{
	/** Counts the notifications of one asset, through an object-method-like weak binding. */
	struct FCounter
	{
		int32 Count = 0;
		void Bind(ULM_Preset* Preset)
		{
			Preset->OnUpdated.AddLambda([this]() { ++Count; });
		}
		void Bind(ULM_DynamicPreset* Preset)
		{
			Preset->OnUpdated.AddLambda([this]() { ++Count; });
		}
	};

	ULM_Preset* NewPresetWith(ULM_DynamicPreset* Dynamic)
	{
		ULM_Preset* Preset = NewObject<ULM_Preset>();
		Preset->DynamicOverrides = Dynamic;
		Preset->PostLoad();
		return Preset;
	}

	UMaterial* NewPostProcessMaterial()
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), FName(TEXT("M_Look")));
		AddScalarParameter(Material, FName(TEXT("Vignette")), 0.4f);
		AddScalarParameter(Material, FName(TEXT("bloom")), 1.5f);
		AddVectorParameter(Material, FName(TEXT("Tint")), FLinearColor(1.f, 0.5f, 0.25f, 1.f));
		return Material;
	}
}

// A new dynamic preset names its three looks and gives them identical defaults otherwise.
TEST(PresetAssets, DynamicPresetNamesItsOverrides)
{
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>();
	EXPECT_EQ(Dynamic->Day.Name, FName(TEXT("Day")));
	EXPECT_EQ(Dynamic->DawnDusk.Name, FName(TEXT("DawnDusk")));
	EXPECT_EQ(Dynamic->Night.Name, FName(TEXT("Night")));
	FProperty* FogProperty = FindFProperty<FProperty>(FLM_DayNightOverride::StaticStruct(), TEXT("FogSettings"));
	ASSERT_NE(FogProperty, nullptr);
	EXPECT_TRUE(FogProperty->Identical(FogProperty->ContainerPtrToValuePtr<void>(&Dynamic->Day), FogProperty->ContainerPtrToValuePtr<void>(&Dynamic->Night)));

	ULM_Preset* Preset = NewObject<ULM_Preset>();
	FProperty* Sun = FindFProperty<FProperty>(ULM_Preset::StaticClass(), TEXT("SunLightSettings"));
	FProperty* Moon = FindFProperty<FProperty>(ULM_Preset::StaticClass(), TEXT("MoonLightSettings"));
	EXPECT_TRUE(Sun->Identical(Sun->ContainerPtrToValuePtr<void>(Preset), Moon->ContainerPtrToValuePtr<void>(Preset))) << "sun and moon start identical";
}

// Loading binds the preset to its dynamic preset once, however often the binding is rebuilt.
TEST(PresetAssets, LoadBindsOnceAndForwards)
{
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>();
	ULM_Preset* Preset = NewPresetWith(Dynamic);
	Preset->PostLoad();
	Preset->PostLoad();
	FCounter Heard;
	Heard.Bind(Preset);
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Dynamic, TEXT("Day.FogSettings.bOverride_Density"), true).IsApplied());
	EXPECT_EQ(Heard.Count, 1) << "one edit of the dynamic preset, one forwarded notification";

	ULM_Preset* Empty = NewPresetWith(nullptr);
	FCounter EmptyHeard;
	EmptyHeard.Bind(Empty);
	HostEditor::SetPropertyByPath(Dynamic, TEXT("Night.FogSettings.bOverride_Density"), true);
	EXPECT_EQ(EmptyHeard.Count, 0) << "a preset without a dynamic preset binds nothing";
}

// Every edit of a preset field notifies exactly once.
TEST(PresetAssets, EditNotifiesOnce)
{
	ULM_Preset* Preset = NewPresetWith(NewObject<ULM_DynamicPreset>());
	FCounter Heard;
	Heard.Bind(Preset);
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.LightColor"), FLinearColor(1.f, 0.8f, 0.6f, 1.f)).IsApplied());
	EXPECT_EQ(Heard.Count, 1);
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset, TEXT("CelestialRotationSettings.SunNoonAltitudeDeg"), 45.0).IsApplied());
	EXPECT_EQ(Heard.Count, 2);
}

// Replacing the dynamic preset moves the binding: the old one falls silent, the new one is heard; clearing drops it.
TEST(PresetAssets, ReplacingAndClearingTheDynamicPreset)
{
	ULM_DynamicPreset* First = NewObject<ULM_DynamicPreset>();
	ULM_DynamicPreset* Second = NewObject<ULM_DynamicPreset>();
	ULM_Preset* Preset = NewPresetWith(First);
	FCounter Heard;
	Heard.Bind(Preset);

	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), Second).IsApplied());
	EXPECT_EQ(Heard.Count, 1) << "the replacement itself notifies once";
	HostEditor::SetPropertyByPath(First, TEXT("Day.SkyLightSetting.bOverride_IntensityScale"), true);
	EXPECT_EQ(Heard.Count, 1) << "the replaced dynamic preset is no longer heard";
	HostEditor::SetPropertyByPath(Second, TEXT("Day.SkyLightSetting.bOverride_IntensityScale"), true);
	EXPECT_EQ(Heard.Count, 2);

	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), nullptr).IsApplied());
	EXPECT_EQ(Heard.Count, 3) << "clearing notifies once";
	HostEditor::SetPropertyByPath(Second, TEXT("Night.SkyLightSetting.bOverride_IntensityScale"), true);
	EXPECT_EQ(Heard.Count, 3) << "and leaves no binding";
	EXPECT_FALSE(Second->OnUpdated.IsBound());
}

// The material drives the toggles, and switching a toggle rebuilds all three looks' entries, each edit notifying once.
TEST(PresetAssets, MaterialAndToggleEditsRebuildTheLooks)
{
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>();
	FCounter Heard;
	Heard.Bind(Dynamic);
	UMaterial* Material = NewPostProcessMaterial();

	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), Material).IsApplied());
	EXPECT_EQ(Heard.Count, 1);
	const FLM_MaterialParameterToggles& Toggles = Dynamic->PostProcessMaterialSettings.MaterialParameterToggles;
	ASSERT_EQ(Toggles.ScalarParameterToggles.Num(), 2);
	EXPECT_EQ(Toggles.ScalarParameterToggles[0].Name, FName(TEXT("bloom"))) << "sorted by name, case-insensitively";
	EXPECT_EQ(Toggles.ScalarParameterToggles[1].Name, FName(TEXT("Vignette")));
	ASSERT_EQ(Toggles.VectorParameterToggles.Num(), 1);
	EXPECT_TRUE(Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries.IsEmpty()) << "nothing is in use yet";

	ASSERT_TRUE(HostEditor::SetPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.MaterialParameterToggles.ScalarParameterToggles[1].InUse"), true).IsApplied());
	EXPECT_EQ(Heard.Count, 2);
	for (const FLM_DayNightOverride* Look : { &Dynamic->Day, &Dynamic->DawnDusk, &Dynamic->Night })
	{
		const TArray<FLM_ScalarMaterialParamaterEntry>& Entries = Look->PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries;
		ASSERT_EQ(Entries.Num(), 1) << TCHAR_TO_UTF8(*Look->Name.ToString());
		EXPECT_EQ(Entries[0].Name, FName(TEXT("Vignette")));
		EXPECT_FLOAT_EQ(Entries[0].Value, 0.4f) << "a newly used parameter starts at the material's value";
	}

	// An entry edit inside one look notifies and rebuilds nothing.
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Dynamic, TEXT("Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value"), 0.9).IsApplied());
	EXPECT_EQ(Heard.Count, 3);
	EXPECT_FLOAT_EQ(Dynamic->Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value, 0.9f);
	EXPECT_FLOAT_EQ(Dynamic->Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value, 0.4f);

	// Clearing the material keeps the toggles; the entries are rebuilt from them and keep edited values.
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), nullptr).IsApplied());
	EXPECT_EQ(Heard.Count, 4);
	EXPECT_EQ(Toggles.ScalarParameterToggles.Num(), 2);
	ASSERT_EQ(Dynamic->Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries.Num(), 1);
	EXPECT_FLOAT_EQ(Dynamic->Night.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value, 0.9f);
}

// A listener that is destroyed is skipped, and the asset keeps notifying the others.
TEST(PresetAssets, DestroyedListenerIsSkipped)
{
	ULM_DynamicPreset* Dynamic = NewObject<ULM_DynamicPreset>();
	ULM_Preset* Listener = NewPresetWith(Dynamic);
	ULM_Preset* Other = NewPresetWith(Dynamic);
	FCounter ListenerHeard;
	ListenerHeard.Bind(Listener);
	FCounter OtherHeard;
	OtherHeard.Bind(Other);
	Listener->MarkAsGarbage();
	HostEditor::SetPropertyByPath(Dynamic, TEXT("Day.PostProcessSettings.bOverride_Temperature"), true);
	EXPECT_EQ(ListenerHeard.Count, 0) << "the garbage preset's forwarding binding is skipped";
	EXPECT_EQ(OtherHeard.Count, 1);
}

struct FPresetEditCase
{
	const TCHAR* Path;
	double Entered;
	HostEditor::EEditStatus Status;
	double Stored;
	const TCHAR* Why;
};

class PresetEditTest : public ::testing::TestWithParam<FPresetEditCase>
{
};

// Editor limits of the preset's records: clamps bound entries, sliders do not, and edit conditions lock fields.
TEST_P(PresetEditTest, EditorLimits)
{
	const FPresetEditCase& Case = GetParam();
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	const HostEditor::FEditResult Result = HostEditor::SetPropertyByPath(Preset, Case.Path, Case.Entered);
	EXPECT_EQ(Result.Status, Case.Status) << TCHAR_TO_UTF8(Case.Why) << ": " << TCHAR_TO_UTF8(*Result.Message);
	FString Text;
	ASSERT_TRUE(HostEditor::GetPropertyTextByPath(Preset, Case.Path, Text));
	EXPECT_NEAR(std::strtod(TCHAR_TO_UTF8(*Text), nullptr), Case.Stored, 1e-6) << TCHAR_TO_UTF8(Case.Why);
}

INSTANTIATE_TEST_SUITE_P(Cases, PresetEditTest, ::testing::Values(
	FPresetEditCase{ TEXT("ExponentialHeightFogSettings.HeightOffset"), 20000.0, EEditStatus::Applied, 10000.0, TEXT("clamped to ClampMax") },
	FPresetEditCase{ TEXT("ExponentialHeightFogSettings.HeightOffset"), -25000.0, EEditStatus::Applied, -10000.0, TEXT("clamped to ClampMin") },
	FPresetEditCase{ TEXT("SkyAtmosphereSettings.MultiScatteringFactor"), 10.0, EEditStatus::Applied, 10.0, TEXT("past the slider, inside the clamp") },
	FPresetEditCase{ TEXT("SkyAtmosphereSettings.MultiScatteringFactor"), 12.0, EEditStatus::Applied, 10.0, TEXT("past the clamp") },
	FPresetEditCase{ TEXT("SunLightSettings.ShadowDisableAltitudeDeg"), -120.0, EEditStatus::Applied, -90.0, TEXT("clamped to -90") },
	FPresetEditCase{ TEXT("WorldSettings.DayLightFraction"), 0.5, EEditStatus::DisabledByEditCondition, 0.25, TEXT("locked while its override toggle is off") },
	FPresetEditCase{ TEXT("CelestialRotationSettings.MoonCycleDays"), -3.0, EEditStatus::Applied, 1.0, TEXT("ClampMin 1") }));

// A field hidden by its edit condition comes back once the condition holds.
TEST(PresetAssets, EditConditionFollowsItsToggle)
{
	ULM_Preset* Preset = NewObject<ULM_Preset>();
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.DisableShadowsBelowHorizon"), false).IsApplied());
	EXPECT_EQ(HostEditor::SetPropertyByPath(Preset, TEXT("SunLightSettings.ShadowDisableAltitudeDeg"), -5.0).Status, EEditStatus::DisabledByEditCondition);
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.bOverride_DayLightFraction"), true).IsApplied());
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset, TEXT("WorldSettings.DayLightFraction"), 0.5).IsApplied());
	EXPECT_FLOAT_EQ(Preset->WorldSettings.DayLightFraction, 0.5f);
}
