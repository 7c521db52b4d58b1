// The fast sky: the engine's three sky-atmosphere tables, built on the CPU as its compute shaders
// build them, and the lookups a view makes.
//
// Design (after Hillaire, EGSR 2020, and the engine's sky-atmosphere shaders):
// - one ray-march routine does everything, as the engine's IntegrateSingleScatteredLuminance:
//   samples at 0.3 of each step, each step's in-scattering integrated analytically over the step
//   ((S - S T) / extinction), the planet's shadow tested per sample, ground bounce optional;
// - transmittance table: radius and zenith cosine in Bruneton's horizon-aware parameterisation;
// - multiple-scattering table (light zenith cosine x altitude): the second-order luminance of an
//   isotropic-phase medium lit by a unit white light, times the sum of higher orders, times
//   MultiScatteringFactor. EngineDefault integrates two directions (up and down) and sums
//   1 + f + f^2 + f^3 + f^4 (the engine with r.SkyAtmosphere.MultiScatteringLUT.HighQuality off);
//   Paper integrates 64 sphere directions (placed on both sides of the horizon) and uses 1 / (1 - f);
// - sky-view table: latitude/longitude around the observer, latitude squared towards the horizon,
//   built per set of lights with the light illuminance times SkyAndAerialPerspectiveLuminanceFactor;
//   SkyLuminance applies SkyLuminanceFactor on top, as the engine does for far-depth pixels.
//
// - aerial-perspective volume (the engine's camera volume, here all round the observer):
//   longitude x latitude x 16 depth slices squared towards the eye up to 96 km, 2 samples a slice,
//   built with the sky view; lookups past its depth are ray-marched.
//
// Sizes and sampling, measured against the table-free reference (mean over the visible hemisphere
// and zenith, sun at 90, 30, 5, 0, -4 degrees, both forms):
// - the engine's own settings miss by up to 11 %: its 0.3 sample offset over-weights the start of
//   each step (+7 % at the noon zenith with 4..32 sky-view samples) and its linear 32-texel
//   multiple-scattering axis overstates twilight (+11 % at -4 degrees). Samples here sit at the
//   middle of each step, the multiple-scattering table is interpolated in log space along an axis
//   four times denser around the horizon, and every table maps its edge texels onto the ends of its
//   parameter range (at small sizes the half texel matters: -2 % at noon with a 64-wide table);
// - with those, the smallest that stay within 1 % (2 % is the bound) are: transmittance 64 x 16
//   with 20 samples, multiple scattering 32 x 32 with 15, sky view 64 x 32 with 24..32 samples.
//   That is a tenth of the engine's sky-view cost, the table rebuilt for every new light position.
// - the paper's form places its 64 directions on both sides of the horizon (4 + 4 Gauss-Legendre
//   zenith nodes x 8 azimuths): the engine's 8 x 8 uniform strata straddle the horizon and miss
//   the converged sphere integral by 5 % of the sky at sunset.
// FSkyAtmosphereLutSizes::EngineSizes() gives the engine's settings, for comparison.
#include "Renderer/SkyAtmosphereLuts.h"

#include "AtmospherePhysics.h"

#include <chrono>
#include <cmath>

using namespace AtmospherePhysics;

FSkyAtmosphereLutSizes FSkyAtmosphereLutSizes::EngineSizes()
{
	FSkyAtmosphereLutSizes Engine;
	Engine.TransmittanceWidth = 256;
	Engine.TransmittanceHeight = 64;
	Engine.MultiScatteringSize = 32;
	Engine.SkyViewWidth = 192;
	Engine.SkyViewHeight = 108;
	Engine.TransmittanceSampleCount = 10;
	Engine.MultiScatteringSampleCount = 15;
	Engine.SkyViewSampleCountMin = 4.0;
	Engine.SkyViewSampleCountMax = 32.0;
	Engine.SkyViewDistanceToSampleCountMaxKm = 150.0;
	Engine.AerialPerspectiveWidth = 32;
	Engine.AerialPerspectiveHeight = 32;
	Engine.AerialPerspectiveDepthSlices = 16;
	Engine.AerialPerspectiveDepthKm = 96.0;
	Engine.AerialPerspectiveSamplesPerSlice = 2;
	Engine.AerialPerspectiveSampleCountMin = 2.0;
	Engine.AerialPerspectiveSampleCountMax = 16.0;
	Engine.AerialPerspectiveDistanceToSampleCountMaxKm = 150.0;
	Engine.SampleOffset = 0.3;
	return Engine;
}

namespace
{
	using FClock = std::chrono::steady_clock;

	/** How far above the ground the tables' ground rows are evaluated (10 cm): a ray starting on the ground counts as inside the planet. */
	constexpr double GroundLiftKm = 1e-4;

	double SecondsSince(FClock::time_point Start)
	{
		return std::chrono::duration<double>(FClock::now() - Start).count();
	}

	/**
	 * Light zenith cosine of the multiple-scattering table, x in -1..1 to mu = x (a + (1 - a) |x|):
	 * four times denser around the horizon than the engine's linear axis. Twilight lives within a
	 * few hundredths of mu = 0, where the transfer changes by orders of magnitude.
	 */
	constexpr double MultiScatteringHorizonSlope = 0.25;

	double MultiScatteringUnitToMu(double X)
	{
		return X * (MultiScatteringHorizonSlope + (1.0 - MultiScatteringHorizonSlope) * std::abs(X));
	}

