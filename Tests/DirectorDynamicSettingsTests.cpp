// The look of the moment as the director's components receive it every pass: blended by the sun's
// elevation, scaled for low global-illumination quality, with the exposure console override.
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Engine/World.h"
#include "HAL/IConsoleManager.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Scalability.h"
#include <gtest/gtest.h>

using namespace DirectorTesting;

namespace
{
	/** A director in an editor level with a preset whose three looks differ in fog, sky light and exposure. */
	class DirectorDynamicSettings : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Editor, false);
			Director = World->SpawnActor<AZN_Lumarch>();
			Celestial = Director->FindComponentByClass<ULM_CelestialRotationComponent>();
			Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
			SkyLight = Director->FindComponentByClass<USkyLightComponent>();
			Atmosphere = Director->FindComponentByClass<USkyAtmosphereComponent>();
			Internal = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>()->PostProcessInternal;

			Preset = MakePreset();
			ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
			Dynamic->DawnDusk.FogSettings.Density = 0.1f;
			Dynamic->Day.FogSettings.Density = 0.02f;
			Dynamic->Night.FogSettings.Density = 0.3f;
			Dynamic->DawnDusk.SkyLightSetting.IntensityScale = 1.f;
			Dynamic->Day.SkyLightSetting.IntensityScale = 3.f;
			Dynamic->Night.SkyLightSetting.IntensityScale = 0.2f;
			Dynamic->Day.PostProcessSettings.Temperature = 7000.f;
			Dynamic->Day.PostProcessSettings.MinEV100 = 8.f;
			Dynamic->Day.PostProcessSettings.MaxEV100 = 14.f;
			Dynamic->Day.SkyAtmosphereSettings.GroundRadius = 7000.f;
		}
		void TearDown() override { World->DestroyWorld(false); }

		/** Draws the scene at TotalTime, as dragging the editor's slider does, and returns the elevation phase. */
		float DrawAt(double Time)
		{
			EXPECT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), Time).IsApplied());
			return Celestial->GetCelestialElevationPhase();
		}

		void Choose(ULM_Preset* InPreset) { ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), InPreset).IsApplied()); }

		FName Closest() { return Member<FName>(Director, TEXT("ClosestPreset")); }

		UWorld* World = nullptr;
		AZN_Lumarch* Director = nullptr;
		ULM_Preset* Preset = nullptr;
		ULM_CelestialRotationComponent* Celestial = nullptr;
		ULM_GroundFollowerFogComponent* Fog = nullptr;
		USkyLightComponent* SkyLight = nullptr;
		USkyAtmosphereComponent* Atmosphere = nullptr;
		UPostProcessComponent* Internal = nullptr;
	};

	/** Sets a console variable for the test's duration, as a user typing it would, and puts the old value back. */
	class FScopedConsoleValue
	{
	public:
		FScopedConsoleValue(const TCHAR* Name, const TCHAR* Value)
			: Variable(IConsoleManager::Get().FindConsoleVariable(Name))
		{
			check(Variable);
			Previous = Variable->GetString();
			Variable->Set(Value, ECVF_SetByConsole);
		}
		~FScopedConsoleValue() { Variable->Set(*Previous, ECVF_SetByConsole); }

	private:
		IConsoleVariable* Variable;
		FString Previous;
	};

	/** Global-illumination quality for the test's duration; the engine's event tells every director. */
	class FScopedGIQuality
	{
	public:
		explicit FScopedGIQuality(int32 Level)
			: Previous(Scalability::GetQualityLevels())
		{
			Scalability::FQualityLevels Levels = Previous;
			Levels.SetGlobalIlluminationQuality(Level);
			Scalability::SetQualityLevels(Levels);
		}
		~FScopedGIQuality() { Scalability::SetQualityLevels(Previous); }

	private:
		Scalability::FQualityLevels Previous;
	};
}

