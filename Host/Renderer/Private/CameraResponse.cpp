// The camera as the engine's post-process applies it to scene luminance.
//
// Design note. Each stage follows the engine's own formula, in double precision:
// - Exposure: photometric exposure after Lagarde & de Rousiers, "Moving Frostbite to PBR" (2014,
//   p. 85), which the engine's eye adaptation is built on: a meter reading of average luminance L
//   gives EV100 = log2(L * S / K) with S = 100 and K = 12.5 (the reflected-light meter calibration);
//   the sensor saturates at LuminanceMax * 2^EV100, where LuminanceMax = 0.78 / 0.65 = 1.2 (ISO
//   12232 saturation-speed constant over the engine's default lens attenuation) when the extended
//   (EV100) luminance range is on, as in new projects. Exposure is 1 / (1.2 * 2^EV100), scaled by
//   2^bias (the bias is applied after the range clamp, as the engine's exposure compensation is).
// - White balance: the engine's post-process white balance. The white of WhiteTemp (the CIE daylight
//   locus from 4000 K, the Planckian locus below it, moved along the isotherm by WhiteTint) is
//   adapted to D65 by a von Kries transform in Bradford cone space, in CIE XYZ between Rec.709.
// - Tone curve: what the engine bakes into its colour-grading table by default, in AP1 (ACEScg):
//   the gamut expansion of bright saturated colours (ExpandGamut 1), the ACES blue-light artifact
//   LMT blended in by BlueCorrection 0.6, the filmic curve derived from the ACES RRT (glow and red
//   modifiers in AP0, 0.96 pre- and 0.93 post-desaturation, the toe / straight / shoulder curve in
//   log10 with the default Slope 0.88, Toe 0.55, Shoulder 0.26, BlackClip 0, WhiteClip 0.04), the
//   blue correction undone, back to Rec.709 clipped at 0. Colour grading is left at its identity
//   defaults; the engine samples all this from a 32^3 table, we evaluate it per pixel.
// - sRGB: the engine's table-driven 8-bit encode (FLinearColor::ToFColorSRGB).
#include "Renderer/CameraResponse.h"