	double MultiScatteringMuToUnit(double Mu)
	{
		const double A = MultiScatteringHorizonSlope;
		const double Magnitude = (-A + std::sqrt(A * A + 4.0 * (1.0 - A) * std::min(1.0, std::abs(Mu)))) / (2.0 * (1.0 - A));
		return Mu < 0.0 ? -Magnitude : Magnitude;
	}

	/** Logarithm with zero mapped to a value whose exponential is zero in practice. */
	double SafeLog(double Value)
	{
		return Value > 1e-30 ? std::log(Value) : -80.0;
	}

	/** Bilinear, clamp-to-edge, texel centres at (i + 0.5) / size: what a GPU sampler does. */
	FVector3d SampleBilinear(const std::vector<FVector3f>& Table, int Width, int Height, double U, double V)
	{
		const double X = std::clamp(U * Width - 0.5, 0.0, Width - 1.0);
		const double Y = std::clamp(V * Height - 0.5, 0.0, Height - 1.0);
		const int X0 = std::min(static_cast<int>(X), Width - 1);
		const int Y0 = std::min(static_cast<int>(Y), Height - 1);
		const int X1 = std::min(X0 + 1, Width - 1);
		const int Y1 = std::min(Y0 + 1, Height - 1);
		const float Fx = static_cast<float>(X - X0);
		const float Fy = static_cast<float>(Y - Y0);
		const FVector3f& A = Table[Y0 * Width + X0];
		const FVector3f& B = Table[Y0 * Width + X1];
		const FVector3f& C = Table[Y1 * Width + X0];
		const FVector3f& D = Table[Y1 * Width + X1];
		const FVector3f Top = A + (B - A) * Fx;
		const FVector3f Bottom = C + (D - C) * Fx;
		return FVector3d(Top + (Bottom - Top) * Fy);
	}

	struct FLightInput
	{
		FVector3d Direction;
		FVector3d Illuminance;
	};

	struct FSampling
	{
		bool bVariable = false;
		double CountIni = 10.0;
		double CountMin = 4.0;
		double CountMax = 32.0;
		double DistanceToCountMaxInv = 1.0 / 150.0;
		double Offset = 0.5;
	};

	/** Sample counts that grow with the ray's length up to their maximum, as the engine's sky passes do. */
	FSampling VariableSampling(double Offset, double CountMin, double CountMax, double DistanceToCountMaxKm)
	{
		FSampling Sampling;
		Sampling.Offset = Offset;
		Sampling.bVariable = true;
		Sampling.CountMin = CountMin;
		Sampling.CountMax = CountMax;
		Sampling.DistanceToCountMaxInv = 1.0 / std::max(1e-6, DistanceToCountMaxKm);
		return Sampling;
	}

	struct FRayMarchResult
	{
		FVector3d L = FVector3d(0.0);
		FVector3d OpticalDepth = FVector3d(0.0);
		FVector3d Transmittance = FVector3d(1.0);
		FVector3d MultiScatAs1 = FVector3d(0.0);
	};

	/** The tables a ray march reads (either may be absent while it is being built). */
	struct FTables
	{
		const FAtmosphereParameters& Atmosphere;
		const std::vector<FVector3f>* Transmittance = nullptr;
		int TransmittanceWidth = 0;
		int TransmittanceHeight = 0;
		const std::vector<FVector3f>* MultiScattering = nullptr;
		int MultiScatteringSize = 0;

		FVector3d TransmittanceToTop(double R, double Mu) const
		{
			double U = 0.0;
			double V = 0.0;
			TransmittanceParamsToUv(R, Mu, Atmosphere.BottomRadiusKm, Atmosphere.TopRadiusKm, U, V);
			return SampleBilinear(*Transmittance, TransmittanceWidth, TransmittanceHeight,
				FromUnitToSubUv(U, TransmittanceWidth), FromUnitToSubUv(V, TransmittanceHeight));
		}

		FVector3d MultipleScattering(double R, double MuLight) const
		{
			const double U = Saturate(MultiScatteringMuToUnit(MuLight) * 0.5 + 0.5);
			const double V = Saturate((R - Atmosphere.BottomRadiusKm) / (Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm));
			// The table holds logarithms: below the horizon the transfer falls by orders of magnitude
			// within a few texels, which linear interpolation overestimates badly at small sizes.
			const FVector3d Log = SampleBilinear(*MultiScattering, MultiScatteringSize, MultiScatteringSize,
				FromUnitToSubUv(U, MultiScatteringSize), FromUnitToSubUv(V, MultiScatteringSize));
			return FVector3d(std::exp(Log.X), std::exp(Log.Y), std::exp(Log.Z));
		}
	};
	/** The tables a pass reads, as built so far (the multiple-scattering one once it exists). */
	FTables BindTables(const FAtmosphereParameters& Atmosphere, const FSkyAtmosphereLutSizes& Sizes, const std::vector<FVector3f>& Transmittance,
		const std::vector<FVector3f>* MultiScattering)
	{
		FTables Tables{Atmosphere};
		Tables.Transmittance = &Transmittance;
		Tables.TransmittanceWidth = Sizes.TransmittanceWidth;
		Tables.TransmittanceHeight = Sizes.TransmittanceHeight;
		Tables.MultiScattering = MultiScattering;
		Tables.MultiScatteringSize = MultiScattering != nullptr ? Sizes.MultiScatteringSize : 0;
		return Tables;
	}


