// The scene capture from a world's components and the rendered panorama of it.
#include "Renderer/SceneRenderState.h"
#include "Renderer/SceneViewRenderer.h"

#include "Components/DirectionalLightComponent.h"
#include "Components/ExponentialHeightFogComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

namespace
{
	// The default tables are the small ones a preview uses; small views keep the suite fast under the sanitizers.
	const FSkyAtmosphereLutSizes TestLutSizes{};

	double DegreesToRadians(double Degrees)
	{
		return Degrees * UE_DOUBLE_PI / 180.0;
	}

	/** A game world lit as a level would be: one actor per engine component, spawned and registered as engine code does. */
	class SceneWorld : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Atmosphere = Add<USkyAtmosphereComponent>();
			Sun = Add<UDirectionalLightComponent>();
			Sun->SetIntensity(100000.0f);
			Moon = Add<UDirectionalLightComponent>();
			Moon->SetAtmosphereSunLightIndex(1);
			Moon->SetIntensity(0.3f);
			SkyLight = Add<USkyLightComponent>();
			SkyLight->SetRealTimeCapture(true);
			Fog = Add<UExponentialHeightFogComponent>();
			Fog->SetFogDensity(0.0f);
			Volume = Add<UPostProcessComponent>();
			SetElevation(Sun, 60.0, 0.0);
			SetElevation(Moon, -60.0, 180.0);
		}
		void TearDown() override { World->DestroyWorld(false); }

		template<class T>
		T* Add()
		{
			AActor* Actor = World->SpawnActor<AActor>();
			T* Component = NewObject<T>(Actor);
			Actor->SetRootComponent(Component);
			Component->RegisterComponent();
			return Component;
		}

		/** Points the light so that the direction towards it has this elevation and compass yaw. */
		static void SetElevation(UDirectionalLightComponent* Light, double ElevationDegrees, double YawDegrees)
		{
			Light->SetWorldRotation(FRotator(-ElevationDegrees, YawDegrees + 180.0, 0.0));
		}

		/** Captures and renders with the fixture's renderer, which keeps its tables while the sky's inputs hold, as a previewer's would. */
		FRenderedView Render(const FViewDescription& View = SmallView())
		{
			return Renderer.Render(CaptureSceneRenderState(World), View);
		}

		static FViewDescription SmallView()
		{
			FViewDescription View;
			View.Width = 96;
			View.Height = 48;
			return View;
		}

		static FVector3d At(const FRenderedView& View, int Col, int Row)
		{
			const FVector3f& C = View.SceneLinear[static_cast<size_t>(Row) * View.Width + Col];
			return FVector3d(C.X, C.Y, C.Z);
		}

		/** The pixel seeing this altitude at the view's centre column. */
		static int RowAt(const FViewDescription& View, double AltitudeDegrees)
		{
			return static_cast<int>((View.MaxAltitudeDegrees - AltitudeDegrees) / (View.MaxAltitudeDegrees - View.MinAltitudeDegrees) * View.Height);
		}

		UWorld* World = nullptr;
		USkyAtmosphereComponent* Atmosphere = nullptr;
		UDirectionalLightComponent* Sun = nullptr;
		UDirectionalLightComponent* Moon = nullptr;
		USkyLightComponent* SkyLight = nullptr;
		UExponentialHeightFogComponent* Fog = nullptr;
		UPostProcessComponent* Volume = nullptr;
		FSceneViewRenderer Renderer{EMultipleScatteringForm::EngineDefault, TestLutSizes};
	};
}

