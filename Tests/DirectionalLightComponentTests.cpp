// Sun/moon directional light: fade-scaled intensity, hiding, altitude shadow switch, settings.
#include "DirectionalLightFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace
{
	/** A game world holding one registered, movable light with a child attached. */
	class DirectionalLightWorld : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Actor = World->SpawnActor<ADirectionalLightFixtureActor>();
			ASSERT_NE(Actor, nullptr);
			Light = Actor->Light.Get();
			ASSERT_NE(Light, nullptr);
			ASSERT_TRUE(Light->IsRegistered());
		}
		void TearDown() override { World->DestroyWorld(false); }

		/** Applies static settings that differ from the defaults only in intensity. */
		void ApplyBaseIntensity(const float Intensity)
		{
			FLM_DirectionalLightSettings Settings;
			Settings.Intensity = Intensity;
			Light->ApplySettings(Settings);
		}

		UWorld* World = nullptr;
		ADirectionalLightFixtureActor* Actor = nullptr;
		ULM_DirectionalLightComponent* Light = nullptr;
	};

	struct FAlphaCase
	{
		const char* Name;
		float BaseIntensity;
		float Alpha;
		float ExpectedIntensity;
		bool bExpectedVisible;
	};
	void PrintTo(const FAlphaCase& Case, std::ostream* Os) { *Os << Case.Name; }

	class UpdateAlpha : public DirectionalLightWorld, public ::testing::WithParamInterface<FAlphaCase> {};

	struct FShadowCase
	{
		const char* Name;
		bool bDisableBelowHorizon;
		float ThresholdDeg;
		double Pitch;
		bool bCastBefore;
		bool bExpectedCast;
	};
	void PrintTo(const FShadowCase& Case, std::ostream* Os) { *Os << Case.Name; }

	class ShadowSwitch : public DirectionalLightWorld, public ::testing::WithParamInterface<FShadowCase> {};
}

// The light's brightness is the static intensity times the fade, and the fade also decides visibility at a strict threshold.
TEST_P(UpdateAlpha, ScalesBaseIntensityAndHidesNegligibleLight)
{
	const FAlphaCase& Case = GetParam();
	ApplyBaseIntensity(Case.BaseIntensity);
	Light->Update(Case.Alpha);
	EXPECT_FLOAT_EQ(Light->Intensity, Case.ExpectedIntensity);
	EXPECT_EQ(Light->IsVisible(), Case.bExpectedVisible);
	EXPECT_EQ(Actor->LightChild->IsVisible(), Case.bExpectedVisible) << "visibility is propagated to attached children";
}

INSTANTIATE_TEST_SUITE_P(DirectionalLight, UpdateAlpha,
	::testing::Values(
		FAlphaCase{"HalfFade", 10.f, 0.5f, 5.f, true},
		FAlphaCase{"FullFade", 20.f, 1.f, 20.f, true},
		FAlphaCase{"ZeroFade", 10.f, 0.f, 0.f, false},
		FAlphaCase{"ExactlyAtThreshold", 1.f, 0.0001f, 0.0001f, false},
		FAlphaCase{"JustAboveThreshold", 1.f, 0.00011f, 0.00011f, true},
		FAlphaCase{"NegativeProduct", 10.f, -0.5f, -5.f, false}),
	[](const ::testing::TestParamInfo<FAlphaCase>& Info) { return std::string(Info.param.Name); });

// A light that faded out must come back once its fade rises again, not stay hidden.
TEST_F(DirectionalLightWorld, HiddenLightIsShownAgainWhenFadeReturns)
{
	ApplyBaseIntensity(10.f);
	Light->Update(0.f);
	ASSERT_FALSE(Light->IsVisible());
	Light->Update(1.f);
	EXPECT_FLOAT_EQ(Light->Intensity, 10.f);
	EXPECT_TRUE(Light->IsVisible());
	EXPECT_TRUE(Actor->LightChild->IsVisible());
}

// Without static settings the base is zero, so the engine's default intensity must not leak through.
TEST_F(DirectionalLightWorld, UpdateBeforeSettingsDarkensAndHides)
{
	ASSERT_GT(Light->Intensity, 0.f);
	Light->Update(1.f);
	EXPECT_EQ(Light->Intensity, 0.f);
	EXPECT_FALSE(Light->IsVisible());
}