	/** Light scattered towards the viewer per unit length at P: direct (shadowed, phase) and multiple (table). */
	FVector3d ScatteredSource(const FTables& Tables, const FVector3d& P, double PHeight, const FMedium& Medium,
		std::span<const FLightInput> Lights, const double* RayleighPhases, const double* MiePhases)
	{
		FVector3d S(0.0);
		if (Lights.empty())
		{
			return S;
		}
		const FVector3d Up = P / PHeight;
		const FVector3d Scattering = Medium.Scattering();
		for (size_t LightIndex = 0; LightIndex < Lights.size(); ++LightIndex)
		{
			const FLightInput& Light = Lights[LightIndex];
			const double MuLight = Light.Direction.Dot(Up);
			const FVector3d PhaseTimesScattering = Medium.ScatteringMie * MiePhases[LightIndex] + Medium.ScatteringRayleigh * RayleighPhases[LightIndex];
			FVector3d Direct(0.0);
			if (!PlanetShadows(P, Light.Direction, Tables.Atmosphere.BottomRadiusKm))
			{
				Direct = Tables.TransmittanceToTop(PHeight, MuLight) * PhaseTimesScattering;
			}
			FVector3d Multiple(0.0);
			if (Tables.MultiScattering)
			{
				Multiple = Tables.MultipleScattering(PHeight, MuLight) * Scattering;
			}
			S += Light.Illuminance * (Direct + Multiple);
		}
		return S;
	}

	/**
	 * The engine's ray march (IntegrateSingleScatteredLuminance) from Position (planet-centred, km)
	 * along unit Dir up to the atmosphere's end, the ground, or MaxDistance.
	 */
	FRayMarchResult RayMarch(const FTables& Tables, const FVector3d& Position, const FVector3d& Dir, bool bGround,
		const FSampling& Sampling, bool bMieRayPhase, std::span<const FLightInput> Lights, double MaxDistance = 9.0e6)
	{
		const FAtmosphereParameters& Atmosphere = Tables.Atmosphere;
		FRayMarchResult Result;
		const double BottomRadius = Atmosphere.BottomRadiusKm;
		const double TopRadius = Atmosphere.TopRadiusKm;
		if (Position.SizeSquared() <= BottomRadius * BottomRadius)
		{
			return Result;
		}

		double TopNear = 0.0;
		double TopFar = 0.0;
		if (!IntersectSphere(Position, Dir, TopRadius, TopNear, TopFar) || (TopNear < 0.0 && TopFar < 0.0))
		{
			return Result;
		}
		double BottomNear = 0.0;
		double BottomFar = 0.0;
		const bool bHitsBottom = IntersectSphere(Position, Dir, BottomRadius, BottomNear, BottomFar) && !(BottomNear < 0.0 && BottomFar < 0.0);
		double TBottom = 0.0;
		double TMax = 0.0;
		if (!bHitsBottom)
		{
			TMax = std::max(TopNear, TopFar);
		}
		else
		{
			TBottom = std::max(0.0, std::min(BottomNear, BottomFar));
			TMax = TBottom;
		}
		const bool bEndsOnGround = bHitsBottom && TMax <= MaxDistance;
		TMax = std::min(TMax, MaxDistance);

		double SampleCount = Sampling.CountIni;
		double SampleCountFloor = Sampling.CountIni;
		double TMaxFloor = TMax;
		if (Sampling.bVariable)
		{
			SampleCount = Sampling.CountMin + (Sampling.CountMax - Sampling.CountMin) * Saturate(TMax * Sampling.DistanceToCountMaxInv);
			SampleCountFloor = std::max(1.0, std::floor(SampleCount));
			TMaxFloor = TMax * SampleCountFloor / SampleCount;
		}
		double Dt = TMax / SampleCount;

		// Phases per light (constant along the ray).
		constexpr int MaxLights = 4;
		const int LightCount = std::min<int>(static_cast<int>(Lights.size()), MaxLights);
		double RayleighPhases[MaxLights];
		double MiePhases[MaxLights];
		for (int LightIndex = 0; LightIndex < LightCount; ++LightIndex)
		{
			const double CosTheta = Lights[LightIndex].Direction.Dot(Dir);
			RayleighPhases[LightIndex] = bMieRayPhase ? RayleighPhase(CosTheta) : IsotropicPhase;
			MiePhases[LightIndex] = bMieRayPhase ? HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, CosTheta) : IsotropicPhase;
		}

		FVector3d L(0.0);
		FVector3d Throughput(1.0);
		FVector3d OpticalDepth(0.0);
		FVector3d MultiScatAs1(0.0);
		for (double SampleIndex = 0.0; SampleIndex < SampleCount; SampleIndex += 1.0)
		{
			double T = 0.0;
			if (Sampling.bVariable)
			{
				double T0 = SampleIndex / SampleCountFloor;
				double T1 = (SampleIndex + 1.0) / SampleCountFloor;
				T0 = T0 * T0;
				T1 = T1 * T1;
				T0 = TMaxFloor * T0;
				T1 = T1 > 1.0 ? TMax : TMaxFloor * T1;
				T = T0 + (T1 - T0) * Sampling.Offset;
				Dt = T1 - T0;
			}
			else
			{
				T = TMax * (SampleIndex + Sampling.Offset) / SampleCount;
			}
			const FVector3d P = Position + Dir * T;
			const double PHeight = P.Size();
			const FMedium Medium = SampleMedium(Atmosphere, PHeight - BottomRadius);
			const FVector3d SampleOpticalDepth = Medium.Extinction * Dt;
			const FVector3d SampleTransmittance(std::exp(-SampleOpticalDepth.X), std::exp(-SampleOpticalDepth.Y), std::exp(-SampleOpticalDepth.Z));
			OpticalDepth += SampleOpticalDepth;

			const FVector3d S = ScatteredSource(Tables, P, PHeight, Medium, Lights.first(LightCount), RayleighPhases, MiePhases);

			// The engine sums the multiple-scattering transfer as a Riemann sum (its power-series switch is off).
			MultiScatAs1 += Throughput * Medium.Scattering() * Dt;

			const FVector3d SafeExtinction = Medium.Extinction.ComponentMax(FVector3d(1e-9));
			const FVector3d SegmentIntegral = (S - S * SampleTransmittance) / SafeExtinction;
			L += Throughput * SegmentIntegral;
			Throughput *= SampleTransmittance;
		}