// The renderer sees the lights as the engine's proxies do: direction towards the light (or the
// atmosphere's override), lux times linear colour times the black body's colour, the disc's half angle.
TEST_F(SceneWorld, CapturesTheAtmosphereLightsAsTheirProxiesWould)
{
	SetElevation(Sun, 30.0, 90.0);
	Sun->SetLightColor(FLinearColor(1.0f, 0.5f, 0.25f));
	Sun->SetLightSourceAngle(1.0f);
	const FSceneRenderState Scene = CaptureSceneRenderState(World);

	ASSERT_TRUE(Scene.bHasAtmosphere);
	EXPECT_EQ(Scene.Atmosphere, MakeAtmosphereParameters(*Atmosphere));
	ASSERT_EQ(Scene.Lights.size(), 2u);
	const FDirectionalLightRenderState& SunState = Scene.Lights[0];
	EXPECT_EQ(SunState.AtmosphereLightIndex, 0);
	EXPECT_NEAR(SunState.Light.Direction.X, 0.0, 1e-6);
	EXPECT_NEAR(SunState.Light.Direction.Y, std::cos(DegreesToRadians(30.0)), 1e-6);
	EXPECT_NEAR(SunState.Light.Direction.Z, 0.5, 1e-6);
	const FLinearColor Stored(Sun->LightColor); // quantised to 8-bit sRGB by the setter
	EXPECT_NEAR(SunState.Light.Illuminance.X, 100000.0 * Stored.R, 1.0);
	EXPECT_NEAR(SunState.Light.Illuminance.Y, 100000.0 * Stored.G, 1.0);
	EXPECT_NEAR(SunState.Light.Illuminance.Z, 100000.0 * Stored.B, 1.0);
	EXPECT_NEAR(SunState.Light.DiscHalfAngleRadians, DegreesToRadians(0.5), 1e-9);
	EXPECT_EQ(Scene.Lights[1].AtmosphereLightIndex, 1);
	EXPECT_NEAR(Scene.Lights[1].Light.Direction.Z, -std::sin(DegreesToRadians(60.0)), 1e-6);

	// The atmosphere's override replaces the light's own direction for its index only.
	Atmosphere->OverrideAtmosphereLightDirection(0, FVector(0.0, 0.0, 2.0));
	const FSceneRenderState Overridden = CaptureSceneRenderState(World);
	EXPECT_NEAR(Overridden.Lights[0].Light.Direction.Z, 1.0, 1e-9);
	EXPECT_NEAR(Overridden.Lights[1].Light.Direction.Z, -std::sin(DegreesToRadians(60.0)), 1e-6);
}

// A light's colour temperature tints its illuminance as the engine's black body does: warm at
// 2000 K, close to white at 6500 K, cold at 12000 K.
TEST_F(SceneWorld, ColourTemperatureTintsTheIlluminance)
{
	Sun->SetUseTemperature(true);
	auto Illuminance = [this](float Kelvin) {
		Sun->SetTemperature(Kelvin);
		return CaptureSceneRenderState(World).Lights[0].Light.Illuminance;
	};
	const FVector3d Warm = Illuminance(2000.0f);
	EXPECT_GT(Warm.X, Warm.Y);
	EXPECT_GT(Warm.Y, Warm.Z);
	const FVector3d Neutral = Illuminance(6500.0f);
	EXPECT_NEAR(Neutral.Z / Neutral.X, 1.0, 0.1);
	EXPECT_NEAR(Luminance(Neutral), 100000.0, 3000.0);
	const FVector3d Cold = Illuminance(12000.0f);
	EXPECT_GT(Cold.Z, Cold.X);
}

// Only what the engine would draw counts: hidden lights, lights not driving the atmosphere and a
// second light on a taken index are left out; a hidden atmosphere means no sky.
TEST_F(SceneWorld, LeavesOutWhatTheEngineWouldNotDraw)
{
	Moon->SetVisibility(false);
	UDirectionalLightComponent* Lamp = Add<UDirectionalLightComponent>();
	Lamp->SetAtmosphereSunLight(false);
	UDirectionalLightComponent* SecondSun = Add<UDirectionalLightComponent>();
	SecondSun->SetIntensity(5.0f);
	const FSceneRenderState Scene = CaptureSceneRenderState(World);
	ASSERT_EQ(Scene.Lights.size(), 1u);
	EXPECT_NEAR(Luminance(Scene.Lights[0].Light.Illuminance), 100000.0, 1.0);

	Atmosphere->SetVisibility(false);
	EXPECT_FALSE(CaptureSceneRenderState(World).bHasAtmosphere);
}

