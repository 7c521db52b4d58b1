// A horizon panorama of a captured scene, lit and exposed as the engine would show it.
//
// Design note. Each pixel is one direction (yaw across, altitude up). Above the horizon: the sky
// from the atmosphere's sky-view lookups plus the light discs (the engine's light-disc luminance:
// illuminance times the transmittance towards the light over the disc's solid angle, area-sampled
// so a disc smaller than a pixel still shows with its energy). Below: a flat Lambertian ground at
// the eye's feet, lit by each visible atmosphere light (illuminance times the atmosphere's
// transmittance to the ground times the cosine) and by the sky light (the sky's irradiance on a
// horizontal surface, integrated from the same lookups, times the sky light's intensity and colour,
// as the engine's real-time sky capture feeds it), seen through the aerial perspective. The
// exponential height fog is then applied to every pixel with the engine's formula (see
// ApplyHeightFog). Last the camera: metering of the scene luminance, EV100, exposure, white
// balance, the filmic curve and the sRGB encode.
//
// A renderer owns its tables and scratch buffers; separate instances share nothing mutable, so
// several threads may each render with their own.
#include "Renderer/SceneViewRenderer.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr double CmPerKm = 100000.0;
	/** Distance (cm) at which the fog meets sky pixels: the far plane, beyond any fog layer that matters. */
	constexpr double SkyFogDistanceCm = 1.0e9;
	/** Flat ground further than this is not drawn nearer (km); only reached by very grazing rays from high eyes. */
	constexpr double MaxGroundDistanceKm = 500.0;

	FVector3d ToVector(const FLinearColor& Color)
	{
		return FVector3d(Color.R, Color.G, Color.B);
	}

	FVector3d Multiply(const FVector3d& A, const FVector3d& B)
	{
		return FVector3d(A.X * B.X, A.Y * B.Y, A.Z * B.Z);
	}

	FVector3d DirectionFromYawAltitude(double YawRadians, double AltitudeRadians)
	{
		const double CosAlt = std::cos(AltitudeRadians);
		return FVector3d(CosAlt * std::cos(YawRadians), CosAlt * std::sin(YawRadians), std::sin(AltitudeRadians));
	}

	/** The exponential height fog, with its values scaled as the engine's scene proxy keeps them. */
	struct FHeightFog
	{
		bool bEnabled = false;
		double Density[2] = {0.0, 0.0};
		double Falloff[2] = {0.0, 0.0};
		double Height[2] = {0.0, 0.0};
		double StartDistance = 0.0;
		double CutoffDistance = 0.0;
		double MinOpacity = 0.0;
		FVector3d Inscattering = FVector3d(0.0);
		double ObserverZ = 0.0;
		double CameraZ = 0.0;

		FHeightFog(const FHeightFogRenderState& Fog, const FVector3d& SkyAmbient, double CameraWorldZ)
		{
			bEnabled = Fog.bPresent;
			if (!bEnabled)
			{
				return;
			}
			// Artists edit densities and falloffs scaled up by 1000 (per km-ish numbers); the proxy scales them back to per cm.
			Density[0] = Fog.FogDensity / 1000.0;
			Falloff[0] = Fog.FogHeightFalloff / 1000.0;
			Height[0] = Fog.FogHeight;
			Density[1] = Fog.SecondFogDensity / 1000.0;
			Falloff[1] = Fog.SecondFogHeightFalloff / 1000.0;
			Height[1] = Fog.FogHeight + Fog.SecondFogHeightOffset;
			StartDistance = Fog.StartDistance;
			CutoffDistance = Fog.FogCutoffDistance;
			MinOpacity = 1.0 - Fog.FogMaxOpacity;
			// In-scattering: the fog's own luminance plus the sky atmosphere's ambient share.
			Inscattering = ToVector(Fog.InscatteringLuminance) + Multiply(SkyAmbient, ToVector(Fog.SkyAtmosphereAmbientContributionColorScale)) * static_cast<double>(Fog.HeightFogContribution);

			// The observer's height is clamped relative to the fog layers for precision, as the engine does.
			constexpr double MaxObserverHeightDifference = 65536.0;
			double MaxObserverHeight = 3.0e38;
			for (int Layer = 0; Layer < 2; ++Layer)
			{
				if (Density[Layer] > 0.0)
				{
					MaxObserverHeight = std::min(MaxObserverHeight, Height[Layer] + MaxObserverHeightDifference);
				}
			}
			CameraZ = CameraWorldZ;
			ObserverZ = std::min(CameraWorldZ, MaxObserverHeight);
		}

		static double LineIntegralShared(double HeightFalloff, double RayDirectionZ, double RayOriginTerms)
		{
			const double Falloff = std::max(-127.0, HeightFalloff * RayDirectionZ);
			const double LineIntegral = (1.0 - std::exp2(-Falloff)) / Falloff;
			// Taylor expansion around 0 where the quotient loses precision.
			const double LineIntegralTaylor = std::log(2.0) - (0.5 * std::log(2.0) * std::log(2.0)) * Falloff;
			return RayOriginTerms * (std::abs(Falloff) > 0.01 ? LineIntegral : LineIntegralTaylor);
		}

		/**
		 * The engine's exponential height fog along a view ray to a receiver ReceiverDistanceCm away:
		 * density Density * 2^(-Falloff * (z - Height)) integrated in closed form along the ray from
		 * the start distance, transmittance exp2(-integral) floored by 1 - max opacity, nothing past
		 * the cutoff distance; the colour fades towards the in-scattering luminance.
		 */
		FVector3d Apply(const FVector3d& Color, const FVector3d& Direction, double ReceiverDistanceCm) const
		{
			if (!bEnabled)
			{
				return Color;
			}
			FVector3d CameraToReceiver = Direction * ReceiverDistanceCm;
			CameraToReceiver.Z += CameraZ - ObserverZ;
			const double Length = std::max(CameraToReceiver.Size(), 1e-4);

			double RayOriginTerms[2];
			for (int Layer = 0; Layer < 2; ++Layer)
			{
				const double Power = std::clamp(-Falloff[Layer] * (ObserverZ - Height[Layer]), -126.0 + 1.0, 127.0 - 1.0);
				RayOriginTerms[Layer] = Density[Layer] * std::exp2(Power);
			}
			double RayLength = Length;
			double RayDirectionZ = CameraToReceiver.Z;

			if (StartDistance > 0.0)
			{
				const double ExcludeIntersectionTime = StartDistance / Length;
				const double CameraToExclusionIntersectionZ = ExcludeIntersectionTime * CameraToReceiver.Z;
				const double ExclusionIntersectionZ = ObserverZ + CameraToExclusionIntersectionZ;
				RayLength = (1.0 - ExcludeIntersectionTime) * Length;
				RayDirectionZ = CameraToReceiver.Z - CameraToExclusionIntersectionZ;
				for (int Layer = 0; Layer < 2; ++Layer)
				{
					const double Exponent = std::max(-127.0, Falloff[Layer] * (ExclusionIntersectionZ - Height[Layer]));
					RayOriginTerms[Layer] = Density[Layer] * std::exp2(-Exponent);
				}
			}

			double Integral = 0.0;
			for (int Layer = 0; Layer < 2; ++Layer)
			{
				if (Density[Layer] > 0.0)
				{
					Integral += LineIntegralShared(Falloff[Layer], RayDirectionZ, RayOriginTerms[Layer]);
				}
			}
			Integral *= RayLength;

			double FogFactor = std::max(std::clamp(std::exp2(-Integral), 0.0, 1.0), MinOpacity);
			if (CutoffDistance > 0.0 && Length > CutoffDistance)
			{
				FogFactor = 1.0;
			}
			return Color * FogFactor + Inscattering * (1.0 - FogFactor);
		}
	};

	/** Sky luminance integrated over the upper hemisphere, cosine-weighted (irradiance) and uniformly (for the fog's ambient). */
	void IntegrateSky(const FSkyAtmosphereLuts& Luts, FVector3d& OutIrradiance, FVector3d& OutRadiantSum)
	{
		constexpr int ZenithSteps = 8;
		constexpr int AzimuthSteps = 16;
		const double DTheta = 0.5 * UE_DOUBLE_PI / ZenithSteps;
		const double DPhi = 2.0 * UE_DOUBLE_PI / AzimuthSteps;
		OutIrradiance = FVector3d(0.0);
		OutRadiantSum = FVector3d(0.0);
		for (int I = 0; I < ZenithSteps; ++I)
		{
			const double Theta = (I + 0.5) * DTheta;
			const double SinTheta = std::sin(Theta);
			const double CosTheta = std::cos(Theta);
			for (int J = 0; J < AzimuthSteps; ++J)
			{
				const double Phi = (J + 0.5) * DPhi;
				const FVector3d Direction(SinTheta * std::cos(Phi), SinTheta * std::sin(Phi), CosTheta);
				const FVector3d L = Luts.SkyLuminance(Direction);
				const double SolidAngle = SinTheta * DTheta * DPhi;
				OutIrradiance += L * (CosTheta * SolidAngle);
				OutRadiantSum += L * SolidAngle;
			}
		}
	}
}

