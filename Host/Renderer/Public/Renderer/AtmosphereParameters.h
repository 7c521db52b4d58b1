// The sky atmosphere as the renderer sees it: the component's values in kilometres and per-kilometre
// coefficients, in double precision, read once per frame like a render proxy.
#pragma once

#include "CoreMinimal.h"

class USkyAtmosphereComponent;

struct FAtmosphereParameters
{
	double BottomRadiusKm = 6360.0;
	double TopRadiusKm = 6420.0;
	/** Per km at the ground: colour times scale. */
	FVector3d RayleighScattering = FVector3d(0.0);
	/** Density is exp(DensityExpScale * altitude km): -1 / exponential distribution. */
	double RayleighDensityExpScale = -1.0 / 8.0;
	FVector3d MieScattering = FVector3d(0.0);
	FVector3d MieAbsorption = FVector3d(0.0);
	double MieDensityExpScale = -1.0 / 1.2;
	double MieAnisotropy = 0.8;
	/** Tent-shaped layer (ozone by default): extinction at the tip, tip altitude and half-width in km. */
	FVector3d OtherAbsorption = FVector3d(0.0);
	double OtherTentTipAltitudeKm = 25.0;
	double OtherTentWidthKm = 15.0;
	/** Linear albedo of the planet's ground. */
	FVector3d GroundAlbedo = FVector3d(0.0);
	double MultiScatteringFactor = 1.0;
	FVector3d SkyLuminanceFactor = FVector3d(1.0);
	FVector3d SkyAndAerialPerspectiveLuminanceFactor = FVector3d(1.0);

	FVector3d MieExtinction() const { return MieScattering + MieAbsorption; }

	bool operator==(const FAtmosphereParameters& Other) const = default;
};

/** What the engine's renderer takes from the component (its proxy's values). */
FAtmosphereParameters MakeAtmosphereParameters(const USkyAtmosphereComponent& Component);

/** The component's defaults: an Earth-like atmosphere. */
FAtmosphereParameters MakeEarthAtmosphere();
