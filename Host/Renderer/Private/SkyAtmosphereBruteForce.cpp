// The brute-force sky: multiple scattering solved order by order, without the engine's
// approximation (which assumes an isotropic phase for orders past the first, a light field that is
// the same all around each point, and, by default, two directions only).
//
// Design (after Bruneton & Neyret's precomputed scattering): the radiance field of the whole
// atmosphere for one light is axially symmetric about the light's axis, so it is a 4D function of
// altitude, view zenith, light zenith and relative azimuth. Order 1 is single scattering. For each
// further order n:
//   J_n  = integral over the sphere of (Rayleigh + Mie scattering x phase) x the incoming radiance of
//          order n - 1, the incoming radiance from below the horizon being the ground's (Lambertian,
//          GroundAlbedo) reflection of order n - 2's ground irradiance (order 0: the direct light);
//   L_n  = J_n integrated along each ray with its transmittance.
// Orders are added until one adds less than 0.1 % of the sky seen from the ground.
//
// Grids: altitudes squared towards the ground; view zenith split at each altitude's horizon, half
// the nodes on each side (the field jumps there); light zenith denser around the horizon, where
// twilight changes fast; relative azimuth 0..pi (the field is mirror-symmetric about the light's
// plane). The sphere integral of J uses the grid's own directions with each output direction's
// phase weights normalised to 1, so that every order conserves energy however coarse the grid.
//
// At the observer, single scattering is ray-marched exactly (the Mie lobe is far too sharp for any
// 4D grid) and the sum of the J_n is integrated along the exact view ray.
#include "Renderer/SkyAtmosphereReferences.h"

#include "AtmospherePhysics.h"

#include <cmath>
#include <vector>

using namespace AtmospherePhysics;

namespace
{
	constexpr double MaxLightZenith = 110.0 * Pi / 180.0;
	constexpr double DenseLightZenith = 75.0 * Pi / 180.0;
	constexpr int FieldMarchSamples = 32;
	constexpr int ObserverSingleSamples = 128;
	constexpr int ObserverMultipleSamples = 64;
	constexpr int MaxOrders = 40;
	constexpr double ConvergenceRatio = 1e-3;
}

struct FSkyAtmosphereBruteForce::FField
{
	FAtmosphereParameters Atmosphere;
	int NR = 0;
	int NS = 0;
	int NV = 0;
	int NA = 0;
	int Orders = 1;
	double Top = 60.0;

	// Transmittance to the top, fine table (Bruneton parameterisation), from converged quadrature.
	static constexpr int TW = 256;
	static constexpr int TH = 64;
	std::vector<FVector3d> TransmittanceTable;

	std::vector<double> Radii;
	std::vector<double> LightZeniths;
	std::vector<double> Azimuths;
	/** Sum of the scattering densities of orders 2 and up, per unit illuminance. */
	std::vector<FVector3d> JSum;

	size_t Index(int R, int S, int V, int A) const { return ((static_cast<size_t>(R) * NS + S) * NV + V) * NA + A; }

	// ---------------------------------------------------------------------------------------
	// Grids.

	double HorizonZenith(double R) const { return Pi - std::asin(std::min(1.0, Atmosphere.BottomRadiusKm / R)); }

	/** Zenith angle of view node V at radius R, and the node's zenith cell bounds. */
	void ViewNode(double R, int V, double& OutZenith, double& OutLow, double& OutHigh) const
	{
		const int Half = NV / 2;
		const double Horizon = HorizonZenith(R);
		if (V < Half)
		{
			OutLow = Horizon * V / Half;
			OutHigh = Horizon * (V + 1) / Half;
		}
		else
		{
			OutLow = Horizon + (Pi - Horizon) * (V - Half) / Half;
			OutHigh = Horizon + (Pi - Horizon) * (V - Half + 1) / Half;
		}
		OutZenith = 0.5 * (OutLow + OutHigh);
	}

	/** Fractional view node of a zenith angle at radius R (the side of the horizon decides the half). */
	double ViewCoordinate(double R, double Zenith, bool bBelowHorizon) const
	{
		const int Half = NV / 2;
		const double Horizon = HorizonZenith(R);
		if (!bBelowHorizon)
		{
			return std::clamp(Zenith / Horizon * Half - 0.5, 0.0, Half - 1.0);
		}
		return Half + std::clamp((Zenith - Horizon) / (Pi - Horizon) * Half - 0.5, 0.0, Half - 1.0);
	}

