// The fast sky-atmosphere renderer: the engine's tables (transmittance, multiple scattering, sky
// view) built from the atmosphere and its lights, and the lookups a view makes into them.
#pragma once

#include "CoreMinimal.h"
#include "Renderer/SkyAtmosphereModel.h"

#include <span>
#include <vector>

struct FSkyAtmosphereLutSizes
{
	int TransmittanceWidth = 256;
	int TransmittanceHeight = 64;
	int MultiScatteringSize = 32;
	int SkyViewWidth = 192;
	int SkyViewHeight = 108;
};

/** Aerial perspective along a view ray of finite length. */
struct FAerialPerspective
{
	/** Light scattered towards the observer between it and the surface, cd/m^2. */
	FVector3d Inscattering = FVector3d(0.0);
	/** Share of the surface's light that reaches the observer. */
	FVector3d Transmittance = FVector3d(1.0);
};

class FSkyAtmosphereLuts
{
public:
	struct FStats
	{
		int TransmittanceBuilds = 0;
		int MultiScatteringBuilds = 0;
		int SkyViewBuilds = 0;
		double TransmittanceSeconds = 0.0;
		double MultiScatteringSeconds = 0.0;
		double SkyViewSeconds = 0.0;
	};

	explicit FSkyAtmosphereLuts(EMultipleScatteringForm Form = EMultipleScatteringForm::EngineDefault, const FSkyAtmosphereLutSizes& Sizes = {});

	/**
	 * Makes the tables describe this atmosphere, these lights and an observer at ObserverAltitudeKm
	 * above the ground; rebuilds a table only when its inputs changed.
	 */
	void Update(const FAtmosphereParameters& Atmosphere, std::span<const FAtmosphereLight> Lights, double ObserverAltitudeKm);

	/**
	 * Luminance of the sky seen from the observer along unit ViewDirection (Z up), cd/m^2, without
	 * the light discs, with the luminance factors applied. Below the horizon: the atmosphere between
	 * the observer and the planet's ground, without the ground itself.
	 */
	FVector3d SkyLuminance(const FVector3d& ViewDirection) const;

	/** Transmittance from AltitudeKm towards a direction of zenith cosine CosZenith; 0 where the planet is in the way. */
	FVector3d Transmittance(double AltitudeKm, double CosZenith) const;

	/** Scattering and transmittance between the observer and a surface DistanceKm away along unit ViewDirection. */
	FAerialPerspective AerialPerspective(const FVector3d& ViewDirection, double DistanceKm) const;

	EMultipleScatteringForm GetForm() const { return Form; }
	const FStats& GetStats() const { return Stats; }

private:
	EMultipleScatteringForm Form;
	FSkyAtmosphereLutSizes Sizes;
	FStats Stats;
	bool bHasAtmosphere = false;
	FAtmosphereParameters Atmosphere;
	std::vector<FAtmosphereLight> Lights;
	double ObserverAltitudeKm = 0.0;
	std::vector<FVector3f> TransmittanceLut;
	std::vector<FVector3f> MultiScatteringLut;
	std::vector<FVector3f> SkyViewLut;
};