#include "Engine/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace
{
	struct FMatrix3
	{
		std::array<double, 9> M{};

		double operator()(int Row, int Col) const { return M[Row * 3 + Col]; }
		double& operator()(int Row, int Col) { return M[Row * 3 + Col]; }

		FVector3d operator*(const FVector3d& V) const
		{
			return FVector3d(M[0] * V.X + M[1] * V.Y + M[2] * V.Z, M[3] * V.X + M[4] * V.Y + M[5] * V.Z, M[6] * V.X + M[7] * V.Y + M[8] * V.Z);
		}

		FMatrix3 operator*(const FMatrix3& B) const
		{
			FMatrix3 R;
			for (int I = 0; I < 3; ++I)
			{
				for (int J = 0; J < 3; ++J)
				{
					R(I, J) = (*this)(I, 0) * B(0, J) + (*this)(I, 1) * B(1, J) + (*this)(I, 2) * B(2, J);
				}
			}
			return R;
		}

		static FMatrix3 Diagonal(const FVector3d& D)
		{
			FMatrix3 R;
			R(0, 0) = D.X;
			R(1, 1) = D.Y;
			R(2, 2) = D.Z;
			return R;
		}

		FMatrix3 Inverse() const
		{
			const FMatrix3& A = *this;
			const double Det = A(0, 0) * (A(1, 1) * A(2, 2) - A(1, 2) * A(2, 1)) - A(0, 1) * (A(1, 0) * A(2, 2) - A(1, 2) * A(2, 0)) + A(0, 2) * (A(1, 0) * A(2, 1) - A(1, 1) * A(2, 0));
			FMatrix3 R;
			R(0, 0) = (A(1, 1) * A(2, 2) - A(1, 2) * A(2, 1)) / Det;
			R(0, 1) = (A(0, 2) * A(2, 1) - A(0, 1) * A(2, 2)) / Det;
			R(0, 2) = (A(0, 1) * A(1, 2) - A(0, 2) * A(1, 1)) / Det;
			R(1, 0) = (A(1, 2) * A(2, 0) - A(1, 0) * A(2, 2)) / Det;
			R(1, 1) = (A(0, 0) * A(2, 2) - A(0, 2) * A(2, 0)) / Det;
			R(1, 2) = (A(0, 2) * A(1, 0) - A(0, 0) * A(1, 2)) / Det;
			R(2, 0) = (A(1, 0) * A(2, 1) - A(1, 1) * A(2, 0)) / Det;
			R(2, 1) = (A(0, 1) * A(2, 0) - A(0, 0) * A(2, 1)) / Det;
			R(2, 2) = (A(0, 0) * A(1, 1) - A(0, 1) * A(1, 0)) / Det;
			return R;
		}
	};

	FVector3d XyToXYZ(double X, double Y)
	{
		return FVector3d(X / Y, 1.0, (1.0 - X - Y) / Y);
	}

	/** RGB to XYZ for a space given by its primaries' and white's chromaticities (the standard derivation). */
	FMatrix3 RgbToXyz(const double (&Primaries)[3][2], const double (&White)[2])
	{
		FMatrix3 P;
		for (int C = 0; C < 3; ++C)
		{
			const FVector3d XYZ = XyToXYZ(Primaries[C][0], Primaries[C][1]);
			P(0, C) = XYZ.X;
			P(1, C) = XYZ.Y;
			P(2, C) = XYZ.Z;
		}
		const FVector3d S = P.Inverse() * XyToXYZ(White[0], White[1]);
		return P * FMatrix3::Diagonal(S);
	}

	FMatrix3 BradfordConeResponse()
	{
		FMatrix3 B;
		B.M = {0.8951, 0.2664, -0.1614, -0.7502, 1.7135, 0.0367, 0.0389, -0.0685, 1.0296};
		return B;
	}

	/** Von Kries adaptation in Bradford cone space from one white (xy) to another. */
	FMatrix3 ChromaticAdaptation(double SrcX, double SrcY, double DstX, double DstY)
	{
		const FMatrix3 Cone = BradfordConeResponse();
		const FVector3d Src = Cone * XyToXYZ(SrcX, SrcY);
		const FVector3d Dst = Cone * XyToXYZ(DstX, DstY);
		return Cone.Inverse() * FMatrix3::Diagonal(FVector3d(Dst.X / Src.X, Dst.Y / Src.Y, Dst.Z / Src.Z)) * Cone;
	}

	constexpr double D65White[2] = {0.3127, 0.3290};
	constexpr double AcesWhite[2] = {0.32168, 0.33767};

	/** Colour-space matrices, built once from their chromaticities; immutable afterwards. */
	struct FColorSpaces
	{
		FMatrix3 SrgbToXyz;
		FMatrix3 XyzToSrgb;
		FMatrix3 Ap1ToSrgb;
		FMatrix3 Ap0ToAp1;
		FMatrix3 Ap1ToAp0;
		FMatrix3 SrgbToAp1;
		FVector3d Ap1Luminance;
		/** Wide-gamut expansion: AP1 read as Rec.709 and re-interpreted in primaries between P3 and AP1. */
		FMatrix3 ExpandGamut;
		/** BlueCorrection 0.6 of the blue-light LMT, and its undoing after the curve, in AP1. */
		FMatrix3 BlueCorrect;
		FMatrix3 BlueUncorrect;

		FColorSpaces()
		{
			constexpr double Srgb[3][2] = {{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}};
			constexpr double Ap0[3][2] = {{0.7347, 0.2653}, {0.0, 1.0}, {0.0001, -0.0770}};
			constexpr double Ap1[3][2] = {{0.713, 0.293}, {0.165, 0.830}, {0.128, 0.044}};
			SrgbToXyz = RgbToXyz(Srgb, D65White);
			XyzToSrgb = SrgbToXyz.Inverse();
			const FMatrix3 Ap0ToXyz = RgbToXyz(Ap0, AcesWhite);
			const FMatrix3 Ap1ToXyz = RgbToXyz(Ap1, AcesWhite);
			const FMatrix3 D65ToD60 = ChromaticAdaptation(D65White[0], D65White[1], AcesWhite[0], AcesWhite[1]);
			const FMatrix3 D60ToD65 = D65ToD60.Inverse();
			Ap1ToSrgb = XyzToSrgb * D60ToD65 * Ap1ToXyz;
			Ap0ToAp1 = Ap1ToXyz.Inverse() * Ap0ToXyz;
			Ap1ToAp0 = Ap0ToXyz.Inverse() * Ap1ToXyz;
			SrgbToAp1 = Ap1ToXyz.Inverse() * D65ToD60 * SrgbToXyz;
			Ap1Luminance = FVector3d(Ap1ToXyz(1, 0), Ap1ToXyz(1, 1), Ap1ToXyz(1, 2));

			FMatrix3 WideToXyz;
			WideToXyz.M = {0.5441691, 0.2395926, 0.1666943, 0.2394656, 0.7021530, 0.0583814, -0.0023439, 0.0361834, 1.0552183};
			ExpandGamut = Ap1ToXyz.Inverse() * WideToXyz * Ap1ToSrgb;

			FMatrix3 BlueLmt; // ACES LMT for bright saturated blues, defined on AP0
			BlueLmt.M = {0.9404372683, -0.0183068787, 0.0778696104, 0.0083786969, 0.8286599939, 0.1629613092, 0.0005471261, -0.0008833746, 1.0003362486};
			const FMatrix3 BlueAp1 = Ap0ToAp1 * BlueLmt * Ap1ToAp0;
			const FMatrix3 BlueInvAp1 = Ap0ToAp1 * BlueLmt.Inverse() * Ap1ToAp0;
			constexpr double BlueCorrection = 0.6;
			BlueCorrect = Blend(FMatrix3::Diagonal(FVector3d(1.0)), BlueAp1, BlueCorrection);
			BlueUncorrect = Blend(FMatrix3::Diagonal(FVector3d(1.0)), BlueInvAp1, BlueCorrection);
		}

		static FMatrix3 Blend(const FMatrix3& A, const FMatrix3& B, double T)
		{
			FMatrix3 R;
			for (int I = 0; I < 9; ++I)
			{
				R.M[I] = A.M[I] + (B.M[I] - A.M[I]) * T;
			}
			return R;
		}
	};

	const FColorSpaces& ColorSpaces()
	{
		static const FColorSpaces Spaces;
		return Spaces;
	}

	// --- White balance -----------------------------------------------------------------------

	/** CIE daylight locus; the temperature rescaled for the revised Planck constant so that 6500 K is D65. */
	void DaylightChromaticity(double Temp, double& OutX, double& OutY)
	{
		Temp *= 1.4388 / 1.438;
		const double X = Temp <= 7000.0
			? 0.244063 + (0.09911e3 + (2.9678e6 - 4.6070e9 / Temp) / Temp) / Temp
			: 0.237040 + (0.24748e3 + (1.9018e6 - 2.0064e9 / Temp) / Temp) / Temp;
		OutX = X;
		OutY = -3.0 * X * X + 2.87 * X - 0.275;
	}

	/** Planckian locus in CIE 1960 uv (the same rational fit as FLinearColor::MakeFromColorTemperature) and its derivative in T. */
	void PlanckianUV(double T, double& U, double& V, double& DU, double& DV)
	{
		const double UN = 0.860117757 + 1.54118254e-4 * T + 1.28641212e-7 * T * T;
		const double UD = 1.0 + 8.42420235e-4 * T + 7.08145163e-7 * T * T;
		const double VN = 0.317398726 + 4.22806245e-5 * T + 4.20481691e-8 * T * T;
		const double VD = 1.0 - 2.89741816e-5 * T + 1.61456053e-7 * T * T;
		U = UN / UD;
		V = VN / VD;
		DU = ((1.54118254e-4 + 2.0 * 1.28641212e-7 * T) * UD - UN * (8.42420235e-4 + 2.0 * 7.08145163e-7 * T)) / (UD * UD);
		DV = ((4.22806245e-5 + 2.0 * 4.20481691e-8 * T) * VD - VN * (-2.89741816e-5 + 2.0 * 1.61456053e-7 * T)) / (VD * VD);
	}

	void UVToXy(double U, double V, double& OutX, double& OutY)
	{
		OutX = 3.0 * U / (2.0 * U - 8.0 * V + 4.0);
		OutY = 2.0 * V / (2.0 * U - 8.0 * V + 4.0);
	}

	// --- Filmic tone curve (ACES RRT helpers) ------------------------------------------------

	double RgbToSaturation(const FVector3d& C)
	{
		const double Min = std::min({C.X, C.Y, C.Z});
		const double Max = std::max({C.X, C.Y, C.Z});
		return (std::max(Max, 1e-10) - std::max(Min, 1e-10)) / std::max(Max, 1e-2);
	}

	double RgbToYc(const FVector3d& C)
	{
		const double Chroma = std::sqrt(std::max(0.0, C.Z * (C.Z - C.Y) + C.Y * (C.Y - C.X) + C.X * (C.X - C.Z)));
		return (C.Z + C.Y + C.X + 1.75 * Chroma) / 3.0;
	}

	double SigmoidShaper(double X)
	{
		const double T = std::max(1.0 - std::abs(0.5 * X), 0.0);
		const double Sign = X > 0.0 ? 1.0 : (X < 0.0 ? -1.0 : 0.0);
		return 0.5 * (1.0 + Sign * (1.0 - T * T));
	}

	double GlowForward(double YcIn, double GlowGainIn, double GlowMid)
	{
		if (YcIn <= 2.0 / 3.0 * GlowMid)
		{
			return GlowGainIn;
		}
		if (YcIn >= 2.0 * GlowMid)
		{
			return 0.0;
		}
		return GlowGainIn * (GlowMid / YcIn - 0.5);
	}

	double RgbToHue(const FVector3d& C)
	{
		if (C.X == C.Y && C.Y == C.Z)
		{
			return 0.0;
		}
		double Hue = (180.0 / UE_DOUBLE_PI) * std::atan2(std::sqrt(3.0) * (C.Y - C.Z), 2.0 * C.X - C.Y - C.Z);
		return Hue < 0.0 ? Hue + 360.0 : Hue;
	}

	double CenterHue(double Hue, double Centre)
	{
		double H = Hue - Centre;
		if (H < -180.0)
		{
			H += 360.0;
		}
		else if (H > 180.0)
		{
			H -= 360.0;
		}
		return H;
	}

	double SmoothStep(double A, double B, double X)
	{
		const double T = std::clamp((X - A) / (B - A), 0.0, 1.0);
		return T * T * (3.0 - 2.0 * T);
	}

	struct FFilmCurve
	{
		double Slope = 0.88;
		double Toe = 0.55;
		double Shoulder = 0.26;
		double BlackClip = 0.0;
		double WhiteClip = 0.04;
	};

	double FilmChannel(const FFilmCurve& Film, double Value)
	{
		const double ToeScale = 1.0 + Film.BlackClip - Film.Toe;
		const double ShoulderScale = 1.0 + Film.WhiteClip - Film.Shoulder;
		const double InMatch = 0.18;
		const double OutMatch = 0.18;

		double ToeMatch;
		if (Film.Toe > 0.8)
		{
			// 0.18 on the straight segment.
			ToeMatch = (1.0 - Film.Toe - OutMatch) / Film.Slope + std::log10(InMatch);
		}
		else
		{
			// 0.18 on the toe: input InMatch gives output OutMatch.
			const double Bt = (OutMatch + Film.BlackClip) / ToeScale - 1.0;
			ToeMatch = std::log10(InMatch) - 0.5 * std::log((1.0 + Bt) / (1.0 - Bt)) * (ToeScale / Film.Slope);
		}
		const double StraightMatch = (1.0 - Film.Toe) / Film.Slope - ToeMatch;
		const double ShoulderMatch = Film.Shoulder / Film.Slope - StraightMatch;

		// A zero channel is the curve's limit at minus infinity: black.
		const double LogColor = std::log10(std::max(Value, 1e-30));
		const double Straight = Film.Slope * (LogColor + StraightMatch);
		double ToeColor = -Film.BlackClip + (2.0 * ToeScale) / (1.0 + std::exp((-2.0 * Film.Slope / ToeScale) * (LogColor - ToeMatch)));
		double ShoulderColor = (1.0 + Film.WhiteClip) - (2.0 * ShoulderScale) / (1.0 + std::exp((2.0 * Film.Slope / ShoulderScale) * (LogColor - ShoulderMatch)));
		ToeColor = LogColor < ToeMatch ? ToeColor : Straight;
		ShoulderColor = LogColor > ShoulderMatch ? ShoulderColor : Straight;

		double T = std::clamp((LogColor - ToeMatch) / (ShoulderMatch - ToeMatch), 0.0, 1.0);
		T = ShoulderMatch < ToeMatch ? 1.0 - T : T;
		T = (3.0 - 2.0 * T) * T * T;
		return ToeColor + (ShoulderColor - ToeColor) * T;
	}

	double Dot(const FVector3d& A, const FVector3d& B)
	{
		return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
	}

	FVector3d LerpFromGrey(double Grey, const FVector3d& C, double Amount)
	{
		return FVector3d(Grey + (C.X - Grey) * Amount, Grey + (C.Y - Grey) * Amount, Grey + (C.Z - Grey) * Amount);
	}
}