// Shadows switch off at or below the configured altitude, and stay untouched when the switch is disabled.
TEST_P(ShadowSwitch, FollowsAltitudeOfRotation)
{
	const FShadowCase& Case = GetParam();
	Light->SetDisableShadowsBelowHorizon(Case.bDisableBelowHorizon);
	Light->SetShadowDisableAltitudeDeg(Case.ThresholdDeg);
	Light->SetCastShadows(Case.bCastBefore);

	const FRotator Rotation(Case.Pitch, 30.0, 0.0);
	Light->Update(1.f, Rotation);
	EXPECT_EQ(static_cast<bool>(Light->CastShadows), Case.bExpectedCast);
	EXPECT_TRUE(Light->GetComponentRotation().Vector().Equals(Rotation.Vector(), 1e-6))
		<< "the light is turned whatever the shadows do: " << TCHAR_TO_UTF8(*Light->GetComponentRotation().ToString());
}

INSTANTIATE_TEST_SUITE_P(DirectionalLight, ShadowSwitch,
	::testing::Values(
		FShadowCase{"AboveHorizonCasts", true, 0.f, -10.0, false, true},
		FShadowCase{"BelowHorizonStops", true, 0.f, 10.0, true, false},
		FShadowCase{"OnHorizonStops", true, 0.f, 0.0, true, false},
		FShadowCase{"StraightDownCasts", true, 0.f, -90.0, false, true},
		FShadowCase{"WoundPitchUsesDirection", true, 0.f, 350.0, false, true},
		FShadowCase{"BelowRaisedThresholdStops", true, 5.f, -4.0, true, false},
		FShadowCase{"AboveRaisedThresholdCasts", true, 5.f, -6.0, false, true},
		FShadowCase{"LoweredThresholdKeepsShadowsJustBelowHorizon", true, -2.f, 1.0, false, true},
		FShadowCase{"SwitchOffLeavesShadowsOff", false, 0.f, -10.0, false, false},
		FShadowCase{"SwitchOffLeavesShadowsOn", false, 0.f, 10.0, true, true}),
	[](const ::testing::TestParamInfo<FShadowCase>& Info) { return std::string(Info.param.Name); });

// The shadow switch and threshold come from the static settings, and the intensity waits for the next frame.
TEST_F(DirectionalLightWorld, ApplySettingsTakesShadowSwitchAndDefersIntensity)
{
	FLM_DirectionalLightSettings Settings;
	Settings.Intensity = 4.f;
	Settings.DisableShadowsBelowHorizon = false;
	Light->ApplySettings(Settings);
	EXPECT_EQ(Light->Intensity, 10.f) << "the engine default stays until Update";

	Light->Update(0.5f, FRotator(10.0, 0.0, 0.0));
	EXPECT_FLOAT_EQ(Light->Intensity, 2.f);
	EXPECT_TRUE(Light->CastShadows) << "switch disabled by the settings: a light below the horizon keeps its shadows";

	Settings.DisableShadowsBelowHorizon = true;
	Settings.ShadowDisableAltitudeDeg = 20.f;
	Light->ApplySettings(Settings);
	Light->Update(0.5f, FRotator(-15.0, 0.0, 0.0));
	EXPECT_FALSE(Light->CastShadows) << "altitude 15 is below the applied threshold of 20";
}

