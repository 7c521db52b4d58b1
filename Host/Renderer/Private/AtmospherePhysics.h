// The physics shared by the sky tables and their references: the medium (density profiles and
// coefficients), the phase functions, ray/sphere geometry, and the table parameterisations.
// Everything is in kilometres and per-kilometre coefficients, planet centre at the origin.
#pragma once

#include "Renderer/AtmosphereParameters.h"
#include "Renderer/SkyAtmosphereModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace AtmospherePhysics
{
	inline constexpr double Pi = std::numbers::pi;

	/**
	 * The engine keeps the sky's camera at least this far above the virtual planet's ground (its
	 * FAtmosphereSetup::ComputeViewData snaps a camera below BottomRadius + 5 m back up), so that
	 * the sky is always seen from above the ground even when the view is buried in it.
	 */
	inline constexpr double MinObserverAltitudeKm = 0.005;

	/** Float-accuracy offset of the planet in the shadow test (1 m), as the engine's shaders use. */
	inline constexpr double PlanetRadiusOffsetKm = 0.001;

	inline double Saturate(double Value) { return std::clamp(Value, 0.0, 1.0); }

	/** Densities (unitless, 1 at their reference) of the three constituents at an altitude. */
	struct FDensities
	{
		double Rayleigh = 0.0;
		double Mie = 0.0;
		double Absorption = 0.0;
	};

	/**
	 * Exponential Rayleigh and Mie densities, and the tent-shaped absorption layer: 0 below
	 * tip - width, rising linearly to 1 at the tip, falling back to 0 at tip + width (the engine's
	 * two linear layers, 1/15 x - 2/3 below 25 km and -1/15 x + 8/3 above, saturated).
	 */
	inline FDensities SampleDensities(const FAtmosphereParameters& Atmosphere, double AltitudeKm)
	{
		const double Altitude = std::max(0.0, AltitudeKm);
		FDensities Result;
		Result.Rayleigh = std::exp(Atmosphere.RayleighDensityExpScale * Altitude);
		Result.Mie = std::exp(Atmosphere.MieDensityExpScale * Altitude);
		const double Width = std::max(Atmosphere.OtherTentWidthKm, 1e-6);
		Result.Absorption = Saturate(1.0 - std::abs(Altitude - Atmosphere.OtherTentTipAltitudeKm) / Width);
		return Result;
	}

	/** Extinction (per km) of a column with these integrated densities (km). */
	inline FVector3d ExtinctionOf(const FAtmosphereParameters& Atmosphere, const FDensities& Densities)
	{
		return Atmosphere.RayleighScattering * Densities.Rayleigh
			+ Atmosphere.MieExtinction() * Densities.Mie
			+ Atmosphere.OtherAbsorption * Densities.Absorption;
	}

	struct FMedium
	{
		FVector3d ScatteringRayleigh = FVector3d(0.0);
		FVector3d ScatteringMie = FVector3d(0.0);
		FVector3d Extinction = FVector3d(0.0);

		FVector3d Scattering() const { return ScatteringRayleigh + ScatteringMie; }
	};

	inline FMedium SampleMedium(const FAtmosphereParameters& Atmosphere, double AltitudeKm)
	{
		const FDensities Densities = SampleDensities(Atmosphere, AltitudeKm);
		FMedium Medium;
		Medium.ScatteringRayleigh = Atmosphere.RayleighScattering * Densities.Rayleigh;
		Medium.ScatteringMie = Atmosphere.MieScattering * Densities.Mie;
		Medium.Extinction = ExtinctionOf(Atmosphere, Densities);
		return Medium;
	}

	/** Rayleigh phase, 3 / (16 pi) (1 + cos^2). */
	inline double RayleighPhase(double CosTheta)
	{
		return 3.0 / (16.0 * Pi) * (1.0 + CosTheta * CosTheta);
	}

	/**
	 * Henyey-Greenstein phase as the engine's shader evaluates it (not the Cornette-Shanks variant):
	 * (1 - g^2) / (4 pi (1 + g^2 - 2 g cos)^1.5), CosTheta the cosine between the direction towards the
	 * light and the view direction, so the lobe peaks when looking at the light.
	 */
	inline double HenyeyGreensteinPhase(double G, double CosTheta)
	{
		const double Denominator = std::max(1.0 + G * G - 2.0 * G * CosTheta, 1e-12);
		return (1.0 - G * G) / (4.0 * Pi * Denominator * std::sqrt(Denominator));
	}

	inline constexpr double IsotropicPhase = 1.0 / (4.0 * Pi);

	/** Both roots of |Origin + t Dir| = Radius (Dir unit); false when the line misses the sphere. */
	inline bool IntersectSphere(const FVector3d& Origin, const FVector3d& Dir, double Radius, double& OutNear, double& OutFar)
	{
		const double B = Origin.Dot(Dir);
		const double C = Origin.Dot(Origin) - Radius * Radius;
		const double Discriminant = B * B - C;
		if (Discriminant < 0.0)
		{
			return false;
		}
		const double Root = std::sqrt(Discriminant);
		OutNear = -B - Root;
		OutFar = -B + Root;
		return true;
	}

	/** Distance to the nearest intersection ahead (the engine's RaySphereIntersectNearest), -1 when none. */
	inline double IntersectSphereNearest(const FVector3d& Origin, const FVector3d& Dir, double Radius)
	{
		double Near = 0.0;
		double Far = 0.0;
		if (!IntersectSphere(Origin, Dir, Radius, Near, Far) || (Near < 0.0 && Far < 0.0))
		{
			return -1.0;
		}
		if (Near < 0.0)
		{
			return std::max(0.0, Far);
		}
		return std::max(0.0, Near);
	}

	/** Distance from radius R along zenith cosine Mu to the top of the atmosphere (R inside it). */
	inline double DistanceToTop(double R, double Mu, double TopRadius)
	{
		const double Discriminant = R * R * (Mu * Mu - 1.0) + TopRadius * TopRadius;
		return std::max(0.0, -R * Mu + std::sqrt(std::max(0.0, Discriminant)));
	}

	/** True when the ray from radius R along zenith cosine Mu meets the ground. */
	inline bool RayHitsGround(double R, double Mu, double BottomRadius)
	{
		return Mu < 0.0 && R * R * (Mu * Mu - 1.0) + BottomRadius * BottomRadius >= 0.0;
	}

	inline double DistanceToGround(double R, double Mu, double BottomRadius)
	{
		const double Discriminant = R * R * (Mu * Mu - 1.0) + BottomRadius * BottomRadius;
		return std::max(0.0, -R * Mu - std::sqrt(std::max(0.0, Discriminant)));
	}

	/** The planet (shifted down by the float-accuracy offset, as the engine does) hides the light. */
	inline bool PlanetShadows(const FVector3d& Position, const FVector3d& LightDir, double BottomRadius)
	{
		const double Height = Position.Size();
		const FVector3d Up = Position / Height;
		return IntersectSphereNearest(Position + Up * PlanetRadiusOffsetKm, LightDir, BottomRadius) >= 0.0;
	}

	// -----------------------------------------------------------------------------------------
	// Table parameterisations (the engine's, after Bruneton 2017).

	/** Transmittance table UV (0..1 each) to radius and zenith cosine: horizon-aware in both. */
	inline void TransmittanceUvToParams(double U, double V, double BottomRadius, double TopRadius, double& OutR, double& OutMu)
	{
		const double H = std::sqrt(TopRadius * TopRadius - BottomRadius * BottomRadius);
		const double Rho = H * V;
		OutR = std::sqrt(Rho * Rho + BottomRadius * BottomRadius);
		const double DMin = TopRadius - OutR;
		const double DMax = Rho + H;
		const double D = DMin + U * (DMax - DMin);
		OutMu = D == 0.0 ? 1.0 : (H * H - Rho * Rho - D * D) / (2.0 * OutR * D);
		OutMu = std::clamp(OutMu, -1.0, 1.0);
	}

	inline void TransmittanceParamsToUv(double R, double Mu, double BottomRadius, double TopRadius, double& OutU, double& OutV)
	{
		const double H = std::sqrt(std::max(0.0, TopRadius * TopRadius - BottomRadius * BottomRadius));
		const double Rho = std::sqrt(std::max(0.0, R * R - BottomRadius * BottomRadius));
		const double Discriminant = R * R * (Mu * Mu - 1.0) + TopRadius * TopRadius;
		const double D = std::max(0.0, -R * Mu + std::sqrt(std::max(0.0, Discriminant)));
		const double DMin = TopRadius - R;
		const double DMax = Rho + H;
		OutU = DMax > DMin ? (D - DMin) / (DMax - DMin) : 0.0;
		OutV = H > 0.0 ? Rho / H : 0.0;
	}

	/**
	 * Unit range to the range between the first and last texel centres, and back (sub-UVs), so that
	 * a table's edge texels hold the parameter range's ends. The engine's FromSubUvsToUnit is used
	 * as is; its FromUnitToSubUvs is not quite that function's inverse, the exact inverse is used here.
	 */
	inline double FromUnitToSubUv(double U, int Size) { return U * ((Size - 1.0) / Size) + 0.5 / Size; }
	inline double FromSubUvToUnit(double U, int Size) { return (U - 0.5 / Size) * (Size / (Size - 1.0)); }

	/**
	 * Sky-view table latitude: zenith to horizon in the upper half and horizon to nadir in the lower
	 * half, each squared towards the horizon so that most rows sit where the sky changes fastest.
	 * Returns the zenith angle for V in 0..1 (unit range) at radius R.
	 */
	inline double SkyViewVToZenithAngle(double V, double R, double BottomRadius)
	{
		const double Vhorizon = std::sqrt(std::max(0.0, R * R - BottomRadius * BottomRadius));
		const double Beta = std::acos(std::clamp(Vhorizon / R, -1.0, 1.0));
		const double ZenithHorizonAngle = Pi - Beta;
		if (V < 0.5)
		{
			double Coord = 1.0 - 2.0 * V;
			Coord = 1.0 - Coord * Coord;
			return ZenithHorizonAngle * Coord;
		}
		double Coord = V * 2.0 - 1.0;
		Coord *= Coord;
		return ZenithHorizonAngle + Beta * Coord;
	}

	inline double SkyViewZenithAngleToV(double ZenithAngle, bool bIntersectGround, double R, double BottomRadius)
	{
		const double Vhorizon = std::sqrt(std::max(0.0, R * R - BottomRadius * BottomRadius));
		const double Beta = std::acos(std::clamp(Vhorizon / R, -1.0, 1.0));
		const double ZenithHorizonAngle = Pi - Beta;
		if (!bIntersectGround)
		{
			double Coord = Saturate(ZenithAngle / ZenithHorizonAngle);
			Coord = 1.0 - std::sqrt(1.0 - Coord);
			return Coord * 0.5;
		}
		const double Coord = Saturate((ZenithAngle - ZenithHorizonAngle) / std::max(Beta, 1e-12));
		return std::sqrt(Coord) * 0.5 + 0.5;
	}

	/** Gauss-Legendre 4-point rule on [0, 1], for smooth integrands on short panels. */
	struct FGaussLegendre4
	{
		static constexpr int Count = 4;
		static constexpr double Nodes[Count] = {0.06943184420297371, 0.33000947820757187, 0.6699905217924281, 0.9305681557970263};
		static constexpr double Weights[Count] = {0.17392742256872692, 0.32607257743127307, 0.32607257743127307, 0.17392742256872692};
	};

	/** Gauss-Legendre nodes and weights on [0, 1]. */
	struct FGaussLegendre
	{
		static constexpr int Count = 8;
		static constexpr double Nodes[Count] = {
			0.019855071751231856, 0.10166676129318664, 0.2372337950418355, 0.4082826787521751,
			0.5917173212478249, 0.7627662049581645, 0.8983332387068134, 0.9801449282487681};
		static constexpr double Weights[Count] = {
			0.05061426814518813, 0.11119051722668724, 0.15685332293894363, 0.18134189168918100,
			0.18134189168918100, 0.15685332293894363, 0.11119051722668724, 0.05061426814518813};
	};

	// -----------------------------------------------------------------------------------------
	// Converged quadrature (the references): Gauss-Legendre panels split wherever the integrand
	// has a kink or a fast change (the absorption tent's corners, the ray's lowest point, a few
	// altitudes of the exponential profiles), so that a few nodes per panel reach double accuracy.

	/** Altitudes (km) at which a ray's integrand is split into panels. */
	inline int PanelAltitudes(const FAtmosphereParameters& Atmosphere, double (&Out)[16])
	{
		const double Top = Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm;
		const double Candidates[] = {
			0.5, 1.5, 3.0, 6.0, 10.0, 16.0, 24.0, 35.0, 48.0,
			Atmosphere.OtherTentTipAltitudeKm - Atmosphere.OtherTentWidthKm,
			Atmosphere.OtherTentTipAltitudeKm,
			Atmosphere.OtherTentTipAltitudeKm + Atmosphere.OtherTentWidthKm};
		int Count = 0;
		for (double Altitude : Candidates)
		{
			if (Altitude > 0.0 && Altitude < Top && Count < 16)
			{
				Out[Count++] = Altitude;
			}
		}
		return Count;
	}

	/**
	 * Panel boundaries in [0, Length] along the ray from radius R with zenith cosine Mu: where it
	 * crosses the panel altitudes, and its lowest point. Returns the count of boundaries (sorted,
	 * including 0 and Length).
	 */
	inline int RayPanels(const FAtmosphereParameters& Atmosphere, double R, double Mu, double Length, double* Out, int Capacity)
	{
		double Altitudes[16];
		const int AltitudeCount = PanelAltitudes(Atmosphere, Altitudes);
		int Count = 0;
		Out[Count++] = 0.0;
		const double Tangent = -R * Mu;
		if (Tangent > 0.0 && Tangent < Length)
		{
			Out[Count++] = Tangent;
		}
		for (int Index = 0; Index < AltitudeCount; ++Index)
		{
			const double Radius = Atmosphere.BottomRadiusKm + Altitudes[Index];
			const double Discriminant = R * R * (Mu * Mu - 1.0) + Radius * Radius;
			if (Discriminant <= 0.0)
			{
				continue;
			}
			const double Root = std::sqrt(Discriminant);
			for (double T : {-R * Mu - Root, -R * Mu + Root})
			{
				if (T > 1e-9 && T < Length - 1e-9 && Count < Capacity - 1)
				{
					Out[Count++] = T;
				}
			}
		}
		Out[Count++] = Length;
		std::sort(Out, Out + Count);
		return Count;
	}

	/** Integrated densities (km) along the ray from radius R, zenith cosine Mu, over [0, Length]. */
	inline FDensities IntegrateDensities(const FAtmosphereParameters& Atmosphere, double R, double Mu, double Length)
	{
		double Bounds[40];
		const int BoundCount = RayPanels(Atmosphere, R, Mu, Length, Bounds, 40);
		FDensities Sum;
		for (int Panel = 0; Panel + 1 < BoundCount; ++Panel)
		{
			const double A = Bounds[Panel];
			const double Span = Bounds[Panel + 1] - A;
			if (Span <= 0.0)
			{
				continue;
			}
			for (int Node = 0; Node < FGaussLegendre::Count; ++Node)
			{
				const double T = A + Span * FGaussLegendre::Nodes[Node];
				const double Radius = std::sqrt(std::max(0.0, R * R + T * T + 2.0 * R * Mu * T));
				const FDensities D = SampleDensities(Atmosphere, Radius - Atmosphere.BottomRadiusKm);
				const double W = Span * FGaussLegendre::Weights[Node];
				Sum.Rayleigh += D.Rayleigh * W;
				Sum.Mie += D.Mie * W;
				Sum.Absorption += D.Absorption * W;
			}
		}
		return Sum;
	}

	inline FVector3d ExpNegative(const FVector3d& OpticalDepth)
	{
		return FVector3d(std::exp(-OpticalDepth.X), std::exp(-OpticalDepth.Y), std::exp(-OpticalDepth.Z));
	}

	/** Transmittance to the top of the atmosphere by converged quadrature; 0 where the ground is in the way. */
	inline FVector3d ExactTransmittanceToTop(const FAtmosphereParameters& Atmosphere, double R, double Mu)
	{
		if (RayHitsGround(R, Mu, Atmosphere.BottomRadiusKm))
		{
			return FVector3d(0.0);
		}
		const double Length = DistanceToTop(R, Mu, Atmosphere.TopRadiusKm);
		return ExpNegative(ExtinctionOf(Atmosphere, IntegrateDensities(Atmosphere, R, Mu, Length)));
	}

	/** Integral of the tent profile from altitude 0 to Altitude (km), exact. */
	inline double TentIntegral(const FAtmosphereParameters& Atmosphere, double Altitude)
	{
		const double Width = std::max(Atmosphere.OtherTentWidthKm, 1e-6);
		const double Tip = Atmosphere.OtherTentTipAltitudeKm;
		auto Antiderivative = [&](double H)
		{
			// Integral of max(0, 1 - |x - Tip| / Width) from -infinity to H.
			const double X = std::clamp(H - Tip, -Width, Width);
			return X <= 0.0 ? (X + Width) * (X + Width) / (2.0 * Width) : Width - (Width - X) * (Width - X) / (2.0 * Width);
		};
		return Antiderivative(std::max(0.0, Altitude)) - Antiderivative(0.0);
	}

	/** Integrated densities along a vertical segment between two altitudes (km), exact. */
	inline FDensities VerticalDensities(const FAtmosphereParameters& Atmosphere, double AltitudeA, double AltitudeB)
	{
		const double Low = std::max(0.0, std::min(AltitudeA, AltitudeB));
		const double High = std::max(0.0, std::max(AltitudeA, AltitudeB));
		auto Exponential = [&](double Scale)
		{
			if (std::abs(Scale) < 1e-12)
			{
				return High - Low;
			}
			return (std::exp(Scale * High) - std::exp(Scale * Low)) / Scale;
		};
		FDensities Result;
		Result.Rayleigh = Exponential(Atmosphere.RayleighDensityExpScale);
		Result.Mie = Exponential(Atmosphere.MieDensityExpScale);
		Result.Absorption = TentIntegral(Atmosphere, High) - TentIntegral(Atmosphere, Low);
		return Result;
	}
}