// With the sun up the look moves from dawn/dusk towards day by the phase, and is named after the nearer look.
TEST_F(DirectorDynamicSettings, DaytimeBlendsTowardsDay)
{
	Choose(Preset);
	for (const double Time : {900.0, 1000.0, 1100.0, 1200.0})
	{
		const float Phase = DrawAt(Time);
		ASSERT_GE(Phase, 0.f);
		EXPECT_FLOAT_EQ(Fog->FogDensity, 0.1f + (0.02f - 0.1f) * Phase) << "at " << Time;
		EXPECT_FLOAT_EQ(SkyLight->Intensity, 1.f + (3.f - 1.f) * Phase);
		EXPECT_EQ(Closest(), FName(Phase > 0.5f ? TEXT("Day") : TEXT("DawnDusk"))) << "phase " << Phase;
	}
	EXPECT_FLOAT_EQ(Atmosphere->BottomRadius, 7000.f) << "noon is all day";
	EXPECT_TRUE(Internal->Settings.bOverride_WhiteTemp);
	EXPECT_FLOAT_EQ(Internal->Settings.WhiteTemp, 7000.f);
	EXPECT_TRUE(Internal->Settings.bOverride_AutoExposureMinBrightness);
	EXPECT_FLOAT_EQ(Internal->Settings.AutoExposureMinBrightness, 8.f);
	EXPECT_FLOAT_EQ(Internal->Settings.AutoExposureMaxBrightness, 14.f);
}

// With the sun down the look moves towards night.
TEST_F(DirectorDynamicSettings, NighttimeBlendsTowardsNight)
{
	Choose(Preset);
	const float Phase = DrawAt(300.0);
	ASSERT_LT(Phase, 0.f);
	EXPECT_FLOAT_EQ(Fog->FogDensity, 0.1f + (0.3f - 0.1f) * -Phase);
	EXPECT_EQ(Closest(), FName(-Phase > 0.5f ? TEXT("Night") : TEXT("DawnDusk")));
}

// At medium GI quality the fog and sky light are scaled by the preset's multipliers from the next pass; at high, not.
TEST_F(DirectorDynamicSettings, LowGlobalIlluminationScalesFogAndSkyLight)
{
	Preset->ScalibalitySettings.FogMultiplier = 0.5f;
	Preset->ScalibalitySettings.SkyLightMultiplier = 0.1f;
	FScopedGIQuality High(2);
	Choose(Preset);
	DrawAt(1200.0);
	EXPECT_FLOAT_EQ(Fog->FogDensity, 0.02f);
	{
		FScopedGIQuality Medium(1);
		EXPECT_FLOAT_EQ(Fog->FogDensity, 0.02f) << "the event only notes the level; the next pass uses it";
		DrawAt(1200.0);
		EXPECT_FLOAT_EQ(Fog->FogDensity, 0.01f);
		EXPECT_FLOAT_EQ(SkyLight->Intensity, 0.3f);
	}
	DrawAt(1200.0);
	EXPECT_FLOAT_EQ(Fog->FogDensity, 0.02f);
}

// The console can pin the exposure range, in either order; off, the looks' own range applies.
TEST_F(DirectorDynamicSettings, ConsolePinsTheExposureRange)
{
	Choose(Preset);
	{
		FScopedConsoleValue Override(TEXT("lm.OverridePostProcessExposure"), TEXT("2"));
		FScopedConsoleValue Min(TEXT("lm.ExposureMinEV100"), TEXT("4"));
		FScopedConsoleValue Max(TEXT("lm.ExposureMaxEV100"), TEXT("-1"));
		DrawAt(1200.0);
		EXPECT_FLOAT_EQ(Internal->Settings.AutoExposureMinBrightness, -1.f);
		EXPECT_FLOAT_EQ(Internal->Settings.AutoExposureMaxBrightness, 4.f);
	}
	DrawAt(1200.0);
	EXPECT_FLOAT_EQ(Internal->Settings.AutoExposureMinBrightness, 8.f);
}