// The sky light, the fog (with its world height) and the blended post-process reach the renderer.
TEST_F(SceneWorld, CapturesSkyLightFogAndTheBlendedPostProcess)
{
	SkyLight->SetIntensity(2.0f);
	Fog->SetFogDensity(0.04f);
	Fog->SetFogHeightFalloff(0.5f);
	Fog->SetStartDistance(300.0f);
	Fog->SetFogInscatteringColor(FLinearColor(0.5f, 0.25f, 0.125f));
	Fog->SetWorldLocation(FVector(0.0, 0.0, 700.0));

	Volume->Settings.bOverride_AutoExposureMinBrightness = true;
	Volume->Settings.AutoExposureMinBrightness = 2.0f;
	Volume->Settings.bOverride_AutoExposureMaxBrightness = true;
	Volume->Settings.AutoExposureMaxBrightness = 2.0f;
	UPostProcessComponent* Override = Add<UPostProcessComponent>();
	Override->Priority = 1.0f;
	Override->BlendWeight = 0.5f;
	Override->Settings.bOverride_AutoExposureMinBrightness = true;
	Override->Settings.AutoExposureMinBrightness = 6.0f;
	Override->Settings.bOverride_WhiteTemp = true;
	Override->Settings.WhiteTemp = 4500.0f;
	UPostProcessComponent* Disabled = Add<UPostProcessComponent>();
	Disabled->bEnabled = false;
	Disabled->Priority = 2.0f;
	Disabled->Settings.bOverride_AutoExposureMaxBrightness = true;
	Disabled->Settings.AutoExposureMaxBrightness = 15.0f;

	const FSceneRenderState Scene = CaptureSceneRenderState(World);
	EXPECT_TRUE(Scene.SkyLight.bPresent);
	EXPECT_EQ(Scene.SkyLight.Intensity, 2.0f);
	ASSERT_TRUE(Scene.Fog.bPresent);
	EXPECT_EQ(Scene.Fog.FogDensity, 0.04f);
	EXPECT_EQ(Scene.Fog.FogHeightFalloff, 0.5f);
	EXPECT_EQ(Scene.Fog.StartDistance, 300.0f);
	EXPECT_EQ(Scene.Fog.FogHeight, 700.0);
	EXPECT_TRUE(Scene.Fog.InscatteringLuminance.Equals(FLinearColor(0.5f, 0.25f, 0.125f)));
	// Lowest priority first, each by its weight: 2 then halfway to 6.
	EXPECT_FLOAT_EQ(Scene.Camera.MinEV100, 4.0f);
	EXPECT_FLOAT_EQ(Scene.Camera.MaxEV100, 2.0f);
	EXPECT_FLOAT_EQ(Scene.Camera.WhiteTemp, 5500.0f);
	EXPECT_FLOAT_EQ(Scene.Camera.ExposureBias, 1.0f);

	Fog->SetFogDensity(0.0f);
	EXPECT_FALSE(CaptureSceneRenderState(World).Fog.bPresent);
}

// A noon view must look like one: a blue sky (B > G > R) over a ground lit by sun and sky, both in
// the luminance and in the picture's bytes.
TEST_F(SceneWorld, NoonViewHasABlueSkyOverALitGround)
{
	const FViewDescription View = SmallView();
	const FRenderedView Image = Render(View);
	ASSERT_EQ(Image.Width, View.Width);
	ASSERT_EQ(Image.SceneLinear.size(), static_cast<size_t>(View.Width * View.Height));
	ASSERT_EQ(Image.Srgb8.size(), static_cast<size_t>(View.Width * View.Height * 3));

	// Looking north with the sun in the north at 60 degrees: the sky at the left edge (west), 30 degrees up.
	const FVector3d Sky = At(Image, 2, RowAt(View, 30.0));
	EXPECT_GT(Sky.Z, Sky.Y);
	EXPECT_GT(Sky.Y, Sky.X);
	const size_t SkyByte = (static_cast<size_t>(RowAt(View, 30.0)) * View.Width + 2) * 3;
	EXPECT_GT(Image.Srgb8[SkyByte + 2], Image.Srgb8[SkyByte + 0]);

	// The ground: albedo 0.18 under 100 klx at 60 degrees (less what the air takes) plus the sky.
	const double Ground = Luminance(At(Image, View.Width / 2, View.Height - 1));
	const double DirectOnly = 0.18 / UE_DOUBLE_PI * 100000.0 * std::sin(DegreesToRadians(60.0));
	EXPECT_GT(Ground, 0.6 * DirectOnly);
	EXPECT_LT(Ground, 1.5 * DirectOnly);

	// The sky light brightens the ground by the sky's irradiance.
	SkyLight->SetIntensity(0.0f);
	const double WithoutSkyLight = Luminance(At(Render(View), View.Width / 2, View.Height - 1));
	EXPECT_LT(WithoutSkyLight, Ground * 0.97);
}

// The ground shows the colour of the light on it: a warm low sun tints it warm, a white one leaves
// it closer to grey.
TEST_F(SceneWorld, GroundTakesTheColourOfItsLight)
{
	const FViewDescription View = SmallView();
	auto GroundRedOverBlue = [&] {
		const FVector3d Ground = At(Render(View), View.Width / 2, View.Height - 1);
		return Ground.X / Ground.Z;
	};
	const double White = GroundRedOverBlue();
	Sun->SetUseTemperature(true);
	Sun->SetTemperature(2500.0f);
	EXPECT_GT(GroundRedOverBlue(), White * 2.0);
}