// Every static value must land on its engine field; a wrong mapping would silently mis-light the level.
TEST_F(DirectionalLightWorld, ApplySettingsWritesEngineFields)
{
	FLM_DirectionalLightSettings Settings;
	Settings.LightSourceAngle = 1.25f;
	Settings.DistanceFieldShadowDistance = 123.f;
	Settings.IndirectLightingIntensity = 2.5f;
	Settings.VolumetricScatteringIntensity = 0.75f;
	Settings.LightColor = FLinearColor(1.f, 0.5f, 0.25f, 1.f);
	Settings.AtmosphereSunLight = false;
	Settings.RayTracedShadows = true;
	Settings.UseTemperature = false;
	Settings.Temperature = 4000.f;
	Settings.BloomScale = 0.6f;
	Settings.LightShaftOcclusion = true;
	Settings.OcclusionMaskDarkness = 0.3f;
	Settings.OcclusionDepthRange = 5000.f;
	Settings.BloomShaft = true;
	Light->ApplySettings(Settings);

	EXPECT_EQ(Light->LightSourceAngle, 1.25f);
	EXPECT_EQ(Light->DistanceFieldShadowDistance, 51200.f) << "the distance-field distance is not the light's business";
	EXPECT_EQ(Light->IndirectLightingIntensity, 2.5f);
	EXPECT_EQ(Light->VolumetricScatteringIntensity, 0.75f);
	EXPECT_EQ(Light->LightColor, FLinearColor(1.f, 0.5f, 0.25f, 1.f).ToFColor(true)) << "colour is sRGB-encoded";
	EXPECT_FALSE(Light->bAtmosphereSunLight);
	EXPECT_EQ(Light->CastRaytracedShadow, ECastRayTracedShadow::Enabled);
	EXPECT_FALSE(Light->bUseTemperature);
	EXPECT_EQ(Light->Temperature, 4000.f);
	EXPECT_EQ(Light->BloomScale, 0.6f);
	EXPECT_TRUE(Light->bEnableLightShaftOcclusion);
	EXPECT_EQ(Light->OcclusionMaskDarkness, 0.3f);
	EXPECT_EQ(Light->OcclusionDepthRange, 5000.f);
	EXPECT_TRUE(Light->bEnableLightShaftBloom);

	Settings.RayTracedShadows = false;
	Light->ApplySettings(Settings);
	EXPECT_EQ(Light->CastRaytracedShadow, ECastRayTracedShadow::Disabled) << "off means off, not the project setting";
}

// Blended dynamic records apply every value even with all override toggles clear, and leave intensity alone.
TEST_F(DirectionalLightWorld, ApplyDynamicSettingsIgnoresOverrideToggles)
{
	ApplyBaseIntensity(8.f);
	Light->Update(1.f);

	FLM_DirectionalLightDynamicSettings Dynamic;
	Dynamic.IndirectLightingIntensity = 3.f;
	Dynamic.VolumetricScatteringIntensity = 0.4f;
	Dynamic.LightColor = FLinearColor(0.2f, 0.4f, 1.f, 1.f);
	Dynamic.Temperature = 9000.f;
	Dynamic.BloomScale = 1.5f;
	ASSERT_FALSE(Dynamic.bOverride_IndirectLightingIntensity || Dynamic.bOverride_VolumetricScatteringIntensity || Dynamic.bOverride_LightColor
		|| Dynamic.bOverride_Temperature || Dynamic.bOverride_BloomScale);
	Light->ApplyDynamicSettings(Dynamic);

	EXPECT_EQ(Light->IndirectLightingIntensity, 3.f);
	EXPECT_EQ(Light->VolumetricScatteringIntensity, 0.4f);
	EXPECT_EQ(Light->LightColor, FLinearColor(0.2f, 0.4f, 1.f, 1.f).ToFColor(true));
	EXPECT_EQ(Light->Temperature, 9000.f);
	EXPECT_EQ(Light->BloomScale, 1.5f);
	EXPECT_EQ(Light->Intensity, 8.f);
	Light->Update(0.5f);
	EXPECT_FLOAT_EQ(Light->Intensity, 4.f) << "the static base intensity survives dynamic settings";
}

// Update runs every frame for two lights: a steady sky must not keep re-creating render state.
TEST_F(DirectionalLightWorld, SteadyFramesLeaveRenderStateAlone)
{
	ApplyBaseIntensity(10.f);
	const FRotator Below(5.0, 0.0, 0.0);
	Light->Update(0.f, Below);
	ASSERT_FALSE(Light->IsVisible());
	ASSERT_FALSE(Light->CastShadows);

	const int32 Settled = Light->GetRenderStateDirtyCount();
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		Light->Update(0.f, Below);
	}
	EXPECT_EQ(Light->GetRenderStateDirtyCount(), Settled);

	// Rising above the horizon changes visibility and shadows: the render state must follow.
	Light->Update(1.f, FRotator(-5.0, 0.0, 0.0));
	EXPECT_TRUE(Light->IsVisible());
	EXPECT_TRUE(Light->CastShadows);
	EXPECT_GT(Light->GetRenderStateDirtyCount(), Settled);
}

// Re-applying identical settings must still refresh the render state, so the renderer sees a preset reload.
TEST_F(DirectionalLightWorld, ApplySettingsAlwaysRefreshesRenderState)
{
	const FLM_DirectionalLightSettings Settings;
	Light->ApplySettings(Settings);
	const int32 Before = Light->GetRenderStateDirtyCount();
	Light->ApplySettings(Settings);
	EXPECT_EQ(Light->GetRenderStateDirtyCount(), Before + 1);
}