	double RadiusCoordinate(double R) const
	{
		const double Altitude = std::clamp(R - Atmosphere.BottomRadiusKm, 0.0, Top);
		return std::sqrt(Altitude / Top) * (NR - 1);
	}

	double LightZenithOf(int S) const
	{
		const double X = static_cast<double>(S) / (NS - 1);
		constexpr double Knee = 1.0 / 3.0;
		return X < Knee ? DenseLightZenith * X / Knee : DenseLightZenith + (MaxLightZenith - DenseLightZenith) * (X - Knee) / (1.0 - Knee);
	}

	double LightCoordinate(double Zenith) const
	{
		constexpr double Knee = 1.0 / 3.0;
		const double X = Zenith < DenseLightZenith ? Zenith / DenseLightZenith * Knee : Knee + (Zenith - DenseLightZenith) / (MaxLightZenith - DenseLightZenith) * (1.0 - Knee);
		return X * (NS - 1);
	}

	// ---------------------------------------------------------------------------------------
	// Transmittance.

	void BuildTransmittance()
	{
		TransmittanceTable.resize(static_cast<size_t>(TW) * TH);
		for (int Y = 0; Y < TH; ++Y)
		{
			for (int X = 0; X < TW; ++X)
			{
				double R = 0.0;
				double Mu = 0.0;
				TransmittanceUvToParams(static_cast<double>(X) / (TW - 1), static_cast<double>(Y) / (TH - 1), Atmosphere.BottomRadiusKm, Atmosphere.TopRadiusKm, R, Mu);
				R = std::max(R, Atmosphere.BottomRadiusKm + 1e-6);
				const double Length = DistanceToTop(R, Mu, Atmosphere.TopRadiusKm);
				TransmittanceTable[Y * TW + X] = ExpNegative(ExtinctionOf(Atmosphere, IntegrateDensities(Atmosphere, R, Mu, Length)));
			}
		}
	}

	/** Transmittance to the top ignoring the ground (callers test the planet's shadow themselves). */
	FVector3d TransmittanceToTop(double R, double Mu) const
	{
		double U = 0.0;
		double V = 0.0;
		TransmittanceParamsToUv(std::min(R, Atmosphere.TopRadiusKm), Mu, Atmosphere.BottomRadiusKm, Atmosphere.TopRadiusKm, U, V);
		const double X = std::clamp(U, 0.0, 1.0) * (TW - 1);
		const double Y = std::clamp(V, 0.0, 1.0) * (TH - 1);
		const int X0 = std::min(static_cast<int>(X), TW - 2);
		const int Y0 = std::min(static_cast<int>(Y), TH - 2);
		const double Fx = X - X0;
		const double Fy = Y - Y0;
		const FVector3d A = TransmittanceTable[Y0 * TW + X0] * (1.0 - Fx) + TransmittanceTable[Y0 * TW + X0 + 1] * Fx;
		const FVector3d B = TransmittanceTable[(Y0 + 1) * TW + X0] * (1.0 - Fx) + TransmittanceTable[(Y0 + 1) * TW + X0 + 1] * Fx;
		return A * (1.0 - Fy) + B * Fy;
	}

	// ---------------------------------------------------------------------------------------
	// The 4D field.