FCameraSettings ResolveCameraSettings(const FPostProcessSettings& Settings)
{
	// A default-constructed settings object holds the engine's defaults (the new-project EV100 range
	// -10..20 and the project's default exposure bias).
	const FPostProcessSettings Defaults;
	FCameraSettings Camera;
	Camera.MinEV100 = Settings.bOverride_AutoExposureMinBrightness ? Settings.AutoExposureMinBrightness : Defaults.AutoExposureMinBrightness;
	Camera.MaxEV100 = Settings.bOverride_AutoExposureMaxBrightness ? Settings.AutoExposureMaxBrightness : Defaults.AutoExposureMaxBrightness;
	Camera.ExposureBias = Settings.bOverride_AutoExposureBias ? Settings.AutoExposureBias : Defaults.AutoExposureBias;
	Camera.WhiteTemp = Settings.bOverride_WhiteTemp ? Settings.WhiteTemp : Defaults.WhiteTemp;
	Camera.WhiteTint = Settings.bOverride_WhiteTint ? Settings.WhiteTint : Defaults.WhiteTint;
	return Camera;
}

double ComputeExposureEV100(const FCameraSettings& Camera, double AverageLuminance)
{
	// The engine never lets the maximum fall below the minimum; equal bounds pin the exposure.
	const double MinEV100 = Camera.MinEV100;
	const double MaxEV100 = std::max(Camera.MinEV100, Camera.MaxEV100);
	if (MinEV100 == MaxEV100)
	{
		return MinEV100;
	}
	if (!(AverageLuminance > 0.0))
	{
		return MinEV100;
	}
	// Reflected-light meter: EV100 = log2(L * S / K), S = 100, K = 12.5.
	const double EV100 = std::log2(AverageLuminance * 100.0 / 12.5);
	return std::clamp(EV100, MinEV100, MaxEV100);
}

