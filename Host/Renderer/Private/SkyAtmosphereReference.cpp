// The table-free reference of the fast sky: the same model (single scattering with the Rayleigh
// and Henyey-Greenstein phases, the planet's shadow, and the same multiple-scattering transfer
// in the same form) evaluated by converged quadrature in double precision, with no table and no
// ray-march sample placement. Every integral is split into Gauss-Legendre panels at the kinks of
// its integrand (absorption tent corners, the ray's lowest point, the planet shadow's edge), so it
// converges with few nodes; what it proves is the tables, their parameterisations, their sample
// counts and their interpolation.
//
// The multiple-scattering transfer at (radius, light zenith cosine) is evaluated on demand:
// - EngineDefault: luminance and transfer f of two vertical rays (up, down), ground bounce
//   included, times 1 + f + f^2 + f^3 + f^4;
// - Paper: the same integrated over the whole sphere of directions, times 1 / (1 - f).
// The sphere is integrated with Gauss-Legendre in zenith (split at the horizon) and azimuth (the
// integrand is symmetric about the light's plane).
#include "Renderer/SkyAtmosphereReferences.h"

#include "AtmospherePhysics.h"

#include <cmath>

using namespace AtmospherePhysics;

namespace
{
	/** Adds the planet shadow's edges along the ray (where the light ray grazes the planet) to Bounds. */
	int AddShadowBounds(const FVector3d& Origin, const FVector3d& Dir, const FVector3d& LightDir, double BottomRadius, double Length, double* Bounds, int Count, int Capacity)
	{
		// Shadow cylinder: |P - (P.L) L| = BottomRadius with P.L < 0.
		const FVector3d O = Origin - LightDir * Origin.Dot(LightDir);
		const FVector3d D = Dir - LightDir * Dir.Dot(LightDir);
		const double A = D.Dot(D);
		if (A < 1e-14)
		{
			return Count;
		}
		const double B = O.Dot(D);
		const double C = O.Dot(O) - BottomRadius * BottomRadius;
		const double Discriminant = B * B - A * C;
		if (Discriminant <= 0.0)
		{
			return Count;
		}
		const double Root = std::sqrt(Discriminant);
		for (double T : {(-B - Root) / A, (-B + Root) / A})
		{
			if (T > 1e-9 && T < Length - 1e-9 && Count < Capacity)
			{
				Bounds[Count++] = T;
			}
		}
		return Count;
	}

	/** Calls Visit(T, Weight) at Gauss-Legendre nodes of [0, Length] split at Bounds (sorted in place). */
	template <typename FRule = FGaussLegendre, typename FVisit>
	void ForEachNode(double* Bounds, int Count, FVisit&& Visit)
	{
		std::sort(Bounds, Bounds + Count);
		for (int Panel = 0; Panel + 1 < Count; ++Panel)
		{
			const double A = Bounds[Panel];
			const double Span = Bounds[Panel + 1] - A;
			if (Span <= 1e-12)
			{
				continue;
			}
			for (int Node = 0; Node < FRule::Count; ++Node)
			{
				Visit(A + Span * FRule::Nodes[Node], Span * FRule::Weights[Node]);
			}
		}
	}

	/** Gauss-Legendre nodes and weights on [0, 1] with N points (small N, computed by Newton). */
	void GaussLegendre(int N, std::vector<double>& Nodes, std::vector<double>& Weights)
	{
		Nodes.resize(N);
		Weights.resize(N);
		for (int I = 0; I < N; ++I)
		{
			double X = std::cos(Pi * (I + 0.75) / (N + 0.5));
			double Derivative = 0.0;
			for (int Iteration = 0; Iteration < 100; ++Iteration)
			{
				double P0 = 1.0;
				double P1 = X;
				for (int K = 2; K <= N; ++K)
				{
					const double P2 = ((2.0 * K - 1.0) * X * P1 - (K - 1.0) * P0) / K;
					P0 = P1;
					P1 = P2;
				}
				Derivative = N * (X * P1 - P0) / (X * X - 1.0);
				const double Step = P1 / Derivative;
				X -= Step;
				if (std::abs(Step) < 1e-15)
				{
					break;
				}
			}
			Nodes[I] = 0.5 * (1.0 - X);
			Weights[I] = 1.0 / ((1.0 - X * X) * Derivative * Derivative);
		}
	}