	/** Multilinear lookup of Field at a point of radius R, view zenith, light zenith and relative azimuth. */
	FVector3d Lookup(const std::vector<FVector3d>& Field, double R, double ViewZenith, bool bBelowHorizon, double LightZenith, double Azimuth) const
	{
		if (LightZenith >= MaxLightZenith)
		{
			return FVector3d(0.0);
		}
		const double RC = RadiusCoordinate(R);
		const int R0 = std::min(static_cast<int>(RC), NR - 2);
		const double FR = std::clamp(RC - R0, 0.0, 1.0);
		const double SC = LightCoordinate(LightZenith);
		const int S0 = std::min(static_cast<int>(SC), NS - 2);
		const double FS = std::clamp(SC - S0, 0.0, 1.0);
		const double AC = std::clamp(Azimuth / Pi, 0.0, 1.0) * (NA - 1);
		const int A0 = std::min(static_cast<int>(AC), NA - 2);
		const double FA = AC - A0;
		// View coordinate relative to the horizon of the point's own radius, used at both altitude levels.
		const double VC = ViewCoordinate(R, ViewZenith, bBelowHorizon);
		const int Half = NV / 2;
		const int VLow = bBelowHorizon ? std::clamp(static_cast<int>(VC), Half, NV - 2) : std::clamp(static_cast<int>(VC), 0, Half - 2);
		const double FV = std::clamp(VC - VLow, 0.0, 1.0);

		FVector3d AtLight[2] = {FVector3d(0.0), FVector3d(0.0)};
		for (int DS = 0; DS < 2; ++DS)
		{
			for (int DR = 0; DR < 2; ++DR)
			{
				const double WR = DR ? FR : 1.0 - FR;
				for (int DV = 0; DV < 2; ++DV)
				{
					const double WV = DV ? FV : 1.0 - FV;
					const size_t Base = Index(R0 + DR, S0 + DS, VLow + DV, A0);
					AtLight[DS] += (Field[Base] * (1.0 - FA) + Field[Base + 1] * FA) * (WR * WV);
				}
			}
		}
		return GeometricLerp(AtLight[0], AtLight[1], FS);
	}

	/**
	 * Interpolation between two light zeniths, geometric: around the terminator the field falls by
	 * orders of magnitude between nodes, and a linear interpolation would overstate twilight by tens
	 * of per cent unless the light-zenith grid were several times finer.
	 */
	static FVector3d GeometricLerp(const FVector3d& A, const FVector3d& B, double F)
	{
		auto Channel = [F](double X, double Y)
		{
			if (X <= 0.0 || Y <= 0.0)
			{
				return X * (1.0 - F) + Y * F;
			}
			return std::exp(std::log(X) * (1.0 - F) + std::log(Y) * F);
		};
		return FVector3d(Channel(A.X, B.X), Channel(A.Y, B.Y), Channel(A.Z, B.Z));
	}

	/** Geometry of a point along a ray: radius, view zenith, below-horizon flag, light zenith, relative azimuth. */
	struct FLocal
	{
		double R;
		double ViewZenith;
		bool bBelowHorizon;
		double LightZenith;
		double Azimuth;
	};

	FLocal LocalAt(const FVector3d& P, const FVector3d& Dir, const FVector3d& LightDir) const
	{
		FLocal Local;
		Local.R = P.Size();
		const FVector3d Up = P / Local.R;
		const double MuV = std::clamp(Dir.Dot(Up), -1.0, 1.0);
		const double MuS = std::clamp(LightDir.Dot(Up), -1.0, 1.0);
		Local.ViewZenith = std::acos(MuV);
		Local.bBelowHorizon = RayHitsGround(std::max(Local.R, Atmosphere.BottomRadiusKm + 1e-6), MuV, Atmosphere.BottomRadiusKm);
		Local.LightZenith = std::acos(MuS);
		const double Denominator = std::sqrt(std::max(0.0, (1.0 - MuV * MuV) * (1.0 - MuS * MuS)));
		const double CosAzimuth = Denominator > 1e-9 ? std::clamp((Dir.Dot(LightDir) - MuV * MuS) / Denominator, -1.0, 1.0) : 1.0;
		Local.Azimuth = std::acos(CosAzimuth);
		return Local;
	}

	/** Ray end (top or ground) from P along Dir. */
	double RayLength(const FVector3d& P, const FVector3d& Dir, bool& bOutGround) const
	{
		const double R = P.Size();
		const double Mu = Dir.Dot(P) / R;
		bOutGround = RayHitsGround(R, Mu, Atmosphere.BottomRadiusKm);
		return bOutGround ? DistanceToGround(R, Mu, Atmosphere.BottomRadiusKm) : DistanceToTop(R, Mu, Atmosphere.TopRadiusKm);
	}