		if (bGround && bEndsOnGround && LightCount > 0)
		{
			// Light bounced off the planet (Lambertian, GroundAlbedo).
			const FVector3d P = Position + Dir * TBottom;
			const double PHeight = P.Size();
			const FVector3d Up = P / PHeight;
			for (int LightIndex = 0; LightIndex < LightCount; ++LightIndex)
			{
				const FLightInput& Light = Lights[LightIndex];
				const double MuLight = Light.Direction.Dot(Up);
				const double NdotL = Saturate(MuLight);
				L += Light.Illuminance * Tables.TransmittanceToTop(PHeight, MuLight) * Throughput * NdotL * Atmosphere.GroundAlbedo / Pi;
			}
		}

		Result.L = L;
		Result.OpticalDepth = OpticalDepth;
		Result.Transmittance = Throughput;
		Result.MultiScatAs1 = MultiScatAs1;
		return Result;
	}

	/**
	 * 64 directions over the sphere for the paper's form, with their solid-angle weights (summing to
	 * 1): 4 + 4 Gauss-Legendre zenith nodes above and below the horizon of radius R, times 8
	 * azimuths. The engine's 8 x 8 uniform strata straddle the horizon, where the integrand jumps
	 * from sky to ground; at small table sizes that quadrature error (up to 5 % of the sky at
	 * sunset) would dominate, and placing the same number of rays on each side of the horizon
	 * removes it.
	 */
	void PaperSphereDirections(double R, double BottomRadius, std::vector<FVector3d>& OutDirections, std::vector<double>& OutWeights)
	{
		static constexpr double Nodes[4] = {0.06943184420297371, 0.33000947820757187, 0.6699905217924281, 0.9305681557970263};
		static constexpr double Weights[4] = {0.17392742256872692, 0.32607257743127307, 0.32607257743127307, 0.17392742256872692};
		constexpr int Azimuths = 8;
		OutDirections.clear();
		OutWeights.clear();
		const double HorizonZenith = Pi - std::asin(std::min(1.0, BottomRadius / R));
		for (int Part = 0; Part < 2; ++Part)
		{
			const double Start = Part == 0 ? 0.0 : HorizonZenith;
			const double Span = Part == 0 ? HorizonZenith : Pi - HorizonZenith;
			for (int I = 0; I < 4; ++I)
			{
				const double Zenith = Start + Span * Nodes[I];
				const double ZenithWeight = Span * Weights[I] * std::sin(Zenith) / 2.0;
				for (int J = 0; J < Azimuths; ++J)
				{
					const double Azimuth = 2.0 * Pi * (J + 0.5) / Azimuths;
					OutDirections.emplace_back(std::sin(Zenith) * std::cos(Azimuth), std::sin(Zenith) * std::sin(Azimuth), std::cos(Zenith));
					OutWeights.push_back(ZenithWeight / Azimuths);
				}
			}
		}
	}

	bool SameLights(std::span<const FAtmosphereLight> A, const std::vector<FAtmosphereLight>& B)
	{
		if (A.size() != B.size())
		{
			return false;
		}
		for (size_t Index = 0; Index < A.size(); ++Index)
		{
			if (!(A[Index].Direction == B[Index].Direction) || !(A[Index].Illuminance == B[Index].Illuminance))
			{
				return false;
			}
		}
		return true;
	}
}

FSkyAtmosphereLuts::FSkyAtmosphereLuts(EMultipleScatteringForm InForm, const FSkyAtmosphereLutSizes& InSizes)
	: Form(InForm)
	, Sizes(InSizes)
{
	// The engine validates its table sizes to at least 4 texels; so do we.
	Sizes.TransmittanceWidth = std::max(4, Sizes.TransmittanceWidth);
	Sizes.TransmittanceHeight = std::max(4, Sizes.TransmittanceHeight);
	Sizes.MultiScatteringSize = std::max(4, Sizes.MultiScatteringSize);
	Sizes.SkyViewWidth = std::max(4, Sizes.SkyViewWidth);
	Sizes.SkyViewHeight = std::max(4, Sizes.SkyViewHeight);
	Sizes.TransmittanceSampleCount = std::max(1, Sizes.TransmittanceSampleCount);
	Sizes.MultiScatteringSampleCount = std::max(1, Sizes.MultiScatteringSampleCount);
	Sizes.SkyViewSampleCountMin = std::max(1.0, Sizes.SkyViewSampleCountMin);
	Sizes.SkyViewSampleCountMax = std::max(Sizes.SkyViewSampleCountMin + 1.0, Sizes.SkyViewSampleCountMax);
	Sizes.AerialPerspectiveWidth = std::max(4, Sizes.AerialPerspectiveWidth);
	Sizes.AerialPerspectiveHeight = std::max(4, Sizes.AerialPerspectiveHeight);
	Sizes.AerialPerspectiveDepthSlices = std::max(1, Sizes.AerialPerspectiveDepthSlices);
	Sizes.AerialPerspectiveDepthKm = std::max(0.001, Sizes.AerialPerspectiveDepthKm);
	Sizes.AerialPerspectiveSamplesPerSlice = std::max(1, Sizes.AerialPerspectiveSamplesPerSlice);
	Sizes.AerialPerspectiveSampleCountMin = std::max(1.0, Sizes.AerialPerspectiveSampleCountMin);
	Sizes.AerialPerspectiveSampleCountMax = std::max(Sizes.AerialPerspectiveSampleCountMin + 1.0, Sizes.AerialPerspectiveSampleCountMax);
}