double ExposureScale(const FCameraSettings& Camera, double EV100)
{
	// Saturation-based sensor: luminance that saturates at EV100 is LuminanceMax * 2^EV100, with
	// LuminanceMax = 0.78 / 0.65 = 1.2 (ISO 12232 constant over the default lens attenuation).
	constexpr double LuminanceMax = 0.78 / 0.65;
	return std::exp2(static_cast<double>(Camera.ExposureBias)) / (LuminanceMax * std::exp2(EV100));
}

FVector3d ApplyWhiteBalance(const FVector3d& LinearRgb, float WhiteTemp, float WhiteTint)
{
	const double Temp = WhiteTemp;
	double SrcX, SrcY;
	double U, V, DU, DV;
	PlanckianUV(Temp, U, V, DU, DV);
	double PlanckX, PlanckY;
	UVToXy(U, V, PlanckX, PlanckY);
	if (Temp < 4000.0)
	{
		SrcX = PlanckX;
		SrcY = PlanckY;
	}
	else
	{
		DaylightChromaticity(Temp, SrcX, SrcY);
	}

	// Tint moves the white along the isotherm (perpendicular to the locus in uv), 0.05 uv per unit.
	const double Length = std::sqrt(DU * DU + DV * DV);
	const double TintU = U - DV / Length * WhiteTint * 0.05;
	const double TintV = V + DU / Length * WhiteTint * 0.05;
	double IsoX, IsoY;
	UVToXy(TintU, TintV, IsoX, IsoY);
	SrcX += IsoX - PlanckX;
	SrcY += IsoY - PlanckY;

	// The scene's white (of WhiteTemp) is made D65 white.
	const FColorSpaces& Spaces = ColorSpaces();
	const FMatrix3 Balance = Spaces.XyzToSrgb * ChromaticAdaptation(SrcX, SrcY, D65White[0], D65White[1]) * Spaces.SrgbToXyz;
	return Balance * LinearRgb;
}