	/**
	 * Integral of transmittance x Source(P, Local) along the ray from Origin along Dir, midpoint
	 * samples on a grid squared towards the origin, each step integrated analytically.
	 */
	template <typename FSource>
	FVector3d March(const FVector3d& Origin, const FVector3d& Dir, int Samples, FSource&& Source) const
	{
		bool bGround = false;
		const double Length = RayLength(Origin, Dir, bGround);
		FVector3d L(0.0);
		FVector3d Throughput(1.0);
		for (int Index = 0; Index < Samples; ++Index)
		{
			const double A = static_cast<double>(Index) / Samples;
			const double B = static_cast<double>(Index + 1) / Samples;
			const double T0 = Length * A * A;
			const double T1 = Length * B * B;
			const double Dt = T1 - T0;
			const FVector3d P = Origin + Dir * (0.5 * (T0 + T1));
			const double PRadius = P.Size();
			const FMedium Medium = SampleMedium(Atmosphere, PRadius - Atmosphere.BottomRadiusKm);
			const FVector3d StepTransmittance = ExpNegative(Medium.Extinction * Dt);
			const FVector3d S = Source(P, Medium);
			const FVector3d SafeExtinction = Medium.Extinction.ComponentMax(FVector3d(1e-12));
			L += Throughput * (S - S * StepTransmittance) / SafeExtinction;
			Throughput *= StepTransmittance;
		}
		return L;
	}

