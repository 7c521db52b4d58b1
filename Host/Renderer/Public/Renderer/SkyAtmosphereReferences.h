// Two slow references for the table-based renderer, each proving something different:
// - FSkyAtmosphereReference evaluates the same model (same approximation of multiple scattering)
//   without tables, by converged quadrature in double precision: it checks the tables, their
//   parameterisations and their interpolation;
// - FSkyAtmosphereBruteForce solves the physics itself, scattering order by scattering order with
//   light reflected by the ground, until an order adds less than 0.1 %: it shows how far the
//   engine's approximation lies from the true sky.
#pragma once

#include "CoreMinimal.h"
#include "Renderer/SkyAtmosphereModel.h"

#include <span>

class FSkyAtmosphereReference
{
public:
	FSkyAtmosphereReference(const FAtmosphereParameters& Atmosphere, EMultipleScatteringForm Form);

	/** Same meaning as FSkyAtmosphereLuts::SkyLuminance, for an observer at ObserverAltitudeKm. */
	FVector3d SkyLuminance(const FVector3d& ViewDirection, std::span<const FAtmosphereLight> Lights, double ObserverAltitudeKm) const;
};

class FSkyAtmosphereBruteForce
{
public:
	struct FResolution
	{
		int Altitudes = 16;
		int ViewZenithAngles = 32;
		int LightZenithAngles = 16;
		int RelativeAzimuths = 8;
	};

	FSkyAtmosphereBruteForce(const FAtmosphereParameters& Atmosphere, const FResolution& Resolution = {});

	/** Sky luminance including every scattering order, for a single light. */
	FVector3d SkyLuminance(const FVector3d& ViewDirection, const FAtmosphereLight& Light, double ObserverAltitudeKm) const;

	/** How many scattering orders were needed until one added less than 0.1 %. */
	int GetOrders() const;
};