// The blended material entries reach the post-process material instance; without it nothing is written but the rest is.
TEST_F(DirectorDynamicSettings, MaterialEntriesReachThePostProcessInstance)
{
	UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), TEXT("M_Look"));
	AddScalarParameter(Material, TEXT("Vignette"), 0.4f);
	ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.PostProcessMaterial"), Material).IsApplied());
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Dynamic, TEXT("PostProcessMaterialSettings.MaterialParameterToggles.ScalarParameterToggles[0].InUse"), true).IsApplied());
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Dynamic, TEXT("Day.PostProcessMaterialSettings.ParameterEntries.ScalarParameterEntries[0].Value"), 0.9).IsApplied());
	Choose(Preset);

	DrawAt(1200.0);
	ASSERT_EQ(Internal->Settings.WeightedBlendables.Array.Num(), 1);
	UMaterialInstanceDynamic* Instance = Cast<UMaterialInstanceDynamic>(Internal->Settings.WeightedBlendables.Array[0].Object);
	ASSERT_NE(Instance, nullptr);
	EXPECT_FLOAT_EQ(Instance->K2_GetScalarParameterValue(TEXT("Vignette")), 0.9f) << "noon is all day";

	Internal->Settings.WeightedBlendables.Array.Empty();
	DrawAt(900.0);
	EXPECT_FLOAT_EQ(Instance->K2_GetScalarParameterValue(TEXT("Vignette")), 0.9f) << "a removed instance is not written";
	EXPECT_FLOAT_EQ(Fog->FogDensity, 0.1f + (0.02f - 0.1f) * Celestial->GetCelestialElevationPhase()) << "the rest still is";
}

// Without a dynamic preset nothing is blended or written, and the dominant look keeps its last name.
TEST_F(DirectorDynamicSettings, NoDynamicPresetWritesNothing)
{
	Choose(Preset);
	DrawAt(1200.0);
	ASSERT_EQ(Closest(), FName(TEXT("Day")));
	Atmosphere->SetVisibility(false);
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), nullptr).IsApplied());
	Fog->SetFogDensity(0.5f);
	DrawAt(300.0);
	EXPECT_FLOAT_EQ(Fog->FogDensity, 0.5f);
	EXPECT_FALSE(Atmosphere->IsVisible());
	EXPECT_EQ(Closest(), FName(TEXT("Day")));

	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Preset, TEXT("DynamicOverrides"), NewObject<ULM_DynamicPreset>()).IsApplied());
	EXPECT_TRUE(Atmosphere->IsVisible()) << "the pass shows a hidden atmosphere again";
}

// The exposure console variables exist as soon as the module is loaded, with their defaults and help.
TEST(LumarchConsoleVariables, RegisteredWithDefaultsAndHelp)
{
	struct FRow
	{
		const TCHAR* Name;
		float Default;
		const TCHAR* Help;
	};
	const FRow Rows[] = {
		{TEXT("lm.OverridePostProcessExposure"), 0.f, TEXT("If 1, Lumarch overrides exposure (MinEV100/MaxEV100) every frame.")},
		{TEXT("lm.ExposureMinEV100"), -2.f, TEXT("Min EV100 used when lm.OverridePostProcessExposure=1.")},
		{TEXT("lm.ExposureMaxEV100"), -2.f, TEXT("Max EV100 used when lm.OverridePostProcessExposure=1.")},
	};
	for (const FRow& Row : Rows)
	{
		const IConsoleVariable* Variable = IConsoleManager::Get().FindConsoleVariable(Row.Name);
		ASSERT_NE(Variable, nullptr) << TCHAR_TO_UTF8(Row.Name);
		EXPECT_EQ(Variable->GetFloat(), Row.Default) << TCHAR_TO_UTF8(Row.Name);
		EXPECT_TRUE(FString(Variable->GetHelp()).Equals(Row.Help, ESearchCase::CaseSensitive)) << TCHAR_TO_UTF8(Row.Name);
	}
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("lm.OverridePostProcessExposure"))->GetString(), TEXT("0")) << "an integer variable";
}