	FVector3d SingleScatteringSource(const FVector3d& P, const FMedium& Medium, const FVector3d& LightDir, double CosTheta) const
	{
		if (PlanetShadows(P, LightDir, Atmosphere.BottomRadiusKm))
		{
			return FVector3d(0.0);
		}
		const double PRadius = P.Size();
		const FVector3d Transmittance = TransmittanceToTop(PRadius, LightDir.Dot(P) / PRadius);
		return Transmittance * (Medium.ScatteringRayleigh * RayleighPhase(CosTheta) + Medium.ScatteringMie * HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, CosTheta));
	}

	/** Ground irradiance of a unit direct light at light zenith cosine MuS. */
	FVector3d DirectGroundIrradiance(double MuS) const
	{
		return MuS > 0.0 ? TransmittanceToTop(Atmosphere.BottomRadiusKm, MuS) * MuS : FVector3d(0.0);
	}

	FVector3d GroundIrradianceAt(const std::vector<FVector3d>& Irradiance, double LightZenith) const
	{
		if (LightZenith >= MaxLightZenith)
		{
			return FVector3d(0.0);
		}
		const double SC = LightCoordinate(LightZenith);
		const int S0 = std::min(static_cast<int>(SC), NS - 2);
		const double FS = std::clamp(SC - S0, 0.0, 1.0);
		return GeometricLerp(Irradiance[S0], Irradiance[S0 + 1], FS);
	}

	void Build(const FResolution& Resolution)
	{
		NR = std::max(3, Resolution.Altitudes);
		NS = std::max(4, Resolution.LightZenithAngles);
		NV = std::max(4, Resolution.ViewZenithAngles & ~1);
		NA = std::max(3, Resolution.RelativeAzimuths);
		Top = Atmosphere.TopRadiusKm - Atmosphere.BottomRadiusKm;
		BuildTransmittance();

		Radii.resize(NR);
		for (int R = 0; R < NR; ++R)
		{
			const double X = static_cast<double>(R) / (NR - 1);
			Radii[R] = Atmosphere.BottomRadiusKm + std::clamp(Top * X * X, 1e-4, Top - 1e-4);
		}
		LightZeniths.resize(NS);
		for (int S = 0; S < NS; ++S)
		{
			LightZeniths[S] = LightZenithOf(S);
		}
		Azimuths.resize(NA);
		for (int A = 0; A < NA; ++A)
		{
			Azimuths[A] = Pi * A / (NA - 1);
		}

		const size_t CellCount = static_cast<size_t>(NR) * NS * NV * NA;
		const int Directions = NV * NA;

		// Per altitude: the grid directions, their solid angles (whole circle folded onto 0..pi),
		// and the normalised phase matrices from incoming grid directions to outgoing ones.
		std::vector<std::vector<double>> PhaseRayleigh(NR);
		std::vector<std::vector<double>> PhaseMie(NR);
		std::vector<std::vector<double>> SolidAngles(NR);
		const double AzimuthStep = Pi / (NA - 1);
		for (int R = 0; R < NR; ++R)
		{
			std::vector<FVector3d> Dirs(Directions);
			std::vector<double> ZenithWeights(NV);
			SolidAngles[R].resize(Directions);
			for (int V = 0; V < NV; ++V)
			{
				double Zenith = 0.0;
				double Low = 0.0;
				double High = 0.0;
				ViewNode(Radii[R], V, Zenith, Low, High);
				ZenithWeights[V] = std::cos(Low) - std::cos(High);
				for (int A = 0; A < NA; ++A)
				{
					Dirs[V * NA + A] = FVector3d(std::sin(Zenith) * std::cos(Azimuths[A]), std::sin(Zenith) * std::sin(Azimuths[A]), std::cos(Zenith));
					const double AzimuthWeight = (A == 0 || A == NA - 1) ? AzimuthStep : 2.0 * AzimuthStep;
					SolidAngles[R][V * NA + A] = ZenithWeights[V] * AzimuthWeight;
				}
			}
			PhaseRayleigh[R].assign(static_cast<size_t>(Directions) * Directions, 0.0);
			PhaseMie[R].assign(static_cast<size_t>(Directions) * Directions, 0.0);
			for (int Out = 0; Out < Directions; ++Out)
			{
				double SumRayleigh = 0.0;
				double SumMie = 0.0;
				for (int In = 0; In < Directions; ++In)
				{
					const int A = In % NA;
					const double Omega = SolidAngles[R][In];
					// The incoming direction and its mirror image (-azimuth) carry the same radiance.
					const FVector3d Mirror(Dirs[In].X, -Dirs[In].Y, Dirs[In].Z);
					const bool bHasMirror = A != 0 && A != NA - 1;
					const double Share = bHasMirror ? 0.5 : 1.0;
					double Rayleigh = RayleighPhase(Dirs[Out].Dot(Dirs[In])) * Share;
					double Mie = HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, Dirs[Out].Dot(Dirs[In])) * Share;
					if (bHasMirror)
					{
						Rayleigh += RayleighPhase(Dirs[Out].Dot(Mirror)) * Share;
						Mie += HenyeyGreensteinPhase(Atmosphere.MieAnisotropy, Dirs[Out].Dot(Mirror)) * Share;
					}
					PhaseRayleigh[R][static_cast<size_t>(Out) * Directions + In] = Rayleigh * Omega;
					PhaseMie[R][static_cast<size_t>(Out) * Directions + In] = Mie * Omega;
					SumRayleigh += Rayleigh * Omega;
					SumMie += Mie * Omega;
				}
				for (int In = 0; In < Directions; ++In)
				{
					PhaseRayleigh[R][static_cast<size_t>(Out) * Directions + In] /= SumRayleigh;
					PhaseMie[R][static_cast<size_t>(Out) * Directions + In] /= SumMie;
				}
			}
		}

		// Every cell of the field: its altitude, light and view direction. Orders differ only in their source.
		auto MarchEveryCell = [&](std::vector<FVector3d>& Field, auto&& SourceFor)
		{
			for (int R = 0; R < NR; ++R)
			{
				const FVector3d Origin(0.0, 0.0, Radii[R]);
				for (int S = 0; S < NS; ++S)
				{
					const FVector3d LightDir(std::sin(LightZeniths[S]), 0.0, std::cos(LightZeniths[S]));
					for (int V = 0; V < NV; ++V)
					{
						double Zenith = 0.0;
						double Low = 0.0;
						double High = 0.0;
						ViewNode(Radii[R], V, Zenith, Low, High);
						for (int A = 0; A < NA; ++A)
						{
							const FVector3d Dir(std::sin(Zenith) * std::cos(Azimuths[A]), std::sin(Zenith) * std::sin(Azimuths[A]), std::cos(Zenith));
							Field[Index(R, S, V, A)] = March(Origin, Dir, FieldMarchSamples, SourceFor(Dir, LightDir));
						}
					}
				}
			}
		};

		// Order 1: single scattering of a unit light.
		std::vector<FVector3d> Previous(CellCount);
		MarchEveryCell(Previous, [&](const FVector3d& Dir, const FVector3d& LightDir)
		{
			const double CosTheta = Dir.Dot(LightDir);
			return [&, LightDir, CosTheta](const FVector3d& P, const FMedium& Medium) { return SingleScatteringSource(P, Medium, LightDir, CosTheta); };
		});

		// Ground irradiance of the order before the previous one (order 0: the direct light).
		std::vector<FVector3d> IrradianceBefore(NS);
		for (int S = 0; S < NS; ++S)
		{
			IrradianceBefore[S] = DirectGroundIrradiance(std::cos(LightZeniths[S]));
		}

		std::vector<FVector3d> Total = Previous;
		JSum.assign(CellCount, FVector3d(0.0));
		std::vector<FVector3d> J(CellCount);
		std::vector<FVector3d> Incoming(Directions);
		Orders = 1;
		for (int Order = 2; Order <= MaxOrders; ++Order)
		{
			// Scattering density of this order.
			for (int R = 0; R < NR; ++R)
			{
				const FMedium Medium = SampleMedium(Atmosphere, Radii[R] - Atmosphere.BottomRadiusKm);
				for (int S = 0; S < NS; ++S)
				{
					const double LightZenith = LightZeniths[S];
					for (int V = 0; V < NV; ++V)
					{
						double Zenith = 0.0;
						double Low = 0.0;
						double High = 0.0;
						ViewNode(Radii[R], V, Zenith, Low, High);
						const bool bGround = V >= NV / 2;
						for (int A = 0; A < NA; ++A)
						{
							FVector3d Radiance = Previous[Index(R, S, V, A)];
							if (bGround)
							{
								// Light reflected by the ground where this direction meets it.
								const double Mu = std::cos(Zenith);
								const double Distance = DistanceToGround(Radii[R], Mu, Atmosphere.BottomRadiusKm);
								const FVector3d Dir(std::sin(Zenith) * std::cos(Azimuths[A]), std::sin(Zenith) * std::sin(Azimuths[A]), Mu);
								const FVector3d G = FVector3d(0.0, 0.0, Radii[R]) + Dir * Distance;
								const double MuGround = -Dir.Dot(G) / Atmosphere.BottomRadiusKm;
								const FVector3d ToGround = TransmittanceToTop(Atmosphere.BottomRadiusKm, std::max(MuGround, 0.0)) / TransmittanceToTop(Radii[R], -Mu).ComponentMax(FVector3d(1e-30));
								const double MuLightGround = (G.X * std::sin(LightZenith) + G.Z * std::cos(LightZenith)) / Atmosphere.BottomRadiusKm;
								const FVector3d Irradiance = GroundIrradianceAt(IrradianceBefore, std::acos(std::clamp(MuLightGround, -1.0, 1.0)));
								Radiance += ToGround.ComponentMin(FVector3d(1.0)) * Irradiance * Atmosphere.GroundAlbedo / Pi;
							}
							Incoming[V * NA + A] = Radiance;
						}
					}
					for (int Out = 0; Out < Directions; ++Out)
					{
						FVector3d SumRayleigh(0.0);
						FVector3d SumMie(0.0);
						const double* RowRayleigh = &PhaseRayleigh[R][static_cast<size_t>(Out) * Directions];
						const double* RowMie = &PhaseMie[R][static_cast<size_t>(Out) * Directions];
						for (int In = 0; In < Directions; ++In)
						{
							SumRayleigh += Incoming[In] * RowRayleigh[In];
							SumMie += Incoming[In] * RowMie[In];
						}
						J[Index(R, S, Out / NA, Out % NA)] = Medium.ScatteringRayleigh * SumRayleigh + Medium.ScatteringMie * SumMie;
					}
				}
			}

			// Ground irradiance of the previous order (for the next order's ground bounce).
			std::vector<FVector3d> IrradiancePrevious(NS, FVector3d(0.0));
			for (int S = 0; S < NS; ++S)
			{
				for (int V = 0; V < NV / 2; ++V)
				{
					double Zenith = 0.0;
					double Low = 0.0;
					double High = 0.0;
					ViewNode(Radii[0], V, Zenith, Low, High);
					for (int A = 0; A < NA; ++A)
					{
						const double AzimuthWeight = (A == 0 || A == NA - 1) ? AzimuthStep : 2.0 * AzimuthStep;
						// Cosine-weighted solid angle of the cell: integral of cos sin over the zenith cell.
						const double CosWeight = 0.5 * (std::sin(High) * std::sin(High) - std::sin(Low) * std::sin(Low));
						IrradiancePrevious[S] += Previous[Index(0, S, V, A)] * std::max(0.0, CosWeight) * AzimuthWeight;
					}
				}
			}

			// Radiance of this order.
			std::vector<FVector3d> Current(CellCount);
			MarchEveryCell(Current, [&](const FVector3d& Dir, const FVector3d& LightDir)
			{
				return [&, Dir, LightDir](const FVector3d& P, const FMedium&)
				{
					const FLocal Local = LocalAt(P, Dir, LightDir);
					return Lookup(J, Local.R, Local.ViewZenith, Local.bBelowHorizon, Local.LightZenith, Local.Azimuth);
				};
			});

			// Convergence: the share this order adds to the sky seen from the ground, per light zenith.
			double WorstRatio = 0.0;
			double Brightest = 0.0;
			std::vector<double> Added(NS, 0.0);
			std::vector<double> Sum(NS, 0.0);
			for (int S = 0; S < NS; ++S)
			{
				for (int V = 0; V < NV / 2; ++V)
				{
					for (int A = 0; A < NA; ++A)
					{
						Added[S] += Luminance(Current[Index(0, S, V, A)]);
						Sum[S] += Luminance(Total[Index(0, S, V, A)] + Current[Index(0, S, V, A)]);
					}
				}
				Brightest = std::max(Brightest, Sum[S]);
			}
			for (int S = 0; S < NS; ++S)
			{
				if (Sum[S] > 1e-9 * Brightest)
				{
					WorstRatio = std::max(WorstRatio, Added[S] / Sum[S]);
				}
			}

			for (size_t Cell = 0; Cell < CellCount; ++Cell)
			{
				JSum[Cell] += J[Cell];
				Total[Cell] += Current[Cell];
			}
			IrradianceBefore = IrradiancePrevious;
			Previous.swap(Current);
			Orders = Order;
			if (WorstRatio < ConvergenceRatio)
			{
				break;
			}
		}
	}

	FVector3d Sky(const FVector3d& ViewDirection, const FAtmosphereLight& Light, double ObserverAltitudeKm) const
	{
		const double R0 = Atmosphere.BottomRadiusKm + std::clamp(ObserverAltitudeKm, MinObserverAltitudeKm, std::max(MinObserverAltitudeKm, Top - MinObserverAltitudeKm));
		const FVector3d Origin(0.0, 0.0, R0);
		const FVector3d Dir = ViewDirection.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
		const FVector3d LightDir = Light.Direction.GetSafeNormal(1e-12, FVector3d(0.0, 0.0, 1.0));
		const double CosTheta = Dir.Dot(LightDir);
		const FVector3d Single = March(Origin, Dir, ObserverSingleSamples, [&](const FVector3d& P, const FMedium& Medium)
		{
			return SingleScatteringSource(P, Medium, LightDir, CosTheta);
		});
		const FVector3d Multiple = March(Origin, Dir, ObserverMultipleSamples, [&](const FVector3d& P, const FMedium&)
		{
			const FLocal Local = LocalAt(P, Dir, LightDir);
			return Lookup(JSum, Local.R, Local.ViewZenith, Local.bBelowHorizon, Local.LightZenith, Local.Azimuth);
		});
		return (Single + Multiple) * Light.Illuminance * Atmosphere.SkyAndAerialPerspectiveLuminanceFactor * Atmosphere.SkyLuminanceFactor;
	}
};

FSkyAtmosphereBruteForce::FSkyAtmosphereBruteForce(const FAtmosphereParameters& Atmosphere)
	: FSkyAtmosphereBruteForce(Atmosphere, FResolution())
{
}

FSkyAtmosphereBruteForce::FSkyAtmosphereBruteForce(const FAtmosphereParameters& Atmosphere, const FResolution& Resolution)
	: Field(std::make_unique<FField>())
{
	Field->Atmosphere = Atmosphere;
	Field->Build(Resolution);
}

FSkyAtmosphereBruteForce::~FSkyAtmosphereBruteForce() = default;
FSkyAtmosphereBruteForce::FSkyAtmosphereBruteForce(FSkyAtmosphereBruteForce&&) noexcept = default;
FSkyAtmosphereBruteForce& FSkyAtmosphereBruteForce::operator=(FSkyAtmosphereBruteForce&&) noexcept = default;

FVector3d FSkyAtmosphereBruteForce::SkyLuminance(const FVector3d& ViewDirection, const FAtmosphereLight& Light, double ObserverAltitudeKm) const
{
	return Field->Sky(ViewDirection, Light, ObserverAltitudeKm);
}

int FSkyAtmosphereBruteForce::GetOrders() const
{
	return Field->Orders;
}