	/** Single-scattered luminance (isotropic phase, unit white light) and transfer f along one ray. */
	struct FRayTransfer
	{
		FVector3d L = FVector3d(0.0);
		FVector3d F = FVector3d(0.0);
	};

	/** One ray of the multiple-scattering transfer, from radius R along Dir (planet-centred frame, position on Z). */
	FRayTransfer TransferAlongRay(const FAtmosphereParameters& Atmosphere, double R, const FVector3d& Dir, const FVector3d& LightDir)
	{
		FRayTransfer Result;
		const double Mu = Dir.Z;
		const bool bGround = RayHitsGround(R, Mu, Atmosphere.BottomRadiusKm);
		const double Length = bGround ? DistanceToGround(R, Mu, Atmosphere.BottomRadiusKm) : DistanceToTop(R, Mu, Atmosphere.TopRadiusKm);
		const FVector3d Origin(0.0, 0.0, R);
		double Bounds[48];
		int Count = RayPanels(Atmosphere, R, Mu, Length, Bounds, 40);
		Count = AddShadowBounds(Origin, Dir, LightDir, Atmosphere.BottomRadiusKm, Length, Bounds, Count, 48);

		// Optical depth from the origin accumulated panel by panel: each node adds only its own panel's part.
		std::sort(Bounds, Bounds + Count);
		FDensities Before;
		for (int Panel = 0; Panel + 1 < Count; ++Panel)
		{
			const double A = Bounds[Panel];
			const double Span = Bounds[Panel + 1] - A;
			if (Span <= 1e-12)
			{
				continue;
			}
			const FVector3d StartPoint = Origin + Dir * A;
			const double StartRadius = StartPoint.Size();
			const double StartMu = StartPoint.Dot(Dir) / StartRadius;
			// Four nodes per panel: the panels already follow the integrand's kinks, and this ray
			// is evaluated a hundred times per transfer value.
			for (int Node = 0; Node < FGaussLegendre4::Count; ++Node)
			{
				const double T = A + Span * FGaussLegendre4::Nodes[Node];
				const double W = Span * FGaussLegendre4::Weights[Node];
				const FVector3d P = Origin + Dir * T;
				const double PRadius = P.Size();
				const FDensities Within = IntegrateDensities(Atmosphere, StartRadius, StartMu, T - A);
				FDensities Total = Before;
				Total.Rayleigh += Within.Rayleigh;
				Total.Mie += Within.Mie;
				Total.Absorption += Within.Absorption;
				const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, Total));
				const FMedium Medium = SampleMedium(Atmosphere, PRadius - Atmosphere.BottomRadiusKm);
				const FVector3d Scattering = Medium.Scattering();
				Result.F += ViewTransmittance * Scattering * W;
				if (!PlanetShadows(P, LightDir, Atmosphere.BottomRadiusKm))
				{
					const double MuLight = LightDir.Dot(P) / PRadius;
					const FVector3d LightTransmittance = ExactTransmittanceToTop(Atmosphere, PRadius, MuLight);
					Result.L += ViewTransmittance * Scattering * LightTransmittance * (IsotropicPhase * W);
				}
			}
			const FDensities Whole = IntegrateDensities(Atmosphere, StartRadius, StartMu, Span);
			Before.Rayleigh += Whole.Rayleigh;
			Before.Mie += Whole.Mie;
			Before.Absorption += Whole.Absorption;
		}
		if (bGround)
		{
			const FVector3d P = Origin + Dir * Length;
			const double PRadius = P.Size();
			const double MuLight = LightDir.Dot(P) / PRadius;
			const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, Before));
			Result.L += ViewTransmittance * ExactTransmittanceToTop(Atmosphere, PRadius, MuLight) * Saturate(MuLight) * Atmosphere.GroundAlbedo / Pi;
		}
		return Result;
	}

	/** A vertical ray (up or down) of the transfer: exact vertical optical depths, so cheaper than TransferAlongRay. */
	FRayTransfer TransferAlongVertical(const FAtmosphereParameters& Atmosphere, double R, bool bUp, double MuLight)
	{
		FRayTransfer Result;
		const double Altitude = R - Atmosphere.BottomRadiusKm;
		const double Top = Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm;
		const double End = bUp ? Top : 0.0;
		double Bounds[24];
		int Count = 0;
		Bounds[Count++] = 0.0;
		Bounds[Count++] = std::abs(End - Altitude);
		double Altitudes[16];
		const int AltitudeCount = PanelAltitudes(Atmosphere, Altitudes);
		const double SinLight = std::sqrt(std::max(0.0, 1.0 - MuLight * MuLight));
		double Extra[17];
		int ExtraCount = 0;
		for (int Index = 0; Index < AltitudeCount; ++Index)
		{
			Extra[ExtraCount++] = Altitudes[Index];
		}
		if (MuLight < 0.0 && SinLight > 0.0)
		{
			// Points below this altitude do not see a light under their horizon past the planet's limb.
			Extra[ExtraCount++] = Atmosphere.BottomRadiusKm / SinLight - Atmosphere.BottomRadiusKm;
		}
		for (int Index = 0; Index < ExtraCount; ++Index)
		{
			const double Distance = bUp ? Extra[Index] - Altitude : Altitude - Extra[Index];
			if (Distance > 1e-9 && Distance < Bounds[1] - 1e-9)
			{
				Bounds[Count++] = Distance;
			}
		}
		const FVector3d LightDir(SinLight, 0.0, MuLight);
		ForEachNode(Bounds, Count, [&](double T, double W)
		{
			const double PAltitude = bUp ? Altitude + T : Altitude - T;
			const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, VerticalDensities(Atmosphere, Altitude, PAltitude)));
			const FMedium Medium = SampleMedium(Atmosphere, PAltitude);
			const FVector3d Scattering = Medium.Scattering();
			Result.F += ViewTransmittance * Scattering * W;
			const FVector3d P(0.0, 0.0, Atmosphere.BottomRadiusKm + PAltitude);
			if (!PlanetShadows(P, LightDir, Atmosphere.BottomRadiusKm))
			{
				const FVector3d LightTransmittance = ExactTransmittanceToTop(Atmosphere, P.Z, MuLight);
				Result.L += ViewTransmittance * Scattering * LightTransmittance * (IsotropicPhase * W);
			}
		});
		if (!bUp)
		{
			const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, VerticalDensities(Atmosphere, Altitude, 0.0)));
			Result.L += ViewTransmittance * ExactTransmittanceToTop(Atmosphere, Atmosphere.BottomRadiusKm, MuLight) * Saturate(MuLight) * Atmosphere.GroundAlbedo / Pi;
		}
		return Result;
	}

	// The sphere of the paper's form: zenith in three parts (sky, the 12 degrees of sky above the
	// horizon where grazing rays gather most light and the lit part of twilight rays ends, and the
	// ground), each with its own Gauss-Legendre rule, times a Gauss-Legendre rule in azimuth over
	// half a turn. Converged to a few 0.1 % against twice the nodes where the sky's light comes from.
	constexpr int PaperZenithNodes = 6;
	constexpr int PaperAzimuthNodes = 8;
	constexpr double PaperGrazingBand = 12.0 * Pi / 180.0;
}

