// The camera: exposure from the post-process settings, white balance, the filmic tone curve, sRGB.
#include "Renderer/CameraResponse.h"
#include "Renderer/SkyAtmosphereModel.h"

#include "Engine/Scene.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	struct FExposureCase
	{
		const char* Name;
		float MinEV100;
		float MaxEV100;
		double AverageLuminance;
		double ExpectedEV100;
	};

	class ExposureTable : public ::testing::TestWithParam<FExposureCase>
	{
	};

	FCameraSettings Camera(float MinEV100, float MaxEV100, float Bias = 0.0f)
	{
		FCameraSettings Settings;
		Settings.MinEV100 = MinEV100;
		Settings.MaxEV100 = MaxEV100;
		Settings.ExposureBias = Bias;
		return Settings;
	}
}

// The camera must settle where the engine's meter would: log2(L * 100 / 12.5) inside the range, the
// nearer bound outside it, the bound itself when the range is pinned.
TEST_P(ExposureTable, SettlesOnTheMeteredEV100WithinTheRange)
{
	const FExposureCase& Case = GetParam();
	EXPECT_NEAR(ComputeExposureEV100(Camera(Case.MinEV100, Case.MaxEV100), Case.AverageLuminance), Case.ExpectedEV100, 1e-9) << Case.Name;
}

INSTANTIATE_TEST_SUITE_P(CameraResponse, ExposureTable,
	::testing::Values(
		FExposureCase{"InRange", -10.0f, 20.0f, 128.0, 10.0},                   // 128 * 8 = 2^10
		FExposureCase{"OvercastDay", -10.0f, 20.0f, 4000.0, std::log2(32000.0)},
		FExposureCase{"ClampedAtTheBottom", -10.0f, 20.0f, 1e-6, -10.0},
		FExposureCase{"ClampedAtTheTop", -10.0f, 20.0f, 1e9, 20.0},
		FExposureCase{"NarrowRangeBelow", 8.0f, 9.0f, 1.0, 8.0},
		FExposureCase{"NarrowRangeAbove", 8.0f, 9.0f, 1e5, 9.0},
		FExposureCase{"PinnedIgnoresTheScene", 12.0f, 12.0f, 1e-3, 12.0},
		FExposureCase{"PinnedIgnoresABrightScene", 12.0f, 12.0f, 1e6, 12.0},
		FExposureCase{"MaxBelowMinPinsAtMin", 5.0f, 3.0f, 1e4, 5.0},
		FExposureCase{"BlackSceneFallsToMin", -4.0f, 20.0f, 0.0, -4.0}),
	[](const ::testing::TestParamInfo<FExposureCase>& Info) { return std::string(Info.param.Name); });

// Auto exposure must bring any metered average to the same display value (1 / 9.6, doubled per
// stop of bias): that is what the 12.5 calibration and the 1.2 saturation factor together mean.
TEST(CameraResponse, ExposureMapsTheMeteredAverageToAFixedGreyScaledByTheBias)
{
	for (const double Average : {0.01, 1.0, 150.0, 9000.0})
	{
		for (const float Bias : {-1.0f, 0.0f, 1.0f, 2.5f})
		{
			const FCameraSettings Settings = Camera(-10.0f, 20.0f, Bias);
			const double EV100 = ComputeExposureEV100(Settings, Average);
			EXPECT_NEAR(ExposureScale(Settings, EV100) * Average, std::exp2(static_cast<double>(Bias)) / 9.6, 1e-9) << Average << " bias " << Bias;
		}
	}
	// A pinned exposure is the saturation-based one for that EV100, whatever the scene.
	EXPECT_NEAR(ExposureScale(Camera(0.0f, 0.0f), 0.0), 1.0 / 1.2, 1e-12);
	EXPECT_NEAR(ExposureScale(Camera(10.0f, 10.0f), 10.0), 1.0 / (1.2 * 1024.0), 1e-12);
}