FVector3d ApplyFilmicToneCurve(const FVector3d& ExposedRgb)
{
	const FColorSpaces& Spaces = ColorSpaces();
	const FVector3d Clean(std::max(ExposedRgb.X, 0.0), std::max(ExposedRgb.Y, 0.0), std::max(ExposedRgb.Z, 0.0));
	FVector3d Ap1 = Spaces.SrgbToAp1 * Clean;

	// Bright saturated colours pushed outside Rec.709, as a wide-gamut display would show them.
	const double Luma = Dot(Ap1, Spaces.Ap1Luminance);
	if (Luma > 0.0)
	{
		const FVector3d Chroma = Ap1 / Luma - FVector3d(1.0);
		const double ChromaDistSqr = Dot(Chroma, Chroma);
		const double ExpandAmount = (1.0 - std::exp2(-4.0 * ChromaDistSqr)) * (1.0 - std::exp2(-4.0 * Luma * Luma));
		Ap1 = Ap1 + (Spaces.ExpandGamut * Ap1 - Ap1) * ExpandAmount;
	}
	Ap1 = Spaces.BlueCorrect * Ap1;

	FVector3d Ap0 = Spaces.Ap1ToAp0 * Ap1;

	// Glow module.
	const double Saturation = RgbToSaturation(Ap0);
	const double YcIn = RgbToYc(Ap0);
	const double S = SigmoidShaper((Saturation - 0.4) / 0.2);
	const double AddedGlow = 1.0 + GlowForward(YcIn, 0.05 * S, 0.08);
	Ap0 = Ap0 * AddedGlow;

	// Red modifier.
	const double Hue = RgbToHue(Ap0);
	const double Centred = CenterHue(Hue, 0.0);
	const double HueWeight = std::pow(SmoothStep(0.0, 1.0, 1.0 - std::abs(2.0 * Centred / 135.0)), 2.0);
	Ap0.X += HueWeight * Saturation * (0.03 - Ap0.X) * (1.0 - 0.82);

	// AP1 working space, pre-desaturated.
	FVector3d Working = Spaces.Ap0ToAp1 * Ap0;
	Working = FVector3d(std::max(Working.X, 0.0), std::max(Working.Y, 0.0), std::max(Working.Z, 0.0));
	Working = LerpFromGrey(Dot(Working, Spaces.Ap1Luminance), Working, 0.96);

	const FFilmCurve Film;
	FVector3d Tone(FilmChannel(Film, Working.X), FilmChannel(Film, Working.Y), FilmChannel(Film, Working.Z));

	// Post-desaturation, the blue correction undone, then Rec.709 for display.
	Tone = LerpFromGrey(Dot(Tone, Spaces.Ap1Luminance), Tone, 0.93);
	Tone = FVector3d(std::max(Tone.X, 0.0), std::max(Tone.Y, 0.0), std::max(Tone.Z, 0.0));
	Tone = Spaces.BlueUncorrect * Tone;
	const FVector3d Out = Spaces.Ap1ToSrgb * Tone;
	return FVector3d(std::clamp(Out.X, 0.0, 1.0), std::clamp(Out.Y, 0.0, 1.0), std::clamp(Out.Z, 0.0, 1.0));
}