void FSkyAtmosphereLuts::Update(const FAtmosphereParameters& InAtmosphere, std::span<const FAtmosphereLight> InLights, double InObserverAltitudeKm)
{
	const double EffectiveAltitude = std::clamp(InObserverAltitudeKm, MinObserverAltitudeKm,
		std::max(MinObserverAltitudeKm, InAtmosphere.TopRadiusKm - InAtmosphere.BottomRadiusKm - MinObserverAltitudeKm));
	const bool bAtmosphereChanged = !bHasAtmosphere || !(InAtmosphere == Atmosphere);
	const bool bViewChanged = bAtmosphereChanged || !SameLights(InLights, Lights) || EffectiveAltitude != ObserverAltitudeKm;

	Atmosphere = InAtmosphere;
	bHasAtmosphere = true;
	if (bAtmosphereChanged)
	{
		BuildTransmittance();
		BuildMultiScattering();
	}
	if (bViewChanged)
	{
		Lights.assign(InLights.begin(), InLights.end());
		ObserverAltitudeKm = EffectiveAltitude;
		BuildSkyView();
		BuildAerialPerspective();
	}
}

void FSkyAtmosphereLuts::BuildTransmittance()
{
	const FClock::time_point Start = FClock::now();
	const int Width = Sizes.TransmittanceWidth;
	const int Height = Sizes.TransmittanceHeight;
	TransmittanceLut.assign(static_cast<size_t>(Width) * Height, FVector3f(1.0f));
	const FTables Tables{Atmosphere};
	FSampling Sampling;
	Sampling.Offset = Sizes.SampleOffset;
	Sampling.CountIni = Sizes.TransmittanceSampleCount;
	for (int Y = 0; Y < Height; ++Y)
	{
		for (int X = 0; X < Width; ++X)
		{
			double R = 0.0;
			double Mu = 0.0;
			TransmittanceUvToParams(FromSubUvToUnit((X + 0.5) / Width, Width), FromSubUvToUnit((Y + 0.5) / Height, Height),
				Atmosphere.BottomRadiusKm, Atmosphere.TopRadiusKm, R, Mu);
			// The first row lies on the ground, where the ray march sees the ray as starting inside the planet.
			const FVector3d Position(0.0, 0.0, std::max(R, Atmosphere.BottomRadiusKm + GroundLiftKm));
			const FVector3d Dir(0.0, std::sqrt(std::max(0.0, 1.0 - Mu * Mu)), Mu);
			const FRayMarchResult Result = RayMarch(Tables, Position, Dir, false, Sampling, false, {});
			const FVector3d& Depth = Result.OpticalDepth;
			TransmittanceLut[Y * Width + X] = FVector3f(FVector3d(std::exp(-Depth.X), std::exp(-Depth.Y), std::exp(-Depth.Z)));
		}
	}
	Stats.TransmittanceBuilds++;
	Stats.TransmittanceSeconds += SecondsSince(Start);
}

void FSkyAtmosphereLuts::BuildMultiScattering()
{
	const FClock::time_point Start = FClock::now();
	const int Size = Sizes.MultiScatteringSize;
	MultiScatteringLut.assign(static_cast<size_t>(Size) * Size, FVector3f(0.0f));
	const FTables Tables = BindTables(Atmosphere, Sizes, TransmittanceLut, nullptr);
	FSampling Sampling;
	Sampling.Offset = Sizes.SampleOffset;
	Sampling.CountIni = Sizes.MultiScatteringSampleCount;

	const bool bPaper = Form == EMultipleScatteringForm::Paper;
	std::vector<FVector3d> Directions{FVector3d(0.0, 0.0, 1.0), FVector3d(0.0, 0.0, -1.0)};
	std::vector<double> Weights{0.5, 0.5};

	for (int Y = 0; Y < Size; ++Y)
	{
		for (int X = 0; X < Size; ++X)
		{
			// Texel centres span the whole range, edges included (the engine skips this at its sizes,
			// where the half texel at the edge is negligible; at small sizes it is not).
			const double MuLight = MultiScatteringUnitToMu(FromSubUvToUnit((X + 0.5) / Size, Size) * 2.0 - 1.0);
			const double R = Atmosphere.BottomRadiusKm + FromSubUvToUnit((Y + 0.5) / Size, Size) * (Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm);
			const FLightInput Light{FVector3d(0.0, std::sqrt(Saturate(1.0 - MuLight * MuLight)), MuLight), FVector3d(1.0)};
			const FVector3d Position(0.0, 0.0, std::max(R, Atmosphere.BottomRadiusKm + GroundLiftKm));
			if (bPaper && X == 0)
			{
				PaperSphereDirections(Position.Z, Atmosphere.BottomRadiusKm, Directions, Weights);
			}

			// Luminance averaged over the sphere (the engine's integral over 4 pi re-emitted by the
			// isotropic phase 1 / 4 pi), and the transfer f averaged likewise.
			FVector3d InScatteredLuminance(0.0);
			FVector3d MultiScatAs1(0.0);
			for (size_t Index = 0; Index < Directions.size(); ++Index)
			{
				const FRayMarchResult Result = RayMarch(Tables, Position, Directions[Index], true, Sampling, false, std::span<const FLightInput>(&Light, 1));
				InScatteredLuminance += Result.L * Weights[Index];
				MultiScatAs1 += Result.MultiScatAs1 * Weights[Index];
			}

			FVector3d Series;
			if (bPaper)
			{
				Series = FVector3d(1.0) / (FVector3d(1.0) - MultiScatAs1.ComponentMin(FVector3d(0.999)));
			}
			else
			{
				const FVector3d F = MultiScatAs1;
				const FVector3d F2 = F * F;
				Series = FVector3d(1.0) + F + F2 + F * F2 + F2 * F2;
			}
			const FVector3d Value = InScatteredLuminance * Series * Atmosphere.MultiScatteringFactor;
			MultiScatteringLut[Y * Size + X] = FVector3f(FVector3d(SafeLog(Value.X), SafeLog(Value.Y), SafeLog(Value.Z)));
		}
	}
	Stats.MultiScatteringBuilds++;
	Stats.MultiScatteringSeconds += SecondsSince(Start);
}