// Unset override flags must fall back to the engine's defaults (EV100 -10..20, bias 1, D65 white),
// never to whatever value sits behind the flag.
TEST(CameraResponse, ResolvesOverridesAgainstTheEngineDefaults)
{
	FPostProcessSettings Settings;
	Settings.AutoExposureMinBrightness = 3.0f;
	Settings.WhiteTemp = 3200.0f;
	const FCameraSettings Defaults = ResolveCameraSettings(Settings);
	EXPECT_EQ(Defaults.MinEV100, -10.0f);
	EXPECT_EQ(Defaults.MaxEV100, 20.0f);
	EXPECT_EQ(Defaults.ExposureBias, 1.0f);
	EXPECT_EQ(Defaults.WhiteTemp, 6500.0f);
	EXPECT_EQ(Defaults.WhiteTint, 0.0f);

	Settings.bOverride_AutoExposureMinBrightness = true;
	Settings.bOverride_AutoExposureMaxBrightness = true;
	Settings.AutoExposureMaxBrightness = 4.0f;
	Settings.bOverride_AutoExposureBias = true;
	Settings.AutoExposureBias = -0.5f;
	Settings.bOverride_WhiteTemp = true;
	Settings.bOverride_WhiteTint = true;
	Settings.WhiteTint = 0.25f;
	const FCameraSettings Overridden = ResolveCameraSettings(Settings);
	EXPECT_EQ(Overridden.MinEV100, 3.0f);
	EXPECT_EQ(Overridden.MaxEV100, 4.0f);
	EXPECT_EQ(Overridden.ExposureBias, -0.5f);
	EXPECT_EQ(Overridden.WhiteTemp, 3200.0f);
	EXPECT_EQ(Overridden.WhiteTint, 0.25f);
}

// At 6500 K without tint the white point is D65 already: colours must pass through unchanged.
TEST(CameraResponse, WhiteBalanceIsNeutralAtD65)
{
	for (const FVector3d& Color : {FVector3d(1.0, 1.0, 1.0), FVector3d(0.2, 0.5, 0.9), FVector3d(3.0, 0.1, 0.0)})
	{
		const FVector3d Balanced = ApplyWhiteBalance(Color, 6500.0f, 0.0f);
		EXPECT_NEAR(Balanced.X, Color.X, 3e-3 * std::max(1.0, Color.X));
		EXPECT_NEAR(Balanced.Y, Color.Y, 3e-3 * std::max(1.0, Color.Y));
		EXPECT_NEAR(Balanced.Z, Color.Z, 3e-3 * std::max(1.0, Color.Z));
	}
}

// The setting names the white of the scene's light: a low temperature compensates warm light (the
// picture cools), a high one compensates cold light (the picture warms), more so further from D65;
// grey keeps roughly its luminance.
TEST(CameraResponse, WhiteBalanceCoolsBelowD65AndWarmsAbove)
{
	auto BlueOverRed = [](float Temp) {
		const FVector3d White = ApplyWhiteBalance(FVector3d(1.0), Temp, 0.0f);
		return White.Z / White.X;
	};
	EXPECT_GT(BlueOverRed(5000.0f), 1.05);
	EXPECT_GT(BlueOverRed(3000.0f), BlueOverRed(5000.0f));
	EXPECT_GT(BlueOverRed(3000.0f), BlueOverRed(3500.0f)); // Planckian branch below 4000 K
	EXPECT_GT(BlueOverRed(3500.0f), BlueOverRed(5000.0f));
	EXPECT_LT(BlueOverRed(9000.0f), 0.95);
	EXPECT_LT(BlueOverRed(12000.0f), BlueOverRed(9000.0f));
	for (const float Temp : {3000.0f, 9000.0f})
	{
		EXPECT_NEAR(Luminance(ApplyWhiteBalance(FVector3d(0.5), Temp, 0.0f)), 0.5, 0.05) << Temp;
	}

	// Tint moves the white across the locus: the two signs push green in opposite directions.
	auto GreenShare = [](float Tint) {
		const FVector3d White = ApplyWhiteBalance(FVector3d(1.0), 6500.0f, Tint);
		return White.Y / (White.X + White.Z);
	};
	EXPECT_GT(GreenShare(0.5f), GreenShare(0.0f) * 1.02);
	EXPECT_LT(GreenShare(-0.5f), GreenShare(0.0f) / 1.02);
}