FSceneViewRenderer::FSceneViewRenderer(EMultipleScatteringForm Form, const FSkyAtmosphereLutSizes& Sizes)
	: Luts(Form, Sizes)
{
}

FRenderedView FSceneViewRenderer::Render(const FSceneRenderState& Scene, const FViewDescription& View)
{
	FRenderedView Result;
	if (View.Width <= 0 || View.Height <= 0)
	{
		return Result;
	}
	Result.Width = View.Width;
	Result.Height = View.Height;
	const size_t PixelCount = static_cast<size_t>(View.Width) * static_cast<size_t>(View.Height);
	Result.SceneLinear.resize(PixelCount);
	Result.Srgb8.resize(PixelCount * 3);

	std::vector<FAtmosphereLight> Lights;
	std::vector<FLinearColor> DiscScales;
	for (const FDirectionalLightRenderState& Light : Scene.Lights)
	{
		if (Light.bVisible)
		{
			Lights.push_back(Light.Light);
			DiscScales.push_back(Light.DiscColorScale);
		}
	}

	const double EyeHeightKm = std::max(View.EyeHeightKm, 1e-6);
	FVector3d SkyIrradiance(0.0);
	FVector3d SkyAmbient(0.0);
	if (Scene.bHasAtmosphere)
	{
		Luts.Update(Scene.Atmosphere, Lights, EyeHeightKm);
		FVector3d RadiantSum;
		IntegrateSky(Luts, SkyIrradiance, RadiantSum);
		// An isotropic fog particle lit by the sky: the sky's luminance averaged over the sphere.
		SkyAmbient = RadiantSum / (4.0 * UE_DOUBLE_PI);
	}

	auto TransmittanceToLight = [&](double AltitudeKm, const FVector3d& Direction) -> FVector3d
	{
		if (Scene.bHasAtmosphere)
		{
			return Luts.Transmittance(AltitudeKm, Direction.Z);
		}
		return Direction.Z > 0.0 ? FVector3d(1.0) : FVector3d(0.0);
	};

	// Ground: Lambertian, so its luminance is albedo / pi times the irradiance on it.
	FVector3d GroundIrradiance(0.0);
	for (const FAtmosphereLight& Light : Lights)
	{
		const double CosIncidence = std::max(Light.Direction.Z, 0.0);
		GroundIrradiance += Multiply(Light.Illuminance, TransmittanceToLight(0.0, Light.Direction)) * CosIncidence;
	}
	if (Scene.SkyLight.bPresent)
	{
		GroundIrradiance += Multiply(SkyIrradiance, ToVector(Scene.SkyLight.Color)) * static_cast<double>(Scene.SkyLight.Intensity);
	}
	const FVector3d GroundLuminance = GroundIrradiance * (View.GroundAlbedo / UE_DOUBLE_PI);

	const FHeightFog Fog(Scene.Fog, SkyAmbient, View.GroundWorldZ + EyeHeightKm * CmPerKm);

	const double DegToRad = UE_DOUBLE_PI / 180.0;
	const double YawStep = View.HorizontalFovDegrees / View.Width;
	const double AltitudeStep = (View.MaxAltitudeDegrees - View.MinAltitudeDegrees) / View.Height;
	const double LeftYaw = View.CentreYawDegrees - 0.5 * View.HorizontalFovDegrees;

	// Light discs, area-sampled per pixel: each pixel adds the share of its footprint the disc covers.
	std::vector<FVector3d>& DiscLuminance = DiscScratch;
	DiscLuminance.assign(PixelCount, FVector3d(0.0));
	for (size_t Index = 0; Index < Lights.size(); ++Index)
	{
		const FAtmosphereLight& Light = Lights[Index];
		const double HalfAngle = Light.DiscHalfAngleRadians;
		if (HalfAngle <= 0.0)
		{
			continue;
		}
		const double CosHalfAngle = std::cos(HalfAngle);
		const double DiscSolidAngle = 2.0 * UE_DOUBLE_PI * (1.0 - CosHalfAngle);
		const FVector3d Luminance = Multiply(Multiply(Light.Illuminance, TransmittanceToLight(EyeHeightKm, Light.Direction)), ToVector(DiscScales[Index])) / DiscSolidAngle;

		const double LightAltitude = std::asin(std::clamp(Light.Direction.Z, -1.0, 1.0)) / DegToRad;
		const double LightYaw = std::atan2(Light.Direction.Y, Light.Direction.X) / DegToRad;
		const double HalfDegrees = HalfAngle / DegToRad;
		const double CosAltitude = std::max(std::cos((std::abs(LightAltitude) + HalfDegrees) * DegToRad), 1e-3);
		const double HalfYawSpan = std::min(180.0, HalfDegrees / CosAltitude);
		const int RowFirst = std::max(0, static_cast<int>(std::floor((View.MaxAltitudeDegrees - (LightAltitude + HalfDegrees)) / AltitudeStep)));
		const int RowLast = std::min(View.Height - 1, static_cast<int>(std::floor((View.MaxAltitudeDegrees - (LightAltitude - HalfDegrees)) / AltitudeStep)));
		for (int Row = RowFirst; Row <= RowLast; ++Row)
		{
			for (int Col = 0; Col < View.Width; ++Col)
			{
				// Wrap the yaw difference so a disc across the view's back seam is found.
				const double PixelYaw = LeftYaw + (Col + 0.5) * YawStep;
				const double Delta = std::remainder(PixelYaw - LightYaw, 360.0);
				if (std::abs(Delta) > HalfYawSpan + YawStep)
				{
					continue;
				}
				constexpr int SubSamples = 6;
				int Covered = 0;
				for (int SY = 0; SY < SubSamples; ++SY)
				{
					const double Altitude = View.MaxAltitudeDegrees - (Row + (SY + 0.5) / SubSamples) * AltitudeStep;
					if (Altitude < 0.0)
					{
						continue; // The ground hides what is below the horizon.
					}
					for (int SX = 0; SX < SubSamples; ++SX)
					{
						const double Yaw = LeftYaw + (Col + (SX + 0.5) / SubSamples) * YawStep;
						const FVector3d Direction = DirectionFromYawAltitude(Yaw * DegToRad, Altitude * DegToRad);
						Covered += Direction.Dot(Light.Direction) > CosHalfAngle ? 1 : 0;
					}
				}
				DiscLuminance[static_cast<size_t>(Row) * View.Width + Col] += Luminance * (static_cast<double>(Covered) / (SubSamples * SubSamples));
			}
		}
	}

	for (int Row = 0; Row < View.Height; ++Row)
	{
		const double Altitude = (View.MaxAltitudeDegrees - (Row + 0.5) * AltitudeStep) * DegToRad;
		for (int Col = 0; Col < View.Width; ++Col)
		{
			const double Yaw = (LeftYaw + (Col + 0.5) * YawStep) * DegToRad;
			const FVector3d Direction = DirectionFromYawAltitude(Yaw, Altitude);
			const size_t Pixel = static_cast<size_t>(Row) * View.Width + Col;
			FVector3d Color;
			if (Direction.Z >= 0.0)
			{
				Color = Scene.bHasAtmosphere ? Luts.SkyLuminance(Direction) : FVector3d(0.0);
				Color += DiscLuminance[Pixel];
				Color = Fog.Apply(Color, Direction, SkyFogDistanceCm);
			}
			else
			{
				const double DistanceKm = std::min(EyeHeightKm / -Direction.Z, MaxGroundDistanceKm);
				Color = GroundLuminance;
				if (Scene.bHasAtmosphere)
				{
					const FAerialPerspective Aerial = Luts.AerialPerspective(Direction, DistanceKm);
					Color = Multiply(Color, Aerial.Transmittance) + Aerial.Inscattering;
				}
				Color = Fog.Apply(Color, Direction, DistanceKm * CmPerKm);
			}
			Result.SceneLinear[Pixel] = FVector3f(static_cast<float>(Color.X), static_cast<float>(Color.Y), static_cast<float>(Color.Z));
		}
	}

	// Metering as the engine's histogram does: the mean log2 luminance of the pixels between the
	// 10th and 90th percentile (so the light discs and the darkest ground do not sway it), each
	// pixel held inside the histogram's range (EV100 -10..20 with the extended luminance range).
	const double MeterLog2Min = -10.0 - 3.0; // EV100 = log2(L * 8)
	const double MeterLog2Max = 20.0 - 3.0;
	MeteringScratch.resize(PixelCount);
	for (size_t Pixel = 0; Pixel < PixelCount; ++Pixel)
	{
		const FVector3f& C = Result.SceneLinear[Pixel];
		const double Log2Luminance = std::log2(std::max(Luminance(FVector3d(C.X, C.Y, C.Z)), 1e-30));
		MeteringScratch[Pixel] = static_cast<float>(std::clamp(Log2Luminance, MeterLog2Min, MeterLog2Max));
	}
	const size_t Low = PixelCount / 10;
	const size_t High = std::max(Low + 1, PixelCount - PixelCount / 10);
	std::nth_element(MeteringScratch.begin(), MeteringScratch.begin() + Low, MeteringScratch.end());
	std::nth_element(MeteringScratch.begin() + Low, MeteringScratch.begin() + (High - 1), MeteringScratch.end());
	double LogSum = 0.0;
	for (size_t Pixel = Low; Pixel < High; ++Pixel)
	{
		LogSum += MeteringScratch[Pixel];
	}
	Result.AverageLuminance = std::exp2(LogSum / static_cast<double>(High - Low));
	Result.ExposureEV100 = ComputeExposureEV100(Scene.Camera, Result.AverageLuminance);
	const double Exposure = ExposureScale(Scene.Camera, Result.ExposureEV100);

	// White balance is linear: its matrix, read from the images of the unit colours, is applied per pixel.
	const FVector3d BalanceR = ApplyWhiteBalance(FVector3d(1.0, 0.0, 0.0), Scene.Camera.WhiteTemp, Scene.Camera.WhiteTint) * Exposure;
	const FVector3d BalanceG = ApplyWhiteBalance(FVector3d(0.0, 1.0, 0.0), Scene.Camera.WhiteTemp, Scene.Camera.WhiteTint) * Exposure;
	const FVector3d BalanceB = ApplyWhiteBalance(FVector3d(0.0, 0.0, 1.0), Scene.Camera.WhiteTemp, Scene.Camera.WhiteTint) * Exposure;
	for (size_t Pixel = 0; Pixel < PixelCount; ++Pixel)
	{
		const FVector3f& C = Result.SceneLinear[Pixel];
		const FVector3d Exposed = BalanceR * static_cast<double>(C.X) + BalanceG * static_cast<double>(C.Y) + BalanceB * static_cast<double>(C.Z);
		const FVector3d Display = ApplyFilmicToneCurveBaked(Exposed);
		Result.Srgb8[Pixel * 3 + 0] = EncodeSRGB8(Display.X);
		Result.Srgb8[Pixel * 3 + 1] = EncodeSRGB8(Display.Y);
		Result.Srgb8[Pixel * 3 + 2] = EncodeSRGB8(Display.Z);
	}
	return Result;
}