FSkyAtmosphereReference::FSkyAtmosphereReference(const FAtmosphereParameters& InAtmosphere, EMultipleScatteringForm InForm)
	: Atmosphere(InAtmosphere)
	, Form(InForm)
{
}

FVector3d FSkyAtmosphereReference::Transmittance(double AltitudeKm, double CosZenith) const
{
	const double R = Atmosphere.BottomRadiusKm + std::max(0.0, AltitudeKm);
	return ExactTransmittanceToTop(Atmosphere, std::min(R, Atmosphere.TopRadiusKm), std::clamp(CosZenith, -1.0, 1.0));
}

FVector3d FSkyAtmosphereReference::MultipleScattering(double RadiusKm, double CosLightZenith) const
{
	const double R = std::clamp(RadiusKm, Atmosphere.BottomRadiusKm, Atmosphere.TopRadiusKm);
	const double MuLight = std::clamp(CosLightZenith, -1.0, 1.0);
	FVector3d L(0.0);
	FVector3d F(0.0);
	if (Form == EMultipleScatteringForm::EngineDefault)
	{
		const FRayTransfer Up = TransferAlongVertical(Atmosphere, R, true, MuLight);
		const FRayTransfer Down = TransferAlongVertical(Atmosphere, R, false, MuLight);
		L = (Up.L + Down.L) * 0.5;
		F = (Up.F + Down.F) * 0.5;
		const FVector3d F2 = F * F;
		return L * (FVector3d(1.0) + F + F2 + F * F2 + F2 * F2) * Atmosphere.MultiScatteringFactor;
	}

	// The sphere average: zenith split at the horizon, azimuth over half a turn (mirror symmetry).
	std::vector<double> ZenithNodes;
	std::vector<double> ZenithWeights;
	std::vector<double> AzimuthNodes;
	std::vector<double> AzimuthWeights;
	GaussLegendre(PaperZenithNodes, ZenithNodes, ZenithWeights);
	GaussLegendre(PaperAzimuthNodes, AzimuthNodes, AzimuthWeights);
	const double HorizonZenith = Pi - std::asin(std::min(1.0, Atmosphere.BottomRadiusKm / R));
	const FVector3d LightDir(std::sqrt(std::max(0.0, 1.0 - MuLight * MuLight)), 0.0, MuLight);
	const double PartBounds[4] = {0.0, HorizonZenith - PaperGrazingBand, HorizonZenith, Pi};
	for (int Part = 0; Part < 3; ++Part)
	{
		const double ZenithStart = PartBounds[Part];
		const double ZenithSpan = PartBounds[Part + 1] - PartBounds[Part];
		for (int I = 0; I < PaperZenithNodes; ++I)
		{
			const double Zenith = ZenithStart + ZenithSpan * ZenithNodes[I];
			const double ZenithWeight = ZenithSpan * ZenithWeights[I] * std::sin(Zenith);
			for (int J = 0; J < PaperAzimuthNodes; ++J)
			{
				const double Azimuth = Pi * AzimuthNodes[J];
				const double Weight = ZenithWeight * 2.0 * Pi * AzimuthWeights[J] / (4.0 * Pi);
				const FVector3d Dir(std::sin(Zenith) * std::cos(Azimuth), std::sin(Zenith) * std::sin(Azimuth), std::cos(Zenith));
				const FRayTransfer Ray = TransferAlongRay(Atmosphere, R, Dir, LightDir);
				L += Ray.L * Weight;
				F += Ray.F * Weight;
			}
		}
	}
	const FVector3d Sum = FVector3d(1.0) / (FVector3d(1.0) - F.ComponentMin(FVector3d(0.999)));
	return L * Sum * Atmosphere.MultiScatteringFactor;
}