void FSkyAtmosphereLuts::BuildSkyView()
{
	const FClock::time_point Start = FClock::now();
	const int Width = Sizes.SkyViewWidth;
	const int Height = Sizes.SkyViewHeight;
	SkyViewLut.assign(static_cast<size_t>(Width) * Height, FVector3f(0.0f));

	// Azimuth frame: the first light's azimuth at the table's centre column, away from the seam.
	SkyViewAxisX = FVector3d(1.0, 0.0, 0.0);
	if (!Lights.empty())
	{
		const FVector3d Horizontal(Lights[0].Direction.X, Lights[0].Direction.Y, 0.0);
		if (Horizontal.SizeSquared() > 1e-12)
		{
			SkyViewAxisX = -Horizontal / Horizontal.Size();
		}
	}
	SkyViewAxisY = FVector3d(0.0, 0.0, 1.0) ^ SkyViewAxisX;

	std::vector<FLightInput> LocalLights;
	for (const FAtmosphereLight& Light : Lights)
	{
		const FVector3d Local(Light.Direction.Dot(SkyViewAxisX), Light.Direction.Dot(SkyViewAxisY), Light.Direction.Z);
		LocalLights.push_back({Local.GetSafeNormal(), Light.Illuminance * Atmosphere.SkyAndAerialPerspectiveLuminanceFactor});
	}

	const FTables Tables = BindTables(Atmosphere, Sizes, TransmittanceLut, &MultiScatteringLut);
	const FSampling Sampling = VariableSampling(Sizes.SampleOffset, Sizes.SkyViewSampleCountMin, Sizes.SkyViewSampleCountMax, Sizes.SkyViewDistanceToSampleCountMaxKm);

	const double ViewHeight = Atmosphere.BottomRadiusKm + ObserverAltitudeKm;
	const FVector3d Position(0.0, 0.0, ViewHeight);
	for (int Y = 0; Y < Height; ++Y)
	{
		const double V = FromSubUvToUnit((Y + 0.5) / Height, Height);
		const double ZenithAngle = SkyViewVToZenithAngle(V, ViewHeight, Atmosphere.BottomRadiusKm);
		const double CosZenith = std::cos(ZenithAngle);
		const double SinZenith = std::sin(ZenithAngle);
		for (int X = 0; X < Width; ++X)
		{
			const double U = FromSubUvToUnit((X + 0.5) / Width, Width);
			const double Longitude = U * 2.0 * Pi;
			const FVector3d Dir(SinZenith * std::cos(Longitude), SinZenith * std::sin(Longitude), CosZenith);
			const FRayMarchResult Result = RayMarch(Tables, Position, Dir, false, Sampling, true, LocalLights);
			SkyViewLut[Y * Width + X] = FVector3f(Result.L);
		}
	}
	Stats.SkyViewBuilds++;
	Stats.SkyViewSeconds += SecondsSince(Start);
}

FVector3d FSkyAtmosphereLuts::SkyLuminance(const FVector3d& ViewDirection) const
{
	if (!bHasAtmosphere || SkyViewLut.empty())
	{
		return FVector3d(0.0);
	}
	const FVector3d Dir = ViewDirection.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
	const FVector3d Local(Dir.Dot(SkyViewAxisX), Dir.Dot(SkyViewAxisY), Dir.Z);
	const double ViewHeight = Atmosphere.BottomRadiusKm + ObserverAltitudeKm;
	const bool bIntersectGround = RayHitsGround(ViewHeight, Local.Z, Atmosphere.BottomRadiusKm);
	const double ZenithAngle = std::acos(std::clamp(Local.Z, -1.0, 1.0));
	const double V = SkyViewZenithAngleToV(ZenithAngle, bIntersectGround, ViewHeight, Atmosphere.BottomRadiusKm);
	const double U = (std::atan2(-Local.Y, -Local.X) + Pi) / (2.0 * Pi);
	const FVector3d Luminance = SampleBilinear(SkyViewLut, Sizes.SkyViewWidth, Sizes.SkyViewHeight,
		FromUnitToSubUv(U, Sizes.SkyViewWidth), FromUnitToSubUv(V, Sizes.SkyViewHeight));
	return Luminance * Atmosphere.SkyLuminanceFactor;
}