namespace
{
	// The engine's colour table shaper (r.LUT.Size 32): log2 over 14 stops, 0.18 at 444/1023.
	constexpr int ToneTableSize = 32;
	constexpr double ShaperRange = 14.0;
	constexpr double ShaperGrey = 0.18;
	constexpr double ShaperGreyCode = 444.0 / 1023.0;

	double LogToLin(double Code)
	{
		return std::exp2((Code - ShaperGreyCode) * ShaperRange) * ShaperGrey;
	}

	double LinToLog(double Linear)
	{
		return std::clamp(std::log2(std::max(Linear, 1e-30)) / ShaperRange - std::log2(ShaperGrey) / ShaperRange + ShaperGreyCode, 0.0, 1.0);
	}

	const std::vector<FVector3f>& ToneTable()
	{
		static const std::vector<FVector3f> Table = []
		{
			std::vector<FVector3f> Entries(static_cast<size_t>(ToneTableSize) * ToneTableSize * ToneTableSize);
			for (int B = 0; B < ToneTableSize; ++B)
			{
				for (int G = 0; G < ToneTableSize; ++G)
				{
					for (int R = 0; R < ToneTableSize; ++R)
					{
						// Offset by the shaper's floor, as the engine bakes it, so that black is the first entry exactly.
						const auto Code = [](int Index) { return LogToLin(static_cast<double>(Index) / (ToneTableSize - 1)) - LogToLin(0.0); };
						const FVector3d Out = ApplyFilmicToneCurve(FVector3d(Code(R), Code(G), Code(B)));
						Entries[(static_cast<size_t>(B) * ToneTableSize + G) * ToneTableSize + R] = FVector3f(static_cast<float>(Out.X), static_cast<float>(Out.Y), static_cast<float>(Out.Z));
					}
				}
			}
			return Entries;
		}();
		return Table;
	}
}