FVector3d FSkyAtmosphereReference::SkyLuminance(const FVector3d& ViewDirection, std::span<const FAtmosphereLight> Lights, double ObserverAltitudeKm) const
{
	const double Top = Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm;
	const double R0 = Atmosphere.BottomRadiusKm + std::clamp(ObserverAltitudeKm, MinObserverAltitudeKm, std::max(MinObserverAltitudeKm, Top - MinObserverAltitudeKm));
	const FVector3d Dir = ViewDirection.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
	const FVector3d Origin(0.0, 0.0, R0);
	const double Mu = Dir.Z;
	const bool bGround = RayHitsGround(R0, Mu, Atmosphere.BottomRadiusKm);
	const double Length = bGround ? DistanceToGround(R0, Mu, Atmosphere.BottomRadiusKm) : DistanceToTop(R0, Mu, Atmosphere.TopRadiusKm);

	FVector3d Total(0.0);
	for (const FAtmosphereLight& Light : Lights)
	{
		const FVector3d LightDir = Light.Direction.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
		const FVector3d Illuminance = Light.Illuminance * Atmosphere.SkyAndAerialPerspectiveLuminanceFactor;
		const double CosTheta = LightDir.Dot(Dir);
		const double PhaseRayleigh = RayleighPhase(CosTheta);
		const double PhaseMie = HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, CosTheta);

		double Bounds[48];
		int Count = RayPanels(Atmosphere, R0, Mu, Length, Bounds, 40);
		Count = AddShadowBounds(Origin, Dir, LightDir, Atmosphere.BottomRadiusKm, Length, Bounds, Count, 48);
		FVector3d L(0.0);
		ForEachNode(Bounds, Count, [&](double T, double W)
		{
			const FVector3d P = Origin + Dir * T;
			const double PRadius = P.Size();
			const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, IntegrateDensities(Atmosphere, R0, Mu, T)));
			const FMedium Medium = SampleMedium(Atmosphere, PRadius - Atmosphere.BottomRadiusKm);
			const double MuLight = LightDir.Dot(P) / PRadius;
			FVector3d S(0.0);
			if (!PlanetShadows(P, LightDir, Atmosphere.BottomRadiusKm))
			{
				S = ExactTransmittanceToTop(Atmosphere, PRadius, MuLight) * (Medium.ScatteringRayleigh * PhaseRayleigh + Medium.ScatteringMie * PhaseMie);
			}
			L += ViewTransmittance * S * W;
		});

		// The multiple-scattering term is smooth along the ray (no shadow edge, no phase lobe) and
		// costly per node, so it has its own, coarser panels (the ray's lowest point and two
		// altitudes) and a 4-point rule: a few 0.01 % of the sky.
		double MultipleBounds[8];
		int MultipleCount = 0;
		MultipleBounds[MultipleCount++] = 0.0;
		MultipleBounds[MultipleCount++] = Length;
		const double Tangent = -R0 * Mu;
		if (Tangent > 0.0 && Tangent < Length)
		{
			MultipleBounds[MultipleCount++] = Tangent;
		}
		for (double Altitude : {6.0, 25.0})
		{
			const double Radius = Atmosphere.BottomRadiusKm + Altitude;
			const double Discriminant = R0 * R0 * (Mu * Mu - 1.0) + Radius * Radius;
			if (Discriminant > 0.0)
			{
				for (double T : {-R0 * Mu - std::sqrt(Discriminant), -R0 * Mu + std::sqrt(Discriminant)})
				{
					if (T > 1e-9 && T < Length - 1e-9 && MultipleCount < 8)
					{
						MultipleBounds[MultipleCount++] = T;
					}
				}
			}
		}
		ForEachNode<FGaussLegendre4>(MultipleBounds, MultipleCount, [&](double T, double W)
		{
			const FVector3d P = Origin + Dir * T;
			const double PRadius = P.Size();
			const FVector3d ViewTransmittance = ExpNegative(ExtinctionOf(Atmosphere, IntegrateDensities(Atmosphere, R0, Mu, T)));
			const FMedium Medium = SampleMedium(Atmosphere, PRadius - Atmosphere.BottomRadiusKm);
			const double MuLight = LightDir.Dot(P) / PRadius;
			L += ViewTransmittance * MultipleScattering(PRadius, MuLight) * Medium.Scattering() * W;
		});
		Total += Illuminance * L;
	}
	return Total * Atmosphere.SkyLuminanceFactor;
}