FVector3d FSkyAtmosphereLuts::Transmittance(double AltitudeKm, double CosZenith) const
{
	if (!bHasAtmosphere || TransmittanceLut.empty())
	{
		return FVector3d(1.0);
	}
	const double R = Atmosphere.BottomRadiusKm + std::max(0.0, AltitudeKm);
	if (R >= Atmosphere.TopRadiusKm && CosZenith >= 0.0)
	{
		return FVector3d(1.0);
	}
	if (RayHitsGround(R, CosZenith, Atmosphere.BottomRadiusKm))
	{
		return FVector3d(0.0);
	}
	const FTables Tables{Atmosphere, &TransmittanceLut, Sizes.TransmittanceWidth, Sizes.TransmittanceHeight};
	return Tables.TransmittanceToTop(std::min(R, Atmosphere.TopRadiusKm), std::clamp(CosZenith, -1.0, 1.0));
}

void FSkyAtmosphereLuts::BuildAerialPerspective()
{
	const FClock::time_point Start = FClock::now();
	const int Width = Sizes.AerialPerspectiveWidth;
	const int Height = Sizes.AerialPerspectiveHeight;
	const int Slices = Sizes.AerialPerspectiveDepthSlices;
	const size_t Count = static_cast<size_t>(Width) * Height * Slices;
	AerialInscattering.assign(Count, FVector3f(0.0f));
	AerialTransmittance.assign(Count, FVector3f(1.0f));

	std::vector<FLightInput> WorldLights;
	for (const FAtmosphereLight& Light : Lights)
	{
		WorldLights.push_back({Light.Direction.GetSafeNormal(), Light.Illuminance * Atmosphere.SkyAndAerialPerspectiveLuminanceFactor});
	}
	const FTables Tables = BindTables(Atmosphere, Sizes, TransmittanceLut, &MultiScatteringLut);
	constexpr int MaxLights = 4;
	const int LightCount = std::min<int>(static_cast<int>(WorldLights.size()), MaxLights);
	double RayleighPhases[MaxLights];
	double MiePhases[MaxLights];

	const double ViewHeight = Atmosphere.BottomRadiusKm + ObserverAltitudeKm;
	const FVector3d Position(0.0, 0.0, ViewHeight);
	const double Depth = Sizes.AerialPerspectiveDepthKm;
	const int Steps = Sizes.AerialPerspectiveSamplesPerSlice;
	for (int Y = 0; Y < Height; ++Y)
	{
		const double ZenithAngle = SkyViewVToZenithAngle(FromSubUvToUnit((Y + 0.5) / Height, Height), ViewHeight, Atmosphere.BottomRadiusKm);
		for (int X = 0; X < Width; ++X)
		{
			const double Longitude = FromSubUvToUnit((X + 0.5) / Width, Width) * 2.0 * Pi;
			const FVector3d Dir = (SkyViewAxisX * std::cos(Longitude) + SkyViewAxisY * std::sin(Longitude)) * std::sin(ZenithAngle) + FVector3d(0.0, 0.0, std::cos(ZenithAngle));
			for (int LightIndex = 0; LightIndex < LightCount; ++LightIndex)
			{
				const double CosTheta = WorldLights[LightIndex].Direction.Dot(Dir);
				RayleighPhases[LightIndex] = RayleighPhase(CosTheta);
				MiePhases[LightIndex] = HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, CosTheta);
			}
			// Nothing is added past the top of the atmosphere. The planet's ground does not end the
			// ray: the caller's surface is the ground, and ending the rays there would make the
			// volume jump between its rows just under the horizon.
			const double End = DistanceToTop(ViewHeight, Dir.Z, Atmosphere.TopRadiusKm);
			FVector3d L(0.0);
			FVector3d Throughput(1.0);
			for (int Slice = 0; Slice < Slices; ++Slice)
			{
				const double A = static_cast<double>(Slice) / Slices;
				const double B = static_cast<double>(Slice + 1) / Slices;
				const double SliceStart = std::min(End, Depth * A * A);
				const double SliceEnd = std::min(End, Depth * B * B);
				const double Dt = (SliceEnd - SliceStart) / Steps;
				for (int Step = 0; Step < Steps && Dt > 0.0; ++Step)
				{
					const double T = SliceStart + (Step + Sizes.SampleOffset) * Dt;
					// Past the planet's ground the ray goes on as if along it, lit as the ground is, so
					// that each slice blends smoothly into the next for surfaces just before it.
					FVector3d P = Position + Dir * T;
					double PHeight = P.Size();
					if (PHeight < Atmosphere.BottomRadiusKm + GroundLiftKm)
					{
						P = P * ((Atmosphere.BottomRadiusKm + GroundLiftKm) / PHeight);
						PHeight = Atmosphere.BottomRadiusKm + GroundLiftKm;
					}
					const FMedium Medium = SampleMedium(Atmosphere, PHeight - Atmosphere.BottomRadiusKm);
					const FVector3d StepTransmittance = ExpNegative(Medium.Extinction * Dt);
					const FVector3d S = ScatteredSource(Tables, P, PHeight, Medium, std::span<const FLightInput>(WorldLights).first(LightCount), RayleighPhases, MiePhases);
					L += Throughput * (S - S * StepTransmittance) / Medium.Extinction.ComponentMax(FVector3d(1e-9));
					Throughput *= StepTransmittance;
				}
				const size_t Index = (static_cast<size_t>(Slice) * Height + Y) * Width + X;
				AerialInscattering[Index] = FVector3f(L);
				AerialTransmittance[Index] = FVector3f(Throughput);
			}
		}
	}
	// Built with the sky view, from the same inputs: counted with it.
	Stats.SkyViewSeconds += SecondsSince(Start);
}