// The tone curve must map black to black, never reverse the order of two brightnesses, and roll
// highlights off into white instead of clipping them early or exceeding it.
TEST(CameraResponse, FilmicCurveIsMonotoneFromBlackAndSaturates)
{
	const FVector3d Black = ApplyFilmicToneCurve(FVector3d(0.0));
	EXPECT_NEAR(Black.X, 0.0, 1e-12);
	EXPECT_NEAR(Black.Y, 0.0, 1e-12);
	EXPECT_NEAR(Black.Z, 0.0, 1e-12);

	double Previous = 0.0;
	for (double Exposed = 1e-4; Exposed < 1e3; Exposed *= 1.25)
	{
		const double Out = ApplyFilmicToneCurve(FVector3d(Exposed)).Y;
		EXPECT_GE(Out, Previous) << Exposed;
		EXPECT_LE(Out, 1.0);
		Previous = Out;
	}
	// Mid grey stays mid grey (within the toe's matching), highlights compress, the top saturates.
	const double Grey = ApplyFilmicToneCurve(FVector3d(0.18)).Y;
	EXPECT_NEAR(Grey, 0.18, 0.06);
	EXPECT_LT(ApplyFilmicToneCurve(FVector3d(2.0)).Y, 1.0);
	EXPECT_GT(ApplyFilmicToneCurve(FVector3d(50.0)).Y, 0.99);

	// Per channel too: more red never gives less red, and the hue of a saturated colour survives.
	const FVector3d Orange = ApplyFilmicToneCurve(FVector3d(0.8, 0.3, 0.05));
	EXPECT_GT(Orange.X, Orange.Y);
	EXPECT_GT(Orange.Y, Orange.Z);
	EXPECT_GE(ApplyFilmicToneCurve(FVector3d(0.9, 0.3, 0.05)).X, Orange.X);
}

// Pixels go through the baked table as in the engine; it must stay within a few 8-bit steps of the
// exact curve over the range a frame can hold, or the previews would show banding or shifted hues.
TEST(CameraResponse, BakedCurveFollowsTheExactCurve)
{
	const double Levels[] = {0.0, 0.004, 0.02, 0.07, 0.18, 0.45, 1.0, 2.5, 6.0, 20.0};
	double Worst = 0.0;
	for (const double R : Levels)
	{
		for (const double G : Levels)
		{
			for (const double B : Levels)
			{
				const FVector3d Exact = ApplyFilmicToneCurve(FVector3d(R, G, B));
				const FVector3d Baked = ApplyFilmicToneCurveBaked(FVector3d(R, G, B));
				for (const double Difference : {Baked.X - Exact.X, Baked.Y - Exact.Y, Baked.Z - Exact.Z})
				{
					Worst = std::max(Worst, std::abs(Difference));
				}
			}
		}
	}
	EXPECT_LT(Worst, 0.02) << "largest difference in display-linear units";
	EXPECT_NEAR(ApplyFilmicToneCurveBaked(FVector3d(0.18)).Y, ApplyFilmicToneCurve(FVector3d(0.18)).Y, 0.005) << "mid grey within one 8-bit step";
	EXPECT_EQ(ApplyFilmicToneCurveBaked(FVector3d(0.0)).Y, 0.0) << "black stays black";
}

namespace
{
	struct FSrgbCase
	{
		double Linear;
		int Encoded;
	};

	class SrgbEncodeTable : public ::testing::TestWithParam<FSrgbCase>
	{
	};
}

// The picture's bytes must be the engine's sRGB encode, including its ends and its table's rounding.
TEST_P(SrgbEncodeTable, EncodesLikeTheEngine)
{
	EXPECT_EQ(EncodeSRGB8(GetParam().Linear), GetParam().Encoded) << GetParam().Linear;
}

INSTANTIATE_TEST_SUITE_P(CameraResponse, SrgbEncodeTable,
	::testing::Values(FSrgbCase{-1.0, 0}, FSrgbCase{0.0, 0}, FSrgbCase{0.001, 3}, FSrgbCase{0.043, 59}, FSrgbCase{0.18, 118},
		FSrgbCase{0.354, 160}, FSrgbCase{0.5, 188}, FSrgbCase{1.0, 255}, FSrgbCase{7.0, 255}));
