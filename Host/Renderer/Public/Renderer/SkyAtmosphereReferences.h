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

#include <memory>
#include <span>

class FSkyAtmosphereReference
{
public:
	FSkyAtmosphereReference(const FAtmosphereParameters& Atmosphere, EMultipleScatteringForm Form);

	/** Same meaning as FSkyAtmosphereLuts::SkyLuminance, for an observer at ObserverAltitudeKm. */
	FVector3d SkyLuminance(const FVector3d& ViewDirection, std::span<const FAtmosphereLight> Lights, double ObserverAltitudeKm) const;

	/** Transmittance from AltitudeKm towards zenith cosine CosZenith (0 where the planet is in the way). */
	FVector3d Transmittance(double AltitudeKm, double CosZenith) const;

	/** The multiple-scattering transfer (the table's content) at a radius and light zenith cosine. */
	FVector3d MultipleScattering(double RadiusKm, double CosLightZenith) const;

private:
	FAtmosphereParameters Atmosphere;
	EMultipleScatteringForm Form;
};

class FSkyAtmosphereBruteForce
{
public:
	struct FResolution
	{
		int Altitudes = 16;
		int ViewZenithAngles = 32;
		int LightZenithAngles = 32;
		int RelativeAzimuths = 8;
	};

	// Two constructors rather than a defaulted FResolution argument: a nested struct with member
	// initialisers cannot be a default argument inside its own class.
	explicit FSkyAtmosphereBruteForce(const FAtmosphereParameters& Atmosphere);
	FSkyAtmosphereBruteForce(const FAtmosphereParameters& Atmosphere, const FResolution& Resolution);
	~FSkyAtmosphereBruteForce();
	FSkyAtmosphereBruteForce(FSkyAtmosphereBruteForce&&) noexcept;
	FSkyAtmosphereBruteForce& operator=(FSkyAtmosphereBruteForce&&) noexcept;

	/** Sky luminance including every scattering order, for a single light. */
	FVector3d SkyLuminance(const FVector3d& ViewDirection, const FAtmosphereLight& Light, double ObserverAltitudeKm) const;

	/** How many scattering orders were needed until one added less than 0.1 %. */
	int GetOrders() const;

	struct FField;

private:
	std::unique_ptr<FField> Field;
};