// The sun's disc is the brightest thing in view when it is in view, where the sun is; out of view
// nothing as bright remains.
TEST_F(SceneWorld, SunDiscIsTheBrightestPixelWhereTheSunIs)
{
	SetElevation(Sun, 20.0, 40.0);
	FViewDescription View = SmallView();
	const FRenderedView Image = Render(View);
	size_t Brightest = 0;
	for (size_t Pixel = 0; Pixel < Image.SceneLinear.size(); ++Pixel)
	{
		const FVector3f& C = Image.SceneLinear[Pixel];
		const FVector3f& B = Image.SceneLinear[Brightest];
		if (Luminance(FVector3d(C.X, C.Y, C.Z)) > Luminance(FVector3d(B.X, B.Y, B.Z)))
		{
			Brightest = Pixel;
		}
	}
	const int Col = static_cast<int>(Brightest % View.Width);
	const int Row = static_cast<int>(Brightest / View.Width);
	const double Yaw = View.CentreYawDegrees - 0.5 * View.HorizontalFovDegrees + (Col + 0.5) * View.HorizontalFovDegrees / View.Width;
	const double Altitude = View.MaxAltitudeDegrees - (Row + 0.5) * (View.MaxAltitudeDegrees - View.MinAltitudeDegrees) / View.Height;
	EXPECT_NEAR(Yaw, 40.0, 2.0);
	EXPECT_NEAR(Altitude, 20.0, 2.0);
	EXPECT_GT(Luminance(At(Image, Col, Row)), 1e6);

	View.CentreYawDegrees = 220.0;
	double MaxAway = 0.0;
	for (const FVector3f& C : Render(View).SceneLinear)
	{
		MaxAway = std::max(MaxAway, Luminance(FVector3d(C.X, C.Y, C.Z)));
	}
	EXPECT_LT(MaxAway, 1e5);
}

// Night under the moon must be orders of magnitude darker than noon in scene luminance; the camera
// then brings it up only as far as the exposure range lets it.
TEST_F(SceneWorld, NightIsMuchDarkerBeforeExposure)
{
	const FRenderedView Noon = Render();
	SetElevation(Sun, -20.0, 0.0);
	SetElevation(Moon, 40.0, 180.0);
	const FRenderedView Night = Render();
	EXPECT_LT(Night.AverageLuminance, Noon.AverageLuminance * 1e-4);
	EXPECT_GT(Night.AverageLuminance, 0.0);
	EXPECT_LT(Night.ExposureEV100, Noon.ExposureEV100 - 10.0);
}

// The average luminance sets EV100 through the meter inside the post-process range, the range's
// bound outside it, and a pinned range fixes it whatever the scene.
TEST_F(SceneWorld, ExposureFollowsThePostProcessRange)
{
	const FRenderedView Free = Render();
	EXPECT_NEAR(Free.ExposureEV100, std::log2(Free.AverageLuminance * 100.0 / 12.5), 1e-9);
	EXPECT_GT(Free.ExposureEV100, 10.0);

	Volume->Settings.bOverride_AutoExposureMaxBrightness = true;
	Volume->Settings.AutoExposureMaxBrightness = 9.0f;
	const FRenderedView Capped = Render();
	EXPECT_DOUBLE_EQ(Capped.ExposureEV100, 9.0);
	EXPECT_DOUBLE_EQ(Capped.AverageLuminance, Free.AverageLuminance);

	// Pinned at a low EV100, the same noon is overexposed: brighter bytes everywhere on the ground.
	Volume->Settings.bOverride_AutoExposureMinBrightness = true;
	Volume->Settings.AutoExposureMinBrightness = 9.0f;
	const FRenderedView Pinned = Render();
	EXPECT_DOUBLE_EQ(Pinned.ExposureEV100, 9.0);
	const size_t GroundByte = (Pinned.SceneLinear.size() - Pinned.Width / 2) * 3;
	EXPECT_GT(Pinned.Srgb8[GroundByte + 1], Free.Srgb8[GroundByte + 1]);
}

// With no light at all the meter reads the bottom of its range (EV100 -10), not some arbitrary
// tiny luminance, and the picture is black.
TEST_F(SceneWorld, ADarkSceneMetersAtTheBottomOfTheRange)
{
	Sun->SetVisibility(false);
	Moon->SetVisibility(false);
	const FRenderedView Dark = Render();
	EXPECT_DOUBLE_EQ(Dark.AverageLuminance, std::exp2(-13.0));
	EXPECT_DOUBLE_EQ(Dark.ExposureEV100, -10.0);
	EXPECT_EQ(*std::max_element(Dark.Srgb8.begin(), Dark.Srgb8.end()), 0);
}