FAerialPerspective FSkyAtmosphereLuts::AerialPerspective(const FVector3d& ViewDirection, double DistanceKm) const
{
	if (!bHasAtmosphere || AerialInscattering.empty() || DistanceKm <= 0.0)
	{
		return FAerialPerspective();
	}
	const double Depth = Sizes.AerialPerspectiveDepthKm;
	if (DistanceKm >= Depth)
	{
		return MarchAerialPerspective(ViewDirection, DistanceKm);
	}
	const int Width = Sizes.AerialPerspectiveWidth;
	const int Height = Sizes.AerialPerspectiveHeight;
	const int Slices = Sizes.AerialPerspectiveDepthSlices;

	// Direction: the sky view's longitude and latitude, bilinear between texel centres.
	const FVector3d Dir = ViewDirection.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
	const FVector3d Local(Dir.Dot(SkyViewAxisX), Dir.Dot(SkyViewAxisY), Dir.Z);
	const double ViewHeight = Atmosphere.BottomRadiusKm + ObserverAltitudeKm;
	const bool bIntersectGround = RayHitsGround(ViewHeight, Local.Z, Atmosphere.BottomRadiusKm);
	const double V = SkyViewZenithAngleToV(std::acos(std::clamp(Local.Z, -1.0, 1.0)), bIntersectGround, ViewHeight, Atmosphere.BottomRadiusKm);
	const double U = (std::atan2(-Local.Y, -Local.X) + Pi) / (2.0 * Pi);
	const double X = std::clamp(U * (Width - 1), 0.0, Width - 1.0);
	const double Y = std::clamp(V * (Height - 1), 0.0, Height - 1.0);
	const int X0 = std::min(static_cast<int>(X), Width - 2);
	const int Y0 = std::min(static_cast<int>(Y), Height - 2);
	const double Fx = X - X0;
	const double Fy = Y - Y0;

	// Depth: slice ends at Depth (k / Slices)^2; linear in distance between two ends, identity at the eye.
	const double W = std::sqrt(DistanceKm / Depth) * Slices;
	const int Slice = std::min(static_cast<int>(W), Slices - 1);
	const double SliceStart = Depth * (static_cast<double>(Slice) / Slices) * (static_cast<double>(Slice) / Slices);
	const double SliceEnd = Depth * (static_cast<double>(Slice + 1) / Slices) * (static_cast<double>(Slice + 1) / Slices);
	const double Fz = std::clamp((DistanceKm - SliceStart) / (SliceEnd - SliceStart), 0.0, 1.0);

	auto SampleSlice = [&](const std::vector<FVector3f>& Volume, int Index, const FVector3d& AtEye)
	{
		if (Index < 0)
		{
			return AtEye;
		}
		const size_t Base = static_cast<size_t>(Index) * Height * Width;
		const FVector3d A(Volume[Base + Y0 * Width + X0]);
		const FVector3d B(Volume[Base + Y0 * Width + X0 + 1]);
		const FVector3d C(Volume[Base + (Y0 + 1) * Width + X0]);
		const FVector3d D(Volume[Base + (Y0 + 1) * Width + X0 + 1]);
		return (A * (1.0 - Fx) + B * Fx) * (1.0 - Fy) + (C * (1.0 - Fx) + D * Fx) * Fy;
	};
	FAerialPerspective Result;
	Result.Inscattering = SampleSlice(AerialInscattering, Slice - 1, FVector3d(0.0)) * (1.0 - Fz) + SampleSlice(AerialInscattering, Slice, FVector3d(0.0)) * Fz;
	Result.Transmittance = SampleSlice(AerialTransmittance, Slice - 1, FVector3d(1.0)) * (1.0 - Fz) + SampleSlice(AerialTransmittance, Slice, FVector3d(1.0)) * Fz;
	return Result;
}

FAerialPerspective FSkyAtmosphereLuts::MarchAerialPerspective(const FVector3d& ViewDirection, double DistanceKm) const
{
	FAerialPerspective Result;
	std::vector<FLightInput> WorldLights;
	for (const FAtmosphereLight& Light : Lights)
	{
		WorldLights.push_back({Light.Direction.GetSafeNormal(), Light.Illuminance * Atmosphere.SkyAndAerialPerspectiveLuminanceFactor});
	}
	const FTables Tables = BindTables(Atmosphere, Sizes, TransmittanceLut, &MultiScatteringLut);
	const FSampling Sampling = VariableSampling(Sizes.SampleOffset, Sizes.AerialPerspectiveSampleCountMin, Sizes.AerialPerspectiveSampleCountMax, Sizes.AerialPerspectiveDistanceToSampleCountMaxKm);
	const FVector3d Position(0.0, 0.0, Atmosphere.BottomRadiusKm + ObserverAltitudeKm);
	const FVector3d Dir = ViewDirection.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
	const FRayMarchResult March = RayMarch(Tables, Position, Dir, false, Sampling, true, WorldLights, DistanceKm);
	Result.Inscattering = March.L;
	Result.Transmittance = March.Transmittance;
	return Result;
}