FVector3d ApplyFilmicToneCurveBaked(const FVector3d& ExposedRgb)
{
	const std::vector<FVector3f>& Table = ToneTable();
	const double Scale = ToneTableSize - 1;
	const double Floor = LogToLin(0.0);
	const double U[3] = {LinToLog(std::max(ExposedRgb.X, 0.0) + Floor) * Scale, LinToLog(std::max(ExposedRgb.Y, 0.0) + Floor) * Scale, LinToLog(std::max(ExposedRgb.Z, 0.0) + Floor) * Scale};
	int Index[3];
	double Fraction[3];
	for (int Axis = 0; Axis < 3; ++Axis)
	{
		Index[Axis] = std::min(static_cast<int>(U[Axis]), ToneTableSize - 2);
		Fraction[Axis] = U[Axis] - Index[Axis];
	}
	FVector3d Result(0.0);
	for (int Corner = 0; Corner < 8; ++Corner)
	{
		const int R = Index[0] + (Corner & 1);
		const int G = Index[1] + ((Corner >> 1) & 1);
		const int B = Index[2] + ((Corner >> 2) & 1);
		const double Weight = ((Corner & 1) ? Fraction[0] : 1.0 - Fraction[0]) * (((Corner >> 1) & 1) ? Fraction[1] : 1.0 - Fraction[1])
			* (((Corner >> 2) & 1) ? Fraction[2] : 1.0 - Fraction[2]);
		const FVector3f& Entry = Table[(static_cast<size_t>(B) * ToneTableSize + G) * ToneTableSize + R];
		Result += FVector3d(Entry.X, Entry.Y, Entry.Z) * Weight;
	}
	return Result;
}

uint8 EncodeSRGB8(double Linear)
{
	const float Value = static_cast<float>(Linear);
	return FLinearColor(Value, Value, Value).ToFColorSRGB().R;
}