// Height fog must pull the horizon towards its in-scattering colour while the zenith keeps most of
// the sky, and must do nothing past its cutoff or with no opacity allowed.
TEST_F(SceneWorld, FogTintsTheHorizonTowardsItsInscatteringColour)
{
	FViewDescription View = SmallView();
	View.MaxAltitudeDegrees = 90.0;
	View.MinAltitudeDegrees = -10.0;
	const int HorizonRow = RowAt(View, 0.5);
	const int ZenithRow = 0;
	const int Col = 2;
	const FRenderedView Clear = Render(View);

	const FLinearColor FogColor(8000.0f, 3000.0f, 500.0f); // an orange haze, bright enough to matter at noon
	Fog->SetFogDensity(0.05f);
	Fog->SetFogInscatteringColor(FogColor);
	Fog->SetSkyAtmosphereAmbientContributionColorScale(FLinearColor::Black);
	const FRenderedView Foggy = Render(View);

	auto RedOverBlue = [](const FVector3d& C) { return C.X / C.Z; };
	const FVector3d HorizonClear = At(Clear, Col, HorizonRow);
	const FVector3d HorizonFoggy = At(Foggy, Col, HorizonRow);
	EXPECT_GT(RedOverBlue(HorizonFoggy), 0.9 * FogColor.R / FogColor.B);
	EXPECT_LT(RedOverBlue(HorizonClear), 1.5);
	const FVector3d ZenithFoggy = At(Foggy, Col, ZenithRow);
	EXPECT_LT(RedOverBlue(ZenithFoggy), RedOverBlue(HorizonFoggy) * 0.5);
	EXPECT_GT(ZenithFoggy.Z, 0.5 * At(Clear, Col, ZenithRow).Z);

	Fog->SetFogMaxOpacity(0.0f);
	const FVector3d NoOpacity = At(Render(View), Col, HorizonRow);
	EXPECT_NEAR(NoOpacity.X, HorizonClear.X, 1e-3 * HorizonClear.X);

	// Fog begins at its start distance: the ground at the eye's feet (metres away) is left clear.
	Fog->SetFogMaxOpacity(1.0f);
	const FVector3d GroundFoggy = At(Foggy, Col, View.Height - 1);
	const FVector3d GroundClear = At(Clear, Col, View.Height - 1);
	EXPECT_GT(RedOverBlue(GroundFoggy), RedOverBlue(GroundClear) * 1.01);
	Fog->SetStartDistance(100000.0f);
	const FVector3d GroundPastStart = At(Render(View), Col, View.Height - 1);
	EXPECT_NEAR(GroundPastStart.Z, GroundClear.Z, 1e-3 * GroundClear.Z);

	Fog->SetStartDistance(0.0f);
	Fog->SetFogCutoffDistance(1000.0f);
	const FVector3d PastCutoff = At(Render(View), Col, HorizonRow);
	EXPECT_NEAR(PastCutoff.Z, HorizonClear.Z, 1e-3 * HorizonClear.Z);
}

// Renderers on separate threads share nothing mutable: each gives the picture a lone renderer gives.
TEST_F(SceneWorld, SeparateRenderersAgreeAcrossThreads)
{
	const FSceneRenderState Scene = CaptureSceneRenderState(World);
	FViewDescription View = SmallView();
	View.Width = 48;
	View.Height = 24;
	FSceneViewRenderer Lone(EMultipleScatteringForm::EngineDefault, TestLutSizes);
	const FRenderedView Expected = Lone.Render(Scene, View);

	FRenderedView Results[2];
	std::thread Threads[2];
	for (int Index = 0; Index < 2; ++Index)
	{
		Threads[Index] = std::thread([&, Index] {
			FSceneViewRenderer Renderer(EMultipleScatteringForm::EngineDefault, TestLutSizes);
			Results[Index] = Renderer.Render(Scene, View);
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	for (const FRenderedView& Result : Results)
	{
		EXPECT_EQ(Result.Srgb8, Expected.Srgb8);
		EXPECT_EQ(Result.AverageLuminance, Expected.AverageLuminance);
	}
}

// A view of no pixels is refused as an empty picture rather than a crash or a division by zero.
TEST_F(SceneWorld, EmptyViewRendersNothing)
{
	FViewDescription View;
	View.Width = 0;
	const FRenderedView Image = Render(View);
	EXPECT_EQ(Image.Width, 0);
	EXPECT_TRUE(Image.Srgb8.empty());
}
